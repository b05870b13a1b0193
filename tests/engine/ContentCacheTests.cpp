// The content cache: BLAKE3 itself, the cache file, and searches that use it on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace engine_test;
using namespace testing_support;

namespace {

std::string Hex(const Digest& d) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (uint8_t b : d) s += {digits[b >> 4], digits[b & 15]};
    return s;
}

// Size and checksum in one step (or two), with the cache file given (or none).
DiskSearch Search(const std::wstring& folder, const std::wstring& cacheFile, const wchar_t* criteria = L"01000010") {
    return SearchOnDisk(folder + L"\\...", criteria, {100, 1000000, 2000000, 3000000, 4000000, 5000000}, cacheFile);
}

// Puts a file's last-write time back to what it was, as some programs do after writing.
void RewriteKeepingTime(const std::wstring& path, const std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA before;
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before);
    Sleep(20);  // a change time of its own
    WriteBytes(path, bytes);
    SetFileTimes(path, &before.ftLastWriteTime, nullptr);
}

}  // namespace

// The published vectors: input bytes 0, 1, ..., 250, 0, 1, ...; whole and in pieces.
TEST(Blake3, PublishedTestVectors) {
    const std::pair<size_t, const char*> vectors[] = {
        {0, "af1349b9f5f9a1a6a0404dea36dcc9499bcb25c9adc112b7cc9a93cae41f3262"},
        {1, "2d3adedff11b61f14c886e35afa036736dcd87a74d27b5c1510225d0f592e213"},
        {1023, "10108970eeda3eb932baac1428c7a2163b0e924c9a9e25b35bba72b28f70bd11"},
        {1024, "42214739f095a406f3fc83deb889744ac00df831c10daa55189b5d121c855af7"},
        {1025, "d00278ae47eb27b34faecf67b4fe263f82d5412916c1ffd97c8cb7fb814b8444"},
        {2048, "e776b6028c7cd22a4d0ba182a8bf62205d2ef576467e838ed6f2529b85fba24a"},
        {2049, "5f4d72f40d7a5f82b15ca2b2e44b1de3c2ef86c426c95c1af0b6879522563030"},
        {3072, "b98cb0ff3623be03326b373de6b9095218513e64f1ee2edd2525c7ad1e5cffd2"},
        {3073, "7124b49501012f81cc7f11ca069ec9226cecb8a2c850cfe644e327d22d3e1cd3"},
        {4096, "015094013f57a5277b59d8475c0501042c0b642e531b0a1c8f58d2163229e969"},
        {4097, "9b4052b38f1c5fc8b1f9ff7ac7b27cd242487b3d890d15c96a1c25b8aa0fb995"},
        {5120, "9cadc15fed8b5d854562b26a9536d9707cadeda9b143978f319ab34230535833"},
        {5121, "628bd2cb2004694adaab7bbd778a25df25c47b9d4155a55f8fbd79f2fe154cff"},
        {6144, "3e2e5b74e048f3add6d21faab3f83aa44d3b2278afb83b80b3c35164ebeca205"},
        {6145, "f1323a8631446cc50536a9f705ee5cb619424d46887f3c376c695b70e0f0507f"},
        {7168, "61da957ec2499a95d6b8023e2b0e604ec7f6b50e80a9678b89d2628e99ada77a"},
        {7169, "a003fc7a51754a9b3c7fae0367ab3d782dccf28855a03d435f8cfe74605e7817"},
        {8192, "aae792484c8efe4f19e2ca7d371d8c467ffb10748d8a5a1ae579948f718a2a63"},
        {8193, "bab6c09cb8ce8cf459261398d2e7aef35700bf488116ceb94a36d0f5f1b7bc3b"},
        {16384, "f875d6646de28985646f34ee13be9a576fd515f76b5b0a26bb324735041ddde4"},
        {31744, "62b6960e1a44bcc1eb1a611a8d6235b6b4b78f32e7abc4fb4c6cdcce94895c47"},
        {102400, "bc3e3d41a1146b069abffad3c0d44860cf664390afce4d9661f7902e7943e085"},
    };
    std::vector<uint8_t> input(102400);
    for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<uint8_t>(i % 251);
    for (const auto& [length, expected] : vectors) {
        WholeHash whole, pieces;
        whole.Update(input.data(), length);
        for (size_t at = 0; at < length; at += 1000) pieces.Update(input.data() + at, std::min<size_t>(1000, length - at));
        EXPECT_EQ(Hex(whole.Final()), expected) << length;
        EXPECT_EQ(Hex(pieces.Final()), expected) << length;
    }
}

// A round trip keeps every field; entries not seen for kMaxAge searches leave;
// anything that is not a whole cache of this format is refused.
TEST(ContentCache, RoundTripAgeAndDamage) {
    ContentCache cache;
    const CacheKey a{7, 100, 5000, 130000000000000000ULL, 130000000000000000ULL};
    const CacheKey b{7, 1ULL << 40, 1ULL << 33, 130000000000000001ULL, 130000000000000999ULL};
    CachedContent full{0x1234, true, {}, 0};
    full.full[0] = 0xAB;
    full.full[31] = 0xCD;
    const CachedContent first{0x5678, false, {}, 0x99};  // checked at a place (a 32-bit hash)
    const CacheKey c{8, 5, 70, 130000000000000999ULL, 130000000000000001ULL};  // changed before its last write
    cache.Store(a, full);
    cache.Store(b, first);
    cache.Store(c, first);
    const std::string bytes = cache.Serialize();
    EXPECT_LT(bytes.size(), 16u + 17u + 3 * 64u);  // header, two volumes, under 64 bytes an entry

    ContentCache read;
    ASSERT_TRUE(read.Parse(bytes));
    ASSERT_NE(read.Find(a, 0), nullptr);
    EXPECT_EQ(read.Find(a, 0)->full, full.full);
    EXPECT_EQ(read.Find(b, 0x99)->firstHash, 0x5678u);
    EXPECT_EQ(read.Find(b, 0x98), nullptr) << "checked at another place";
    EXPECT_NE(read.Find(c, 0x99), nullptr);
    EXPECT_EQ(read.Find({7, 100, 5000, 130000000000000000ULL, 130000000000000001ULL}, 0), nullptr) << "changed";

    // Seen in every search but the last kMaxAge: a stays, b leaves after kMaxAge unseen saves.
    for (int search = 0; search < ContentCache::kMaxAge; ++search) {
        ASSERT_TRUE(read.Parse(read.Serialize()));
        read.Find(a, 0);
    }
    ASSERT_TRUE(read.Parse(read.Serialize()));
    EXPECT_EQ(read.Size(), 1u);  // b and c, last seen kMaxAge searches ago, have left
    EXPECT_NE(read.Find(a, 0), nullptr);

    std::mt19937 random(5);
    std::string noise(bytes.size(), '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::string flipped = bytes;
    flipped[bytes.size() / 2] ^= 1;
    std::string otherVersion = bytes;
    otherVersion[4] = 2;
    for (const std::string& damaged : {std::string(), noise, bytes.substr(0, bytes.size() - 1), flipped, otherVersion,
                                       bytes + "x"}) {
        ContentCache refused;
        EXPECT_FALSE(refused.Parse(damaged)) << damaged.size();
        EXPECT_EQ(refused.Size(), 0u);
    }
}

// A second search of unchanged files opens none and finds the same; a file
// rewritten with its time put back, or replaced under its name, is read again.
TEST(ContentCache, SecondSearchOpensOnlyWhatChanged) {
    TempDir dir;
    CreateDirectoryW((dir / L"tree").c_str(), nullptr);
    const std::wstring tree = dir / L"tree", cache = dir / L"cache.dat";
    const std::string big(200000, 'b');
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const wchar_t*, std::string>>{
             {L"a1.bin", big}, {L"a2.bin", big}, {L"a3.bin", big + ""},
             {L"c1.txt", "same small"}, {L"c2.txt", "same small"}, {L"d1.txt", "other one!"}})
        WriteBytes(tree + L"\\" + name, bytes);
    std::string differsEarly = big;
    differsEarly[10] = 'x';
    WriteBytes(tree + L"\\e1.bin", differsEarly);  // shares the size of a1..a3, not their first block

    for (const wchar_t* criteria : {L"01000010", L"01000011"}) {
        SCOPED_TRACE(testing::Message() << criteria);
        DeleteFileW(cache.c_str());
        const DiskSearch plain = Search(tree, L"", criteria);
        const DiskSearch first = Search(tree, cache, criteria);
        EXPECT_EQ(first.tree, plain.tree);
        EXPECT_EQ(first.stats.opens, plain.stats.opens) << "the first search reads no more than before";
        const DiskSearch second = Search(tree, cache, criteria);
        EXPECT_EQ(second.tree, plain.tree);
        EXPECT_EQ(second.stats.opens, 0u);
    }

    // c2 rewritten to other bytes of the same length, its time put back: read again, and it leaves its group.
    RewriteKeepingTime(tree + L"\\c2.txt", "changed!!!");
    DiskSearch after = Search(tree, cache);
    EXPECT_EQ(after.stats.opens, 1u);
    EXPECT_EQ(after.tree, Search(tree, L"").tree);
    EXPECT_EQ(std::count(after.tree.begin(), after.tree.end(), tree + L"\\c2.txt"), 0);
    // A new file with e1's bytes: e1, known so far by its first block only, is read again and they group.
    WriteBytes(tree + L"\\e2.bin", differsEarly);
    after = Search(tree, cache);
    EXPECT_EQ(after.stats.opens, 2u);
    EXPECT_EQ(after.tree, Search(tree, L"").tree);
    EXPECT_EQ(std::count(after.tree.begin(), after.tree.end(), tree + L"\\e1.bin"), 1);
    // a3 replaced under its name by a file of the same bytes and times: another file, read again.
    WIN32_FILE_ATTRIBUTE_DATA times;
    GetFileAttributesExW((tree + L"\\a3.bin").c_str(), GetFileExInfoStandard, &times);
    DeleteFileW((tree + L"\\a3.bin").c_str());
    WriteBytes(tree + L"\\a3.bin", big);
    SetFileTimes(tree + L"\\a3.bin", &times.ftLastWriteTime, nullptr);
    after = Search(tree, cache);
    EXPECT_EQ(after.stats.opens, 1u);
    EXPECT_EQ(after.tree, Search(tree, L"").tree);
}

// A search that learned nothing and saw every entry leaves the file as it was
// (here with an old time, which a write would change); one that missed an
// entry, or learned one, writes it.
TEST(ContentCache, WrittenOnlyWhenASearchChangedIt) {
    TempDir dir;
    const std::wstring tree = dir / L"tree", cache = dir / L"cache.dat";
    CreateDirectoryW(tree.c_str(), nullptr);
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteBytes(tree + L"\\" + name, "same bytes");
    const FILETIME old{0x12345678, 0x01D00000};
    auto written = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(cache.c_str(), GetFileExInfoStandard, &data);
        return CompareFileTime(&data.ftLastWriteTime, &old) != 0;
    };
    const struct {
        const wchar_t* change;
        std::function<void()> make;
        bool written;
    } cases[] = {
        {L"nothing", [] {}, false},
        {L"a file gone", [&] { DeleteFileW((tree + L"\\c.txt").c_str()); }, true},
        {L"a file new", [&] { WriteBytes(tree + L"\\d.txt", "same bytes"); }, true},
    };
    Search(tree, cache);
    for (const auto& c : cases) {
        Search(tree, cache);  // settles what the last change left
        SetFileTimes(cache, &old, nullptr);
        c.make();
        Search(tree, cache);
        EXPECT_EQ(written(), c.written) << c.change;
    }
}

// A cache file of random bytes is set aside, and the search gives what it gives without one.
TEST(ContentCache, ADamagedFileChangesNoResult) {
    TempDir dir;
    CreateDirectoryW((dir / L"tree").c_str(), nullptr);
    for (int i = 0; i < 6; ++i) WriteBytes(dir / (L"tree\\f" + std::to_wstring(i)), std::string(300, char('a' + i % 2)));
    std::mt19937 random(9);
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    WriteBytes(dir / L"cache.dat", noise);
    EXPECT_EQ(Search(dir / L"tree", dir / L"cache.dat").tree, Search(dir / L"tree", L"").tree);
    EXPECT_EQ(ReadBytes(dir / L"cache.dat.bad"), noise);
    EXPECT_EQ(Search(dir / L"tree", dir / L"cache.dat").stats.opens, 0u) << "rebuilt";

    // Loaded on its own thread, the cache says so once the load is done; written
    // on its own thread, it holds nothing afterwards and the file has it all.
    ContentCache loading;
    loading.StartLoad(dir / L"cache.dat");
    EXPECT_EQ(loading.AwaitLoad(), ContentCache::Loaded::Read);
    const size_t entries = loading.Size();
    loading.StartSave(dir / L"again.dat");
    EXPECT_TRUE(loading.AwaitSave());
    EXPECT_EQ(loading.Size(), 0u);
    EXPECT_EQ(loading.Load(dir / L"again.dat"), ContentCache::Loaded::Read);
    EXPECT_EQ(loading.Size(), entries);
    WriteBytes(dir / L"cache.dat", noise);
    loading.StartLoad(dir / L"cache.dat");
    EXPECT_EQ(loading.AwaitLoad(), ContentCache::Loaded::SetAside);
}

// Two searches that share one cache and overlap keep each other's entries (a
// merge at the write, not the last writer's alone); a write that was killed
// leaves its temporary file, which the next write removes, while a running
// writer's stays.
TEST(ContentCache, OverlappingSearchesKeepBothAndAKilledWriteLeavesNothing) {
    TempDir dir;
    const std::wstring path = dir / L"cache.dat";
    const CacheKey a{1, 10, 100, 130000000000000000ULL, 130000000000000000ULL};
    const CacheKey b{1, 20, 200, 130000000000000000ULL, 130000000000000000ULL};
    const CachedContent content{0x42, false, {}, 0};
    ContentCache first, second;
    EXPECT_EQ(first.Load(path), ContentCache::Loaded::Missing);
    EXPECT_EQ(second.Load(path), ContentCache::Loaded::Missing);
    first.Store(a, content);
    second.Store(b, content);
    ASSERT_TRUE(first.Save(path));
    ASSERT_TRUE(second.Save(path));
    ContentCache both;
    EXPECT_EQ(both.Load(path), ContentCache::Loaded::Read);
    EXPECT_NE(both.Find(a, 0), nullptr);
    EXPECT_NE(both.Find(b, 0), nullptr);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION running = {};
    ASSERT_TRUE(CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &running));
    const std::wstring killed = path + L".new4294967290", live = path + L".new" + std::to_wstring(running.dwProcessId);
    WriteBytes(killed, "half");
    WriteBytes(live, "half");
    EXPECT_TRUE(both.Save(path));
    EXPECT_FALSE(Exists(killed));
    EXPECT_TRUE(Exists(live));
    TerminateProcess(running.hProcess, 0);
    CloseHandle(running.hThread);
    CloseHandle(running.hProcess);
}

// Where links to files are not marked, a link found where its file was known is
// still opened, and so still never listed.
TEST(ContentCache, LinksStayUnlistedInASecondSearch) {
    const std::wstring tree = FixturesDir() + L"\\links\\tree";
    if (GetFileAttributesW(tree.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no link fixtures here";
    TempDir dir;
    const auto plain = Search(tree, L"").tree;
    EXPECT_EQ(Search(tree, dir / L"cache.dat").tree, plain);
    EXPECT_EQ(Search(tree, dir / L"cache.dat").tree, plain);
}
