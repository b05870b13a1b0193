#pragma once
// Varnholt's options dialog: a tab control over five pages that edit a working
// copy of the search settings. OK checks every page and only then hands the copy
// back; Cancel, Escape and closing leave the caller's settings as they were.
#include <array>
#include <string>

#include "common/PowerClass.h"
#include "framework/Dialog.h"
#include "varnholt/app/WindowTexts.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/options/Options1.h"
#include "varnholt/options/Options2.h"
#include "varnholt/options/Options3.h"
#include "varnholt/options/Options4.h"
#include "varnholt/options/Options5.h"

class COptionsDlg : public fw::Dialog {
public:
    COptionsDlg();

    // What the pages show when the dialog opens; after OK, what the user chose,
    // with the list choices in the options copy (optionsText) and the category
    // values in categoryValues. The dialog itself reads "Categories" and "CopyPath"
    // when it opens and writes "CopyPath" on OK.
    SearchSettings settings;

    // Runs the dialog modally; true after OK.
    bool Run(HWND owner);

    // The pages in the order of their tabs.
    enum Page { Criteria, Categories, Filters, Exceptions, General, PageCount };
    int CurrentPage() const { return current_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR* header) override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    void Initialise();
    void ShowPage(int page);
    void OpenHelp();

    SearchSettings working_;
    WindowTexts texts_;
    PowerClass store_;
    COptions1 criteria_;
    COptions5 categories_;
    COptions2 filters_;
    COptions3 exceptions_;
    COptions4 general_;
    std::array<COptionsPage*, PageCount> pages_;
    int current_ = Criteria;
};
