// The engine's grouping against a literal transcription of the quadratic,
// leader-based comparison over linked lists, on random inputs and every
// combination of criteria in both checksum modes.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <stdexcept>

#include "tests/engine/EngineTestSupport.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/ResultsText.h"

using namespace engine_test;

namespace {

uint32_t BitwiseCrc(const std::string& bytes) {
    uint32_t r = 0xFFFFFFFF;
    for (unsigned char b : bytes) {
        r ^= b;
        for (int k = 0; k < 8; ++k) r = (r >> 1) ^ (0xEDB88320 & (0u - (r & 1)));
    }
    return ~r;
}

// --- the reference: lists and comparison as first written ---

struct RefEntry {
    std::wstring path;
    FileStatus status;
    uint32_t checksum = 0;
    RefEntry* next = nullptr;
};

struct RefList {
    std::deque<RefEntry> store;
    RefEntry* head;
    RefEntry* tail;
    bool isEmpty = true;
    uint64_t count = 0;
    RefList() {
        store.resize(2);
        head = &store[0];
        tail = &store[1];
    }
    void Add(const std::wstring& path, const FileStatus& status, uint32_t checksum) {
        RefEntry* e = isEmpty ? head : tail;
        e->path = path;
        e->status = status;
        e->checksum = checksum;
        if (isEmpty) {
            head->next = tail;
            isEmpty = false;
        } else {
            store.emplace_back();
            tail->next = &store.back();
            tail = &store.back();
        }
        ++count;
    }
};

std::wstring RefName(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

bool RefIsDuplicate(const FileStatus& a, const FileStatus& b, uint32_t ca, uint32_t cb, const SearchSettings& s) {
    bool same = true;
    if (s.sameName && RefName(a.fullName) != RefName(b.fullName)) same = false;
    if (s.sameSize && a.size != b.size) same = false;
    if (s.sameAttributes && a.attributes != b.attributes) same = false;
    if (s.sameCreationDate && a.creationTime != b.creationTime) same = false;
    if (s.sameModificationDate && a.modificationTime != b.modificationTime) same = false;
    if (s.sameAccessDate && a.accessTime != b.accessTime) same = false;
    if (s.sameChecksum && s.checksumSecondStep == 0 && ca != cb) same = false;
    return same;
}

struct RefGroup {
    std::wstring title;
    std::vector<std::wstring> paths;
};

// Category by category: leader-based grouping, then (two-step) each group split
// by checksum where it stands. Returns the tree's texts in order.
std::vector<std::wstring> Reference(std::array<RefList, 7>& lists, const SearchSettings& s,
                                    const std::map<std::wstring, uint32_t>& checksumOf, const TextSource& texts) {
    std::array<std::vector<RefGroup>, 7> groups;
    for (auto& l : lists) l.tail->path = L"Last File!";
    for (int c = 0; c < 7; ++c) {
        RefList& list = lists[c];
        if (list.isEmpty) continue;
        for (RefEntry* outer = list.head; outer->path != L"Last File!"; outer = outer->next) {
            RefEntry* prev = outer;
            bool first = true;
            for (RefEntry* inner = outer->next; inner->path != L"Last File!"; inner = inner->next) {
                if (RefIsDuplicate(outer->status, inner->status, outer->checksum, inner->checksum, s)) {
                    if (first) {
                        groups[c].push_back({RefName(outer->path), {outer->path, inner->path}});
                        first = false;
                    } else {
                        groups[c].back().paths.push_back(inner->path);
                    }
                    prev->next = inner->next;
                } else {
                    prev = inner;
                }
            }
        }
    }
    if (s.sameChecksum && s.checksumSecondStep) {
        for (auto& category : groups) {
            std::vector<RefGroup> split;
            for (const RefGroup& g : category) {
                std::vector<RefGroup> parts;
                std::vector<uint32_t> sums;
                for (const auto& p : g.paths) {
                    const uint32_t sum = checksumOf.at(p);
                    auto at = std::find(sums.begin(), sums.end(), sum);
                    if (at == sums.end()) {
                        sums.push_back(sum);
                        parts.push_back({RefName(p), {p}});
                    } else {
                        parts[at - sums.begin()].paths.push_back(p);
                    }
                }
                for (auto& part : parts)
                    if (part.paths.size() >= 2) split.push_back(std::move(part));
            }
            category = std::move(split);
        }
    }
    std::vector<std::wstring> out;
    for (int c = 0; c < 7; ++c) {
        out.push_back(CountedHeading(CategoryHeading(c, s, texts), static_cast<int>(groups[c].size()), texts));
        for (const auto& g : groups[c]) {
            out.push_back(g.title);
            out.insert(out.end(), g.paths.begin(), g.paths.end());
        }
    }
    return out;
}

// --- random inputs ---

struct RandomFile {
    std::wstring folder, name;
    FileStatus status;
    const std::string* content;
};

class ContentPool {
public:
    // Variants of one size: 0 the base, 1 differs in the first byte, 2 in the
    // last byte, 3 just after the first block.
    const std::string& Get(uint64_t size, int variant) {
        auto& slot = pool_[{size, variant}];
        if (!slot) {
            std::string bytes(size, '\0');
            std::mt19937 r(static_cast<unsigned>(size * 7 + 1));
            for (auto& b : bytes) b = static_cast<char>(r());
            if (size > 0) {
                if (variant == 1) bytes[0] ^= 1;
                if (variant == 2) bytes[size - 1] ^= 1;
                if (variant == 3) bytes[std::min<uint64_t>(size - 1, 65536 + 17)] ^= 1;
            }
            slot = std::make_unique<std::string>(std::move(bytes));
            crc_[slot.get()] = BitwiseCrc(*slot);
        }
        return *slot;
    }
    uint32_t Crc(const std::string* content) const { return crc_.at(content); }

private:
    std::map<std::pair<uint64_t, int>, std::unique_ptr<std::string>> pool_;
    std::map<const std::string*, uint32_t> crc_;
};

const std::array<uint64_t, 6> kBounds = {100, 1000, 70000, 200000, 300000, 400000};

std::vector<RandomFile> MakeFiles(std::mt19937& r, ContentPool& pool, int count,
                                  const std::vector<uint64_t>& sizes) {
    static const std::wstring names[] = {L"a.txt", L"A.txt", L"b.doc", L"Report.doc", L"report.doc", L"c"};
    static const wchar_t* folders[] = {L"C:\\x", L"C:\\x\\y", L"D:\\z"};
    static const uint8_t attributes[] = {0x20, 0x21, 0x22, 0x01, 0x00};
    static const int64_t times[] = {1600000000, 1600000001, 1700000000};
    std::vector<RandomFile> files;
    std::set<std::wstring> used;
    for (int i = 0; i < count; ++i) {
        RandomFile f;
        do {
            f.folder = folders[r() % 3] + std::wstring(L"\\d") + std::to_wstring(r() % 6);
            f.name = names[r() % 6];
        } while (!used.insert(f.folder + L"\\" + f.name).second);
        f.status.size = sizes[r() % sizes.size()];
        f.status.attributes = attributes[r() % 5];
        f.status.creationTime = times[r() % 3];
        f.status.modificationTime = times[r() % 2];
        f.status.accessTime = times[r() % 3];
        f.status.fullName = f.folder + L"\\" + f.name;
        f.content = &pool.Get(f.status.size, static_cast<int>(r() % 4));
        files.push_back(std::move(f));
    }
    return files;
}

SearchSettings SettingsFor(unsigned combination) {
    std::wstring criteria;
    for (int bit = 0; bit < 8; ++bit) criteria += (combination >> bit) & 1 ? L'1' : L'0';
    SearchSettings s = MakeSettings(criteria);
    s.categoryBounds = kBounds;
    for (int i = 0; i < 6; ++i) s.categoryLabels[i] = L"L" + std::to_wstring(i + 1);
    return s;
}

struct Outcome {
    std::vector<std::wstring> tree;
    SearchStats stats;
    MemoryContent content;
    std::vector<std::wstring> unreadable;
};

void RunEngine(const std::vector<RandomFile>& files, const SearchSettings& s, Outcome& o,
               FakeProgress* progress = nullptr, ContentSource* source = nullptr) {
    NumberTexts texts;
    FakeProgress ownProgress;
    FakeProgress& p = progress ? *progress : ownProgress;
    MemoryTree tree;
    DuplicateSearch search(s, texts, p, tree, source ? *source : o.content);
    DuplicateResults results;
    search.Begin(results);
    std::map<std::wstring, uint32_t> folderIndex;
    for (const auto& f : files) {
        auto at = folderIndex.find(f.folder);
        if (at == folderIndex.end()) at = folderIndex.emplace(f.folder, search.Files().AddFolder(f.folder)).first;
        FileEntry& e = search.Files().Add(ChooseCategory(f.status.size, s.categoryBounds), at->second, f.name);
        e.size = f.status.size;
        e.attributes = f.status.attributes;
        e.creationTime = f.status.creationTime;
        e.modificationTime = f.status.modificationTime;
        e.accessTime = f.status.accessTime;
        o.content.files[f.status.fullName] = f.content;
    }
    search.Compare(results);
    if (s.sameChecksum && s.checksumSecondStep) search.SecondStep(results);
    search.ReportUnreadable(results);
    o.tree = tree.TextsInOrder();
    o.stats = search.Stats();
    o.unreadable = results.unreadable;
}

std::vector<std::wstring> RunReference(const std::vector<RandomFile>& files, const SearchSettings& s,
                                       const ContentPool& pool) {
    std::array<RefList, 7> lists;
    std::map<std::wstring, uint32_t> checksums;
    for (const auto& f : files) {
        const uint32_t crc = pool.Crc(f.content);
        checksums[f.status.fullName] = crc;
        const bool oneStep = s.sameChecksum && !s.checksumSecondStep;
        lists[ChooseCategory(f.status.size, s.categoryBounds)].Add(f.status.fullName, f.status, oneStep ? crc : 0);
    }
    return Reference(lists, s, checksums, NumberTexts());
}

}  // namespace

TEST(Grouping, EqualsTheQuadraticComparisonOnRandomInputsForEveryCriteriaCombination) {
    std::mt19937 r(20240607);
    ContentPool pool;
    const std::vector<uint64_t> sizes = {0, 1, 7, 99, 100, 101, 999, 1000, 65536, 65537, 70000, 150000, 250001};
    int trees = 0, withGroups = 0;
    for (unsigned combination = 0; combination < 256; ++combination) {
        const SearchSettings s = SettingsFor(combination);
        for (int round = 0; round < 3; ++round) {
            const auto files = MakeFiles(r, pool, 10 + static_cast<int>(r() % 70), sizes);
            Outcome o;
            RunEngine(files, s, o);
            const auto expected = RunReference(files, s, pool);
            ASSERT_EQ(expected, o.tree) << "criteria " << combination << " round " << round;
            ++trees;
            withGroups += o.stats.groups > 0;
        }
    }
    EXPECT_EQ(trees, 256 * 3);
    EXPECT_GT(withGroups, trees / 2);  // the inputs do make groups
}

TEST(Grouping, LargeSetsOfOneSizeBeyondTheSideBySideReadAgreeToo) {
    std::mt19937 r(77);
    ContentPool pool;
    for (unsigned combination : {0x42u, 0x40u, 0xC2u, 0x43u}) {  // size+sum, sum, two-step, name+size+sum
        const SearchSettings s = SettingsFor(combination);
        for (const std::vector<uint64_t>& sizes : {std::vector<uint64_t>{50}, std::vector<uint64_t>{150000},
                                                   std::vector<uint64_t>{50, 150000}}) {
            const auto files = MakeFiles(r, pool, 100, sizes);
            // Ninety-odd names are not enough for 300 distinct paths; repeat under more folders.
            std::vector<RandomFile> many;
            for (int copy = 0; copy < 3; ++copy)
                for (auto f : files) {
                    f.folder += L"\\k" + std::to_wstring(copy);
                    f.status.fullName = f.folder + L"\\" + f.name;
                    many.push_back(f);
                }
            Outcome o;
            RunEngine(many, s, o);
            ASSERT_EQ(RunReference(many, s, pool), o.tree) << "criteria " << combination;
        }
    }
}

TEST(Grouping, HundredsOfEqualLargeFilesAreCheckedInBatches) {
    std::mt19937 r(11);
    ContentPool pool;
    auto files = MakeFiles(r, pool, 100, {150000});
    std::vector<RandomFile> many;
    for (int copy = 0; copy < 3; ++copy)
        for (auto f : files) {
            f.folder += L"\\k" + std::to_wstring(copy);
            f.status.fullName = f.folder + L"\\" + f.name;
            f.content = &pool.Get(150000, many.size() % 50 == 7 ? 3 : 0);  // a few differ after the first block
            many.push_back(f);
        }
    for (unsigned combination : {0x42u, 0xC2u}) {
        const SearchSettings s = SettingsFor(combination);
        Outcome o;
        RunEngine(many, s, o);
        ASSERT_EQ(RunReference(many, s, pool), o.tree) << "criteria " << combination;
        EXPECT_EQ(o.stats.groups, 2u);
    }
}

TEST(Grouping, ReadsOnlyFilesThatCanMatchAndStopsAtTheFirstDifferentBlock) {
    ContentPool pool;
    const SearchSettings s = SettingsFor(0x42);  // size and checksum, one step
    std::vector<RandomFile> files;
    auto add = [&](const std::wstring& name, uint64_t size, int variant) {
        RandomFile f;
        f.folder = L"C:\\d";
        f.name = name;
        f.status.size = size;
        f.status.fullName = f.folder + L"\\" + name;
        f.content = &pool.Get(size, variant);
        files.push_back(f);
    };
    add(L"unique.bin", 5000, 0);         // alone with its size: never opened
    add(L"big1.bin", 250001, 0);
    add(L"big2.bin", 250001, 1);         // differs in the first byte
    add(L"big3.bin", 250001, 0);
    add(L"empty1", 0, 0);                // empty files are equal without reading
    add(L"empty2", 0, 0);
    Outcome o;
    RunEngine(files, s, o);
    EXPECT_EQ(o.content.opened.count(L"C:\\d\\unique.bin"), 0u);
    EXPECT_EQ(o.content.opened.count(L"C:\\d\\empty1"), 0u);
    EXPECT_EQ(o.stats.opens, 3u);  // each candidate opened once
    // big2 is read for its first block only; big1 and big3 whole.
    EXPECT_EQ(o.stats.bytesRead, 2u * 250001u + 65536u);
    EXPECT_EQ(o.stats.groups, 2u);
}

// Hundreds of files of one size that share all but their last bytes: the key
// of the side-by-side read covers the whole first read, so they still fall
// apart at once, each file opened once, against the reference grouping.
TEST(Grouping, FilesSharingALongHeaderFallApartByTheirWholeFirstRead) {
    std::vector<std::string> contents;
    for (char last : {'a', 'b', 'c'}) contents.push_back(std::string(190, 'h') + std::string(10, last));
    std::map<std::string, uint32_t> crcOf;
    for (const auto& c : contents) crcOf[c] = BitwiseCrc(c);
    std::vector<RandomFile> files;
    for (int i = 0; i < 300; ++i) {
        RandomFile f;
        f.folder = L"C:\\h" + std::to_wstring(i % 7);
        f.name = L"f" + std::to_wstring(i) + L".bin";
        f.status.size = 200;
        f.status.fullName = f.folder + L"\\" + f.name;
        f.content = &contents[(i * 7) % 3];
        files.push_back(f);
    }
    for (unsigned combination : {0x42u, 0xC2u}) {
        const SearchSettings s = SettingsFor(combination);
        Outcome o;
        RunEngine(files, s, o);
        std::array<RefList, 7> lists;
        std::map<std::wstring, uint32_t> checksums;
        for (const auto& f : files) {
            checksums[f.status.fullName] = crcOf.at(*f.content);
            lists[ChooseCategory(200, s.categoryBounds)].Add(f.status.fullName, f.status,
                                                             combination == 0x42u ? crcOf.at(*f.content) : 0);
        }
        EXPECT_EQ(Reference(lists, s, checksums, NumberTexts()), o.tree) << combination;
        EXPECT_EQ(o.stats.groups, 3u);
        EXPECT_EQ(o.stats.opens, 300u);
    }
}

TEST(Grouping, ChecksumCollisionsAndUnreadableFilesMakeNoDuplicates) {
    // Two different contents with one CRC-32: the checksum alone would group them.
    std::string a = "collision-test-a", b = a;
    b[0] = 'X';
    // Four bytes appended to b bring its CRC to that of a with four zeros appended.
    const std::string aa = a + std::string(4, '\0');
    const uint32_t target = BitwiseCrc(aa);
    std::string bb;
    {
        // The four suffix bytes that force a chosen register are found by running the CRC backwards.
        uint32_t table[256];
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320 & (0u - (c & 1)));
            table[i] = c;
        }
        auto reg = [&](const std::string& s) {
            uint32_t r = 0xFFFFFFFF;
            for (unsigned char ch : s) r = (r >> 8) ^ table[(r ^ ch) & 0xFF];
            return r;
        };
        uint32_t want = ~target, r = want;
        unsigned char idx[4];
        for (int k = 3; k >= 0; --k) {
            int found = 0;
            for (int i = 0; i < 256; ++i)
                if ((table[i] >> 24) == (r >> 24)) found = i;
            idx[k] = static_cast<unsigned char>(found);
            r = ((r ^ table[found]) << 8) | static_cast<uint32_t>(found);
        }
        const uint32_t start = reg(b);
        std::string suffix(4, '\0');
        uint32_t cur = start;
        for (int k = 0; k < 4; ++k) {
            suffix[k] = static_cast<char>((cur ^ idx[k]) & 0xFF);
            cur = (cur >> 8) ^ table[idx[k]];
        }
        bb = b + suffix;
    }
    ASSERT_EQ(BitwiseCrc(aa), BitwiseCrc(bb));
    ASSERT_NE(aa, bb);

    const SearchSettings s = SettingsFor(0x42);
    std::vector<RandomFile> files(4);
    const std::string* contents[] = {&aa, &bb, &aa, &aa};
    const wchar_t* names[] = {L"one", L"two", L"three", L"locked"};
    for (int i = 0; i < 4; ++i) {
        files[i].folder = L"C:\\c";
        files[i].name = names[i];
        files[i].status.size = aa.size();
        files[i].status.fullName = L"C:\\c\\" + files[i].name;
        files[i].content = contents[i];
    }
    Outcome o;
    o.content.unreadable.insert(L"C:\\c\\locked");
    RunEngine(files, s, o);
    NumberTexts texts;
    const std::vector<std::wstring> expected = {CountedHeading(CategoryHeading(0, s, texts), 1, texts), L"one",
                                                L"C:\\c\\one", L"C:\\c\\three"};
    ASSERT_GE(o.tree.size(), expected.size());
    EXPECT_EQ(std::vector<std::wstring>(o.tree.begin(), o.tree.begin() + 4), expected);
    EXPECT_EQ(o.stats.groups, 1u);
}

TEST(Grouping, TwoStepSplitsAGroupByContentInItsPlace) {
    ContentPool pool;
    const SearchSettings s = SettingsFor(0x83 | 0x40);  // name, size, checksum in a second step
    std::vector<RandomFile> files;
    auto add = [&](const std::wstring& folder, const std::wstring& name, int variant) {
        RandomFile f;
        f.folder = folder;
        f.name = name;
        f.status.size = 500;
        f.status.fullName = folder + L"\\" + name;
        f.content = &pool.Get(500, variant);
        files.push_back(f);
    };
    add(L"C:\\1", L"a", 0);
    add(L"C:\\1", L"b", 0);
    add(L"C:\\2", L"a", 1);
    add(L"C:\\3", L"a", 0);
    add(L"C:\\2", L"b", 2);
    add(L"C:\\4", L"a", 1);
    add(L"C:\\3", L"b", 1);  // b: all different contents, so group b goes
    Outcome o;
    RunEngine(files, s, o);
    NumberTexts texts;
    const std::vector<std::wstring> expected = {
        CountedHeading(CategoryHeading(0, s, texts), 0, texts),
        CountedHeading(CategoryHeading(1, s, texts), 2, texts),
        L"a", L"C:\\1\\a", L"C:\\3\\a",
        L"a", L"C:\\2\\a", L"C:\\4\\a",
    };
    ASSERT_GE(o.tree.size(), expected.size());
    EXPECT_EQ(std::vector<std::wstring>(o.tree.begin(), o.tree.begin() + expected.size()), expected);
}

TEST(Grouping, CancelDuringComparisonKeepsOnlyCheckedGroupsAndEveryHeading) {
    ContentPool pool;
    std::mt19937 r(5);
    const std::vector<uint64_t> sizes = {150000, 250001, 500};
    for (unsigned combination : {0x42u, 0xC2u}) {
        const SearchSettings s = SettingsFor(combination);
        const auto files = MakeFiles(r, pool, 80, sizes);
        FakeProgress progress;
        progress.cancelWhen = [](const FakeProgress& p) { return p.keepAlives >= 6; };
        Outcome o;
        RunEngine(files, s, o, &progress);
        const auto full = RunReference(files, s, pool);
        // Every heading is there with the count of the groups below it, and
        // every group shown is one of the complete run's groups.
        NumberTexts texts;
        int headings = 0;
        std::map<std::wstring, std::vector<std::wstring>> fullGroups;  // first path -> paths
        for (size_t i = 0; i < full.size(); ++i)
            if (full[i].find(L'\\') != std::wstring::npos && (i == 0 || full[i - 1].find(L'\\') == std::wstring::npos)) {
                auto& g = fullGroups[full[i]];
                for (size_t k = i; k < full.size() && full[k].find(L'\\') != std::wstring::npos; ++k) g.push_back(full[k]);
            }
        int shownGroups = 0, lastCount = -1, seenInCategory = 0;
        for (size_t i = 0; i < o.tree.size(); ++i) {
            const std::wstring& t = o.tree[i];
            if (t.back() == L'.') {
                if (lastCount >= 0) {
                    EXPECT_EQ(lastCount, seenInCategory);
                }
                ++headings;
                lastCount = std::stoi(t.substr(t.find(L", ") + 2));
                seenInCategory = 0;
            } else if (t.find(L'\\') == std::wstring::npos) {
                ++shownGroups;
                ++seenInCategory;
                std::vector<std::wstring> paths;
                for (size_t k = i + 1; k < o.tree.size() && o.tree[k].find(L'\\') != std::wstring::npos; ++k)
                    paths.push_back(o.tree[k]);
                ASSERT_FALSE(paths.empty());
                EXPECT_EQ(fullGroups[paths.front()], paths);
            }
        }
        EXPECT_EQ(lastCount, seenInCategory);
        EXPECT_EQ(headings, 7);
        EXPECT_TRUE(progress.cancelled);
        EXPECT_LT(o.stats.groups, 1000u);
    }
}

// A file that cannot be opened, or whose bytes end before or after its listed
// size (changed during the search), joins no group and is named: small and
// large files, in one step and in two.
TEST(Grouping, FilesNotAsListedJoinNoGroupAndAreNamed) {
    enum How { Unopenable, Shorter, Longer };
    for (uint64_t size : {100u, 65536u, 300000u})
        for (unsigned criteria : {0x42u, 0xC2u})
            for (How how : {Unopenable, Shorter, Longer}) {
                SCOPED_TRACE(testing::Message() << size << " bytes, criteria " << criteria << ", case " << how);
                const std::string same(size, 's');
                const std::string odd = how == Shorter ? same.substr(1) : same + "s";
                std::vector<RandomFile> files;
                for (const wchar_t* name : {L"a.bin", L"b.bin", L"c.bin"}) {
                    RandomFile f;
                    f.folder = L"C:\\d";
                    f.name = name;
                    f.status.size = size;
                    f.status.fullName = f.folder + L"\\" + f.name;
                    f.content = f.name == L"c.bin" && how != Unopenable ? &odd : &same;
                    files.push_back(f);
                }
                Outcome o;
                if (how == Unopenable) o.content.unreadable.insert(L"C:\\d\\c.bin");
                RunEngine(files, SettingsFor(criteria), o);
                EXPECT_EQ(o.stats.groups, 1u);
                EXPECT_EQ(o.stats.duplicateFiles, 2u);
                EXPECT_EQ(o.unreadable, std::vector<std::wstring>{L"C:\\d\\c.bin"});
                EXPECT_EQ(o.tree.back(), L"C:\\d\\c.bin");
            }
}

// Groups are compared on several threads; what goes wrong on one of them
// reaches the caller instead of ending the program.
TEST(Grouping, AFailureWhileComparingOnAnotherThreadReachesTheCaller) {
    struct FailingContent : ContentSource {
        MemoryContent& inner;
        explicit FailingContent(MemoryContent& c) : inner(c) {}
        std::unique_ptr<ContentReader> Open(const std::wstring& path, const std::wstring&) override {
            if (path == L"C:\\d\\f17.bin") throw std::runtime_error("no memory");
            return inner.Open(path, {});
        }
    };
    ContentPool pool;
    const SearchSettings s = SettingsFor(0x42);
    std::vector<RandomFile> files;
    for (int i = 0; i < 40; ++i) {
        RandomFile f;
        f.folder = L"C:\\d";
        f.name = L"f" + std::to_wstring(i) + L".bin";
        f.status.size = 3000 + i / 2;  // twenty pairs of one size each
        f.status.fullName = f.folder + L"\\" + f.name;
        f.content = &pool.Get(f.status.size, 0);
        files.push_back(f);
    }
    Outcome o;
    FailingContent failing(o.content);
    EXPECT_THROW(RunEngine(files, s, o, nullptr, &failing), std::runtime_error);
    // Without the failure, the same pairs are found, each file opened once.
    Outcome whole;
    RunEngine(files, s, whole);
    EXPECT_EQ(whole.stats.groups, 20u);
    EXPECT_EQ(whole.stats.opens, 40u);
}

TEST(Grouping, IsDuplicateComparesNamesWithCase) {
    SearchSettings s = SettingsFor(0x01);
    FileStatus a, b;
    a.fullName = L"C:\\x\\Report.doc";
    b.fullName = L"C:\\y\\report.doc";
    EXPECT_FALSE(IsDuplicate(a, b, 0, 0, s));
    b.fullName = L"C:\\y\\Report.doc";
    EXPECT_TRUE(IsDuplicate(a, b, 0, 0, s));
    s = SettingsFor(0x40);
    EXPECT_FALSE(IsDuplicate(a, b, 1, 2, s));
    s = SettingsFor(0xC0);  // the checksum waits for the second step
    EXPECT_TRUE(IsDuplicate(a, b, 1, 2, s));
}

TEST(ResultsText, SavedListHasTitleCriteriaAndRecords) {
    SearchSettings s = SettingsFor(0x03);
    NumberTexts texts;
    const std::wstring text =
        ResultsText({L"<935> 1 KB, 1 groups.", L"a.txt", L"C:\\x\\a.txt", L"C:\\y\\a.txt"}, s, texts, true);
    EXPECT_EQ(text,
              L"Quorvexsoft Varnholt - Saved Results List\n"
              L"===============================================\n\n"
              L"<470>\n\n- <80>\n- <85>\n"
              L"\n---\n\n<935> 1 KB, 1 groups.\n"
              L"\na.txt\n\n"
              L"C:\\x\\a.txt\nC:\\y\\a.txt\n");
    EXPECT_EQ(ResultsText({}, s, texts, false), L"<470>\n\n- <80>\n- <85>\n");
    // The folders searched follow the criteria.
    EXPECT_EQ(ResultsText({}, s, texts, false, {L"C:\\x", L"D:\\"}),
              L"<470>\n\n- <80>\n- <85>\n\n<1215>\n\n- C:\\x\n- D:\\\n");
}
