#include "brisvane/AboutDlg.h"

#include "brisvane/TextNumbers.h"
#include "resources/brisvane/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
    try {
        texts_.LoadTexts();
    } catch (const fw::Error&) {
        return true;  // the template's English texts stay; the main window has said what is missing
    }
    SetWindowTextW(hwnd(), texts_.GetText(txt::kAboutCaption).c_str());
    Item(IDC_ABOUT_VERSION).SetText(texts_.GetText(txt::kAboutVersion));
    Item(IDC_ABOUT_TEXT).SetText(texts_.GetText(txt::kAboutText));
    return true;
}
