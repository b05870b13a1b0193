// File collection and whole searches on real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "common/PowerClass.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/SearchPaths.h"

using namespace engine_test;
using namespace testing_support;

namespace {

std::vector<std::wstring> Collected(const FileCollection& files) {
    std::vector<std::wstring> paths;
    for (const auto& list : files.Lists())
        for (const auto& e : list.entries) paths.push_back(files.Path(e));
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Depth-first in the order the file system gives, as the walk must go.
void ExpectedWalk(const std::wstring& folder, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ExpectedWalk(folder + L"\\" + name, out);
        else out.push_back(folder + L"\\" + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

class Collection : public ::testing::Test {
protected:
    void SetUp() override {
        settings = MakeSettings(L"00000000");
        settings.categoryBounds = {100, 200, 300, 400, 500, 600};
    }
    std::wstring File(const std::wstring& relative, const std::string& bytes) {
        const std::wstring path = dir / relative;
        for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos; slash = relative.find(L'\\', slash + 1))
            CreateDirectoryW((dir / relative.substr(0, slash)).c_str(), nullptr);
        WriteBytes(path, bytes);
        return path;
    }
    std::vector<std::wstring> Collect(const std::wstring& pathList) {
        files = FileCollection();
        FileCollector collector(settings, progress, files);
        collector.CollectAll(pathList);
        return Collected(files);
    }
    std::wstring Root() const { return dir.path() + L"\\..."; }

    TempDir dir;
    SearchSettings settings;
    FakeProgress progress;
    FileCollection files;
};

}  // namespace

TEST_F(Collection, WalksDepthFirstInFileSystemOrderWithFullPaths) {
    File(L"a.txt", "a");
    File(L"sub\\b.txt", "b");
    File(L"sub\\deeper\\c.txt", "c");
    File(L"z.txt", "z");
    File(L".hidden\\h.txt", "h");  // hidden folders are walked like any other
    FileCollection walked;
    FileCollector collector(settings, progress, walked);
    collector.CollectFolder(dir.path());
    std::vector<std::wstring> order;
    for (const auto& e : walked.Lists()[0].entries) order.push_back(walked.Path(e));
    std::vector<std::wstring> expected;
    ExpectedWalk(dir.path(), expected);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(order.size(), 5u);
    EXPECT_EQ(progress.current.empty(), false);
    EXPECT_GE(progress.ticks, 5);  // one step per file, "." and ".." included
}

TEST_F(Collection, FiltersOneByOneAndTogether) {
    const auto kb = File(L"kb.bin", std::string(1024, 'k'));
    const auto kbPlus = File(L"kbplus.bin", std::string(1025, 'p'));
    const auto readOnly = File(L"ro.txt", "r");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    const auto hidden = File(L".hid.txt", "h");  // a leading dot reads as hidden under Wine
    const auto old = File(L"old.txt", "o");
    const FILETIME jan2000 = UtcFileTime(2000, 1, 15, 12);
    ASSERT_TRUE(SetFileTimes(old, &jan2000, nullptr));
    const auto keep = File(L"keepme.txt", "k");
    const std::vector<std::wstring> all = Collect(Root());
    ASSERT_EQ(all.size(), 6u);
    ASSERT_TRUE(GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    auto without = [&](std::initializer_list<std::wstring> out) {
        std::vector<std::wstring> v;
        for (const auto& p : all)
            if (std::find(out.begin(), out.end(), p) == out.end()) v.push_back(p);
        return v;
    };
    auto only = [&](std::initializer_list<std::wstring> in) {
        std::vector<std::wstring> v(in);
        std::sort(v.begin(), v.end());
        return v;
    };
    struct Case {
        const char* what;
        std::function<void(SearchSettings&)> set;
        std::vector<std::wstring> expected;
    };
    const std::vector<Case> cases = {
        {"size at most 1 KB", [](SearchSettings& s) { SetOption(s, 15, L'1'); SetOption(s, 16, L'0'); SetOption(s, 17, L'1'); s.sizeFilterValue = 1; },
         without({kbPlus})},
        {"size at least 1 KB", [](SearchSettings& s) { SetOption(s, 15, L'1'); SetOption(s, 16, L'1'); SetOption(s, 17, L'1'); s.sizeFilterValue = 1; },
         only({kb, kbPlus})},
        {"must be read-only", [](SearchSettings& s) { SetOption(s, 18, L'1'); SetOption(s, 19, L'0'); SetOption(s, 20, L'1'); },
         only({readOnly})},
        {"must not be hidden", [](SearchSettings& s) { SetOption(s, 18, L'1'); SetOption(s, 19, L'1'); SetOption(s, 21, L'1'); },
         without({hidden})},
        {"modified not after 2001-01-01", [](SearchSettings& s) {
             SetOption(s, 23, L'1'); SetOption(s, 24, L'1'); SetOption(s, 25, L'0');
             s.referenceDate = PowerClass::ParseTimeText(L"2001-01-01"); },
         only({old})},
        {"modified not before 2001-01-01", [](SearchSettings& s) {
             SetOption(s, 23, L'1'); SetOption(s, 24, L'1'); SetOption(s, 25, L'1');
             s.referenceDate = PowerClass::ParseTimeText(L"2001-01-01"); },
         without({old})},
        {"path matches *KEEP*", [](SearchSettings& s) { SetOption(s, 26, L'1'); s.namePattern = L"*KEEP*"; },
         only({keep})},
        {"all together", [](SearchSettings& s) {
             SetOption(s, 15, L'1'); SetOption(s, 16, L'0'); SetOption(s, 17, L'1'); s.sizeFilterValue = 1;
             SetOption(s, 18, L'1'); SetOption(s, 19, L'1'); SetOption(s, 21, L'1');
             SetOption(s, 23, L'1'); SetOption(s, 24, L'1'); SetOption(s, 25, L'1');
             s.referenceDate = PowerClass::ParseTimeText(L"2001-01-01");
             SetOption(s, 26, L'1'); s.namePattern = L"*.txt"; },
         only({readOnly, keep})},
    };
    const SearchSettings base = settings;
    for (const auto& c : cases) {
        settings = base;
        c.set(settings);
        EXPECT_EQ(Collect(Root()), c.expected) << c.what;
    }
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Collection, ExceptionsIgnoreCase) {
    const auto tmp = File(L"x\\A.TMP", "t");
    const auto txt = File(L"x\\a.txt", "a");
    settings.exceptions = {L"*.tmp"};
    EXPECT_EQ(Collect(Root()), std::vector<std::wstring>{txt});
    EXPECT_FALSE(PassesExceptions(tmp, settings.exceptions));
    EXPECT_TRUE(PassesExceptions(txt, {}));
}

// The walk's prepared patterns match exactly as the shared wildcard match does.
TEST(ExceptionPatterns, MatchAsTheWildcardMatchIgnoringCase) {
    const std::wstring patterns[] = {L"*\\Thumbs.db", L"*\\System Volume Information\\*", L"*.tmp", L"*.*", L"*",
                                     L"**x", L"*\\a?c.txt", L"*.txt;*.doc", L" *.log", L"C:\\Temp\\*",
                                     L"*\\b\\*\\c.txt", L"*x*"};
    const std::wstring paths[] = {L"C:\\p\\thumbs.DB", L"C:\\Thumbs.db.bak", L"D:\\System Volume Information\\x",
                                  L"D:\\system volume information", L"C:\\a.TMP", L"C:\\noext", L"C:\\abc.txt",
                                  L"C:\\r.doc", L"C:\\Temp\\x.log", L"C:\\b\\q\\c.txt", L"X", L""};
    for (const auto& pattern : patterns)
        for (const auto& path : paths)
            EXPECT_EQ(ExceptionPatterns({pattern}).Passes(path), !PowerClass::MatchWildcard(pattern, path, true))
                << pattern << " / " << path;
    // What the options enter for a file or folder below a drive matches the path the walk gives.
    EXPECT_FALSE(ExceptionPatterns({L"C:\\\\Temp\\x.log"}).Passes(L"C:\\Temp\\x.log"));
    EXPECT_FALSE(ExceptionPatterns({L"c:\\\\temp\\*"}).Passes(L"C:\\Temp\\x.log"));
}

TEST_F(Collection, FilesDatedIn1970OrEarlierAreLeftOut) {
    const auto late1970 = File(L"w1970.txt", "a");
    const FILETIME t1970 = UtcFileTime(1970, 12, 31, 23, 59, 59);
    ASSERT_TRUE(SetFileTimes(late1970, &t1970, nullptr));
    const auto access1970 = File(L"a1970.txt", "b");
    ASSERT_TRUE(SetFileTimes(access1970, nullptr, &t1970));
    const auto early1971 = File(L"w1971.txt", "c");
    const FILETIME t1971 = UtcFileTime(1971, 1, 1, 0, 0, 0);
    ASSERT_TRUE(SetFileTimes(early1971, &t1971, &t1971));
    const auto now = File(L"now.txt", "d");
    // Wine may report a creation time no later than the last write; the rule is on all three.
    EXPECT_EQ(Collect(Root()), (std::vector<std::wstring>{now, early1971}));
}

TEST_F(Collection, CategoryBoundsSendEqualSizesUp) {
    File(L"99", std::string(99, 'x'));
    File(L"100", std::string(100, 'x'));
    File(L"199", std::string(199, 'x'));
    File(L"600", std::string(600, 'x'));
    File(L"0", "");
    Collect(Root());
    auto namesIn = [&](int c) {
        std::vector<std::wstring> n;
        for (const auto& e : files.Lists()[c].entries) n.emplace_back(files.Name(e));
        std::sort(n.begin(), n.end());
        return n;
    };
    EXPECT_EQ(namesIn(0), (std::vector<std::wstring>{L"0", L"99"}));
    EXPECT_EQ(namesIn(1), (std::vector<std::wstring>{L"100", L"199"}));
    EXPECT_EQ(namesIn(6), (std::vector<std::wstring>{L"600"}));
    EXPECT_EQ(files.Lists()[1].count, 2u);
    EXPECT_EQ(ChooseCategory(7, {3, 10, 5, 30, 40, 50}), 1);  // bounds in stored order, unsorted
}

TEST_F(Collection, AFolderReachedTwiceIsWalkedOnce) {
    const auto a = File(L"sub\\a.txt", "a");
    const auto b = File(L"b.txt", "b");
    // The folder and its parent, in both orders, and the same folder twice.
    for (const std::wstring& list : {dir.path() + L"\\sub\\...;" + Root(), Root() + L";" + dir.path() + L"\\sub\\...",
                                     Root() + L";" + Root()}) {
        EXPECT_EQ(Collect(list), (std::vector<std::wstring>{b, a})) << list;
        EXPECT_EQ(files.TotalCount(), 2u);
    }
    // The sub-folder's files come first when it is named first.
    Collect(dir.path() + L"\\sub\\...;" + Root());
    EXPECT_EQ(files.Path(files.Lists()[0].entries[0]), a);
}

TEST_F(Collection, CancelStopsEnteringFolders) {
    File(L"top.txt", "t");
    File(L"sub\\inner.txt", "i");
    File(L"sub2\\inner2.txt", "j");
    progress.cancelWhen = [](const FakeProgress& p) { return p.ticks >= 1; };
    const auto got = Collect(Root());
    EXPECT_EQ(got, std::vector<std::wstring>{dir / L"top.txt"});
}

// Everything a walk leaves that a user or a later step sees: the files in each
// category in walk order with their identity, the figures, the folders not read.
std::wstring WalkRecord(const FileCollection& files, const CollectionStats& stats, const FakeProgress& progress) {
    std::wstring text;
    for (const auto& list : files.Lists()) {
        for (const auto& e : list.entries)
            text += files.Path(e) + L"|" + std::to_wstring(e.size) + L"|" + std::to_wstring(e.fileId) + L"\n";
        text += L"--\n";
    }
    text += std::to_wstring(stats.foldersWalked) + L" " + std::to_wstring(stats.entriesSeen) + L" " +
            std::to_wstring(stats.foldersSkippedAsSeen) + L" " + std::to_wstring(progress.ticks) + L"\n";
    for (const auto& folder : stats.unreadableFolders) text += L"unread " + folder + L"\n";
    return text;
}

TEST_F(Collection, FoldersListedAheadChangeNothingTheWalkShows) {
    // Deep and wide, with folders the exceptions leave out and a folder named twice.
    std::wstring deep = L"deep";
    for (int d = 0; d < 12; ++d, deep += L"\\d" + std::to_wstring(d)) File(deep + L"\\f.txt", std::string(d + 1, 'd'));
    for (int w = 0; w < 120; ++w) {
        const std::wstring wide = L"wide\\w" + std::to_wstring(w);
        File(wide + L"\\a.txt", std::string(w % 7 + 1, 'a'));
        if (w % 10 == 0) File(wide + L"\\skip\\s.txt", "s");
        if (w % 3 == 0) File(wide + L"\\inner\\b.txt", "b");
    }
    settings.exceptions = {L"*\\skip\\*"};
    struct Case {
        const char* what;
        std::wstring list;
        int cancelAfterTicks;
    };
    std::vector<Case> cases = {
        {"deep, wide, exceptions", Root(), 0},
        {"a folder reached twice", dir.path() + L"\\wide\\w3\\...;" + Root() + L";" + Root(), 0},
        {"cancel in the middle", Root(), 200},
    };
    if (const std::wstring fixtures = FixturesDir(); Exists(fixtures + L"\\loop"))
        cases.push_back({"links back up and to files",
                         fixtures + L"\\loop\\...;" + fixtures + L"\\links\\...;" + fixtures + L"\\case\\...", 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring records[2];
        for (size_t helpers : {size_t(0), size_t(4)}) {
            FakeProgress walkProgress;
            if (c.cancelAfterTicks)
                walkProgress.cancelWhen = [&](const FakeProgress& p) { return p.ticks >= c.cancelAfterTicks; };
            FileCollection walked;
            FileCollector collector(settings, walkProgress, walked, {}, helpers);
            collector.CollectAll(c.list);
            records[helpers != 0] = WalkRecord(walked, collector.Stats(), walkProgress);
        }
        EXPECT_EQ(records[0], records[1]);
        EXPECT_NE(records[0].find(L"|"), std::wstring::npos);  // files were walked
    }
}

// Where listings run side by side the helpers list the folders themselves:
// what they hand over is what the folder holds, and what nobody takes goes.
TEST_F(Collection, HelpersListFoldersAsTheyAre) {
    ListingsAhead ahead(2, true, true);  // its helpers start while the files are written
    std::vector<std::wstring> folders;
    for (int f = 0; f < 12; ++f) {
        folders.push_back(dir / (L"f" + std::to_wstring(f)));
        for (int n = 0; n <= f % 4; ++n) File(L"f" + std::to_wstring(f) + L"\\n" + std::to_wstring(n) + L".txt", "x");
    }
    // Asked for many times over and taken from the back: the helpers, working
    // from the front, have made some of them by the time they are taken.
    std::vector<std::wstring> asked;
    for (int copy = 0; copy < 50; ++copy) asked.insert(asked.end(), folders.begin(), folders.end());
    size_t handed = 0;
    // The first round may find the helpers still starting.
    for (int round = 0; round < 100 && handed == 0; ++round) {
        const ListingsAhead::Ticket first = ahead.Ask(asked);
        for (size_t i = asked.size(); i-- > 0;) {
            const std::unique_ptr<FolderListing> listing = ahead.Take(first + i);
            if (!listing) continue;  // no helper had come to it: the walk lists it itself
            ++handed;
            std::vector<std::wstring> names, expected;
            listing->ForEach([&](const FILE_ID_BOTH_DIR_INFO& e) { names.emplace_back(e.FileName, e.FileNameLength / sizeof(wchar_t)); });
            std::erase_if(names, [](const std::wstring& n) { return n == L"." || n == L".."; });
            ExpectedWalk(asked[i], expected);
            for (auto& path : expected) path = path.substr(asked[i].size() + 1);
            EXPECT_EQ(names, expected);
            EXPECT_EQ(listing->endError, static_cast<DWORD>(ERROR_NO_MORE_FILES));
            EXPECT_FALSE(listing->finalPath.empty());
        }
        ahead.Drop(first, first + asked.size());
    }
    EXPECT_GT(handed, 0u);
}

TEST_F(Collection, FoldersVanishingDuringTheWalkLeaveTheOthersWhole) {
    for (size_t helpers : {size_t(0), size_t(4)}) {
        SCOPED_TRACE(helpers);
        for (int w = 0; w < 30; ++w) File(L"w" + std::to_wstring(100 + w) + L"\\a.txt", "a");
        // Once the walk is under way, every other folder goes.
        FakeProgress walkProgress;
        bool removed = false;
        walkProgress.cancelWhen = [&](const FakeProgress& p) {
            if (p.ticks >= 3 && !removed)
                for (int w = 0; w < 30; w += 2) RemoveTree(dir / (L"w" + std::to_wstring(100 + w)));
            removed = removed || p.ticks >= 3;
            return false;
        };
        FileCollection walked;
        FileCollector collector(settings, walkProgress, walked, {}, helpers);
        collector.CollectAll(Root());
        std::set<std::wstring> collected;
        for (const auto& e : walked.Lists()[0].entries) collected.insert(walked.Path(e));
        const auto& unread = collector.Stats().unreadableFolders;
        // The folders that stay are walked whole; one that went is empty, named or
        // walked as it was listed, never both named and walked.
        for (int w = 0; w < 30; ++w) {
            const std::wstring folder = dir / (L"w" + std::to_wstring(100 + w));
            const bool named = std::find(unread.begin(), unread.end(), folder) != unread.end();
            const bool walkedWhole = collected.count(folder + L"\\a.txt") == 1;
            if (w % 2) EXPECT_TRUE(walkedWhole && !named) << Narrow(folder);
            else EXPECT_FALSE(walkedWhole && named) << Narrow(folder);
        }
    }
}

// --- whole searches through RunSearch ---

namespace {

// An entry names its folder with or without "\\..."; only that is taken off.
TEST(SearchPaths, EntriesNameTheirFoldersExactly) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
        {L"Z:\\tmp\\h3\\tree", {L"Z:\\tmp\\h3\\tree"}},
        {L"Z:\\tmp\\h3\\tree\\...", {L"Z:\\tmp\\h3\\tree"}},
        {L"Z:\\data\\alpha\\", {L"Z:\\data\\alpha"}},
        {L"Y:\\...;Y:;Y:\\;C:\\\\...", {L"Y:\\", L"Y:\\", L"Y:\\", L"C:\\"}},
        {L"C:\\a\\...; D:\\b;;", {L"C:\\a", L"D:\\b"}},
        {L"C:\\name.\\...;C:\\name ", {L"C:\\name.", L"C:\\name "}},
        {L"\\\\server\\share\\...", {L"\\\\server\\share"}},
        {L"", {}},
    };
    for (const auto& [list, folders] : cases) EXPECT_EQ(SearchFolders(list), folders) << testing::PrintToString(std::wstring(list));

    TempDir dir;
    CreateDirectoryW((dir / L"there").c_str(), nullptr);
    const std::wstring file = dir.Write(L"file.txt", "x");
    const std::pair<std::vector<std::wstring>, std::wstring> checks[] = {
        {{dir / L"there", L"Y:\\"}, L""},
        {{dir / L"there", dir / L"gone", dir / L"also gone"}, dir / L"gone"},
        {{file}, file},                // a file is no folder
        {{L"there"}, L"there"},        // relative: never taken from wherever the program runs
    };
    for (const auto& [folders, missing] : checks) EXPECT_EQ(FirstMissingFolder(folders), missing);
}

class Search : public Collection {
protected:
    void SetUp() override {
        Collection::SetUp();
        store.ConfigPath = dir.path() + L"\\config.ini";
        WriteBytes(store.ConfigPath, "Product ID\r\n0026\r\nCategories\r\n100;200;300;400;500;600;\r\n");
        CreateDirectoryW((dir / L"data").c_str(), nullptr);
    }
    std::vector<std::wstring> Run(const std::wstring& criteria) {
        const std::vector<std::wstring> exceptions = settings.exceptions;
        settings = MakeSettings(criteria);
        settings.exceptions = exceptions;
        MemoryTree tree;
        outcome = RunSearch(dir.path() + L"\\data\\...", settings, store, texts, progress, tree, results, &stats);
        return tree.TextsInOrder();
    }
    std::wstring Heading(int c, int count) {
        return CountedHeading(CategoryHeading(c, settings, texts), count, texts);
    }
    std::vector<std::wstring> Headings(std::initializer_list<std::pair<int, int>> counts) {
        std::vector<std::wstring> v;
        for (int c = 0; c < 7; ++c) {
            int n = 0;
            for (auto [cat, k] : counts)
                if (cat == c) n = k;
            v.push_back(Heading(c, n));
        }
        return v;
    }

    PowerClass store;
    NumberTexts texts;
    DuplicateResults results;
    SearchStats stats;
    SearchOutcome outcome{};
};

// The tree's texts of the headings only (no backslash, ending in a full stop).
std::vector<std::wstring> HeadingsOf(const std::vector<std::wstring>& tree) {
    std::vector<std::wstring> h;
    for (const auto& t : tree)
        if (!t.empty() && t.back() == L'.' && t.find(L'\\') == std::wstring::npos) h.push_back(t);
    return h;
}

}  // namespace

TEST_F(Search, ThreeIdenticalFilesMakeOneGroupInWalkOrder) {
    std::vector<std::wstring> order;
    File(L"data\\F\\same.txt", "content");
    File(L"data\\G\\same.txt", "content");
    File(L"data\\H\\same.txt", "content");
    ExpectedWalk(dir / L"data", order);
    const auto tree = Run(L"11000010");
    std::vector<std::wstring> expected = {Heading(0, 1), L"same.txt"};
    expected.insert(expected.end(), order.begin(), order.end());
    for (int c = 1; c < 7; ++c) expected.push_back(Heading(c, 0));
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(outcome, SearchOutcome::Done);
    EXPECT_TRUE(results.resultsShown);
    EXPECT_EQ(results.categoryGroupCounts[0], 1);
    EXPECT_EQ(progress.status, L"<160>");
}

TEST_F(Search, NamesDifferingInCaseAndSizesInOtherCategoriesAreNotDuplicates) {
    File(L"data\\a\\Report.doc", "same");
    File(L"data\\b\\report.doc", "same");
    File(L"data\\c\\x.bin", std::string(99, 'q'));
    File(L"data\\d\\x.bin", std::string(100, 'q'));  // another category
    const auto tree = Run(L"10000000");  // name only
    EXPECT_EQ(tree, Headings({}));
}

TEST_F(Search, FirstAndThirdEqualSecondDifferent) {
    File(L"data\\1.bin", "aaaa");
    File(L"data\\2.bin", "bbbb");
    File(L"data\\3.bin", "aaaa");
    std::vector<std::wstring> order;
    ExpectedWalk(dir / L"data", order);
    std::vector<std::wstring> expectedPaths;
    for (const auto& p : order)
        if (p.find(L"2.bin") == std::wstring::npos) expectedPaths.push_back(p);
    for (const std::wstring criteria : {L"01000010", L"01000011"}) {  // one step and two steps
        const auto tree = Run(criteria);
        ASSERT_GE(tree.size(), 4u);
        EXPECT_EQ(tree[0], Heading(0, 1));
        EXPECT_EQ(std::vector<std::wstring>(tree.begin() + 2, tree.begin() + 4), expectedPaths) << criteria;
    }
}

TEST_F(Search, SecondStepRemovesAGroupWithoutEqualContents) {
    File(L"data\\a\\n.txt", "one");
    File(L"data\\b\\n.txt", "two");
    File(L"data\\c\\m.txt", "xyz");
    File(L"data\\d\\m.txt", "xyz");
    const auto tree = Run(L"11000011");
    EXPECT_EQ(HeadingsOf(tree), Headings({{0, 1}}));
    EXPECT_EQ(results.categoryGroupCounts[0], 1);
    EXPECT_EQ(std::count(tree.begin(), tree.end(), L"m.txt"), 1);
    EXPECT_EQ(std::count(tree.begin(), tree.end(), L"n.txt"), 0);
}

// A locked file and a locked folder are nobody's duplicates, and both are named
// under a heading of their own after the categories, in both modes.
TEST_F(Search, WhatCannotBeReadIsNobodysDuplicateAndIsNamed) {
    File(L"data\\a.bin", "12345");
    File(L"data\\b.bin", "12345");
    const auto locked = File(L"data\\c.bin", "12345");
    File(L"data\\shut\\d.bin", "12345");
    const std::wstring shut = dir / L"data\\shut";
    for (const wchar_t* criteria : {L"01000010", L"01000011"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(criteria)));
        HANDLE hold = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE holdFolder = CreateFileW(shut.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(hold, INVALID_HANDLE_VALUE);
        ASSERT_NE(holdFolder, INVALID_HANDLE_VALUE);
        const auto tree = Run(criteria);
        CloseHandle(hold);
        CloseHandle(holdFolder);
        EXPECT_EQ(results.categoryGroupCounts[0], 1);
        EXPECT_EQ(stats.duplicateFiles, 2u);
        EXPECT_EQ(results.unreadable, (std::vector<std::wstring>{shut, locked}));
        const std::vector<std::wstring> last(tree.end() - 3, tree.end());
        EXPECT_EQ(last, (std::vector<std::wstring>{L"<1210>", shut, locked}));
    }
}

TEST_F(Search, CancelDuringCollectionStillShowsEveryHeadingWithItsCount) {
    File(L"data\\x\\a.txt", "a");
    File(L"data\\y\\a.txt", "a");
    progress.cancelWhen = [](const FakeProgress& p) { return p.status == L"<155>"; };
    const auto tree = Run(L"11000000");
    EXPECT_EQ(tree, Headings({}));
    EXPECT_EQ(outcome, SearchOutcome::Cancelled);
    EXPECT_TRUE(results.resultsShown);
}

TEST_F(Search, CancelDuringALongChecksumStopsWithinAChunk) {
    const std::string big(6 * 1024 * 1024, 'z');
    File(L"data\\a\\big.bin", big);
    File(L"data\\b\\big.bin", big);
    File(L"data\\s1.txt", "small");
    File(L"data\\s2.txt", "small");
    progress.cancelWhen = [](const FakeProgress& p) { return p.keepAlives >= 5; };
    const auto tree = Run(L"01000010");
    EXPECT_EQ(outcome, SearchOutcome::Cancelled);
    // The interrupted comparison gives nothing; at most a few chunks were read.
    EXPECT_EQ(std::count(tree.begin(), tree.end(), L"big.bin"), 0);
    EXPECT_LT(stats.bytesRead, 4u * 1024 * 1024);
    EXPECT_EQ(HeadingsOf(tree).size(), 7u);
}

// No folder, or settings without any criterion (every file would be everybody's duplicate): nothing changes.
TEST_F(Search, EmptyPathTextOrNoCriterionChangesNothing) {
    MemoryTree tree;
    tree.InsertItem(0, L"old");
    EXPECT_EQ(RunSearch(L"", settings, store, texts, progress, tree, results), SearchOutcome::EmptyPath);
    settings = MakeSettings(L"00000001");
    EXPECT_EQ(RunSearch(dir.path(), settings, store, texts, progress, tree, results), SearchOutcome::NoCriterion);
    EXPECT_EQ(tree.TextsInOrder(), std::vector<std::wstring>{L"old"});
}
