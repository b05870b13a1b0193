#include "brisvane/Progress.h"

#include "brisvane/TextNumbers.h"
#include "resources/brisvane/resource.h"

namespace {
constexpr int kGroups[] = {IDC_STEP1_GROUP, IDC_STEP2_GROUP, IDC_STEP3_GROUP};
constexpr int kBars[] = {IDC_STEP1_BAR, IDC_STEP2_BAR, IDC_STEP3_BAR};
}  // namespace

CProgress::CProgress() : fw::Dialog(IDD_ONECLICK_PROGRESS) {}

bool CProgress::OnInitDialog() {
    whiteBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    cancelRequested = false;
    SetBarRange(1, 100);
    SetBarRange(2, 100);
    SetBarRange(3, 17);
    // Texts last: a language file that cannot be read leaves the panel working, with its template's texts.
    texts_.LoadTexts();
    const std::pair<int, int> texts[] = {{IDC_STEP1_GROUP, txt::kStep1Group}, {IDC_STEP2_GROUP, txt::kStep2Group},
                                         {IDC_STEP3_GROUP, txt::kStep3Group}, {IDCANCEL, txt::kCancel}};
    for (auto [id, number] : texts) Item(id).SetText(texts_.GetText(number));
    return true;
}

bool CProgress::OnCommand(int id, int, HWND) {
    if (id != IDCANCEL) return false;
    cancelRequested = true;
    return true;
}

HBRUSH CProgress::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (message != WM_CTLCOLORDLG && GetDlgCtrlID(control) == IDC_STEP1_BAR) {
        SetBkMode(dc, TRANSPARENT);
        return nullptr;
    }
    return whiteBrush_.get();
}

void CProgress::EnableStep(int step, bool enable) {
    Item(kGroups[step - 1]).Enable(enable);
    // Not every group box repaints its caption on a change of state by itself.
    Item(kGroups[step - 1]).Invalidate();
}

void CProgress::SetBarRange(int step, int upper) { Item<fw::ProgressBar>(kBars[step - 1]).SetRange(0, upper & 0xFFFF); }

void CProgress::SetBarPos(int step, int position) { Item<fw::ProgressBar>(kBars[step - 1]).SetPos(position); }
