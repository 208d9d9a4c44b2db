#pragma once
#include <windows.h>
#include <utility>
#include <vector>

namespace testing_support {

// A hidden top-level window that records every broadcast of one message.
class BroadcastCatcher {
public:
    explicit BroadcastCatcher(UINT message);
    ~BroadcastCatcher();
    BroadcastCatcher(const BroadcastCatcher&) = delete;
    BroadcastCatcher& operator=(const BroadcastCatcher&) = delete;

    HWND Handle() const { return window_; }
    const std::vector<std::pair<WPARAM, LPARAM>>& Received() const { return received_; }
    void Clear() { received_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    UINT message_;
    HWND window_;
    std::vector<std::pair<WPARAM, LPARAM>> received_;
};

}  // namespace testing_support
