#include "varnholt/engine/DuplicateSearch.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <exception>
#include <thread>
#include <unordered_map>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "varnholt/engine/SearchSettings.h"

namespace {

// Sets up to this size are read side by side, each file opened once.
constexpr size_t kLockstepMax = 128;
// The first block read of every file; most files that differ differ in it.
constexpr size_t kFirstBlock = 64 * 1024;
// Chunks small enough that a pair of them is still in the cache when compared.
constexpr size_t kMaxChunk = 256 * 1024;
// Buffers of one side-by-side read together stay below this.
constexpr size_t kReadBudget = 16 * 1024 * 1024;
constexpr size_t kArenaSize = std::max(kReadBudget, kLockstepMax * kFirstBlock);
// Groups compared at once, each on a thread with its own arena. Two keep the
// file service busy while the other thread reads; more only queue for it.
constexpr size_t kCompareThreads = 2;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

inline uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v;
    h *= 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

uint64_t HashBytes(uint64_t h, const uint8_t* p, size_t n) {
    while (n >= 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        h = Mix(h, w);
        p += 8;
        n -= 8;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    return Mix(h, tail ^ (uint64_t(n) << 56));
}

uint64_t HashName(std::wstring_view name) {
    uint64_t h = 0xCBF29CE484222325ULL;
    for (wchar_t c : name) h = (h ^ static_cast<uint16_t>(c)) * 0x100000001B3ULL;
    return h;
}

std::wstring_view NamePart(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring_view(path) : std::wstring_view(path).substr(slash + 1);
}

bool FirstMemberBefore(const Group& a, const Group& b) { return a.front() < b.front(); }

// Calls onRun(key, members) for every key that two or more members share, from
// (key, member) pairs sorted as pairs, so that each run's members are in walk order.
template <class OnRun>
bool ForEachSharedKey(const std::vector<std::pair<uint64_t, uint32_t>>& sorted, OnRun&& onRun) {
    for (size_t begin = 0; begin < sorted.size();) {
        size_t end = begin + 1;
        while (end < sorted.size() && sorted[end].first == sorted[begin].first) ++end;
        if (end - begin >= 2) {
            Group run;
            run.reserve(end - begin);
            for (size_t k = begin; k < end; ++k) run.push_back(sorted[k].second);
            if (!onRun(sorted[begin].first, std::move(run))) return false;
        }
        begin = end;
    }
    return true;
}

// The first read of a file: its first block, or the whole of a smaller file
// and one byte more, which shows its end without a second read.
size_t FirstChunk(uint64_t size) { return size < kFirstBlock ? static_cast<size_t>(size) + 1 : kFirstBlock; }

// Whether a set of one size is read side by side: small files only need their
// slices of the arena; larger ones stay open between rounds.
bool FitsSideBySide(size_t count, uint64_t size) {
    return size < kFirstBlock ? count * FirstChunk(size) <= kArenaSize : count <= kLockstepMax;
}

// Word by word: the C runtime's memcmp is a byte loop under some runtimes.
bool SameBytesPlain(const uint8_t* a, const uint8_t* b, size_t n) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        uint32_t x[4], y[4];
        std::memcpy(x, a + i, 16);
        std::memcpy(y, b + i, 16);
        if ((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) return false;
    }
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

#if defined(__i386__) || defined(__x86_64__)
// The 32-bit build must run without SSE2; where the processor has it, sixty-four bytes a step.
__attribute__((target("sse2"))) bool SameBytesSse2(const uint8_t* a, const uint8_t* b, size_t n) {
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        const __m128i d0 = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
        const __m128i d1 = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i + 16)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i + 16)));
        const __m128i d2 = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i + 32)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i + 32)));
        const __m128i d3 = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i + 48)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i + 48)));
        const __m128i any = _mm_or_si128(_mm_or_si128(d0, d1), _mm_or_si128(d2, d3));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) != 0xFFFF) return false;
    }
    return SameBytesPlain(a + i, b + i, n - i);
}

bool HasSse2() {
    static const bool has = __builtin_cpu_supports("sse2");
    return has;
}
#endif

bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n) {
#if defined(__i386__) || defined(__x86_64__)
    if (HasSse2()) return SameBytesSse2(a, b, n);
#endif
    return SameBytesPlain(a, b, n);
}

}  // namespace

bool IsDuplicate(const FileStatus& a, const FileStatus& b, uint32_t checksumA, uint32_t checksumB,
                 const SearchSettings& s) {
    if (s.sameName && NamePart(a.fullName) != NamePart(b.fullName)) return false;
    if (s.sameSize && a.size != b.size) return false;
    if (s.sameAttributes && a.attributes != b.attributes) return false;
    if (s.sameCreationDate && a.creationTime != b.creationTime) return false;
    if (s.sameModificationDate && a.modificationTime != b.modificationTime) return false;
    if (s.sameAccessDate && a.accessTime != b.accessTime) return false;
    if (s.sameChecksum && !s.checksumSecondStep && checksumA != checksumB) return false;
    return true;
}

// --- partition by the criteria ---

std::vector<Group> PartitionByCriteria(const FileCollection& files, const SizeCategoryList& list,
                                       const SearchSettings& s) {
    const auto& entries = list.entries;
    const bool byName = s.sameName, byAttributes = s.sameAttributes, byCreation = s.sameCreationDate,
               byModification = s.sameModificationDate, byAccess = s.sameAccessDate;
    const bool hashed = byName || byAttributes || byCreation || byModification || byAccess;

    struct Key {
        uint64_t size;
        uint64_t hash;
        uint32_t index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    uint32_t index = 0;
    for (const FileEntry& e : entries) {
        uint64_t h = 0;
        if (hashed) {
            h = 0x84222325CBF29CE4ULL;
            if (byName) h = Mix(h, HashName(files.Name(e)));
            if (byAttributes) h = Mix(h, e.attributes);
            if (byCreation) h = Mix(h, static_cast<uint64_t>(e.creationTime));
            if (byModification) h = Mix(h, static_cast<uint64_t>(e.modificationTime));
            if (byAccess) h = Mix(h, static_cast<uint64_t>(e.accessTime));
        }
        keys.push_back({s.sameSize ? e.size : 0, h, index++});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.size != b.size) return a.size < b.size;
        if (a.hash != b.hash) return a.hash < b.hash;
        return a.index < b.index;
    });

    auto same = [&](const FileEntry& a, const FileEntry& b) {
        return (!byName || files.Name(a) == files.Name(b)) && (!byAttributes || a.attributes == b.attributes) &&
               (!byCreation || a.creationTime == b.creationTime) &&
               (!byModification || a.modificationTime == b.modificationTime) &&
               (!byAccess || a.accessTime == b.accessTime);
    };

    std::vector<Group> classes;
    for (size_t begin = 0; begin < keys.size();) {
        size_t end = begin + 1;
        while (end < keys.size() && keys[end].size == keys[begin].size && keys[end].hash == keys[begin].hash) ++end;
        if (end - begin >= 2) {
            if (!hashed) {
                Group g;
                g.reserve(end - begin);
                for (size_t k = begin; k < end; ++k) g.push_back(keys[k].index);
                classes.push_back(std::move(g));
            } else {
                // Equal hashes almost always mean equal fields; the exact test settles it.
                std::vector<Group> parts;
                for (size_t k = begin; k < end; ++k) {
                    const FileEntry& e = entries[keys[k].index];
                    auto part = std::find_if(parts.begin(), parts.end(),
                                             [&](const Group& p) { return same(entries[p.front()], e); });
                    if (part == parts.end()) parts.push_back({keys[k].index});
                    else part->push_back(keys[k].index);
                }
                for (auto& p : parts)
                    if (p.size() >= 2) classes.push_back(std::move(p));
            }
        }
        begin = end;
    }
    std::sort(classes.begin(), classes.end(), FirstMemberBefore);
    return classes;
}

// --- content comparison ---

ContentComparer::ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                                 ProgressSink& progress, SearchStats& stats)
    : ContentComparer(files, list, source, [&progress] {
          progress.KeepAlive();
          return !progress.CancelRequested();
      }, stats) {}

ContentComparer::ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                                 std::function<bool()> keepGoing, SearchStats& stats)
    : files_(files), list_(list), source_(source), keepGoing_(std::move(keepGoing)), stats_(stats) {}

uint8_t* ContentComparer::Arena() {
    // Allocated once, never cleared: every byte compared has been read first.
    if (!arena_) arena_ = std::make_unique_for_overwrite<uint8_t[]>(kArenaSize);
    return arena_.get();
}

std::unique_ptr<ContentReader> ContentComparer::Open(uint32_t member) {
    const auto start = std::chrono::steady_clock::now();
    auto reader = source_.Open(files_.Path(list_.entries[member]));
    ++stats_.opens;
    stats_.openSeconds += Seconds(start);
    return reader;
}

bool ContentComparer::Read(ContentReader& reader, uint8_t* buffer, size_t size, size_t& got) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = reader.Read(buffer, size, got);
    stats_.bytesRead += got;
    stats_.readSeconds += Seconds(start);
    return ok;
}

bool ContentComparer::KeepGoing() { return keepGoing_(); }

bool ContentComparer::Split(const Group& members, std::vector<Group>& out) {
    if (members.size() < 2) return true;
    // Equal bytes need equal sizes: only files that share their size are opened.
    std::vector<std::pair<uint64_t, uint32_t>> bySize;
    bySize.reserve(members.size());
    for (uint32_t m : members) bySize.emplace_back(list_.entries[m].size, m);
    std::sort(bySize.begin(), bySize.end());
    std::vector<Group> found;
    const bool done = ForEachSharedKey(bySize, [&](uint64_t size, Group run) {
        if (size > 0) return SplitSameSize(run, size, found);
        found.push_back(std::move(run));  // empty files are equal
        return true;
    });
    if (!done) return false;
    std::sort(found.begin(), found.end(), FirstMemberBefore);
    for (auto& g : found) out.push_back(std::move(g));
    return true;
}

bool ContentComparer::SplitSameSize(const Group& members, uint64_t size, std::vector<Group>& out) {
    if (FitsSideBySide(members.size(), size)) return Lockstep(members, out);
    // Too many to hold open at once: hashes narrow the set first, then the
    // bytes decide within each narrowed set.
    auto byHash = [&](const Group& set, uint64_t limit, auto&& onRun) {
        std::vector<std::pair<uint64_t, uint32_t>> hashes;
        if (!HashAll(set, limit, hashes)) return false;
        std::sort(hashes.begin(), hashes.end());
        return ForEachSharedKey(hashes, [&](uint64_t, const Group& run) { return onRun(run); });
    };
    return byHash(members, kFirstBlock, [&](const Group& run) {
        if (FitsSideBySide(run.size(), size)) return Lockstep(run, out);
        if (size <= kFirstBlock) return VerifyLarge(run, out);
        return byHash(run, UINT64_MAX, [&](const Group& full) {
            return FitsSideBySide(full.size(), size) ? Lockstep(full, out) : VerifyLarge(full, out);
        });
    });
}

bool ContentComparer::HashAll(const Group& members, uint64_t limit,
                              std::vector<std::pair<uint64_t, uint32_t>>& hashes) {
    const size_t bufferSize = static_cast<size_t>(std::min<uint64_t>(limit, kMaxChunk));
    uint8_t* buffer = Arena();
    for (uint32_t m : members) {
        if (!KeepGoing()) return false;
        auto reader = Open(m);
        if (!reader) continue;
        uint64_t h = 0x1234567887654321ULL, total = 0;
        bool ok = true;
        while (total < limit) {
            size_t got = 0;
            const size_t want = static_cast<size_t>(std::min<uint64_t>(bufferSize, limit - total));
            if (!Read(*reader, buffer, want, got)) {
                ok = false;
                break;
            }
            total += got;
            h = HashBytes(h, buffer, got);
            if (got < want) break;
            if (!KeepGoing()) return false;
        }
        if (ok) hashes.emplace_back(Mix(h, total), m);
    }
    return true;
}

bool ContentComparer::VerifyLarge(Group members, std::vector<Group>& out) {
    // Every member against the first, in batches that fit the side-by-side read.
    while (members.size() >= 2) {
        const uint32_t first = members.front();
        Group equal{first}, rest;
        for (size_t at = 1; at < members.size(); at += kLockstepMax - 1) {
            Group batch{first};
            for (size_t k = at; k < members.size() && k < at + kLockstepMax - 1; ++k) batch.push_back(members[k]);
            std::vector<Group> classes;
            if (!Lockstep(batch, classes)) return false;
            Group withFirst;
            for (const auto& c : classes)
                if (c.front() == first) withFirst = c;
            for (size_t k = 1; k < batch.size(); ++k) {
                if (std::find(withFirst.begin(), withFirst.end(), batch[k]) != withFirst.end())
                    equal.push_back(batch[k]);
                else
                    rest.push_back(batch[k]);
            }
        }
        if (equal.size() >= 2) out.push_back(std::move(equal));
        members = std::move(rest);
    }
    return true;
}

bool ContentComparer::Lockstep(const Group& members, std::vector<Group>& out) {
    struct OpenFile {
        uint32_t member;
        std::unique_ptr<ContentReader> reader;
        uint8_t* buffer = nullptr;
        size_t got = 0;
        bool failed = false;
    };
    auto close = [&](OpenFile& f) {
        const auto start = std::chrono::steady_clock::now();
        f.reader.reset();
        stats_.openSeconds += Seconds(start);
    };
    // Equal bytes so far, in member order; a quick hash of the first bytes keeps
    // the search for an equal file short in large sets.
    auto partition = [&](std::vector<OpenFile>& files, const std::vector<size_t>& set) {
        std::vector<std::vector<size_t>> parts;
        std::unordered_map<uint64_t, std::vector<size_t>> byStart;
        for (size_t i : set) {
            const OpenFile& f = files[i];
            if (f.failed) continue;
            auto& candidates = byStart[Mix(HashBytes(0, f.buffer, std::min<size_t>(f.got, 64)), f.got)];
            auto same = std::find_if(candidates.begin(), candidates.end(), [&](size_t p) {
                const OpenFile& r = files[parts[p].front()];
                return r.got == f.got && SameBytes(r.buffer, f.buffer, f.got);
            });
            if (same == candidates.end()) {
                candidates.push_back(parts.size());
                parts.push_back({i});
            } else {
                parts[*same].push_back(i);
            }
        }
        return parts;
    };

    // First round: each file opened and its first block read in turn. A file
    // that ends within it is closed at once, so sets of small files need no
    // more handles than one.
    const uint64_t size = list_.entries[members.front()].size;
    const size_t firstChunk = FirstChunk(size);
    std::vector<OpenFile> open;
    open.reserve(members.size());
    uint8_t* slice = Arena();
    for (uint32_t m : members) {
        // A file that cannot be read proves nothing about its content: it joins no set.
        auto reader = Open(m);
        if (!reader) continue;
        OpenFile f{m, std::move(reader), slice, 0, false};
        f.failed = !Read(*f.reader, f.buffer, firstChunk, f.got);
        if (f.failed || f.got < firstChunk) close(f);
        if (f.failed) continue;
        slice += firstChunk;
        open.push_back(std::move(f));
        if (open.size() % 64 == 0 && !KeepGoing()) return false;
    }
    if (!KeepGoing()) return false;

    std::vector<Group> finished;
    std::vector<size_t> all(open.size());
    for (size_t i = 0; i < open.size(); ++i) all[i] = i;
    std::vector<std::vector<size_t>> sets = partition(open, all);
    size_t chunk = firstChunk;
    for (bool firstRound = true; !sets.empty(); firstRound = false) {
        std::vector<std::vector<size_t>> next;
        if (!firstRound) {
            size_t liveCount = 0;
            for (const auto& set : sets) liveCount += set.size();
            // Each live file reads into its own slice of the arena.
            chunk = std::max<size_t>(1, std::min(kMaxChunk, kArenaSize / liveCount));
            uint8_t* at = Arena();
            for (const auto& set : sets)
                for (size_t i : set) {
                    open[i].buffer = at;
                    at += chunk;
                }
        }
        for (const auto& set : sets) {
            std::vector<std::vector<size_t>> parts;
            if (firstRound) {
                parts.push_back(set);
            } else {
                for (size_t i : set) open[i].failed = !Read(*open[i].reader, open[i].buffer, chunk, open[i].got);
                parts = partition(open, set);
                for (size_t i : set)
                    if (open[i].failed) close(open[i]);
            }
            for (auto& p : parts) {
                if (p.size() >= 2 && open[p.front()].got == chunk) {
                    next.push_back(std::move(p));
                    continue;
                }
                if (p.size() >= 2) {  // all at their end together: equal contents
                    Group g;
                    for (size_t i : p) g.push_back(open[i].member);
                    finished.push_back(std::move(g));
                }
                for (size_t i : p) close(open[i]);
            }
            if (!firstRound && !KeepGoing()) return false;
        }
        sets = std::move(next);
    }
    std::sort(finished.begin(), finished.end(), FirstMemberBefore);
    for (auto& g : finished) out.push_back(std::move(g));
    return true;
}

// --- several groups at once ---

void SplitEach(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
               ProgressSink& progress, SearchStats& stats, const std::vector<Group>& groups,
               std::vector<std::vector<Group>>& out, std::vector<char>& finished,
               const std::function<void(size_t)>& showProgress) {
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
        ContentComparer comparer(files, list, source, progress, stats);
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
        std::vector<SearchStats> stats;
    } shared;
    shared.stats.resize(threadCount);
    auto work = [&](size_t self) {
        try {
            ContentComparer comparer(files, list, source, [&] { return !shared.stop.load(); }, shared.stats[self]);
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
    for (const SearchStats& own : shared.stats) {
        stats.opens += own.opens;
        stats.bytesRead += own.bytesRead;
        stats.openSeconds += own.openSeconds;
        stats.readSeconds += own.readSeconds;
    }
    if (shared.failure) std::rethrow_exception(shared.failure);
}

// --- headings ---

std::wstring CategoryHeading(int category, const SearchSettings& s, const TextSource& texts) {
    const auto& labels = s.categoryLabels;
    if (category == 0) return texts.GetText(935) + L" " + labels[0];
    if (category == kCategoryCount - 1) return texts.GetText(930) + L" " + labels[5];
    return texts.GetText(940) + L" " + labels[category - 1] + L" " + texts.GetText(945) + L" " + labels[category];
}

std::wstring CountedHeading(const std::wstring& heading, int count, const TextSource& texts) {
    return heading + L", " + std::to_wstring(count) + L" " + texts.GetText(165);
}

// --- the search ---

DuplicateSearch::DuplicateSearch(const SearchSettings& settings, const TextSource& texts, ProgressSink& progress,
                                 ResultsSink& results, ContentSource& content)
    : settings_(settings), texts_(texts), progress_(progress), results_(results), content_(content) {}

void DuplicateSearch::Begin(DuplicateResults& out) {
    results_.Clear();
    out = DuplicateResults{};
    for (int c = 0; c < kCategoryCount; ++c) {
        out.categoryHeadings[c] = CategoryHeading(c, settings_, texts_);
        out.categoryItems[c] = results_.InsertItem(0, out.categoryHeadings[c]);
    }
    for (auto& p : placed_) p.clear();
}

void DuplicateSearch::Collect(const std::wstring& pathList, std::vector<std::wstring> folderList) {
    const auto start = std::chrono::steady_clock::now();
    FileCollector collector(settings_, progress_, files_, std::move(folderList));
    collector.CollectAll(pathList);
    stats_.collection = collector.Stats();
    stats_.filesCollected = files_.TotalCount();
    stats_.collectSeconds += Seconds(start);
}

std::vector<Group> DuplicateSearch::GroupCategory(int category, bool& cancelled) {
    const SizeCategoryList& list = files_.Lists()[category];
    std::vector<Group> classes = PartitionByCriteria(files_, list, settings_);
    if (!settings_.sameChecksum || settings_.checksumSecondStep) return classes;

    // One step: contents are compared only where every other criterion already agrees.
    std::vector<std::vector<Group>> sets;
    std::vector<char> finished;
    SplitEach(files_, list, content_, progress_, stats_, classes, sets, finished, [&](size_t frontier) {
        const int percent =
            frontier < classes.size() ? static_cast<int>(uint64_t(classes[frontier].front()) * 100 / list.count) : 100;
        progress_.SetBarPos(percent);
        progress_.Refresh();
    });
    std::vector<Group> groups;
    for (size_t i = 0; i < classes.size(); ++i) {
        if (!finished[i]) cancelled = true;
        for (Group& g : sets[i]) groups.push_back(std::move(g));
    }
    std::sort(groups.begin(), groups.end(), FirstMemberBefore);
    return groups;
}

void DuplicateSearch::Place(int category, const Group& g, std::vector<PlacedGroup>& placed) {
    const auto& entries = files_.Lists()[category].entries;
    PlacedGroup p;
    p.members = g;
    const ResultsSink::Item parent = categoryItems_[category];
    p.item = results_.InsertItem(parent, std::wstring(files_.Name(entries[g.front()])));
    for (uint32_t m : g) results_.InsertItem(p.item, files_.Path(entries[m]));
    placed.push_back(std::move(p));
}

void DuplicateSearch::Compare(DuplicateResults& out) {
    const auto start = std::chrono::steady_clock::now();
    categoryItems_ = out.categoryItems;
    progress_.SetStatusText(texts_.GetText(160));
    progress_.SetBarRange(0, 100);
    progress_.SetFolderTotal(100);
    for (int c = 0; c < kCategoryCount; ++c) {
        progress_.SetCurrentText(texts_.GetText(120 + 5 * c));
        progress_.SetBarPos(0);
        progress_.Refresh();
        std::vector<Group> groups;
        if (files_.Lists()[c].count > 0 && !progress_.CancelRequested()) {
            bool cancelled = false;
            groups = GroupCategory(c, cancelled);
            out.cancelled = out.cancelled || cancelled;
        }
        for (const Group& g : groups) Place(c, g, placed_[c]);
        const int count = static_cast<int>(placed_[c].size());
        results_.SetItemText(out.categoryItems[c], CountedHeading(out.categoryHeadings[c], count, texts_));
        out.categoryGroupCounts[c] = count;
    }
    if (progress_.CancelRequested()) out.cancelled = true;
    stats_.compareSeconds += Seconds(start);
    Count();
}

void DuplicateSearch::SecondStep(DuplicateResults& out) {
    const auto start = std::chrono::steady_clock::now();
    categoryItems_ = out.categoryItems;
    bool cancelled = out.cancelled;
    for (int c = 0; c < kCategoryCount; ++c) {
        auto& placed = placed_[c];
        if (placed.empty()) continue;
        const SizeCategoryList& list = files_.Lists()[c];
        progress_.SetCurrentText(texts_.GetText(120 + 5 * c));
        progress_.SetBarPos(0);
        progress_.Refresh();
        std::vector<std::vector<Group>> replacement;
        std::vector<char> finished;
        if (!cancelled) {
            std::vector<Group> members;
            members.reserve(placed.size());
            for (const PlacedGroup& p : placed) members.push_back(p.members);
            SplitEach(files_, list, content_, progress_, stats_, members, replacement, finished, [&](size_t frontier) {
                progress_.SetBarPos(static_cast<int>(frontier * 100 / placed.size()));
            });
        } else {
            replacement.assign(placed.size(), {});
            finished.assign(placed.size(), 0);
        }
        size_t firstChanged = placed.size();
        for (size_t i = 0; i < placed.size(); ++i) {
            if (!finished[i]) cancelled = true;
            const bool unchanged = replacement[i].size() == 1 && replacement[i][0] == placed[i].members;
            if (!unchanged) firstChanged = std::min(firstChanged, i);
        }
        if (firstChanged == placed.size()) continue;
        // The tree only appends, so everything from the first changed group is placed anew.
        std::vector<PlacedGroup> kept(std::make_move_iterator(placed.begin()),
                                      std::make_move_iterator(placed.begin() + firstChanged));
        for (size_t i = firstChanged; i < placed.size(); ++i) results_.DeleteItem(placed[i].item);
        for (size_t i = firstChanged; i < placed.size(); ++i)
            for (const Group& g : replacement[i]) Place(c, g, kept);
        placed = std::move(kept);
        const int count = static_cast<int>(placed.size());
        results_.SetItemText(out.categoryItems[c], CountedHeading(out.categoryHeadings[c], count, texts_));
        out.categoryGroupCounts[c] = count;
    }
    out.cancelled = cancelled;
    stats_.secondStepSeconds += Seconds(start);
    Count();
}

void DuplicateSearch::Count() {
    stats_.groups = stats_.duplicateFiles = 0;
    for (const auto& placed : placed_)
        for (const auto& p : placed) {
            ++stats_.groups;
            stats_.duplicateFiles += p.members.size();
        }
}

SearchOutcome RunSearch(const std::wstring& pathText, SearchSettings& settings, PowerClass& store,
                        const TextSource& texts, ProgressSink& progress, ResultsSink& results,
                        DuplicateResults& out, SearchStats* stats, ContentSource* content) {
    if (pathText.empty()) return SearchOutcome::EmptyPath;
    LoadCategoryBounds(settings, store, texts);
    FileContentSource files;
    DuplicateSearch search(settings, texts, progress, results, content ? *content : files);
    search.Begin(out);

    const std::wstring top = pathText.size() > 4 ? pathText.substr(0, pathText.size() - 4) : std::wstring();
    // An empty folder would list the current drive's root: no folders then.
    const int total = top.empty() ? 0 : store.ListSubfolders(top, 3);
    if (top.empty()) store.FolderList.clear();
    progress.SetFolderTotal(total);
    progress.SetFolderIndex(0);
    progress.SetBarRange(0, total);
    progress.SetStatusText(texts.GetText(155));
    search.Collect(pathText, store.FolderList);

    search.Compare(out);
    if (settings.sameChecksum && settings.checksumSecondStep) search.SecondStep(out);
    progress.Refresh();
    out.resultsShown = true;
    if (stats) *stats = search.Stats();
    return out.cancelled ? SearchOutcome::Cancelled : SearchOutcome::Done;
}
