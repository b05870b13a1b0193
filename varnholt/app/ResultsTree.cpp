#include "varnholt/app/ResultsTree.h"

namespace {
const std::wstring kNoText;
}

ResultsTree::ResultsTree(HWND tree) : tree_(tree) { Reset(); }

void ResultsTree::Reset() {
    nodes_.assign(1, Node{});  // the root
    nodeOf_.clear();
    facts_.clear();
    tickedCount_ = tickedBytes_ = 0;
}

bool ResultsTree::IsListedFile(const Node& node) const { return node.facts != kNone && IsFileItem(node.text); }

void ResultsTree::Count(Node& node, bool ticked) {
    if (node.ticked == ticked) return;
    node.ticked = ticked;
    const uint64_t size = facts_[node.facts].size;
    if (ticked) ++tickedCount_, tickedBytes_ += size;
    else --tickedCount_, tickedBytes_ -= size;
}

bool ResultsTree::Ticked(HTREEITEM item) const {
    const uint32_t n = NodeOf(reinterpret_cast<Item>(item));
    return n != kNone && n != 0 && nodes_[n].ticked;
}

void ResultsTree::SetTicked(HTREEITEM item, bool ticked) {
    const uint32_t n = NodeOf(reinterpret_cast<Item>(item));
    if (n == kNone || n == 0) return;
    // Headings, groups and files no longer at their places take no tick.
    if (!IsListedFile(nodes_[n])) ticked = false;
    if (tree_.GetCheck(item) != ticked) tree_.SetCheck(item, ticked);
    if (nodes_[n].facts != kNone) Count(nodes_[n], ticked);
}

void ResultsTree::NoteTick(HTREEITEM item) {
    const uint32_t n = NodeOf(reinterpret_cast<Item>(item));
    if (n == kNone || n == 0 || !IsListedFile(nodes_[n])) return;
    Count(nodes_[n], tree_.GetCheck(item));
}

void ResultsTree::SyncTicks() {
    for (size_t n = 1; n < nodes_.size(); ++n) {
        Node& node = nodes_[n];
        if (!node.alive) continue;
        const bool shown = tree_.GetCheck(node.handle);
        if (IsListedFile(node)) Count(node, shown);
        else if (shown) tree_.SetCheck(node.handle, false);
    }
}

void ResultsTree::SetBold(HTREEITEM item, bool bold) const {
    TVITEMW tv = {};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_BOLD;
    tv.state = bold ? TVIS_BOLD : 0;
    SendMessageW(tree_.hwnd(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void ResultsTree::Clear() {
    tree_.DeleteAllItems();
    Reset();
}

uint32_t ResultsTree::NodeOf(Item item) const {
    if (!item) return 0;
    const auto it = nodeOf_.find(reinterpret_cast<HTREEITEM>(item));
    return it == nodeOf_.end() ? kNone : it->second;
}

void ResultsTree::Add(uint32_t parent, std::wstring text, HTREEITEM handle, uint32_t facts) {
    if (!handle || parent == kNone) return;
    const uint32_t index = static_cast<uint32_t>(nodes_.size());
    Node node;
    node.text = std::move(text);
    node.handle = handle;
    node.facts = facts;
    node.parent = parent;
    // Appended as the last child, as the control places it.
    node.prev = nodes_[parent].last;
    nodes_.push_back(std::move(node));
    if (nodes_[index].prev != kNone) nodes_[nodes_[index].prev].next = index;
    else nodes_[parent].first = index;
    nodes_[parent].last = index;
    nodeOf_[handle] = index;
}

ResultsSink::Item ResultsTree::InsertItem(Item parent, std::wstring text) {
    HTREEITEM under = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    HTREEITEM item = tree_.InsertItem(text, under, TVI_LAST);
    Add(NodeOf(parent), std::move(text), item, kNone);
    return reinterpret_cast<Item>(item);
}

ResultsSink::Item ResultsTree::InsertFile(Item parent, std::wstring path, const FileFacts& facts) {
    HTREEITEM under = parent ? reinterpret_cast<HTREEITEM>(parent) : TVI_ROOT;
    HTREEITEM item = tree_.InsertItem(path, under, TVI_LAST);
    facts_.push_back(facts);
    Add(NodeOf(parent), std::move(path), item, static_cast<uint32_t>(facts_.size() - 1));
    return reinterpret_cast<Item>(item);
}

void ResultsTree::SetItemText(Item item, const std::wstring& text) {
    if (!item) return;
    tree_.SetItemText(reinterpret_cast<HTREEITEM>(item), text);
    const uint32_t n = NodeOf(item);
    if (n == kNone || n == 0) return;
    nodes_[n].text = text;
    // A file gone from its place (moved, replaced by a link) keeps no tick.
    if (nodes_[n].ticked && !IsListedFile(nodes_[n])) SetTicked(reinterpret_cast<HTREEITEM>(item), false);
}

void ResultsTree::DeleteItem(Item item) {
    // An item gone already (with a parent deleted before it) is never passed to the control again.
    const uint32_t n = NodeOf(item);
    if (n == kNone || n == 0) return;
    tree_.DeleteItem(reinterpret_cast<HTREEITEM>(item));
    Node& node = nodes_[n];
    Node& parent = nodes_[node.parent];
    if (node.prev != kNone) nodes_[node.prev].next = node.next;
    else parent.first = node.next;
    if (node.next != kNone) nodes_[node.next].prev = node.prev;
    else parent.last = node.prev;
    // The node and its descendants stay in the vector, unlinked and unreachable.
    std::vector<uint32_t> gone{n};
    while (!gone.empty()) {
        const uint32_t g = gone.back();
        gone.pop_back();
        if (nodes_[g].facts != kNone) Count(nodes_[g], false);
        nodes_[g].alive = false;
        nodeOf_.erase(nodes_[g].handle);
        for (uint32_t c = nodes_[g].first; c != kNone; c = nodes_[c].next) gone.push_back(c);
    }
}

template <typename Visit>
void ResultsTree::Walk(Visit&& visit) const {
    // Depth first in tree order, without recursion: groups can be many.
    for (uint32_t at = nodes_.empty() ? kNone : nodes_[0].first; at != kNone;) {
        visit(nodes_[at]);
        if (nodes_[at].first != kNone) {
            at = nodes_[at].first;
            continue;
        }
        while (at != kNone && nodes_[at].next == kNone) {
            at = nodes_[at].parent;
            if (at == 0) at = kNone;
        }
        if (at != kNone) at = nodes_[at].next;
    }
}

std::vector<std::wstring> ResultsTree::TextsInOrder() const {
    std::vector<std::wstring> texts;
    Walk([&](const Node& n) { texts.push_back(n.text); });
    return texts;
}

std::vector<HTREEITEM> ResultsTree::FileItems() const {
    std::vector<HTREEITEM> items;
    Walk([&](const Node& n) {
        if (n.facts != kNone) items.push_back(n.handle);
    });
    return items;
}

std::vector<std::vector<HTREEITEM>> ResultsTree::Groups() const {
    std::vector<std::vector<HTREEITEM>> groups;
    uint32_t parent = kNone;
    Walk([&](const Node& n) {
        if (!IsListedFile(n)) return;
        if (n.parent != parent) groups.emplace_back();
        parent = n.parent;
        groups.back().push_back(n.handle);
    });
    return groups;
}

const std::wstring& ResultsTree::Text(HTREEITEM item) const {
    const uint32_t n = NodeOf(reinterpret_cast<Item>(item));
    return n == kNone || n == 0 ? kNoText : nodes_[n].text;
}

const FileFacts* ResultsTree::Facts(HTREEITEM item) const {
    const uint32_t n = NodeOf(reinterpret_cast<Item>(item));
    return n == kNone || n == 0 || nodes_[n].facts == kNone ? nullptr : &facts_[nodes_[n].facts];
}

void ResultsTree::CollapseHeadings() const {
    for (HTREEITEM item = tree_.GetRoot(); item; item = tree_.GetNextSibling(item)) tree_.Expand(item, TVE_COLLAPSE);
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

ResultsTree::Batch::Batch(const ResultsTree& tree) : control_(tree.tree_.hwnd()) {
    if (control_) SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
}

ResultsTree::Batch::~Batch() {
    if (!control_) return;
    SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
}

bool IsFileItem(const std::wstring& text) { return text.size() > 1 && text.find(L'\\', 1) != std::wstring::npos; }
