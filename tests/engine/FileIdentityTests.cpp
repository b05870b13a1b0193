// A file is never its own duplicate: drive roots, folders reached twice, names
// differing only in case, two names of one file and links, on real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/PowerClass.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace engine_test;
using namespace testing_support;

namespace {

using Groups = std::vector<std::vector<std::wstring>>;

struct Searched {
    std::vector<std::wstring> collected;  // sorted
    Groups groups;                        // paths of each group, in tree order
};

Searched Search(const std::wstring& pathList, const std::wstring& criteria) {
    const DiskSearch s = SearchOnDisk(pathList, criteria, {1000000, 2000000, 3000000, 4000000, 5000000, 6000000});
    Searched out{s.collected, {}};
    for (const std::wstring& text : s.tree) {
        if (text.find(L'\\') == std::wstring::npos) out.groups.emplace_back();
        else out.groups.back().push_back(text);
    }
    std::erase_if(out.groups, [](const auto& g) { return g.empty(); });
    return out;
}

// Criteria with and without reading the files, in one and in two steps.
const wchar_t* const kCriteria[] = {L"01000010", L"01000000", L"01000011"};

// Drive Y: is mapped onto a folder of the test run; what a test puts there goes again.
class DriveY : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetFileAttributesW(L"Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no drive Y: here";
        CreateDirectoryW(L"Y:\\Data", nullptr);
        WriteBytes(L"Y:\\Data\\a.txt", "alpha");
        WriteBytes(L"Y:\\top.txt", "beta");
    }
    void TearDown() override {
        RemoveTree(L"Y:\\Data");
        DeleteFileW(L"Y:\\top.txt");
    }
};

}  // namespace

TEST_F(DriveY, ARootAndAFolderOnItAreWalkedOnceWithoutDoubledBackslashes) {
    const std::vector<std::wstring> both = {L"Y:\\Data\\a.txt", L"Y:\\top.txt"};
    // "Y:\\..." is what the folder chooser writes for a drive; "Y:\..." leaves the bare "Y:".
    for (const std::wstring list : {L"Y:\\...;Y:\\Data\\...", L"Y:\\\\...;Y:\\Data\\...", L"Y:\\...;Y:\\\\...",
                                    L"Y:\\Data\\...;Y:\\..."}) {
        for (const wchar_t* criteria : kCriteria) {
            const Searched s = Search(list, criteria);
            EXPECT_EQ(s.collected, both) << list << " " << criteria;
            EXPECT_TRUE(s.groups.empty()) << list << " " << criteria;
        }
    }
    // The same folder typed in another case is the same folder (a file system that ignores case).
    EXPECT_EQ(Search(L"Y:\\DATA\\...;Y:\\Data\\...", L"00000000").collected.size(), 1u);
    PowerClass store;
    store.ListSubfolders(L"Y:\\", 3);
    EXPECT_EQ(store.FolderList, std::vector<std::wstring>{L"Y:\\Data"});
}

// Reached from the folder above it, Y:'s root resolves to Y: and its parent to
// Z:; the files below it still stand where the walk found them.
TEST_F(DriveY, ADrivesRootReachedFromAboveKeepsItsFiles) {
    WriteBytes(L"Y:\\Data\\copy.txt", "alpha");
    const std::wstring data = FixturesDir() + L"\\drive-y\\Data";
    const Groups expected{{data + L"\\a.txt", data + L"\\copy.txt"}};
    for (const wchar_t* criteria : kCriteria) {
        const Groups groups = Search(FixturesDir() + L"\\...", criteria).groups;
        EXPECT_NE(std::search(groups.begin(), groups.end(), expected.begin(), expected.end()), groups.end()) << criteria;
    }
}

TEST(FileIdentity, TwoNamesOfOneFileAreNeverEachOthersDuplicates) {
    TempDir dir;
    const std::wstring original = dir.Write(L"1-original.txt", "the same bytes");
    const std::wstring hardLink = dir / L"2-hard link.txt";
    if (!CreateHardLinkW(hardLink.c_str(), original.c_str(), nullptr)) GTEST_SKIP() << "no hard links here";
    for (const wchar_t* criteria : kCriteria)
        EXPECT_TRUE(Search(dir.path() + L"\\...", criteria).groups.empty()) << criteria;

    // With a real copy, the first name in walk order stays beside it.
    const std::wstring copy = dir.Write(L"3-copy.txt", "the same bytes");
    for (const wchar_t* criteria : kCriteria)
        EXPECT_EQ(Search(dir.path() + L"\\...", criteria).groups, (Groups{{original, copy}})) << criteria;
}

// Wine cannot make links to files: the test run's preparation makes them from
// the Linux side. Wine lists such a link as the file it names (no reparse
// point, the same file id); only its final path tells it apart.
TEST(FileIdentity, LinksToFilesAreNeverListed) {
    const std::wstring tree = FixturesDir() + L"\\links\\tree";
    if (GetFileAttributesW(tree.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no link fixtures here";
    // a-link.txt names real.txt beside it; link.txt names a file outside the tree with copy.txt's bytes.
    for (const wchar_t* criteria : kCriteria)
        EXPECT_EQ(Search(tree + L"\\...", criteria).groups,
                  (Groups{{tree + L"\\real.txt", tree + L"\\z-copy.txt"}}))
            << criteria;
}

TEST(FileIdentity, FoldersDifferingOnlyInCaseAreTwoFoldersAndALinkBackUpIsWalkedOnce) {
    const std::wstring fixtures = FixturesDir();
    if (GetFileAttributesW((fixtures + L"\\case").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no fixtures here";
    const std::wstring upper = fixtures + L"\\case\\Photos\\a.jpg", lower = fixtures + L"\\case\\photos\\a.jpg";
    const Searched s = Search(fixtures + L"\\case\\...", L"01000010");
    EXPECT_EQ(s.collected, (std::vector<std::wstring>{upper, lower}));
    EXPECT_EQ(s.groups, (Groups{{upper, lower}}));

    EXPECT_EQ(Search(fixtures + L"\\loop\\...", L"00000000").collected,
              std::vector<std::wstring>{fixtures + L"\\loop\\file.txt"});
}

// Paths longer than the classic limit and names the ordinary form would change
// ("dot.", "space ", a folder "folder."), made from the Linux side: found,
// read and remembered like any other.
TEST(FileIdentity, LongPathsAndNamesEndingInADotOrASpaceAreSearchedLikeAnyOther) {
    const std::wstring tree = FixturesDir() + L"\\long";
    if (!Exists(tree)) GTEST_SKIP() << "no fixtures here";
    const Searched once = Search(tree + L"\\...", L"00000000");
    ASSERT_EQ(once.collected.size(), 6u);
    EXPECT_GT(std::max_element(once.collected.begin(), once.collected.end(),
                               [](const auto& a, const auto& b) { return a.size() < b.size(); })->size(),
              1000u);
    for (const wchar_t* criteria : kCriteria) {
        const Searched s = Search(tree + L"\\...", criteria);
        ASSERT_EQ(s.groups.size(), 1u) << criteria;
        auto group = s.groups[0];
        std::sort(group.begin(), group.end());
        EXPECT_EQ(group, once.collected) << criteria;
    }
    // The content cache keeps them too: a second search reads none of them.
    TempDir dir;
    const auto bounds = std::array<uint64_t, 6>{1000000, 2000000, 3000000, 4000000, 5000000, 6000000};
    const DiskSearch first = SearchOnDisk(tree + L"\\...", L"01000010", bounds, dir / L"cache.dat");
    const DiskSearch second = SearchOnDisk(tree + L"\\...", L"01000010", bounds, dir / L"cache.dat");
    EXPECT_EQ(first.stats.opens, 6u);
    EXPECT_EQ(second.stats.opens, 0u);
    EXPECT_EQ(second.tree, first.tree);
}

// The side-by-side read holds a set's first reads together; a large set of
// small files must not wrap the product past the 32-bit range and pass.
TEST(FileIdentity, SideBySideBudgetDoesNotOverflow) {
    struct Case {
        uint64_t count, size;
        bool fits;
    } cases[] = {
        {2, 1, true},
        {1000, 100, true},
        {(1ULL << 31) + 1, 1, false},   // 2 bytes each: 4 GB + 2
        {65537, 65535, false},          // 65536 bytes each: 4 GB + 64 KB
        {1ULL << 32, 0, false},         // 1 byte each: 4 GB
    };
    for (const Case& c : cases) EXPECT_EQ(FitsSideBySide(c.count, c.size), c.fits) << c.count << " x " << c.size;
}
