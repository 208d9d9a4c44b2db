#include "ListBoxSortOrder.h"

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {

// Where the list box's binary search (midpoints of [min, max], max starting
// at the last item, stopping at the first equal item) inserts a string, when
// `less` items are smaller than it, `equal` compare equal to it and `count`
// are held in all.
int InsertionIndex(int less, int equal, int count) {
    if (equal == 0 || count == 0) return less;
    int min = 0, max = count - 1;
    while (min <= max) {
        int index = (min + max) / 2;
        if (index < less) min = index + 1;
        else if (index >= less + equal) max = index - 1;
        else return index;
    }
    return min;
}

// Counts of items by sorted rank, for prefix counts in adding order.
class Fenwick {
public:
    explicit Fenwick(size_t n) : tree_(n + 1, 0) {}
    void Add(size_t rank) {
        for (size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    int Before(size_t rank) const {  // items of rank < `rank`
        int sum = 0;
        for (size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

private:
    std::vector<int> tree_;
};

}  // namespace

struct ListBoxSortOrder::Tree {
    using Key = std::pair<std::string, int>;
    __gnu_pbds::tree<Key, __gnu_pbds::null_type, std::less<Key>, __gnu_pbds::rb_tree_tag,
                     __gnu_pbds::tree_order_statistics_node_update>
        keys;
};

ListBoxSortOrder::ListBoxSortOrder() : tree_(std::make_unique<Tree>()) {}
ListBoxSortOrder::~ListBoxSortOrder() = default;

int ListBoxSortOrder::Add(const std::string& text) {
    if (!tree_) {
        later_.Add(text);
        return -1;
    }
    keys_.push_back(SortKey(text));
    const std::string& key = keys_.back();
    int count = static_cast<int>(tree_->keys.size());
    int less = static_cast<int>(tree_->keys.order_of_key({key, std::numeric_limits<int>::min()}));
    int upTo = static_cast<int>(tree_->keys.order_of_key({key, std::numeric_limits<int>::max()}));
    tree_->keys.insert({key, static_cast<int>(keys_.size())});
    return InsertionIndex(less, upTo - less, count);
}

void ListBoxSortOrder::StopTrackingIndices() { tree_.reset(); }

std::vector<int> ListBoxSortOrder::Order() {
    for (std::string& key : later_.Finish()) keys_.push_back(std::move(key));
    const int n = static_cast<int>(keys_.size());
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i) order[i] = i;
    // Equal keys are put in the list box's order below; others have one place.
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys_[a] < keys_[b]; });
    // Runs of equal keys: replay their adding to see where the list box put each.
    std::vector<std::pair<int, int>> runs;  // [start, end) in `order`
    for (int i = 0; i < n;) {
        int j = i + 1;
        while (j < n && keys_[order[j]] == keys_[order[i]]) ++j;
        if (j - i > 1) runs.push_back({i, j});
        i = j;
    }
    if (runs.empty()) return order;
    std::vector<int> rank(n), runOf(n, -1);
    for (int i = 0; i < n; ++i) rank[order[i]] = i;
    for (size_t r = 0; r < runs.size(); ++r)
        for (int i = runs[r].first; i < runs[r].second; ++i) runOf[order[i]] = static_cast<int>(r);
    std::vector<std::vector<int>> arranged(runs.size());
    Fenwick added(n);
    for (int entry = 0; entry < n; ++entry) {  // in adding order
        if (int r = runOf[entry]; r >= 0) {
            int less = added.Before(runs[r].first);
            int equal = static_cast<int>(arranged[r].size());
            int at = InsertionIndex(less, equal, entry) - less;
            arranged[r].insert(arranged[r].begin() + at, entry);
        }
        added.Add(rank[entry]);
    }
    for (size_t r = 0; r < runs.size(); ++r)
        std::copy(arranged[r].begin(), arranged[r].end(), order.begin() + runs[r].first);
    return order;
}

}  // namespace wendrik
