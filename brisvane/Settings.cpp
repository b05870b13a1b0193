#include "brisvane/Settings.h"

#include <iterator>

#include "brisvane/ModuleAccess.h"
#include "brisvane/ModuleContract.h"
#include "brisvane/TextNumbers.h"
#include "framework/Ui.h"
#include "resources/brisvane/resource.h"

namespace {

struct LimitControls {
    contract::Module module;
    int check;
    int edit;
};
constexpr LimitControls kLimits[] = {
    {contract::Module::Flintrask, IDC_LIMIT_FLINTRASK, IDC_LIMIT_FLINTRASK_TEXT},
    {contract::Module::Wickerlume, IDC_LIMIT_WICKERLUME, IDC_LIMIT_WICKERLUME_TEXT},
};

}  // namespace

CSettings::CSettings() : fw::Dialog(IDD_SETTINGS) {
    for (size_t i = 0; i < std::size(kLimits); ++i)
        exchange_.Check(kLimits[i].check, limited_[i]).Text(kLimits[i].edit, limitTexts_[i]);
}

bool CSettings::OnInitDialog() {
    InitSettings();
    return true;
}

void CSettings::InitSettings() {
    store_.GetConfigPath();
    texts_.LoadTexts();
    Item(IDC_LIMIT_GROUP).SetText(texts_.GetText(txt::kSearchLimitGroup));
    Item(IDC_LIMIT_EXPLAINED).SetText(texts_.GetText(txt::kSearchLimitExplained));
    Item(IDCANCEL).SetText(texts_.GetText(txt::kCancel));
    std::wstring problems;
    for (size_t i = 0; i < std::size(kLimits); ++i) {
        const auto& info = contract::Info(kLimits[i].module);
        std::wstring limit;
        try {
            limit = store_.ReadModuleConfigValue(info.subfolder, contract::kMaxSearch);
            readable_[i] = true;
        } catch (const fw::Error& e) {
            // A limit that cannot be read cannot be changed either: its controls stay off.
            readable_[i] = false;
            problems += (problems.empty() ? L"" : L"\n\n") + StoreProblemText(texts_, info, e);
        }
        limited_[i] = readable_[i] && limit != contract::kNoLimit ? 1 : 0;
        limitTexts_[i] = limited_[i] ? limit : L"";
    }
    exchange_.Load(hwnd());
    for (size_t i = 0; i < std::size(kLimits); ++i) {
        Item(kLimits[i].check).Enable(readable_[i]);
        Item(kLimits[i].edit).Enable(readable_[i] && limited_[i]);
    }
    if (!problems.empty())
        fw::ShowMessageBox(hwnd(), problems, texts_.GetText(txt::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}

bool CSettings::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    for (size_t i = 0; i < std::size(kLimits); ++i)
        if (id == kLimits[i].check) {
            ToggleLimit(static_cast<int>(i));
            return true;
        }
    return false;
}

void CSettings::ToggleLimit(int index) {
    const auto& limit = kLimits[index];
    Item(limit.edit).Enable(Item<fw::Button>(limit.check).IsChecked());
}

void CSettings::OnOK() { SaveSettings(); }

void CSettings::SaveSettings() {
    exchange_.Store(hwnd());
    bool stayOpen = false;
    for (size_t i = 0; i < std::size(kLimits); ++i) {
        if (!readable_[i]) continue;
        const bool last = i + 1 == std::size(kLimits);
        if (!limited_[i]) {
            if (!WriteLimit(static_cast<int>(i), contract::kNoLimit)) return;
        } else if (PowerClass::TextToInt(limitTexts_[i]) > 0) {
            if (!WriteLimit(static_cast<int>(i), limitTexts_[i])) return;
        } else {
            // Refused: the field is the one to correct.
            HWND field = GetDlgItem(hwnd(), kLimits[i].edit);
            SetFocus(field);
            fw::Edit(field).SetSel(0, -1);
            if (last) return;
            stayOpen = true;
        }
    }
    if (!stayOpen) End(IDOK);
}

bool CSettings::WriteLimit(int index, const std::wstring& text) {
    const auto& info = contract::Info(kLimits[index].module);
    try {
        store_.WriteModuleConfigValue(info.subfolder, contract::kMaxSearch, text);
        return true;
    } catch (const fw::Error& e) {
        fw::ShowMessageBox(hwnd(), StoreProblemText(texts_, info, e), texts_.GetText(txt::kMessageCaption),
                           MB_OK | MB_ICONEXCLAMATION);
        HWND field = GetDlgItem(hwnd(), kLimits[index].edit);
        SetFocus(field);
        fw::Edit(field).SetSel(0, -1);
        return false;
    }
}
