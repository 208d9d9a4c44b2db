#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <utility>
#include "platform/system/UniqueHandle.h"

namespace wendrik {

// The host's help-text library Vellumor.dll, loaded by full path from the
// host executable's folder only (the current directory moves wherever the
// user browses, so the search order must not be used; when the folder is
// unknown nothing is loaded). A text once read is kept for the life of the
// module: a host shows the same tips again and again, and loading the
// library costs more than the page's own windows do. The library is loaded
// only when a text is not known yet, and freed with this object. A missing
// library gives empty texts, and is looked for again next time.
class HelpTextLibrary {
public:
    HelpTextLibrary() = default;
    HelpTextLibrary(const HelpTextLibrary&) = delete;
    HelpTextLibrary& operator=(const HelpTextLibrary&) = delete;

    // A copy of the text for a tip and kind (HelpTextKind); "" when there is none.
    std::string Text(int helpId, int kind);

private:
    using GetHelpTextFn = const char*(__stdcall*)(int, int);
    void Load();

    bool tried_ = false;
    platform::ModuleHandle library_;
    GetHelpTextFn getHelpText_ = nullptr;
    static inline std::map<std::pair<int, int>, std::string> known_;
};

}  // namespace wendrik
