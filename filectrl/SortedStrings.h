#pragma once
#include <string>
#include <vector>
#include "SortKeyBatch.h"

namespace wendrik {

// Strings in ascending order by the locale's comparison with case ignored;
// a string that compares equal to one already in the list is not added,
// unless one of the two is `distinct`: a different thing that only reads
// the same (two folders whose names the code page turned into "?").
// Adding is cheap: the list is put in order when it is read.
class SortedStrings {
public:
    void Add(const std::string& text, bool distinct = false);
    int Count() const;
    const std::vector<std::string>& Strings() const;
    // The strings in order, moved out: the list is empty afterwards.
    std::vector<std::string> Take();

private:
    void Settle() const;
    mutable std::vector<std::string> texts_;  // added since the list was last put in order
    mutable std::vector<bool> textsDistinct_;
    mutable SortKeyBatch keys_;
    mutable std::vector<std::string> strings_;
    mutable std::vector<bool> stringsDistinct_;
    mutable bool settled_ = true;
};

}  // namespace wendrik
