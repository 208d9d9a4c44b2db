#include "SortedStrings.h"

#include <algorithm>

#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

void SortedStrings::Add(const std::string& text) {
    if (settled_ && !strings_.empty()) {  // more after a read: the settled ones join again
        for (std::string& s : strings_) {
            keys_.Add(s);
            texts_.push_back(std::move(s));
        }
        strings_.clear();
    }
    keys_.Add(text);
    texts_.push_back(text);
    settled_ = false;
}

void SortedStrings::Settle() const {
    if (settled_) return;
    std::vector<std::string> keys = keys_.Finish();
    std::vector<size_t> order(texts_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    // Stable, so that of equal strings the first added is the one kept.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    strings_.clear();
    strings_.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        if (i == 0 || keys[order[i]] != keys[order[i - 1]]) strings_.push_back(std::move(texts_[order[i]]));
    texts_.clear();
    settled_ = true;
}

std::vector<std::string> SortedStrings::Take() {
    Settle();
    return std::move(strings_);
}

int SortedStrings::Count() const {
    Settle();
    return static_cast<int>(strings_.size());
}

const std::vector<std::string>& SortedStrings::Strings() const {
    Settle();
    return strings_;
}

}  // namespace wendrik
