#pragma once
#include <windows.h>
#include <vector>
#include "WindowHandle.h"

namespace platform {

class Control;

// The tooltip window of one form and the controls it shows hints for: made
// when the first hint is wanted, kept in step with the controls' hints and
// windows, destroyed with the form.
class Tooltips {
public:
    Tooltips() = default;
    ~Tooltips() { Destroy(); }
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    // `control`'s hint or its showing changed: its tool is added, updated or removed.
    void HintChanged(HWND owner, Control* control);
    // `control`'s window went; the tooltip still holds its tool by the old handle.
    void WindowGone(HWND owner, Control* control, HWND window);
    // The tooltip and its tools go now, while the tools' windows still exist.
    void Destroy();
    // The owner's window went by another route, taking the tooltip along.
    void OwnerGone();

private:
    WindowHandle window_;
    std::vector<Control*> tools_;
};

}  // namespace platform
