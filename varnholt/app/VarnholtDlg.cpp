#include "varnholt/app/VarnholtDlg.h"

CVarnholtDlg::CVarnholtDlg()
    : fw::Dialog(IDD_VARNHOLT), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {}

bool CVarnholtDlg::OnInitDialog() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return true;
}
