#include "varnholt/engine/ThreadedSplit.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace {

// Groups compared at once, each on a thread with its own arena. Two keep the
// file service busy while the other thread reads; more only queue for it.
constexpr size_t kCompareThreads = 2;

}  // namespace

void SplitEach(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
               ProgressSink& progress, ReadStats& stats, const std::vector<Group>& groups,
               std::vector<std::vector<Group>>& out, std::vector<char>& finished,
               const std::function<void(size_t)>& showProgress, ContentMemory memory) {
    out.assign(groups.size(), {});
    finished.assign(groups.size(), 0);
    size_t frontier = 0;
    auto reached = [&] {
        size_t at = frontier;
        while (at < groups.size() && finished[at]) ++at;
        return at;
    };
    auto advance = [&](size_t at) {
        if (at == frontier) return;
        frontier = at;
        showProgress(frontier);
    };
    const size_t threadCount = std::min(kCompareThreads, groups.size());
    if (threadCount < 2) {
        // One group: on this thread, pumping messages between its reads.
        ContentComparer comparer(files, list, source, progress, stats, memory);
        for (size_t i = 0; i < groups.size(); ++i) {
            if (!comparer.Split(groups[i], out[i])) return;
            finished[i] = 1;
            advance(reached());
        }
        return;
    }

    struct Shared {
        SRWLOCK lock = SRWLOCK_INIT;
        CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
        std::atomic<size_t> next{0};
        std::atomic<bool> stop{false};
        std::exception_ptr failure;
        std::vector<ReadStats> stats;
        std::vector<std::vector<LearnedContent>> learned;
    } shared;
    shared.stats.resize(threadCount);
    shared.learned.resize(threadCount);
    auto work = [&](size_t self) {
        try {
            ContentMemory own{memory.known, memory.learned ? &shared.learned[self] : nullptr};
            ContentComparer comparer(files, list, source, [&] { return !shared.stop.load(); }, shared.stats[self], own);
            for (size_t i; !shared.stop.load() && (i = shared.next++) < groups.size();) {
                std::vector<Group> sets;
                if (!comparer.Split(groups[i], sets)) break;
                AcquireSRWLockExclusive(&shared.lock);
                out[i] = std::move(sets);
                finished[i] = 1;
                ReleaseSRWLockExclusive(&shared.lock);
                WakeConditionVariable(&shared.changed);
            }
        } catch (...) {
            AcquireSRWLockExclusive(&shared.lock);
            if (!shared.failure) shared.failure = std::current_exception();
            ReleaseSRWLockExclusive(&shared.lock);
            shared.stop = true;
        }
    };
    // Whatever ends this function, the threads are stopped and waited for first.
    struct Threads {
        std::atomic<bool>& stop;
        std::vector<std::thread> running;
        ~Threads() { Join(); }
        void Join() {
            stop = true;  // all finished by now, or stopping early
            for (auto& t : running) t.join();
            running.clear();
        }
    } threads{shared.stop, {}};
    for (size_t t = 0; t < threadCount; ++t) threads.running.emplace_back(work, t);
    // This thread keeps the window alive and passes Cancel on.
    for (;;) {
        AcquireSRWLockExclusive(&shared.lock);
        size_t at = reached();
        if (at == frontier && at < groups.size() && !shared.stop.load()) {
            SleepConditionVariableSRW(&shared.changed, &shared.lock, 15, 0);
            at = reached();
        }
        ReleaseSRWLockExclusive(&shared.lock);
        advance(at);
        if (frontier == groups.size() || shared.stop.load()) break;
        progress.KeepAlive();
        if (progress.CancelRequested()) shared.stop = true;
    }
    threads.Join();
    advance(reached());
    if (memory.learned)
        for (auto& own : shared.learned) memory.learned->insert(memory.learned->end(), own.begin(), own.end());
    for (const ReadStats& own : shared.stats) {
        stats.opens += own.opens;
        stats.bytesRead += own.bytesRead;
        stats.openSeconds += own.openSeconds;
        stats.readSeconds += own.readSeconds;
        stats.unreadable.insert(stats.unreadable.end(), own.unreadable.begin(), own.unreadable.end());
    }
    if (shared.failure) std::rethrow_exception(shared.failure);
}

