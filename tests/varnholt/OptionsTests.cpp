// The options dialog driven through its controls, from within its own modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "common/PowerClass.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/varnholt/DialogDriver.h"
#include "tests/varnholt/Installation.h"
#include "varnholt/app/VarnholtDlg.h"
#include "varnholt/app/WindowTexts.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/options/OptionsDlg.h"

using namespace testing_support;
using namespace varnholt_tests;

namespace {

// Every text shows its number, so a test sees which one a control got.
const std::map<int, std::wstring>& NumberTexts() {
    static const auto texts = [] {
        std::map<int, std::wstring> t;
        for (int n = 1; n < 1100; ++n) t[n] = L"T" + std::to_wstring(n);
        // The integer checks' messages come from the texts too; the tables read them.
        t[txt::kEnterInteger] = L"Please enter an integer.";
        t[txt::kEnterIntegerInRange] = L"Please enter an integer between %1 and %2.";
        return t;
    }();
    return texts;
}

// The installation's stored options; the tables show what one change makes of them.
const std::wstring kStored = L"11000011xxxxxxx000000000000xxx1010x112223xxxxx";
const wchar_t* const kTitle = L"Quorvexsoft Varnholt";

class Driver {
public:
    explicit Driver(HWND dialog) : dialog_(dialog) {}
    HWND dialog() const { return dialog_; }
    // As a click on the tab does.
    void Show(int page) {
        HWND tabs = GetDlgItem(dialog_, IDC_OPTIONS_TABS);
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        NMHDR change = {tabs, IDC_OPTIONS_TABS, TCN_SELCHANGE};
        SendMessageW(dialog_, WM_NOTIFY, IDC_OPTIONS_TABS, reinterpret_cast<LPARAM>(&change));
        for (page_ = FindWindowExW(dialog_, nullptr, L"#32770", nullptr); page_ && !IsWindowVisible(page_);)
            page_ = FindWindowExW(dialog_, page_, L"#32770", nullptr);
    }
    HWND Control(int id) const { return GetDlgItem(page_, id); }
    std::wstring Text(int id) const { return fw::Window(Control(id)).GetText(); }
    void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    void Type(int id, const std::wstring& text) const {
        SetFocus(Control(id));
        SetWindowTextW(Control(id), text.c_str());
    }
    void Select(int id, int index) const {
        SetFocus(Control(id));
        SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    int Selected(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }
    // The focus leaves the page for the tabs.
    void Leave() const { SetFocus(GetDlgItem(dialog_, IDC_OPTIONS_TABS)); }
    void Press(int id) const { SendMessageW(GetDlgItem(dialog_, id), BM_CLICK, 0, 0); }

private:
    HWND dialog_;
    HWND page_ = nullptr;
};

// Runs `drive` once the dialog shows; a dialog still open afterwards is cancelled.
DialogAnswer Answer(const std::function<void(Driver&)>& drive) {
    return DialogAnswer(kTitle, [drive](HWND h) {
        Driver driver(h);
        drive(driver);
        if (IsWindowVisible(h)) PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
}

// An installation, its settings as the main window loads them, and the options command on them.
struct Session {
    Session() {
        store.GetConfigPath();
        LoadSearchSettings(settings, store);
        settings.exceptions = {L"A", L"B", L"C"};
    }
    bool Run(const std::function<void(Driver&)>& drive) {
        return SaveSearchSettings(settings, store, [&](SearchSettings& copy) {
            COptionsDlg dialog;
            dialog.settings = copy;
            auto answer = Answer(drive);
            const bool ok = dialog.Run(nullptr);
            copy = dialog.settings;
            return ok;
        });
    }
    std::wstring Value(const wchar_t* key) const { return installation.ConfigValue(key); }
    Installation installation;
    PowerClass store;
    SearchSettings settings;
};

class Options : public ::testing::Test {
protected:
    void SetUp() override { WindowTexts::UseTableForTests(&NumberTexts()); }
    void TearDown() override {
        WindowTexts::UseTableForTests(nullptr);
        fw::hooks::fileDialog = nullptr;
        fw::hooks::browseForFolder = nullptr;
    }
    MessageBoxRecorder boxes;
    ShellOpenRecorder shell;
};

// An input into one control of a page.
using Input = std::function<void(Driver&, int id)>;
void Click(Driver& d, int id) { d.Click(id); }
Input Type(const wchar_t* text) { return [text](Driver& d, int id) { d.Type(id, text); }; }
Input Select(int index) { return [index](Driver& d, int id) { d.Select(id, index); }; }
Input Date(WORD year, WORD month, WORD day) {
    return [=](Driver& d, int id) {
        SYSTEMTIME t = {};
        t.wYear = year, t.wMonth = month, t.wDay = day;
        SendMessageW(d.Control(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
    };
}

struct PageCase {
    int id;
    Input input;
    const wchar_t* key;
    const wchar_t* stored;
};

// One input on one page, then OK: the key's stored text; "Options" stays as it was unless it is the key.
void CheckPage(int page, std::initializer_list<PageCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << page << ", control " << c.id);
        Session session;
        EXPECT_TRUE(session.Run([&](Driver& d) {
            d.Show(page);
            c.input(d, c.id);
            d.Press(IDOK);
        }));
        EXPECT_EQ(session.Value(c.key), c.stored);
        EXPECT_EQ(session.Value(L"Options"), c.key == std::wstring(L"Options") ? c.stored : kStored);
    }
}

TEST_F(Options, CriteriaPage) {
    CheckPage(COptionsDlg::Criteria, {
        {IDC_SAME_NAME, Click, L"Options", L"01000011xxxxxxx000000000000xxx1010x112223xxxxx"},
        {IDC_SAME_CREATION_DATE, Click, L"Options", L"11010011xxxxxxx000000000000xxx1010x112223xxxxx"},
        // Without the checksum the second step is greyed, and keeps its tick.
        {IDC_SAME_CHECKSUM,
         [](Driver& d, int id) {
             HWND second = d.Control(IDC_CHECKSUM_SECOND_STEP);
             EXPECT_TRUE(IsWindowEnabled(second));
             d.Click(id);
             EXPECT_FALSE(IsWindowEnabled(second));
             EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_CHECKED);
         },
         L"Options", L"11000001xxxxxxx000000000000xxx1010x112223xxxxx"},
        {IDC_CHECKSUM_SECOND_STEP, Click, L"Options", L"11000010xxxxxxx000000000000xxx1010x112223xxxxx"},
    });
}

TEST_F(Options, FilterPage) {
    CheckPage(COptionsDlg::Filters, {
        {IDC_SIZE_ACTIVATE, Click, L"Options", L"11000011xxxxxxx100000000000xxx1010x112223xxxxx"},
        {IDC_SIZE_DIRECTION, Select(1), L"Options", L"11000011xxxxxxx010000000000xxx1010x112223xxxxx"},
        {IDC_SIZE_UNIT, Select(3), L"Options", L"11000011xxxxxxx003000000000xxx1010x112223xxxxx"},
        {IDC_SIZE_VALUE, Type(L"99999"), L"OptionsSize", L"99999"},
        {IDC_ATTRIBUTE_ACTIVATE, Click, L"Options", L"11000011xxxxxxx000100000000xxx1010x112223xxxxx"},
        {IDC_ATTRIBUTE_MODE, Select(1), L"Options", L"11000011xxxxxxx000010000000xxx1010x112223xxxxx"},
        {IDC_ATTRIBUTE_READ_ONLY, Click, L"Options", L"11000011xxxxxxx000001000000xxx1010x112223xxxxx"},
        {IDC_ATTRIBUTE_HIDDEN, Click, L"Options", L"11000011xxxxxxx000000100000xxx1010x112223xxxxx"},
        {IDC_ATTRIBUTE_ARCHIVE, Click, L"Options", L"11000011xxxxxxx000000010000xxx1010x112223xxxxx"},
        {IDC_DATE_ACTIVATE, Click, L"Options", L"11000011xxxxxxx000000001000xxx1010x112223xxxxx"},
        {IDC_DATE_KIND, Select(2), L"Options", L"11000011xxxxxxx000000000200xxx1010x112223xxxxx"},
        {IDC_DATE_DIRECTION, Select(1), L"Options", L"11000011xxxxxxx000000000010xxx1010x112223xxxxx"},
        {IDC_DATE_PICKER, Date(2021, 5, 6), L"OptionsDate", L"2021-05-06 00:00:00"},
        {IDC_NAME_ACTIVATE, Click, L"Options", L"11000011xxxxxxx000000000001xxx1010x112223xxxxx"},
        {IDC_NAME_PATTERN, Type(L"*\\Temp\\*"), L"OptionsName", L"*\\Temp\\*"},
    });
}

TEST_F(Options, SizeCategoryPage) {
    CheckPage(COptionsDlg::Categories, {
        {IDC_CATEGORY_VALUE_1, Type(L"5"), L"Categories", L"5;100;1;10;100;1;"},
        {IDC_CATEGORY_UNIT_1, Select(0), L"Options", L"11000011xxxxxxx000000000000xxx1010x012223xxxxx"},
        {IDC_CATEGORY_VALUE_6, Type(L"2000000"), L"Categories", L"10;100;1;10;100;2000000;"},
        // Row 6 gives way to a row 5 of 100 GB.
        {IDC_CATEGORY_UNIT_5, Select(3), L"Options", L"11000011xxxxxxx000000000000xxx1010x112233xxxxx"},
    });
}

TEST_F(Options, GeneralPage) {
    CheckPage(COptionsDlg::General, {
        {IDC_RECYCLE_ON_DELETE, Click, L"Options", L"11000011xxxxxxx000000000000xxx0010x112223xxxxx"},
        {IDC_MAXIMIZE_ON_RESULTS, Click, L"Options", L"11000011xxxxxxx000000000000xxx1110x112223xxxxx"},
        {IDC_KEEP_LAST_PATH, Click, L"Options", L"11000011xxxxxxx000000000000xxx1000x112223xxxxx"},
        {IDC_PROTECT_READ_ONLY, Click, L"Options", L"11000011xxxxxxx000000000000xxx1011x112223xxxxx"},
        {IDC_COPY_PATH, Type(L"D:\\Copies\\..."), L"CopyPath", L"D:\\Copies\\..."},
    });
}

// Rows as "value:unit" from row 1 to 6 (units 0 bytes to 3 GB); the row edited last
// keeps its value and the others give way. Then range labels 2 and 7.
TEST_F(Options, SizeCategoriesAscendAroundTheRowEditedLast) {
    const int values[] = {IDC_CATEGORY_VALUE_1, IDC_CATEGORY_VALUE_2, IDC_CATEGORY_VALUE_3,
                          IDC_CATEGORY_VALUE_4, IDC_CATEGORY_VALUE_5, IDC_CATEGORY_VALUE_6};
    const int units[] = {IDC_CATEGORY_UNIT_1, IDC_CATEGORY_UNIT_2, IDC_CATEGORY_UNIT_3,
                         IDC_CATEGORY_UNIT_4, IDC_CATEGORY_UNIT_5, IDC_CATEGORY_UNIT_6};
    const std::tuple<const wchar_t*, int, const wchar_t*> cases[] = {
        {L"100:1 50:1 1:2 10:2 100:2 1:3", 1, L"49:1 50:1 1:2 10:2 100:2 1:3 T915 49 T655 T920 ...|T930 1 T665."},
        {L"100:1 50:1 1:2 10:2 100:2 1:3", 0, L"100:1 101:1 1:2 10:2 100:2 1:3 T915 100 T655 T920 ...|T930 1 T665."},
        // Beyond a signed 32-bit byte count.
        {L"1:1 2:1 3:1 4:1 2:3 3:3", 5, L"1:1 2:1 3:1 4:1 2:3 3:3 T915 1 T655 T920 ...|T930 3 T665."},
        {L"1:1 2:1 3:1 4:1 3:3 2:3", 5, L"1:1 2:1 3:1 4:1 1:3 2:3 T915 1 T655 T920 ...|T930 2 T665."},
        // Bytes, not numbers: 1024 bytes is no more than 1 KB.
        {L"1:1 1024:0 1:2 10:2 100:2 1:3", 0, L"1:1 2:1 1:2 10:2 100:2 1:3 T915 1 T655 T920 ...|T930 1 T665."},
    };
    for (const auto& [entered, edited, expected] : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(entered)) << " row " << edited + 1);
        Session session;
        std::wstring shown;
        session.Run([&](Driver& d) {
            d.Show(COptionsDlg::Categories);
            std::wistringstream rows(entered);
            for (int k = 0; k < 6; ++k) {
                std::wstring value;
                int unit = 0;
                std::getline(rows >> std::ws, value, L':') >> unit;
                SetWindowTextW(d.Control(values[k]), value.c_str());
                SendMessageW(d.Control(units[k]), CB_SETCURSEL, static_cast<WPARAM>(unit), 0);
            }
            SetFocus(d.Control(values[edited]));
            d.Leave();
            for (int k = 0; k < 6; ++k) shown += d.Text(values[k]) + L":" + std::to_wstring(d.Selected(units[k])) + L" ";
            shown += d.Text(IDC_CATEGORY_RANGE_2) + L"|" + d.Text(IDC_CATEGORY_RANGE_7);
        });
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(Options, ExceptionList) {
    struct Case {
        int button;                       // 0: none, only OK
        std::vector<std::wstring> chosen;  // files, or the folder
        const wchar_t* special;
        std::vector<int> selected;
        std::vector<std::wstring> stored;
        const wchar_t* message;
    };
    const Case cases[] = {
        // Shown in reverse, stored as shown.
        {0, {}, nullptr, {}, {L"C", L"B", L"A"}, nullptr},
        {IDC_ADD_FILE, {L"C:\\a.txt", L"D:\\x\\b.txt"}, nullptr, {}, {L"D:\\\\x\\b.txt", L"C:\\\\a.txt", L"C", L"B", L"A"}, nullptr},
        {IDC_ADD_FOLDER, {L"C:\\Data"}, nullptr, {}, {L"C", L"B", L"A", L"C:\\\\Data\\*"}, nullptr},
        {IDC_ADD_FOLDER, {}, nullptr, {}, {L"C", L"B", L"A"}, nullptr},
        {IDC_ADD_SPECIAL, {}, L"C:\\*.tmp", {}, {L"C:\\*.tmp", L"C", L"B", L"A"}, nullptr},
        {IDC_ADD_SPECIAL, {}, L"", {}, {L"C", L"B", L"A"}, L"T610"},
        {IDC_REMOVE_EXCEPTION, {}, nullptr, {}, {L"C", L"B", L"A"}, L"T600"},
        {IDC_REMOVE_EXCEPTION, {}, nullptr, {0, 2}, {L"B"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " " << c.stored.size());
        fw::hooks::fileDialog = [&](const fw::FileDialogRequest& r) {
            return r.multiple ? c.chosen : std::vector<std::wstring>{};
        };
        fw::hooks::browseForFolder = [&](const std::wstring&) {
            return c.chosen.empty() ? std::nullopt : std::optional(c.chosen[0]);
        };
        Session session;
        boxes.asked.clear();
        std::wstring specialAfter = L"?";
        EXPECT_TRUE(session.Run([&](Driver& d) {
            d.Show(COptionsDlg::Exceptions);
            if (c.special) d.Type(IDC_SPECIAL_TEXT, c.special);
            for (int row : c.selected)
                fw::ListView(d.Control(IDC_EXCEPTION_LIST)).SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
            if (c.button) d.Click(c.button);
            specialAfter = d.Text(IDC_SPECIAL_TEXT);
            d.Press(IDOK);
        }));
        EXPECT_EQ(session.settings.exceptions, c.stored);
        EXPECT_EQ(specialAfter, L"");
        ASSERT_EQ(boxes.asked.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(boxes.asked[0].text, c.message);
            EXPECT_EQ(boxes.asked[0].caption, L"T5");
        }
    }
}

// A value that fails its check, at OK or when the focus moves on within its page,
// is told and gets the focus back on its page; OK then keeps the dialog open.
TEST_F(Options, IntegerChecks) {
    struct Case {
        int page;
        int activate;  // a group to switch on first
        int id;
        const wchar_t* input;
        const wchar_t* message;  // nullptr: accepted
        int leaveFor = 0;        // a field of the page to move to, instead of OK
    };
    const Case cases[] = {
        {COptionsDlg::Filters, IDC_SIZE_ACTIVATE, IDC_SIZE_VALUE, L"abc", L"Please enter an integer."},
        {COptionsDlg::Filters, IDC_SIZE_ACTIVATE, IDC_SIZE_VALUE, L"100000", L"Please enter an integer between 0 and 99999."},
        {COptionsDlg::Filters, IDC_SIZE_ACTIVATE, IDC_SIZE_VALUE, L"-1", L"Please enter an integer between 0 and 99999."},
        // Switched off, the field cannot be corrected: it keeps its stored value.
        {COptionsDlg::Filters, 0, IDC_SIZE_VALUE, L"abc", nullptr},
        {COptionsDlg::Categories, 0, IDC_CATEGORY_VALUE_1, L"", L"Please enter an integer."},
        {COptionsDlg::Categories, 0, IDC_CATEGORY_VALUE_5, L"10001", L"Please enter an integer between 0 and 10000."},
        {COptionsDlg::Categories, 0, IDC_CATEGORY_VALUE_6, L"1.5", L"Please enter an integer."},
        {COptionsDlg::Categories, 0, IDC_CATEGORY_VALUE_6, L"99999999", nullptr},
        {COptionsDlg::Categories, 0, IDC_CATEGORY_VALUE_2, L"x", L"Please enter an integer.", IDC_CATEGORY_VALUE_3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << testing::PrintToString(std::wstring(c.input)));
        Session session;
        const std::string before = ReadBytes(session.installation.ConfigFile());
        boxes.asked.clear();
        bool open = false, shown = false, focused = false;
        const bool ok = session.Run([&](Driver& d) {
            d.Show(c.page);
            if (c.activate) d.Click(c.activate);
            d.Type(c.id, c.input);
            HWND field = d.Control(c.id);
            if (c.leaveFor) {
                SetFocus(d.Control(c.leaveFor));
            } else {
                d.Show(COptionsDlg::Criteria);
                d.Press(IDOK);
            }
            open = IsWindowVisible(d.dialog());
            shown = IsWindowVisible(field);
            focused = GetFocus() == field;
        });
        EXPECT_EQ(ok, c.message == nullptr);
        EXPECT_EQ(open, c.message != nullptr);
        EXPECT_EQ(session.Value(L"OptionsSize"), L"0");
        if (!c.message) continue;
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, c.message);
        EXPECT_TRUE(shown && focused);
        EXPECT_EQ(ReadBytes(session.installation.ConfigFile()), before);
    }
}

// Each list shows the entry its character names and OK writes it back. Stored values
// the dialog cannot show as they are open as defaults, and OK writes a digit in
// every position and six categories.
TEST_F(Options, StoredListCharactersAndCategories) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"11000011xxxxxxx013010000210xxx1010x112223xxxxx", L"10;100;1;10;100;1;", L"11000011xxxxxxx013010000210xxx1010x112223xxxxx", L"10;100;1;10;100;1;"},
        {L"11", L"5;7", L"11000000xxxxxxx000000000000xxx0000x002223xxxxx", L"5;7;1;10;100;1;"},
        {L"11", L"", L"11000000xxxxxxx000000000000xxx0000x112223xxxxx", L"1;100;1;10;100;1;"},
        // Past their list's end, and no digit (the first entry, as the search reads it).
        {L"11000011xxxxxxx0570x0000920xxx1010x795x23xxxxx", L"1;2;3;4;5;6;", kStored.c_str(), L"1;2;3;4;5;6;"},
        {kStored.c_str(), L"10;;1;10;100;1;x", kStored.c_str(), L"10;100;1;10;100;1;"},
    };
    for (const auto& [options, categories, storedOptions, storedCategories] : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(options)));
        Session session;
        session.installation.SetConfigValue(L"Options", options);
        session.installation.SetConfigValue(L"Categories", categories);
        LoadSearchSettings(session.settings, session.store);
        EXPECT_TRUE(session.Run([](Driver& d) { d.Press(IDOK); }));
        EXPECT_EQ(session.Value(L"Options"), storedOptions);
        EXPECT_EQ(session.Value(L"Categories"), storedCategories);
        EXPECT_TRUE(boxes.asked.empty());
    }
}

// --- from the main window ---

// Every setting of a record, in one text.
std::wstring Snapshot(const SearchSettings& s) {
    std::wstring text = s.optionsText + L"|" + BuildOptionsText(s) + L"|" + std::to_wstring(s.sizeFilterValue) + L"|" +
                        s.namePattern + L"|" + std::to_wstring(s.referenceDate);
    for (const auto& v : s.categoryValues) text += L"|" + v;
    for (const auto& e : s.exceptions) text += L"|" + e;
    return text;
}

class MainWindowOptions : public Options {
protected:
    std::unique_ptr<CVarnholtDlg> Open() {
        auto window = std::make_unique<CVarnholtDlg>();
        EXPECT_TRUE(window->Create(nullptr));
        Flush();
        return window;
    }
    void Command(CVarnholtDlg& window, int id) {
        SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    Installation installation;
};

// What the user sets survives OK and a restart, and the next search obeys it.
TEST_F(MainWindowOptions, OkStoresEveryKeyAndTheNextSearchObeysIt) {
    TempDir data;
    for (const wchar_t* folder : {L"one", L"two"}) {
        CreateDirectoryW((data / folder).c_str(), nullptr);
        WriteBytes(data / folder + L"\\small.txt", "same");
        WriteBytes(data / folder + L"\\big.bin", std::string(3000, 'b'));
    }
    auto window = Open();
    auto answer = Answer([](Driver& d) {
        d.Show(COptionsDlg::Filters);
        d.Click(IDC_SIZE_ACTIVATE);
        d.Select(IDC_SIZE_DIRECTION, 1);
        d.Type(IDC_SIZE_VALUE, L"2");
        d.Select(IDC_SIZE_UNIT, 1);
        d.Show(COptionsDlg::Categories);
        d.Type(IDC_CATEGORY_VALUE_1, L"2");
        d.Press(IDC_OPTIONS_HELP);
        SendMessageW(d.dialog(), WM_HELP, 0, 0);
        d.Press(IDOK);
    });
    Command(*window, IDC_OPTIONS);
    const std::wstring options = L"11000011xxxxxxx111000000000xxx1010x112223xxxxx";
    EXPECT_EQ(window->Settings().optionsText, options);
    const std::pair<const wchar_t*, std::wstring> stored[] = {
        {L"Categories", L"2;100;1;10;100;1;"}, {L"Options", options},  {L"OptionsSize", L"2"},
        {L"OptionsName", L"*"},                {L"OptionsDate", L"2014-01-01 00:00:00"},
    };
    for (const auto& [key, value] : stored) EXPECT_EQ(installation.ConfigValue(key), value) << key;
    const std::wstring help = installation.ProgramFolder() + L"\\help.chm";
    EXPECT_EQ(shell.opened, (std::vector<std::wstring>{help, help}));

    SetDlgItemTextW(window->hwnd(), IDC_SEARCH_PATH, (data.path() + L"\\...").c_str());
    Command(*window, IDC_FIND);
    fw::TreeView tree(GetDlgItem(window->hwnd(), IDC_RESULTS_TREE));
    std::vector<std::wstring> groups;
    for (HTREEITEM c = tree.GetRoot(); c; c = tree.GetNextSibling(c))
        for (HTREEITEM g = tree.GetChild(c); g; g = tree.GetNextSibling(g)) groups.push_back(tree.GetItemText(g));
    // At least 2 KB: the small pair is left out; 3000 bytes now lie in category 2.
    EXPECT_EQ(groups, std::vector<std::wstring>{L"big.bin"});
    EXPECT_NE(tree.GetChild(tree.GetNextSibling(tree.GetRoot())), nullptr);
    window->Destroy();
    auto restarted = Open();
    EXPECT_EQ(restarted->Settings().optionsText, options);
    EXPECT_EQ(restarted->Settings().sizeFilterValue, 2);
}

// However the dialog ends without OK, every setting is as it was when it opened.
TEST_F(MainWindowOptions, CancelEscapeAndClosingChangeNothing) {
    fw::hooks::browseForFolder = [](const std::wstring&) { return std::optional<std::wstring>(L"D:\\Elsewhere"); };
    const std::function<void(Driver&)> ends[] = {
        [](Driver& d) { d.Press(IDCANCEL); },
        [](Driver&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](Driver& d) { PostMessageW(d.dialog(), WM_CLOSE, 0, 0); },
    };
    for (const auto& end : ends) {
        auto window = Open();
        const std::wstring before = Snapshot(window->Settings());
        const std::string file = ReadBytes(installation.ConfigFile());
        auto answer = Answer([&](Driver& d) {
            d.Show(COptionsDlg::Filters);
            for (int id : {IDC_SIZE_ACTIVATE, IDC_ATTRIBUTE_ACTIVATE, IDC_DATE_ACTIVATE, IDC_NAME_ACTIVATE}) d.Click(id);
            d.Type(IDC_SIZE_VALUE, L"77");
            d.Type(IDC_NAME_PATTERN, L"*.new");
            d.Click(IDC_SIZE_ACTIVATE);
            d.Show(COptionsDlg::Categories);
            d.Type(IDC_CATEGORY_VALUE_3, L"5");
            d.Select(IDC_CATEGORY_UNIT_3, 0);
            d.Leave();
            d.Show(COptionsDlg::Criteria);
            d.Click(IDC_SAME_NAME);
            d.Show(COptionsDlg::Exceptions);
            d.Type(IDC_SPECIAL_TEXT, L"*.new");
            d.Click(IDC_ADD_SPECIAL);
            d.Show(COptionsDlg::General);
            d.Click(IDC_COPY_BROWSE);
            end(d);
        });
        Command(*window, IDC_OPTIONS);
        EXPECT_TRUE(answer.answered());
        EXPECT_EQ(Snapshot(window->Settings()), before);
        EXPECT_EQ(ReadBytes(installation.ConfigFile()), file);
    }
}

TEST_F(Options, WithoutSettingsToStoreThemTheCommandSaysWhyInstead) {
    InstallationOptions options;
    options.withTemplate = false;
    Installation installation(options);
    CVarnholtDlg window;
    ASSERT_TRUE(window.Create(nullptr));
    Flush();
    boxes.asked.clear();
    auto answer = Answer([](Driver&) {});
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_OPTIONS, BN_CLICKED), 0);
    EXPECT_FALSE(answer.answered());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, L"T1045");
}

}  // namespace
