// File and folder operations of PowerClass.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "framework/Handles.h"
#include "framework/Paths.h"
#include "framework/Pump.h"

namespace {

constexpr int64_t kUnixEpochIn100ns = 116444736000000000LL;

int64_t FileTimeToUnixSeconds(const FILETIME& time) {
    const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    // Floor division keeps whole seconds for dates before 1970 too.
    const int64_t since = ticks - kUnixEpochIn100ns;
    return since >= 0 ? since / 10000000 : -((-since + 9999999) / 10000000);
}

// A calendar date read as local time, in seconds since 1970.
int64_t LocalSystemTimeToUnixSeconds(const SYSTEMTIME& local) {
    SYSTEMTIME universal;
    FILETIME time;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) || !SystemTimeToFileTime(&universal, &time))
        return 0;
    return FileTimeToUnixSeconds(time);
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (got == 0 || got >= needed) return path;
    full.resize(got);
    return full;
}

bool ReadAttributeData(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExW(fw::SystemPath(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

uint64_t SizeOf(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// Whether the open file is reached by this one name only: no second name (a
// hard link) and no link to another file, so that its data is the path's alone.
bool IsSoleName(HANDLE file, const std::wstring& path) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    if (info.nNumberOfLinks > 1 || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    if (!FileLinksUnmarked()) return true;
    // There a link opens as the file it names: it must be found where its folder is.
    const size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) return false;
    std::wstring parent = path.substr(0, cut);
    if (parent.size() == 2 && parent[1] == L':') parent += L'\\';
    fw::FileHandle folder(CreateFileW(fw::SystemPath(parent).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::wstring folderPath = folder ? FinalPathOf(folder.get()) : std::wstring();
    return !folderPath.empty() && SamePlace(FinalPathOf(file), JoinPath(folderPath, std::wstring_view(path).substr(cut + 1)));
}

}  // namespace

uint64_t PowerClass::GetFileSize64(const std::wstring& path, bool statusOnly) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ReadAttributeData(path, data)) return 0;
    const uint64_t statusSize = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    if (statusOnly) return statusSize;
    fw::FileHandle file(CreateFileW(fw::SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size)) return statusSize;
    return static_cast<uint64_t>(size.QuadPart);
}

bool PowerClass::IsReadOnlyOrMissing(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(fw::SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void PowerClass::DeleteFileOrRecycle(const std::wstring& path, bool toRecycleBin, bool warnWhenPermanent) {
    const std::wstring system = fw::SystemPath(path);
    if (GetFileAttributesW(system.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    // The shell takes some paths only in their ordinary form and others (a name
    // ending in a dot or a space) only in the extended one: the ordinary first.
    for (const std::wstring* form : {&path, &system}) {
        std::wstring from = *form;
        from.push_back(L'\0');  // the list ends in a second null
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | (toRecycleBin ? FOF_ALLOWUNDO : 0) |
                           (toRecycleBin && warnWhenPermanent ? FOF_WANTNUKEWARNING : 0);
        SHFileOperationW(&operation);
        if (GetFileAttributesW(system.c_str()) == INVALID_FILE_ATTRIBUTES || system == path) return;
    }
}

// Zeros over the whole length, then deletion. A file that cannot be opened or
// overwritten is left in place and reported, since deleting it unwiped would
// leave its content readable on the disk while the user believes it gone. A
// file with another name, or a link, is refused: its data is not this path's alone.
bool PowerClass::WipeFile(const std::wstring& path) {
    uint64_t size = GetFileSize64(path, false);
    // Windows refuses to open a read-only file for writing; say so here too, so
    // that no file system or privilege lets a read-only file be overwritten.
    const DWORD attributes = GetFileAttributesW(fw::SystemPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    {
        fw::FileHandle file(CreateFileW(fw::SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!file || !IsSoleName(file.get(), path)) return false;
        // Once open nobody else can write: the length now is the length to cover.
        LARGE_INTEGER current;
        if (GetFileSizeEx(file.get(), &current)) size = static_cast<uint64_t>(current.QuadPart);
        constexpr DWORD kBlock = 1000;
        const std::vector<char> zeros(kBlock, 0);
        for (uint64_t done = 0; done < size;) {
            const DWORD block = static_cast<DWORD>(std::min<uint64_t>(kBlock, size - done));
            DWORD written = 0;
            if (!WriteFile(file.get(), zeros.data(), block, &written, nullptr) || written != block) return false;
            done += block;
            // The window stays alive while a large file is wiped.
            fw::PumpPendingMessages();
        }
        // The zeros must reach the disk before the name goes.
        if (!FlushFileBuffers(file.get())) return false;
    }
    DeleteFileOrRecycle(path, false);
    return GetFileAttributesW(fw::SystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

FileStatus PowerClass::GetFileStatusSafe(const std::wstring& path) {
    FileStatus status;
    WIN32_FIND_DATAW entry;
    fw::FindHandle find(FindFirstFileW(fw::SystemPath(path).c_str(), &entry));
    if (!find) return status;

    const FILETIME* times[] = {&entry.ftCreationTime, &entry.ftLastAccessTime, &entry.ftLastWriteTime};
    SYSTEMTIME dates[3] = {};
    bool early = false;
    for (int i = 0; i < 3; ++i) {
        if (!FileTimeToSystemTime(times[i], &dates[i])) dates[i] = {};  // unconvertible: year 0, early
        if (dates[i].wYear < 1971) early = true;
    }
    const uint64_t entrySize = SizeOf(entry.nFileSizeHigh, entry.nFileSizeLow);
    if (early) {
        status.creationTime = LocalSystemTimeToUnixSeconds(dates[0]);
        status.accessTime = LocalSystemTimeToUnixSeconds(dates[1]);
        status.modificationTime = LocalSystemTimeToUnixSeconds(dates[2]);
        // The whole 64-bit size: a large old file is not to be taken for a small one.
        status.size = entrySize;
        const DWORD a = entry.dwFileAttributes;
        status.attributes = (a == FILE_ATTRIBUTE_READONLY || a == FILE_ATTRIBUTE_HIDDEN || a == FILE_ATTRIBUTE_SYSTEM ||
                             a == FILE_ATTRIBUTE_ARCHIVE)
                                ? static_cast<uint8_t>(a)
                                : 0;
        status.fullName = FullPath(path);
        return status;
    }

    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ReadAttributeData(path, data)) {
        status.size = entrySize;
        return status;
    }
    status.creationTime = FileTimeToUnixSeconds(data.ftCreationTime);
    status.accessTime = FileTimeToUnixSeconds(data.ftLastAccessTime);
    status.modificationTime = FileTimeToUnixSeconds(data.ftLastWriteTime);
    status.size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    status.attributes = static_cast<uint8_t>(data.dwFileAttributes & 0x7F);
    status.fullName = FullPath(path);
    return status;
}

namespace {

// One pattern against the whole text. On a mismatch only the last star takes
// one more character: no pattern costs more than the text times itself.
bool MatchOne(std::wstring_view text, std::wstring_view pattern) {
    size_t t = 0, p = 0, star = std::wstring_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool PowerClass::MatchPatternsUpper(std::wstring_view path, std::wstring_view patterns) {
    if (patterns == L"*.*") return true;
    for (size_t start = 0; start < patterns.size();) {
        while (start < patterns.size() && patterns[start] == L' ') ++start;
        size_t end = patterns.find(L';', start);
        if (end == std::wstring_view::npos) end = patterns.size();
        if (start < patterns.size() && MatchOne(path, patterns.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

bool PowerClass::MatchWildcard(const std::wstring& pattern, const std::wstring& path, bool) {
    // The shell's match ignores case either way.
    std::wstring upperPattern = pattern, upperPath = path;
    if (!upperPattern.empty()) CharUpperBuffW(upperPattern.data(), static_cast<DWORD>(upperPattern.size()));
    if (!upperPath.empty()) CharUpperBuffW(upperPath.data(), static_cast<DWORD>(upperPath.size()));
    return MatchPatternsUpper(upperPath, upperPattern);
}

int PowerClass::ListSubfolders(const std::wstring& folder, int depthLimit) {
    if (depthLimit != -1) {
        FolderDepthLimit = depthLimit;
        FolderList.clear();
    }
    WIN32_FIND_DATAW entry;
    fw::FindHandle find(FindFirstFileW(fw::SystemPath(JoinPath(folder, L"*")).c_str(), &entry));
    if (find) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring sub = JoinPath(folder, name);
            FolderList.push_back(sub);
            const auto depth = std::count(sub.begin(), sub.end(), L'\\');
            if (depth < FolderDepthLimit) ListSubfolders(sub, -1);
        } while (FindNextFileW(find.get(), &entry));
    }
    return static_cast<int>(FolderList.size());
}
