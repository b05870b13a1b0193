#include "ravelboot/RavelbootDlg.h"

#include "framework/Errors.h"
#include "framework/Ui.h"

CRavelbootDlg::CRavelbootDlg()
    : fw::Dialog(IDD_RAVELBOOT), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {}

bool CRavelbootDlg::OnInitDialog() {
    RunStarter();
    return true;
}

void CRavelbootDlg::RunStarter() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    try {
        power_.GetStarterConfigPath();
        const std::wstring now = PowerClass::FormatNowText(false);
        const int today = PowerClass::DayNumberSince2000(now.substr(0, 4), now.substr(4, 2), now.substr(6, 2));
        const int checkDate = PowerClass::TextToInt(power_.ReadConfigValue(L"CheckDate"));
        if (today >= checkDate) {
            const int interval = PowerClass::TextToInt(power_.ReadConfigValue(L"CheckTime"));
            // 0 means due on every run, and stays so.
            if (checkDate != 0) power_.WriteConfigValue(L"CheckDate", PowerClass::IntToText(today + interval));
            power_.WriteConfigValue(L"Startup", L"automatically");
            fw::ShellOpen(PowerClass::GetProgramFolder() + L"\\" + power_.ReadConfigValue(L"MainProgram"));
        }
    } catch (const fw::Error&) {
        // Nobody is there to answer a message: a starter that runs unattended
        // gives up silently instead of waiting behind an error box.
    }
    End(IDOK);
}
