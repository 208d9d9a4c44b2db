#include "Pump.h"

namespace desktop {

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) return true;
        DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    }
}

void ClickAt(HWND window, POINT client) {
    LPARAM at = MAKELPARAM(client.x, client.y);
    SendMessageA(window, WM_MOUSEMOVE, 0, at);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
}

void Click(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    ClickAt(window, POINT{r.right / 2, r.bottom / 2});
}

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void MouseEnter(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
}

void MouseLeave(HWND window) { SendMessageA(window, WM_MOUSELEAVE, 0, 0); }

HCURSOR CursorOver(HWND window) {
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

}  // namespace desktop
