// The setups as an administrator runs them: silent installs into folders of the
// tests' own, the uninstall entry they leave, and uninstalls run from that entry.
// Each build tests the setups of its own architecture, whose entries lie in its
// own registry view. Wine runs every program with full rights and shows no
// elevation prompt; on Windows this executable must itself run elevated.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <map>

#include "resources/brisvane/resource.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

const wchar_t kUninstallRoot[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kSuiteProduct[] = L"Quorvexsoft Brisvane";
const wchar_t kVarnholtProduct[] = L"Quorvexsoft Varnholt";
const wchar_t kUserKey[] = L"Software\\Quorvex\\Quorvexsoft Brisvane";
#ifdef _WIN64
const wchar_t kSuiteSetup[] = L"QuorvexsoftSetup64.exe";
#else
const wchar_t kSuiteSetup[] = L"QuorvexsoftSetup.exe";
#endif

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}
std::wstring StartMenu() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + L"\\Quorvexsoft"; }
std::wstring UserData() { return KnownFolder(CSIDL_APPDATA) + L"\\Quorvex"; }
std::wstring SetupDir() { return EnvPath(L"SETUP_DIR"); }

// A value of a product's uninstall entry in a registry view (0: this
// program's own); empty when there is none.
std::wstring EntryValue(const std::wstring& product, const wchar_t* name, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kUninstallRoot + product).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    const bool read = RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? value : L"";
}
bool EntryExists(const std::wstring& product, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kUninstallRoot + product).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Runs a command line; its exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunCommand(std::wstring command) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return ~0u;
    CloseHandle(pi.hThread);
    WaitFor([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, std::chrono::seconds(120));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return code;
}

DWORD Install(const wchar_t* setup, const std::wstring& folder, const std::wstring& dir = SetupDir()) {
    return RunCommand(L"\"" + dir + L"\\" + setup + L"\" /S /D=" + folder);
}

// The uninstaller copies itself away and returns at once, so its work is
// over when the entry and the uninstaller itself are gone.
bool Uninstall(const std::wstring& product, const std::wstring& extra = L"", REGSAM view = 0) {
    const std::wstring quiet = EntryValue(product, L"QuietUninstallString", view);
    std::wstring exe = EntryValue(product, L"UninstallString", view);
    if (exe.size() > 2 && exe.front() == L'"') exe = exe.substr(1, exe.size() - 2);
    if (quiet.empty() || RunCommand(quiet + L" " + extra) != 0) return false;
    return WaitFor([&] { return !EntryExists(product, view) && !Exists(exe); }, std::chrono::seconds(60));
}

// The files below a folder by their path in it, with their bytes.
using Tree = std::map<std::wstring, std::string>;
void List(const std::wstring& root, const std::wstring& sub, Tree& tree, std::vector<std::wstring>* folders = nullptr) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((root + sub + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders) folders->push_back(sub + L"\\" + name);
            List(root, sub + L"\\" + name, tree, folders);
        } else {
            tree[sub + L"\\" + name] = ReadBytes(root + sub + L"\\" + name);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}
Tree List(const std::wstring& root) {
    Tree tree;
    List(root, L"", tree);
    return tree;
}

void ExpectSameTree(const Tree& built, Tree installed) {
    for (const auto& [name, bytes] : built) {
        auto at = installed.find(name);
        if (at == installed.end()) {
            ADD_FAILURE() << "not installed: " << Narrow(name);
            continue;
        }
        EXPECT_TRUE(at->second == bytes) << "other bytes: " << Narrow(name);
        installed.erase(at);
    }
    for (const auto& extra : installed) ADD_FAILURE() << "installed beyond the build: " << Narrow(extra.first);
}

std::wstring LinkTarget(const std::wstring& link) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shell = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
                SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
                target = path;
            file->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return target;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// The tests make and remove the current user's settings of version 7.0; the
// prefix's own are put aside meanwhile and back at the end.
class UserDataAside : public ::testing::Environment {
public:
    void SetUp() override {
        aside_ = UserData() + L".aside" + std::to_wstring(GetCurrentProcessId());
        moved_ = MoveFileW(UserData().c_str(), aside_.c_str()) != FALSE;
    }
    void TearDown() override {
        RemoveTree(UserData());
        if (moved_) MoveFileW(aside_.c_str(), UserData().c_str());
    }

private:
    std::wstring aside_;
    bool moved_ = false;
};
[[maybe_unused]] auto* const kUserDataAside = ::testing::AddGlobalTestEnvironment(new UserDataAside);

// A folder of the test's own to install into; whatever is still installed is
// uninstalled at the end.
class Setup : public ::testing::Test {
protected:
    void TearDown() override {
        for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY)})
            for (const wchar_t* product : {kVarnholtProduct, kSuiteProduct})
                if (EntryExists(product, view)) Uninstall(product, L"", view);
        RemoveTree(UserData());
        // The uninstaller's copies in the temporary folder go at the next
        // reboot on Windows; a Wine prefix never reboots.
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((std::wstring(temp) + L"~nsu*.tmp").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do RemoveTree(temp + std::wstring(found.cFileName));
        while (FindNextFileW(find, &found));
        FindClose(find);
    }
    std::wstring Folder() const { return temp_ / L"Quorvexsoft"; }
    std::wstring UserStore(const wchar_t* product) const { return UserData() + L"\\" + product + L"\\7.0\\config.ini"; }
    void WriteUserStore(const wchar_t* product, const std::string& bytes) const {
        for (const std::wstring& dir : {UserData(), UserData() + L"\\" + product, UserData() + L"\\" + product + L"\\7.0"})
            CreateDirectoryW(dir.c_str(), nullptr);
        WriteBytes(UserStore(product), bytes);
    }

    TempDir temp_;
};

TEST_F(Setup, SuiteInstallsTheBuiltLayoutWithItsEntries) {
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    Tree installed = List(Folder());
    // The uninstaller is the one file beyond the layout; the entry names it.
    const std::wstring uninstall = EntryValue(kSuiteProduct, L"UninstallString");
    EXPECT_EQ(uninstall, L"\"" + Folder() + L"\\Uninstall.exe\"");
    EXPECT_EQ(installed.erase(L"\\Uninstall.exe"), 1u);
    ExpectSameTree(List(SuiteDir()), installed);

    EXPECT_EQ(EntryValue(kSuiteProduct, L"QuietUninstallString"), uninstall + L" /S");
    EXPECT_EQ(EntryValue(kSuiteProduct, L"InstallLocation"), Folder());
    EXPECT_EQ(EntryValue(kSuiteProduct, L"DisplayIcon"), Folder() + L"\\Brisvane.exe,0");
    EXPECT_EQ(EntryValue(kSuiteProduct, L"DisplayVersion"), L"7.0");
    EXPECT_EQ(EntryValue(kSuiteProduct, L"Publisher"), L"Quorvexsoft");
    EXPECT_TRUE(SamePath(LinkTarget(StartMenu() + L"\\Quorvexsoft Brisvane.lnk"), Folder() + L"\\Brisvane.exe"));
    EXPECT_TRUE(SamePath(LinkTarget(StartMenu() + L"\\Quorvexsoft Varnholt.lnk"), Folder() + L"\\Varnholt\\Varnholt.exe"));
}

// A visible window with this title of a process started from this program file.
HWND FindWindowOfProgram(const std::wstring& title, const std::wstring& exe, HANDLE* process) {
    struct Search {
        const std::wstring& title;
        const std::wstring& exe;
        HWND found;
        static BOOL CALLBACK Visit(HWND h, LPARAM l) {
            auto* s = reinterpret_cast<Search*>(l);
            wchar_t text[512] = {};
            GetWindowTextW(h, text, 512);
            if (!IsWindowVisible(h) || s->title != text) return TRUE;
            DWORD id = 0;
            GetWindowThreadProcessId(h, &id);
            HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
            wchar_t image[MAX_PATH] = {};
            DWORD size = MAX_PATH;
            if (p) QueryFullProcessImageNameW(p, 0, image, &size);
            if (p) CloseHandle(p);
            if (!SamePath(image, s->exe)) return TRUE;
            s->found = h;
            return FALSE;
        }
    } search{title, exe, nullptr};
    EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found && process) {
        DWORD id = 0;
        GetWindowThreadProcessId(search.found, &id);
        *process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    }
    return search.found;
}

TEST_F(Setup, InstalledBrisvaneStartsVarnholtFromItsSubFolder) {
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    Program shell(Folder() + L"\\Brisvane.exe", Folder());
    HWND window = shell.WaitForWindow(L"Quorvexsoft Brisvane 7");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_MODULES_VARNHOLT, 0), 0);
    HWND varnholt = nullptr;
    HANDLE process = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        return (varnholt = FindWindowOfProgram(L"Quorvexsoft Varnholt 7", Folder() + L"\\Varnholt\\Varnholt.exe",
                                               &process)) != nullptr;
    }, std::chrono::seconds(30)));
    if (varnholt) {
        PostMessageW(varnholt, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
    }
    if (process) {
        if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        CloseHandle(process);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_NE(shell.WaitForExit(), STILL_ACTIVE);
}

TEST_F(Setup, ASecondInstallReplacesTemplatesAndKeepsTheUsersStore) {
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    const std::string own = "Product ID\r\n0026\r\nVersion\r\n7.0\r\nLastPath\r\nC:\\mine\r\n";
    WriteUserStore(L"0026", own);
    const std::wstring installedTemplate = Folder() + L"\\Varnholt\\config.ini";
    WriteBytes(installedTemplate, "an older template");
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    EXPECT_EQ(ReadBytes(UserStore(L"0026")), own);
    EXPECT_EQ(ReadBytes(installedTemplate), ReadBytes(SuiteDir() + L"\\Varnholt\\config.ini"));
}

// Windows does not let a running program's file be replaced or deleted, nor does Wine.
TEST_F(Setup, ARunningProgramFailsSetupAndUninstallWithTheEntryKept) {
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    {
        Program varnholt(Folder() + L"\\Varnholt\\Varnholt.exe", Folder() + L"\\Varnholt");
        HWND window = varnholt.WaitForWindow(L"Quorvexsoft Varnholt 7");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Install(kSuiteSetup, Folder()), 2u);
        // Run in place, the uninstaller ends when it is done and tells how.
        EXPECT_EQ(RunCommand(L"\"" + Folder() + L"\\Uninstall.exe\" /S _?=" + Folder()), 2u);
        EXPECT_TRUE(EntryExists(kSuiteProduct));
        EXPECT_TRUE(Exists(Folder() + L"\\Varnholt\\Varnholt.exe"));
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_NE(varnholt.WaitForExit(), STILL_ACTIVE);
    }
    // Run again once the program is closed, it finishes the work.
    ASSERT_TRUE(Uninstall(kSuiteProduct));
    EXPECT_FALSE(Exists(Folder()));
}

// What Explorer's properties show of each setup program: the suite's version and maker.
TEST(SetupPrograms, CarryTheSuitesVersionAndCompany) {
    const std::wstring brisvane = SuiteDir() + L"\\Brisvane.exe";
#ifdef _WIN64
    for (const wchar_t* setup : {kSuiteSetup}) {
#else
    for (const wchar_t* setup : {kSuiteSetup, L"VarnholtSetup.exe"}) {
#endif
        const std::wstring path = SetupDir() + L"\\" + setup;
        SCOPED_TRACE(Narrow(setup));
        EXPECT_EQ(FixedVersion(path).dwProductVersionMS, FixedVersion(brisvane).dwProductVersionMS);
        for (const wchar_t* name : {L"CompanyName", L"ProductVersion"})
            EXPECT_EQ(VersionText(path, name), VersionText(brisvane, name)) << Narrow(name);
    }
}

struct UninstallCase {
    const wchar_t* switches;
    bool userFile;  // the user saved a results list into Varnholt's folder
    bool settingsKept;
};

class SuiteUninstall : public Setup, public ::testing::WithParamInterface<UninstallCase> {};

TEST_P(SuiteUninstall, RemovesWhatItInstalledAndNothingOfTheUsersUnasked) {
    const UninstallCase& c = GetParam();
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    const std::wstring results = Folder() + L"\\Varnholt\\results.txt";
    if (c.userFile) WriteBytes(results, "C:\\a.jpg\r\nC:\\b.jpg\r\n");
    WriteUserStore(L"0020", "shell");
    WriteUserStore(L"0026", "varnholt");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_TRUE(Uninstall(kSuiteProduct, c.switches));
    Tree left;
    std::vector<std::wstring> folders;
    List(Folder(), L"", left, &folders);
    if (c.userFile) {
        EXPECT_EQ(left.size(), 1u);
        EXPECT_EQ(left[L"\\Varnholt\\results.txt"], "C:\\a.jpg\r\nC:\\b.jpg\r\n");
        EXPECT_EQ(folders, std::vector<std::wstring>{L"\\Varnholt"});
    } else {
        EXPECT_FALSE(Exists(Folder()));
    }
    EXPECT_FALSE(Exists(StartMenu()));

    EXPECT_EQ(Exists(UserStore(L"0020")), c.settingsKept);
    EXPECT_EQ(Exists(UserStore(L"0026")), c.settingsKept);
    EXPECT_EQ(Exists(UserData()), c.settingsKept);
    const bool keyLeft = RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (keyLeft) RegCloseKey(key);
    EXPECT_EQ(keyLeft, c.settingsKept);
}

INSTANTIATE_TEST_SUITE_P(Cases, SuiteUninstall,
                         ::testing::Values(UninstallCase{L"", true, true},
                                           UninstallCase{L"/REMOVESETTINGS", false, false}));

#ifdef _WIN64
TEST_F(Setup, Suite64GoesIntoProgramFilesWithItsEntryInThe64BitView) {
    ASSERT_EQ(RunCommand(L"\"" + SetupDir() + L"\\" + kSuiteSetup + L"\" /S"), 0u);
    const std::wstring folder = KnownFolder(CSIDL_PROGRAM_FILES) + L"\\Quorvexsoft";
    EXPECT_EQ(EntryValue(kSuiteProduct, L"InstallLocation", KEY_WOW64_64KEY), folder);
    EXPECT_FALSE(EntryExists(kSuiteProduct, KEY_WOW64_32KEY));
    for (const wchar_t* program : {L"\\Brisvane.exe", L"\\Varnholt\\Varnholt.exe"}) {
        DWORD type = ~0u;
        EXPECT_TRUE(GetBinaryTypeW((folder + program).c_str(), &type));
        EXPECT_EQ(type, DWORD(SCS_64BIT_BINARY)) << Narrow(program);
    }
}
#else
// The text of a control of another program's window.
std::wstring ControlText(HWND window, int id) {
    wchar_t text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(window, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    return text;
}

const int kPathField = 1001;  // Varnholt's path list

// A user of the 32-bit suite who moves to the 64-bit one finds the settings
// the 32-bit Varnholt stored: both keep them in the same per-user place.
TEST_F(Setup, MovingToThe64BitSuiteKeepsTheUsersSettings) {
    const std::wstring setup64 = EnvPath(L"SETUP64_DIR");
    ASSERT_TRUE(Exists(setup64 + L"\\QuorvexsoftSetup64.exe")) << "the 64-bit tree makes it: scripts/build x64";
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    {
        Program varnholt(Folder() + L"\\Varnholt\\Varnholt.exe", Folder() + L"\\Varnholt");
        HWND window = varnholt.WaitForWindow(L"Quorvexsoft Varnholt 7");
        ASSERT_NE(window, nullptr);
        SendMessageW(GetDlgItem(window, kPathField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\moved\\..."));
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_NE(varnholt.WaitForExit(), STILL_ACTIVE);
    }
    ASSERT_TRUE(Uninstall(kSuiteProduct));

    const std::wstring folder64 = temp_ / L"Quorvexsoft64";
    ASSERT_EQ(Install(L"QuorvexsoftSetup64.exe", folder64, setup64), 0u);
    Program varnholt(folder64 + L"\\Varnholt\\Varnholt.exe", folder64 + L"\\Varnholt");
    HWND window = varnholt.WaitForWindow(L"Quorvexsoft Varnholt 7");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(window, kPathField), L"C:\\moved\\...");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_NE(varnholt.WaitForExit(), STILL_ACTIVE);
}

TEST_F(Setup, VarnholtAloneInstallsItsFolderAndUninstallsCleanly) {
    const std::wstring folder = Folder() + L"\\Varnholt";
    ASSERT_EQ(Install(L"VarnholtSetup.exe", folder), 0u);
    Tree installed = List(folder);
    EXPECT_EQ(installed.erase(L"\\Uninstall Varnholt.exe"), 1u);
    Tree built;
    List(SuiteDir(), L"\\Varnholt", built);
    Tree expected;
    for (auto& [name, bytes] : built) expected[name.substr(std::wstring(L"\\Varnholt").size())] = bytes;
    ExpectSameTree(expected, installed);
    EXPECT_TRUE(SamePath(LinkTarget(StartMenu() + L"\\Quorvexsoft Varnholt.lnk"), folder + L"\\Varnholt.exe"));

    WriteUserStore(L"0026", "varnholt");
    ASSERT_TRUE(Uninstall(kVarnholtProduct));
    EXPECT_FALSE(Exists(Folder()));
    EXPECT_FALSE(Exists(StartMenu()));
    EXPECT_TRUE(Exists(UserStore(L"0026")));
}

// Both setups put Varnholt into the same folder; whichever is uninstalled
// first leaves Varnholt to the other.
TEST_F(Setup, VarnholtAloneOverTheSuiteLeavesTheSuiteWhole) {
    ASSERT_EQ(Install(kSuiteSetup, Folder()), 0u);
    // No folder asked for: it goes where the suite has Varnholt.
    ASSERT_EQ(RunCommand(L"\"" + SetupDir() + L"\\VarnholtSetup.exe\" /S"), 0u);
    EXPECT_EQ(EntryValue(kVarnholtProduct, L"InstallLocation"), Folder() + L"\\Varnholt");
    ASSERT_TRUE(Uninstall(kVarnholtProduct));
    EXPECT_TRUE(Exists(Folder() + L"\\Varnholt\\Varnholt.exe"));
    EXPECT_TRUE(Exists(StartMenu() + L"\\Quorvexsoft Varnholt.lnk"));
    ASSERT_TRUE(Uninstall(kSuiteProduct));
    EXPECT_FALSE(Exists(Folder()));
    EXPECT_FALSE(Exists(StartMenu()));
}

#endif

}  // namespace
