#include "varnholt/engine/MemoryTree.h"

#include <algorithm>

void MemoryTree::Clear() {
    nodes_.assign(1, Node{});
    free_.clear();
}

ResultsSink::Item MemoryTree::InsertItem(Item parent, std::wstring text) {
    Item item;
    if (!free_.empty()) {
        item = free_.back();
        free_.pop_back();
        nodes_[item] = Node{parent, std::move(text), {}, {}};
    } else {
        item = nodes_.size();
        nodes_.push_back(Node{parent, std::move(text), {}, {}});
    }
    nodes_[parent].children.push_back(item);
    return item;
}

ResultsSink::Item MemoryTree::InsertFile(Item parent, std::wstring path, const FileFacts& facts) {
    const Item item = InsertItem(parent, std::move(path));
    nodes_[item].facts = facts;
    return item;
}

void MemoryTree::SetItemText(Item item, const std::wstring& text) { nodes_[item].text = text; }

void MemoryTree::Release(Item item) {
    for (Item child : nodes_[item].children) Release(child);
    nodes_[item] = Node{};
    free_.push_back(item);
}

void MemoryTree::DeleteItem(Item item) {
    if (item == 0 || item >= nodes_.size()) return;
    auto& siblings = nodes_[nodes_[item].parent].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    Release(item);
}

const std::vector<ResultsSink::Item>& MemoryTree::Children(Item parent) const { return nodes_[parent].children; }

std::vector<std::wstring> MemoryTree::TextsInOrder() const {
    std::vector<std::wstring> texts;
    ForEachInOrder([&](const std::wstring& text) { texts.push_back(text); });
    return texts;
}

std::vector<std::vector<ResultsSink::Item>> MemoryTree::Groups() const {
    std::vector<std::vector<Item>> groups;
    for (Item heading : nodes_[0].children)
        for (Item group : nodes_[heading].children) {
            // The heading of unread files has paths, not groups, below it.
            if (nodes_[group].facts || nodes_[group].children.empty()) continue;
            groups.push_back(nodes_[group].children);
        }
    return groups;
}
