#include "tests/varnholt/Installation.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "common/PowerClass.h"
#include "framework/TextFile.h"
#include "varnholt/engine/TextNumbers.h"

using namespace testing_support;

namespace varnholt_tests {

namespace {

// The notices at start name a file in place of their %1.
constexpr int kNotices[] = {txt::kSettingsMissing, txt::kSettingsUnreadable, txt::kExceptionListUnreadable,
                            txt::kLanguageFileMissing, txt::kLanguageFileUnreadable, txt::kFolderMissing};

const std::set<int>& Numbers() {
    static const std::set<int> numbers = [] {
        std::set<int> n = {1,   5,   10,  15,  17,  18,  20,  25,  30,  35,  40,  45,  50,  55,  60,  65,  80,  85,
                           90,  95,  100, 105, 107, 108, 110, 115, 155, 160, 165, 200, 215, 220, 250, 255, 260, 265,
                           400, 755, 930, 935, 940, 945, 990, 1010, 1025};
        for (int i = 120; i <= 150; i += 5) n.insert(i);
        for (int i = 405; i <= 510; i += 5) n.insert(i);
        for (int i = 650; i <= 670; i += 5) n.insert(i);
        n.insert({txt::kTickedStatus, txt::kKeptFileClicked});
        n.insert(std::begin(kNotices), std::end(kNotices));
        return n;
    }();
    return numbers;
}

std::wstring Entry(int number, const std::wstring& text) {
    std::wstring digits = std::to_wstring(number);
    return std::wstring(5 - digits.size(), L'0') + digits + L" " + text;
}

std::wstring LanguageFile() {
    std::wstring text = L"Quorvexsoft Varnholt language file\n";
    const std::pair<std::wstring, std::wstring> sections[] = {{L"[1033]", L"English"}, {L"[1031]", L"Deutsch"}};
    for (const auto& [code, name] : sections) {
        std::wstring prefix = code == L"[1033]" ? L"EN" : L"DE";
        text += code + L"\n" + Entry(1, prefix + L"1") + L"\n" + Entry(2, name) + L"\n";
        for (int n : Numbers())
            if (n != 1) text += Entry(n, Installation::Text(code, n)) + L"\n";
        text += L"[EOL]\n";
    }
    return text;
}

}  // namespace

std::wstring AppDataFolder() {
    PowerClass store;
    return store.ReadRegistryText(0, L"AppData");
}

std::wstring Installation::Text(const std::wstring& language, int number) {
    std::wstring text = (language == L"[1031]" ? L"DE" : L"EN") + std::to_wstring(number);
    // The status bar's figures, so that a test reads them.
    if (number == txt::kTickedStatus) text += L" %1 %2";
    // Category headings end with this text, and the results writer knows them by the full stop.
    if (number == txt::kGroupsFound) text += L".";
    if (std::find(std::begin(kNotices), std::end(kNotices), number) != std::end(kNotices)) text += L" %1";
    return text;
}

Installation::Installation(const InstallationOptions& options) {
    version_ = L"7.test" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount64() % 100000);
    std::wstring options46 = L"11000011xxxxxxx000000000000xxx10";
    options46 += options.keepLastPath ? L"1" : L"0";
    options46 += L"0x112223xxxxx";
    const std::pair<std::wstring, std::wstring> keys[] = {
        {L"Product ID", L"0026"},
        {L"Version", version_},
        {L"Language", options.language},
        {L"Dialects[1031]", L"[1031][2055][3079][4103][5127]"},
        {L"Dialects[1033]", L"[1033][2057][3081][4105][5129]"},
        {L"Dialects[1036]", L"[1036][2060][3084]"},
        {L"Dialects[1034]", L"[1034][2058][3082]"},
        {L"Dialects[1043]", L"[1043][2067]"},
        {L"Dialects[1046]", L"[1046]"},
        {L"LastPath", options.lastPath},
        {L"CopyPath", options.copyPath},
        {L"Categories", L"10;100;1;10;100;1;"},
        {L"Options", options46},
        {L"OptionsSize", L"0"},
        {L"OptionsName", L"*"},
        {L"OptionsDate", L"2014-01-01 00:00:00"},
        {L"Homepage", L"https://www.example.com/"},
    };
    std::wstring config;
    for (const auto& [key, value] : keys) config += key + L"\n" + value + L"\n";
    if (options.withTemplate) fw::WriteTextFile(program_ / L"config.ini", config);
    if (options.withLanguageFile && options.shippedLanguageFile)
        CopyFileW((SourceDir() + L"\\data\\varnholt\\0026trl.ini").c_str(), (program_ / L"0026trl.ini").c_str(), FALSE);
    else if (options.withLanguageFile)
        fw::WriteTextFile(program_ / L"0026trl.ini", LanguageFile());
    if (options.withExceptionFile) {
        std::wstring list = L"Quorvexsoft Varnholt - Exceptions\n" + std::wstring(39, L'=') + L"\n\n";
        for (const auto& e : options.exceptions) list += e + L"\n";
        fw::WriteTextFile(program_ / L"0026exc.ini", list);
    }
    PowerClass::SetProgramFolderForTests(program_.path());
}

Installation::~Installation() {
    PowerClass::SetProgramFolderForTests(L"");
    RemoveTree(ConfigFolder());
}

std::wstring Installation::ConfigFolder() const { return AppDataFolder() + L"\\Quorvex\\0026\\" + version_; }

std::wstring Installation::ConfigValue(const std::wstring& key) const {
    auto lines = fw::ReadTextLines(ConfigFile());
    std::wstring value;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == key) value = lines[++i];
    return value;
}

void Installation::SetConfigValue(const std::wstring& key, const std::wstring& value) const {
    auto lines = fw::ReadTextLines(ConfigFile());
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == key) lines[++i] = value;
    fw::WriteTextLines(ConfigFile(), lines);
}

}  // namespace varnholt_tests
