#pragma once
#include <windows.h>
#include <functional>

namespace desktop {

// Dispatches messages until `done` holds or `timeoutMs` has passed; returns
// done(). Waits on the message queue, never sleeps blindly.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Dispatches what is queued now.
void PumpPending();

// Mouse messages as a click delivers them, at a client point of `window`
// (its centre when the point is not given).
void Click(HWND window);
void ClickAt(HWND window, POINT client);
void MouseEnter(HWND window);
void MouseLeave(HWND window);
// Holds Shift down (or lets it go) in this thread's keyboard state, as
// Shift+Tab needs it.
void SetShift(bool down);
// The cursor a window asks for over its client area.
HCURSOR CursorOver(HWND window);

}  // namespace desktop
