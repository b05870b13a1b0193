#include "varnholt/engine/FolderListings.h"

#include <algorithm>
#include <cstddef>
#include <cwchar>

#include "common/FileLinks.h"
#include "framework/Paths.h"

namespace {

// Listings made ahead and not yet taken: enough to keep the helpers a folder
// or two ahead in wide folders, few enough that their handles and memory stay small.
constexpr size_t kMostReady = 64;
constexpr DWORD kBlockBytes = 64 * 1024;

}  // namespace

bool FolderListing::Open(const std::wstring& folder) {
    handle = fw::FileHandle(CreateFileW(fw::SystemPath(folder).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(handle);
}

void FolderListing::Read(uint8_t* buffer, DWORD size) {
    listed = true;
    for (auto query = FileIdBothDirectoryRestartInfo; GetFileInformationByHandleEx(handle.get(), query, buffer, size);
         query = FileIdBothDirectoryInfo) {
        // Only the bytes the chain uses are kept, each chain where its records may be read in place.
        size_t used = 0;
        for (size_t offset = 0;;) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + offset);
            used = std::max<size_t>(used, offset + offsetof(FILE_ID_BOTH_DIR_INFO, FileName) + entry.FileNameLength);
            if (entry.NextEntryOffset == 0) break;
            offset += entry.NextEntryOffset;
        }
        const size_t start = (records.size() + 7) & ~size_t(7);
        records.resize(start + used);
        std::copy(buffer, buffer + used, records.begin() + static_cast<std::ptrdiff_t>(start));
        blocks.push_back(start);
    }
    endError = GetLastError();
}

// Wine reads every directory of a process under one lock: listings made on
// helper threads only wait for each other there, and slow the walk down.
bool ListingsSideBySide() { return !RunsUnderWine(); }

ListingsAhead::ListingsAhead(size_t threads, bool wantFinalPaths, bool listInHelpers)
    : wantFinalPaths_(wantFinalPaths), listInHelpers_(listInHelpers) {
    for (size_t i = 0; i < threads; ++i) helpers_.emplace_back([this] { Help(); });
}

ListingsAhead::~ListingsAhead() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    work_.notify_all();
    for (auto& helper : helpers_) helper.join();
}

ListingsAhead::Ticket ListingsAhead::Ask(const std::vector<std::wstring>& folders) {
    const Ticket first = next_;
    {
        std::lock_guard lock(mutex_);
        for (const auto& folder : folders) jobs_[next_++].folder = folder;
        for (Ticket t = next_; t-- > first;) queue_.push_front(t);
    }
    if (!folders.empty()) work_.notify_all();
    return first;
}

std::unique_ptr<FolderListing> ListingsAhead::Take(Ticket ticket) {
    std::unique_lock lock(mutex_);
    const auto it = jobs_.find(ticket);
    if (it == jobs_.end()) return nullptr;
    if (it->second.state == Job::State::Waiting) {
        jobs_.erase(it);  // a helper meeting its ticket passes it over
        return nullptr;
    }
    done_.wait(lock, [&] { return it->second.state == Job::State::Done; });
    std::unique_ptr<FolderListing> listing = std::move(it->second.listing);
    jobs_.erase(it);
    --ready_;
    lock.unlock();
    work_.notify_one();
    return listing;
}

void ListingsAhead::Drop(Ticket first, Ticket end) {
    size_t freed = 0;
    {
        std::lock_guard lock(mutex_);
        for (Ticket t = first; t < end; ++t) {
            const auto it = jobs_.find(t);
            if (it == jobs_.end()) continue;
            if (it->second.state == Job::State::Working) {
                it->second.dropped = true;  // its helper lets it go
            } else {
                if (it->second.state == Job::State::Done) --ready_, ++freed;
                jobs_.erase(it);
            }
        }
    }
    if (freed) work_.notify_all();
}

void ListingsAhead::Help() {
    std::vector<uint8_t> buffer(kBlockBytes);
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [&] { return stop_ || (!queue_.empty() && ready_ < kMostReady); });
        if (stop_) return;
        const Ticket ticket = queue_.front();
        queue_.pop_front();
        const auto it = jobs_.find(ticket);
        if (it == jobs_.end() || it->second.state != Job::State::Waiting) continue;
        it->second.state = Job::State::Working;
        ++ready_;
        const std::wstring folder = it->second.folder;
        lock.unlock();

        auto listing = std::make_unique<FolderListing>();
        if (listing->Open(folder)) {
            if (wantFinalPaths_) listing->finalPath = FinalPathOf(listing->handle.get());
            if (listInHelpers_) listing->Read(buffer.data(), kBlockBytes);
        }

        lock.lock();
        // The map's nodes stay where they are while others come and go.
        Job& job = jobs_.at(ticket);
        if (job.dropped) {
            jobs_.erase(ticket);
            --ready_;
            continue;  // its handle closes as `listing` goes
        }
        job.listing = std::move(listing);
        job.state = Job::State::Done;
        done_.notify_all();
    }
}

size_t WalkHelpers() {
    // Benchmarks set the number, 0 for the walk alone.
    wchar_t given[8];
    if (const DWORD n = GetEnvironmentVariableW(L"VARNHOLT_WALK_HELPERS", given, 8); n > 0 && n < 8)
        return std::min<size_t>(wcstoul(given, nullptr, 10), 16);
    // Under Wine neither listing nor opening folders ahead measured faster
    // than the walk alone: there it stays alone.
    if (!ListingsSideBySide()) return 0;
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp<size_t>(cores, 1, 4);
}
