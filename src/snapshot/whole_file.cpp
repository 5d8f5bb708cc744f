#include "whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

void writeWholeFile(const std::string& path, const std::function<bool(FILE*, std::string&)>& write)
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
    std::string why;
    const bool written = write(file, why);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = written ? std::strerror(errno) : why;
        unlink(temporary.c_str());
        throw WriteError("cannot write " + path + ": " + reason);
    }
}

void writeWholeTextFile(const std::string& path, const std::string& text)
{
    writeWholeFile(path, [&](FILE* file, std::string& why) {
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        if (!written)
            why = std::strerror(errno);
        return written;
    });
}
