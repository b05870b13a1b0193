// Brisvane as a user meets it: a suite installation of its own with the
// stand-in modules in place, driven through its menu, tiles and Start! button
// from this process, with the stand-ins really started and really ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "brisvane/ModuleContract.h"
#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"

using namespace contract;
using namespace testing_support;

namespace {

const wchar_t kTitle[] = L"Quorvexsoft Brisvane 7";
const wchar_t kMessageTitle[] = L"Quorvexsoft Brisvane";
// Commands and controls of the shell, as a user reaches them.
constexpr int kModulesOstrelle = 32775, kModulesPembrast = 32776, kStart = 1020;

std::wstring Registry(const wchar_t* value) {
    PowerClass registry;
    registry.RegistryKeyPath = kSuiteKey;
    return registry.ReadRegistryText(1, value);
}

bool RegistryHas(const wchar_t* value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSuiteKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExW(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void ClearRegistry() {
    PowerClass registry;
    registry.RegistryKeyPath = kSuiteKey;
    for (const wchar_t* value : {kActive, kProgress1Max, kProgress1, kProgress2, kProgress3, kProgressCancelled})
        registry.DeleteRegistryValue(1, value);
}

// A copy of the installed suite whose products all carry a version of the test's own.
class InstalledSuite {
public:
    InstalledSuite() {
        version_ = L"7.e2e" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter_);
        Copy(L"", {L"Brisvane.exe", L"0020trl.ini"});
        for (const auto& module : kModules) {
            if (module.module == Module::Varnholt) continue;
            CreateDirectoryW((folder_.path() + module.subfolder).c_str(), nullptr);
            Copy(module.subfolder, {std::wstring(module.name) + L".exe"});
            WIN32_FIND_DATAW found;
            HANDLE find = FindFirstFileW((SuiteDir() + module.subfolder + L"\\*trl.ini").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                Copy(module.subfolder, {found.cFileName});
                FindClose(find);
            }
        }
        Template(L"");
        for (const auto& module : kModules)
            if (module.module != Module::Varnholt) Template(module.subfolder);
        ClearRegistry();
    }
    ~InstalledSuite() {
        ClearRegistry();
        for (const auto& product : products_) RemoveTree(AppData() + L"\\Quorvex\\" + product + L"\\" + version_);
    }

    std::wstring Exe() const { return folder_ / L"Brisvane.exe"; }
    const std::wstring& Folder() const { return folder_.path(); }
    std::wstring Store(Module module) const { return StoreFolder(module) + L"\\config.ini"; }
    std::wstring Log(Module module) const { return StoreFolder(module) + L"\\standin.log"; }
    std::wstring TemplateValue(Module module, const std::wstring& key) const {
        return ValueIn(folder_.path() + Info(module).subfolder + L"\\config.ini", key);
    }
    std::wstring Value(Module module, const std::wstring& key) const { return ValueIn(Store(module), key); }
    static std::wstring ValueIn(const std::wstring& file, const std::wstring& key) {
        if (!Exists(file)) return L"(no store)";
        auto lines = fw::ReadTextLines(file);
        std::wstring value;
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == key) value = lines[++i];
        return value;
    }
    // Makes the user's store of a module from its template, with one value changed.
    void Prepare(Module module, const std::wstring& key, const std::wstring& value) const {
        auto lines = fw::ReadTextLines(folder_.path() + Info(module).subfolder + L"\\config.ini");
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == key) lines[i + 1] = value;
        SHCreateDirectory(StoreFolder(module));
        fw::WriteTextLines(Store(module), lines);
    }
    std::wstring English(int number) const {
        CTranslation texts;
        texts.LoadSection(fw::ReadTextLines(folder_ / L"0020trl.ini"), L"[1033]");
        return texts.GetText(number);
    }

private:
    static std::wstring AppData() {
        PowerClass power;
        return power.ReadRegistryText(0, L"AppData");
    }
    static void SHCreateDirectory(const std::wstring& path) {
        for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
            CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
        CreateDirectoryW(path.c_str(), nullptr);
    }
    std::wstring StoreFolder(Module module) const {
        return AppData() + L"\\Quorvex\\" + ProductOf(Info(module).subfolder) + L"\\" + version_;
    }
    std::wstring ProductOf(const std::wstring& sub) const {
        auto lines = fw::ReadTextLines(folder_.path() + sub + L"\\config.ini");
        auto at = std::find(lines.begin(), lines.end(), L"Product ID");
        return at + 1 < lines.end() ? *(at + 1) : L"";
    }
    void Copy(const std::wstring& sub, std::initializer_list<std::wstring> names) {
        for (const auto& name : names)
            CopyFileW((SuiteDir() + sub + L"\\" + name).c_str(), (folder_.path() + sub + L"\\" + name).c_str(), FALSE);
    }
    // The template with this test's version and English as the language.
    void Template(const std::wstring& sub) {
        auto lines = fw::ReadTextLines(SuiteDir() + sub + L"\\config.ini");
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == L"Version") lines[i + 1] = version_;
            if (lines[i] == L"Language") lines[i + 1] = L"[1033]";
            if (lines[i] == L"Product ID") products_.push_back(lines[i + 1]);
        }
        fw::WriteTextLines(folder_.path() + sub + L"\\config.ini", lines);
    }

    static inline int counter_ = 0;
    TempDir folder_;
    std::wstring version_;
    std::vector<std::wstring> products_;
};

HWND FindWindowTitled(const std::wstring& title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindProcessWindow(0, title)) != nullptr; });
    return found;
}

// A running Brisvane and its window.
class Shell {
public:
    explicit Shell(const InstalledSuite& suite) : program_(suite.Exe(), suite.Folder()) {
        window_ = program_.WaitForWindow(kTitle);
    }
    ~Shell() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        program_.WaitForExit(std::chrono::seconds(10));
    }
    HWND window() const { return window_; }
    bool Visible() const { return IsWindowVisible(window_) != FALSE; }
    void Command(int id) const { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // The shell's message box, once it shows; its text.
    std::wstring WaitForMessage(HWND& box, std::chrono::seconds timeout = std::chrono::seconds(60)) {
        box = program_.WaitForWindow(kMessageTitle, timeout);
        if (!box) return L"(no message)";
        wchar_t text[2048] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 2048);
        return text;
    }
    Program& program() { return program_; }

private:
    Program program_;
    HWND window_ = nullptr;
};

void Answer(HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

}  // namespace

TEST(Brisvane, AModuleFromTheMenuRunsWhileTheShellWaitsHidden) {
    InstalledSuite suite;
    Shell shell(suite);
    ASSERT_NE(shell.window(), nullptr);
    shell.Command(kModulesOstrelle);
    HWND module = FindWindowTitled(L"Quorvexsoft Ostrelle");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Registry(kActive), L"x");
    EXPECT_TRUE(WaitFor([&] { return !shell.Visible(); }, std::chrono::seconds(5)));
    // The shell touched no store: only Ostrelle made its own, from its template.
    for (Module other : {Module::Flintrask, Module::Wickerlume, Module::Pembrast, Module::Tressivon})
        EXPECT_FALSE(Exists(suite.Store(other))) << Info(other).name;
    EXPECT_EQ(ReadBytes(suite.Store(Module::Ostrelle)), ReadBytes(suite.Folder() + L"\\Ostrelle\\config.ini"));

    PostMessageW(module, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return shell.Visible(); }));
    EXPECT_FALSE(RegistryHas(kActive));
}

TEST(Brisvane, FlintraskFromItsTileRunsWithoutItsLimitAndGetsItBack) {
    InstalledSuite suite;
    suite.Prepare(Module::Flintrask, kMaxSearch, L"500");
    Shell shell(suite);
    ASSERT_NE(shell.window(), nullptr);
    PostMessageW(shell.window(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 200));
    PostMessageW(shell.window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 200));
    HWND module = FindWindowTitled(L"Quorvexsoft Flintrask");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(suite.Value(Module::Flintrask, kMaxSearch), L"---");
    EXPECT_NE(ReadBytes(suite.Log(Module::Flintrask)).find("MaxSearch=---;OneClickMode=---"), std::string::npos);
    PostMessageW(module, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return shell.Visible(); }));
    EXPECT_TRUE(WaitFor([&] { return suite.Value(Module::Flintrask, kMaxSearch) == L"500"; }, std::chrono::seconds(5)));
}

TEST(Brisvane, CancelInStepOneStartsNeitherOfTheOtherModules) {
    InstalledSuite suite;
    suite.Prepare(Module::Flintrask, L"Pace", L"300");  // a step of twelve seconds
    const std::wstring own = suite.TemplateValue(Module::Flintrask, kOptions);
    Shell shell(suite);
    ASSERT_NE(shell.window(), nullptr);
    shell.Command(kStart);
    ASSERT_TRUE(WaitFor([] { return RegistryHas(kProgress1Max) && Registry(kProgress1Max) != L"x"; }));
    // The panel's Cancel button, as a click reaches it.
    HWND panel = nullptr;
    for (HWND child = GetWindow(shell.window(), GW_CHILD); child && !panel; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, IDCANCEL)) panel = child;
    ASSERT_NE(panel, nullptr);
    PostMessageW(panel, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(panel, IDCANCEL)));
    HWND box = nullptr;
    EXPECT_EQ(shell.WaitForMessage(box, std::chrono::seconds(20)), suite.English(450));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(Exists(suite.Log(Module::Wickerlume)));
    EXPECT_FALSE(Exists(suite.Log(Module::Ostrelle)));
    Answer(box);
    EXPECT_TRUE(WaitFor([&] { return suite.Value(Module::Flintrask, kUseDefaults) == L"false"; }, std::chrono::seconds(10)));
    EXPECT_EQ(suite.Value(Module::Flintrask, kOptions), own);
}

TEST(Brisvane, AMissingModuleProgramLeavesTheShellUpWithAMessage) {
    InstalledSuite suite;
    DeleteFileW((suite.Folder() + L"\\Pembrast\\Pembrast.exe").c_str());
    Shell shell(suite);
    ASSERT_NE(shell.window(), nullptr);
    shell.Command(kModulesPembrast);
    HWND box = nullptr;
    const std::wstring text = shell.WaitForMessage(box, std::chrono::seconds(20));
    EXPECT_NE(text.find(L"Pembrast.exe"), std::wstring::npos) << std::string(text.begin(), text.end());
    EXPECT_TRUE(shell.Visible());
    EXPECT_FALSE(RegistryHas(kActive));
    if (box) Answer(box);
}

TEST(Brisvane, AModuleThatEndsWithoutRemovingActiveStillBringsTheShellBack) {
    InstalledSuite suite;
    // Ravelboot's stand-in main program ends at once and knows nothing of "active".
    const std::wstring pembrast = suite.Folder() + L"\\Pembrast\\Pembrast.exe";
    ASSERT_TRUE(CopyFileW((SuiteDir() + L"\\Ravelboot\\ProductMain.exe").c_str(), pembrast.c_str(), FALSE));
    Shell shell(suite);
    ASSERT_NE(shell.window(), nullptr);
    shell.Command(kModulesPembrast);
    EXPECT_TRUE(WaitFor([&] { return !shell.Visible(); }, std::chrono::seconds(5)));
    EXPECT_TRUE(WaitFor([&] { return shell.Visible(); }, std::chrono::seconds(10)));
    EXPECT_FALSE(RegistryHas(kActive));
}
