#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

// Sets a REG_SZ value while it lives and puts back what was there.
class RegistryTextOverride {
public:
    RegistryTextOverride(HKEY root, std::wstring key, std::wstring name, const std::wstring& value)
        : root_(root), key_(std::move(key)), name_(std::move(name)) {
        wchar_t buffer[1024] = {};
        DWORD size = sizeof buffer - sizeof(wchar_t);
        if (RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) == ERROR_SUCCESS)
            saved_ = buffer;
        ok_ = Set(value);
    }
    ~RegistryTextOverride() {
        if (saved_)
            Set(*saved_);
        else
            RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
    }
    bool ok() const { return ok_; }

private:
    bool Set(const std::wstring& value) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const LONG result = RegSetValueExW(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
    HKEY root_;
    std::wstring key_, name_;
    std::optional<std::wstring> saved_;
    bool ok_ = false;
};

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kLanguageKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";

const std::string kSections =
    "anything before the first header\r\n"
    "[1031]\r\n00001 Deutsch\r\n00002 Deutsch\r\n00005 Hinweis\r\n[EOL]\r\n"
    "[1033]\r\n00001 English\r\n00002 English\r\n00005 Note\r\n[EOL]\r\n"
    "[1036]\r\n00001 Fran\xe7" "ais\r\n00002 Fran\xe7" "ais\r\n00005 Remarque\r\n[EOL]\r\n";

// A program folder of its own holding config.ini and the language file 0026trl.ini;
// no application-data folder, so the program folder's config.ini is the active one.
class Translation : public ::testing::Test {
protected:
    void SetUp() override {
        program = dir / L"Program";
        CreateDirectoryW(program.c_str(), nullptr);
        PowerClass::SetProgramFolderForTests(program);
        ASSERT_TRUE(noAppData.ok());
    }
    void TearDown() override { PowerClass::SetProgramFolderForTests(L""); }

    void Setup(const std::string& language, const std::string& languageFile, const std::string& dialects = "") {
        WriteBytes(program + L"\\config.ini", "Product ID\r\n0026\r\nVersion\r\n7.0\r\nLanguage\r\n" + language + "\r\n" +
                                                  dialects);
        WriteBytes(program + L"\\0026trl.ini", languageFile);
    }
    std::wstring LoadedText(int number) {
        CTranslation t;
        t.LoadTexts();
        return t.GetText(number);
    }

    TempDir dir;
    std::wstring program;
    RegistryTextOverride noAppData{HKEY_CURRENT_USER, kShellFolders, L"AppData", L""};
};

}  // namespace

TEST_F(Translation, ExplicitLanguage) {
    Setup("[1036]", kSections);
    CTranslation t;
    t.LoadTexts();
    EXPECT_EQ(t.GetText(1), L"Fran\u00e7ais");
    EXPECT_EQ(t.GetText(5), L"Remarque");
    EXPECT_EQ(t.GetText(3), L"---");
}

TEST_F(Translation, EmptyBeforeLoad) {
    CTranslation t;
    EXPECT_EQ(t.GetText(1), L"---");
}

TEST_F(Translation, EntryLines) {
    Setup("[1033]",
          "[1033]\r\n"
          "00012 Hello\r\n"
          "00013\r\n"         // five characters: empty text
          "00014 \r\n"        // six characters: empty text
          "0015\r\n"          // four characters: skipped
          " 0016 Blank\r\n"   // a blank counts as 0 in its place
          "0x017 odd\r\n"     // so does any non-digit
          "00018 trailing  \r\n"
          "00012 second\r\n"  // the first of two wins
          "\r\n"
          "99999 end\r\n"     // hides everything after it
          "00020 hidden\r\n"
          "[EOL]\r\n"
          "00021 outside\r\n");
    CTranslation t;
    t.LoadTexts();
    struct Case { int number; const wchar_t* text; };
    const Case cases[] = {
        {12, L"Hello"}, {13, L""}, {14, L""}, {15, L"end"}, {16, L"Blank"}, {17, L"odd"},
        {18, L"trailing  "}, {20, L"end"}, {21, L"end"}, {99999, L"end"},
    };
    for (const auto& c : cases) EXPECT_EQ(t.GetText(c.number), c.text) << c.number;
}

TEST_F(Translation, SectionEndsAtEndOfFileWithoutEol) {
    Setup("[1031]", "[1033]\r\n00001 English\r\n[EOL]\r\n[1031]\r\n00001 Deutsch\r\n00002 zwei");
    CTranslation t;
    t.LoadTexts();
    EXPECT_EQ(t.GetText(1), L"Deutsch");
    EXPECT_EQ(t.GetText(2), L"zwei");
    EXPECT_EQ(t.GetText(3), L"---");
}

TEST_F(Translation, MissingSectionFallsBackToEnglishThenDashes) {
    Setup("[1043]", kSections);
    EXPECT_EQ(LoadedText(5), L"Note");
    // Headers match whole lines only.
    Setup("[1031]", "[1031] \r\n00001 Deutsch\r\n[EOL]\r\n[1033]\r\n00001 English\r\n[EOL]\r\n");
    EXPECT_EQ(LoadedText(1), L"English");
    Setup("[1043]", "[1031]\r\n00001 Deutsch\r\n[EOL]\r\n");
    EXPECT_EQ(LoadedText(1), L"---");
    Setup("[1043]", "");
    EXPECT_EQ(LoadedText(1), L"---");
}

// A failed load names the file and says which of the two it is, so that a
// configuration held open is never called a language file.
TEST_F(Translation, AFileThatCannotBeReadIsNamedWithWhatItIs) {
    struct Case {
        const char* name;
        const wchar_t* file;
        bool held;  // open without sharing (Wine is assumed to enforce share modes); else deleted
        TextsFileError::File what;
    };
    const Case cases[] = {
        {"language file missing", L"0026trl.ini", false, TextsFileError::File::Language},
        {"language file held open", L"0026trl.ini", true, TextsFileError::File::Language},
        {"settings held open", L"config.ini", true, TextsFileError::File::Settings},
        {"settings missing", L"config.ini", false, TextsFileError::File::Settings},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Setup("[1033]", kSections);
        const std::wstring path = program + L"\\" + c.file;
        HANDLE holder = c.held ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        if (c.held)
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        else
            DeleteFileW(path.c_str());
        CTranslation t;
        try {
            t.LoadTexts();
            ADD_FAILURE() << "loaded";
        } catch (const TextsFileError& e) {
            EXPECT_EQ(e.Path(), path);
            EXPECT_EQ(e.file(), c.what);
        }
        if (c.held) CloseHandle(holder);
        EXPECT_EQ(t.GetText(1), L"---");
    }
}

// Which section a load takes; the system's language is asked only when the
// settings leave the choice to it.
TEST_F(Translation, ResolveLanguage) {
    const std::string dialects =
        "Dialects[1031]\r\n[1031][2055]\r\nDialects[1033]\r\n[1033][2057]\r\nDialects[1036]\r\n[1036]\r\n";
    struct Case {
        const char* language;  // nullptr: no "Language" key at all
        const wchar_t* system;
        const wchar_t* code;
        bool asked;
    };
    const Case cases[] = {
        {"[1036]", L"0407", L"[1036]", false},
        {"[1043]", L"0407", L"[1043]", false},  // a code without a section is for LoadSection to replace
        {"[----]", L"0407", L"[1031]", true},
        {"[----]", L"0807", L"[1031]", true},  // through the dialect list
        {"[----]", L"0409", L"[1033]", true},
        {"[----]", L"0413", L"[1033]", true},  // Dutch: no line of the file holds [1043]
        {"", L"040c", L"[1036]", true},        // no value is no choice either
        {nullptr, L"0807", L"[1031]", true},
        {"", L"", L"[1033]", true},            // no system language: [0]
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language ? c.language : "no key");
        const std::string language = c.language ? "Language\r\n" + std::string(c.language) + "\r\n" : "";
        WriteBytes(program + L"\\config.ini", "Product ID\r\n0026\r\n" + language + dialects);
        WriteBytes(program + L"\\0026trl.ini", kSections);
        PowerClass settings;
        settings.ConfigPath = program + L"\\config.ini";
        bool asked = false;
        const std::wstring code = CTranslation::ResolveLanguage(
            settings, fw::ReadTextLines(program + L"\\0026trl.ini"), [&] {
                asked = true;
                return std::wstring(c.system);
            });
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST_F(Translation, ReloadReplacesTheTable) {
    Setup("[1033]", kSections);
    CTranslation t;
    t.LoadTexts();
    EXPECT_EQ(t.GetText(5), L"Note");
    Setup("[1031]", kSections);
    t.LoadTexts();
    EXPECT_EQ(t.GetText(5), L"Hinweis");
}

// "[----]": the system's default language, mapped through the dialect lists.
TEST_F(Translation, SystemLanguage) {
    const std::string dialects =
        "Dialects[1031]\r\n[1031][2055][3079]\r\n"
        "Dialects[1033]\r\n[1033][2057]\r\n"
        "Dialects[1036]\r\n[1036][2060]\r\n"
        "Dialects[1034]\r\n[1034]\r\n"
        "Dialects[1043]\r\n[1043]\r\n"
        "Dialects[1046]\r\n[1046]\r\n";
    struct Case { const wchar_t* systemDefault; const char* extraLines; const char* dialects; const wchar_t* text; };
    const Case cases[] = {
        {L"0407", "", nullptr, L"Deutsch"},     // 1031 stays itself
        {L"0807", "", nullptr, L"Deutsch"},     // 2055 is a German dialect
        {L"040c", "", nullptr, L"Fran\u00e7ais"},
        {L"040C", "", nullptr, L"English"},     // capital C counts nothing: [1024]
        {L"0C07", "", nullptr, L"English"},     // [7], in no list and no line
        {L"0413", "", nullptr, L"English"},     // Dutch has no section here
        {L"", "", nullptr, L"English"},         // [0]
        // The marker found in a line that is no header: English all the same.
        {L"0C07", "note [7]\r\n", nullptr, L"English"},
        // A section of its own for [7].
        {L"0C07", "[7]\r\n00001 Seven\r\n[EOL]\r\n", nullptr, L"Seven"},
        // A later list is searched for the marker an earlier one left.
        {L"0807", "", "Dialects[1031]\r\n[2055]\r\nDialects[1036]\r\n[1031]\r\n", L"Fran\u00e7ais"},
    };
    for (const auto& c : cases) {
        RegistryTextOverride system(HKEY_LOCAL_MACHINE, kLanguageKey, L"Default", c.systemDefault);
        if (!system.ok()) GTEST_SKIP() << "cannot set the system's default language in this prefix";
        Setup("[----]", kSections + c.extraLines, c.dialects ? c.dialects : dialects);
        EXPECT_EQ(LoadedText(1), c.text) << c.systemDefault;
    }
    // The choice is worked out at every load and never stored.
    PowerClass store;
    store.ConfigPath = program + L"\\config.ini";
    EXPECT_EQ(store.ReadConfigValue(L"Language"), L"[----]");
}

TEST(TranslationInstalled, VarnholtLanguageFileHasEverySection) {
    const std::wstring folder = SourceDir() + L"\\data\\varnholt";
    if (SourceDir().empty()) GTEST_SKIP() << "SOURCE_DIR is not set";
    PowerClass::SetProgramFolderForTests(folder);
    RegistryTextOverride noAppData(HKEY_CURRENT_USER, kShellFolders, L"AppData", L"");
    // Reading only: the installed template keeps "[----]", which goes by the system.
    CTranslation t;
    EXPECT_NO_THROW(t.LoadTexts());
    EXPECT_NE(t.GetText(5), L"---");
    PowerClass::SetProgramFolderForTests(L"");
}
