#include "BroadcastCatcher.h"

namespace testing_support {

BroadcastCatcher::BroadcastCatcher(UINT message) : message_(message) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TestBroadcastCatcher";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "catcher", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

BroadcastCatcher::~BroadcastCatcher() { DestroyWindow(window_); }

LRESULT CALLBACK BroadcastCatcher::Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<BroadcastCatcher*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && m == self->message_) {
        self->received_.emplace_back(wp, lp);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

}  // namespace testing_support
