#include "WindowScript.h"

#include <algorithm>

namespace desktop {

namespace {
std::vector<WindowScript*>& Scripts() {
    static std::vector<WindowScript*> scripts;
    return scripts;
}

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<Search*>(parameter);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (IsWindowVisible(window) && *s->caption == text) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    const char* cls;
    const char* text;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<ChildSearch*>(parameter);
    char cls[64] = {}, text[256] = {};
    GetClassNameA(window, cls, sizeof(cls));
    GetWindowTextA(window, text, sizeof(text));
    if ((!s->cls || lstrcmpiA(cls, s->cls) == 0) && (!s->text || std::string(text) == s->text)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

std::function<void(const std::string&)>& FailureHandler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

BOOL CALLBACK FindEnabled(HWND window, LPARAM parameter) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

// The window this thread waits in: the enabled, shown top-level one that is active, or any.
HWND WaitingWindow() {
    HWND active = GetActiveWindow();
    if (active && IsWindowVisible(active) && IsWindowEnabled(active)) return active;
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabled, reinterpret_cast<LPARAM>(&found));
    return found;
}

WindowScript::WindowScript(std::string caption, DWORD stepDeadlineMs)
    : caption_(std::move(caption)), deadlineMs_(stepDeadlineMs), stepSince_(GetTickCount()) {
    Scripts().push_back(this);
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

void WindowScript::SetFailureHandler(std::function<void(const std::string&)> handler) {
    FailureHandler() = std::move(handler);
}

WindowScript::~WindowScript() {
    KillTimer(nullptr, timer_);
    std::erase(Scripts(), this);
}

WindowScript& WindowScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

WindowScript& WindowScript::Do(std::function<void(HWND)> action) {
    return Then([action = std::move(action)](HWND window) {
        action(window);
        return true;
    });
}

void CALLBACK WindowScript::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    for (WindowScript* script : std::vector<WindowScript*>(Scripts()))
        if (script->timer_ == id && std::find(Scripts().begin(), Scripts().end(), script) != Scripts().end())
            script->Run();
}

HWND ShownWindow(const std::string& caption) {
    Search search{&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void WindowScript::Run() {
    if (running_ || Done() || !failure_.empty()) return;  // a step's own nested loop ticks too
    if (GetTickCount() - stepSince_ > deadlineMs_) return GiveUp();
    HWND found = ShownWindow(caption_);
    if (!found || !IsWindowEnabled(found)) return;
    window_ = found;
    running_ = true;
    bool advanced = steps_[next_](window_);
    running_ = false;
    if (advanced) {
        ++next_;
        stepSince_ = GetTickCount();
    }
}

void WindowScript::GiveUp() {
    const HWND shown = ShownWindow(caption_);
    failure_ = "step " + std::to_string(next_ + 1) + " of " + std::to_string(steps_.size()) + " on the window \"" +
               caption_ + "\" did not succeed within " + std::to_string(deadlineMs_) + " ms" +
               (shown ? "" : " (no such window was shown)");
    if (FailureHandler()) FailureHandler()(failure_);
    // The loop that waits ends with its window: cancelled, and closed.
    if (HWND waiting = shown ? shown : WaitingWindow()) {
        PostMessageA(waiting, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(waiting, WM_CLOSE, 0, 0);
    }
}

HWND ChildWithText(HWND parent, const char* className, const char* text) {
    ChildSearch s{className, text, nullptr};
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void PostKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void PostChar(HWND window, char c, bool alt) {
    PostMessageA(window, alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(c), alt ? 0x20000001 : 1);
}

}  // namespace desktop
