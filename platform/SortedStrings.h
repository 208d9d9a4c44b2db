#pragma once
#include <string>
#include <vector>

namespace platform {

// Strings in ascending order by the locale's comparison with case ignored;
// a string that compares equal to one already in the list is not added.
// Adding is cheap: the list is put in order when it is read.
class SortedStrings {
public:
    void Add(const std::string& text);
    int Count() const;
    const std::vector<std::string>& Strings() const;

private:
    void Settle() const;
    struct Entry {
        std::string key;
        std::string text;
    };
    mutable std::vector<Entry> entries_;
    mutable std::vector<std::string> strings_;
    mutable bool settled_ = true;
};

}  // namespace platform
