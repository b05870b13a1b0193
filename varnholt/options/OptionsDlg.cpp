#include "varnholt/options/OptionsDlg.h"

#include <commctrl.h>

#include "framework/Errors.h"
#include "framework/Ui.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

constexpr int kTabTitles[] = {txt::kTabCriteria, txt::kTabCategories, txt::kTabFilters, txt::kTabExceptions,
                              txt::kTabGeneral};

}  // namespace

COptionsDlg::COptionsDlg()
    : fw::Dialog(IDD_OPTIONS),
      criteria_(working_, texts_),
      categories_(working_, texts_),
      filters_(working_, texts_),
      exceptions_(working_, texts_),
      general_(working_, texts_),
      pages_{&criteria_, &categories_, &filters_, &exceptions_, &general_} {
    // The classes of the date picker, the tabs and the list, before any template names them.
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof init;
    init.dwICC = ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&init);
}

bool COptionsDlg::Run(HWND owner) { return DoModal(owner) == IDOK; }

bool COptionsDlg::OnInitDialog() {
    try {
        Initialise();
    } catch (const fw::Error& e) {
        // A dialog that could not read its settings would show and store nonsense.
        fw::ShowErrorMessage(hwnd(), e.Message());
        End(IDCANCEL);
        return true;
    }
    SetFocus(Item(IDC_OPTIONS_TABS));
    return false;
}

void COptionsDlg::Initialise() {
    // The pages work on a copy: what they take before OK never reaches the caller.
    working_ = settings;
    texts_.Load();
    store_.GetConfigPath();
    general_.copyPath = store_.ReadConfigValue(L"CopyPath");
    store_.SplitText(store_.ReadConfigValue(L"Categories"), L';');
    categories_.categoryParts = store_.SplitParts;

    Item(IDCANCEL).SetText(texts_.GetText(txt::kCancel));
    Item(IDC_OPTIONS_HELP).SetText(texts_.GetText(txt::kMenuHelp));
    auto tabs = Item<fw::TabControl>(IDC_OPTIONS_TABS);
    tabs.DeleteAllItems();
    for (int page = 0; page < PageCount; ++page) tabs.InsertItem(page, texts_.GetText(kTabTitles[page]));

    for (COptionsPage* page : pages_) {
        if (!page->Create(hwnd())) throw fw::FailureError();
        // Above the tab control, which would otherwise paint over it.
        SetWindowPos(page->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    tabs.SetCurSel(Criteria);
    ShowPage(Criteria);

    CreateTooltips(hwnd(),
                   {{IDC_OPTIONS_HELP, txt::kTipHelp},
                    {IDCANCEL, txt::kTipCancel},
                    {IDOK, txt::kTipSave},
                    {IDC_OPTIONS_TABS, txt::kTipPages}},
                   texts_);
}

void COptionsDlg::ShowPage(int page) {
    for (COptionsPage* p : pages_) ShowWindow(p->hwnd(), SW_HIDE);
    if (page < 0 || page >= PageCount) return;
    current_ = page;
    ShowWindow(pages_[page]->hwnd(), SW_SHOW);
}

LRESULT COptionsDlg::OnNotify(NMHDR* header) {
    if (header->idFrom == IDC_OPTIONS_TABS && header->code == TCN_SELCHANGE)
        ShowPage(Item<fw::TabControl>(IDC_OPTIONS_TABS).GetCurSel());
    return 0;
}

bool COptionsDlg::OnCommand(int id, int code, HWND) {
    if (id != IDC_OPTIONS_HELP || code != BN_CLICKED) return false;
    OpenHelp();
    return true;
}

bool COptionsDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_HELP) return false;
    OpenHelp();
    result = TRUE;
    return true;
}

void COptionsDlg::OpenHelp() { fw::ShellOpen(PowerClass::GetProgramFolder() + L"\\help.chm"); }

void COptionsDlg::OnOK() {
    for (int page = 0; page < PageCount; ++page) {
        if (pages_[page]->Store(fw::DataExchange::OnFailure::Quiet)) continue;
        // The field to correct must be visible before it can take the focus.
        Item<fw::TabControl>(IDC_OPTIONS_TABS).SetCurSel(page);
        ShowPage(page);
        pages_[page]->Store(fw::DataExchange::OnFailure::Tell);
        return;
    }
    for (COptionsPage* page : pages_) page->Apply();
    store_.WriteConfigValue(L"CopyPath", general_.copyPath);
    settings = working_;
    End(IDOK);
}
