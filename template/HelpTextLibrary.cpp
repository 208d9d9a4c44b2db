#include "HelpTextLibrary.h"

#include <windows.h>

#include "platform/Application.h"

namespace wendrik {

std::string HelpTextLibrary::Text(int helpId, int kind) {
    std::string path = platform::Application::ExeFolder() + "Vellumor.dll";
    HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return "";
    using GetHelpTextFn = const char*(__stdcall*)(int, int);
    auto getHelpText = reinterpret_cast<GetHelpTextFn>(GetProcAddress(library, "GetHelpText"));
    std::string text;
    if (getHelpText) {
        const char* found = getHelpText(helpId, kind);
        if (found) text = found;
    }
    FreeLibrary(library);
    return text;
}

}  // namespace wendrik
