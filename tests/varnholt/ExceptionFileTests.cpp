#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/varnholt/Installation.h"
#include "varnholt/app/ExceptionFile.h"

using namespace testing_support;

namespace {

const std::string kHeader = "Quorvexsoft Varnholt - Exceptions\r\n=======================================\r\n\r\n";

struct LoadCase {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> entries;
    bool message;
};

TEST(ExceptionFile, LoadCases) {
    const LoadCase cases[] = {
        {"two entries", kHeader + "Thumbs.db\r\nC:\\Temp\\?.log\r\n", {L"Thumbs.db", L"C:\\Temp\\?.log"}, false},
        {"title only", "Quorvexsoft Varnholt - Exceptions\r\n", {}, false},
        {"header only", kHeader, {}, false},
        {"title with a trailing blank", "Quorvexsoft Varnholt - Exceptions \r\n====\r\n\r\nThumbs.db\r\n", {}, true},
        {"title in other case", "quorvexsoft varnholt - exceptions\r\n====\r\n\r\nThumbs.db\r\n", {}, true},
        {"empty file", "", {}, true},
        {"empty line is an entry", kHeader + "a\r\n\r\nb\r\n", {L"a", L"", L"b"}, false},
        {"last line without line end", kHeader + "a\r\nb", {L"a", L"b"}, false},
        {"line feeds only", "Quorvexsoft Varnholt - Exceptions\n===\n\n*.tmp\n", {L"*.tmp"}, false},
        {"characters above 127", kHeader + "C:\\\xC4rger\\*\r\n", {L"C:\\\u00C4rger\\*"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir / L"0026exc.ini", c.bytes);
        MessageBoxRecorder boxes;
        std::vector<std::wstring> entries = {L"stale"};
        LoadExceptions(entries, dir / L"0026exc.ini", nullptr);
        EXPECT_EQ(entries, c.entries);
        ASSERT_EQ(boxes.asked.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(boxes.asked[0].text, L"No exception list detected!");
            EXPECT_EQ(boxes.asked[0].type, static_cast<UINT>(MB_OK));
        }
    }
}

// Missing and held open by another program are told apart: only a missing file may
// be written anew. Either gives an empty list, without a message of its own.
TEST(ExceptionFile, MissingAndUnreadableFilesLoadAnEmptyListQuietly) {
    TempDir dir;
    const std::wstring path = dir / L"0026exc.ini";
    MessageBoxRecorder boxes;
    std::vector<std::wstring> entries = {L"stale"};
    EXPECT_EQ(LoadExceptions(entries, path, nullptr), ExceptionLoad::Missing);
    EXPECT_TRUE(entries.empty());

    WriteBytes(path, kHeader + "Thumbs.db\r\n");
    {
        varnholt_tests::HeldOpen held(path);
        ASSERT_TRUE(held.ok());
        entries = {L"stale"};
        EXPECT_EQ(LoadExceptions(entries, path, nullptr), ExceptionLoad::Unreadable);
        EXPECT_TRUE(entries.empty());
    }
    EXPECT_EQ(LoadExceptions(entries, path, nullptr), ExceptionLoad::Read);
    EXPECT_EQ(entries, std::vector<std::wstring>{L"Thumbs.db"});
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(ExceptionFile, SavesBytesAndLoadsThemBack) {
    TempDir dir;
    std::vector<std::wstring> list = {L"Thumbs.db", L"C:\\Temp\\?.log"};
    SaveExceptions(list, dir / L"0026exc.ini");
    EXPECT_EQ(ReadBytes(dir / L"0026exc.ini"), kHeader + "Thumbs.db\r\nC:\\Temp\\?.log\r\n");
    std::vector<std::wstring> loaded;
    LoadExceptions(loaded, dir / L"0026exc.ini", nullptr);
    EXPECT_EQ(loaded, list);

    SaveExceptions({}, dir / L"0026exc.ini");
    EXPECT_EQ(ReadBytes(dir / L"0026exc.ini"), kHeader);
}

TEST(ExceptionFile, AnEntryBeyondOneByteSurvivesTheRoundTrip) {
    TempDir dir;
    std::vector<std::wstring> list = {L"C:\\\u65E5\u672C\\*", L"*.bak"};
    SaveExceptions(list, dir / L"0026exc.ini");
    std::vector<std::wstring> loaded;
    LoadExceptions(loaded, dir / L"0026exc.ini", nullptr);
    EXPECT_EQ(loaded, list);
}

TEST(ExceptionFile, FirstUseCopiesTheProgramFoldersFileIntoTheConfigurationFolder) {
    TempDir program, config;
    WriteBytes(program / L"0026exc.ini", kHeader + "*.tmp\r\n");
    std::wstring configPath = config / L"config.ini";
    std::wstring path = LocateExceptionFile(configPath, program.path());
    EXPECT_EQ(path, config / L"0026exc.ini");
    EXPECT_EQ(ReadBytes(path), kHeader + "*.tmp\r\n");
    // Later saves go to the configuration folder; the installed file stays.
    SaveExceptions({L"*.bak"}, path);
    EXPECT_EQ(LocateExceptionFile(configPath, program.path()), config / L"0026exc.ini");
    EXPECT_EQ(ReadBytes(program / L"0026exc.ini"), kHeader + "*.tmp\r\n");
    std::vector<std::wstring> loaded;
    LoadExceptions(loaded, path, nullptr);
    EXPECT_EQ(loaded, (std::vector<std::wstring>{L"*.bak"}));
}

TEST(ExceptionFile, WithoutAnyFileTheProgramFoldersPathServes) {
    TempDir program, config;
    EXPECT_EQ(LocateExceptionFile(config / L"config.ini", program.path()), program / L"0026exc.ini");
    EXPECT_FALSE(Exists(config / L"0026exc.ini"));
    EXPECT_EQ(LocateExceptionFile(L"", program.path()), program / L"0026exc.ini");
}

}  // namespace
