#pragma once
// Moving a user's files into the folder for duplicate copies and back, so that
// nothing is ever lost: no file is replaced, a move across volumes removes the
// source only once its copy holds the same bytes, and every move is written
// into a restore list before its source goes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "varnholt/engine/SearchSinks.h"

class ProtectedFolders;

// Whether the file at `path` is still the one the search saw: same size, same
// last-write time and, where the file system gives ids, the same file.
bool IsAsSearched(const std::wstring& path, const FileFacts& facts);

// Whether both files can be read and hold the same bytes.
bool HoldSameBytes(const std::wstring& a, const std::wstring& b);

// Called with the name the file gets in the folder, before its source goes;
// false keeps the file where it is.
using BeforeSourceGoes = std::function<bool(const std::wstring& name)>;

// Moves a file into a folder (made when missing) under its own name, or under a
// free name such as "name (2).ext" when that is taken. Within one volume it is
// a rename; across volumes the copy's bytes are compared with the source before
// the source goes to the recycle bin. False when the file stayed where it was.
bool MoveIntoFolder(const std::wstring& source, const std::wstring& folder, const BeforeSourceGoes& before = {});

enum class LinkOutcome { Done, OtherVolume, NotSupported, ReadOnly, Changed, NotEqual, Failed };
// Replaces `member` by a hard link to `keptCopy`, when both are still as the
// search saw them, on one volume, and byte for byte equal now. The link is made
// under a temporary name beside the member and renamed over it, so the name
// holds the old file or the link at every moment; a failure leaves the member.
LinkOutcome ReplaceByLink(const std::wstring& member, const FileFacts& facts, const std::wstring& keptCopy,
                          const FileFacts& keptFacts);

// One moved file as its restore list holds it.
struct RestoreEntry {
    std::wstring original;  // where it came from
    std::wstring name;      // its name in the list's folder
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // 100-ns units since 1601 (UTC)
};

// The restore list of one run of "Delete all duplicates": a CSV file (UTF-8
// with a byte-order mark) in the folder the files go to, one record a file,
// each written through to the disk before the file's source goes.
class RestoreListWriter {
public:
    // Creates "Varnholt restore list <date> <time>.csv" in `folder`; false when it cannot.
    bool Create(const std::wstring& folder);
    const std::wstring& Path() const { return path_; }
    bool Record(const RestoreEntry& entry);

private:
    fw::FileHandle file_;
    std::wstring path_;
};

// The records of a restore list; a last record cut short (a crash while it was
// written) is not one. Nothing when the file is not a restore list.
std::optional<std::vector<RestoreEntry>> ReadRestoreList(const std::wstring& path);
// The list with these records only, replaced whole; with none, the list goes.
bool RewriteRestoreList(const std::wstring& path, const std::vector<RestoreEntry>& entries);

enum class PutBackOutcome { Done, PlaceTaken, Changed, Missing, Failed, Protected };
// Moves one recorded file from `folder` back to its original path, when that
// path is free and the file is as it was moved.
PutBackOutcome PutBack(const std::wstring& folder, const RestoreEntry& entry, const ProtectedFolders& protectedFolders);
