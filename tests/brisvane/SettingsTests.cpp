// The one-click settings and the suite's language change, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include "brisvane/BrisvaneDlg.h"
#include "brisvane/Settings.h"
#include "brisvane/TextNumbers.h"
#include "framework/Controls.h"
#include "tests/brisvane/Suite.h"

using namespace brisvane_tests;
using namespace contract;
using namespace testing_support;

namespace {

// The settings dialog, modeless so that the test drives it: OK destroys it when it closes.
class Settings {
public:
    Settings() { dialog_.Create(nullptr); }
    bool open() const { return dialog_.hwnd() != nullptr; }
    fw::Button Box(int id) const { return fw::Button(GetDlgItem(dialog_.hwnd(), id)); }
    fw::Window Field(int id) const { return fw::Window(GetDlgItem(dialog_.hwnd(), id)); }
    void Set(int box, int field, bool ticked, const std::wstring& text) {
        Box(box).SetCheck(ticked);
        Field(field).SetText(text);
    }
    void OK() { SendMessageW(dialog_.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

private:
    CSettings dialog_;
};

// Answers the next modal language selection from its own loop: picks a name and presses OK.
std::wstring g_chosen;

void CALLBACK AnswerWhenShown(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"Language Selection");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    SetDlgItemTextW(dialog, IDC_LANGUAGE_COMBO, g_chosen.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void AnswerLanguage(const std::wstring& name) {
    g_chosen = name;
    SetTimer(nullptr, 0, 20, &AnswerWhenShown);
}

}  // namespace

TEST(Settings, OpensWithTheLimitsOfBothModules) {
    Suite suite;
    suite.SetValue(Module::Wickerlume, kMaxSearch, L"2500");
    Settings settings;
    EXPECT_FALSE(settings.Box(IDC_LIMIT_FLINTRASK).IsChecked());
    EXPECT_FALSE(settings.Field(IDC_LIMIT_FLINTRASK_TEXT).IsEnabled());
    EXPECT_EQ(settings.Field(IDC_LIMIT_FLINTRASK_TEXT).GetText(), L"");
    EXPECT_TRUE(settings.Box(IDC_LIMIT_WICKERLUME).IsChecked());
    EXPECT_TRUE(settings.Field(IDC_LIMIT_WICKERLUME_TEXT).IsEnabled());
    EXPECT_EQ(settings.Field(IDC_LIMIT_WICKERLUME_TEXT).GetText(), L"2500");
    EXPECT_EQ(settings.Field(IDC_LIMIT_GROUP).GetText(), EnglishText(txt::kSearchLimitGroup));
    settings.Box(IDC_LIMIT_FLINTRASK).Click();
    EXPECT_TRUE(settings.Field(IDC_LIMIT_FLINTRASK_TEXT).IsEnabled());
}

TEST(Settings, OkStoresEachLimitAsTypedOrRefusesIt) {
    struct Case {
        const char* name;
        bool flintrask;
        const wchar_t* flintraskText;
        bool wickerlume;
        const wchar_t* wickerlumeText;
        const wchar_t* storedFlintrask;
        const wchar_t* storedWickerlume;
        bool staysOpen;
        size_t messages;
    };
    // Both stores hold 2500 beforehand.
    const Case cases[] = {
        {"kept", true, L"2500", true, L"2500", L"2500", L"2500", false, 0},
        {"no limits", false, L"", false, L"", L"---", L"---", false, 0},
        {"zero refused", true, L"0", false, L"", L"2500", L"---", true, 0},
        {"letters refused", true, L"300", true, L"abc", L"300", L"2500", true, 0},
        {"a digit and a letter", true, L"1a", true, L"40", L"1a", L"40", false, 0},
        {"not storable", true, L"1000\u20AC", true, L"40", L"2500", L"2500", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Suite suite;
        suite.SetValue(Module::Flintrask, kMaxSearch, L"2500");
        suite.SetValue(Module::Wickerlume, kMaxSearch, L"2500");
        MessageBoxRecorder boxes;
        Settings settings;
        settings.Set(IDC_LIMIT_FLINTRASK, IDC_LIMIT_FLINTRASK_TEXT, c.flintrask, c.flintraskText);
        settings.Set(IDC_LIMIT_WICKERLUME, IDC_LIMIT_WICKERLUME_TEXT, c.wickerlume, c.wickerlumeText);
        settings.OK();
        EXPECT_EQ(suite.Value(Module::Flintrask, kMaxSearch), c.storedFlintrask);
        EXPECT_EQ(suite.Value(Module::Wickerlume, kMaxSearch), c.storedWickerlume);
        EXPECT_EQ(settings.open(), c.staysOpen);
        EXPECT_EQ(boxes.asked.size(), c.messages);
    }
}

TEST(Language, AChoiceGoesToTheShellAndEveryModule) {
    Suite suite;
    const auto before = suite.StoreBytes();
    {
        // The same language again writes nothing.
        CBrisvaneDlg shell;
        shell.Create(nullptr);
        AnswerLanguage(L"English");
        SendMessageW(shell.hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LANGUAGE, 0), 0);
        EXPECT_EQ(suite.StoreBytes(), before);

        AnswerLanguage(L"Deutsch");
        SendMessageW(shell.hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LANGUAGE, 0), 0);
        EXPECT_EQ(fw::Window(GetDlgItem(shell.hwnd(), IDC_START)).GetText(), L"Start!");
        EXPECT_EQ(fw::Window(GetDlgItem(shell.hwnd(), IDC_USE_DEFAULTS)).GetText(), L"Standardeinstellungen verwenden");
        shell.Destroy();
    }
    for (const auto& module : kModules) EXPECT_EQ(suite.Value(module.module, kLanguage), L"[1031]") << module.name;
    PowerClass own;
    own.GetConfigPath();
    EXPECT_EQ(own.ReadConfigValue(L"Language"), L"[1031]");
}
