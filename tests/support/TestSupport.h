#pragma once
// Helpers shared by the test executables: temporary folders, bounded waits that
// keep messages flowing, recorders for the framework's entry points, programs.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "framework/Ui.h"

namespace testing_support {

// A fresh folder below the temporary folder, removed with its contents at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Writes a file below the folder; its full path.
    std::wstring Write(const std::wstring& name, const std::string& bytes) const;

private:
    std::wstring path_;
};

// A time in universal time, as file times are kept.
FILETIME UtcFileTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// Sets a file's last-write and last-access times; nullptr leaves a time as it is.
bool SetFileTimes(const std::wstring& path, const FILETIME* lastWrite, const FILETIME* lastAccess);

// For messages of failed checks: characters above 127 become '?'.
std::string Narrow(const std::wstring& text);

// A text of a program's version resource ("ProductVersion", "CompanyName", ...),
// in the resource's first language; empty when there is none.
std::wstring VersionText(const std::wstring& program, const wchar_t* name);
// The resource's fixed part; all zero when there is none.
VS_FIXEDFILEINFO FixedVersion(const std::wstring& program);

// These take any path, long ones and names ending in a dot or a space too.
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
void RemoveTree(const std::wstring& path);

// Dispatches messages until done() holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Dispatches the messages that arrive within the given time.
void Flush(std::chrono::milliseconds time = std::chrono::milliseconds(50));

struct AskedMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
    std::wstring forAllText;  // the box under a question; empty: none
};

// Answers every message box and question with `answer` (and, where a question
// offers it, the box "for all" with `forAll`) and records it, while it lives.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK, bool forAll = false);
    ~MessageBoxRecorder();
    std::vector<AskedMessage> asked;
    int answer;
    bool forAll;
    // Answers by the question's text instead, where it gives one.
    std::function<std::optional<fw::Answer>(const std::wstring& text)> answerFor;
};

// Records the shell's "open" requests instead of starting anything, while it lives.
class ShellOpenRecorder {
public:
    ShellOpenRecorder();
    ~ShellOpenRecorder();
    std::vector<std::wstring> opened;
};

// A started program; killed at the end if it still runs.
class Program {
public:
    Program(const std::wstring& exe, const std::wstring& folder = L"", const std::wstring& arguments = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The first visible top-level window of the program with this title.
    HWND WaitForWindow(const std::wstring& title, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Waits for the program to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30));

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The first visible top-level window of a process (0: of any) with this title, or nullptr.
HWND FindProcessWindow(DWORD processId, const std::wstring& title);

// The suite's "active" marker (HKEY_CURRENT_USER), as the shell sets it before a module starts.
void SetSuiteActive();
bool SuiteActiveExists();

// SUITE_DIR of the build, in Windows form.
std::wstring SuiteDir();
std::wstring SourceDir();
// Made by the test run's preparation from the Linux side (scripts/wine-run):
// links to files, folders differing only in case, a link back up, the folder
// that drive Y: is mapped onto, and equal files at long paths and odd names.
std::wstring FixturesDir();
std::wstring GetEnv(const wchar_t* name);
// An environment variable that names a folder, in Windows form.
std::wstring EnvPath(const wchar_t* name);

}  // namespace testing_support
