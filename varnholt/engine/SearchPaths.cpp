#include "varnholt/engine/SearchPaths.h"

#include <windows.h>

#include "framework/Paths.h"

namespace {

bool IsAbsolute(const std::wstring& p) {
    return (p.size() >= 3 && p[1] == L':' && p[2] == L'\\') || (p.size() > 2 && p[0] == L'\\' && p[1] == L'\\');
}

}  // namespace

std::vector<std::wstring> SearchFolders(const std::wstring& pathList) {
    std::vector<std::wstring> folders;
    size_t start = 0;
    for (;;) {
        const size_t semi = pathList.find(L';', start);
        std::wstring entry = pathList.substr(start, semi == std::wstring::npos ? std::wstring::npos : semi - start);
        entry.erase(0, entry.find_first_not_of(L" \t"));
        if (entry.size() >= 4 && entry.compare(entry.size() - 4, 4, L"\\...") == 0) entry.resize(entry.size() - 4);
        // A trailing backslash names the same folder; a drive's root keeps its own.
        while (entry.size() > 3 && entry.back() == L'\\') entry.pop_back();
        if (entry.size() == 2 && entry[1] == L':') entry += L'\\';
        if (!entry.empty()) folders.push_back(std::move(entry));
        if (semi == std::wstring::npos) break;
        start = semi + 1;
    }
    return folders;
}

std::wstring FirstMissingFolder(const std::vector<std::wstring>& folders) {
    for (const auto& folder : folders) {
        const DWORD attributes = GetFileAttributesW(fw::SystemPath(folder).c_str());
        if (!IsAbsolute(folder) || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return folder;
    }
    return {};
}
