// Every window of Varnholt in each language of the shipped language file: the
// access letters are unique and the texts fit their controls.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/support/TextChecks.h"
#include "tests/varnholt/Installation.h"
#include "varnholt/app/AboutDlg.h"
#include "varnholt/app/Dpi.h"
#include "varnholt/app/LanguageSelection.h"
#include "varnholt/app/Progress.h"
#include "varnholt/app/VarnholtDlg.h"
#include "varnholt/app/WindowTexts.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/options/OptionsDlg.h"

using namespace testing_support;
using namespace varnholt_tests;

namespace {

// The language's installation, and its main window as the program opens it.
class Translated : public ::testing::TestWithParam<LanguageCase> {
protected:
    Translated() : installation_(Options(GetParam().code)) {
        window_.Create(nullptr);
        Flush();
        texts_.Load();
    }
    ~Translated() override { window_.Destroy(); }
    static InstallationOptions Options(const std::wstring& language) {
        InstallationOptions options;
        options.language = language;
        options.shippedLanguageFile = true;
        return options;
    }
    const char* Language() const { return GetParam().name; }

    Installation installation_;
    MessageBoxRecorder boxes_;
    CVarnholtDlg window_;
    WindowTexts texts_;
};

TEST_P(Translated, MainWindowAndWelcomePanel) {
    HWND main = window_.hwnd();
    ASSERT_TRUE(main);
    HWND welcome = FindWindowExW(main, nullptr, L"#32770", nullptr);
    ExpectWindowTexts(Language(), "welcome panel", welcome);
    // As after a search: the results and their buttons in their places too.
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != welcome) ShowWindow(child, SW_SHOWNA);
    ExpectWindowTexts(Language(), "main window", main);
}

TEST_P(Translated, ProgressWindow) {
    CProgress progress;
    ASSERT_TRUE(progress.Create(window_.hwnd()));
    RECT client = {};
    GetClientRect(window_.hwnd(), &client);
    for (const auto& p : MainWindowLayout(client.right, client.bottom, WindowDpi(window_.hwnd())))
        if (p.id == kProgressWindowSlot) MoveWindow(progress.hwnd(), p.x, p.y, p.width, p.height, FALSE);
    for (int status : {txt::kSearchingFiles, txt::kComparingFiles}) {
        progress.SetStatusText(texts_.GetText(status));
        ExpectWindowTexts(Language(), "progress window", progress.hwnd());
    }
    progress.Close();
}

TEST_P(Translated, AboutBox) {
    CAboutDlg about;
    ASSERT_TRUE(about.Create(window_.hwnd()));
    ExpectWindowTexts(Language(), "about box", about.hwnd());
    about.Destroy();
}

TEST_P(Translated, LanguageSelection) {
    // Filled as the main window's language command fills it.
    CLangaugeSelection dialog;
    dialog.labelText = texts_.GetText(txt::kSelectLanguage);
    dialog.languageCode = GetParam().code;
    ASSERT_TRUE(dialog.Create(window_.hwnd()));
    ExpectWindowTexts(Language(), "language selection", dialog.hwnd());
    dialog.Destroy();
}

TEST_P(Translated, OptionsAndItsPages) {
    PowerClass store;
    store.GetConfigPath();
    COptionsDlg options;
    LoadSearchSettings(options.settings, store);
    ASSERT_TRUE(options.Create(window_.hwnd()));
    HWND host = options.hwnd();
    ExpectTextsFit(Language(), "options", host);
    int index = 0;
    for (HWND page = FindWindowExW(host, nullptr, L"#32770", nullptr); page;
         page = FindWindowExW(host, page, L"#32770", nullptr), ++index) {
        const std::string name = "options page " + std::to_string(index);
        // A page is seen together with the dialog around it.
        ExpectAccessKeysUnique(Language(), name, page, host);
        ExpectTextsFit(Language(), name, page);
    }
    EXPECT_EQ(index, 5);
    options.Destroy();
}

INSTANTIATE_TEST_SUITE_P(Languages, Translated, ::testing::ValuesIn(kLanguages), LanguageName);

}  // namespace
