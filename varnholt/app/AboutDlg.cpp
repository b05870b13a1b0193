#include "varnholt/app/AboutDlg.h"

#include "framework/Errors.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
    // Without readable files the built-in English texts stand in; the main window has said what is missing.
    texts_.Load();
    SetWindowTextW(hwnd(), texts_.GetText(txt::kAboutCaption).c_str());
    Item(IDC_ABOUT_VERSION).SetText(texts_.GetText(txt::kAboutVersion));
    Item(IDC_ABOUT_TEXT).SetText(texts_.GetText(txt::kAboutText));
    std::wstring version;
    try {
        store_.GetConfigPath();
        version = store_.ReadConfigValue(L"Version");
    } catch (const fw::Error&) {
    }
    if (PowerClass::CountLetterH(version) > 0) Item(IDC_ABOUT_VERSION).SetText(L"Glimmerfen Version 2");
    return true;
}
