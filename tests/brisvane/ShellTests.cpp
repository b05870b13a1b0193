// The shell's main window in this process, modeless, driven between messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <thread>

#include "brisvane/BrisvaneDlg.h"
#include "brisvane/Settings.h"
#include "brisvane/TextNumbers.h"
#include "brisvane/Tiles.h"
#include "framework/Controls.h"
#include "tests/brisvane/Suite.h"

using namespace brisvane_tests;
using namespace contract;
using namespace testing_support;

namespace {

// Answers program starts: records them, and says no for the missing ones.
class Starts {
public:
    explicit Starts(std::set<std::wstring> missing = {}) : missing_(std::move(missing)) {
        brisvane_hooks::startProgram = [this](const std::wstring& path) {
            std::wstring name = path.substr(path.rfind(L'\\') + 1);
            if (missing_.count(name)) return false;
            started.push_back(path);
            if (onStart) onStart(name);
            return true;
        };
    }
    ~Starts() { brisvane_hooks::startProgram = nullptr; }
    std::vector<std::wstring> started;
    std::function<void(const std::wstring& program)> onStart;

private:
    std::set<std::wstring> missing_;
};

// Wine answers GetCursorPos from the last SetCursorPos for 100 ms and from the
// display after that, which may not have followed (a warp is refused while the
// display is not ready): only the display's answer says where the pointer is.
bool MovePointerToCorner() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(0, 0);
        Flush(std::chrono::milliseconds(150));
        POINT at = {-1, -1};
        if (GetCursorPos(&at) && at.x == 0 && at.y == 0) return true;
    }
    return false;
}

class Shell {
public:
    Shell() {
        // The real pointer stays off the window (centred, it never covers the
        // screen's corner): only the moves a test sends count.
        static const bool pointerAway = MovePointerToCorner();
        EXPECT_TRUE(pointerAway) << "the pointer could not be moved off the window";
        window_.Create(nullptr);
        ShowWindow(window_.hwnd(), SW_SHOW);
        Flush();
    }
    ~Shell() { window_.Destroy(); }
    HWND hwnd() const { return window_.hwnd(); }
    CBrisvaneDlg& dialog() { return window_; }
    void Command(int id) { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Move(int x, int y) { SendMessageW(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Click() { SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0); }
    bool Visible() const { return IsWindowVisible(hwnd()) != FALSE; }
    std::wstring Text(int id) const { return fw::Window(GetDlgItem(hwnd(), id)).GetText(); }

private:
    CBrisvaneDlg window_;
};

}  // namespace

TEST(Tiles, BoundsAreInclusiveAndFollowTheDpi) {
    struct Case {
        int x, y, dpi, tile;
    };
    const Case cases[] = {
        {20, 200, 96, -1}, {21, 200, 96, 0},  {149, 200, 96, 0}, {150, 200, 96, -1}, {173, 128, 96, 1},
        {605, 258, 96, 3}, {300, 259, 96, -1}, {300, 281, 96, -1}, {100, 411, 96, 4}, {301, 300, 96, 5},
        {350, 300, 96, -1}, {42, 400, 192, 0}, {41, 400, 192, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(TileAt(c.x, c.y, c.dpi), c.tile) << c.x << "," << c.y << " at " << c.dpi;
}

TEST(Shell, OpensTranslatedWithItsTilesAndNoHighlight) {
    Suite suite;
    Shell shell;
    EXPECT_EQ(shell.Text(IDC_HEADLINE), L"Brisvane");
    EXPECT_EQ(shell.Text(IDC_INTRODUCTION), EnglishText(txt::kIntroduction));
    EXPECT_EQ(shell.Text(IDC_START), EnglishText(txt::kStart));
    EXPECT_EQ(shell.Text(IDC_DESCRIBE_OSTRELLE), EnglishText(txt::kDescribeOstrelle));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(shell.hwnd(), IDC_DESCRIBE_OSTRELLE)));
    EXPECT_EQ(shell.Text(IDC_LABEL_TRESSIVON), L"Tressivon");
    EXPECT_EQ(shell.dialog().hoverFlags, L"000000");
    wchar_t item[64] = {};
    GetMenuStringW(GetMenu(shell.hwnd()), ID_MODULES_OSTRELLE, item, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(item), L"  " + EnglishText(txt::kMenuOstrelle));
    // The picture lies on its tiles whatever the dialog font made of the template.
    RECT picture = {};
    GetWindowRect(GetDlgItem(shell.hwnd(), IDC_PICTURE_OTHERS), &picture);
    MapWindowPoints(nullptr, shell.hwnd(), reinterpret_cast<POINT*>(&picture), 2);
    EXPECT_EQ(picture.left, 21);
    EXPECT_EQ(picture.top, 128);
}

TEST(Shell, HoverHighlightsOneTileAndAClickStartsOnlyThat) {
    Suite suite;
    Starts starts;
    Shell shell;
    struct Step {
        int x, y;
        const wchar_t* flags;
    };
    // Straight from one tile onto the next clears first; the next move highlights.
    const Step steps[] = {{30, 200, L"100000"}, {31, 201, L"100000"}, {200, 200, L"000000"},
                          {201, 200, L"010000"}, {500, 300, L"000000"}, {30, 300, L"000010"}};
    for (const auto& step : steps) {
        shell.Move(step.x, step.y);
        EXPECT_EQ(shell.dialog().hoverFlags, step.flags) << step.x << "," << step.y;
    }
    shell.Move(500, 300);
    shell.Click();
    EXPECT_TRUE(starts.started.empty());
    EXPECT_TRUE(shell.Visible());
    shell.Move(480, 200);
    shell.Click();
    ASSERT_EQ(starts.started.size(), 1u);
    EXPECT_EQ(starts.started[0], suite.Folder() + L"\\Pembrast\\Pembrast.exe");
}

TEST(Shell, AModuleRunsWhileTheWindowWaitsHiddenAndTouchesNoStore) {
    Suite suite;
    Starts starts;
    Shell shell;
    const auto before = suite.StoreBytes();
    shell.Command(ID_MODULES_OSTRELLE);
    EXPECT_EQ(starts.started, std::vector<std::wstring>{suite.Folder() + L"\\Ostrelle\\Ostrelle.exe"});
    EXPECT_EQ(Suite::Registry(kActive), L"x");
    EXPECT_FALSE(shell.Visible());
    // A second start while one runs would take over its "active".
    shell.Command(ID_MODULES_PEMBRAST);
    EXPECT_EQ(starts.started.size(), 1u);
    Flush(std::chrono::milliseconds(500));
    EXPECT_FALSE(shell.Visible());
    EXPECT_EQ(suite.StoreBytes(), before);

    Suite::ClearRegistry();  // the module ends
    EXPECT_TRUE(WaitFor([&] { return shell.Visible(); }, std::chrono::seconds(3)));
    EXPECT_FALSE(Suite::RegistryHas(kActive));
    EXPECT_FALSE(shell.dialog().ModuleRunning());
}

TEST(Shell, FlintraskAloneRunsWithoutItsLimitAndGetsItBack) {
    Suite suite;
    suite.SetValue(Module::Flintrask, kMaxSearch, L"500");
    Starts starts;
    Shell shell;
    std::wstring whileStarting;
    starts.onStart = [&](const std::wstring&) { whileStarting = suite.Value(Module::Flintrask, kMaxSearch); };
    shell.Command(ID_MODULES_FLINTRASK);
    EXPECT_EQ(whileStarting, L"---");
    Flush(std::chrono::milliseconds(300));
    EXPECT_EQ(suite.Value(Module::Flintrask, kMaxSearch), L"---");
    Suite::SetRegistry(kActive, L"");  // empty is not "x": the module has ended
    EXPECT_TRUE(WaitFor([&] { return shell.Visible(); }, std::chrono::seconds(3)));
    EXPECT_EQ(suite.Value(Module::Flintrask, kMaxSearch), L"500");
}

TEST(Shell, AModuleThatCannotStartLeavesTheWindowUpAndSaysSo) {
    Suite suite;
    suite.SetValue(Module::Wickerlume, kMaxSearch, L"700");
    Starts starts({L"Wickerlume.exe"});
    MessageBoxRecorder boxes;
    Shell shell;
    shell.Command(ID_MODULES_WICKERLUME);
    EXPECT_TRUE(shell.Visible());
    EXPECT_FALSE(Suite::RegistryHas(kActive));
    EXPECT_EQ(suite.Value(Module::Wickerlume, kMaxSearch), L"700");
    ASSERT_EQ(boxes.asked.size(), 1u);
    const std::wstring path = suite.Folder() + L"\\Wickerlume\\Wickerlume.exe";
    EXPECT_EQ(boxes.asked[0].text, L"The module Wickerlume could not be started: its program \"" + path +
                                       L"\" is missing or cannot be run.");
    EXPECT_EQ(boxes.asked[0].caption, EnglishText(txt::kMessageCaption));
    // The next start is not held up by the failed one.
    shell.Command(ID_MODULES_OSTRELLE);
    EXPECT_EQ(starts.started.size(), 1u);
}

TEST(Shell, HelpAndWebSiteOpenTheirFiles) {
    Suite suite;
    ShellOpenRecorder opened;
    Shell shell;
    shell.Command(ID_HELP_PEMBRAST);
    shell.Command(ID_HELP_START_SCREEN);
    shell.Command(ID_HELP_TRESSIVON);
    shell.Command(ID_HELP_WEBSITE);
    SendMessageW(shell.hwnd(), WM_HELP, 0, 0);
    const std::wstring folder = suite.Folder();
    EXPECT_EQ(opened.opened, (std::vector<std::wstring>{folder + L"\\Pembrast\\help.chm", folder + L"\\help.chm",
                                                         folder + L"\\Tressivon\\help.chm",
                                                         L"https://www.quorvexsoft.example/", folder + L"\\help.chm"}));
}

TEST(Shell, OneClickRunHidesTheTilesAndLetsNoModuleStartMeanwhile) {
    Suite suite;
    Starts starts;
    MessageBoxRecorder boxes;
    Shell shell;
    shell.dialog().oneClickTiming.pauses = {std::chrono::milliseconds(0), std::chrono::milliseconds(0),
                                            std::chrono::milliseconds(0)};
    std::vector<std::wstring> during;
    std::vector<std::thread> modules;
    starts.onStart = [&](const std::wstring& program) {
        if (program != L"Flintrask.exe") {
            // The shell clears the value right after the start: the module answers a moment later.
            const wchar_t* value = program == L"Wickerlume.exe" ? kProgress2 : kProgress3;
            modules.emplace_back([value] {
                Sleep(200);
                Suite::SetRegistry(value, L"done");
            });
            return;
        }
        during.push_back(shell.Text(IDC_HEADLINE));
        during.push_back(IsWindowVisible(GetDlgItem(shell.hwnd(), IDC_PICTURE_OTHERS)) ? L"tiles" : L"no tiles");
        during.push_back(IsWindowVisible(shell.dialog().Progress().hwnd()) ? L"panel" : L"no panel");
        // The menu's module commands are greyed, and a start asked for all the same does nothing.
        during.push_back(GetMenuState(GetMenu(shell.hwnd()), ID_MODULES_VARNHOLT, MF_BYCOMMAND) & MF_GRAYED ? L"greyed"
                                                                                                         : L"enabled");
        shell.Command(ID_MODULES_VARNHOLT);
        Suite::SetRegistry(kProgress1Max, L"10");
        Suite::SetRegistry(kProgress1, L"done");
    };
    shell.Command(IDC_START);
    for (auto& module : modules) module.join();
    EXPECT_EQ(during, (std::vector<std::wstring>{EnglishText(txt::kHeadlineRunning), L"no tiles", L"panel", L"greyed"}));
    EXPECT_EQ(starts.started.size(), 3u);
    EXPECT_EQ(shell.Text(IDC_HEADLINE), EnglishText(txt::kHeadlineFinished));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(shell.hwnd(), IDC_PICTURE_OTHERS)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(shell.hwnd(), IDC_DESCRIBE_FLINTRASK)));
    EXPECT_EQ(shell.Text(IDC_INTRODUCTION), EnglishText(txt::kIntroduction));
    EXPECT_EQ(shell.dialog().Progress().hwnd(), nullptr);
    EXPECT_FALSE(GetMenuState(GetMenu(shell.hwnd()), ID_MODULES_VARNHOLT, MF_BYCOMMAND) & MF_GRAYED);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

// The three stand-in programs really started and driven through the registry:
// what each found in its store, and its own settings back after the run.
TEST(Shell, AOneClickRunDrivesTheRealModulesAndPutsTheirSettingsBack) {
    Suite suite;
    suite.InstallStandins();
    for (Module m : {Module::Flintrask, Module::Wickerlume, Module::Ostrelle}) suite.SetValue(m, L"Pace", L"1");
    const std::wstring own[] = {suite.Value(Module::Flintrask, kOptions), suite.Value(Module::Flintrask, kDrive),
                                suite.Value(Module::Wickerlume, kOptions), suite.Value(Module::Ostrelle, kOptions)};
    MessageBoxRecorder boxes;
    Shell shell;
    shell.dialog().oneClickTiming.pauses = {std::chrono::milliseconds(0), std::chrono::milliseconds(0),
                                            std::chrono::milliseconds(0)};
    shell.Command(IDC_START);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, EnglishText(txt::kOneClickFinished) + L"\n\n" + EnglishText(txt::kRanWithDefaults));
    const std::pair<Module, const char*> seen[] = {
        {Module::Flintrask, "OneClickMode=active;Options=0000000000000001010;Drive=C:;Use Defaults=true"},
        {Module::Wickerlume, "OneClickMode=active;Options=000000000000000000111111000000"},
        {Module::Ostrelle, "OneClickMode=active;Options=111111010011100001000100000000"}};
    for (const auto& [module, line] : seen)
        EXPECT_NE(ReadBytes(suite.StandinLog(module)).find(line), std::string::npos) << line;
    // The modules remove "active" as they end, the last one after the run.
    EXPECT_TRUE(WaitFor([] { return !Suite::RegistryHas(kActive); }));
    EXPECT_EQ(suite.Value(Module::Flintrask, kOptions), own[0]);
    EXPECT_EQ(suite.Value(Module::Flintrask, kDrive), own[1]);
    EXPECT_EQ(suite.Value(Module::Wickerlume, kOptions), own[2]);
    EXPECT_EQ(suite.Value(Module::Ostrelle, kOptions), own[3]);
    EXPECT_EQ(suite.Value(Module::Flintrask, kUseDefaults), L"false");
    for (Module m : {Module::Flintrask, Module::Wickerlume, Module::Ostrelle})
        EXPECT_EQ(suite.Value(m, kOneClickMode), L"---");
    for (const wchar_t* gone : {kProgress1, kProgressCancelled}) EXPECT_FALSE(Suite::RegistryHas(gone));
    EXPECT_EQ(Suite::Registry(kProgress1Max), L"40");
    EXPECT_EQ(Suite::Registry(kProgress2), L"done");
    EXPECT_EQ(Suite::Registry(kProgress3), L"done");
}
