#include "common/Translation.h"

#include <algorithm>

#include "framework/TextFile.h"

namespace {

const wchar_t* const kBaseLanguages[] = {L"1031", L"1033", L"1036", L"1034", L"1043", L"1046"};

bool AnyLineContains(const std::vector<std::wstring>& lines, const std::wstring& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::wstring& line) { return line.find(text) != std::wstring::npos; });
}

}  // namespace

// The system's default language, mapped onto a base language through the
// dialect lists; English when the file has no section for it.
std::wstring CTranslation::ChooseSystemLanguage(const std::vector<std::wstring>& lines) {
    store_.RegistryKeyPath = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
    const int system = PowerClass::HexTextToInt(store_.ReadRegistryText(2, L"Default"));
    std::wstring marker = L"[" + std::to_wstring(system) + L"]";
    // Each list is searched for the marker as the earlier ones left it.
    for (const wchar_t* base : kBaseLanguages) {
        const std::wstring dialects = store_.ReadConfigValue(std::wstring(L"Dialects[") + base + L"]");
        if (dialects.find(marker) != std::wstring::npos) marker = std::wstring(L"[") + base + L"]";
    }
    return AnyLineContains(lines, marker) ? marker : L"[1033]";
}

void CTranslation::LoadTexts() {
    store_.GetConfigPath();
    const std::wstring file = PowerClass::GetProgramFolder() + L"\\" + store_.ReadConfigValue(L"Product ID") + L"trl.ini";
    std::wstring wanted = store_.ReadConfigValue(L"Language");
    const std::vector<std::wstring> lines = fw::ReadTextLines(file);
    if (wanted == L"[----]") wanted = ChooseSystemLanguage(lines);
    LoadSection(lines, wanted);
}

void CTranslation::LoadSection(const std::vector<std::wstring>& lines, const std::wstring& wanted) {
    // A code without a section falls back to English; without that too, the
    // table stays empty and every text reads "---". A section ends at "[EOL]"
    // or at the end of the file.
    auto header = std::find(lines.begin(), lines.end(), wanted);
    if (header == lines.end()) header = std::find(lines.begin(), lines.end(), std::wstring(L"[1033]"));

    std::vector<Entry> entries;
    if (header != lines.end()) {
        for (auto line = header + 1; line != lines.end() && *line != L"[EOL]"; ++line) {
            if (line->size() <= 4) continue;
            entries.push_back({PowerClass::TextToInt(std::wstring_view(*line).substr(0, 5)),
                               line->size() > 6 ? line->substr(6) : std::wstring()});
        }
    }
    entries.push_back({kEndNumber, L"---"});
    entries_ = std::move(entries);
}

std::wstring CTranslation::GetText(int number) const {
    for (const Entry& entry : entries_)
        if (entry.number == number || entry.number == kEndNumber) return entry.text;
    return L"---";
}
