#include "varnholt/scan/LanguageTexts.h"

#include <algorithm>

#include "framework/Errors.h"
#include "framework/TextFile.h"

namespace {

const std::map<int, std::wstring>& English() {
    static const std::map<int, std::wstring> texts = {
        {5, L"Quorvexsoft Varnholt"},
        {80, L"Identical name"},
        {85, L"Identical size"},
        {90, L"Identical file attributes"},
        {95, L"Identical creation date"},
        {100, L"Identical modification date"},
        {105, L"Identical date of last access"},
        {107, L"Identical CRC32 checksum"},
        {115, L"Please enter or select a path to search for duplicates first!"},
        {120, L"Comparing the files of category 1 ..."},
        {125, L"Comparing the files of category 2 ..."},
        {130, L"Comparing the files of category 3 ..."},
        {135, L"Comparing the files of category 4 ..."},
        {140, L"Comparing the files of category 5 ..."},
        {145, L"Comparing the files of category 6 ..."},
        {150, L"Comparing the files of category 7 ..."},
        {155, L"Searching for files ..."},
        {160, L"Comparing files ..."},
        {165, L"duplicate groups found."},
        {470, L"Files count as duplicates when they have:"},
        {650, L"Bytes"},
        {655, L"KB"},
        {660, L"MB"},
        {665, L"GB"},
        {930, L"At least"},
        {935, L"Smaller than"},
        {940, L"From"},
        {945, L"to less than"},
    };
    return texts;
}

int EntryNumber(const std::wstring& line) {
    int n = 0;
    for (size_t i = 0; i < 5; ++i) n = n * 10 + (line[i] >= L'0' && line[i] <= L'9' ? line[i] - L'0' : 0);
    return n;
}

}  // namespace

std::map<int, std::wstring> ParseLanguageSection(const std::vector<std::wstring>& lines, const std::wstring& section) {
    std::map<int, std::wstring> texts;
    size_t i = 0;
    while (i < lines.size() && lines[i] != section) ++i;
    for (++i; i < lines.size() && lines[i] != L"[EOL]"; ++i) {
        const std::wstring& line = lines[i];
        if (line.size() <= 4) continue;
        const int number = EntryNumber(line + L"     ");
        if (number == 99999) break;
        texts.emplace(number, line.size() > 6 ? line.substr(6) : std::wstring());  // the first one wins
    }
    return texts;
}

bool LanguageTexts::Load(const std::wstring& languageFile, const std::wstring& section) {
    fromFile_ = false;
    texts_ = English();
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(languageFile);
    } catch (const fw::Error&) {
        return false;
    }
    std::wstring wanted = section;
    if (std::find(lines.begin(), lines.end(), wanted) == lines.end()) wanted = L"[1033]";
    if (std::find(lines.begin(), lines.end(), wanted) == lines.end()) return false;
    texts_ = ParseLanguageSection(lines, wanted);
    fromFile_ = true;
    return true;
}

std::wstring LanguageTexts::GetText(int number) const {
    auto it = texts_.find(number);
    return it == texts_.end() ? L"---" : it->second;
}
