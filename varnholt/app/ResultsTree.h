#pragma once
// The results tree as the search fills it: category headings, groups, paths.
// Beside the control it keeps the results themselves (each item's text, its
// place and, for a file, what the search saw of it), so that saving, editing,
// printing and the actions on every file never walk or expand the control.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Controls.h"
#include "varnholt/engine/SearchSinks.h"

class ResultsTree : public ResultsSink {
public:
    ResultsTree() { Reset(); }
    explicit ResultsTree(HWND tree);
    void Attach(HWND tree) { tree_ = fw::TreeView(tree); }
    const fw::TreeView& Tree() const { return tree_; }

    void Clear() override;
    Item InsertItem(Item parent, std::wstring text) override;
    Item InsertFile(Item parent, std::wstring path, const FileFacts& facts) override;
    void SetItemText(Item item, const std::wstring& text) override;
    void DeleteItem(Item item) override;
    void SetItemText(HTREEITEM item, const std::wstring& text) { SetItemText(reinterpret_cast<Item>(item), text); }
    void DeleteItem(HTREEITEM item) { DeleteItem(reinterpret_cast<Item>(item)); }

    // Collapses every top-level item: the category headings.
    void CollapseHeadings() const;
    // What the search saw of the file of a path item; nullptr for other items.
    const FileFacts* Facts(HTREEITEM item) const;
    const std::wstring& Text(HTREEITEM item) const;
    // Every item's text in tree order, from the results kept here.
    std::vector<std::wstring> TextsInOrder() const;
    // The items that hold what the search saw of a file, in tree order.
    std::vector<HTREEITEM> FileItems() const;
    // The file items still at their places (not moved or linked), group by group.
    std::vector<std::vector<HTREEITEM>> Groups() const;

    // Ticks of file items, kept here as the control shows them, with their sum.
    bool Ticked(HTREEITEM item) const;
    void SetTicked(HTREEITEM item, bool ticked);
    // After the user turned a box over: what the control now shows.
    void NoteTick(HTREEITEM item);
    // Every tick as the control shows it; the boxes of headings, groups and
    // files no longer at their places are cleared.
    void SyncTicks();
    uint64_t TickedCount() const { return tickedCount_; }
    uint64_t TickedBytes() const { return tickedBytes_; }
    void SetBold(HTREEITEM item, bool bold) const;
    // From the root, each next visible item: nothing below a collapsed item.
    std::vector<HTREEITEM> VisibleItems() const;
    // Every item in tree order, each expanded on the way, so the tree stays expanded.
    std::vector<HTREEITEM> ExpandEvery() const;

    // Many changes at once: the control draws again once, when the batch ends.
    class Batch {
    public:
        explicit Batch(const ResultsTree& tree);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        HWND control_;
    };

private:
    static constexpr uint32_t kNone = UINT32_MAX;
    struct Node {
        std::wstring text;
        HTREEITEM handle = nullptr;
        uint32_t parent = kNone, first = kNone, last = kNone, next = kNone, prev = kNone;
        uint32_t facts = kNone;  // into facts_
        bool ticked = false;     // file items only
        bool alive = true;       // false once deleted: the control may give its handle to a new item
    };
    // A file item at its place: with facts and a path for its text.
    bool IsListedFile(const Node& node) const;
    void Count(Node& node, bool ticked);
    void Reset();
    void Add(uint32_t parent, std::wstring text, HTREEITEM handle, uint32_t facts);
    uint32_t NodeOf(Item item) const;
    template <typename Visit>
    void Walk(Visit&& visit) const;

    fw::TreeView tree_;
    std::vector<Node> nodes_;  // the root first, then in the order inserted; a deleted node is unlinked
    std::unordered_map<HTREEITEM, uint32_t> nodeOf_;
    std::vector<FileFacts> facts_;
    uint64_t tickedCount_ = 0, tickedBytes_ = 0;
};

// A file item: its text holds a backslash after the first character.
bool IsFileItem(const std::wstring& text);
