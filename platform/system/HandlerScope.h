#pragma once
#include <functional>

namespace platform {

// Counts the handlers and exports of ours that are running. An object that
// is asked to go away while one of them is still on the stack is destroyed
// when the outermost has returned: its destruction is deferred work.
class [[nodiscard]] HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // True while a handler or export of ours is on the stack.
    static bool Running();
    // True while another one runs beneath the current one, so that deferred
    // work waits for more than the current one to return.
    static bool Nested();
    // Runs `work` now when no handler runs, else when the last one returns.
    // Deferred work must not throw: nobody is left to hear of it.
    static void Defer(std::function<void()> work);
    // True while deferred work waits.
    static bool WorkPending();

private:
    static void RunDeferred();
};

}  // namespace platform
