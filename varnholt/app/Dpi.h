#pragma once
// Layout numbers are pixels at 96 DPI; they are scaled with the window's DPI.
#include <windows.h>

#include <vector>

#include "framework/Dress.h"

using fw::WindowDpi;

struct DpiScale {
    int dpi = 96;
    int operator()(int pixels) const { return MulDiv(pixels, dpi, 96); }
};

// Where one window goes; client coordinates of its parent (the progress window's
// are the main window's client coordinates too; the caller converts them).
struct Placement {
    int id;
    int x, y, width, height;
    bool operator==(const Placement&) const = default;
};

// Pseudo-ids of the two windows that are not controls of the main window.
inline constexpr int kProgressWindowSlot = -1;
inline constexpr int kWelcomePanelSlot = -2;

// The main window's layout for a client area of w x h pixels. Controls of the
// welcome panel (its rules, title and texts) are placed in the panel's
// coordinates, computed with the main window's width.
std::vector<Placement> MainWindowLayout(int w, int h, int dpi);
