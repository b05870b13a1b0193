#include <gtest/gtest.h>

#include <optional>

#include "common/PowerClass.h"
#include "framework/Controls.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/varnholt/DialogDriver.h"
#include "tests/varnholt/Installation.h"
#include "varnholt/app/Dpi.h"
#include "varnholt/app/VarnholtDlg.h"
#include "varnholt/engine/EnglishTexts.h"
#include "varnholt/engine/ExceptionList.h"
#include "varnholt/engine/TextNumbers.h"

using namespace testing_support;
using namespace varnholt_tests;

namespace {


std::wstring ControlText(HWND window, int id) { return fw::Window(GetDlgItem(window, id)).GetText(); }
bool ControlVisible(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }

std::wstring MenuText(HWND window, UINT id) {
    wchar_t text[256] = {};
    GetMenuStringW(GetMenu(window), id, text, 256, MF_BYCOMMAND);
    return text;
}

// The main window, modeless, so that the test drives it between messages.
class MainWindow {
public:
    MainWindow() {
        created_ = window_.Create(nullptr);
        Flush();
    }
    ~MainWindow() { window_.Destroy(); }
    bool created() const { return created_; }
    HWND hwnd() const { return window_.hwnd(); }
    CVarnholtDlg& dialog() { return window_; }
    void Command(int id) { SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

private:
    CVarnholtDlg window_;
    bool created_ = false;
};

TEST(MainWindow, FirstStartCopiesTheTemplateAndMakesTheBackupFolder) {
    Installation installation;
    MessageBoxRecorder boxes;
    MainWindow window;
    ASSERT_TRUE(window.created());
    EXPECT_TRUE(Exists(installation.ConfigFile()));
    EXPECT_EQ(installation.ConfigValue(L"CopyPath"), installation.ConfigFolder() + L"\\Backup\\...");
    EXPECT_TRUE(Exists(installation.ConfigFolder() + L"\\Backup"));
    // The exception list was copied for this user and read from there.
    EXPECT_TRUE(Exists(installation.ConfigFolder() + L"\\0026exc.ini"));
    EXPECT_EQ(window.dialog().Settings().exceptions, (std::vector<std::wstring>{L"*\\Thumbs.db", L"*\\desktop.ini"}));
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(MainWindow, AnExistingCopyPathIsKept) {
    InstallationOptions options;
    options.copyPath = L"D:\\Keep\\...";
    Installation installation(options);
    MainWindow window;
    EXPECT_EQ(installation.ConfigValue(L"CopyPath"), L"D:\\Keep\\...");
    EXPECT_FALSE(Exists(installation.ConfigFolder() + L"\\Backup"));
}

TEST(MainWindow, OpensTranslatedWithTheWelcomePanel) {
    Installation installation;
    MainWindow window;
    HWND h = window.hwnd();
    EXPECT_EQ(ControlText(h, IDC_PATH_LABEL), L"EN15");
    EXPECT_EQ(ControlText(h, IDC_FIND), L"EN45");
    EXPECT_EQ(ControlText(h, IDC_OPTIONS), L"EN40");
    EXPECT_FALSE(ControlVisible(h, IDC_FOUND_LABEL));
    EXPECT_FALSE(ControlVisible(h, IDC_RESULTS_TREE));
    for (int id : {IDC_SAVE_RESULTS, IDC_EDIT_RESULTS, IDC_EXECUTE, IDC_SHOW_FOLDER, IDC_DELETE})
        EXPECT_FALSE(ControlVisible(h, id)) << id;
    HWND panel = window.dialog().StartPanel().hwnd();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(ControlText(panel, IDC_WELCOME_TITLE), L"EN50");
    EXPECT_EQ(ControlText(panel, IDC_WELCOME_TEXT3), L"EN65");
    EXPECT_EQ(MenuText(h, ID_FUNCTIONS_BROWSE), L"  EN425");
    EXPECT_EQ(MenuText(h, ID_FILE_EXIT), L"EN220");
    wchar_t top[64] = {};
    GetMenuStringW(GetMenu(h), 1, top, 64, MF_BYPOSITION);
    EXPECT_STREQ(top, L"EN405");
    EXPECT_FALSE(window.dialog().ResultsShown());
}

TEST(MainWindow, LastPathIsRestoredOnlyWhenKeptAndSet) {
    struct Case {
        const wchar_t* lastPath;
        bool keep;
        const wchar_t* field;
    };
    const Case cases[] = {
        {L"C:\\a\\...", true, L"C:\\a\\..."},
        {L"C:\\a\\...", false, L""},
        {L"---", true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keep);
        InstallationOptions options;
        options.lastPath = c.lastPath;
        options.keepLastPath = c.keep;
        Installation installation(options);
        MainWindow window;
        EXPECT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), c.field);
    }
}

TEST(MainWindow, ClosingStepsRunHoweverTheWindowCloses) {
    struct Case {
        const char* how;
        std::function<void(MainWindow&)> close;
        bool keep;
    };
    const Case cases[] = {
        {"close box", [](MainWindow& w) { SendMessageW(w.hwnd(), WM_CLOSE, 0, 0); }, true},
        {"Exit", [](MainWindow& w) { w.Command(ID_FILE_EXIT); }, true},
        {"Alt+F4", [](MainWindow& w) { SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }, true},
        {"destroyed", [](MainWindow& w) { DestroyWindow(w.hwnd()); }, true},
        {"close box, path not kept", [](MainWindow& w) { SendMessageW(w.hwnd(), WM_CLOSE, 0, 0); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        InstallationOptions options;
        options.keepLastPath = c.keep;
        Installation installation(options);
        SetSuiteActive();
        MainWindow window;
        ASSERT_TRUE(window.created());
        SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, L"C:\\typed\\...");
        // Spoil the user's exception file: closing writes the list back whole.
        WriteBytes(installation.ConfigFolder() + L"\\0026exc.ini", "spoilt");
        c.close(window);
        Flush();
        EXPECT_FALSE(IsWindow(window.hwnd()));
        EXPECT_FALSE(SuiteActiveExists());
        EXPECT_EQ(installation.ConfigValue(L"LastPath"), c.keep ? L"C:\\typed\\..." : L"---");
        EXPECT_EQ(ReadBytes(installation.ConfigFolder() + L"\\0026exc.ini"),
                  "Quorvexsoft Varnholt - Exceptions\r\n=======================================\r\n\r\n"
                  "*\\Thumbs.db\r\n*\\desktop.ini\r\n");
    }
}

TEST(MainWindow, EscapeAndEnterDoNotCloseTheWindow) {
    Installation installation;
    MessageBoxRecorder boxes;
    MainWindow window;
    SetSuiteActive();
    // Enter outside the path field.
    SetFocus(GetDlgItem(window.hwnd(), IDC_OPTIONS));
    window.Command(IDCANCEL);
    window.Command(IDOK);
    Flush();
    EXPECT_TRUE(IsWindow(window.hwnd()));
    EXPECT_TRUE(SuiteActiveExists());
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(MainWindow, EnterInThePathFieldStartsASearch) {
    Installation installation;
    MessageBoxRecorder boxes;
    MainWindow window;
    SetFocus(GetDlgItem(window.hwnd(), IDC_SEARCH_PATH));
    window.Command(IDOK);
    // An empty path: the search stops at its first step with translation 115.
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, L"EN115");
    EXPECT_EQ(boxes.asked[0].caption, L"EN5");
}

// A path list without folders, or with one that is not there, is told and
// searches nothing: no progress window, the welcome panel stays.
TEST(MainWindow, FindWithoutFoldersOrWithAMissingOneSearchesNothing) {
    TempDir data;
    const std::wstring gone = data / L"gone";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L"EN115"},
        {data.path() + L"\\...;" + gone + L"\\...", L"EN1205 " + gone},
        {L"tree", L"EN1205 tree"},
    };
    for (const auto& [list, said] : cases) {
        Installation installation;
        MessageBoxRecorder boxes;
        MainWindow window;
        SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, list.c_str());
        window.Command(IDC_FIND);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, said);
        EXPECT_EQ(window.dialog().Progress().hwnd(), nullptr);
        EXPECT_FALSE(ControlVisible(window.hwnd(), IDC_RESULTS_TREE));
        EXPECT_TRUE(IsWindowVisible(window.dialog().StartPanel().hwnd()));
    }
}

TEST(MainWindow, ResultCommandsNeedResults) {
    Installation installation;
    MessageBoxRecorder boxes;
    MainWindow window;
    for (int id : {ID_FILE_EDIT_RESULTS, ID_FILE_SAVE_RESULTS, ID_FUNCTIONS_EXECUTE, ID_FUNCTIONS_DELETE,
                   ID_FUNCTIONS_SHOW_FOLDER})
        window.Command(id);
    ASSERT_EQ(boxes.asked.size(), 5u);
    for (const auto& asked : boxes.asked) {
        EXPECT_EQ(asked.text, L"EN400");
        EXPECT_EQ(asked.caption, L"EN5");
    }
}

TEST(MainWindow, AddFolderPutsTheNewFolderFirst) {
    Installation installation;
    MainWindow window;
    fw::hooks::browseForFolder = [](const std::wstring&) { return std::optional<std::wstring>(L"D:\\b"); };
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, L"C:\\a\\...");
    window.Command(ID_FUNCTIONS_ADD_FOLDER);
    EXPECT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), L"D:\\b\\...;C:\\a\\...");
    window.Command(IDC_BROWSE);
    EXPECT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), L"D:\\b\\...");
    fw::hooks::browseForFolder = [](const std::wstring&) { return std::optional<std::wstring>(); };
    window.Command(ID_FUNCTIONS_ADD_FOLDER);
    EXPECT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), L"D:\\b\\...");
    fw::hooks::browseForFolder = nullptr;
}

TEST(MainWindow, LanguageChangeRetranslatesKeepsThePathAndDoesNotReload) {
    InstallationOptions options;
    options.lastPath = L"C:\\last\\...";
    Installation installation(options);
    MainWindow window;
    ASSERT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), L"C:\\last\\...");
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, L"C:\\typed\\...");
    // Changed on disk: a second loading would show them.
    installation.SetConfigValue(L"LastPath", L"C:\\other\\...");
    fw::WriteTextFile(installation.ConfigFolder() + L"\\0026exc.ini",
                      L"Quorvexsoft Varnholt - Exceptions\n===\n\n*.new\n");
    DialogAnswer answer(L"Language Selection", [](HWND h) {
        EXPECT_EQ(fw::Window(GetDlgItem(h, IDC_LANGUAGE_GROUP)).GetText(), L"EN1");
        SetDlgItemTextW(h, IDC_LANGUAGE_COMBO, L"Deutsch");
        PostMessageW(h, WM_COMMAND, IDOK, 0);
    });
    window.Command(ID_FILE_LANGUAGE);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(installation.ConfigValue(L"Language"), L"[1031]");
    EXPECT_EQ(ControlText(window.hwnd(), IDC_PATH_LABEL), L"DE15");
    EXPECT_EQ(MenuText(window.hwnd(), ID_FILE_EXIT), L"DE220");
    EXPECT_EQ(ControlText(window.dialog().StartPanel().hwnd(), IDC_WELCOME_TITLE), L"DE50");
    EXPECT_EQ(ControlText(window.hwnd(), IDC_SEARCH_PATH), L"C:\\typed\\...");
    EXPECT_EQ(window.dialog().Settings().exceptions, (std::vector<std::wstring>{L"*\\Thumbs.db", L"*\\desktop.ini"}));
    // One about item in the system menu, however often the window was initialised.
    HMENU system = GetSystemMenu(window.hwnd(), FALSE);
    int about = 0;
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        if (GetMenuItemID(system, i) == IDM_ABOUTBOX) ++about;
    EXPECT_EQ(about, 1);
}

TEST(MainWindow, ChoosingTheSameLanguageWritesNothing) {
    Installation installation;
    MainWindow window;
    std::string before = ReadBytes(installation.ConfigFile());
    DialogAnswer answer(L"Language Selection", [](HWND h) { PostMessageW(h, WM_COMMAND, IDOK, 0); });
    window.Command(ID_FILE_LANGUAGE);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(ReadBytes(installation.ConfigFile()), before);
}

TEST(MainWindow, MissingTemplateGivesOneMessageAndTheWindowOpens) {
    InstallationOptions options;
    options.withTemplate = false;
    Installation installation(options);
    MessageBoxRecorder boxes;
    MainWindow window;
    ASSERT_TRUE(window.created());
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(L"config.ini"), std::wstring::npos);
    // English texts stand in for the translation that could not be found.
    EXPECT_EQ(ControlText(window.hwnd(), IDC_FIND), L"F&ind Duplicates");
    window.Command(IDC_FIND);
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[1].text, L"Please enter or select a path to search for duplicates first!");
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.hwnd()));
    EXPECT_EQ(boxes.asked.size(), 2u);
}

TEST(MainWindow, MissingLanguageFileGivesOneMessageAndEnglishTexts) {
    InstallationOptions options;
    options.withLanguageFile = false;
    Installation installation(options);
    MessageBoxRecorder boxes;
    MainWindow window;
    ASSERT_TRUE(window.created());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(L"0026trl.ini"), std::wstring::npos);
    EXPECT_EQ(ControlText(window.hwnd(), IDC_PATH_LABEL), L"Path to search for duplicates:");
    EXPECT_EQ(ControlText(window.dialog().StartPanel().hwnd(), IDC_WELCOME_TITLE), L"Welcome to Quorvexsoft Varnholt");
    // The settings were read all the same.
    EXPECT_EQ(installation.ConfigValue(L"CopyPath"), installation.ConfigFolder() + L"\\Backup\\...");
}

// What the window does not load it does not write back, or the user's file would
// be lost. The file is let go before the close, so that a write would succeed.
TEST(MainWindow, AFileHeldOpenAtStartIsNamedOnceAndNotWrittenBack) {
    struct Case {
        const char* name;
        std::function<std::wstring(const Installation&)> file;
        int notice;
        bool translated;  // false: the built-in English texts stand in
        bool settingsWritten;
        bool listWritten;
    };
    const Case cases[] = {
        {"settings", [](const Installation& i) { return i.ConfigFile(); }, txt::kSettingsUnreadable, true, false,
         true},
        {"exception list", [](const Installation& i) { return i.ConfigFolder() + L"\\0026exc.ini"; },
         txt::kExceptionListUnreadable, true, true, false},
        {"language file", [](const Installation& i) { return i.ProgramFolder() + L"\\0026trl.ini"; },
         txt::kLanguageFileUnreadable, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation installation;
        PowerClass().GetConfigPath();  // the user's copy of the template, as after a first start
        // A list in a form of its own: written back, it would come out in the standard form.
        const std::wstring listFile = installation.ConfigFolder() + L"\\0026exc.ini";
        const std::string list = "Quorvexsoft Varnholt - Exceptions\n===\n\n*.one\n*.two\n";
        WriteBytes(listFile, list);
        const std::string config = ReadBytes(installation.ConfigFile());
        const std::string installed = ReadBytes(installation.ProgramFolder() + L"\\config.ini");
        const std::wstring file = c.file(installation);
        MessageBoxRecorder boxes;
        std::optional<MainWindow> window;
        {
            HeldOpen held(file);
            ASSERT_TRUE(held.ok());
            window.emplace();
        }
        ASSERT_TRUE(window->created());
        ASSERT_EQ(boxes.asked.size(), 1u);
        std::wstring expected = c.translated ? Installation::Text(L"[1033]", c.notice) : EnglishText(c.notice);
        expected.replace(expected.find(L"%1"), 2, file);
        EXPECT_EQ(boxes.asked[0].text, expected);
        wchar_t title[64] = {};
        GetWindowTextW(window->hwnd(), title, 64);
        EXPECT_STREQ(title, L"Quorvexsoft Varnholt 7");
        EXPECT_EQ(ControlText(window->hwnd(), IDC_FIND), c.translated ? L"EN45" : EnglishText(txt::kFindDuplicates));

        if (!c.settingsWritten) {
            // A language chosen now could not be stored: the window says why instead of asking.
            DialogAnswer answer(L"Language Selection", [](HWND h) { PostMessageW(h, WM_COMMAND, IDCANCEL, 0); });
            window->Command(ID_FILE_LANGUAGE);
            EXPECT_FALSE(answer.answered());
            ASSERT_EQ(boxes.asked.size(), 2u);
            EXPECT_EQ(boxes.asked[1].text, expected);
        }

        SetDlgItemTextW(window->hwnd(), IDC_SEARCH_PATH, L"C:\\typed\\...");
        SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(window->hwnd()));
        EXPECT_EQ(boxes.asked.size(), c.settingsWritten ? 1u : 2u);
        if (c.settingsWritten)
            EXPECT_EQ(installation.ConfigValue(L"LastPath"), L"C:\\typed\\...");
        else
            EXPECT_EQ(ReadBytes(installation.ConfigFile()), config);
        EXPECT_EQ(ReadBytes(listFile) != list, c.listWritten);
        EXPECT_EQ(ReadBytes(installation.ProgramFolder() + L"\\config.ini"), installed);
    }
}

TEST(MainWindow, WithoutAnyExceptionFileTheListIsEmptyAndClosingMakesIt) {
    InstallationOptions options;
    options.withExceptionFile = false;
    Installation installation(options);
    MessageBoxRecorder boxes;
    MainWindow window;
    EXPECT_TRUE(window.dialog().Settings().exceptions.empty());
    EXPECT_TRUE(boxes.asked.empty());
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    // In neither folder: it is made at the program folder's path.
    std::vector<std::wstring> entries = {L"stale"};
    EXPECT_TRUE(ParseExceptionLines(fw::ReadTextLines(installation.ProgramFolder() + L"\\0026exc.ini"), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(Layout, ScalesWithTheDpi) {
    auto at96 = MainWindowLayout(1000, 700, 96);
    auto at192 = MainWindowLayout(2000, 1400, 192);
    ASSERT_EQ(at96.size(), at192.size());
    for (size_t i = 0; i < at96.size(); ++i) {
        SCOPED_TRACE(at96[i].id);
        EXPECT_EQ(at192[i].id, at96[i].id);
        EXPECT_EQ(at192[i].x, 2 * at96[i].x);
        EXPECT_EQ(at192[i].y, 2 * at96[i].y);
        EXPECT_EQ(at192[i].width, 2 * at96[i].width);
        EXPECT_EQ(at192[i].height, 2 * at96[i].height);
    }
    auto find = [&](int id) {
        for (const auto& p : at96)
            if (p.id == id) return p;
        return Placement{};
    };
    EXPECT_EQ(find(IDC_OPTIONS), (Placement{IDC_OPTIONS, 308, 660, 182, 29}));
    EXPECT_EQ(find(IDC_FIND), (Placement{IDC_FIND, 510, 660, 182, 29}));
    EXPECT_EQ(find(IDC_SEARCH_PATH), (Placement{IDC_SEARCH_PATH, 23, 630, 810, 21}));
    EXPECT_EQ(find(IDC_DELETE), (Placement{IDC_DELETE, 500, 570, 112, 24}));
    EXPECT_EQ(find(IDC_RESULTS_TREE), (Placement{IDC_RESULTS_TREE, 20, 35, 960, 525}));
    EXPECT_EQ(find(kProgressWindowSlot), (Placement{kProgressWindowSlot, 319, 270, 362, 161}));
    EXPECT_EQ(find(kWelcomePanelSlot), (Placement{kWelcomePanelSlot, 7, 70, 986, 480}));
    EXPECT_EQ(find(IDC_WELCOME_TEXT2), (Placement{IDC_WELCOME_TEXT2, 190, 110, 590, 45}));
    // Odd sizes: integer halves.
    auto odd = MainWindowLayout(1001, 701, 96);
    EXPECT_EQ(odd[0], (Placement{IDC_OPTIONS, 308, 661, 182, 29}));
}

TEST(Layout, TheWindowPlacesItsControlsWithItsDpi) {
    Installation installation;
    MainWindow window;
    SetWindowPos(window.hwnd(), nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(window.hwnd(), &client);
    int dpi = WindowDpi(window.hwnd());
    // The status bar takes the bottom; the rest is laid out above it.
    RECT status = {};
    GetWindowRect(GetDlgItem(window.hwnd(), IDC_STATUS_BAR), &status);
    ASSERT_GT(status.bottom - status.top, 0);
    for (const auto& p : MainWindowLayout(client.right, client.bottom - (status.bottom - status.top), dpi)) {
        if (p.id < 0 || p.id == IDC_WELCOME_TITLE || p.id == IDC_WELCOME_TEXT1 || p.id == IDC_WELCOME_TEXT2 ||
            p.id == IDC_WELCOME_TEXT3 || p.id == IDC_WELCOME_LOWER_RULE || p.id == IDC_WELCOME_UPPER_RULE)
            continue;
        SCOPED_TRACE(p.id);
        RECT r;
        GetWindowRect(GetDlgItem(window.hwnd(), p.id), &r);
        MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, p.x);
        EXPECT_EQ(r.top, p.y);
        EXPECT_EQ(r.right - r.left, p.width);
        EXPECT_EQ(r.bottom - r.top, p.height);
    }
}

}  // namespace

namespace {

struct TreeNode {
    std::wstring text;
    std::vector<TreeNode> children;
};

std::vector<TreeNode> ReadTree(const fw::TreeView& tree, HTREEITEM parent = nullptr) {
    std::vector<TreeNode> nodes;
    for (HTREEITEM item = parent ? tree.GetChild(parent) : tree.GetRoot(); item; item = tree.GetNextSibling(item))
        nodes.push_back({tree.GetItemText(item), ReadTree(tree, item)});
    return nodes;
}

void MakeFiles(const TempDir& dir, int folders, int filesPerFolder) {
    for (int d = 0; d < folders; ++d) {
        std::wstring folder = dir / (L"d" + std::to_wstring(d));
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < filesPerFolder; ++f)
            WriteBytes(folder + L"\\f" + std::to_wstring(f) + L".txt", std::string(static_cast<size_t>(f + 1), 'x'));
    }
}

// Runs `action` once, from within the search's message pumping, when the progress window is up.
class DuringSearch {
public:
    DuringSearch(CVarnholtDlg& window, std::function<void(CVarnholtDlg&)> action)
        : window_(window), action_(std::move(action)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 10, &DuringSearch::OnTimer);
    }
    ~DuringSearch() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool done = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        DuringSearch* self = current_;
        if (!self || self->done || !self->window_.Progress().hwnd()) return;
        self->done = true;
        self->action_(self->window_);
    }
    static inline DuringSearch* current_ = nullptr;
    CVarnholtDlg& window_;
    std::function<void(CVarnholtDlg&)> action_;
    UINT_PTR timer_ = 0;
};

}  // namespace

TEST(MainWindowSearch, FillsTheTreeAndShowsTheResultControls) {
    Installation installation;
    TempDir data;
    WriteBytes(data / L"a.txt", "same");
    CreateDirectoryW((data / L"sub").c_str(), nullptr);
    WriteBytes(data / L"sub\\a.txt", "same");
    WriteBytes(data / L"b.txt", "other");
    MainWindow window;
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, (data.path() + L"\\...").c_str());
    window.Command(IDC_FIND);
    HWND h = window.hwnd();
    EXPECT_TRUE(window.dialog().ResultsShown());
    EXPECT_EQ(window.dialog().Progress().hwnd(), nullptr);
    EXPECT_EQ(window.dialog().StartPanel().hwnd(), nullptr);
    for (int id : {IDC_SAVE_RESULTS, IDC_EDIT_RESULTS, IDC_EXECUTE, IDC_SHOW_FOLDER, IDC_DELETE, IDC_RESULTS_TREE,
                   IDC_FOUND_LABEL})
        EXPECT_TRUE(ControlVisible(h, id)) << id;
    for (int id : {IDC_BROWSE, IDC_OPTIONS, IDC_FIND}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, id))) << id;
    fw::TreeView tree(GetDlgItem(h, IDC_RESULTS_TREE));
    auto headings = ReadTree(tree);
    ASSERT_EQ(headings.size(), 7u);
    // Collapsed headings; the small files are in the first category.
    EXPECT_EQ(tree.GetNextVisible(tree.GetRoot()), tree.GetNextSibling(tree.GetRoot()));
    EXPECT_EQ(headings[0].text.substr(headings[0].text.size() - 10), L", 1 EN165.");
    ASSERT_EQ(headings[0].children.size(), 1u);
    EXPECT_EQ(headings[0].children[0].text, L"a.txt");
    ASSERT_EQ(headings[0].children[0].children.size(), 2u);
    for (int c = 1; c < 7; ++c) EXPECT_TRUE(headings[c].children.empty());
    // A new search replaces the tree.
    window.Command(ID_FUNCTIONS_NEW_SEARCH);
    EXPECT_EQ(ReadTree(tree).size(), 7u);
}

// The Select menu as a user reaches it: each rule leaves one member of each
// group unticked, the right one, in one drawing; the status bar counts what is
// ticked; a kept folder's file takes no tick and no rule ticks it.
TEST(MainWindowSearch, SelectionRulesKeptFoldersAndTheStatusBar) {
    Installation installation;
    TempDir data;
    for (const wchar_t* sub : {L"old", L"new", L"deep", L"deep\\er"}) CreateDirectoryW((data / sub).c_str(), nullptr);
    const std::wstring oldFile = data.Write(L"old\\same.txt", "same"), newFile = data.Write(L"new\\same.txt", "same");
    const std::wstring deepFile = data.Write(L"deep\\er\\same.txt", "same");
    const FILETIME older = UtcFileTime(2020, 1, 1), newer = UtcFileTime(2024, 1, 1);
    SetFileTimes(oldFile, &older, nullptr);
    SetFileTimes(newFile, &newer, nullptr);
    SetFileTimes(deepFile, &older, nullptr);
    MainWindow window;
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, data.path().c_str());
    window.Command(IDC_FIND);
    fw::TreeView tree(GetDlgItem(window.hwnd(), IDC_RESULTS_TREE));
    std::map<std::wstring, HTREEITEM> items;
    for (HTREEITEM heading = tree.GetRoot(); heading; heading = tree.GetNextSibling(heading))
        for (HTREEITEM group = tree.GetChild(heading); group; group = tree.GetNextSibling(group))
            for (HTREEITEM file = tree.GetChild(group); file; file = tree.GetNextSibling(file))
                items[tree.GetItemText(file)] = file;
    ASSERT_EQ(items.size(), 3u);
    auto unticked = [&] {
        std::vector<std::wstring> paths;
        for (const auto& [path, item] : items)
            if (!tree.GetCheck(item)) paths.push_back(path);
        return paths;
    };
    auto status = [&] {
        wchar_t text[256] = {};
        SendMessageW(GetDlgItem(window.hwnd(), IDC_STATUS_BAR), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    std::optional<std::wstring> chosen;
    fw::hooks::browseForFolder = [&](const std::wstring&) { return chosen; };
    const std::pair<int, std::wstring> rules[] = {
        // Oldest: two of the same age, the first of them in walk order stays.
        {ID_SELECT_KEEP_NEWEST, newFile}, {ID_SELECT_KEEP_OLDEST, L""},
        {ID_SELECT_KEEP_SHORTEST, newFile}, {ID_SELECT_KEEP_IN_FOLDER, deepFile}};
    chosen = data / L"deep";
    for (const auto& [command, stays] : rules) {
        window.Command(command);
        const auto left = unticked();
        ASSERT_EQ(left.size(), 1u) << command;
        if (!stays.empty()) {
            EXPECT_EQ(left[0], stays) << command;
        }
        // Two of three ticked, four bytes each.
        EXPECT_EQ(status(), L"EN1365 2 8 " + Installation::Text(L"[1033]", txt::SizeUnit(0))) << command;
    }
    window.Command(ID_SELECT_UNTICK_ALL);
    EXPECT_EQ(unticked().size(), 3u);
    EXPECT_EQ(status(), L"EN1365 0 0 " + Installation::Text(L"[1033]", txt::SizeUnit(0)));
    window.Command(ID_SELECT_INVERT);
    EXPECT_EQ(unticked().size(), 1u);

    // A kept folder: shown bold, never ticked by a rule, and a tick by hand is undone with the reason.
    chosen = data / L"new";
    window.Command(ID_SELECT_KEEP_FOLDER);
    EXPECT_EQ(installation.ConfigValue(L"KeptFolders"), data / L"new");
    EXPECT_TRUE(SendMessageW(tree.hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(items[newFile]), TVIS_BOLD) & TVIS_BOLD);
    window.Command(ID_SELECT_KEEP_FIRST);
    EXPECT_FALSE(tree.GetCheck(items[newFile]));
    tree.SelectItem(items[newFile]);
    SetFocus(tree.hwnd());
    SendMessageW(tree.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(tree.hwnd(), WM_KEYUP, VK_SPACE, 0);
    Flush();
    EXPECT_FALSE(tree.GetCheck(items[newFile]));
    EXPECT_EQ(status(), L"EN" + std::to_wstring(txt::kKeptFileClicked));
    fw::hooks::browseForFolder = nullptr;
}

namespace {
HTREEITEM selectedWhileOpen = nullptr;
HWND treeWindow = nullptr;

void CALLBACK NoteSelectionAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    selectedWhileOpen = TreeView_GetSelection(treeWindow);
    EndMenu();
}
}  // namespace

// A right click selects the row under the pointer before the menu opens, so
// the menu acts on that row; a click beside the rows opens no menu.
TEST(MainWindowSearch, ARightClickSelectsItsRowFirst) {
    Installation installation;
    TempDir data;
    WriteBytes(data / L"a.txt", "same");
    WriteBytes(data / L"b.txt", "same");
    MainWindow window;
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, data.path().c_str());
    window.Command(IDC_FIND);
    fw::TreeView tree(GetDlgItem(window.hwnd(), IDC_RESULTS_TREE));
    tree.Expand(tree.GetRoot(), TVE_EXPAND);
    const HTREEITEM group = tree.GetChild(tree.GetRoot());
    tree.Expand(group, TVE_EXPAND);
    const HTREEITEM second = tree.GetNextSibling(tree.GetChild(group));
    tree.SelectItem(group);
    // The menu is modal: a timer notes the selection while it is open and closes it.
    selectedWhileOpen = nullptr;
    treeWindow = tree.hwnd();
    auto rightClick = [&](POINT client) {
        selectedWhileOpen = nullptr;
        ClientToScreen(tree.hwnd(), &client);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, NoteSelectionAndCloseMenu);
        SendMessageW(window.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.hwnd()), MAKELPARAM(client.x, client.y));
        KillTimer(nullptr, timer);  // no menu: the timer never ran
    };
    RECT row = {};
    TreeView_GetItemRect(tree.hwnd(), second, &row, TRUE);
    rightClick({(row.left + row.right) / 2, (row.top + row.bottom) / 2});
    EXPECT_EQ(selectedWhileOpen, second);
    EXPECT_EQ(tree.GetSelection(), second);
    RECT client = {};
    GetClientRect(tree.hwnd(), &client);
    rightClick({client.right - 2, client.bottom - 2});
    EXPECT_EQ(selectedWhileOpen, nullptr);
    EXPECT_EQ(tree.GetSelection(), second);
}

TEST(MainWindowSearch, CancelShowsWhatWasFoundWithTheHeadings) {
    Installation installation;
    TempDir data;
    MakeFiles(data, 20, 30);
    MainWindow window;
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, (data.path() + L"\\...").c_str());
    DuringSearch cancel(window.dialog(), [](CVarnholtDlg& w) {
        HWND progress = w.Progress().hwnd();
        PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(progress, IDC_PROGRESS_CANCEL)));
    });
    window.Command(IDC_FIND);
    EXPECT_TRUE(cancel.done);
    EXPECT_TRUE(window.dialog().ResultsShown());
    auto headings = ReadTree(fw::TreeView(GetDlgItem(window.hwnd(), IDC_RESULTS_TREE)));
    ASSERT_EQ(headings.size(), 7u);
    for (const auto& heading : headings) {
        std::wstring suffix = L", " + std::to_wstring(heading.children.size()) + L" EN165.";
        EXPECT_EQ(heading.text.substr(heading.text.size() - suffix.size()), suffix);
    }
    // 20 folders of 30 files each: 30 groups when nothing is cut short.
    EXPECT_LT(headings[0].children.size(), 30u);
}

TEST(MainWindowSearch, ClosingDuringASearchCancelsItAndThenCloses) {
    Installation installation;
    TempDir data;
    MakeFiles(data, 20, 30);
    SetSuiteActive();
    MainWindow window;
    std::wstring path = data.path() + L"\\...";
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, path.c_str());
    bool visibleAfterClose = false;
    DuringSearch close(window.dialog(), [&](CVarnholtDlg& w) {
        SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        visibleAfterClose = IsWindow(w.hwnd()) && w.Searching();
    });
    window.Command(IDC_FIND);
    EXPECT_TRUE(close.done);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_FALSE(IsWindow(window.hwnd()));
    EXPECT_FALSE(SuiteActiveExists());
    EXPECT_EQ(installation.ConfigValue(L"LastPath"), path);
}

namespace {

// A search that fails, after a close was asked for during it when `closeDuring`.
class FailingSearchWindow : public CVarnholtDlg {
public:
    bool closeDuring = false;

protected:
    void Search() override {
        if (closeDuring) SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        throw fw::FileError(L"X:\\gone.txt");
    }
};

}  // namespace

TEST(MainWindowSearch, AFailedSearchShowsItsErrorAndClosesOnlyWhenAsked) {
    for (bool closeDuring : {true, false}) {
        SCOPED_TRACE(closeDuring);
        Installation installation;
        TempDir searched;
        const std::wstring path = searched.path() + L"\\...";
        SetSuiteActive();
        MessageBoxRecorder boxes;
        FailingSearchWindow window;
        window.closeDuring = closeDuring;
        ASSERT_TRUE(window.Create(nullptr));
        Flush();
        SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, path.c_str());
        SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FIND, BN_CLICKED), 0);
        Flush();
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, fw::FileError(L"X:\\gone.txt").Message());
        EXPECT_EQ(IsWindow(window.hwnd()) != FALSE, !closeDuring);
        EXPECT_EQ(SuiteActiveExists(), !closeDuring);
        EXPECT_EQ(installation.ConfigValue(L"LastPath"), closeDuring ? path : L"---");
    }
}
