#include "contact_sheet.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int gutter = 4;  // pixels between tiles and around the sheet
constexpr unsigned char gutterGrey = 64;

void paste(Picture& sheet, const Picture& tile, int left, int top)
{
    const size_t rowBytes = static_cast<size_t>(tile.width) * 3;
    for (int y = 0; y < tile.height; ++y)
        std::memcpy(&sheet.rgb[(static_cast<size_t>(top + y) * sheet.width + left) * 3],
                    &tile.rgb[y * rowBytes], rowBytes);
}

}  // namespace

Picture contactSheet(const std::vector<Picture>& tiles)
{
    if (tiles.empty())
        return {};
    const int count = static_cast<int>(tiles.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
    const int rows = (count + columns - 1) / columns;
    const int tileWidth = tiles[0].width;
    const int tileHeight = tiles[0].height;

    Picture sheet;
    sheet.width = columns * (tileWidth + gutter) + gutter;
    sheet.height = rows * (tileHeight + gutter) + gutter;
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, gutterGrey);
    for (int i = 0; i < count; ++i)
        paste(sheet, tiles[i], gutter + (i % columns) * (tileWidth + gutter),
              gutter + (i / columns) * (tileHeight + gutter));
    return sheet;
}
