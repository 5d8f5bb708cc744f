#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// An 8-bit RGB picture, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes `picture` as a PNG under a temporary name beside `path` and renames
// it into place, so `path` is either whole or untouched.
void writePng(const std::string& path, const Picture& picture);
