#include "varnholt/options/Options4.h"

#include "common/PowerClass.h"
#include "framework/Ui.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

COptions4::COptions4(SearchSettings& settings, const TextSource& texts)
    : COptionsPage(IDD_OPTIONS_GENERAL, settings, texts) {
    SearchSettings& s = settings_;
    exchange_.Check(IDC_RECYCLE_ON_DELETE, s.recycleOnDelete)
        .Check(IDC_MAXIMIZE_ON_RESULTS, s.maximizeOnResults)
        .Check(IDC_KEEP_LAST_PATH, s.keepLastPath)
        .Check(IDC_PROTECT_READ_ONLY, s.protectReadOnly)
        .Text(IDC_COPY_PATH, copyPath);
}

void COptions4::Initialise() {
    SetTexts({{IDC_PAGE_PROMPT, txt::kSettingsPrompt},
              {IDC_GENERAL_GROUP, txt::kGeneralOptions},
              {IDC_RECYCLE_ON_DELETE, txt::kRecycleOnDelete},
              {IDC_MAXIMIZE_ON_RESULTS, txt::kMaximizeOnResults},
              {IDC_KEEP_LAST_PATH, txt::kKeepLastPath},
              {IDC_PROTECT_READ_ONLY, txt::kProtectReadOnly},
              {IDC_COPY_GROUP, txt::kCopyPathLabel},
              {IDC_COPY_BROWSE, txt::kBrowse},
              {IDC_COPY_SHOW_FOLDER, txt::kShowFolder}});
    exchange_.Load(hwnd());
}

bool COptions4::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_COPY_BROWSE: Browse(); return true;
        case IDC_COPY_SHOW_FOLDER: ShowFolder(); return true;
    }
    return false;
}

void COptions4::Browse() {
    auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseTitle));
    // Only the field changes: the page's other controls keep what the user set.
    if (folder) Item(IDC_COPY_PATH).SetText(*folder + L"\\...");
}

void COptions4::ShowFolder() {
    const std::wstring text = Item(IDC_COPY_PATH).GetText();
    const size_t cut = text.rfind(L'\\');
    // A text without a folder names nothing to open.
    if (cut == std::wstring::npos || cut == 0) return;
    fw::ShellOpen(text.substr(0, cut));
}
