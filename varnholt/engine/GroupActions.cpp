#include "varnholt/engine/GroupActions.h"

#include <windows.h>

#include <algorithm>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "framework/Paths.h"
#include "varnholt/engine/FileMoves.h"
#include "varnholt/engine/ProtectedFolders.h"
#include "varnholt/engine/Selection.h"

namespace {

ActOutcome FromLink(LinkOutcome outcome) {
    switch (outcome) {
        case LinkOutcome::Done: return ActOutcome::Done;
        case LinkOutcome::OtherVolume: return ActOutcome::OtherVolume;
        case LinkOutcome::NotSupported: return ActOutcome::NotSupported;
        case LinkOutcome::ReadOnly: return ActOutcome::ReadOnly;
        case LinkOutcome::Changed: return ActOutcome::Changed;
        case LinkOutcome::NotEqual: return ActOutcome::NotEqual;
        case LinkOutcome::Failed: break;
    }
    return ActOutcome::Failed;
}

// Recycle or move one member that passed every check.
ActOutcome Remove(const ActMember& m, const ActMember& keeper, const ActRules& rules, std::wstring& movedTo) {
    if (!PowerClass::FileExists(m.path)) return ActOutcome::Gone;
    if (!IsAsSearched(m.path, m.facts)) return ActOutcome::Changed;
    if (rules.protectReadOnly && PowerClass::IsReadOnlyOrMissing(m.path)) return ActOutcome::ReadOnly;
    if (rules.action == GroupAction::Recycle) {
        // The copy that stays must hold these very bytes: then nothing is lost.
        if (!HoldSameBytes(m.path, keeper.path)) return ActOutcome::NotEqual;
        PowerClass::DeleteFileOrRecycle(m.path, true, true);
        return PowerClass::FileExists(m.path) ? ActOutcome::Failed : ActOutcome::Done;
    }
    bool recorded = false;
    const bool moved = MoveIntoFolder(m.path, rules.moveFolder, [&](const std::wstring& name) {
        movedTo = JoinPath(rules.moveFolder, name);
        recorded = rules.restoreList &&
                   rules.restoreList->Record({m.path, name, m.facts.size, m.facts.lastWrite});
        return recorded;
    });
    if (moved && !recorded) return ActOutcome::InTarget;  // already in the folder: nothing moved
    return moved ? ActOutcome::Done : ActOutcome::Failed;
}

}  // namespace

std::vector<ActResult> ActOnGroup(const std::vector<ActMember>& group, const ActRules& rules) {
    const auto keeper = std::find_if(group.begin(), group.end(), [](const ActMember& m) { return !m.ticked; });
    // Checked once for the group: a copy that stays but has changed is no copy.
    const bool keeperAsSearched = keeper != group.end() && IsAsSearched(keeper->path, keeper->facts);
    std::vector<ActResult> results;
    for (size_t i = 0; i < group.size(); ++i) {
        const ActMember& m = group[i];
        if (!m.ticked) continue;
        ActResult& r = results.emplace_back();
        r.member = i;
        if (IsKept(m.path, rules.keptFolders)) r.outcome = ActOutcome::Kept;
        else if (rules.protectedFolders && rules.protectedFolders->Covers(m.path)) r.outcome = ActOutcome::Protected;
        else if (keeper == group.end()) r.outcome = ActOutcome::NoKeptCopy;
        else if (!keeperAsSearched) r.outcome = ActOutcome::KeptCopyChanged;
        else if (rules.action == GroupAction::Link)
            r.outcome = FromLink(ReplaceByLink(m.path, m.facts, keeper->path, keeper->facts));
        else r.outcome = Remove(m, *keeper, rules, r.movedTo);
        if (r.outcome != ActOutcome::Done) r.movedTo.clear();
    }
    return results;
}
