#pragma once
// A results tree in memory: the headless front end and the tests hold the
// search's results in it instead of a tree control.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "varnholt/engine/SearchSinks.h"

class MemoryTree : public ResultsSink {
public:
    struct Node {
        Item parent = 0;
        std::wstring text;
        std::vector<Item> children;
        std::optional<FileFacts> facts;  // a file item's
    };

    void Clear() override;
    Item InsertItem(Item parent, std::wstring text) override;
    void SetItemText(Item item, const std::wstring& text) override;
    Item InsertFile(Item parent, std::wstring path, const FileFacts& facts) override;
    void DeleteItem(Item item) override;

    const std::vector<Item>& Children(Item parent) const;
    const std::wstring& Text(Item item) const { return nodes_[item].text; }
    const std::optional<FileFacts>& Facts(Item item) const { return nodes_[item].facts; }
    // The groups of duplicates in tree order, each its file items; no heading's.
    std::vector<std::vector<Item>> Groups() const;
    // Every item's text in tree order: each item, then its children.
    std::vector<std::wstring> TextsInOrder() const;
    // Calls `each(text)` in the same order, without copying the texts.
    template <typename Each>
    void ForEachInOrder(Each each) const {
        std::vector<Item> stack(nodes_[0].children.rbegin(), nodes_[0].children.rend());
        while (!stack.empty()) {
            const Item item = stack.back();
            stack.pop_back();
            each(nodes_[item].text);
            stack.insert(stack.end(), nodes_[item].children.rbegin(), nodes_[item].children.rend());
        }
    }

private:
    void Release(Item item);

    // Node 0 is the root. A deque: a million nodes are never moved to grow.
    std::deque<Node> nodes_ = std::deque<Node>(1);
    std::vector<Item> free_;
};
