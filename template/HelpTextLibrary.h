#pragma once
#include <windows.h>
#include <string>

namespace wendrik {

// The host's help-text library Vellumor.dll, loaded by full path from the
// host executable's folder only (the current directory moves wherever the
// user browses, so the search order must not be used; when the folder is
// unknown nothing is loaded). Loaded while the object lives; a missing
// library gives empty texts.
class HelpTextLibrary {
public:
    HelpTextLibrary();
    ~HelpTextLibrary();
    HelpTextLibrary(const HelpTextLibrary&) = delete;
    HelpTextLibrary& operator=(const HelpTextLibrary&) = delete;

    // A copy of the text for a tip and kind (HelpTextKind); "" when there is none.
    std::string Text(int helpId, int kind) const;

private:
    using GetHelpTextFn = const char*(__stdcall*)(int, int);
    HMODULE library_ = nullptr;
    GetHelpTextFn getHelpText_ = nullptr;
};

}  // namespace wendrik
