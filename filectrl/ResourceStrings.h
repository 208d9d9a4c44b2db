#pragma once
#include <string>

namespace wendrik {

// The texts the directory-selection controls show, in the page's language:
// German unless the page has said English. The page sets it with its language.
class ResourceStrings {
public:
    static void UseEnglish(bool english) { english_ = english; }
    static bool English() { return english_; }

    // "%s" takes the typed path.
    static std::string SInvalidFileName() {
        return english_ ? "Invalid file name: \"%s\" names no file" : "Ungültiger Dateiname: \"%s\" ist keine Datei";
    }

private:
    static inline bool english_ = false;
};

}  // namespace wendrik
