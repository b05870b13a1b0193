#include "varnholt/options/OptionsPage.h"

#include <commctrl.h>

#include <string>

#include "framework/Dress.h"
#include "varnholt/engine/TextNumbers.h"

bool COptionsPage::OnInitDialog() {
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    exchange_.SetMessages(texts_.GetText(txt::kEnterInteger), texts_.GetText(txt::kEnterIntegerInRange));
    Initialise();
    // The dialog decides where the focus goes.
    return false;
}

HBRUSH COptionsPage::OnCtlColor(HDC dc, HWND, UINT) {
    SetBkColor(dc, RGB(255, 255, 255));
    return white_.get();
}

void COptionsPage::OnOK() { SendMessageW(GetParent(hwnd()), WM_COMMAND, IDOK, 0); }

void COptionsPage::OnCancel() { SendMessageW(GetParent(hwnd()), WM_COMMAND, IDCANCEL, 0); }

void COptionsPage::SetTexts(std::initializer_list<ControlText> texts) {
    for (auto [id, number] : texts) Item(id).SetText(texts_.GetText(number));
}

void CreateTooltips(HWND owner, std::initializer_list<ControlText> tips, const TextSource& texts) {
    std::vector<std::pair<int, std::wstring>> texted;
    for (auto [id, number] : tips) texted.emplace_back(id, texts.GetText(number));
    fw::CreateTooltips(owner, texted);
}

int ListIndex(wchar_t character, int count, int fallback) {
    // As the search reads it: a character that is no digit counts as 0.
    const int index = character >= L'0' && character <= L'9' ? character - L'0' : 0;
    return index < count ? index : fallback;
}

wchar_t IndexDigit(int index) { return static_cast<wchar_t>(L'0' + (index >= 0 && index <= 9 ? index : 0)); }
