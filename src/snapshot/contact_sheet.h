#pragma once

#include <vector>

#include "png_file.h"

// Lays the tiles out in rows on a dark grey sheet, in order, in as square a
// grid as their count allows. The tiles are all of one size.
Picture contactSheet(const std::vector<Picture>& tiles);
