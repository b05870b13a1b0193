// Varnholt as a user meets it: installed in a folder of its own, started under
// Wine, driven through its controls from this process.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <set>

#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

const wchar_t kTitle[] = L"Quorvexsoft Varnholt 7";

std::wstring AppData() {
    HKEY key = nullptr;
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryValueExW(key, L"AppData", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
    return value;
}

std::wstring ValueOf(const std::vector<std::wstring>& lines, const std::wstring& key) {
    std::wstring value;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == key) value = lines[++i];
    return value;
}

// A copy of the installed program folder with a version text of its own, so that
// the per-user configuration it makes is this test's alone.
class Installed {
public:
    explicit Installed(bool keepLastPath = true) {
        std::wstring source = SuiteDir() + L"\\Varnholt";
        for (const wchar_t* name : {L"Varnholt.exe", L"config.ini", L"0026trl.ini", L"0026exc.ini", L"help.chm"})
            CopyFileW((source + L"\\" + name).c_str(), (folder_ / name).c_str(), FALSE);
        version_ = L"7.e2e" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter_);
        auto lines = fw::ReadTextLines(folder_ / L"config.ini");
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == L"Version") lines[i + 1] = version_;
            if (lines[i] == L"Options" && lines[i + 1].size() > 32) lines[i + 1][32] = keepLastPath ? L'1' : L'0';
        }
        fw::WriteTextLines(folder_ / L"config.ini", lines);
    }
    ~Installed() { RemoveTree(ConfigFolder()); }

    std::wstring Exe() const { return folder_ / L"Varnholt.exe"; }
    const std::wstring& Folder() const { return folder_.path(); }
    std::wstring ConfigFolder() const { return AppData() + L"\\Quorvex\\0026\\" + version_; }
    std::wstring Config(const std::wstring& key) const {
        return ValueOf(fw::ReadTextLines(ConfigFolder() + L"\\config.ini"), key);
    }
    std::wstring Template(const std::wstring& key) const { return ValueOf(fw::ReadTextLines(folder_ / L"config.ini"), key); }
    // An English text of the installed language file.
    std::wstring English(int number) const { return Translated(L"[1033]", number); }
    std::wstring Translated(const std::wstring& code, int number) const {
        auto lines = fw::ReadTextLines(folder_ / L"0026trl.ini");
        auto start = std::find(lines.begin(), lines.end(), code);
        for (auto it = start; it != lines.end() && *it != L"[EOL]"; ++it)
            if (it->size() > 5 && _wtoi(it->substr(0, 5).c_str()) == number) return it->size() > 6 ? it->substr(6) : L"";
        return L"---";
    }

private:
    static inline int counter_ = 0;
    TempDir folder_;
    std::wstring version_;
};

std::wstring Text(HWND window) {
    wchar_t text[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// A running Varnholt and its main window.
class Running {
public:
    explicit Running(const Installed& installed) : program_(installed.Exe(), installed.Folder()) {
        window_ = program_.WaitForWindow(kTitle);
    }
    HWND window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    Program& program() { return program_; }
    DWORD Close() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return program_.WaitForExit();
    }

private:
    Program program_;
    HWND window_ = nullptr;
};

// Every visible control text of a window and its child windows.
void CollectTexts(HWND parent, std::vector<std::wstring>& texts) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        texts.push_back(Text(child));
        CollectTexts(child, texts);
    }
}

struct Node {
    std::wstring text;
    std::vector<Node> children;
};

// Reads the tree of another process: the item texts are written into memory of
// that process, so the buffer is made there.
class RemoteTree {
public:
    RemoteTree(HWND tree, DWORD processId) : tree_(tree) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId);
        if (process_) memory_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteTree() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool ok() const { return memory_ != nullptr; }

    std::vector<Node> Read() { return Children(nullptr); }

private:
    static constexpr size_t kSize = 65536;
    HTREEITEM Next(HTREEITEM item, UINT code) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    std::vector<Node> Children(HTREEITEM parent) {
        std::vector<Node> nodes;
        for (HTREEITEM item = parent ? Next(parent, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); item;
             item = Next(item, TVGN_NEXT))
            nodes.push_back({ItemText(item), Children(item)});
        return nodes;
    }
    std::wstring ItemText(HTREEITEM item) {
        auto* remoteItem = static_cast<char*>(memory_);
        auto* remoteText = reinterpret_cast<wchar_t*>(remoteItem + 256);
        TVITEMW tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = remoteText;
        tv.cchTextMax = static_cast<int>((kSize - 256) / sizeof(wchar_t));
        WriteProcessMemory(process_, remoteItem, &tv, sizeof tv, nullptr);
        SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remoteItem));
        std::vector<wchar_t> text(1024, L'\0');
        ReadProcessMemory(process_, remoteText, text.data(), (text.size() - 1) * sizeof(wchar_t), nullptr);
        return text.data();
    }

    HWND tree_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

void Write(const std::wstring& path, const std::string& bytes) {
    std::wstring folder = path.substr(0, path.rfind(L'\\'));
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    WriteBytes(path, bytes);
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

TEST(Varnholt, FirstStartPreparesTheUsersFolderAndClosingSavesWhatMustPersist) {
    Installed installed;
    SetSuiteActive();
    Running running(installed);
    ASSERT_NE(running.window(), nullptr);
    const std::wstring config = installed.ConfigFolder();
    EXPECT_TRUE(Exists(config + L"\\config.ini"));
    EXPECT_TRUE(Exists(config + L"\\Backup"));
    EXPECT_EQ(installed.Config(L"CopyPath"), config + L"\\Backup\\...");
    EXPECT_EQ(installed.Template(L"CopyPath"), L"---");
    // The exception list was copied for this user.
    EXPECT_EQ(ReadBytes(config + L"\\0026exc.ini"), ReadBytes(installed.Folder() + L"\\0026exc.ini"));

    // Translated texts everywhere, the welcome panel among them.
    EXPECT_EQ(Text(running.Control(1027)), installed.English(15));
    EXPECT_EQ(Text(running.Control(1003)), installed.English(45));
    std::vector<std::wstring> texts;
    CollectTexts(running.window(), texts);
    EXPECT_NE(std::find(texts.begin(), texts.end(), installed.English(50)), texts.end());
    for (const auto& text : texts) EXPECT_EQ(text.find(L"---"), std::wstring::npos) << std::string(text.begin(), text.end());
    EXPECT_FALSE(IsWindowVisible(running.Control(1000)));

    // Spoilt while it runs: closing writes the list back whole.
    WriteBytes(config + L"\\0026exc.ini", "spoilt");
    SendMessageW(running.Control(1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\kept\\..."));
    EXPECT_EQ(running.Close(), 0u);
    EXPECT_FALSE(SuiteActiveExists());
    EXPECT_EQ(ReadBytes(config + L"\\0026exc.ini"), ReadBytes(installed.Folder() + L"\\0026exc.ini"));
    EXPECT_EQ(installed.Config(L"LastPath"), L"C:\\kept\\...");

    // The next start shows the kept path.
    Running again(installed);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_EQ(Text(again.Control(1001)), L"C:\\kept\\...");
    again.Close();
}

TEST(Varnholt, WithoutKeepingTheLastPathClosingLeavesIt) {
    Installed installed(false);
    {
        Running running(installed);
        ASSERT_NE(running.window(), nullptr);
        SendMessageW(running.Control(1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\not kept\\..."));
        EXPECT_EQ(running.Close(), 0u);
    }
    EXPECT_EQ(installed.Config(L"LastPath"), L"---");
    Running again(installed);
    ASSERT_NE(again.window(), nullptr);
    EXPECT_EQ(Text(again.Control(1001)), L"");
    again.Close();
}

// The size categories of the installed options: bounds in bytes.
std::vector<uint64_t> Bounds(const Installed& installed) {
    std::wstring values = installed.Template(L"Categories");
    std::wstring options = installed.Template(L"Options");
    std::vector<uint64_t> bounds;
    size_t start = 0;
    for (int i = 0; i < 6; ++i) {
        size_t end = values.find(L';', start);
        uint64_t value = _wtoi64(values.substr(start, end - start).c_str());
        int unit = options.size() > size_t(35 + i) ? options[35 + i] - L'0' : 0;
        for (int k = 0; k < unit; ++k) value *= 1024;
        bounds.push_back(value);
        start = end + 1;
    }
    return bounds;
}

int CategoryOf(uint64_t size, const std::vector<uint64_t>& bounds) {
    for (int i = 0; i < 6; ++i)
        if (size < bounds[i]) return i;
    return 6;
}

TEST(Varnholt, SearchShowsTheDuplicateGroupsUnderTheirHeadings) {
    Installed installed;
    // The installed criteria: name, size and checksum (in a second step).
    ASSERT_EQ(installed.Template(L"Options").substr(0, 8), L"11000011");
    TempDir data;
    std::string big(300 * 1024, 'b');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
    std::string bigOther = big;
    bigOther[150000] ^= 1;
    const std::pair<std::wstring, std::string> files[] = {
        {L"a\\same.txt", "hello duplicates"},
        {L"b\\same.txt", "hello duplicates"},
        {L"b\\deep\\er\\same.txt", "hello duplicates"},
        {L"a\\twin.txt", "same size 1"},   // same name and size, other content
        {L"b\\twin.txt", "same size 2"},
        {L"a\\other.txt", "hello duplicates"},  // same content, other name
        {L"a\\big.bin", big},
        {L"c\\big.bin", big},
        {L"d\\big.bin", bigOther},
        {L"a\\Thumbs.db", "excepted"},  // on the installed exception list
        {L"b\\Thumbs.db", "excepted"},
        {L"a\\empty.dat", ""},
        {L"b\\empty.dat", ""},
    };
    for (const auto& [name, bytes] : files) Write(data / name, bytes);

    auto bounds = Bounds(installed);
    // Expected groups per category: title and the set of paths.
    std::map<int, std::set<std::pair<std::wstring, std::set<std::wstring>>>> expected;
    expected[CategoryOf(16, bounds)].insert({L"same.txt", {data / L"a\\same.txt", data / L"b\\same.txt", data / L"b\\deep\\er\\same.txt"}});
    expected[CategoryOf(big.size(), bounds)].insert({L"big.bin", {data / L"a\\big.bin", data / L"c\\big.bin"}});
    expected[CategoryOf(0, bounds)].insert({L"empty.dat", {data / L"a\\empty.dat", data / L"b\\empty.dat"}});

    Running running(installed);
    ASSERT_NE(running.window(), nullptr);
    std::wstring pathList = data.path() + L"\\...";
    SendMessageW(running.Control(1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pathList.c_str()));
    PostMessageW(running.window(), WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), reinterpret_cast<LPARAM>(running.Control(1003)));
    // The search has ended when the result buttons show and the search buttons work again.
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(running.Control(1007)) && IsWindowEnabled(running.Control(1003)); },
                        std::chrono::seconds(60)));
    EXPECT_TRUE(IsWindowVisible(running.Control(1000)));
    EXPECT_TRUE(IsWindowVisible(running.Control(1026)));

    RemoteTree reader(running.Control(1000), running.program().id());
    ASSERT_TRUE(reader.ok());
    auto headings = reader.Read();
    ASSERT_EQ(headings.size(), 7u);
    const std::wstring groupsText = installed.English(165);
    for (int c = 0; c < 7; ++c) {
        SCOPED_TRACE(c);
        const Node& heading = headings[c];
        EXPECT_EQ(heading.text.find(L'\\'), std::wstring::npos);
        std::wstring suffix = L", " + std::to_wstring(heading.children.size()) + L" " + groupsText;
        ASSERT_GE(heading.text.size(), suffix.size());
        EXPECT_EQ(heading.text.substr(heading.text.size() - suffix.size()), suffix);
        std::set<std::pair<std::wstring, std::set<std::wstring>>> found;
        for (const auto& group : heading.children) {
            std::set<std::wstring> paths;
            for (const auto& path : group.children) paths.insert(path.text);
            // A group is titled with its first file's name.
            ASSERT_FALSE(group.children.empty());
            EXPECT_EQ(group.text, FileName(group.children.front().text));
            found.insert({group.text, paths});
        }
        EXPECT_EQ(found, expected[c]);
    }
    EXPECT_EQ(running.Close(), 0u);
    EXPECT_EQ(installed.Config(L"LastPath"), pathList);
}

TEST(Varnholt, LanguageChangeTranslatesTheWindowAndKeepsThePathField) {
    Installed installed;
    Running running(installed);
    ASSERT_NE(running.window(), nullptr);
    SendMessageW(running.Control(1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\typed\\..."));
    PostMessageW(running.window(), WM_COMMAND, 32772, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindProcessWindow(running.program().id(), L"Language Selection")) != nullptr; }));
    SendMessageW(GetDlgItem(dialog, 1031), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Deutsch"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    const std::wstring german = installed.Translated(L"[1031]", 15);
    ASSERT_NE(german, installed.English(15));
    EXPECT_TRUE(WaitFor([&] { return Text(running.Control(1027)) == german; }));
    EXPECT_EQ(installed.Config(L"Language"), L"[1031]");
    EXPECT_EQ(Text(running.Control(1001)), L"C:\\typed\\...");
    std::vector<std::wstring> texts;
    CollectTexts(running.window(), texts);
    EXPECT_NE(std::find(texts.begin(), texts.end(), installed.Translated(L"[1031]", 50)), texts.end());
    for (const auto& text : texts) EXPECT_EQ(text.find(L"---"), std::wstring::npos);
    EXPECT_EQ(running.Close(), 0u);
}

TEST(Varnholt, EscapeDoesNotCloseTheMainWindow) {
    Installed installed;
    Running running(installed);
    ASSERT_NE(running.window(), nullptr);
    PostMessageW(running.window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(running.program().WaitForExit(std::chrono::milliseconds(500)), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindow(running.window()));
    EXPECT_EQ(running.Close(), 0u);
}

}  // namespace
