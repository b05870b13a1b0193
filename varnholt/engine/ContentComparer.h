#pragma once
// Splits files of one size into sets of equal content, reading as little as it
// can: files are read side by side, each opened once, and a file leaves at the
// first block that differs. Files are grouped by content only when their bytes
// are equal; a hash only ever narrows a set before the bytes decide.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "varnholt/engine/ContentCache.h"
#include "varnholt/engine/ContentSource.h"
#include "varnholt/engine/FileCollection.h"
#include "varnholt/engine/Partition.h"
#include "varnholt/engine/SearchSinks.h"

// What the comparison read, for the summary and the benchmarks.
struct ReadStats {
    uint64_t opens = 0;
    uint64_t bytesRead = 0;
    double openSeconds = 0;        // opening and closing files for the comparison
    double readSeconds = 0;
    // Members that could not be opened or read, or did not hold the bytes the
    // listing gave them: they join no set, and the user is told of them.
    std::vector<uint32_t> unreadable;
};

// What a comparison learned of one member's content, for the content cache.
struct LearnedContent {
    uint32_t member = 0;
    CachedContent content;
};

// Contents known from earlier searches, by member (nullptr: not known), and
// where the comparison puts what it learns. Without it nothing is known or kept.
struct ContentMemory {
    const std::vector<const CachedContent*>* known = nullptr;
    std::vector<LearnedContent>* learned = nullptr;
};

// Whether `count` files of one size are read side by side (each opened once,
// all held in the arena or open together) rather than narrowed by hashes first.
bool FitsSideBySide(uint64_t count, uint64_t size);

class ContentComparer {
public:
    ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                    ProgressSink& progress, ReadStats& stats, ContentMemory memory = {});
    // For a comparer on another thread: asks `keepGoing` between reads instead of pumping messages.
    ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                    std::function<bool()> keepGoing, ReadStats& stats, ContentMemory memory = {});
    // Sets of two or more files with equal bytes, in the order of their first
    // member. False when Cancel was asked for; `out` then holds nothing of this call.
    bool Split(const Group& members, std::vector<Group>& out);

private:
    bool SplitSameSize(const Group& members, uint64_t size, std::vector<Group>& out);
    // A set of which some contents are known: the others are read whole and hashed,
    // and equal whole-content hashes make the sets.
    bool SplitByHashes(const Group& members, std::vector<Group>& out);
    // Reads a member whole: its hashes; false when it cannot be read (or Cancel).
    bool ReadWhole(uint32_t member, CachedContent& content, bool& readable);
    const CachedContent* Known(uint32_t member) const;
    void Learn(uint32_t member, const CachedContent& content);
    bool Lockstep(const Group& members, std::vector<Group>& out);
    bool HashAll(const Group& members, uint64_t limit, std::vector<std::pair<uint64_t, uint32_t>>& hashes);
    bool VerifyLarge(Group members, std::vector<Group>& out);
    bool KeepGoing();
    uint8_t* Arena();
    std::unique_ptr<ContentReader> Open(uint32_t member);
    bool Read(ContentReader& reader, uint8_t* buffer, size_t size, size_t& got);
    void Unreadable(uint32_t member) { stats_.unreadable.push_back(member); }

    std::unique_ptr<uint8_t[]> arena_;
    const FileCollection& files_;
    const SizeCategoryList& list_;
    ContentSource& source_;
    std::function<bool()> keepGoing_;
    ReadStats& stats_;
    ContentMemory memory_;
};
