#include "brisvane/Tiles.h"

#include <iterator>

namespace {

RECT Scaled(int left, int top, int width, int height, int dpi) {
    return {MulDiv(left, dpi, 96), MulDiv(top, dpi, 96), MulDiv(left + width, dpi, 96), MulDiv(top + height, dpi, 96)};
}

// The labels cover the pictures' last 27 rows of each tile row.
constexpr int kLabelHeight = 27;
constexpr int kLabelTops[] = {232, 232, 232, 232, 382, 382};

}  // namespace

int TileAt(int x, int y, int dpi) {
    // Whole pixels of the table: a point belongs to the pixel it falls in, not the nearest.
    const int px = x * 96 / dpi;
    const int py = y * 96 / dpi;
    for (size_t i = 0; i < std::size(kTileBounds); ++i) {
        const TileBounds& t = kTileBounds[i];
        if (px >= t.left && px <= t.right && py >= t.top && py <= t.bottom) return static_cast<int>(i);
    }
    return -1;
}

RECT FirstPictureRect(int dpi) { return Scaled(kTileBounds[0].left, kTileBounds[0].top, 283, 281, dpi); }

RECT SecondPictureRect(int dpi) { return Scaled(kTileBounds[2].left, kTileBounds[2].top, 283, 131, dpi); }

RECT LabelRect(int module, int dpi) {
    const TileBounds& t = kTileBounds[module];
    return Scaled(t.left, kLabelTops[module], t.right - t.left + 1, kLabelHeight, dpi);
}
