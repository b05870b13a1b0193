#include "framework/Dress.h"

#include <commctrl.h>

namespace fw {

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (forWindow)
        if (UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? dpi : 96;
}

int MetricForDpi(int metric, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return forDpi ? forDpi(metric, static_cast<UINT>(dpi)) : GetSystemMetrics(metric);
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::wstring& text) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

Bitmap LoadMenuPicture(HWND window, int bitmapId) {
    const int dpi = WindowDpi(window);
    return Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                                  MetricForDpi(SM_CXMENUCHECK, dpi),
                                                  MetricForDpi(SM_CYMENUCHECK, dpi), 0)));
}

std::vector<Bitmap> SetMenuPictures(HWND window, HMENU menu, const MenuPicture* pictures, size_t count) {
    std::vector<Bitmap> bitmaps;
    for (size_t i = 0; i < count; ++i) {
        const MenuPicture& picture = pictures[i];
        HMENU popup = GetSubMenu(menu, picture.popup);
        if (popup && picture.submenu >= 0) popup = GetSubMenu(popup, picture.submenu);
        Bitmap bitmap = LoadMenuPicture(window, picture.bitmap);
        if (!popup || !bitmap) continue;
        SetMenuItemBitmaps(popup, static_cast<UINT>(picture.position), MF_BYPOSITION, bitmap.get(), bitmap.get());
        bitmaps.push_back(std::move(bitmap));
    }
    return bitmaps;
}

HWND CreateTooltips(HWND owner, const std::vector<std::pair<int, std::wstring>>& tips) {
    HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip) return nullptr;
    for (const auto& [id, text] : tips) {
        std::wstring copy = text;
        TTTOOLINFOW info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(owner, id));
        info.lpszText = copy.data();
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(tooltip, TTM_ACTIVATE, TRUE, 0);
    return tooltip;
}

bool AnswerAsIcon(HWND window, HICON icon, UINT message, LRESULT& result) {
    if (message == WM_QUERYDRAGICON) {
        result = reinterpret_cast<LRESULT>(icon);
        return true;
    }
    if (message != WM_PAINT || !IsIconic(window)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r;
    GetClientRect(window, &r);
    DrawIcon(dc, (r.right - GetSystemMetrics(SM_CXICON) + 1) / 2, (r.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2,
             icon);
    EndPaint(window, &paint);
    result = 0;
    return true;
}

}  // namespace fw
