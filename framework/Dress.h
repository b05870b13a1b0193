#pragma once
// What the programs' windows share in dressing themselves: their DPI, menu texts
// and pictures, tooltips.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Handles.h"

namespace fw {

// The window's DPI: GetDpiForWindow where the system has it, else the screen's LOGPIXELSX.
int WindowDpi(HWND window);
// A system metric at a DPI, where the system can tell it; else at the screen's.
int MetricForDpi(int metric, int dpi);

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::wstring& text);
// A bitmap resource at the size of a menu's check mark at the window's DPI, so
// that menu pictures scale with the screen.
Bitmap LoadMenuPicture(HWND window, int bitmapId);

// A picture beside a menu item: in popup `popup` of the menu, or in its popup
// `submenu` when that is not -1, at `position`.
struct MenuPicture {
    int popup;
    int submenu;
    int position;
    int bitmap;
};
// Puts the pictures beside their items; the bitmaps must live as long as the menu shows them.
template <size_t N>
std::vector<Bitmap> SetMenuPictures(HWND window, HMENU menu, const MenuPicture (&pictures)[N]) {
    return SetMenuPictures(window, menu, pictures, N);
}
std::vector<Bitmap> SetMenuPictures(HWND window, HMENU menu, const MenuPicture* pictures, size_t count);

// A tooltip window for the owner's controls (by id, with their texts); it watches
// the controls' mouse messages itself. Destroyed with its owner.
// A minimised main window: paints `icon` centred in its client area and offers it
// as its drag image. True when the message was answered (`result` holds the answer).
bool AnswerAsIcon(HWND window, HICON icon, UINT message, LRESULT& result);

HWND CreateTooltips(HWND owner, const std::vector<std::pair<int, std::wstring>>& tips);

}  // namespace fw
