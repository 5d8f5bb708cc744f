#pragma once

// Reads PNG files into the tests' Image, and compares pictures the way the
// image tests do.

#include <png.h>

#include <cstdlib>
#include <string>

#include "x_session.h"

// An empty image when the file cannot be read.
inline Image readPng(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return {};
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr))
        return {};
    Image image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    for (size_t i = 0; i + 2 < bytes.size(); i += 3)
        image.pixels.push_back({bytes[i], bytes[i + 1], bytes[i + 2]});
    return image;
}

// A pixel differs when a channel moves by more than rendering noise does.
constexpr int channelNoise = 48;

// At most this many pixels may differ from a reference. Two runs of Mesa's
// software renderer differ in none; a one-step bend of one digit moves about
// a hundred, a 5-degree turn about five hundred or more.
constexpr int differenceBound = 10;

// How many pixels differ; every pixel when the sizes do not match.
inline int differingPixels(const Image& a, const Image& b)
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.width * a.height, b.width * b.height) + 1;
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgb& p = a.pixels[i];
        const Rgb& q = b.pixels[i];
        count += std::abs(p.r - q.r) > channelNoise || std::abs(p.g - q.g) > channelNoise ||
                 std::abs(p.b - q.b) > channelNoise;
    }
    return count;
}
