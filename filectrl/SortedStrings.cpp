#include "SortedStrings.h"

#include <algorithm>

#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

void SortedStrings::Add(const std::string& text, bool distinct) {
    if (settled_ && !strings_.empty()) {  // more after a read: the settled ones join again
        for (size_t i = 0; i < strings_.size(); ++i) {
            keys_.Add(strings_[i]);
            texts_.push_back(std::move(strings_[i]));
            textsDistinct_.push_back(stringsDistinct_[i]);
        }
        strings_.clear();
        stringsDistinct_.clear();
    }
    keys_.Add(text);
    texts_.push_back(text);
    textsDistinct_.push_back(distinct);
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
    stringsDistinct_.clear();
    strings_.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t at = order[i];
        if (i == 0 || keys[at] != keys[order[i - 1]] || textsDistinct_[at] || textsDistinct_[order[i - 1]]) {
            strings_.push_back(std::move(texts_[at]));
            stringsDistinct_.push_back(textsDistinct_[at]);
        }
    }
    texts_.clear();
    textsDistinct_.clear();
    settled_ = true;
}

std::vector<std::string> SortedStrings::Take() {
    Settle();
    std::vector<std::string> out = std::move(strings_);
    strings_.clear();
    stringsDistinct_.clear();
    return out;
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
