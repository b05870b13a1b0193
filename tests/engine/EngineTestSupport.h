#pragma once
// Fakes for the engine's interfaces: texts by number, a progress sink that
// counts and can press Cancel, contents held in memory.
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "common/TextSource.h"
#include "varnholt/engine/ContentCache.h"
#include "varnholt/engine/ContentSource.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/SearchSinks.h"

namespace engine_test {

// "<n>" for every number; 165 ends with a full stop as the heading needs.
class NumberTexts : public TextSource {
public:
    std::wstring GetText(int number) const override {
        return number == 165 ? L"groups." : L"<" + std::to_wstring(number) + L">";
    }
};

class FakeProgress : public ProgressSink {
public:
    void SetStatusText(const std::wstring& text) override { status = text; }
    void SetFolderTotal(int t) override { total = t; }
    int FolderTotal() const override { return total; }
    void SetFolderIndex(int i) override { index = i; }
    int FolderIndex() const override { return index; }
    void SetCurrentText(std::wstring_view text) override { current = text; }
    void SetBarRange(int, int high) override { barHigh = high; }
    void SetBarPos(int pos) override { barPos = pos; }
    void Tick() override { ++ticks; }
    void Refresh() override { ++refreshes; }
    void KeepAlive() override { ++keepAlives; }
    bool CancelRequested() const override {
        if (!cancelled && cancelWhen && cancelWhen(*this)) cancelled = true;
        return cancelled;
    }

    int total = 0, index = 0, barHigh = 0, barPos = 0;
    int ticks = 0, refreshes = 0, keepAlives = 0;
    std::wstring status, current;
    std::function<bool(const FakeProgress&)> cancelWhen;
    mutable bool cancelled = false;
};

// Contents by path; paths in `unreadable` cannot be opened. Counts opens and
// reads. Files are opened from the comparison's read-ahead thread too.
class MemoryContent : public ContentSource {
public:
    std::unique_ptr<ContentReader> Open(const std::wstring& path, const std::wstring&) override {
        std::lock_guard lock(mutex);
        ++opens;
        opened.insert(path);
        if (unreadable.count(path)) return nullptr;
        auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::make_unique<Reader>(*it->second, *this);
    }

    std::map<std::wstring, const std::string*> files;
    std::set<std::wstring> unreadable;
    std::set<std::wstring> opened;
    int opens = 0;
    uint64_t bytes = 0;
    std::mutex mutex;

private:
    class Reader : public ContentReader {
    public:
        Reader(const std::string& data, MemoryContent& owner) : data_(data), owner_(owner) {}
        bool Read(void* buffer, size_t size, size_t& got) override {
            got = std::min(size, data_.size() - at_);
            std::copy_n(data_.data() + at_, got, static_cast<char*>(buffer));
            at_ += got;
            std::lock_guard lock(owner_.mutex);
            owner_.bytes += got;
            return true;
        }

    private:
        const std::string& data_;
        MemoryContent& owner_;
        size_t at_ = 0;
    };
};

// Settings with the given criteria (eight characters for positions 0 to 7),
// every filter off, category units at positions 35 to 40.
inline SearchSettings MakeSettings(const std::wstring& criteria, const std::wstring& units = L"000000") {
    SearchSettings s;
    s.optionsText = criteria + L"xxxxxxx" + L"000" + L"00" + L"000" + L"000" + L"0" + L"xxx" + L"0000" + L"x" + units +
                    L"xxxxx";
    auto digit = [&](size_t p) { return s.optionsText[p] == L'1' ? 1 : 0; };
    s.sameName = digit(0);
    s.sameSize = digit(1);
    s.sameAttributes = digit(2);
    s.sameCreationDate = digit(3);
    s.sameModificationDate = digit(4);
    s.sameAccessDate = digit(5);
    s.sameChecksum = digit(6);
    s.checksumSecondStep = digit(7);
    return s;
}

inline void SetOption(SearchSettings& s, size_t position, wchar_t c) { s.optionsText[position] = c; }

// A whole search of real folders ("folder\\..." joined by ";"), both steps where
// the criteria ask for two, through the cache file when one is given.
struct DiskSearch {
    std::vector<std::wstring> tree;       // the results tree's texts in order
    std::vector<std::wstring> collected;  // every collected path, sorted
    SearchStats stats;
};
inline DiskSearch SearchOnDisk(const std::wstring& pathList, const std::wstring& criteria,
                               const std::array<uint64_t, 6>& bounds, const std::wstring& cacheFile = {}) {
    SearchSettings settings = MakeSettings(criteria);
    settings.categoryBounds = bounds;
    NumberTexts texts;
    FakeProgress progress;
    MemoryTree tree;
    FileContentSource content;
    ContentCache cache;
    if (!cacheFile.empty()) cache.StartLoad(cacheFile);  // as the programs do: beside the walk
    DuplicateSearch search(settings, texts, progress, tree, content, cacheFile.empty() ? nullptr : &cache);
    DuplicateResults results;
    search.Begin(results);
    search.Collect(pathList);
    search.Compare(results);
    if (settings.sameChecksum && settings.checksumSecondStep) search.SecondStep(results);
    if (!cacheFile.empty()) cache.StartSave(cacheFile);  // as the window does; done when `cache` goes
    DiskSearch out{tree.TextsInOrder(), {}, search.Stats()};
    for (const auto& list : search.Files().Lists())
        for (const auto& e : list.entries) out.collected.push_back(search.Files().Path(e));
    std::sort(out.collected.begin(), out.collected.end());
    return out;
}

}  // namespace engine_test
