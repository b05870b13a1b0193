#include "varnholt/app/ResultsTree.h"

void ResultsTree::Clear() {
    tree_.DeleteAllItems();
    facts_.clear();
}

ResultsSink::Item ResultsTree::InsertItem(Item parent, const std::wstring& text) {
    HTREEITEM under = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    return reinterpret_cast<Item>(tree_.InsertItem(text, under, TVI_LAST));
}

ResultsSink::Item ResultsTree::InsertFile(Item parent, const std::wstring& path, const FileFacts& facts) {
    facts_.push_back(facts);
    HTREEITEM under = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    return reinterpret_cast<Item>(tree_.InsertItem(path, under, TVI_LAST, static_cast<LPARAM>(facts_.size())));
}

void ResultsTree::SetItemText(Item item, const std::wstring& text) {
    if (item) tree_.SetItemText(reinterpret_cast<HTREEITEM>(item), text);
}

void ResultsTree::DeleteItem(Item item) {
    if (item) tree_.DeleteItem(reinterpret_cast<HTREEITEM>(item));
}

void ResultsTree::CollapseHeadings() const {
    for (HTREEITEM item = tree_.GetRoot(); item; item = tree_.GetNextSibling(item)) tree_.Expand(item, TVE_COLLAPSE);
}

const FileFacts* ResultsTree::Facts(HTREEITEM item) const {
    const LPARAM data = item ? tree_.GetItemData(item) : 0;
    return data > 0 && static_cast<size_t>(data) <= facts_.size() ? &facts_[data - 1] : nullptr;
}

std::vector<HTREEITEM> ResultsTree::VisibleItems() const {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = tree_.GetRoot(); item; item = tree_.GetNextVisible(item)) items.push_back(item);
    return items;
}

std::vector<HTREEITEM> ResultsTree::ExpandEvery() const {
    std::vector<HTREEITEM> items;
    const unsigned count = tree_.GetCount();
    HTREEITEM item = tree_.GetRoot();
    for (unsigned i = 0; i < count && item; ++i, item = tree_.GetNextVisible(item)) {
        tree_.Expand(item, TVE_EXPAND);
        items.push_back(item);
    }
    return items;
}

bool IsFileItem(const std::wstring& text) { return text.size() > 1 && text.find(L'\\', 1) != std::wstring::npos; }
