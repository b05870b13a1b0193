#include "varnholt/app/StartDialog.h"

#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

CStartDialog::CStartDialog() : fw::Dialog(IDD_WELCOME) {}

bool CStartDialog::OnInitDialog() {
    texts_.Load();
    Item(IDC_WELCOME_TITLE).SetText(texts_.GetText(txt::kWelcomeTitle));
    Item(IDC_WELCOME_TEXT1).SetText(texts_.GetText(txt::kWelcomeText1));
    Item(IDC_WELCOME_TEXT2).SetText(texts_.GetText(txt::kWelcomeText2));
    Item(IDC_WELCOME_TEXT3).SetText(texts_.GetText(txt::kWelcomeText3));
    // 23 pixels at 96 DPI, like every other layout number.
    DpiScale scale{WindowDpi(hwnd())};
    titleFont_.reset(CreateFontW(scale(23), 0, 0, 0, 100, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                 CLIP_CHARACTER_PRECIS, PROOF_QUALITY, VARIABLE_PITCH, L"Tahoma"));
    Item(IDC_WELCOME_TITLE).SetFont(titleFont_.get(), true);
    background_.reset(CreateSolidBrush(RGB(240, 240, 240)));
    return true;
}

void CStartDialog::LayoutControls(const std::vector<Placement>& placements) {
    if (!hwnd()) return;
    for (const auto& p : placements) {
        switch (p.id) {
            case IDC_WELCOME_UPPER_RULE:
            case IDC_WELCOME_LOWER_RULE:
            case IDC_WELCOME_TITLE:
            case IDC_WELCOME_TEXT1:
            case IDC_WELCOME_TEXT2:
            case IDC_WELCOME_TEXT3:
                Item(p.id).Move(p.x, p.y, p.width, p.height);
                break;
        }
    }
}

HBRUSH CStartDialog::OnCtlColor(HDC dc, HWND control, UINT) {
    switch (GetDlgCtrlID(control)) {
        case IDC_WELCOME_TITLE:
            SetTextColor(dc, RGB(0, 120, 28));
            SetBkMode(dc, TRANSPARENT);
            break;
        case IDC_WELCOME_TEXT3:
            SetTextColor(dc, RGB(30, 30, 30));
            SetBkMode(dc, TRANSPARENT);
            break;
        case IDC_WELCOME_TEXT1:
        case IDC_WELCOME_TEXT2:
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkMode(dc, TRANSPARENT);
            break;
    }
    return background_.get();
}
