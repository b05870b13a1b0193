// Every window of the shell in each language of the shipped language file: the
// access letters are unique and the texts fit their controls.
#include <gtest/gtest.h>

#include "brisvane/AboutDlg.h"
#include "brisvane/BrisvaneDlg.h"
#include "brisvane/Progress.h"
#include "brisvane/Settings.h"
#include "brisvane/TextNumbers.h"
#include "common/LanguageDialog.h"
#include "common/Translation.h"
#include "tests/brisvane/Suite.h"
#include "tests/support/TextChecks.h"

using namespace brisvane_tests;
using namespace testing_support;

namespace {

// The language's suite, and the shell's window as the program opens it.
class Translated : public ::testing::TestWithParam<LanguageCase> {
protected:
    Translated() : suite_(GetParam().code) {
        shell_.Create(nullptr);
        Flush();
        texts_.LoadTexts();
    }
    ~Translated() override { shell_.Destroy(); }
    const char* Language() const { return GetParam().name; }

    // Each window made as the shell makes it, with the shell as its owner.
    template <class Window>
    void Check(const std::string& name, Window& window) {
        ASSERT_TRUE(window.Create(shell_.hwnd()));
        ExpectWindowTexts(Language(), name, window.hwnd());
        window.Destroy();
    }

    Suite suite_;
    MessageBoxRecorder boxes_;
    CBrisvaneDlg shell_;
    CTranslation texts_;
};

TEST_P(Translated, MainWindow) { ExpectWindowTexts(Language(), "main window", shell_.hwnd()); }

TEST_P(Translated, OneClickProgress) {
    CProgress progress;
    Check("one-click progress", progress);
}

TEST_P(Translated, OneClickSettings) {
    CSettings settings;
    Check("1-Click settings", settings);
}

TEST_P(Translated, AboutBox) {
    CAboutDlg about;
    Check("about box", about);
}

TEST_P(Translated, LanguageSelection) {
    CLanguage dialog;
    dialog.labelText = texts_.GetText(txt::kSelectLanguage);
    dialog.languageCode = GetParam().code;
    Check("language selection", dialog);
}

INSTANTIATE_TEST_SUITE_P(Languages, Translated, ::testing::ValuesIn(kLanguages), LanguageName);

}  // namespace
