#pragma once
#include <memory>
#include "SortKeyBatch.h"
#include <string>
#include <vector>

namespace wendrik {

// The order in which a sorted list box (LBS_SORT with strings) would hold
// strings added one by one, and the index at which each would be inserted,
// without the list box's cost: locale sort keys that compare as the list box
// compares, an order-statistics tree for the insertion index while it is
// wanted, and one sort at the end. Equal strings (case ignored) land where
// the list box's binary search puts them.
class ListBoxSortOrder {
public:
    ListBoxSortOrder();
    ~ListBoxSortOrder();
    ListBoxSortOrder(const ListBoxSortOrder&) = delete;
    ListBoxSortOrder& operator=(const ListBoxSortOrder&) = delete;

    // Adds the next string; returns the index at which the list box would
    // insert it, or -1 once indices are no longer tracked.
    int Add(const std::string& text);
    // From now on Add need not say where strings land (cheaper).
    void StopTrackingIndices();
    // The added strings' positions in adding order, arranged in list box order.
    std::vector<int> Order();

private:
    struct Tree;
    std::vector<std::string> keys_;  // of the strings added while indices were tracked
    SortKeyBatch later_;             // the keys of the rest
    std::unique_ptr<Tree> tree_;
};

}  // namespace wendrik
