#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kTestKey[] = L"Software\\Quorvex\\ConfigStoreTests";

std::optional<std::wstring> RawRegistryText(HKEY root, const wchar_t* keyPath, const wchar_t* name) {
    wchar_t buffer[4096] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(root, keyPath, name, RRF_RT_ANY, &type, buffer, &size) != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(buffer);
}

void SetRawRegistryText(HKEY root, const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

// Points the user's application-data folder elsewhere while it lives.
class AppDataOverride {
public:
    explicit AppDataOverride(const std::wstring& folder)
        : saved_(RawRegistryText(HKEY_CURRENT_USER, kShellFolders, L"AppData")) {
        SetRawRegistryText(HKEY_CURRENT_USER, kShellFolders, L"AppData", folder);
    }
    ~AppDataOverride() {
        if (saved_)
            SetRawRegistryText(HKEY_CURRENT_USER, kShellFolders, L"AppData", *saved_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"AppData");
    }

private:
    std::optional<std::wstring> saved_;
};

// A program folder of its own with a template config.ini.
class ConfigStore : public ::testing::Test {
protected:
    void SetUp() override {
        program = dir / L"Program";
        CreateDirectoryW(program.c_str(), nullptr);
        PowerClass::SetProgramFolderForTests(program);
    }
    void TearDown() override { PowerClass::SetProgramFolderForTests(L""); }

    std::wstring Template() const { return program + L"\\config.ini"; }

    TempDir dir;
    std::wstring program;
};

const std::string kTemplate = "Product ID\r\nP\r\nVersion\r\nV\r\nLanguage\r\n[1031]\r\n";

TEST_F(ConfigStore, ReadMatchesWholeLinesOnly) {
    struct Case {
        const char* file;
        const wchar_t* key;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"Key\r\nfirst\r\nKey\r\nsecond\r\n", L"Key", L"second"},      // the last occurrence wins
        {"Key\r\nKey\r\nOther\r\n", L"Key", L"Key"},                    // a consumed value is not a key
        {"Other\r\nKey\r\nvalue\r\n", L"Key", L"value"},                // pairs are not counted by position
        {"A\r\n1\r\nKey\r\n", L"Key", L""},                             // key on the last line
        {"A\r\n1\r\nKey", L"Key", L""},                                 // ... without a line end
        {"Language\r\nde\r\n", L"language", L""},                       // case-sensitive
        {"Language \r\nde\r\n", L"Language", L""},                      // no trimming
        {"Key\nunix\n", L"Key", L"unix"},                               // a lone LF ends a line
        {"Key\r\n\r\nNext\r\nx\r\n", L"Key", L""},                      // an empty value
        {"Key\r\nlast line", L"Key", L"last line"},
        {"Key\r\ncaf\xE9\r\n", L"Key", L"caf\u00E9"},                   // one character per byte
        {"", L"Key", L""},
    };
    PowerClass power;
    for (const auto& c : cases) {
        WriteBytes(Template(), c.file);
        EXPECT_EQ(power.ReadConfigValue(c.key), c.expected) << c.file;
    }
}

TEST_F(ConfigStore, WriteReplacesEveryValueOfTheKey) {
    struct Case {
        const char* before;
        const wchar_t* key;
        const wchar_t* value;
        const char* after;
    };
    const Case cases[] = {
        {"Key\r\na\r\nX\r\n1\r\nKey\r\nb\r\n", L"Key", L"new", "Key\r\nnew\r\nX\r\n1\r\nKey\r\nnew\r\n"},
        {"A\r\n1\r\nB\r\n2\r\n", L"C", L"new", "A\r\n1\r\nB\r\n2\r\n"},                 // no key: unchanged
        {"X\r\nKey\r\nY\r\n", L"Key", L"new", "X\r\nKey\r\nnew\r\n"},                   // a value line taken for the key
        {"Key\r\nold\r\nKey\r\nold\r\n", L"Key", L"Key", "Key\r\nKey\r\nKey\r\nKey\r\n"},
        {"Key\nold\nA\n1", L"Key", L"new", "Key\r\nnew\r\nA\r\n1\r\n"},                 // written with CRLF
        {"Key\r\nold\r\n", L"Key", L"", "Key\r\n\r\n"},
        {"Key\r\nold\r\n", L"Key", L"caf\u00E9", "Key\r\ncaf\xE9\r\n"},
        {"", L"Key", L"x", ""},
    };
    PowerClass power;
    for (const auto& c : cases) {
        WriteBytes(Template(), c.before);
        power.WriteConfigValue(c.key, c.value);
        EXPECT_EQ(ReadBytes(Template()), c.after) << c.before;
    }
}

TEST_F(ConfigStore, KeyOnTheLastLineFailsAndKeepsTheFile) {
    const std::string before = "Key\r\nold\r\nOther\r\nx\r\nKey\r\n";
    WriteBytes(Template(), before);
    PowerClass power;
    EXPECT_THROW(power.WriteConfigValue(L"Key", L"new"), fw::InvalidArgumentError);
    EXPECT_EQ(ReadBytes(Template()), before);
}

TEST_F(ConfigStore, MissingFileIsAFileError) {
    PowerClass power;
    EXPECT_THROW(power.ReadConfigValue(L"Key"), fw::FileError);
    EXPECT_THROW(power.WriteConfigValue(L"Key", L"x"), fw::FileError);
    EXPECT_FALSE(Exists(Template()));
}

TEST_F(ConfigStore, FailedReplaceKeepsTheOldFileWhole) {
    const std::string before = "Key\r\nold\r\nOther\r\nkept\r\n";
    WriteBytes(Template(), before);
    PowerClass power;
    power.ConfigPath = Template();
    {
        // Held open without delete sharing, the file cannot be replaced: as when the
        // writer is killed before its rename, the store still holds the old bytes.
        HANDLE holder = CreateFileW(Template().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_THROW(power.WriteConfigValue(L"Key", L"new"), fw::FileError);
        CloseHandle(holder);
    }
    EXPECT_EQ(ReadBytes(Template()), before);
    // No temporary file stays behind.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((program + L"\\*").c_str(), &found);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(files, 1);
    power.WriteConfigValue(L"Key", L"new");
    EXPECT_EQ(power.ReadConfigValue(L"Key"), L"new");
    EXPECT_EQ(power.ReadConfigValue(L"Other"), L"kept");
}

TEST_F(ConfigStore, FirstUseCopiesTheTemplateBelowApplicationData) {
    WriteBytes(Template(), kTemplate);
    std::wstring appData = dir / L"AppData";
    CreateDirectoryW(appData.c_str(), nullptr);
    AppDataOverride redirect(appData);

    PowerClass power;
    EXPECT_EQ(power.GetConfigPath(), appData + L"\\Quorvex\\P\\V\\config.ini");
    EXPECT_EQ(power.ConfigPath, appData + L"\\Quorvex\\P\\V\\config.ini");
    EXPECT_EQ(power.DataFolder, appData + L"\\Quorvex\\P\\V");
    EXPECT_EQ(power.MakerFolder, appData + L"\\Quorvex");
    EXPECT_EQ(ReadBytes(power.ConfigPath), kTemplate);

    // From now on the copy is the store; a later resolution keeps it.
    power.WriteConfigValue(L"Language", L"[1033]");
    PowerClass other;
    other.GetConfigPath();
    EXPECT_EQ(other.ReadConfigValue(L"Language"), L"[1033]");
    EXPECT_EQ(ReadBytes(Template()), kTemplate);
}

TEST_F(ConfigStore, WithoutApplicationDataTheProgramFolderHoldsTheStore) {
    WriteBytes(Template(), kTemplate);
    AppDataOverride redirect(L"");
    PowerClass power;
    EXPECT_EQ(power.GetConfigPath(), Template());
    EXPECT_EQ(power.DataFolder, program);
    EXPECT_EQ(power.MakerFolder, dir.path().substr(0, dir.path().rfind(L'\\')));
}

TEST_F(ConfigStore, FailedCopyFallsBackToTheProgramFolder) {
    WriteBytes(Template(), kTemplate);
    // A file where the maker's folder should be: nothing can be made below it.
    std::wstring appData = dir / L"AppData";
    CreateDirectoryW(appData.c_str(), nullptr);
    WriteBytes(appData + L"\\Quorvex", "in the way");
    AppDataOverride redirect(appData);
    PowerClass power;
    EXPECT_EQ(power.GetConfigPath(), Template());
}

TEST_F(ConfigStore, StarterFormMakesOnlyWhatTheCopyNeeds) {
    WriteBytes(Template(), kTemplate);
    std::wstring appData = dir / L"AppData";
    CreateDirectoryW(appData.c_str(), nullptr);
    AppDataOverride redirect(appData);
    PowerClass power;
    EXPECT_EQ(power.GetStarterConfigPath(), appData + L"\\Quorvex\\P\\V\\config.ini");
    EXPECT_EQ(ReadBytes(power.ConfigPath), kTemplate);
    EXPECT_TRUE(power.DataFolder.empty());
    EXPECT_TRUE(power.MakerFolder.empty());
}

TEST_F(ConfigStore, ModuleStoresLiveBesideTheCallersOwn) {
    WriteBytes(Template(), kTemplate);
    std::wstring module = program + L"\\Flintrask";
    CreateDirectoryW(module.c_str(), nullptr);
    const std::string moduleTemplate = "Product ID\r\nF\r\nVersion\r\n3\r\nMaxSearch\r\n100\r\nDrive\r\nC:\r\n";
    WriteBytes(module + L"\\config.ini", moduleTemplate);
    std::wstring appData = dir / L"AppData";
    CreateDirectoryW(appData.c_str(), nullptr);
    AppDataOverride redirect(appData);

    PowerClass power;
    power.GetConfigPath();
    const std::wstring own = power.ConfigPath;
    EXPECT_EQ(power.ReadModuleConfigValue(L"\\Flintrask", L"MaxSearch"), L"100");
    power.WriteModuleConfigValue(L"\\Flintrask", L"MaxSearch", L"250");
    EXPECT_EQ(power.ReadModuleConfigValue(L"\\Flintrask", L"MaxSearch"), L"250");
    EXPECT_EQ(ReadBytes(appData + L"\\Quorvex\\F\\3\\config.ini"),
              "Product ID\r\nF\r\nVersion\r\n3\r\nMaxSearch\r\n250\r\nDrive\r\nC:\r\n");
    EXPECT_EQ(ReadBytes(module + L"\\config.ini"), moduleTemplate);
    EXPECT_EQ(power.ConfigPath, own);
}

TEST_F(ConfigStore, ModuleStoreWithoutApplicationDataIsTheModulesTemplate) {
    std::wstring module = program + L"\\Ostrelle";
    CreateDirectoryW(module.c_str(), nullptr);
    WriteBytes(module + L"\\config.ini", "Product ID\r\nO\r\nVersion\r\n1\r\nDrive\r\nC:\r\n");
    AppDataOverride redirect(L"");
    PowerClass power;
    power.WriteModuleConfigValue(L"\\Ostrelle", L"Drive", L"D:");
    EXPECT_EQ(ReadBytes(module + L"\\config.ini"), "Product ID\r\nO\r\nVersion\r\n1\r\nDrive\r\nD:\r\n");
}

TEST_F(ConfigStore, CopyFileSilentlyMakesMissingFolders) {
    std::wstring source = dir / L"source.txt";
    WriteBytes(source, "bytes");
    std::wstring target = dir / L"a\\b\\c";
    PowerClass::CopyFileSilently(source, target, false);
    EXPECT_EQ(ReadBytes(target + L"\\source.txt"), "bytes");
    // A missing source copies nothing and makes nothing.
    PowerClass::CopyFileSilently(dir / L"missing.txt", dir / L"never", false);
    EXPECT_FALSE(Exists(dir / L"never"));
    EXPECT_TRUE(PowerClass::FileExists(source));
    EXPECT_FALSE(PowerClass::FileExists(dir / L"missing.txt"));
    EXPECT_FALSE(PowerClass::FileExists(L""));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring expected(path);
    expected.resize(expected.rfind(L'\\'));
    EXPECT_EQ(PowerClass::GetProgramFolder(), expected);
}

class Registry : public ::testing::Test {
protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKey);
    }
};

TEST_F(Registry, RootCodesChooseTheKey) {
    SetRawRegistryText(HKEY_CURRENT_USER, kTestKey, L"Name", L"user");
    SetRawRegistryText(HKEY_LOCAL_MACHINE, kTestKey, L"Name", L"machine");
    PowerClass power;
    EXPECT_EQ(power.ReadRegistryText(0, L"AppData"), RawRegistryText(HKEY_CURRENT_USER, kShellFolders, L"AppData"));
    EXPECT_FALSE(power.ReadRegistryText(0, L"AppData").empty());
    // Without a key path the owner's roots have no key.
    EXPECT_EQ(power.ReadRegistryText(1, L"Name"), L"Registry key was not found :-( ");
    EXPECT_EQ(power.ReadRegistryText(2, L"Name"), L"Registry key was not found :-( ");
    power.RegistryKeyPath = kTestKey;
    EXPECT_EQ(power.ReadRegistryText(1, L"Name"), L"user");
    EXPECT_EQ(power.ReadRegistryText(2, L"Name"), L"machine");
    EXPECT_EQ(power.ReadRegistryText(3, L"Name"), L"Registry key was not found :-( ");
    EXPECT_EQ(power.ReadRegistryText(-1, L"Name"), L"Registry key was not found :-( ");
    EXPECT_EQ(power.ReadRegistryText(1, L"Missing"), L"");
    power.RegistryKeyPath = std::wstring(kTestKey) + L"\\Missing";
    EXPECT_EQ(power.ReadRegistryText(1, L"Name"), L"");
}

TEST_F(Registry, OtherTypesAndEmptyValues) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD number = 5;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegSetValueExW(key, L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(L"%TEMP%"), 14);
    RegSetValueExW(key, L"Empty", 0, REG_SZ, nullptr, 0);
    std::wstring big(70000, L'b');
    RegSetValueExW(key, L"Big", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()),
                   static_cast<DWORD>((big.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    PowerClass power;
    power.RegistryKeyPath = kTestKey;
    EXPECT_EQ(power.ReadRegistryText(1, L"Number"), L"No REG_SZ ");
    EXPECT_EQ(power.ReadRegistryText(1, L"Expand"), L"No REG_SZ ");
    EXPECT_EQ(power.ReadRegistryText(1, L"Empty"), L"");
    EXPECT_EQ(power.ReadRegistryText(1, L"Big"), big);  // longer than any fixed buffer
}

TEST_F(Registry, DeleteRemovesFromTheChosenRoot) {
    SetRawRegistryText(HKEY_CURRENT_USER, kTestKey, L"active", L"x");
    SetRawRegistryText(HKEY_LOCAL_MACHINE, kTestKey, L"active", L"x");
    PowerClass power;
    power.RegistryKeyPath = kTestKey;
    power.DeleteRegistryValue(2, L"active");  // opens nothing
    EXPECT_TRUE(RawRegistryText(HKEY_CURRENT_USER, kTestKey, L"active"));
    EXPECT_TRUE(RawRegistryText(HKEY_LOCAL_MACHINE, kTestKey, L"active"));
    power.DeleteRegistryValue(0, L"active");
    EXPECT_FALSE(RawRegistryText(HKEY_LOCAL_MACHINE, kTestKey, L"active"));
    EXPECT_TRUE(RawRegistryText(HKEY_CURRENT_USER, kTestKey, L"active"));
    power.DeleteRegistryValue(1, L"active");
    EXPECT_FALSE(RawRegistryText(HKEY_CURRENT_USER, kTestKey, L"active"));
    power.DeleteRegistryValue(1, L"active");  // already gone: nothing happens
}

TEST_F(Registry, WrittenTextsKeepTheFixedFormOrGrow) {
    PowerClass power;
    power.RegistryKeyPath = kTestKey;
    const std::wstring texts[] = {L"", L"done", std::wstring(174, L'a'), std::wstring(175, L'b'), std::wstring(600, L'c')};
    for (const auto& text : texts) {
        power.WriteRegistryText(L"Progress1", text);
        BYTE data[4096];
        DWORD size = sizeof data;
        DWORD type = 0;
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
        LSTATUS status = RegQueryValueExW(key, L"Progress1", nullptr, &type, data, &size);
        RegCloseKey(key);
        ASSERT_EQ(status, ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, std::max<DWORD>(350, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)))) << text.size();
        EXPECT_EQ(power.ReadRegistryText(1, L"Progress1"), text);
    }
}

}  // namespace
