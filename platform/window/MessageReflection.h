#pragma once
#include <windows.h>

namespace platform {

class Control;

// What a parent window is told about one of its children goes on to that
// child's object: commands and colours found by the child's window (lParam),
// owner-draw messages by its control id, which exists before the window does.
class MessageReflection {
public:
    // True when `message` was about a child of `parent` that handled it; its answer is in `result`.
    static bool ToChild(Control& parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static Control* ChildOfWindow(const Control& parent, HWND window);
    static Control* ChildOfId(const Control& parent, int id);
};

}  // namespace platform
