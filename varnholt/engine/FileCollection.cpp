#include "varnholt/engine/FileCollection.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "framework/Handles.h"
#include "framework/Paths.h"
#include "varnholt/engine/SearchPaths.h"
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

bool IsDots(std::wstring_view name) { return name == L"." || name == L".."; }

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

uint32_t FileCollection::AddFolder(std::wstring folder, uint64_t volume, std::wstring finalPath) {
    folders_.push_back({std::move(folder), volume, std::move(finalPath)});
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

std::wstring FileCollection::Path(const FileEntry& e) const { return JoinPath(folders_[e.folder].path, Name(e)); }

FileIdentity FileCollection::Identity(const FileEntry& e) const { return {folders_[e.folder].volume, e.fileId}; }

FileFacts FileCollection::Facts(const FileEntry& e) const {
    return {e.size, e.lastWrite, folders_[e.folder].volume, e.fileId};
}

std::wstring FileCollection::ListedAt(const FileEntry& e) const {
    std::wstring path;
    ListedAt(e, path);
    return path;
}

void FileCollection::ListedAt(const FileEntry& e, std::wstring& path) const {
    const std::wstring& finalPath = folders_[e.folder].finalPath;
    path.assign(finalPath);
    if (path.empty()) return;
    if (path.back() != L'\\') path.push_back(L'\\');
    path.append(Name(e));
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
    for (const auto& f : folders_) n += sizeof f + (f.path.capacity() + f.finalPath.capacity()) * sizeof(wchar_t);
    return n;
}

// --- filters ---

int ChooseCategory(uint64_t size, const std::array<uint64_t, 6>& bounds) {
    for (int i = 0; i < 6; ++i)
        if (size < bounds[i]) return i;
    return 6;
}

bool PassesExceptions(const std::wstring& path, const std::vector<std::wstring>& exceptions) {
    return ExceptionPatterns(exceptions).Passes(path);
}

ExceptionPatterns::ExceptionPatterns(const std::vector<std::wstring>& patterns) {
    for (std::wstring text : patterns) {
        if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
        // The options store a file or folder below a drive as "C:\\..."; paths have one backslash there.
        if (text.size() > 3 && text[1] == L':' && text[2] == L'\\' && text[3] == L'\\') text.erase(2, 1);
        // ";" (several patterns in one), leading spaces and "*.*" (everything) have meanings of their own.
        const bool plain = text.size() >= 2 && text[0] == L'*' && text != L"*.*" &&
                           text.find_first_of(L"?;", 1) == std::wstring::npos;
        const size_t star = plain ? text.find(L'*', 1) : 0;
        if (plain && star == std::wstring::npos)
            patterns_.push_back({Pattern::Kind::EndsWith, text.substr(1)});
        else if (plain && star == text.size() - 1 && star > 1)
            patterns_.push_back({Pattern::Kind::Contains, text.substr(1, star - 1)});
        else
            patterns_.push_back({Pattern::Kind::Other, std::move(text)});
    }
}

bool ExceptionPatterns::Passes(const std::wstring& path) const {
    if (patterns_.empty()) return true;
    // As MatchWildcard ignoring case: both texts upper-cased, then matched.
    path_ = path;
    if (!path_.empty()) CharUpperBuffW(path_.data(), static_cast<DWORD>(path_.size()));
    const std::wstring_view upper(path_);
    for (const Pattern& p : patterns_) {
        const bool match = p.kind == Pattern::Kind::EndsWith ? upper.ends_with(p.text)
                           : p.kind == Pattern::Kind::Contains
                               ? upper.find(p.text) != std::wstring_view::npos
                               : PowerClass::MatchPatternsUpper(upper, p.text);
        if (match) return false;
    }
    return true;
}

bool PassesFilters(const std::wstring& path, const FileStatus& status, const SearchSettings& settings) {
    auto at = [&](size_t position) { return settings.OptionChar(position); };
    if (at(15) == L'0' && at(18) == L'0' && at(23) == L'0' && at(26) == L'0') return true;
    bool pass = true;
    if (at(15) == L'1') {
        const int64_t limit = static_cast<int64_t>(
            static_cast<uint64_t>(static_cast<int64_t>(settings.sizeFilterValue)) * Power1024(settings.SizeUnitAt(17)));
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

namespace {

// A folder's identity as text: volume and file id where the file system gives
// an id, else its final path (exact case).
std::wstring IdentityText(uint64_t volume, uint64_t id, const std::wstring& finalPath) {
    if (id == 0) return L"P" + finalPath;
    wchar_t text[48];
    swprintf(text, 48, L"V%llx:%llx", static_cast<unsigned long long>(volume), static_cast<unsigned long long>(id));
    return text;
}

// The walk's listing buffer: large enough for many entries at a time.
constexpr size_t kListingBytes = 64 * 1024;

// The ids of the drives' root folders. Under Wine a folder's final path names
// the deepest drive mapped onto it or above it: a folder that is some drive's
// root is named from that drive, not from the path it was reached by.
std::vector<uint64_t> DriveRootIds() {
    std::vector<uint64_t> ids;
    const DWORD drives = GetLogicalDrives();
    for (int d = 0; d < 26; ++d) {
        if (!(drives & (1u << d))) continue;
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + d), L':', L'\\', 0};
        const fw::FileHandle h(CreateFileW(root, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (h && GetFileInformationByHandle(h.get(), &info))
            ids.push_back((uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
    }
    return ids;
}

}  // namespace

// A folder opened for listing (links followed) and known by its identity.
struct FileCollector::OpenFolder {
    FolderListing listing;  // with the handle
    uint64_t volume = 0;
    std::wstring identity;
    std::wstring finalPath;  // where needed: roots, links, unmarked file links, folders without ids

    bool Open(const std::wstring& folder) { return listing.Open(folder); }
    // A folder a helper opened (and listed) already.
    bool Adopt(FolderListing&& ready) {
        listing = std::move(ready);
        return static_cast<bool>(listing.handle);
    }
    // The identity as its parent's listing gave it. A walk enters another volume
    // only through a reparse point (a mount point, a junction, a link), so a
    // plain sub-folder is on its parent's volume; asking each folder for its
    // volume would cost a round trip to the volume's driver per folder. So
    // would its final path, where the caller knows it (`knownFinalPath`).
    void Identify(const std::wstring& folder, uint64_t parentVolume, uint64_t id, bool wantFinalPath,
                  std::wstring knownFinalPath) {
        volume = parentVolume;
        if (!knownFinalPath.empty()) finalPath = std::move(knownFinalPath);
        else if (wantFinalPath || id == 0) Resolve(folder);
        identity = IdentityText(volume, id, finalPath);
    }
    // The identity as the open folder tells it: search paths and links.
    void Identify(const std::wstring& folder) {
        BY_HANDLE_FILE_INFORMATION info{};
        uint64_t id = 0;
        if (GetFileInformationByHandle(listing.handle.get(), &info)) {
            volume = info.dwVolumeSerialNumber;
            id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        }
        Resolve(folder);
        identity = IdentityText(volume, id, finalPath);
    }

private:
    void Resolve(const std::wstring& folder) {
        finalPath = listing.finalPath.empty() ? FinalPathOf(listing.handle.get()) : listing.finalPath;
        if (finalPath.empty()) finalPath = folder;
    }
};

FileCollector::FileCollector(const SearchSettings& settings, ProgressSink& progress, FileCollection& files,
                             std::vector<std::wstring> folderList, size_t helpers)
    : settings_(settings),
      progress_(progress),
      files_(files),
      folderList_(std::move(folderList)),
      exceptions_(settings.exceptions),
      recordFinalPaths_(FileLinksUnmarked()) {
    auto at = [&](size_t position) { return settings.OptionChar(position); };
    filtersOn_ = !(at(15) == L'0' && at(18) == L'0' && at(23) == L'0' && at(26) == L'0');
    if (helpers > 0) ahead_ = std::make_unique<ListingsAhead>(helpers, recordFinalPaths_);
    if (recordFinalPaths_) driveRootIds_ = DriveRootIds();
}

FileCollector::~FileCollector() = default;

void FileCollector::AddRoot(const std::wstring& folder) {
    OpenFolder root;
    if (!root.Open(folder)) return;
    root.Identify(folder);
    if (std::find(roots_.begin(), roots_.end(), root.finalPath) == roots_.end()) roots_.push_back(root.finalPath);
}

void FileCollector::CollectAll(const std::wstring& pathList) {
    const std::vector<std::wstring> folders = SearchFolders(pathList);
    // Every root is known before the first walk, so a link into a later root is left to that root.
    for (const auto& folder : folders) AddRoot(folder);
    for (const auto& folder : folders) CollectFolder(folder);
}

bool FileCollector::IsWithinRoots(const std::wstring& finalPath) const {
    for (const auto& root : roots_) {
        if (finalPath.size() < root.size() || finalPath.compare(0, root.size(), root) != 0) continue;
        if (finalPath.size() == root.size() || finalPath[root.size()] == L'\\' || root.back() == L'\\') return true;
    }
    return false;
}

// A plain sub-folder's final path is its parent's and its name, known without
// asking, except where a drive is mapped onto the folder or its name is one
// Wine made up (with a "~") for a name Windows cannot show: empty, so asked.
std::wstring FileCollector::FinalPathBelow(const OpenFolder& parent, std::wstring_view name, uint64_t id) const {
    if (parent.finalPath.empty() || id == 0 || name.find(L'~') != std::wstring_view::npos ||
        std::find(driveRootIds_.begin(), driveRootIds_.end(), id) != driveRootIds_.end())
        return {};
    return JoinPath(parent.finalPath, name);
}

bool FileCollector::Enter(const OpenFolder& opened) {
    if (walked_.insert(opened.identity).second) return true;
    ++stats_.foldersSkippedAsSeen;
    return false;
}

void FileCollector::CollectFolder(const std::wstring& folder) {
    OpenFolder opened;
    if (!opened.Open(folder)) return stats_.unreadableFolders.push_back(folder);
    opened.Identify(folder);
    if (std::find(roots_.begin(), roots_.end(), opened.finalPath) == roots_.end()) roots_.push_back(opened.finalPath);
    if (!Enter(opened)) return;
    Walk(folder, opened);
}

void FileCollector::Walk(const std::wstring& folder, OpenFolder& opened) {
    ++stats_.foldersWalked;
    FolderListing& listing = opened.listing;
    if (!listing.listed) {
        if (!buffer_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kListingBytes);
        listing.Read(buffer_.get(), kListingBytes);
    }
    // The plain sub-folders are listed ahead while this folder's files are taken;
    // links are opened here, where their identity is asked for anyway.
    ListingsAhead::Ticket next = 0, end = 0;
    if (ahead_) {
        std::vector<std::wstring> subs;
        listing.ForEach([&](const FILE_ID_BOTH_DIR_INFO& entry) {
            const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
            if ((entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                !IsDots(name))
                subs.push_back(JoinPath(folder, name));
        });
        next = ahead_->Ask(subs);
        end = next + subs.size();
    }
    const ListingsAhead::Ticket first = next;

    uint32_t folderIndex = UINT32_MAX;
    const bool needFullPath = filtersOn_ || !exceptions_.Empty();
    std::wstring full;
    listing.ForEach([&](const FILE_ID_BOTH_DIR_INFO& entry) {
        const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
        ++stats_.entriesSeen;
        const bool isFolder = entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        const bool isLink = entry.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if (isFolder && !IsDots(name)) {
            const std::wstring sub = JoinPath(folder, name);
            const ListingsAhead::Ticket ticket = ahead_ && !isLink ? next++ : 0;
            const int j = progress_.FolderIndex();
            if (j >= 0 && j < progress_.FolderTotal() - 1 && static_cast<size_t>(j) + 1 < folderList_.size() &&
                sub == folderList_[j + 1])
                progress_.SetFolderIndex(j + 1);
            OpenFolder child;
            if (!progress_.CancelRequested()) {
                const std::unique_ptr<FolderListing> ready = ticket ? ahead_->Take(ticket) : nullptr;
                if (!(ready ? child.Adopt(std::move(*ready)) : child.Open(sub))) {
                    stats_.unreadableFolders.push_back(sub);
                } else {
                    const uint64_t id = static_cast<uint64_t>(entry.FileId.QuadPart);
                    if (isLink) child.Identify(sub);
                    else child.Identify(sub, opened.volume, id, recordFinalPaths_,
                                        recordFinalPaths_ ? FinalPathBelow(opened, name, id) : std::wstring());
                    // Where a link leads decides. Into a search path it is left to
                    // that path's own walk, which names the files by their real folders.
                    if (isLink && IsWithinRoots(child.finalPath)) ++stats_.foldersSkippedAsSeen;
                    else if (Enter(child)) Walk(sub, child);
                }
            }
        } else {
            // Files, and "." and ".." too, are steps of the progress.
            progress_.SetCurrentText(name);
            progress_.SetFigures({files_.TotalCount()});
            progress_.Tick();
            if (!isFolder && !isLink && !name.empty()) {
                const RawFileTimes times{static_cast<uint64_t>(entry.CreationTime.QuadPart),
                                         static_cast<uint64_t>(entry.LastAccessTime.QuadPart),
                                         static_cast<uint64_t>(entry.LastWriteTime.QuadPart)};
                const uint64_t size = static_cast<uint64_t>(entry.EndOfFile.QuadPart);
                const FileStatus status = StatusFromEntry(times, size, entry.FileAttributes);
                bool pass = true;
                if (needFullPath) {
                    full = JoinPath(folder, name);
                    pass = exceptions_.Passes(full) && (!filtersOn_ || PassesFilters(full, status, settings_));
                }
                if (pass && AllYearsAfter1970(times)) {
                    if (folderIndex == UINT32_MAX)
                        folderIndex = files_.AddFolder(folder, opened.volume,
                                                       recordFinalPaths_ ? opened.finalPath : std::wstring());
                    FileEntry& e = files_.Add(ChooseCategory(size, settings_.categoryBounds), folderIndex, name);
                    e.attributes = status.attributes;
                    e.size = status.size;
                    e.creationTime = status.creationTime;
                    e.modificationTime = status.modificationTime;
                    e.accessTime = status.accessTime;
                    e.fileId = static_cast<uint64_t>(entry.FileId.QuadPart);
                    e.lastWrite = times.lastWrite;
                    e.changeTime = static_cast<uint64_t>(entry.ChangeTime.QuadPart);
                }
            }
        }
    });
    // What was listed ahead and not walked (Cancel, a folder seen before) goes.
    if (ahead_) ahead_->Drop(first, end);
    // A listing that ended on anything but its end left files out.
    if (listing.endError != ERROR_NO_MORE_FILES) stats_.unreadableFolders.push_back(folder);
}
