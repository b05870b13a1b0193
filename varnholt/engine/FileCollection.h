#pragma once
// The walk over the chosen folders into seven size-category lists.
//
// Entries are kept compact (a folder index and a pooled name instead of a full
// path per file): whole disks hold millions of files, and the 32-bit program
// must hold them all at once.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/FileStatus.h"
#include "varnholt/engine/FolderListings.h"
#include "varnholt/engine/SearchSinks.h"

struct SearchSettings;
class ProgressSink;

constexpr int kCategoryCount = 7;

// Times as the directory entry holds them, in 100-ns units since 1601 (UTC).
struct RawFileTimes {
    uint64_t creation = 0;
    uint64_t lastAccess = 0;
    uint64_t lastWrite = 0;
};

// Seconds since 1970 (whole seconds, truncated) of a 100-ns time since 1601.
int64_t FileTimeToSeconds(uint64_t fileTime);
// True when every year of the three times, as calendar dates in universal time, is after 1970.
bool AllYearsAfter1970(const RawFileTimes& times);
// The status the search keeps of a directory entry: creation and last access
// fall back to the last write when the file system gives none.
FileStatus StatusFromEntry(const RawFileTimes& times, uint64_t size, uint32_t attributes);

// One collected file.
struct FileEntry {
    uint32_t folder = 0;       // index into FileCollection's folder table
    uint32_t nameOffset = 0;   // into the name pool
    uint16_t nameLength = 0;
    uint8_t attributes = 0;
    uint64_t size = 0;
    int64_t creationTime = 0;
    int64_t modificationTime = 0;
    int64_t accessTime = 0;
    uint64_t fileId = 0;       // from the listing; 0 when the file system gives none
    uint64_t lastWrite = 0;    // 100-ns units since 1601, as the listing gives them
    uint64_t changeTime = 0;
};

// A file on one volume: two names of one file share it.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t id = 0;
    bool Known() const { return id != 0; }
    bool operator==(const FileIdentity&) const = default;
};

struct SizeCategoryList {
    std::deque<FileEntry> entries;  // in walk order
    uint64_t count = 0;
};

// The files of one search: folder table, name pool and the seven lists.
class FileCollection {
public:
    FileCollection();

    // `volume` and `finalPath` serve file identities and link checks; a folder
    // added without them gives its files no identity and no check.
    uint32_t AddFolder(std::wstring folder, uint64_t volume = 0, std::wstring finalPath = {});
    // Appends a file to category `category` (0-based) and returns it.
    FileEntry& Add(int category, uint32_t folder, std::wstring_view name);

    std::wstring_view Name(const FileEntry& e) const;
    const std::wstring& Folder(const FileEntry& e) const { return folders_[e.folder].path; }
    std::wstring Path(const FileEntry& e) const;
    FileStatus Status(const FileEntry& e) const;
    FileIdentity Identity(const FileEntry& e) const;
    FileFacts Facts(const FileEntry& e) const;
    // Where the file system puts the file the listing showed, when the walk
    // recorded its folder's final path (see FileLinksUnmarked); else empty.
    std::wstring ListedAt(const FileEntry& e) const;
    // The same into `path`, whose room is used again: no allocation per file.
    void ListedAt(const FileEntry& e, std::wstring& path) const;

    std::array<SizeCategoryList, kCategoryCount>& Lists() { return lists_; }
    const std::array<SizeCategoryList, kCategoryCount>& Lists() const { return lists_; }
    uint64_t TotalCount() const;
    // Bytes held by the folder table and name pool (for the memory figures).
    size_t PoolBytes() const;

private:
    struct FolderRecord {
        std::wstring path;
        uint64_t volume = 0;
        std::wstring finalPath;
    };
    std::vector<FolderRecord> folders_;
    // Names in fixed blocks, so that growing never copies or doubles the pool.
    std::vector<std::unique_ptr<wchar_t[]>> nameBlocks_;
    size_t blockUsed_ = 0;
    std::array<SizeCategoryList, kCategoryCount> lists_;
};

// 0-based category of a size by the bounds: the first bound the size is below,
// else the last category. Bounds are taken in their stored order.
int ChooseCategory(uint64_t size, const std::array<uint64_t, 6>& bounds);

bool PassesExceptions(const std::wstring& path, const std::vector<std::wstring>& exceptions);

// The exception list prepared once for a walk; the same matches as
// PassesExceptions. Patterns upper-cased once; a pattern that is "*" and a
// plain text (with another "*" at the end or not) is a test of the path's end
// (or of the text anywhere in it), where the shell's matcher tries every
// position of the path for each "*".
class ExceptionPatterns {
public:
    explicit ExceptionPatterns(const std::vector<std::wstring>& patterns);
    bool Empty() const { return patterns_.empty(); }
    bool Passes(const std::wstring& path) const;

private:
    struct Pattern {
        enum class Kind { EndsWith, Contains, Other } kind;
        std::wstring text;  // upper case; without the stars for EndsWith and Contains
    };
    std::vector<Pattern> patterns_;
    mutable std::wstring path_;  // reused between calls
};
// The filters of the options text on a file whose status is known.
bool PassesFilters(const std::wstring& path, const FileStatus& status, const SearchSettings& settings);
// The same, reading the status from the file system.
bool PassesFilters(const std::wstring& path, const SearchSettings& settings);

struct CollectionStats {
    uint64_t entriesSeen = 0;
    uint64_t foldersWalked = 0;
    uint64_t foldersSkippedAsSeen = 0;
    // Folders that could not be opened or listed: their files are not in the search.
    std::vector<std::wstring> unreadableFolders;
};

// Walks the search paths depth-first in the order the file system returns the
// entries. Folders are known by their identity (volume and file id), never by
// their path text: a folder reached a second time (named twice in the path
// list, below another search path, through a link) is walked once, and two
// folders whose names differ only in case are two folders. Files that are
// links (reparse points) are not collected: acting on them acts on another file.
class FileCollector {
public:
    // `helpers`: threads that list folders ahead of the walk (0: none); the
    // results are the same with any number.
    FileCollector(const SearchSettings& settings, ProgressSink& progress, FileCollection& files,
                  std::vector<std::wstring> folderList = {}, size_t helpers = WalkHelpers());
    ~FileCollector();
    // Every folder of a path list (see SearchFolders), from left to right.
    void CollectAll(const std::wstring& pathList);
    // One search folder.
    void CollectFolder(const std::wstring& folder);
    const CollectionStats& Stats() const { return stats_; }

private:
    struct OpenFolder;
    void Walk(const std::wstring& folder, OpenFolder& opened);
    bool Enter(const OpenFolder& opened);
    bool IsWithinRoots(const std::wstring& finalPath) const;
    std::wstring FinalPathBelow(const OpenFolder& parent, std::wstring_view name, uint64_t id) const;
    void AddRoot(const std::wstring& folder);

    const SearchSettings& settings_;
    ProgressSink& progress_;
    FileCollection& files_;
    std::vector<std::wstring> folderList_;
    std::unordered_set<std::wstring> walked_;   // identities of walked folders
    std::vector<std::wstring> roots_;           // final paths of the search paths so far
    std::unique_ptr<uint8_t[]> buffer_;  // for the listings the walk reads itself
    std::unique_ptr<ListingsAhead> ahead_;
    ExceptionPatterns exceptions_;
    bool filtersOn_ = false;
    bool recordFinalPaths_ = false;
    std::vector<uint64_t> driveRootIds_;  // where final paths are recorded
    CollectionStats stats_;
};


