#include "varnholt/engine/FileMoves.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "framework/Paths.h"
#include "framework/TextFile.h"
#include "varnholt/engine/ProtectedFolders.h"

namespace {

const wchar_t kRestoreHeader[] = L"Original path,Name in folder,Size,Last write (UTC)";

// "name (n).ext"; a leading dot starts no extension.
std::wstring Numbered(const std::wstring& name, int n) {
    const size_t dot = name.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && dot > 0;
    const std::wstring stem = hasExtension ? name.substr(0, dot) : name;
    return stem + L" (" + std::to_wstring(n) + L")" + (hasExtension ? name.substr(dot) : std::wstring());
}

bool Identify(const std::wstring& path, DWORD flags, BY_HANDLE_FILE_INFORMATION& info) {
    fw::FileHandle h(CreateFileW(fw::SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, flags, nullptr));
    return h && GetFileInformationByHandle(h.get(), &info);
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION x, y;
    return Identify(a, FILE_FLAG_BACKUP_SEMANTICS, x) && Identify(b, FILE_FLAG_BACKUP_SEMANTICS, y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

bool SameContent(const std::wstring& a, const std::wstring& b) {
    const DWORD share = FILE_SHARE_READ;
    fw::FileHandle x(CreateFileW(fw::SystemPath(a).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    fw::FileHandle y(CreateFileW(fw::SystemPath(b).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!x || !y) return false;
    std::vector<char> one(1 << 20), two(1 << 20);
    for (;;) {
        DWORD gotOne = 0, gotTwo = 0;
        if (!ReadFile(x.get(), one.data(), static_cast<DWORD>(one.size()), &gotOne, nullptr) ||
            !ReadFile(y.get(), two.data(), static_cast<DWORD>(two.size()), &gotTwo, nullptr))
            return false;
        if (gotOne != gotTwo || !std::equal(one.begin(), one.begin() + gotOne, two.begin())) return false;
        if (gotOne == 0) return true;
    }
}

void RemoveCopy(const std::wstring& copy) {
    SetFileAttributesW(fw::SystemPath(copy).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(fw::SystemPath(copy).c_str());
}

bool IsExistsError(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

// Copies `source` to `target` (never over a file), compares the bytes, and only
// then lets `dropSource` remove the source. False with everything as it was.
bool CopyCompareAndDrop(const std::wstring& source, const std::wstring& target,
                        const std::function<void()>& dropSource, DWORD& error) {
    if (!CopyFileW(fw::SystemPath(source).c_str(), fw::SystemPath(target).c_str(), TRUE)) {
        error = GetLastError();
        return false;
    }
    error = 0;
    if (!SameContent(source, target)) {
        RemoveCopy(target);
        return false;
    }
    dropSource();
    if (!PowerClass::FileExists(source)) return true;
    RemoveCopy(target);  // the source could not go: one copy is enough
    return false;
}

std::wstring TimeText(uint64_t fileTime) {
    FILETIME ft = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&ft, &t);
    wchar_t text[40];
    swprintf(text, 40, L"%04u-%02u-%02uT%02u:%02u:%02u.%07lluZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond, static_cast<unsigned long long>(fileTime % 10000000));
    return text;
}

bool ParseTime(const std::wstring& text, uint64_t& fileTime) {
    unsigned year, month, day, hour, minute, second;
    unsigned long long fraction;
    wchar_t zone = 0;
    if (swscanf(text.c_str(), L"%4u-%2u-%2uT%2u:%2u:%2u.%7llu%lc", &year, &month, &day, &hour, &minute, &second,
                &fraction, &zone) != 8 || zone != L'Z')
        return false;
    SYSTEMTIME t = {static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day),
                    static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    FILETIME ft;
    if (!SystemTimeToFileTime(&t, &ft)) return false;
    fileTime = ((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) + fraction;
    return true;
}

std::wstring Quoted(const std::wstring& field) {
    std::wstring q = L"\"";
    for (wchar_t c : field) q += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return q + L"\"";
}

// The fields of one CSV line (RFC 4180); nothing when a quote is left open.
std::optional<std::vector<std::wstring>> Fields(const std::wstring& line) {
    std::vector<std::wstring> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        if (quoted && c == L'"' && i + 1 < line.size() && line[i + 1] == L'"') fields.back() += L'"', ++i;
        else if (c == L'"') quoted = !quoted;
        else if (c == L',' && !quoted) fields.emplace_back();
        else fields.back() += c;
    }
    if (quoted) return std::nullopt;
    return fields;
}

std::wstring RecordLine(const RestoreEntry& e) {
    return Quoted(e.original) + L"," + Quoted(e.name) + L"," + std::to_wstring(e.size) + L"," + TimeText(e.lastWrite);
}

uint64_t LastWriteOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return (uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

bool HoldSameBytes(const std::wstring& a, const std::wstring& b) { return SameContent(a, b); }

bool IsAsSearched(const std::wstring& path, const FileFacts& facts) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!Identify(path, 0, info)) return false;
    const uint64_t size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size != facts.size || LastWriteOf(info) != facts.lastWrite) return false;
    // A file put in its place, even with the same size and time, is another file.
    const uint64_t id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return facts.fileId == 0 || (id == facts.fileId && info.dwVolumeSerialNumber == facts.volume);
}

bool MoveIntoFolder(const std::wstring& source, const std::wstring& folder, const BeforeSourceGoes& before) {
    if (!PowerClass::FileExists(folder)) fw::CreateFolders(folder);
    if (SameFolder(FolderOf(source), folder)) return true;  // already where it is to go
    const std::wstring name = NameOf(source);
    for (int n = 1; n < 10000; ++n) {
        const std::wstring chosen = n == 1 ? name : Numbered(name, n);
        const std::wstring target = JoinPath(folder, chosen);
        if (PowerClass::FileExists(target)) continue;
        // Within a volume the rename is where the source goes: what it becomes is written down first.
        if (before && !before(chosen)) return false;
        // A rename cannot lose the file, and never replaces one.
        if (MoveFileExW(fw::SystemPath(source).c_str(), fw::SystemPath(target).c_str(), 0)) return true;
        DWORD error = GetLastError();
        if (IsExistsError(error)) continue;
        if (error != ERROR_NOT_SAME_DEVICE) return false;
        // Another volume: the source goes only once its copy holds the same bytes.
        if (CopyCompareAndDrop(source, target, [&] { PowerClass::DeleteFileOrRecycle(source, true); }, error))
            return true;
        if (!IsExistsError(error)) return false;
    }
    return false;
}

LinkOutcome ReplaceByLink(const std::wstring& member, const FileFacts& facts, const std::wstring& keptCopy,
                          const FileFacts& keptFacts) {
    if (facts.volume != keptFacts.volume) return LinkOutcome::OtherVolume;
    const DWORD attributes = GetFileAttributesW(fw::SystemPath(member).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return LinkOutcome::ReadOnly;
    if (!IsAsSearched(member, facts) || !IsAsSearched(keptCopy, keptFacts)) return LinkOutcome::Changed;
    if (!SameContent(member, keptCopy)) return LinkOutcome::NotEqual;
    static int counter = 0;
    const std::wstring temporary = JoinPath(FolderOf(member), L"." + NameOf(member) + L"." +
                                                                  std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                                  std::to_wstring(++counter) + L".link");
    if (!CreateHardLinkW(fw::SystemPath(temporary).c_str(), fw::SystemPath(keptCopy).c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_NOT_SAME_DEVICE) return LinkOutcome::OtherVolume;
        if (error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED) return LinkOutcome::NotSupported;
        return LinkOutcome::Failed;
    }
    if (!MoveFileExW(fw::SystemPath(temporary).c_str(), fw::SystemPath(member).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(fw::SystemPath(temporary).c_str());
        return LinkOutcome::Failed;
    }
    return LinkOutcome::Done;
}

bool RestoreListWriter::Create(const std::wstring& folder) {
    if (!PowerClass::FileExists(folder)) fw::CreateFolders(folder);
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[40];
    swprintf(stamp, 40, L"%04u-%02u-%02u %02u-%02u-%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    for (int n = 1; n < 100 && !file_; ++n) {
        path_ = JoinPath(folder, L"Varnholt restore list " + std::wstring(stamp) +
                                     (n == 1 ? L"" : L" (" + std::to_wstring(n) + L")") + L".csv");
        file_ = fw::FileHandle(CreateFileW(fw::SystemPath(path_).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_ && !IsExistsError(GetLastError())) break;
    }
    if (!file_) return false;
    const std::string header = std::string(fw::kUtf8Bom) + fw::EncodeTextAs(std::wstring(kRestoreHeader) + L"\n", true);
    DWORD written = 0;
    return WriteFile(file_.get(), header.data(), static_cast<DWORD>(header.size()), &written, nullptr) &&
           written == header.size() && FlushFileBuffers(file_.get());
}

bool RestoreListWriter::Record(const RestoreEntry& entry) {
    const std::string bytes = fw::EncodeTextAs(RecordLine(entry) + L"\n", true);
    DWORD written = 0;
    return file_ && WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file_.get());
}

std::optional<std::vector<RestoreEntry>> ReadRestoreList(const std::wstring& path) {
    std::wstring text;
    try {
        text = fw::DecodeText(fw::ReadFileBytes(path));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    // Only a line with its line end is whole: a crash may have cut the last one short.
    const size_t end = text.rfind(L'\n');
    if (end == std::wstring::npos) return std::nullopt;
    const std::vector<std::wstring> lines = fw::SplitLines(std::wstring_view(text).substr(0, end + 1));
    if (lines.empty() || lines[0] != kRestoreHeader) return std::nullopt;
    std::vector<RestoreEntry> entries;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto fields = Fields(lines[i]);
        RestoreEntry e;
        if (!fields || fields->size() != 4 || (*fields)[0].empty() || (*fields)[1].empty() ||
            (*fields)[1].find_first_of(L"\\/") != std::wstring::npos || !ParseTime((*fields)[3], e.lastWrite))
            return std::nullopt;
        e.original = (*fields)[0];
        e.name = (*fields)[1];
        wchar_t* stop = nullptr;
        e.size = wcstoull((*fields)[2].c_str(), &stop, 10);
        if ((*fields)[2].empty() || *stop) return std::nullopt;
        entries.push_back(std::move(e));
    }
    return entries;
}

bool RewriteRestoreList(const std::wstring& path, const std::vector<RestoreEntry>& entries) {
    if (entries.empty()) return DeleteFileW(fw::SystemPath(path).c_str()) || !PowerClass::FileExists(path);
    std::wstring text = std::wstring(kRestoreHeader) + L"\n";
    for (const auto& e : entries) text += RecordLine(e) + L"\n";
    try {
        fw::ReplaceFileBytes(path, std::string(fw::kUtf8Bom) + fw::EncodeTextAs(text, true));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

PutBackOutcome PutBack(const std::wstring& folder, const RestoreEntry& entry, const ProtectedFolders& protectedFolders) {
    const std::wstring moved = JoinPath(folder, entry.name);
    if (protectedFolders.Covers(entry.original)) return PutBackOutcome::Protected;
    BY_HANDLE_FILE_INFORMATION info;
    if (!Identify(moved, 0, info)) return PutBackOutcome::Missing;
    const uint64_t size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size != entry.size || LastWriteOf(info) != entry.lastWrite) return PutBackOutcome::Changed;
    if (PowerClass::FileExists(entry.original)) return PutBackOutcome::PlaceTaken;
    const std::wstring place = FolderOf(entry.original);
    if (place.empty() || !fw::CreateFolders(place)) return PutBackOutcome::Failed;
    // Never over a file that has taken the place meanwhile.
    if (MoveFileExW(fw::SystemPath(moved).c_str(), fw::SystemPath(entry.original).c_str(), 0))
        return PutBackOutcome::Done;
    DWORD error = GetLastError();
    if (IsExistsError(error)) return PutBackOutcome::PlaceTaken;
    if (error != ERROR_NOT_SAME_DEVICE) return PutBackOutcome::Failed;
    if (CopyCompareAndDrop(moved, entry.original, [&] { RemoveCopy(moved); }, error)) return PutBackOutcome::Done;
    return IsExistsError(error) ? PutBackOutcome::PlaceTaken : PutBackOutcome::Failed;
}
