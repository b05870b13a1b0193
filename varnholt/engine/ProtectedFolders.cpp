#include "varnholt/engine/ProtectedFolders.h"

#include <windows.h>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "framework/Handles.h"
#include "framework/Paths.h"

namespace {

std::wstring ResolvedFolder(const std::wstring& folder) {
    fw::FileHandle h(CreateFileW(fw::SystemPath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h ? FinalPathOf(h.get()) : std::wstring();
}

// `path` is `folder` or below it, letters compared without regard to case.
bool IsAtOrBelow(const std::wstring& path, std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    if (folder.empty() || path.size() < folder.size()) return false;
    if (CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                             static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\' || folder.back() == L'\\';
}

}  // namespace

ProtectedFolders::ProtectedFolders(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& except) {
    auto add = [](std::vector<std::wstring>& to, const std::wstring& folder) {
        if (folder.empty()) return;
        to.push_back(folder);
        const std::wstring resolved = ResolvedFolder(folder);
        if (!resolved.empty() && resolved != folder) to.push_back(resolved);
    };
    for (const auto& folder : folders) add(folders_, folder);
    for (const auto& folder : except) add(except_, folder);
}

ProtectedFolders ProtectedFolders::ForProgram(const std::wstring& configFolder, const std::wstring& copyFolder) {
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    return ProtectedFolders(
        {PowerClass::GetProgramFolder(), configFolder, n > 0 && n < MAX_PATH ? std::wstring(windows, n) : std::wstring()},
        {copyFolder});
}

bool ProtectedFolders::Covers(const std::wstring& path) const {
    // The text may hide where the file is: its folder's final path tells.
    const std::wstring parent = ResolvedFolder(FolderOf(path));
    auto within = [&](const std::vector<std::wstring>& folders) {
        for (const auto& folder : folders)
            if (IsAtOrBelow(path, folder) || (!parent.empty() && IsAtOrBelow(parent, folder))) return true;
        return false;
    };
    return within(folders_) && !within(except_);
}
