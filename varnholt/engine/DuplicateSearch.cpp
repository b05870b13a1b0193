#include "varnholt/engine/DuplicateSearch.h"

#include <algorithm>
#include <chrono>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "varnholt/engine/ByteCompare.h"
#include "varnholt/engine/SearchPaths.h"
#include "varnholt/engine/Selection.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/engine/ThreadedSplit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

// --- headings ---

std::wstring CategoryHeading(int category, const SearchSettings& s, const TextSource& texts) {
    const auto& labels = s.categoryLabels;
    if (category == 0) return texts.GetText(txt::kHeadingSmallerThan) + L" " + labels[0];
    if (category == kCategoryCount - 1) return texts.GetText(txt::kHeadingAtLeast) + L" " + labels[5];
    return texts.GetText(txt::kHeadingFrom) + L" " + labels[category - 1] + L" " + texts.GetText(txt::kHeadingToLessThan) + L" " + labels[category];
}

std::wstring CountedHeading(const std::wstring& heading, int count, const TextSource& texts) {
    return heading + L", " + std::to_wstring(count) + L" " + texts.GetText(txt::kGroupsFound);
}

// --- the search ---

DuplicateSearch::DuplicateSearch(const SearchSettings& settings, const TextSource& texts, ProgressSink& progress,
                                 ResultsSink& results, ContentSource& content, ContentCache* cache)
    : settings_(settings), texts_(texts), progress_(progress), results_(results), content_(content), cache_(cache) {}

namespace {

CacheKey KeyOf(const FileEntry& e, const FileFacts& facts) {
    return {facts.volume, e.fileId, e.size, e.lastWrite, e.changeTime};
}

// Where links to files are not marked, the place a file was checked at: a link
// elsewhere to the same file is not taken for it.
uint64_t PlaceHash(const std::wstring& listedAt) {
    if (listedAt.empty()) return 0;
    return (HashBytes(0, reinterpret_cast<const uint8_t*>(listedAt.data()), listedAt.size() * sizeof(wchar_t)) &
            0xFFFFFFFF) | 1;
}

}  // namespace

ContentMemory DuplicateSearch::Remember(int category, const std::vector<Group>& groups, Memory& memory) {
    if (!cache_) return {};
    const SizeCategoryList& list = files_.Lists()[category];
    memory.known.assign(list.entries.size(), nullptr);
    std::wstring listedAt;
    for (const Group& g : groups)
        for (uint32_t m : g) {
            const FileEntry& e = list.entries[m];
            if (!e.fileId) continue;
            files_.ListedAt(e, listedAt);
            memory.known[m] = cache_->Find(KeyOf(e, files_.Facts(e)), PlaceHash(listedAt));
        }
    return {&memory.known, &memory.learned};
}

void DuplicateSearch::Keep(int category, const Memory& memory) {
    if (!cache_) return;
    const SizeCategoryList& list = files_.Lists()[category];
    for (const LearnedContent& l : memory.learned) {
        const FileEntry& e = list.entries[l.member];
        if (!e.fileId) continue;
        CachedContent content = l.content;
        content.placeHash = PlaceHash(files_.ListedAt(e));
        cache_->Store(KeyOf(e, files_.Facts(e)), content);
    }
}

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
    for (const auto& folder : stats_.collection.unreadableFolders) NoteUnreadable(folder);
    stats_.filesCollected = files_.TotalCount();
    stats_.collectSeconds += Seconds(start);
}

void DuplicateSearch::AddToCompare(int category, const Group& g) {
    figures_.bytesTotal += files_.Lists()[category].entries[g.front()].size * g.size();
    figures_.filesTotal += g.size();
}

void DuplicateSearch::StartComparing(int category, const std::vector<Group>& groups) {
    const auto& entries = files_.Lists()[category].entries;
    before_.assign(1, {figures_.bytesDone, figures_.filesDone});
    for (const Group& g : groups)
        before_.push_back({before_.back().first + entries[g.front()].size * g.size(), before_.back().second + g.size()});
}

void DuplicateSearch::ShowCompared(size_t frontier) {
    if (frontier < before_.size()) {
        figures_.bytesDone = before_[frontier].first;
        figures_.filesDone = before_[frontier].second;
    }
    progress_.SetFigures(figures_);
}

std::vector<Group> DuplicateSearch::GroupCategory(int category, std::vector<Group> classes, bool& cancelled) {
    const SizeCategoryList& list = files_.Lists()[category];
    // Two steps: the second step reads the files and makes the groups showable.
    if (settings_.sameChecksum && settings_.checksumSecondStep) return classes;
    if (!settings_.sameChecksum) {
        KeepShowable(category, classes, false);
        return classes;
    }

    // One step: contents are compared only where every other criterion already agrees.
    std::vector<std::vector<Group>> sets;
    std::vector<char> finished;
    Memory memory;
    StartComparing(category, classes);
    SplitEach(files_, list, content_, progress_, stats_, classes, sets, finished, [&](size_t frontier) {
        const int percent =
            frontier < classes.size() ? static_cast<int>(uint64_t(classes[frontier].front()) * 100 / list.count) : 100;
        progress_.SetBarPos(percent);
        ShowCompared(frontier);
        progress_.Refresh();
    }, Remember(category, classes, memory));
    ShowCompared(before_.size() - 1);
    Keep(category, memory);
    NoteUnreadable(category);
    std::vector<Group> groups;
    for (size_t i = 0; i < classes.size(); ++i) {
        if (!finished[i]) cancelled = true;
        for (Group& g : sets[i]) groups.push_back(std::move(g));
    }
    std::sort(groups.begin(), groups.end(), FirstMemberBefore);
    KeepShowable(category, groups, true);
    return groups;
}

void DuplicateSearch::KeepShowable(int category, std::vector<Group>& groups, bool contentsRead) {
    const SizeCategoryList& list = files_.Lists()[category];
    if (!contentsRead) {
        // Reading a file checks where it is; without a read, a look at each member does.
        for (Group& g : groups)
            std::erase_if(g, [&](uint32_t m) {
                const FileEntry& e = list.entries[m];
                const std::wstring listedAt = files_.ListedAt(e);
                if (listedAt.empty()) return false;
                const FilePlacement placement = PlacementOf(files_.Path(e), listedAt);
                if (placement == FilePlacement::Unreachable) NoteUnreadable(files_.Path(e));
                return placement != FilePlacement::Listed;
            });
    }
    KeepDistinctFiles(files_, list, groups);
}

void DuplicateSearch::Place(int category, const Group& g, std::vector<PlacedGroup>& placed) {
    const auto& entries = files_.Lists()[category].entries;
    // Nothing can be done with a group whose every member is kept: it is not listed.
    if (!settings_.keptFolders.empty() &&
        std::all_of(g.begin(), g.end(), [&](uint32_t m) { return IsKept(files_.Path(entries[m]), settings_.keptFolders); }))
        return;
    PlacedGroup p;
    p.members = g;
    const ResultsSink::Item parent = categoryItems_[category];
    p.item = results_.InsertItem(parent, std::wstring(files_.Name(entries[g.front()])));
    for (uint32_t m : g) results_.InsertFile(p.item, files_.Path(entries[m]), files_.Facts(entries[m]));
    placed.push_back(std::move(p));
}

void DuplicateSearch::Compare(DuplicateResults& out) {
    const auto start = std::chrono::steady_clock::now();
    categoryItems_ = out.categoryItems;
    progress_.SetStatusText(texts_.GetText(txt::kComparingFiles));
    progress_.SetBarRange(0, 100);
    progress_.SetFolderTotal(100);
    // Every category's candidates first, so that the bytes to compare are known from the start.
    std::array<std::vector<Group>, kCategoryCount> classes;
    figures_ = {files_.TotalCount(), true};
    for (int c = 0; c < kCategoryCount && !progress_.CancelRequested(); ++c) {
        if (files_.Lists()[c].count == 0) continue;
        classes[c] = PartitionByCriteria(files_, files_.Lists()[c], settings_);
        if (settings_.sameChecksum && !settings_.checksumSecondStep)
            for (const Group& g : classes[c]) AddToCompare(c, g);
    }
    for (int c = 0; c < kCategoryCount; ++c) {
        progress_.SetCurrentText(texts_.GetText(txt::ComparingCategory(c)));
        progress_.SetBarPos(0);
        progress_.Refresh();
        std::vector<Group> groups;
        if (!classes[c].empty() && !progress_.CancelRequested()) {
            bool cancelled = false;
            groups = GroupCategory(c, std::move(classes[c]), cancelled);
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
    figures_ = {files_.TotalCount(), true};
    for (int c = 0; c < kCategoryCount; ++c)
        for (const PlacedGroup& p : placed_[c]) AddToCompare(c, p.members);
    for (int c = 0; c < kCategoryCount; ++c) {
        auto& placed = placed_[c];
        if (placed.empty()) continue;
        const SizeCategoryList& list = files_.Lists()[c];
        progress_.SetCurrentText(texts_.GetText(txt::ComparingCategory(c)));
        progress_.SetBarPos(0);
        progress_.Refresh();
        std::vector<std::vector<Group>> replacement;
        std::vector<char> finished;
        if (!cancelled) {
            std::vector<Group> members;
            members.reserve(placed.size());
            for (const PlacedGroup& p : placed) members.push_back(p.members);
            Memory memory;
            StartComparing(c, members);
            SplitEach(files_, list, content_, progress_, stats_, members, replacement, finished, [&](size_t frontier) {
                progress_.SetBarPos(static_cast<int>(frontier * 100 / placed.size()));
                ShowCompared(frontier);
            }, Remember(c, members, memory));
            ShowCompared(before_.size() - 1);
            Keep(c, memory);
            NoteUnreadable(c);
        } else {
            replacement.assign(placed.size(), {});
            finished.assign(placed.size(), 0);
        }
        size_t firstChanged = placed.size();
        for (size_t i = 0; i < placed.size(); ++i) {
            if (!finished[i]) cancelled = true;
            KeepShowable(c, replacement[i], true);
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

void DuplicateSearch::NoteUnreadable(int category) {
    const auto& entries = files_.Lists()[category].entries;
    for (uint32_t m : stats_.unreadable) NoteUnreadable(files_.Path(entries[m]));
    stats_.unreadable.clear();
}

void DuplicateSearch::NoteUnreadable(const std::wstring& path) {
    if (unreadableSeen_.insert(path).second) unreadable_.push_back(path);
}

void DuplicateSearch::ReportUnreadable(DuplicateResults& out) {
    out.unreadable = unreadable_;
    if (unreadable_.empty()) return;
    std::wstring heading = texts_.GetText(txt::kUnreadableHeading);
    if (size_t at = heading.find(L"%1"); at != std::wstring::npos)
        heading.replace(at, 2, std::to_wstring(unreadable_.size()));
    const ResultsSink::Item item = results_.InsertItem(0, heading);
    for (const auto& path : unreadable_) results_.InsertItem(item, path);
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
                        DuplicateResults& out, SearchStats* stats, ContentSource* content, ContentCache* cache) {
    const std::vector<std::wstring> folders = SearchFolders(pathText);
    if (folders.empty()) return SearchOutcome::EmptyPath;
    // Exactly the folders named, or none: a missing one is not passed over.
    out.missingFolder = FirstMissingFolder(folders);
    if (!out.missingFolder.empty()) return SearchOutcome::MissingFolder;
    // Without a criterion every file would be everybody's duplicate.
    if (!settings.HasCriterion()) return SearchOutcome::NoCriterion;
    LoadCategoryBounds(settings, store, texts);
    FileContentSource files;
    DuplicateSearch search(settings, texts, progress, results, content ? *content : files, cache);
    search.Begin(out);
    out.folders = folders;

    const int total = store.ListSubfolders(folders.front(), 3);
    progress.SetFolderTotal(total);
    progress.SetFolderIndex(0);
    progress.SetBarRange(0, total);
    progress.SetStatusText(texts.GetText(txt::kSearchingFiles));
    search.Collect(pathText, store.FolderList);

    search.Compare(out);
    if (settings.sameChecksum && settings.checksumSecondStep) search.SecondStep(out);
    search.ReportUnreadable(out);
    progress.Refresh();
    out.resultsShown = true;
    if (stats) *stats = search.Stats();
    return out.cancelled ? SearchOutcome::Cancelled : SearchOutcome::Done;
}
