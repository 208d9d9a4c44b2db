#pragma once
#include <string>

namespace wendrik {

// The host's help-text library Vellumor.dll, loaded by full path from the
// host executable's folder only (the current directory moves wherever the
// user browses, so the search order must not be used).
class HelpTextLibrary {
public:
    enum Kind { German = 2, English = 4, RegistryKey = 5 };
    // A copy of the text for a tip and kind; "" when the library, the
    // function or the text is missing.
    static std::string Text(int helpId, int kind);
};

}  // namespace wendrik
