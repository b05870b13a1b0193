#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/Crc32.h"

using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// Bit at a time, no table: the reference the table and the fast methods must meet.
uint32_t ReferenceCrc(const std::string& bytes) {
    uint32_t r = 0xFFFFFFFF;
    for (unsigned char b : bytes) {
        r ^= b;
        for (int i = 0; i < 8; ++i) r = (r >> 1) ^ (0xEDB88320u & (0u - (r & 1)));
    }
    return ~r;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>(gen());
    return s;
}

const CrcTable& Table() {
    static const CrcTable table;
    return table;
}

uint32_t Crc(const std::string& s) { return ~CrcUpdate(Table(), 0xFFFFFFFF, s.data(), s.size()); }

}  // namespace

TEST(CrcTable, IsTheStandardReflectedTable) {
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i;
        for (int b = 0; b < 8; ++b) r = (r >> 1) ^ (0xEDB88320u & (0u - (r & 1)));
        ASSERT_EQ(Table().entries[i], r) << i;
    }
    EXPECT_EQ(Table().entries[1], 0x77073096u);
}

TEST(CrcUpdate, KnownValues) {
    struct Case { std::string text; uint32_t crc; };
    const Case cases[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
        {std::string(1000, 'x'), ReferenceCrc(std::string(1000, 'x'))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Crc(c.text), c.crc) << c.text.size();
        EXPECT_EQ(~CrcUpdateBytewise(Table(), 0xFFFFFFFF, c.text.data(), c.text.size()), c.crc);
        EXPECT_EQ(~CrcUpdateSliced(Table(), 0xFFFFFFFF, c.text.data(), c.text.size()), c.crc);
    }
}

// Every length up to 4 KiB from every start offset within 16 bytes, with both a
// fresh and an arbitrary running register: the fast methods equal the table.
TEST(CrcUpdate, FastMethodsEqualTableOnEveryLengthAndAlignment) {
    const std::string data = RandomBytes(4096 + 16, 1);
    const uint32_t starts[] = {0xFFFFFFFFu, 0x12345678u};
    for (size_t offset = 0; offset < 16; ++offset)
        for (size_t len = 0; len <= 4096; ++len)
            for (uint32_t r : starts) {
                const char* p = data.data() + offset;
                const uint32_t expected = CrcUpdateBytewise(Table(), r, p, len);
                ASSERT_EQ(CrcUpdate(Table(), r, p, len), expected) << "offset " << offset << " length " << len;
                ASSERT_EQ(CrcUpdateSliced(Table(), r, p, len), expected) << "offset " << offset << " length " << len;
            }
}

TEST(CrcUpdate, LargeBuffersAndSplitsAgreeWithReference) {
    const std::string data = RandomBytes(3 * kCrcChunkSize + 17, 2);
    const uint32_t whole = ReferenceCrc(data);
    EXPECT_EQ(Crc(data), whole);
    // Any split into pieces gives the same register as one pass.
    std::mt19937 gen(3);
    for (int round = 0; round < 20; ++round) {
        uint32_t r = 0xFFFFFFFF;
        size_t pos = 0;
        while (pos < data.size()) {
            const size_t piece = std::min<size_t>(data.size() - pos, gen() % 70000);
            r = CrcUpdate(Table(), r, data.data() + pos, piece);
            pos += piece;
        }
        ASSERT_EQ(~r, whole) << round;
    }
}

TEST(CrcUpdate, FoldingChosenByProcessor) {
    // Informative: which path this run exercised.
    std::printf("carry-less folding %s\n", CrcFoldingAvailable() ? "in use" : "not available");
    SUCCEED();
}

class CrcFile : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring Write(const std::wstring& name, const std::string& bytes) { return dir.Write(name, bytes); }
};

TEST_F(CrcFile, SizesAroundTheChunk) {
    const size_t sizes[] = {0, 1, 9, 63, 64, 65, 4096, kCrcChunkSize - 1, kCrcChunkSize, kCrcChunkSize + 1,
                            2 * kCrcChunkSize, 2 * kCrcChunkSize + 5, 1000003};
    unsigned seed = 10;
    for (size_t size : sizes) {
        const std::string bytes = RandomBytes(size, seed++);
        const auto crc = StartCrc(Write(L"f" + std::to_wstring(size), bytes), Table());
        ASSERT_TRUE(crc.has_value());
        EXPECT_EQ(*crc, ReferenceCrc(bytes)) << size;
    }
}

TEST_F(CrcFile, CheckValueAndEmptyFile) {
    EXPECT_EQ(StartCrc(Write(L"digits.txt", "123456789"), Table()), 0xCBF43926u);
    EXPECT_EQ(StartCrc(Write(L"empty", ""), Table()), 0u);
}

TEST_F(CrcFile, DirectoryMissingAndLockedGiveZero) {
    EXPECT_EQ(StartCrc(dir.path(), Table()), 0u);
    EXPECT_EQ(StartCrc(dir / L"missing.bin", Table()), 0u);
    EXPECT_EQ(StartCrc(dir / L"nofolder\\x.bin", Table()), 0u);

    // Another handle writes to the file: our read denies writers, so it cannot open.
    const std::wstring path = Write(L"locked.bin", "123456789");
    fw::FileHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(StartCrc(path, Table()), 0u);
    writer.reset();
    EXPECT_EQ(StartCrc(path, Table()), 0xCBF43926u);

    // A reader that lets others read does not stop the checksum.
    fw::FileHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_EQ(StartCrc(path, Table()), 0xCBF43926u);
}

TEST_F(CrcFile, SameContentSameChecksumOneByteDiffers) {
    CreateDirectoryW((dir / L"a").c_str(), nullptr);
    CreateDirectoryW((dir / L"b").c_str(), nullptr);
    std::string bytes = RandomBytes(150000, 7);
    const auto a = StartCrc(Write(L"a\\same.bin", bytes), Table());
    const auto b = StartCrc(Write(L"b\\same.bin", bytes), Table());
    bytes[120000] ^= 1;
    const auto c = StartCrc(Write(L"b\\other.bin", bytes), Table());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST_F(CrcFile, PollRunsBetweenChunksAndCanStop) {
    const std::string bytes = RandomBytes(3 * kCrcChunkSize + 1, 8);
    const std::wstring path = Write(L"big.bin", bytes);

    int calls = 0;
    auto counted = StartCrc(path, Table(), [&] { ++calls; return true; });
    EXPECT_EQ(counted, ReferenceCrc(bytes));
    EXPECT_EQ(calls, 3);  // after each of the three full chunks

    calls = 0;
    EXPECT_EQ(StartCrc(path, Table(), [&] { return ++calls < 2; }), std::nullopt);
    EXPECT_EQ(calls, 2);

    // A file shorter than one chunk is read in one go and never asks.
    calls = 0;
    EXPECT_EQ(StartCrc(Write(L"small.bin", "123456789"), Table(), [&] { ++calls; return false; }), 0xCBF43926u);
    EXPECT_EQ(calls, 0);

    // The file is closed after a cancel: it can be deleted at once.
    EXPECT_EQ(StartCrc(path, Table(), [] { return false; }), std::nullopt);
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}
