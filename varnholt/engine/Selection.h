#pragma once
// Which members of each group of duplicates are ticked: the selection rules,
// the kept folders, and the guard that no rule ever ticks every member of a
// group. Members are known by what the search saw (path, size, last write), so
// no rule opens a file.
#include <cstdint>
#include <string>
#include <vector>

// One member of a group, in the group's order.
struct SelectionMember {
    std::wstring path;
    uint64_t size = 0;
    uint64_t lastWrite = 0;
    bool kept = false;    // below a kept folder: never ticked
    bool ticked = false;
};
using SelectionGroup = std::vector<SelectionMember>;

// Which member stays when all but one are ticked.
enum class KeepRule { First, Newest, Oldest, ShortestPath, InFolder };

// Ticks every member but the one the rule keeps (kept members stay unticked
// too). Ties go to the first in the group's order; InFolder keeps the first
// member below `folder`, or the first member when none is there.
void TickAllButOne(SelectionGroup& group, KeepRule rule, const std::wstring& folder = {});
// Ticks the members below `folder`, never every member: then the group's first
// member outside the folder, else its first member, stays unticked.
void TickInFolder(SelectionGroup& group, const std::wstring& folder);
void UntickAll(SelectionGroup& group);
// Each member's tick turned over; a group that would end up all ticked keeps its first unticked.
void InvertTicks(SelectionGroup& group);

// `path` lies in `folder` or below it (letters in any case); `folder` may end in
// a backslash or "\...".
bool IsBelow(const std::wstring& path, const std::wstring& folder);

// The kept folders as the configuration stores them: joined by ";", each with
// or without a trailing "\...".
std::vector<std::wstring> ParseKeptFolders(const std::wstring& stored);
std::wstring StoreKeptFolders(const std::vector<std::wstring>& folders);
bool IsKept(const std::wstring& path, const std::vector<std::wstring>& keptFolders);
