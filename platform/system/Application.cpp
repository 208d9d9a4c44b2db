#include "Application.h"

#include <vector>

#include "Text.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace platform {

namespace {
std::function<void(int)>& HelpHandler() {
    static std::function<void(int)> handler;
    return handler;
}

// The executable's full path; "" when the system cannot give all of it.
std::string ExePath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return "";
        if (n < path.size()) return std::string(path.data(), n);  // a cut path is never used
        path.resize(path.size() * 2);
        if (path.size() > 32768) return "";
    }
}
}  // namespace

HINSTANCE Application::Instance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string Application::Title() {
    std::string name = ExtractFileName(ExePath());
    std::string::size_type dot = name.find_last_of('.');  // '.' is never a trail byte
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string Application::ExeFolder() { return ExtractFilePath(ExePath()); }

void Application::ShowHelp(int helpContext) {
    if (HelpHandler()) HelpHandler()(helpContext);
}

void Application::SetHelpHandler(std::function<void(int)> handler) { HelpHandler() = std::move(handler); }

}  // namespace platform
