#include "varnholt/engine/Selection.h"

#include <windows.h>

#include <algorithm>

namespace {

std::wstring FolderOfSetting(std::wstring folder) {
    if (folder.size() >= 4 && folder.compare(folder.size() - 4, 4, L"\\...") == 0) folder.resize(folder.size() - 4);
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

// The member that stays: an index into the group.
size_t Keeper(const SelectionGroup& group, KeepRule rule, const std::wstring& folder) {
    size_t best = 0;
    for (size_t i = 1; i < group.size(); ++i) {
        const SelectionMember &m = group[i], &b = group[best];
        const bool better = rule == KeepRule::Newest         ? m.lastWrite > b.lastWrite
                            : rule == KeepRule::Oldest       ? m.lastWrite < b.lastWrite
                            : rule == KeepRule::ShortestPath ? m.path.size() < b.path.size()
                                                             : false;
        if (better) best = i;
    }
    if (rule == KeepRule::InFolder)
        for (size_t i = 0; i < group.size(); ++i)
            if (IsBelow(group[i].path, folder)) return i;
    return best;
}

// No rule leaves every member of a group ticked: one copy always stays.
void KeepOne(SelectionGroup& group, size_t preferred) {
    if (group.empty() || std::any_of(group.begin(), group.end(), [](const auto& m) { return !m.ticked; })) return;
    group[preferred].ticked = false;
}

}  // namespace

bool IsBelow(const std::wstring& path, const std::wstring& folderSetting) {
    const std::wstring folder = FolderOfSetting(folderSetting);
    if (folder.empty() || path.size() <= folder.size()) return false;
    if (CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                             static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
        return false;
    return folder.back() == L'\\' || path[folder.size()] == L'\\';
}

void TickAllButOne(SelectionGroup& group, KeepRule rule, const std::wstring& folder) {
    const size_t keeper = group.empty() ? 0 : Keeper(group, rule, folder);
    for (size_t i = 0; i < group.size(); ++i) group[i].ticked = i != keeper && !group[i].kept;
}

void TickInFolder(SelectionGroup& group, const std::wstring& folder) {
    size_t outside = group.size();
    for (size_t i = 0; i < group.size(); ++i) {
        if (IsBelow(group[i].path, folder)) group[i].ticked = !group[i].kept;
        else if (outside == group.size()) outside = i;
    }
    KeepOne(group, outside == group.size() ? 0 : outside);
}

void UntickAll(SelectionGroup& group) {
    for (auto& m : group) m.ticked = false;
}

void InvertTicks(SelectionGroup& group) {
    for (auto& m : group) m.ticked = !m.ticked && !m.kept;
    KeepOne(group, 0);
}

std::vector<std::wstring> ParseKeptFolders(const std::wstring& stored) {
    std::vector<std::wstring> folders;
    if (stored == L"---") return folders;
    size_t start = 0;
    for (;;) {
        const size_t semi = stored.find(L';', start);
        const std::wstring folder =
            FolderOfSetting(stored.substr(start, semi == std::wstring::npos ? std::wstring::npos : semi - start));
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
        if (semi == std::wstring::npos) break;
        start = semi + 1;
    }
    return folders;
}

std::wstring StoreKeptFolders(const std::vector<std::wstring>& folders) {
    std::wstring stored;
    for (const auto& folder : folders) stored += (stored.empty() ? L"" : L";") + folder;
    return stored.empty() ? L"---" : stored;
}

bool IsKept(const std::wstring& path, const std::vector<std::wstring>& keptFolders) {
    return std::any_of(keptFolders.begin(), keptFolders.end(), [&](const auto& f) { return IsBelow(path, f); });
}
