#include "framework/Paths.h"

#include <windows.h>

namespace fw {

namespace {

// Folders may be no longer than the classic limit less room for an 8.3 name.
constexpr size_t kOrdinaryLimit = 248 - 1;

bool IsDrivePath(const std::wstring& p) { return p.size() >= 3 && p[1] == L':' && p[2] == L'\\'; }
bool IsSharePath(const std::wstring& p) { return p.size() > 2 && p[0] == L'\\' && p[1] == L'\\' && p[2] != L'?' && p[2] != L'.'; }

// A name that ends in a dot or a space, other than "." and "..".
bool HasNameTheOrdinaryFormChanges(const std::wstring& p) {
    for (size_t end = p.size(); end > 0;) {
        const size_t start = p.rfind(L'\\', end - 1);
        const size_t from = start == std::wstring::npos ? 0 : start + 1;
        const std::wstring_view name(p.data() + from, end - from);
        if (!name.empty() && name != L"." && name != L".." && (name.back() == L'.' || name.back() == L' '))
            return true;
        if (start == std::wstring::npos) break;
        end = start;
    }
    return false;
}

}  // namespace

std::wstring SystemPath(const std::wstring& path) {
    if (path.size() <= kOrdinaryLimit && !HasNameTheOrdinaryFormChanges(path)) return path;
    if (IsDrivePath(path)) return L"\\\\?\\" + path;
    if (IsSharePath(path)) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

std::wstring OrdinaryPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

bool CreateFolders(const std::wstring& folder) {
    auto isFolder = [](const std::wstring& path) {
        const DWORD a = GetFileAttributesW(SystemPath(path).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    };
    if (folder.empty() || isFolder(folder)) return !folder.empty();
    const size_t cut = folder.find_last_of(L'\\');
    // The parent first; a drive's root or a share is there or not at all.
    if (cut != std::wstring::npos && cut > 2) {
        std::wstring parent = folder.substr(0, cut);
        if (parent.size() == 2 && parent[1] == L':') parent += L'\\';
        CreateFolders(parent);
    }
    CreateDirectoryW(SystemPath(folder).c_str(), nullptr);
    return isFolder(folder);
}

}  // namespace fw
