#pragma once
// The results tree as the search fills it: category headings, groups, paths.
// Each path item keeps what the search saw of its file, for the actions.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "varnholt/engine/SearchSinks.h"

class ResultsTree : public ResultsSink {
public:
    ResultsTree() = default;
    explicit ResultsTree(HWND tree) : tree_(tree) {}
    void Attach(HWND tree) { tree_ = fw::TreeView(tree); }
    const fw::TreeView& Tree() const { return tree_; }

    void Clear() override;
    Item InsertItem(Item parent, const std::wstring& text) override;
    Item InsertFile(Item parent, const std::wstring& path, const FileFacts& facts) override;
    void SetItemText(Item item, const std::wstring& text) override;
    void DeleteItem(Item item) override;

    // Collapses every top-level item: the category headings.
    void CollapseHeadings() const;
    // What the search saw of the file of a path item; nullptr for other items.
    const FileFacts* Facts(HTREEITEM item) const;
    // From the root, each next visible item: nothing below a collapsed item.
    std::vector<HTREEITEM> VisibleItems() const;
    // Every item in tree order, each expanded on the way, so the tree stays expanded.
    std::vector<HTREEITEM> ExpandEvery() const;

private:
    fw::TreeView tree_;
    std::vector<FileFacts> facts_;  // item data n > 0 is facts_[n - 1]
};

// A file item: its text holds a backslash after the first character.
bool IsFileItem(const std::wstring& text);
