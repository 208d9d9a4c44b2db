#include "HandlerScope.h"

#include <vector>

#include "ScopeGuard.h"

namespace platform {

namespace {
int depth = 0;

std::vector<std::function<void()>>& Pending() {
    static std::vector<std::function<void()>> pending;
    return pending;
}
}  // namespace

HandlerScope::HandlerScope() { ++depth; }

HandlerScope::~HandlerScope() {
    if (--depth == 0) RunDeferred();
}

bool HandlerScope::Running() { return depth > 0; }

bool HandlerScope::Nested() { return depth > 1; }

bool HandlerScope::WorkPending() { return !Pending().empty(); }

void HandlerScope::Defer(std::function<void()> work) {
    if (depth > 0) {
        Pending().push_back(std::move(work));
        return;
    }
    HandlerScope scope;  // what it destroys may defer further work
    work();
}

void HandlerScope::RunDeferred() {
    while (!Pending().empty()) {
        // Swapped out first: the work may defer more, which then waits for the next round.
        std::vector<std::function<void()>> batch;
        batch.swap(Pending());
        ValueScope<int> running(depth, depth + 1);
        for (auto& work : batch) work();
    }
}

}  // namespace platform
