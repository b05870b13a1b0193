#pragma once
// The results tree as the search fills it: category headings, groups, paths.
#include <windows.h>
#include <commctrl.h>

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
    void SetItemText(Item item, const std::wstring& text) override;
    void DeleteItem(Item item) override;

    // Collapses every top-level item: the category headings.
    void CollapseHeadings() const;

private:
    fw::TreeView tree_;
};
