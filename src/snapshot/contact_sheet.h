#pragma once

#include <vector>

#include "png_file.h"

// Lays every `every`th frame (the first, and always the last) out in rows on
// a dark grey sheet, in the order they were drawn.
Picture contactSheet(const std::vector<Picture>& frames, int every);
