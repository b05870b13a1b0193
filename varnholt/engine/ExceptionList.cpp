#include "varnholt/engine/ExceptionList.h"

#include "common/PowerClass.h"

bool ParseExceptionLines(const std::vector<std::wstring>& lines, std::vector<std::wstring>& entries) {
    entries.clear();
    if (lines.empty() || lines[0] != kExceptionTitle) return false;
    // The underline and the empty line after the title are not entries.
    for (size_t i = 3; i < lines.size(); ++i) entries.push_back(lines[i]);
    return true;
}

std::wstring FormatExceptionFile(const std::vector<std::wstring>& entries) {
    std::wstring text = kExceptionTitle;
    text += L"\n" + std::wstring(39, L'=') + L"\n\n";
    for (const auto& entry : entries) text += entry + L"\n";
    return text;
}

std::wstring ExceptionFileBeside(const std::wstring& configPath) {
    const size_t folderEnd = configPath.rfind(L'\\');
    if (folderEnd == std::wstring::npos) return {};
    return configPath.substr(0, folderEnd + 1) + kExceptionFileName;
}

std::wstring FindExceptionFile(const std::wstring& configPath, const std::wstring& programFolder) {
    const std::wstring beside = ExceptionFileBeside(configPath);
    if (!beside.empty() && PowerClass::FileExists(beside)) return beside;
    return programFolder + L"\\" + kExceptionFileName;
}
