#pragma once
// Carrying out the ticks of one group of duplicates: each ticked member goes
// to the Recycle Bin, becomes a hard link to the copy that stays, or moves into
// a folder. The copy that stays is the group's first unticked member; without
// one nothing is done, so no action removes the last copy of anything.
#include <string>
#include <vector>

#include "varnholt/engine/SearchSinks.h"

class ProtectedFolders;
class RestoreListWriter;

struct ActMember {
    std::wstring path;
    FileFacts facts;
    bool ticked = false;
};

enum class GroupAction { Recycle, Link, Move };

enum class ActOutcome {
    Done, Kept, Protected, ReadOnly, NoKeptCopy, KeptCopyChanged, Changed, Gone, InTarget,
    OtherVolume, NotSupported, NotEqual, Failed
};

struct ActRules {
    GroupAction action = GroupAction::Recycle;
    const ProtectedFolders* protectedFolders = nullptr;
    std::vector<std::wstring> keptFolders;
    bool protectReadOnly = false;        // read-only files are left (recycle, move; a link never replaces one)
    std::wstring moveFolder;             // Move: where the files go
    RestoreListWriter* restoreList = nullptr;  // Move: each file recorded before its source goes
};

// What became of one ticked member.
struct ActResult {
    size_t member = 0;    // its place in the group
    ActOutcome outcome = ActOutcome::Done;
    std::wstring movedTo;  // Move: its new path
};

// Acts on the ticked members in the group's order. A member is acted on only
// while it and the copy that stays are as the search saw them; a member to be
// recycled is first compared byte for byte with the copy that stays.
std::vector<ActResult> ActOnGroup(const std::vector<ActMember>& group, const ActRules& rules);
