#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace desktop {

// Plays steps against a top-level window of this thread from a thread
// timer, so that they run inside whatever modal loop shows it. A step runs
// only while the window is shown and enabled (not while a message box of
// it is up), one step a tick; a step that returns false is tried again at
// the next tick, until the step's deadline: then the script gives up, says
// which step failed (Failure(), and to the handler SetFailureHandler gave),
// and closes the window that waits, so that its loop ends.
class WindowScript {
public:
    using Step = std::function<bool(HWND window)>;
    // How long one step may take to succeed, its window's coming included.
    static constexpr DWORD kStepDeadlineMs = 20000;

    explicit WindowScript(std::string caption, DWORD stepDeadlineMs = kStepDeadlineMs);
    ~WindowScript();
    WindowScript(const WindowScript&) = delete;
    WindowScript& operator=(const WindowScript&) = delete;

    WindowScript& Then(Step step);
    // A step that always succeeds.
    WindowScript& Do(std::function<void(HWND window)> action);
    bool Done() const { return next_ == steps_.size(); }
    size_t StepsRun() const { return next_; }
    // The window the last step ran on.
    HWND Window() const { return window_; }
    // "" while no step has missed its deadline, else which one and why.
    const std::string& Failure() const { return failure_; }
    // Told every failure as it happens (the tests turn it into a failed test).
    static void SetFailureHandler(std::function<void(const std::string& failure)> handler);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Run();
    void GiveUp();

    std::string caption_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool running_ = false;
    HWND window_ = nullptr;
    UINT_PTR timer_;
    DWORD deadlineMs_;
    DWORD stepSince_;  // when the step now due became due
    std::string failure_;
};

// The shown top-level window of this thread with this caption, or null.
HWND ShownWindow(const std::string& caption);
// The first child of `parent` whose window text is `text` (its class
// given: also the first one of that class when `text` is null).
HWND ChildWithText(HWND parent, const char* className, const char* text);
// Posts a key down and up to `window`, as the keyboard would.
void PostKey(HWND window, UINT key);
// A character typed into `window`, as the keyboard delivers it (WM_SYSCHAR with Alt).
void PostChar(HWND window, char c, bool alt = false);

}  // namespace desktop
