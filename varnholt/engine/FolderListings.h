#pragma once
// Folders opened and listed ahead of the walk by helper threads. The walk stays
// on one thread and keeps its order; it finds most listings ready, made while
// it took the files of the folders before them. Listing a folder is a round of
// requests to the file system, each waiting on it; the walk only reads what
// they returned.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "framework/Handles.h"

// Whether listings of one process run side by side; not under Wine, which
// reads every directory of a process under one lock.
bool ListingsSideBySide();

// One folder opened for listing, and all of its listing.
struct FolderListing {
    fw::FileHandle handle;
    std::vector<uint8_t> records;  // FILE_ID_BOTH_DIR_INFO chains, one per block read
    std::vector<size_t> blocks;    // where each chain starts
    DWORD endError = 0;            // ERROR_NO_MORE_FILES: read to its end
    bool listed = false;
    std::wstring finalPath;        // where it was asked for

    // Opens `folder` (links followed); false when it cannot be opened.
    bool Open(const std::wstring& folder);
    // Reads the whole listing through `buffer`.
    void Read(uint8_t* buffer, DWORD size);
    // Calls `each(entry)` for every entry in the file system's order.
    template <typename Each>
    void ForEach(Each each) const {
        for (size_t start : blocks)
            for (size_t offset = start;;) {
                const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(records.data() + offset);
                each(entry);
                if (entry.NextEntryOffset == 0) break;
                offset += entry.NextEntryOffset;
            }
    }
};

class ListingsAhead {
public:
    using Ticket = uint64_t;
    // `threads` helpers; `wantFinalPaths`: each listing also says where its
    // folder really is; `listInHelpers`: the helpers list the folders too.
    ListingsAhead(size_t threads, bool wantFinalPaths, bool listInHelpers = ListingsSideBySide());
    ~ListingsAhead();
    ListingsAhead(const ListingsAhead&) = delete;
    ListingsAhead& operator=(const ListingsAhead&) = delete;

    // Asks for these folders, in this order and before anything asked for
    // earlier: the walk needs the deepest first. The first one's ticket; the others' follow it.
    Ticket Ask(const std::vector<std::wstring>& folders);
    // The ticket's folder as a helper opened it (and, where listings run side
    // by side, listed it), waited for while it is being made. Nothing when no helper has taken it up yet: it is
    // withdrawn, and the walk opens and lists the folder itself.
    std::unique_ptr<FolderListing> Take(Ticket ticket);
    // Withdraws the tickets from `first` to before `end` that were not taken.
    void Drop(Ticket first, Ticket end);

private:
    struct Job {
        std::wstring folder;
        enum class State { Waiting, Working, Done } state = State::Waiting;
        bool dropped = false;
        std::unique_ptr<FolderListing> listing;
    };
    void Help();

    const bool wantFinalPaths_;
    const bool listInHelpers_;
    std::mutex mutex_;
    std::condition_variable work_, done_;
    std::deque<Ticket> queue_;
    std::unordered_map<Ticket, Job> jobs_;
    Ticket next_ = 1;
    size_t ready_ = 0;     // listings made and not yet taken, with those being made
    bool stop_ = false;
    std::vector<std::thread> helpers_;
};

// Helpers for a walk on this machine: one per core, at most a handful; none
// where listings cannot run side by side.
size_t WalkHelpers();
