// The selection rules on groups built to tell them apart.
#include <gtest/gtest.h>

#include "varnholt/engine/Selection.h"

namespace {

// Members by path, last write and kept; the ticks read back as a text, "x" ticked, "." not.
SelectionGroup Group(std::initializer_list<std::tuple<const wchar_t*, uint64_t, bool>> members, const char* ticks = "") {
    SelectionGroup g;
    for (const auto& [path, time, kept] : members) g.push_back({path, 10, time, kept, false});
    for (size_t i = 0; i < g.size() && ticks[i]; ++i) g[i].ticked = ticks[i] == 'x';
    return g;
}
std::string Ticks(const SelectionGroup& g) {
    std::string t;
    for (const auto& m : g) t += m.ticked ? 'x' : '.';
    return t;
}

// Ties in time (b and c equally old and new), equal path lengths (a and b),
// one member in the chosen folder (c), one kept (d, in no rule ticked).
SelectionGroup Mixed(const char* ticks = "") {
    return Group({{L"C:\\x\\a.txt", 5, false}, {L"C:\\y\\b.txt", 3, false}, {L"D:\\new\\c.txt", 3, false},
                  {L"C:\\keep\\long\\d.txt", 9, true}}, ticks);
}

TEST(Selection, EachRuleLeavesExactlyItsOneUnticked) {
    const struct {
        const char* what;
        KeepRule rule;
        const wchar_t* folder;
        const char* ticks;
    } cases[] = {
        {"first found", KeepRule::First, L"", ".xx."},
        // d is newest but kept; the rule keeps it, and kept files are never ticked anyway.
        {"newest", KeepRule::Newest, L"", "xxx."},
        {"oldest, tie to the first", KeepRule::Oldest, L"", "x.x."},
        {"shortest path, tie to the first", KeepRule::ShortestPath, L"", ".xx."},
        {"in a folder", KeepRule::InFolder, L"D:\\new\\...", "xx.."},
        {"in a folder, trailing backslash", KeepRule::InFolder, L"d:\\NEW\\", "xx.."},
        {"no member in the folder: its first", KeepRule::InFolder, L"E:\\none", ".xx."},
        {"a folder whose name only begins alike", KeepRule::InFolder, L"D:\\ne", ".xx."},
    };
    for (const auto& c : cases) {
        SelectionGroup g = Mixed("xxxx");
        TickAllButOne(g, c.rule, c.folder);
        EXPECT_EQ(Ticks(g), c.ticks) << c.what;
    }
}

TEST(Selection, FolderTicksInvertAndUntickNeverTickAWholeGroup) {
    // Everything in C:\: a, b and kept d are there; c outside stays anyway.
    SelectionGroup g = Mixed();
    TickInFolder(g, L"C:\\");
    EXPECT_EQ(Ticks(g), "xx..");
    // A group entirely inside the folder keeps its first.
    SelectionGroup inside = Group({{L"C:\\p\\1", 1, false}, {L"C:\\p\\2", 1, false}, {L"C:\\p\\3", 1, false}});
    TickInFolder(inside, L"C:\\p");
    EXPECT_EQ(Ticks(inside), ".xx");
    // Earlier ticks outside the folder stay; the first member outside is unticked only when all would be ticked.
    SelectionGroup earlier = Group({{L"C:\\p\\1", 1, false}, {L"D:\\q\\2", 1, false}}, ".x");
    TickInFolder(earlier, L"C:\\p");
    EXPECT_EQ(Ticks(earlier), "x.");

    // A kept member is a copy that stays: the others may all be ticked then.
    const std::pair<const char*, const char*> inversions[] = {{"x...", ".xx."}, {"....", "xxx."}, {".xx.", "x..."}};
    for (const auto& [before, after] : inversions) {
        SelectionGroup g2 = Mixed(before);
        InvertTicks(g2);
        EXPECT_EQ(Ticks(g2), after) << before;
    }
    SelectionGroup pair = Group({{L"C:\\1", 1, false}, {L"C:\\2", 1, false}});
    InvertTicks(pair);
    EXPECT_EQ(Ticks(pair), ".x");
    UntickAll(g);
    EXPECT_EQ(Ticks(g), "....");
}

TEST(Selection, KeptFoldersAsStored) {
    EXPECT_EQ(ParseKeptFolders(L"---"), std::vector<std::wstring>{});
    EXPECT_EQ(ParseKeptFolders(L"C:\\a\\...;D:\\b\\;;C:\\a;E:"), (std::vector<std::wstring>{L"C:\\a", L"D:\\b", L"E:\\"}));
    EXPECT_EQ(StoreKeptFolders({L"C:\\a", L"D:\\b"}), L"C:\\a;D:\\b");
    EXPECT_EQ(StoreKeptFolders({}), L"---");
    EXPECT_TRUE(IsKept(L"c:\\A\\x.txt", {L"C:\\a"}));
    EXPECT_FALSE(IsKept(L"C:\\ab\\x.txt", {L"C:\\a"}));
    EXPECT_TRUE(IsKept(L"E:\\x.txt", {L"E:\\"}));
}

}  // namespace
