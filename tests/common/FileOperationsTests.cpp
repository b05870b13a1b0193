#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <shlwapi.h>

#include "common/PowerClass.h"
#include "framework/Handles.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>('A' + i % 26);
    return s;
}

int Backslashes(const std::wstring& s) { return static_cast<int>(std::count(s.begin(), s.end(), L'\\')); }

// The trash of the Wine prefix's data home, in Windows form; empty when unknown.
std::wstring TrashFiles() {
    std::wstring home = GetEnv(L"XDG_DATA_HOME");
    if (home.empty() || home[0] != L'/') return L"";
    std::wstring path = L"Z:" + home + L"/Trash/files";
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The file's bytes as seen through a handle opened before the wipe, which
// keeps the data readable after the name is gone.
std::string ReadThrough(HANDLE file) {
    std::string bytes(4096, '\0');
    DWORD got = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
}

struct WipeSeen {
    HANDLE witness;
    std::string atFirstPump;
};

LRESULT CALLBACK WipeWatcherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        auto* seen = reinterpret_cast<WipeSeen*>(lp);
        seen->atFirstPump = ReadThrough(seen->witness);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

class FileOperations : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring Write(const std::wstring& name, const std::string& bytes) { return dir.Write(name, bytes); }
};

TEST_F(FileOperations, FileSize) {
    const std::wstring path = Write(L"a.bin", Pattern(12345));
    EXPECT_EQ(PowerClass::GetFileSize64(path, true), 12345u);
    EXPECT_EQ(PowerClass::GetFileSize64(path, false), 12345u);
    EXPECT_EQ(PowerClass::GetFileSize64(dir / L"missing", false), 0u);
    EXPECT_EQ(PowerClass::GetFileSize64(dir / L"missing", true), 0u);

    // Opened by someone who shares nothing: the status still gives the size.
    fw::FileHandle exclusive(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive);
    EXPECT_EQ(PowerClass::GetFileSize64(path, false), 12345u);
}

TEST_F(FileOperations, SizesBeyondFourGigabytes) {
    const std::wstring path = dir / L"sparse.bin";
    {
        fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = 5LL * 1024 * 1024 * 1024 + 7;
        if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()))
            GTEST_SKIP() << "the file system cannot hold a 5 GB sparse file";
    }
    const uint64_t expected = 5ULL * 1024 * 1024 * 1024 + 7;
    EXPECT_EQ(PowerClass::GetFileSize64(path, true), expected);
    EXPECT_EQ(PowerClass::GetFileSize64(path, false), expected);
    EXPECT_EQ(PowerClass::GetFileStatusSafe(path).size, expected);
    // An old date must not cut the size to its low 32 bits.
    const FILETIME old = UtcFileTime(1965, 6, 1);
    ASSERT_TRUE(SetFileTimes(path, &old, nullptr));
    EXPECT_EQ(PowerClass::GetFileStatusSafe(path).size, expected);
}

TEST_F(FileOperations, ReadOnlyOrMissing) {
    const std::wstring plain = Write(L"plain.txt", "x");
    const std::wstring locked = Write(L"ro.txt", "x");
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    struct Case { std::wstring path; bool expected; };
    const Case cases[] = {
        {plain, false},
        {dir.path(), false},
        {locked, true},
        {dir / L"missing.txt", true},
        {dir / L"no\\such\\folder.txt", true},
    };
    for (const auto& c : cases) EXPECT_EQ(PowerClass::IsReadOnlyOrMissing(c.path), c.expected) << c.path.c_str();
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileOperations, DeleteWithoutRecycleBin) {
    const std::wstring path = Write(L"gone.txt", "data");
    PowerClass::DeleteFileOrRecycle(path, false);
    EXPECT_FALSE(Exists(path));
    // Nothing there: nothing happens, nothing is asked.
    PowerClass::DeleteFileOrRecycle(dir / L"never.txt", false);
    PowerClass::DeleteFileOrRecycle(dir / L"never.txt", true);
    // A folder goes with its content.
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    Write(L"sub\\inner.txt", "x");
    PowerClass::DeleteFileOrRecycle(dir / L"sub", false);
    EXPECT_FALSE(Exists(dir / L"sub"));
}

TEST_F(FileOperations, DeleteToRecycleBinLandsInTrash) {
    const std::wstring trash = TrashFiles();
    const std::wstring name = L"recycled_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(GetTickCount()) + L".txt";
    const std::wstring path = Write(name, "keep me");
    PowerClass::DeleteFileOrRecycle(path, true);
    EXPECT_FALSE(Exists(path));
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: cannot find the recycle bin to look into";
    // Under Wine the recycle bin is the XDG trash below the prefix's data home.
    const std::wstring inTrash = trash + L"\\" + name;
    ASSERT_TRUE(Exists(inTrash)) << inTrash.c_str();
    EXPECT_EQ(ReadBytes(inTrash), "keep me");
    DeleteFileW(inTrash.c_str());
    std::wstring info = trash.substr(0, trash.size() - 5) + L"info\\" + name + L".trashinfo";
    DeleteFileW(info.c_str());
}

// Zeros over the whole length in blocks of 1000 bytes, with messages dispatched
// between blocks, and only then the file goes. A handle held without delete
// sharing keeps the name, so the zeros can be seen and the wipe says it failed.
TEST_F(FileOperations, WipeWritesZerosInBlocksThenDeletes) {
    const std::wstring path = Write(L"secret.bin", Pattern(2500));
    fw::FileHandle witness(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(witness);

    // A message waiting before the wipe is dispatched after its first block.
    WipeSeen seen{witness.get(), {}};
    const wchar_t kClass[] = L"WipeWatcher";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WipeWatcherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowW(kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_APP, 0, reinterpret_cast<LPARAM>(&seen));

    EXPECT_FALSE(PowerClass::WipeFile(path));
    DestroyWindow(window);
    EXPECT_EQ(ReadThrough(witness.get()), std::string(2500, '\0'));
    ASSERT_EQ(seen.atFirstPump.size(), 2500u);
    EXPECT_EQ(seen.atFirstPump.substr(0, 1000), std::string(1000, '\0'));
    EXPECT_EQ(seen.atFirstPump.substr(1000), Pattern(2500).substr(1000));
    witness.reset();

    // Nothing in the way: the file goes, and not to the recycle bin.
    EXPECT_TRUE(PowerClass::WipeFile(path));
    EXPECT_FALSE(Exists(path));
    const std::wstring trash = TrashFiles();
    if (!trash.empty()) {
        EXPECT_FALSE(Exists(trash + L"\\secret.bin"));
    }
}

// Data another name shares is never overwritten: a file with a second name
// (a hard link) is refused, and both names keep their bytes.
TEST_F(FileOperations, WipeRefusesAFileWithAnotherName) {
    const std::wstring path = Write(L"kept.bin", Pattern(2500));
    const std::wstring other = dir / L"other name.bin";
    if (!CreateHardLinkW(other.c_str(), path.c_str(), nullptr)) GTEST_SKIP() << "no hard links here";
    for (const std::wstring& name : {path, other}) {
        EXPECT_FALSE(PowerClass::WipeFile(name));
        EXPECT_EQ(ReadBytes(path), Pattern(2500));
        EXPECT_EQ(ReadBytes(other), Pattern(2500));
    }
}

TEST_F(FileOperations, WipeOfEmptyAndMissingFiles) {
    const std::wstring empty = Write(L"empty.bin", "");
    EXPECT_TRUE(PowerClass::WipeFile(empty));
    EXPECT_FALSE(Exists(empty));
    // A missing file is made and removed again: nothing is left behind.
    EXPECT_TRUE(PowerClass::WipeFile(dir / L"missing.bin"));
    EXPECT_FALSE(Exists(dir / L"missing.bin"));
    EXPECT_FALSE(PowerClass::WipeFile(dir / L"no\\such\\file.bin"));
}

// A file that cannot be overwritten is reported and stays as it was.
TEST_F(FileOperations, WipeFailureKeepsTheFile) {
    const std::string content = Pattern(3000);
    const std::wstring readOnly = Write(L"ro.bin", content);
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(PowerClass::WipeFile(readOnly));
    EXPECT_EQ(ReadBytes(readOnly), content);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::wstring busy = Write(L"busy.bin", content);
    {
        fw::FileHandle other(CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        EXPECT_FALSE(PowerClass::WipeFile(busy));
    }
    EXPECT_EQ(ReadBytes(busy), content);

    EXPECT_FALSE(PowerClass::WipeFile(dir.path()));
    EXPECT_TRUE(Exists(dir.path()));
}

TEST_F(FileOperations, StatusOfOrdinaryFile) {
    const std::wstring path = Write(L"status.txt", Pattern(777));
    const FILETIME access = UtcFileTime(2021, 5, 6), write = UtcFileTime(2020, 1, 2);
    ASSERT_TRUE(SetFileTimes(path, &write, &access));
    const FileStatus status = PowerClass::GetFileStatusSafe(path);
    EXPECT_EQ(status.size, 777u);
    EXPECT_EQ(status.modificationTime, 1577923200);  // 2020-01-02 00:00 UTC
    EXPECT_EQ(status.accessTime, 1620259200);        // 2021-05-06 00:00 UTC
    EXPECT_EQ(status.attributes & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_EQ(status.fullName, path);

    const FileStatus missing = PowerClass::GetFileStatusSafe(dir / L"missing.txt");
    EXPECT_EQ(missing.size, 0u);
    EXPECT_EQ(missing.modificationTime, 0);
}

TEST_F(FileOperations, StatusOfFileDatedBefore1971) {
    const std::wstring path = Write(L"old.txt", Pattern(500));
    const FILETIME old = UtcFileTime(1965, 3, 4), recent = UtcFileTime(2020, 1, 2);
    ASSERT_TRUE(SetFileTimes(path, &old, &recent));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    if (CompareFileTime(&data.ftLastWriteTime, &old) != 0) GTEST_SKIP() << "the file system cannot keep a 1965 date";

    SYSTEMTIME utc = {};
    utc.wYear = 1965; utc.wMonth = 3; utc.wDay = 4;
    SYSTEMTIME asUtc;  // the calendar date read as local time
    FILETIME ft;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &utc, &asUtc));
    ASSERT_TRUE(SystemTimeToFileTime(&asUtc, &ft));
    const int64_t expected = ((static_cast<int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000LL) / 10000000;

    FileStatus status = PowerClass::GetFileStatusSafe(path);
    EXPECT_EQ(status.size, 500u);
    EXPECT_EQ(status.modificationTime, expected);
    EXPECT_LT(status.modificationTime, 0);
    // Only a single plain attribute is kept.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool single = attributes == 1 || attributes == 2 || attributes == 4 || attributes == 32;
    EXPECT_EQ(status.attributes, single ? attributes : 0u);

    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    if (GetFileAttributesW(path.c_str()) == (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)) {
        EXPECT_EQ(PowerClass::GetFileStatusSafe(path).attributes, 0);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(MatchWildcard, Patterns) {
    struct Case { const wchar_t* pattern; const wchar_t* path; bool ignoreCase; bool expected; };
    const Case cases[] = {
        {L"*.tmp", L"D:\\x\\A.TMP", true, true},
        {L"*.TMP", L"D:\\x\\a.tmp", true, true},
        {L"*.tmp", L"D:\\x\\a.tmp", false, true},
        {L"*.tmp", L"D:\\x\\a.tmpx", true, false},
        {L"D:\\x\\?.txt", L"D:\\x\\b.txt", false, true},
        {L"D:\\x\\?.txt", L"D:\\x\\bb.txt", false, false},
        {L"*\\cache\\*", L"C:\\Users\\u\\Cache\\f.dat", true, true},
        {L"*\\cache\\*", L"C:\\Users\\u\\Caches\\f.dat", true, false},
        {L"*.bak;*.old", L"C:\\f.old", true, true},
        {L"*", L"C:\\anything", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PowerClass::MatchWildcard(c.pattern, c.path, c.ignoreCase), c.expected)
            << c.pattern << L" " << c.path;
}

// The match gives the shell's answers on ordinary patterns, and patterns that
// would make a backtracking match run for ever end at once.
TEST(MatchWildcard, AnswersAsTheShellInTimeOfTextTimesPattern) {
    const std::wstring patterns[] = {L"*.tmp", L"*\\cache\\*", L"?", L"a?c*", L"*a*b*c", L"**", L"*.*", L"*.",
                                     L"*.bak;*.old", L" *.log", L"C:\\*\\*.txt", L"*?*?", L"abc", L"", L";*.x"};
    const std::wstring paths[] = {L"C:\\a.tmp", L"C:\\Cache\\f", L"x", L"", L"abcde", L"aXbYc", L"C:\\noext",
                                  L"C:\\d\\e.txt", L"f.old", L"z.log", L"ab", L"C:\\t\\abc"};
    for (const auto& pattern : patterns)
        for (const auto& path : paths)
            EXPECT_EQ(PowerClass::MatchWildcard(pattern, path, true), PathMatchSpecW(path.c_str(), pattern.c_str()) != FALSE)
                << Narrow(pattern) << " / " << Narrow(path);
    const std::wstring text(200, L'a');
    const struct {
        std::wstring pattern;
        bool matches;
    } hard[] = {{std::wstring(24, L'*') + L"z", false}, {std::wstring(12, L'*') + L"a", true},
                {[] { std::wstring p; for (int i = 0; i < 24; ++i) p += L"*?"; return p + L"z"; }(), false},
                {[] { std::wstring p; for (int i = 0; i < 40; ++i) p += L"*a"; return p; }(), true}};
    for (const auto& h : hard) EXPECT_EQ(PowerClass::MatchWildcard(h.pattern, text, true), h.matches) << Narrow(h.pattern);
}

TEST_F(FileOperations, ListSubfoldersHonoursDepthByBackslashes) {
    const std::wstring a = dir / L"A";
    for (const wchar_t* sub : {L"A", L"A\\B", L"A\\B\\C", L"A\\B\\C\\D", L"A\\E"})
        ASSERT_TRUE(CreateDirectoryW((dir / sub).c_str(), nullptr));
    Write(L"A\\file.txt", "not a folder");
    const int base = Backslashes(a);

    auto sorted = [](std::vector<std::wstring> v) { std::sort(v.begin(), v.end()); return v; };
    PowerClass power;
    // a\B has base + 1 backslashes: with that as the limit it is listed, not entered.
    EXPECT_EQ(power.ListSubfolders(a, base + 1), 2);
    EXPECT_EQ(sorted(power.FolderList), (std::vector<std::wstring>{a + L"\\B", a + L"\\E"}));
    EXPECT_EQ(power.FolderDepthLimit, base + 1);

    EXPECT_EQ(power.ListSubfolders(a, base + 2), 3);
    EXPECT_EQ(sorted(power.FolderList), (std::vector<std::wstring>{a + L"\\B", a + L"\\B\\C", a + L"\\E"}));

    EXPECT_EQ(power.ListSubfolders(a, 1000), 4);
    // A top-level call replaces the list; a call with -1 adds to it under the last limit.
    EXPECT_EQ(power.ListSubfolders(a, 0), 2);
    EXPECT_EQ(power.ListSubfolders(a + L"\\B", -1), 3);
    EXPECT_EQ(power.FolderList.back(), a + L"\\B\\C");

    EXPECT_EQ(power.ListSubfolders(dir / L"missing", 5), 0);
    EXPECT_TRUE(power.FolderList.empty());
}
