#pragma once
// The duplicate search: collection, grouping within each size category, the
// second checksum step, and the results tree.
//
// Every criterion is an equality, so the groups are the partition of each
// category by the enabled criteria: groups in the order of their first member,
// members in walk order. The partition is built by sorting, and contents are
// compared only among files that agree on everything else and on their size.
// Files are grouped by content only when their bytes are equal; a checksum
// collision never makes two different files duplicates.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "varnholt/engine/ContentSource.h"
#include "varnholt/engine/FileCollection.h"
#include "varnholt/engine/SearchSinks.h"

class PowerClass;
class TextSource;
struct SearchSettings;

// The results as the main window holds them beside its tree.
struct DuplicateResults {
    std::array<ResultsSink::Item, kCategoryCount> categoryItems{};
    std::array<int32_t, kCategoryCount> categoryGroupCounts{};
    std::array<std::wstring, kCategoryCount> categoryHeadings;  // without the count
    bool resultsShown = false;
    bool cancelled = false;
};

struct SearchStats {
    uint64_t filesCollected = 0;
    uint64_t groups = 0;
    uint64_t duplicateFiles = 0;   // paths in the final groups
    uint64_t opens = 0;
    uint64_t bytesRead = 0;
    double collectSeconds = 0;
    double compareSeconds = 0;
    double secondStepSeconds = 0;
    double openSeconds = 0;        // opening and closing files for the comparison
    double readSeconds = 0;
    CollectionStats collection;
};

// The criteria of two files as the options define them (the checksums count
// only in one-step mode). Kept for callers that compare two files directly.
bool IsDuplicate(const FileStatus& a, const FileStatus& b, uint32_t checksumA, uint32_t checksumB,
                 const SearchSettings& settings);

// Members of one category list by their index in walk order.
using Group = std::vector<uint32_t>;

// The partition of one category by the enabled criteria other than the checksum:
// classes of two or more, in the order of their first member, members in walk order.
std::vector<Group> PartitionByCriteria(const FileCollection& files, const SizeCategoryList& list,
                                       const SearchSettings& settings);

// Splits files into sets of equal content, reading as little as it can.
class ContentComparer {
public:
    ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                    ProgressSink& progress, SearchStats& stats);
    // For a comparer on another thread: asks `keepGoing` between reads instead of pumping messages.
    ContentComparer(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
                    std::function<bool()> keepGoing, SearchStats& stats);
    // Sets of two or more files with equal bytes, in the order of their first
    // member. False when Cancel was asked for; `out` then holds nothing of this call.
    bool Split(const Group& members, std::vector<Group>& out);

private:
    bool SplitSameSize(const Group& members, uint64_t size, std::vector<Group>& out);
    bool Lockstep(const Group& members, std::vector<Group>& out);
    bool HashAll(const Group& members, uint64_t limit, std::vector<std::pair<uint64_t, uint32_t>>& hashes);
    bool VerifyLarge(Group members, std::vector<Group>& out);
    bool KeepGoing();
    uint8_t* Arena();
    std::unique_ptr<ContentReader> Open(uint32_t member);
    bool Read(ContentReader& reader, uint8_t* buffer, size_t size, size_t& got);

    std::unique_ptr<uint8_t[]> arena_;
    const FileCollection& files_;
    const SizeCategoryList& list_;
    ContentSource& source_;
    std::function<bool()> keepGoing_;
    SearchStats& stats_;
};

// Splits each group by content, several groups at once on threads of their
// own: opening a file mostly waits for the system, and those waits overlap.
// `out[i]` holds the sets of groups[i] when `finished[i]`; after Cancel the
// groups not finished are left empty. The calling thread keeps the progress
// window alive and gets `showProgress` with the index of the first unfinished group.
void SplitEach(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
               ProgressSink& progress, SearchStats& stats, const std::vector<Group>& groups,
               std::vector<std::vector<Group>>& out, std::vector<char>& finished,
               const std::function<void(size_t)>& showProgress);

std::wstring CategoryHeading(int category, const SearchSettings& settings, const TextSource& texts);
std::wstring CountedHeading(const std::wstring& heading, int count, const TextSource& texts);

// One search, step by step, for callers that open and close windows between the steps.
class DuplicateSearch {
public:
    DuplicateSearch(const SearchSettings& settings, const TextSource& texts, ProgressSink& progress,
                    ResultsSink& results, ContentSource& content);
    // Clears the tree and inserts the seven category items (bounds and labels already derived).
    void Begin(DuplicateResults& out);
    void Collect(const std::wstring& pathList, std::vector<std::wstring> folderList = {});
    void Compare(DuplicateResults& out);
    // Two-step mode: each group is split by content where it stood; groups left
    // unchecked by Cancel are taken out, since nothing proves them duplicates.
    void SecondStep(DuplicateResults& out);

    FileCollection& Files() { return files_; }
    const SearchStats& Stats() const { return stats_; }

private:
    struct PlacedGroup {
        ResultsSink::Item item = 0;
        Group members;
    };
    std::vector<Group> GroupCategory(int category, bool& cancelled);
    void Place(int category, const Group& g, std::vector<PlacedGroup>& placed);
    void Count();

    const SearchSettings& settings_;
    const TextSource& texts_;
    ProgressSink& progress_;
    ResultsSink& results_;
    ContentSource& content_;
    FileCollection files_;
    std::array<ResultsSink::Item, kCategoryCount> categoryItems_{};
    std::array<std::vector<PlacedGroup>, kCategoryCount> placed_;
    SearchStats stats_;
};

enum class SearchOutcome { EmptyPath, Done, Cancelled };

// The whole search: category bounds from the store, folder count for the
// progress, collection, comparison, second step. An empty path text changes nothing.
SearchOutcome RunSearch(const std::wstring& pathText, SearchSettings& settings, PowerClass& store,
                        const TextSource& texts, ProgressSink& progress, ResultsSink& results,
                        DuplicateResults& out, SearchStats* stats = nullptr, ContentSource* content = nullptr);
