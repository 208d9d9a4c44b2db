#include "Application.h"

#include <exception>

#include "Error.h"
#include "ThreadExceptionGuard.h"
#include "UniqueHandle.h"
#include "ScopeGuard.h"
#include "Text.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace platform {

namespace {
int depth = 0;
bool held = false;
size_t formsAlive = 0;
bool formHeld = false;  // the image's reference for its live forms

void ReleaseFormHold() {
    if (!formHeld || formsAlive > 0 || depth > 0) return;
    formHeld = false;
    FreeLibrary(Application::Instance());
}
std::vector<std::function<void()>>& Pending() {
    static std::vector<std::function<void()>> pending;
    return pending;
}
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
struct Job {
    const std::function<void()>* work;
    std::exception_ptr error;
    DWORD structured = 0;  // the code of a structured exception that ended the thread
};

void DoJob(void* parameter) {
    auto* job = static_cast<Job*>(parameter);
    try {
        (*job->work)();
    } catch (...) {  // the thread's boundary: handed to the waiting thread
        job->error = std::current_exception();
    }
}

DWORD WINAPI RunJob(void* parameter) {
    auto* job = static_cast<Job*>(parameter);
    ThreadExceptionGuard::Run(DoJob, job, &job->structured);
    return 0;
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

Application::Scope::Scope() { ++depth; }

Application::Scope::~Scope() {
    if (--depth == 0) RunDeferred();
}

bool Application::Running() { return depth > 0; }

bool Application::Nested() { return depth > 1; }

void Application::Defer(std::function<void()> work) {
    if (depth > 0) {
        Pending().push_back(std::move(work));
        return;
    }
    Scope scope;  // what it destroys may defer further work
    work();
}

void Application::RunDeferred() {
    while (!Pending().empty()) {
        // Swapped out first: the work may defer more, which then waits for the next round.
        std::vector<std::function<void()>> batch;
        batch.swap(Pending());
        ValueScope<int> running(depth, depth + 1);
        for (auto& work : batch) work();
    }
}

bool Application::TakeImageReference() {
    HMODULE self = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&__ImageBase),
                              &self) != FALSE;
}

void Application::HoldImage() {
    if (!held) held = TakeImageReference();
}

void Application::FormsAlive(size_t count) {
    formsAlive = count;
    if (count > 0 && !formHeld) formHeld = TakeImageReference();
}

void Application::LeaveExport() { ReleaseFormHold(); }

void Application::ReleaseHeldImage() {
    ReleaseFormHold();
    if (!held || depth > 0 || !Pending().empty()) return;
    held = false;
    FreeLibrary(Instance());
}

bool Application::ImageHeld() { return held; }

void Application::ShowHelp(int helpContext) {
    if (HelpHandler()) HelpHandler()(helpContext);
}

void Application::SetHelpHandler(std::function<void(int)> handler) { HelpHandler() = std::move(handler); }

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
    HoldImage();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1 || !ProcessMessages()) return false;
    }
}

bool Application::RunPumping(const std::function<void()>& work, DWORD* structuredException) {
    if (structuredException) *structuredException = 0;
    Job job{&work, nullptr};
    KernelHandle thread(CreateThread(nullptr, 0, RunJob, &job, 0, nullptr));
    if (!thread) {
        work();
        return true;
    }
    bool pumped = WaitPumping(thread.Get());
    // The job lives in this frame: never leave before the thread has.
    if (!pumped) WaitForSingleObject(thread.Get(), INFINITE);
    if (job.error) std::rethrow_exception(job.error);
    if (job.structured && !structuredException) {
        char text[64];
        wsprintfA(text, "exception 0x%08lX on a helper thread", job.structured);
        throw Error(text);
    }
    if (structuredException) *structuredException = job.structured;
    return pumped;
}

}  // namespace platform
