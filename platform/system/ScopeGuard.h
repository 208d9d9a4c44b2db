#pragma once
#include <utility>

namespace platform {

// Runs a function when it goes out of scope, also when an error passes.
template <class Function>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Function function) : function_(std::move(function)) {}
    ~ScopeExit() {
        if (armed_) function_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    // The work is done another way: nothing runs at the end.
    void Dismiss() { armed_ = false; }
    // The work is due now, at this point of the order: it runs once, here.
    void RunNow() {
        if (armed_) function_();
        armed_ = false;
    }

private:
    Function function_;
    bool armed_ = true;
};

// Sets a flag for the length of a scope and puts its old value back on
// every way out.
template <class T>
class [[nodiscard]] ValueScope {
public:
    ValueScope(T& variable, T value) : variable_(variable), old_(variable) { variable_ = value; }
    ~ValueScope() { variable_ = old_; }
    ValueScope(const ValueScope&) = delete;
    ValueScope& operator=(const ValueScope&) = delete;

private:
    T& variable_;
    T old_;
};

}  // namespace platform
