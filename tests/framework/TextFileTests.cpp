#include <gtest/gtest.h>

#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

TEST(TextFile, EveryByteSurvivesWriteAndRead) {
    TempDir dir;
    std::wstring text;
    for (int c = 0; c < 256; ++c)
        if (c != '\n' && c != '\r') text += static_cast<wchar_t>(c);
    fw::WriteTextLines(dir / L"all.txt", {text, L"second"});
    std::string bytes = ReadBytes(dir / L"all.txt");
    ASSERT_EQ(bytes.size(), text.size() + 2 + 6 + 2);
    for (size_t i = 0; i < text.size(); ++i) EXPECT_EQ(static_cast<unsigned char>(bytes[i]), text[i]) << i;
    auto lines = fw::ReadTextLines(dir / L"all.txt");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], text);
    EXPECT_EQ(lines[1], L"second");
}

TEST(TextFile, WritesCrlfAndReadsLfCrlfAndAnUnendedLastLine) {
    TempDir dir;
    fw::WriteTextFile(dir / L"a.txt", L"one\ntwo\n\nfour\n");
    EXPECT_EQ(ReadBytes(dir / L"a.txt"), "one\r\ntwo\r\n\r\nfour\r\n");

    WriteBytes(dir / L"b.txt", "a\nb\r\nc");
    EXPECT_EQ(fw::ReadTextLines(dir / L"b.txt"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    WriteBytes(dir / L"c.txt", "a\n\n");
    EXPECT_EQ(fw::ReadTextLines(dir / L"c.txt"), (std::vector<std::wstring>{L"a", L""}));
    WriteBytes(dir / L"d.txt", "");
    EXPECT_TRUE(fw::ReadTextLines(dir / L"d.txt").empty());
}

TEST(TextFile, CharacterAbove255GoesThroughUtf8WithByteOrderMark) {
    TempDir dir;
    const std::wstring text = L"K\u00f6ln \u65e5\u672c \u20ac";
    fw::WriteTextLines(dir / L"u.txt", {text});
    std::string bytes = ReadBytes(dir / L"u.txt");
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(fw::ReadTextLines(dir / L"u.txt"), std::vector<std::wstring>{text});
    // Latin-1 only: no mark, one byte each.
    fw::WriteTextLines(dir / L"l.txt", {L"K\u00f6ln"});
    EXPECT_EQ(ReadBytes(dir / L"l.txt"), "K\xf6ln\r\n");
}

TEST(TextFile, EncodeTextAsTheCallerChose) {
    struct Case {
        std::wstring text;
        bool utf8;
        std::string bytes;
    } cases[] = {
        {L"a\nb", false, "a\r\nb"},
        {L"K\u00f6ln\n", false, "K\xf6ln\r\n"},
        {L"K\u00f6ln\n", true, "K\xc3\xb6ln\r\n"},
        {L"\u20ac", true, "\xe2\x82\xac"},  // no byte-order mark: the writer puts it once
    };
    for (const Case& c : cases) EXPECT_EQ(fw::EncodeTextAs(c.text, c.utf8), c.bytes) << c.bytes;
}

TEST(TextFile, FailedReplaceLeavesOldFileIntact) {
    TempDir dir;
    const std::wstring path = dir / L"keep.ini";
    WriteBytes(path, "old\r\n");
    // A folder in the way of the temporary file's rename target: the target is a folder.
    CreateDirectoryW((dir / L"folder").c_str(), nullptr);
    EXPECT_THROW(fw::WriteTextFile(dir / L"folder", L"new\n"), fw::FileError);
    // A target in a missing folder cannot be written at all.
    EXPECT_THROW(fw::WriteTextFile(dir / L"missing\\x.ini", L"new\n"), fw::FileError);
    // A target held open without delete sharing cannot be replaced; it keeps its bytes.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(fw::WriteTextFile(path, L"new\n"), fw::FileError);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    // No temporary file is left behind.
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir / L"*.new*").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST(TextFile, MissingFileThrowsFileError) {
    TempDir dir;
    EXPECT_THROW(fw::ReadTextLines(dir / L"none.txt"), fw::FileError);
}

// Files are read in blocks as large as they are: every size around a block's edge comes back whole.
TEST(TextFile, ReadFileBytesReadsEverySizeWhole) {
    TempDir dir;
    for (const size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(300001)}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        WriteBytes(dir / L"f.bin", bytes);
        EXPECT_EQ(fw::ReadFileBytes(dir / L"f.bin"), bytes) << size;
    }
}
