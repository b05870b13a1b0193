// What each action does with the ticked members of a group on disk, and what it leaves.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "varnholt/engine/FileMoves.h"
#include "varnholt/engine/GroupActions.h"
#include "varnholt/engine/ProtectedFolders.h"

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// What a search would have seen of the file now.
FileFacts FactsOf(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return {(uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
            (uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime,
            info.dwVolumeSerialNumber, (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// A member written with `bytes`, its facts taken as the search would.
ActMember Member(const TempDir& dir, const std::wstring& name, const std::string& bytes, bool ticked) {
    CreateDirectoryW((dir / name.substr(0, name.find(L'\\'))).c_str(), nullptr);
    const std::wstring path = dir.Write(name, bytes);
    return {path, FactsOf(path), ticked};
}

// Rewritten after the search: same size, other bytes, another last-write time.
void Change(const ActMember& m) {
    FILETIME later = testing_support::UtcFileTime(2031, 1, 1);
    WriteBytes(m.path, std::string(m.facts.size, 'z'));
    testing_support::SetFileTimes(m.path, &later, nullptr);
}

}  // namespace

TEST(GroupActions, EachCheckLeavesItsFileAndOnlyTheRestGo) {
    TempDir dir;
    const std::string same = "the same bytes";
    std::vector<ActMember> group = {Member(dir, L"a\\stays.txt", same, false),
                                    Member(dir, L"a\\changed.txt", same, true),
                                    Member(dir, L"kept\\k.txt", same, true),
                                    Member(dir, L"prog\\p.txt", same, true),
                                    Member(dir, L"a\\differs.txt", "the other bytes", true),
                                    Member(dir, L"b\\goes.txt", same, true)};
    group[4].facts = FactsOf(group[4].path);
    Change(group[1]);
    const ProtectedFolders protectedFolders({dir / L"prog"});
    ActRules rules;
    rules.protectedFolders = &protectedFolders;
    rules.keptFolders = {dir / L"kept\\..."};

    const std::vector<ActResult> results = ActOnGroup(group, rules);
    const ActOutcome expected[] = {ActOutcome::Changed, ActOutcome::Kept, ActOutcome::Protected, ActOutcome::NotEqual,
                                   ActOutcome::Done};
    ASSERT_EQ(results.size(), std::size(expected));
    for (size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(testing_support::Narrow(group[results[i].member].path));
        EXPECT_EQ(results[i].member, i + 1);
        EXPECT_EQ(results[i].outcome, expected[i]);
        EXPECT_EQ(Exists(group[i + 1].path), expected[i] != ActOutcome::Done);
    }
    EXPECT_EQ(ReadBytes(group[0].path), same);
}

TEST(GroupActions, WithoutAnUnchangedCopyThatStaysNothingIsDone) {
    for (GroupAction action : {GroupAction::Recycle, GroupAction::Link, GroupAction::Move})
        for (bool keeperChanged : {false, true}) {
            SCOPED_TRACE(static_cast<int>(action) * 2 + keeperChanged);
            TempDir dir;
            std::vector<ActMember> group = {Member(dir, L"a\\one.txt", "bytes", true),
                                            Member(dir, L"b\\two.txt", "bytes", true)};
            // A changed copy that stays is no copy; without one every member is ticked.
            if (keeperChanged) group[0].ticked = false, Change(group[0]);
            RestoreListWriter list;
            ActRules rules;
            rules.action = action;
            rules.moveFolder = dir / L"moved";
            rules.restoreList = &list;
            const std::vector<ActResult> results = ActOnGroup(group, rules);
            EXPECT_EQ(results.size(), keeperChanged ? 1u : 2u);
            for (const ActResult& r : results) {
                EXPECT_EQ(r.outcome, keeperChanged ? ActOutcome::KeptCopyChanged : ActOutcome::NoKeptCopy);
                EXPECT_EQ(ReadBytes(group[r.member].path), "bytes");
            }
        }
}

TEST(GroupActions, AMoveIsRecordedBeforeTheFileLeaves) {
    TempDir dir;
    std::vector<ActMember> group = {Member(dir, L"a\\stays.txt", "bytes", false),
                                    Member(dir, L"b\\goes.txt", "bytes", true),
                                    Member(dir, L"moved\\there.txt", "bytes", true)};
    RestoreListWriter list;
    ASSERT_TRUE(list.Create(dir / L"moved"));
    ActRules rules;
    rules.action = GroupAction::Move;
    rules.moveFolder = dir / L"moved";
    rules.restoreList = &list;

    const std::vector<ActResult> results = ActOnGroup(group, rules);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].outcome, ActOutcome::Done);
    EXPECT_EQ(results[0].movedTo, dir / L"moved\\goes.txt");
    EXPECT_EQ(ReadBytes(results[0].movedTo), "bytes");
    EXPECT_FALSE(Exists(group[1].path));
    // Already in the folder: nothing moved, nothing recorded.
    EXPECT_EQ(results[1].outcome, ActOutcome::InTarget);
    EXPECT_TRUE(Exists(group[2].path));
    const auto entries = ReadRestoreList(list.Path());
    ASSERT_TRUE(entries && entries->size() == 1);
    EXPECT_EQ(entries->front().original, group[1].path);
    EXPECT_EQ(entries->front().name, L"goes.txt");
}
