#include "tests/support/TestSupport.h"

#include <shellapi.h>

#include <cwchar>
#include <stdexcept>

#include "framework/Paths.h"
#include "framework/Pump.h"

namespace testing_support {

std::wstring EnvPath(const wchar_t* name) {
    std::wstring path = GetEnv(name);
    // The build passes folders as Unix paths; Wine maps them below Z:.
    if (!path.empty() && path[0] == L'/') {
        std::wstring out = L"Z:" + path;
        for (auto& c : out)
            if (c == L'/') c = L'\\';
        return out;
    }
    return path;
}

std::wstring GetEnv(const wchar_t* name) {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring SuiteDir() { return EnvPath(L"SUITE_DIR"); }
std::wstring SourceDir() { return EnvPath(L"SOURCE_DIR"); }
std::wstring FixturesDir() { return EnvPath(L"WINE_FIXTURES"); }

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(base) + L"qvt" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(fw::SystemPath(path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = path + L"\\" + name;
            SetFileAttributesW(fw::SystemPath(full).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileW(fw::SystemPath(full).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(fw::SystemPath(path).c_str());
}

std::wstring TempDir::Write(const std::wstring& name, const std::string& bytes) const {
    const std::wstring path = *this / name;
    WriteBytes(path, bytes);
    return path;
}

namespace {
const wchar_t kSuiteKey[] = L"Software\\Quorvex\\Quorvexsoft Brisvane";
}

void SetSuiteActive() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot open the suite's registry key");
    const wchar_t value[] = L"x";
    RegSetValueExW(key, L"active", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
}

bool SuiteActiveExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSuiteKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    bool found = RegQueryValueExW(key, L"active", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

FILETIME UtcFileTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

bool SetFileTimes(const std::wstring& path, const FILETIME* lastWrite, const FILETIME* lastAccess) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = SetFileTime(file, nullptr, lastAccess, lastWrite) != FALSE;
    CloseHandle(file);
    return ok;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(fw::SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(fw::SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

namespace {

std::vector<char> VersionBlock(const std::wstring& program) {
    std::vector<char> block(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    if (!block.empty() && !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        block.clear();
    return block;
}

}  // namespace

std::wstring VersionText(const std::wstring& program, const wchar_t* name) {
    const std::vector<char> block = VersionBlock(program);
    WORD* translation = nullptr;
    UINT size = 0;
    if (block.empty() || !VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < 2 * sizeof(WORD))
        return L"";
    wchar_t query[128];
    swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
    wchar_t* value = nullptr;
    return VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &size) && size > 0 ? value : L"";
}

VS_FIXEDFILEINFO FixedVersion(const std::wstring& program) {
    const std::vector<char> block = VersionBlock(program);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof *fixed)
        return {};
    return *fixed;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(fw::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        fw::PumpPendingMessages();
        if (done()) return true;
        auto now = std::chrono::steady_clock::now();
        if (now >= end) return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left, 20)), QS_ALLINPUT);
    }
}

void Flush(std::chrono::milliseconds time) { WaitFor([] { return false; }, time); }

MessageBoxRecorder::MessageBoxRecorder(int a, bool all) : answer(a), forAll(all) {
    fw::hooks::messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        asked.push_back({text, caption, type, {}});
        return answer;
    };
    fw::hooks::ask = [this](HWND, const std::wstring& text, const std::wstring& caption, const std::wstring& forAllText,
                            bool defaultNo) {
        asked.push_back({text, caption, MB_YESNO | MB_ICONQUESTION | (defaultNo ? MB_DEFBUTTON2 : 0u), forAllText});
        if (answerFor)
            if (auto given = answerFor(text)) return *given;
        return fw::Answer{answer, forAll && !forAllText.empty()};
    };
}

MessageBoxRecorder::~MessageBoxRecorder() {
    fw::hooks::messageBox = nullptr;
    fw::hooks::ask = nullptr;
}

ShellOpenRecorder::ShellOpenRecorder() {
    fw::hooks::shellOpen = [this](const std::wstring& file) { opened.push_back(file); };
}

ShellOpenRecorder::~ShellOpenRecorder() { fw::hooks::shellOpen = nullptr; }

Program::Program(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
        CloseHandle(pi.hThread);
    }
}

Program::~Program() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND FindProcessWindow(DWORD processId, const std::wstring& title) {
    struct Search {
        DWORD id;
        const std::wstring* title;
        HWND found;
        static BOOL CALLBACK Visit(HWND h, LPARAM l) {
            auto* s = reinterpret_cast<Search*>(l);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if ((s->id && pid != s->id) || !IsWindowVisible(h)) return TRUE;
            wchar_t text[512] = {};
            GetWindowTextW(h, text, 512);
            if (*s->title != text) return TRUE;
            s->found = h;
            return FALSE;
        }
    } search{processId, &title, nullptr};
    EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(const std::wstring& title, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindProcessWindow(id_, title)) != nullptr; }, timeout);
    return found;
}

DWORD Program::WaitForExit(std::chrono::milliseconds timeout) {
    if (!process_) return STILL_ACTIVE;
    WaitFor([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeout);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace testing_support
