#include "varnholt/engine/ContentComparer.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <unordered_map>

#include "varnholt/engine/ByteCompare.h"

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
// Sets this small are searched for an equal file directly; larger ones by a key of their bytes.
constexpr size_t kUnkeyedMax = 4;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The first read of a file: its first block, or the whole of a smaller file
// and one byte more, which shows its end without a second read.
size_t FirstChunk(uint64_t size) { return size < kFirstBlock ? static_cast<size_t>(size) + 1 : kFirstBlock; }

}  // namespace

bool FitsSideBySide(uint64_t count, uint64_t size) {
    // Small files only need their slices of the arena; larger ones stay open between rounds.
    // Divided, not multiplied: the product of a large set overflows a 32-bit size.
    return size < kFirstBlock ? count <= kArenaSize / FirstChunk(size) : count <= kLockstepMax;
}

ContentComparer::ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                                 ProgressSink& progress, ReadStats& stats, ContentMemory memory)
    : ContentComparer(files, list, source, [&progress] {
          progress.KeepAlive();
          return !progress.CancelRequested();
      }, stats, memory) {}

ContentComparer::ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                                 std::function<bool()> keepGoing, ReadStats& stats, ContentMemory memory)
    : files_(files), list_(list), source_(source), keepGoing_(std::move(keepGoing)), stats_(stats), memory_(memory) {}

const CachedContent* ContentComparer::Known(uint32_t member) const {
    return memory_.known && member < memory_.known->size() ? (*memory_.known)[member] : nullptr;
}

void ContentComparer::Learn(uint32_t member, const CachedContent& content) {
    if (memory_.learned) memory_.learned->push_back({member, content});
}

uint8_t* ContentComparer::Arena() {
    // Allocated once, never cleared: every byte compared has been read first.
    if (!arena_) arena_ = std::make_unique_for_overwrite<uint8_t[]>(kArenaSize);
    return arena_.get();
}

std::unique_ptr<ContentReader> ContentComparer::Open(uint32_t member) {
    const auto start = std::chrono::steady_clock::now();
    const FileEntry& e = list_.entries[member];
    const std::wstring listedAt = files_.ListedAt(e);
    auto reader = source_.Open(files_.Path(e), listedAt);
    ++stats_.opens;
    stats_.openSeconds += Seconds(start);
    // A link the listing did not mark is no file of this search; anything else is one that could not be read.
    if (!reader && (listedAt.empty() || PlacementOf(files_.Path(e), listedAt) != FilePlacement::Elsewhere))
        Unreadable(member);
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
    if (std::any_of(members.begin(), members.end(), [&](uint32_t m) { return Known(m) != nullptr; }))
        return SplitByHashes(members, out);
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

bool ContentComparer::ReadWhole(uint32_t member, CachedContent& content, bool& readable) {
    readable = false;
    auto reader = Open(member);
    if (!reader) return KeepGoing();
    WholeHash whole;
    uint8_t* buffer = Arena();
    bool first = true;
    uint64_t total = 0;
    for (;;) {
        size_t got = 0;
        if (!Read(*reader, buffer, kMaxChunk, got)) {
            Unreadable(member);
            return KeepGoing();
        }
        if (first) content.firstHash = FirstBlockHash(buffer, got);
        first = false;
        whole.Update(buffer, got);
        total += got;
        if (got < kMaxChunk) break;
        if (!KeepGoing()) return false;
    }
    // Shorter or longer than listed: not the file the search saw.
    if (total != list_.entries[member].size) {
        Unreadable(member);
        return KeepGoing();
    }
    content.hasFull = true;
    content.full = whole.Final();
    readable = true;
    Learn(member, content);
    return KeepGoing();
}

bool ContentComparer::SplitByHashes(const Group& members, std::vector<Group>& out) {
    // First blocks tell files apart; whole-content hashes, equal only for equal bytes, make the sets.
    struct Member {
        uint32_t member;
        CachedContent content;
    };
    std::vector<Member> all;
    for (uint32_t m : members) {
        if (const CachedContent* known = Known(m)) {
            all.push_back({m, *known});
            continue;
        }
        CachedContent content;
        bool readable = false;
        if (!ReadWhole(m, content, readable)) return false;
        if (readable) all.push_back({m, content});  // one that cannot be read joins no set
    }
    std::vector<std::pair<uint64_t, uint32_t>> byFirst;
    for (size_t i = 0; i < all.size(); ++i) byFirst.emplace_back(all[i].content.firstHash, static_cast<uint32_t>(i));
    std::sort(byFirst.begin(), byFirst.end());
    std::vector<Group> found;
    const bool done = ForEachSharedKey(byFirst, [&](uint64_t, const Group& run) {
        std::vector<std::pair<Digest, uint32_t>> byWhole;
        for (uint32_t i : run) {
            Member& m = all[i];
            if (!m.content.hasFull) {
                // Known by its first block only: it never matched before, it may now.
                bool readable = false;
                if (!ReadWhole(m.member, m.content, readable)) return false;
                if (!readable) continue;
            }
            byWhole.emplace_back(m.content.full, m.member);
        }
        std::sort(byWhole.begin(), byWhole.end());
        for (size_t begin = 0; begin < byWhole.size();) {
            size_t end = begin + 1;
            while (end < byWhole.size() && byWhole[end].first == byWhole[begin].first) ++end;
            if (end - begin >= 2) {
                Group g;
                for (size_t k = begin; k < end; ++k) g.push_back(byWhole[k].second);
                found.push_back(std::move(g));
            }
            begin = end;
        }
        return true;
    });
    if (!done) return false;
    std::sort(found.begin(), found.end(), FirstMemberBefore);
    for (auto& g : found) out.push_back(std::move(g));
    return true;
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
        // A file that ends before its listed size is not the file the search saw.
        if (ok && total < std::min(limit, list_.entries[m].size)) ok = false;
        if (ok) hashes.emplace_back(Mix(h, total), m);
        else Unreadable(m);
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
        uint32_t member = 0;
        std::unique_ptr<ContentReader> reader;
        uint8_t* buffer = nullptr;
        size_t got = 0;
        uint64_t total = 0;  // read so far
        bool failed = false;
        CachedContent learned;  // for the content cache
    };
    const bool learning = memory_.learned != nullptr;
    auto close = [&](OpenFile& f) {
        if (!f.reader) return;
        const auto start = std::chrono::steady_clock::now();
        f.reader.reset();
        stats_.openSeconds += Seconds(start);
    };
    // Equal bytes so far, in member order. In larger sets a key of every byte read
    // keeps the search for an equal file short, also when all share a long header.
    auto partition = [&](std::vector<OpenFile>& files, const std::vector<size_t>& set) {
        std::vector<std::vector<size_t>> parts;
        std::unordered_map<uint64_t, std::vector<size_t>> byKey;
        const bool keyed = set.size() > kUnkeyedMax;
        for (size_t i : set) {
            const OpenFile& f = files[i];
            if (f.failed) continue;
            auto& candidates = byKey[keyed ? HashWhole(f.buffer, f.got) : f.got];
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
        OpenFile f;
        f.member = m;
        f.reader = std::move(reader);
        f.buffer = slice;
        f.failed = !Read(*f.reader, f.buffer, firstChunk, f.got);
        f.total = f.got;
        // A small file reads one byte past its end; a file whose end comes
        // elsewhere than listed is not the file the search saw.
        const bool endSeen = f.got < firstChunk;
        if (!f.failed && ((endSeen && f.total != size) || f.total > size)) f.failed = true;
        if (f.failed) Unreadable(m);
        if (f.failed || endSeen) close(f);
        if (f.failed) continue;
        slice += firstChunk;
        open.push_back(std::move(f));
        if (open.size() % 64 == 0 && !KeepGoing()) return false;
    }
    if (!KeepGoing()) return false;

    // What the cache keeps is hashed from the buffers read anyway, once for all
    // the files of a part: their bytes so far are equal, and so are their hashes.
    std::vector<size_t> all(open.size());
    for (size_t i = 0; i < open.size(); ++i) all[i] = i;
    std::vector<std::vector<size_t>> sets = partition(open, all);
    std::vector<WholeHash> hashes;
    if (learning)
        for (const auto& set : sets) {
            const OpenFile& front = open[set.front()];
            hashes.emplace_back().Update(front.buffer, front.got);
            const uint64_t first = FirstBlockHash(front.buffer, front.got);
            for (size_t i : set) open[i].learned.firstHash = first;
        }
    std::vector<Group> finished;
    size_t chunk = firstChunk;
    for (bool firstRound = true; !sets.empty(); firstRound = false) {
        std::vector<std::vector<size_t>> next;
        std::vector<WholeHash> nextHashes;
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
        for (size_t s = 0; s < sets.size(); ++s) {
            const auto& set = sets[s];
            std::vector<std::vector<size_t>> parts;
            if (firstRound) {
                parts.push_back(set);
            } else {
                for (size_t i : set) {
                    OpenFile& f = open[i];
                    f.failed = !Read(*f.reader, f.buffer, chunk, f.got);
                    f.total += f.got;
                    if (!f.failed && ((f.got < chunk && f.total != size) || f.total > size)) f.failed = true;
                    if (f.failed) Unreadable(f.member);
                }
                parts = partition(open, set);
                for (size_t i : set)
                    if (open[i].failed) close(open[i]);
            }
            for (auto& p : parts) {
                std::optional<WholeHash> hash;
                if (learning) {
                    hash = hashes[s];
                    if (!firstRound) hash->Update(open[p.front()].buffer, open[p.front()].got);
                }
                const bool atEnd = open[p.front()].got < chunk;
                if (p.size() >= 2 && !atEnd) {
                    next.push_back(std::move(p));
                    if (hash) nextHashes.push_back(*hash);
                    continue;
                }
                if (p.size() >= 2) {  // all at their end together: equal contents
                    Group g;
                    for (size_t i : p) g.push_back(open[i].member);
                    finished.push_back(std::move(g));
                }
                if (hash && atEnd) {
                    const Digest full = hash->Final();
                    for (size_t i : p) {
                        open[i].learned.hasFull = true;
                        open[i].learned.full = full;
                    }
                }
                for (size_t i : p) close(open[i]);
            }
            if (!firstRound && !KeepGoing()) return false;
        }
        sets = std::move(next);
        hashes = std::move(nextHashes);
    }
    if (learning)
        for (const OpenFile& f : open)
            if (!f.failed) Learn(f.member, f.learned);
    std::sort(finished.begin(), finished.end(), FirstMemberBefore);
    for (auto& g : finished) out.push_back(std::move(g));
    return true;
}

