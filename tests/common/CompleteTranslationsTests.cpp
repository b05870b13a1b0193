// Every text number a program uses has a text in each of the six languages of
// its language file. The numbers are found where the programs take them: the
// names of the program's number header, wherever its sources and resource
// scripts use them, and every entry the header names (its helpers compute
// numbers from those).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/Translation.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Narrow;

struct Program {
    const char* name;
    std::vector<const wchar_t*> folders;  // below the source folder, walked with their sub-folders
    const wchar_t* numberHeader;
    const char* space;  // namespace of the names in the header
    std::vector<const wchar_t*> languageFiles;
};

const std::vector<Program> kPrograms = {
    {"Varnholt", {L"varnholt", L"resources\\varnholt"}, L"varnholt\\engine\\TextNumbers.h", "txt",
     {L"data\\varnholt\\0026trl.ini"}},
    {"Brisvane", {L"brisvane", L"resources\\brisvane"}, L"brisvane\\TextNumbers.h", "txt",
     {L"data\\brisvane\\0020trl.ini"}},
    {"stand-in modules", {L"standins"}, L"standins\\StandinTexts.h", "standin_txt",
     {L"data\\flintrask\\0021trl.ini", L"data\\wickerlume\\0022trl.ini", L"data\\ostrelle\\0023trl.ini",
      L"data\\pembrast\\0024trl.ini", L"data\\tressivon\\0027trl.ini"}},
};

const std::vector<std::wstring> kLanguages = {L"[1031]", L"[1033]", L"[1036]", L"[1034]", L"[1043]", L"[1046]"};

std::wstring Source(const std::wstring& relative) { return testing_support::SourceDir() + L"\\" + relative; }

// Name to number, as the header defines them.
std::map<std::string, int> HeaderNumbers(const Program& program) {
    const std::string text = fw::ReadFileBytes(Source(program.numberHeader));
    static const std::regex definition(R"(constexpr\s+int\s+(k\w+)\s*=\s*(\d+)\s*;)");
    std::map<std::string, int> numbers;
    for (std::sregex_iterator it(text.begin(), text.end(), definition), end; it != end; ++it)
        numbers[(*it)[1]] = std::stoi((*it)[2]);
    return numbers;
}

// The names the program's sources and resource scripts use, with the file of first use.
std::map<std::string, std::wstring> UsedNames(const Program& program) {
    const std::regex use(std::string(R"(\b)") + program.space + R"(::(k\w+))");
    std::map<std::string, std::wstring> names;
    for (const wchar_t* folder : program.folders) {
        for (const auto& entry : fs::recursive_directory_iterator(Source(folder))) {
            const std::wstring extension = entry.path().extension().wstring();
            if (extension != L".cpp" && extension != L".h" && extension != L".rc" && extension != L".inc") continue;
            const std::string text = fw::ReadFileBytes(entry.path().wstring());
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it)
                names.emplace((*it)[1], entry.path().filename().wstring());
        }
    }
    return names;
}

}  // namespace

TEST(CompleteTranslations, EveryNumberAProgramUsesHasATextInEveryLanguage) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const auto defined = HeaderNumbers(program);
        ASSERT_FALSE(defined.empty());
        std::set<int> numbers;
        for (const auto& [name, number] : defined) numbers.insert(number);
        const auto used = UsedNames(program);
        EXPECT_FALSE(used.empty());
        for (const auto& [name, file] : used) {
            if (defined.contains(name)) numbers.insert(defined.at(name));
            else ADD_FAILURE() << name << " in " << Narrow(file) << " is not an entry of the language file";
        }

        for (const wchar_t* file : program.languageFiles) {
            SCOPED_TRACE(Narrow(file));
            const auto lines = fw::ReadTextLines(Source(file));
            for (const std::wstring& language : kLanguages) {
                SCOPED_TRACE(Narrow(language));
                // A missing section would quietly read as English.
                ASSERT_NE(std::find(lines.begin(), lines.end(), language), lines.end());
                CTranslation texts;
                texts.LoadSection(lines, language);
                for (int number : numbers) {
                    const std::wstring text = texts.GetText(number);
                    EXPECT_TRUE(text != L"---" && !text.empty()) << "entry " << number << " has no text";
                }
            }
        }
    }
}

// Each language holds the same entries: an entry in one section only is a text
// some users never see, or one the others see as "---".
TEST(CompleteTranslations, EveryLanguageHoldsTheSameEntries) {
    for (const Program& program : kPrograms) {
        for (const wchar_t* file : program.languageFiles) {
            SCOPED_TRACE(Narrow(file));
            const auto lines = fw::ReadTextLines(Source(file));
            std::map<std::wstring, std::set<int>> entries;
            std::wstring section;
            for (const std::wstring& line : lines) {
                if (line.size() == 6 && line[0] == L'[' && line != L"[EOL]") section = line;
                else if (line == L"[EOL]") section.clear();
                else if (!section.empty() && line.size() > 4) entries[section].insert(PowerClass::TextToInt(line.substr(0, 5)));
            }
            for (const std::wstring& language : kLanguages)
                EXPECT_EQ(entries[language], entries[L"[1033]"]) << Narrow(language);
        }
    }
}
