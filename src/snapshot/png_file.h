#pragma once

#include <string>
#include <vector>

#include "whole_file.h"

// An 8-bit RGB picture, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Writes `picture` as a PNG, whole or not at all.
void writePng(const std::string& path, const Picture& picture);
