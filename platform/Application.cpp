#include "Application.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace platform {

namespace {
int depth = 0;
std::vector<std::function<void()>>& Pending() {
    static std::vector<std::function<void()>> pending;
    return pending;
}
}  // namespace

HINSTANCE Application::Instance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string Application::Title() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string Application::ExeFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // CharNextA keeps a trail byte equal to '\' from being taken for the separator.
    const char* end = path;
    for (const char* p = path; p < path + n; p = CharNextA(p))
        if (*p == '\\') end = p + 1;
    return std::string(static_cast<const char*>(path), end);
}

Application::Scope::Scope() { ++depth; }

Application::Scope::~Scope() {
    if (--depth == 0) RunDeferred();
}

void Application::Defer(std::function<void()> destroy) {
    if (depth > 0) {
        Pending().push_back(std::move(destroy));
        return;
    }
    Scope scope;  // what it destroys may defer further work
    destroy();
}

void Application::RunDeferred() {
    while (!Pending().empty()) {
        std::vector<std::function<void()>> batch;
        batch.swap(Pending());
        ++depth;
        for (auto& destroy : batch) {
            try {
                destroy();
            } catch (...) {
                // A failing destructor must not stop the others; nothing to report to.
            }
        }
        --depth;
    }
}

bool Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool Application::WaitPumping(HANDLE handle) {
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1 || !ProcessMessages()) return false;
    }
}

}  // namespace platform
