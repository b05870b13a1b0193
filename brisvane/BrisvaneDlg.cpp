#include "brisvane/BrisvaneDlg.h"

CBrisvaneDlg::CBrisvaneDlg()
    : fw::Dialog(IDD_BRISVANE), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {}

bool CBrisvaneDlg::OnInitDialog() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return true;
}
