#include "png_file.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void writePng(const std::string& path, const Picture& picture)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        throw WriteError("cannot write " + path + ": " + std::strerror(errno));
    // mkstemp makes the file private; give it the mode any new file gets.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(temporary.c_str());
        throw WriteError("cannot write " + path + ": " + std::strerror(errno));
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    const bool written =
        png_image_write_to_stdio(&image, file, 0, picture.rgb.data(), 0, nullptr) != 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = written ? std::strerror(errno) : image.message;
        png_image_free(&image);
        unlink(temporary.c_str());
        throw WriteError("cannot write " + path + ": " + reason);
    }
}
