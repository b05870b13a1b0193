#pragma once
// The duplicate search: collection, grouping within each size category, the
// second checksum step, and the groups placed in the results tree.
//
// Contents are compared only among files that agree on every other criterion
// and on their size. A checksum collision never makes two different files
// duplicates, and a group never holds one file twice.
#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "varnholt/engine/ContentComparer.h"
#include "varnholt/engine/FileCollection.h"
#include "varnholt/engine/Partition.h"
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
    std::wstring missingFolder;  // the entry of the path list that stopped the search
    std::vector<std::wstring> folders;  // the folders searched, as the path list names them
    // Files and folders the search listed or met but could not read, in the order met.
    std::vector<std::wstring> unreadable;
};

struct SearchStats : ReadStats {
    uint64_t filesCollected = 0;
    uint64_t groups = 0;
    uint64_t duplicateFiles = 0;   // paths in the final groups
    double collectSeconds = 0;
    double compareSeconds = 0;
    double secondStepSeconds = 0;
    CollectionStats collection;
};

std::wstring CategoryHeading(int category, const SearchSettings& settings, const TextSource& texts);
std::wstring CountedHeading(const std::wstring& heading, int count, const TextSource& texts);

// One search, step by step, for callers that open and close windows between the steps.
class DuplicateSearch {
public:
    // With a content cache, files it knows unchanged are not read, and what is read is kept in it.
    DuplicateSearch(const SearchSettings& settings, const TextSource& texts, ProgressSink& progress,
                    ResultsSink& results, ContentSource& content, ContentCache* cache = nullptr);
    // Clears the tree and inserts the seven category items (bounds and labels already derived).
    void Begin(DuplicateResults& out);
    void Collect(const std::wstring& pathList, std::vector<std::wstring> folderList = {});
    void Compare(DuplicateResults& out);
    // Two-step mode: each group is split by content where it stood; groups left
    // unchecked by Cancel are taken out, since nothing proves them duplicates.
    void SecondStep(DuplicateResults& out);
    // What could not be read, under a heading of its own after the categories.
    void ReportUnreadable(DuplicateResults& out);

    FileCollection& Files() { return files_; }
    const SearchStats& Stats() const { return stats_; }

private:
    struct PlacedGroup {
        ResultsSink::Item item = 0;
        Group members;
    };
    // What the cache knows of a category's members, and what their comparison learns.
    struct Memory {
        std::vector<const CachedContent*> known;
        std::vector<LearnedContent> learned;
    };
    ContentMemory Remember(int category, const std::vector<Group>& groups, Memory& memory);
    void Keep(int category, const Memory& memory);
    std::vector<Group> GroupCategory(int category, std::vector<Group> classes, bool& cancelled);
    // Counts a group's bytes and files among those to compare.
    void AddToCompare(int category, const Group& g);
    // The bytes and files compared before each of the category's groups.
    void StartComparing(int category, const std::vector<Group>& groups);
    // The progress figures with the groups before `frontier` compared.
    void ShowCompared(size_t frontier);
    // Groups as they may be shown: links the listing did not mark taken out
    // (where the platform needs it and nothing has read the files), one name per file.
    void KeepShowable(int category, std::vector<Group>& groups, bool contentsRead);
    void Place(int category, const Group& g, std::vector<PlacedGroup>& placed);
    void Count();
    // Takes the members the comparison could not read from the statistics.
    void NoteUnreadable(int category);
    void NoteUnreadable(const std::wstring& path);

    const SearchSettings& settings_;
    const TextSource& texts_;
    ProgressSink& progress_;
    ResultsSink& results_;
    ContentSource& content_;
    ContentCache* cache_;
    FileCollection files_;
    std::array<ResultsSink::Item, kCategoryCount> categoryItems_{};
    std::array<std::vector<PlacedGroup>, kCategoryCount> placed_;
    ProgressFigures figures_;
    // Bytes and files to compare before each group of the category in hand.
    std::vector<std::pair<uint64_t, uint64_t>> before_;
    std::vector<std::wstring> unreadable_;
    std::unordered_set<std::wstring> unreadableSeen_;
    SearchStats stats_;
};

enum class SearchOutcome { EmptyPath, MissingFolder, NoCriterion, Done, Cancelled };

// The whole search: category bounds from the store, folder count for the
// progress, collection, comparison, second step. A path list without folders,
// or with one that does not exist (`out.missingFolder`), or settings without a
// criterion change nothing.
SearchOutcome RunSearch(const std::wstring& pathText, SearchSettings& settings, PowerClass& store,
                        const TextSource& texts, ProgressSink& progress, ResultsSink& results,
                        DuplicateResults& out, SearchStats* stats = nullptr, ContentSource* content = nullptr,
                        ContentCache* cache = nullptr);
