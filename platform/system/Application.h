#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Process-wide facts: the image this code is linked into, the host, and
// the help that the module shows.
class Application {
public:
    // The image (DLL or EXE) this code is linked into; resources load from it.
    static HINSTANCE Instance();
    // The host executable's name without folder and extension.
    static std::string Title();
    // The folder of the host executable, with a trailing backslash; "" when
    // the system cannot say.
    static std::string ExeFolder();

    // Shows help on a help context; the module sets the handler.
    static void ShowHelp(int helpContext);
    static void SetHelpHandler(std::function<void(int)> handler);
};

}  // namespace platform
