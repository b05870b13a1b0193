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
};

struct SizeCategoryList {
    std::deque<FileEntry> entries;  // in walk order
    uint64_t count = 0;
};

// The files of one search: folder table, name pool and the seven lists.
class FileCollection {
public:
    FileCollection();

    uint32_t AddFolder(std::wstring folder);
    // Appends a file to category `category` (0-based) and returns it.
    FileEntry& Add(int category, uint32_t folder, std::wstring_view name);

    std::wstring_view Name(const FileEntry& e) const;
    const std::wstring& Folder(const FileEntry& e) const { return folders_[e.folder]; }
    std::wstring Path(const FileEntry& e) const;
    FileStatus Status(const FileEntry& e) const;

    std::array<SizeCategoryList, kCategoryCount>& Lists() { return lists_; }
    const std::array<SizeCategoryList, kCategoryCount>& Lists() const { return lists_; }
    uint64_t TotalCount() const;
    // Bytes held by the folder table and name pool (for the memory figures).
    size_t PoolBytes() const;

private:
    std::vector<std::wstring> folders_;
    // Names in fixed blocks, so that growing never copies or doubles the pool.
    std::vector<std::unique_ptr<wchar_t[]>> nameBlocks_;
    size_t blockUsed_ = 0;
    std::array<SizeCategoryList, kCategoryCount> lists_;
};

// 0-based category of a size by the bounds: the first bound the size is below,
// else the last category. Bounds are taken in their stored order.
int ChooseCategory(uint64_t size, const std::array<uint64_t, 6>& bounds);

bool PassesExceptions(const std::wstring& path, const std::vector<std::wstring>& exceptions);
// The filters of the options text on a file whose status is known.
bool PassesFilters(const std::wstring& path, const FileStatus& status, const SearchSettings& settings);
// The same, reading the status from the file system.
bool PassesFilters(const std::wstring& path, const SearchSettings& settings);

struct CollectionStats {
    uint64_t entriesSeen = 0;
    uint64_t foldersWalked = 0;
    uint64_t foldersSkippedAsSeen = 0;
};

// Walks the search paths depth-first in the order the file system returns the
// entries. A folder reached a second time (named twice in the path list, or by
// a link) is walked once, so no file is collected twice.
class FileCollector {
public:
    FileCollector(const SearchSettings& settings, ProgressSink& progress, FileCollection& files,
                  std::vector<std::wstring> folderList = {});
    // Every entry of a path list ("folder\..." joined by ";"), from left to right.
    void CollectAll(const std::wstring& pathList);
    // One search path: the folder followed by four characters that are dropped.
    void CollectFiles(const std::wstring& pathText);
    const CollectionStats& Stats() const { return stats_; }

private:
    void Walk(const std::wstring& folder, const std::wstring& identity);
    bool Enter(const std::wstring& identity);
    bool IsWithinRoots(const std::wstring& identity) const;

    const SearchSettings& settings_;
    ProgressSink& progress_;
    FileCollection& files_;
    std::vector<std::wstring> folderList_;
    std::unordered_set<std::wstring> walked_;   // upper-case identities of walked folders
    std::vector<std::wstring> roots_;           // identities of the search paths so far
    bool filtersOn_ = false;
    CollectionStats stats_;
};

// The folder's identity: its full path with links resolved, upper case.
std::wstring FolderIdentity(const std::wstring& folder);
