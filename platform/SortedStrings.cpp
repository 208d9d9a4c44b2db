#include "SortedStrings.h"

#include <algorithm>

#include "Text.h"

namespace platform {

void SortedStrings::Add(const std::string& text) {
    entries_.push_back({SortKey(text), text});
    settled_ = false;
}

void SortedStrings::Settle() const {
    if (settled_) return;
    // Stable, so that of equal strings the first added is the one kept.
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [](const Entry& a, const Entry& b) { return a.key == b.key; }),
                   entries_.end());
    strings_.clear();
    strings_.reserve(entries_.size());
    for (const Entry& e : entries_) strings_.push_back(e.text);
    settled_ = true;
}

int SortedStrings::Count() const {
    Settle();
    return static_cast<int>(strings_.size());
}

const std::vector<std::string>& SortedStrings::Strings() const {
    Settle();
    return strings_;
}

}  // namespace platform
