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

std::wstring CTranslation::LanguageFilePath(const std::wstring& programFolder, const std::wstring& productId) {
    return programFolder + L"\\" + productId + L"trl.ini";
}

std::wstring CTranslation::SystemLanguage() {
    PowerClass registry;
    registry.RegistryKeyPath = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
    return registry.ReadRegistryText(2, L"Default");
}

std::wstring CTranslation::ResolveLanguage(PowerClass& settings, const std::vector<std::wstring>& languageLines,
                                           const std::function<std::wstring()>& systemLanguage) {
    std::wstring wanted = settings.ReadConfigValue(L"Language");
    // An empty value would find the first empty line of the file; it is no choice either.
    if (wanted != L"[----]" && !wanted.empty()) return wanted;
    std::wstring marker = L"[" + std::to_wstring(PowerClass::HexTextToInt(systemLanguage())) + L"]";
    // Each list is searched for the marker as the earlier ones left it.
    for (const wchar_t* base : kBaseLanguages) {
        const std::wstring dialects = settings.ReadConfigValue(std::wstring(L"Dialects[") + base + L"]");
        if (dialects.find(marker) != std::wstring::npos) marker = std::wstring(L"[") + base + L"]";
    }
    return AnyLineContains(languageLines, marker) ? marker : L"[1033]";
}

void CTranslation::LoadTexts() {
    try {
        store_.GetConfigPath();
    } catch (const fw::FileError& e) {
        throw TextsFileError(e.Path(), TextsFileError::File::Settings);
    }
    Load(store_.ConfigPath);
}

void CTranslation::LoadTextsFrom(const std::wstring& configPath) {
    store_.ConfigPath = configPath;
    Load(configPath);
}

void CTranslation::Load(const std::wstring& configPath) {
    std::wstring file;
    try {
        file = LanguageFilePath(PowerClass::GetProgramFolder(), store_.ReadConfigValue(L"Product ID"));
    } catch (const fw::FileError&) {
        throw TextsFileError(configPath, TextsFileError::File::Settings);
    }
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(file);
    } catch (const fw::FileError&) {
        throw TextsFileError(file, TextsFileError::File::Language);
    }
    std::wstring wanted;
    try {
        wanted = ResolveLanguage(store_, lines);
    } catch (const fw::FileError&) {
        throw TextsFileError(configPath, TextsFileError::File::Settings);
    }
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
