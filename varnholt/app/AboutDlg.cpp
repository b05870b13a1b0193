#include "varnholt/app/AboutDlg.h"

#include "framework/Errors.h"
#include "resources/varnholt/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
    std::wstring version;
    try {
        store_.GetConfigPath();
        version = store_.ReadConfigValue(L"Version");
    } catch (const fw::Error&) {
        // Without a configuration the box shows its own text; the main window has said what is missing.
    }
    if (PowerClass::CountLetterH(version) > 0) Item(IDC_ABOUT_VERSION).SetText(L"Glimmerfen Version 2");
    return true;
}
