#include "MessageReflection.h"

#include "Control.h"

namespace platform {

bool MessageReflection::ToChild(Control& parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (Control* child = ChildOfWindow(parent, reinterpret_cast<HWND>(lParam))) {
            child->CommandReflected(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
        if (Control* child = ChildOfId(parent, static_cast<int>(wParam)))
            return child->OwnerDrawReflected(message, lParam, result);
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = ChildOfWindow(parent, reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
            return true;
        }
        return false;
    }
    return false;
}

Control* MessageReflection::ChildOfWindow(const Control& parent, HWND window) {
    if (!window) return nullptr;
    for (Control* child : parent.Controls())
        if (child->Handle() == window) return child;
    return nullptr;
}

Control* MessageReflection::ChildOfId(const Control& parent, int id) {
    if (id == 0) return nullptr;  // 0 is a menu's, never a control's
    for (Control* child : parent.Controls())
        if (child->ControlId() == id) return child;
    return nullptr;
}

}  // namespace platform
