#include "png_file.h"

#include <png.h>

void writePng(const std::string& path, const Picture& picture)
{
    writeWholeFile(path, [&](FILE* file, std::string& why) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(picture.width);
        image.height = static_cast<png_uint_32>(picture.height);
        image.format = PNG_FORMAT_RGB;
        const bool written =
            png_image_write_to_stdio(&image, file, 0, picture.rgb.data(), 0, nullptr) != 0;
        if (!written)
            why = image.message;
        png_image_free(&image);
        return written;
    });
}
