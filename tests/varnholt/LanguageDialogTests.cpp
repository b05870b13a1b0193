#include <gtest/gtest.h>

#include "varnholt/app/LanguageSelection.h"
#include "framework/Controls.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/varnholt/DialogDriver.h"
#include "tests/varnholt/Installation.h"

using namespace testing_support;
using namespace varnholt_tests;

namespace {

using Languages = std::vector<std::pair<std::wstring, std::wstring>>;

TEST(LanguageList, ParseCases) {
    struct Case {
        const char* name;
        std::vector<std::wstring> lines;
        Languages expected;
    };
    const Case cases[] = {
        {"two sections",
         {L"anything before", L"[1033]", L"00001 Please select", L"00002 English", L"00003 x", L"[EOL]", L"[1031]",
          L"00001 Bitte", L"00002 Deutsch", L"[EOL]"},
         {{L"[1033]", L"English"}, {L"[1031]", L"Deutsch"}}},
        {"seven-character header is not listed", {L"[10331]", L"00001 a", L"00002 Five", L"[EOL]"}, {}},
        {"the name line is the second after the header, from its 7th character",
         {L"[1036]", L"00001 x", L"00002 Fran\u00E7ais"},
         {{L"[1036]", L"Fran\u00E7ais"}}},
        {"a short name line gives an empty name", {L"[1043]", L"00001 x", L"00002"}, {{L"[1043]", L""}}},
        {"a header at the end gives an empty name", {L"[1046]", L"00001 x"}, {{L"[1046]", L""}}},
        {"[EOL] is no header", {L"[EOL]", L"[EOL]"}, {}},
        {"a header as a name line is passed over",
         {L"[1034]", L"00001 x", L"[1031]", L"00001 y", L"00002 Deutsch"},
         {{L"[1034]", L""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseLanguageList(c.lines), c.expected);
    }
}

// Runs Varnholt's dialog with `current`; `act` works on the open dialog before OK.
std::wstring RunDialog(const std::wstring& current, const std::function<void(HWND)>& act,
                       std::wstring* shown = nullptr, std::wstring* label = nullptr,
                       const wchar_t* systemDefault = nullptr) {
    CLangaugeSelection dialog;
    dialog.labelText = L"Choose!";
    if (systemDefault) dialog.systemDefaultText = systemDefault;
    dialog.languageCode = current;
    DialogAnswer answer(L"Language Selection", [&](HWND h) {
        if (shown) *shown = fw::Window(GetDlgItem(h, IDC_LANGUAGE_COMBO)).GetText();
        if (label) *label = fw::Window(GetDlgItem(h, IDC_LANGUAGE_GROUP)).GetText();
        act(h);
        PostMessageW(h, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(answer.answered());
    return dialog.languageCode;
}

void Nothing(HWND) {}

TEST(LanguageDialog, UnsetLanguageShowsTheSystemDefaultAndOkKeepsIt) {
    Installation installation;
    std::wstring shown, label;
    EXPECT_EQ(RunDialog(L"[----]", Nothing, &shown, &label), L"[----]");
    EXPECT_EQ(shown, L"System default language");
    EXPECT_EQ(label, L"Choose!");
    // In the caller's language the same: its words show, and OK with them keeps the choice open.
    EXPECT_EQ(RunDialog(L"[----]", Nothing, &shown, &label, L"Standardsprache des Systems"), L"[----]");
    EXPECT_EQ(shown, L"Standardsprache des Systems");
}

TEST(LanguageDialog, CurrentLanguageShowsItsName) {
    Installation installation;
    std::wstring shown;
    EXPECT_EQ(RunDialog(L"[1031]", Nothing, &shown), L"[1031]");
    EXPECT_EQ(shown, L"Deutsch");
}

TEST(LanguageDialog, ListsTheNamesSorted) {
    Installation installation;
    std::vector<std::wstring> names;
    RunDialog(L"[1033]", [&](HWND h) {
        fw::ComboBox combo(GetDlgItem(h, IDC_LANGUAGE_COMBO));
        for (int i = 0; i < combo.GetCount(); ++i) names.push_back(combo.GetItemText(i));
    });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Deutsch", L"English"}));
}

TEST(LanguageDialog, ChoosingANameGivesItsCode) {
    Installation installation;
    EXPECT_EQ(RunDialog(L"[1033]", [](HWND h) { SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"Deutsch"); }), L"[1031]");
    EXPECT_EQ(RunDialog(L"[----]",
                        [](HWND h) {
                            fw::ComboBox combo(GetDlgItem(h, IDC_LANGUAGE_COMBO));
                            combo.SetCurSel(1);  // sorted: English
                        }),
              L"[1033]");
}

TEST(LanguageDialog, TextsThatNameNoLanguageKeepTheCode) {
    Installation installation;
    EXPECT_EQ(RunDialog(L"[1031]", [](HWND h) { SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"[1033]"); }), L"[1031]");
    EXPECT_EQ(RunDialog(L"[1031]", [](HWND h) { SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"english"); }), L"[1031]");
    EXPECT_EQ(
        RunDialog(L"[1031]", [](HWND h) { SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"System default language"); }),
        L"[1031]");
}

TEST(LanguageDialog, EscapeCancelsAndKeepsTheCode) {
    Installation installation;
    CLangaugeSelection dialog;
    dialog.languageCode = L"[1033]";
    DialogAnswer answer(L"Language Selection", [](HWND h) {
        SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"Deutsch");
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(dialog.languageCode, L"[1033]");
}

TEST(LanguageDialog, MissingLanguageFileIsReportedAndListsNothing) {
    InstallationOptions options;
    options.withLanguageFile = false;
    Installation installation(options);
    MessageBoxRecorder boxes;
    std::vector<std::wstring> names;
    EXPECT_EQ(RunDialog(L"[1033]",
                        [&](HWND h) {
                            fw::ComboBox combo(GetDlgItem(h, IDC_LANGUAGE_COMBO));
                            for (int i = 0; i < combo.GetCount(); ++i) names.push_back(combo.GetItemText(i));
                        }),
              L"[1033]");
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(boxes.asked.size(), 1u);
}

}  // namespace
