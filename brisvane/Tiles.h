#pragma once
// Where the module tiles lie in the main window: fixed pixel rectangles at
// 96 DPI, scaled with the window's DPI. The two tile pictures and the module
// labels are placed on them, whatever the dialog font makes of the template.
#include <windows.h>

// Bounds in client pixels at 96 DPI, inclusive, in the order of the modules.
struct TileBounds {
    int left, top, right, bottom;
};
inline constexpr TileBounds kTileBounds[] = {
    {21, 128, 149, 258},  {173, 128, 301, 258}, {325, 128, 453, 258},
    {477, 128, 605, 258}, {21, 282, 149, 411},  {173, 282, 301, 411},
};

// The index of the module whose tile holds the client point (x, y), or -1.
int TileAt(int x, int y, int dpi = 96);

// Client rectangles of a window at `dpi`: the picture of Flintrask, Wickerlume,
// Varnholt and Tressivon (283 x 281 at 96 DPI), that of Ostrelle and Pembrast
// (283 x 131), and each module's label over the band at the foot of its tile.
RECT FirstPictureRect(int dpi);
RECT SecondPictureRect(int dpi);
RECT LabelRect(int module, int dpi);
