#include "ravelboot/RavelbootDlg.h"

CRavelbootDlg::CRavelbootDlg()
    : fw::Dialog(IDD_RAVELBOOT), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {}

bool CRavelbootDlg::OnInitDialog() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return true;
}
