#include "varnholt/app/ResultsTree.h"

void ResultsTree::Clear() { tree_.DeleteAllItems(); }

ResultsSink::Item ResultsTree::InsertItem(Item parent, const std::wstring& text) {
    HTREEITEM under = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    return reinterpret_cast<Item>(tree_.InsertItem(text, under, TVI_LAST));
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
