#include "varnholt/engine/FileCollection.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "common/PowerClass.h"
#include "framework/Handles.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/SearchSinks.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000ULL;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
// 1971-01-01 00:00 UTC: the first moment whose year is after 1970.
constexpr uint64_t kFirstTimeAfter1970 = (11644473600ULL + 365ULL * 86400ULL) * kTicksPerSecond;
// Beyond this a time cannot be turned into a calendar date.
constexpr uint64_t kLastConvertibleTime = 0x7FFFFFFFFFFFFFFFULL;

constexpr size_t kNameBlockChars = 64 * 1024;

uint64_t Join(DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; }
uint64_t Join(const FILETIME& t) { return Join(t.dwHighDateTime, t.dwLowDateTime); }

int Digit(wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : 0; }

uint64_t Power1024(int k) {
    uint64_t m = 1;
    for (int i = 0; i < k; ++i) m *= 1024;  // wraps like the 64-bit product it stands for
    return m;
}

struct LocalDate {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const LocalDate&) const = default;
};

LocalDate ToLocalDate(int64_t seconds) {
    __time64_t t = seconds;
    struct tm parts {};
    if (_localtime64_s(&parts, &t) != 0) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

}  // namespace

int64_t FileTimeToSeconds(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime / kTicksPerSecond) - kSecondsFrom1601To1970;
}

bool AllYearsAfter1970(const RawFileTimes& times) {
    for (uint64_t t : {times.creation, times.lastAccess, times.lastWrite})
        if (t < kFirstTimeAfter1970 || t > kLastConvertibleTime) return false;
    return true;
}

FileStatus StatusFromEntry(const RawFileTimes& times, uint64_t size, uint32_t attributes) {
    FileStatus s;
    s.modificationTime = FileTimeToSeconds(times.lastWrite);
    s.creationTime = times.creation ? FileTimeToSeconds(times.creation) : s.modificationTime;
    s.accessTime = times.lastAccess ? FileTimeToSeconds(times.lastAccess) : s.modificationTime;
    s.size = size;
    s.attributes = static_cast<uint8_t>(attributes & 0x7F);
    return s;
}

// --- FileCollection ---

FileCollection::FileCollection() = default;

uint32_t FileCollection::AddFolder(std::wstring folder) {
    folders_.push_back(std::move(folder));
    return static_cast<uint32_t>(folders_.size() - 1);
}

FileEntry& FileCollection::Add(int category, uint32_t folder, std::wstring_view name) {
    const size_t length = std::min<size_t>(name.size(), 0xFFFF);
    if (nameBlocks_.empty() || blockUsed_ + length > kNameBlockChars) {
        nameBlocks_.push_back(std::make_unique<wchar_t[]>(std::max(kNameBlockChars, length)));
        blockUsed_ = 0;
    }
    wchar_t* block = nameBlocks_.back().get();
    std::memcpy(block + blockUsed_, name.data(), length * sizeof(wchar_t));
    FileEntry e;
    e.folder = folder;
    e.nameOffset = static_cast<uint32_t>((nameBlocks_.size() - 1) * kNameBlockChars + blockUsed_);
    e.nameLength = static_cast<uint16_t>(length);
    blockUsed_ += length;
    SizeCategoryList& list = lists_[category];
    list.entries.push_back(e);
    ++list.count;
    return list.entries.back();
}

std::wstring_view FileCollection::Name(const FileEntry& e) const {
    const wchar_t* block = nameBlocks_[e.nameOffset / kNameBlockChars].get();
    return {block + e.nameOffset % kNameBlockChars, e.nameLength};
}

std::wstring FileCollection::Path(const FileEntry& e) const {
    const std::wstring& folder = folders_[e.folder];
    const std::wstring_view name = Name(e);
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, L'\\').append(name);
    return path;
}

FileStatus FileCollection::Status(const FileEntry& e) const {
    FileStatus s;
    s.creationTime = e.creationTime;
    s.modificationTime = e.modificationTime;
    s.accessTime = e.accessTime;
    s.size = e.size;
    s.attributes = e.attributes;
    s.fullName = Path(e);
    return s;
}

uint64_t FileCollection::TotalCount() const {
    uint64_t n = 0;
    for (const auto& l : lists_) n += l.count;
    return n;
}

size_t FileCollection::PoolBytes() const {
    size_t n = nameBlocks_.size() * kNameBlockChars * sizeof(wchar_t);
    for (const auto& f : folders_) n += sizeof f + f.capacity() * sizeof(wchar_t);
    return n;
}

// --- filters ---

int ChooseCategory(uint64_t size, const std::array<uint64_t, 6>& bounds) {
    for (int i = 0; i < 6; ++i)
        if (size < bounds[i]) return i;
    return 6;
}

bool PassesExceptions(const std::wstring& path, const std::vector<std::wstring>& exceptions) {
    for (const auto& pattern : exceptions)
        if (PowerClass::MatchWildcard(pattern, path, true)) return false;
    return true;
}

bool PassesFilters(const std::wstring& path, const FileStatus& status, const SearchSettings& settings) {
    auto at = [&](size_t position) { return settings.OptionChar(position); };
    if (at(15) == L'0' && at(18) == L'0' && at(23) == L'0' && at(26) == L'0') return true;
    bool pass = true;
    if (at(15) == L'1') {
        const int64_t limit = static_cast<int64_t>(
            static_cast<uint64_t>(static_cast<int64_t>(settings.sizeFilterValue)) * Power1024(Digit(at(17))));
        const int64_t size = static_cast<int64_t>(status.size);
        if (at(16) == L'0' ? size > limit : size < limit) pass = false;
    }
    if (at(18) == L'1') {
        const uint8_t a = status.attributes;
        const bool readOnly = at(20) == L'1', hidden = at(21) == L'1', archive = at(22) == L'1';
        if (at(19) == L'0') {
            if ((readOnly && !(a & 0x01)) || (hidden && !(a & 0x02)) || (archive && !(a & 0x20))) pass = false;
        } else {
            if ((readOnly && (a & 0x01)) || (hidden && (a & 0x02)) || (archive && (a & 0x20))) pass = false;
        }
    }
    if (at(23) == L'1') {
        const wchar_t which = at(24);
        const int64_t fileTime = which == L'1' ? status.modificationTime
                               : which == L'2' ? status.accessTime
                                               : status.creationTime;
        const LocalDate fileDate = ToLocalDate(fileTime), reference = ToLocalDate(settings.referenceDate);
        if (at(25) == L'0' ? fileDate > reference : fileDate < reference) pass = false;
    }
    if (at(26) == L'1' && !PowerClass::MatchWildcard(settings.namePattern, path, true)) pass = false;
    return pass;
}

bool PassesFilters(const std::wstring& path, const SearchSettings& settings) {
    return PassesFilters(path, PowerClass::GetFileStatusSafe(path), settings);
}

// --- the walk ---

std::wstring FolderIdentity(const std::wstring& folder) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n + 1);
        n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(n && n < full.size() ? n : 0);
    if (full.empty()) full = folder;

    fw::FileHandle h(CreateFileW(full.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (h) {
        std::wstring final(MAX_PATH + 8, L'\0');
        DWORD m = GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()), 0);
        if (m >= final.size()) {
            final.resize(m + 1);
            m = GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()), 0);
        }
        if (m && m < final.size()) {
            final.resize(m);
            if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) final = L"\\" + final.substr(7);
            else if (final.rfind(L"\\\\?\\", 0) == 0) final.erase(0, 4);
            full = final;
        }
    }
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return Upper(full);
}

FileCollector::FileCollector(const SearchSettings& settings, ProgressSink& progress, FileCollection& files,
                             std::vector<std::wstring> folderList)
    : settings_(settings), progress_(progress), files_(files), folderList_(std::move(folderList)) {
    auto at = [&](size_t position) { return settings.OptionChar(position); };
    filtersOn_ = !(at(15) == L'0' && at(18) == L'0' && at(23) == L'0' && at(26) == L'0');
}

void FileCollector::CollectAll(const std::wstring& pathList) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t semi; (semi = pathList.find(L';', start)) != std::wstring::npos; start = semi + 1)
        pieces.push_back(pathList.substr(start, semi - start));
    pieces.push_back(pathList.substr(start));
    // Every root is known before the first walk, so a link into a later root is left to that root.
    for (const auto& piece : pieces)
        if (piece.size() > 4) roots_.push_back(FolderIdentity(piece.substr(0, piece.size() - 4)));
    for (const auto& piece : pieces) CollectFiles(piece);
}

bool FileCollector::IsWithinRoots(const std::wstring& identity) const {
    for (const auto& root : roots_) {
        if (identity.size() < root.size() || identity.compare(0, root.size(), root) != 0) continue;
        if (identity.size() == root.size() || identity[root.size()] == L'\\' || root.back() == L'\\') return true;
    }
    return false;
}

bool FileCollector::Enter(const std::wstring& identity) {
    if (walked_.insert(identity).second) return true;
    ++stats_.foldersSkippedAsSeen;
    return false;
}

void FileCollector::CollectFiles(const std::wstring& pathText) {
    // A piece too short to name a folder would walk the current drive's root.
    if (pathText.size() <= 4) return;
    const std::wstring folder = pathText.substr(0, pathText.size() - 4);
    const std::wstring identity = FolderIdentity(folder);
    if (std::find(roots_.begin(), roots_.end(), identity) == roots_.end()) roots_.push_back(identity);
    if (!Enter(identity)) return;
    Walk(folder, identity);
}

void FileCollector::Walk(const std::wstring& folder, const std::wstring& identity) {
    ++stats_.foldersWalked;
    WIN32_FIND_DATAW fd;
    const std::wstring pattern = folder + L"/*";
    fw::FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    uint32_t folderIndex = UINT32_MAX;
    const bool needFullPath = filtersOn_ || !settings_.exceptions.empty();
    std::wstring full;
    do {
        ++stats_.entriesSeen;
        const wchar_t* name = fd.cFileName;
        const bool dots = IsDots(name);
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots) {
            std::wstring sub = folder + L"\\" + name;
            const int j = progress_.FolderIndex();
            if (j >= 0 && j < progress_.FolderTotal() - 1 && static_cast<size_t>(j) + 1 < folderList_.size() &&
                sub == folderList_[j + 1])
                progress_.SetFolderIndex(j + 1);
            if (progress_.CancelRequested()) continue;
            std::wstring subIdentity = identity + L"\\" + Upper(name);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link: where it leads decides. Into a search path it is left to
                // that path's own walk; elsewhere it is walked once under its name.
                std::wstring target = FolderIdentity(sub);
                if (target != subIdentity) {
                    if (IsWithinRoots(target)) {
                        ++stats_.foldersSkippedAsSeen;
                        continue;
                    }
                    subIdentity = std::move(target);
                }
            }
            if (!Enter(subIdentity)) continue;
            Walk(sub, subIdentity);
            continue;
        }
        const size_t nameLength = wcslen(name);
        progress_.SetCurrentText(std::wstring(name, nameLength));
        progress_.Tick();
        if (nameLength == 0 || name[nameLength - 1] == L'.') continue;

        const RawFileTimes times{Join(fd.ftCreationTime), Join(fd.ftLastAccessTime), Join(fd.ftLastWriteTime)};
        const uint64_t size = Join(fd.nFileSizeHigh, fd.nFileSizeLow);
        const FileStatus status = StatusFromEntry(times, size, fd.dwFileAttributes);
        if (needFullPath) {
            full.assign(folder).append(1, L'\\').append(name, nameLength);
            if (!PassesExceptions(full, settings_.exceptions)) continue;
            if (filtersOn_ && !PassesFilters(full, status, settings_)) continue;
        }
        if (!AllYearsAfter1970(times)) continue;

        if (folderIndex == UINT32_MAX) folderIndex = files_.AddFolder(folder);
        FileEntry& e = files_.Add(ChooseCategory(size, settings_.categoryBounds), folderIndex,
                                  std::wstring_view(name, nameLength));
        e.attributes = status.attributes;
        e.size = status.size;
        e.creationTime = status.creationTime;
        e.modificationTime = status.modificationTime;
        e.accessTime = status.accessTime;
    } while (FindNextFileW(find.get(), &fd));
}
