#include <windows.h>
#include "Control.h"
#include "WindowClass.h"
#include "platform/system/ScopeGuard.h"

#include <algorithm>
#include <exception>

#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/system/HandlerScope.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/system/Error.h"
#include "platform/system/SystemBoundary.h"
#include "MessageBoxes.h"
#include "MessageReflection.h"
#include "PopupMenu.h"
#include "platform/drawing/Screen.h"

namespace platform {

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
    DestroyComponents();
    for (Control* child : std::vector<Control*>(children_)) child->parent_ = nullptr;
    if (parent_) std::erase(parent_->children_, this);
    DestroyWnd();
}

Control* Control::Root() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return c;
}

bool Control::Dying() const { return const_cast<Control*>(this)->Root()->Freeing(); }

void Control::SetParent(Control* parent) {
    if (parent_ == parent) return;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (!parent_) return;
    parent_->children_.push_back(this);
    // Registered before the window exists: owner-draw messages sent while it
    // is being made find this control by its id.
    if (controlId_ == 0) controlId_ = parent_->nextChildId_++;
    if (parentFont_) font_.Assign(parent_->font_.Look());
    if (parentColor_) color_ = parent_->color_;
    if (!handle_ && parent_->handle_) CreateWnd();
    else if (handle_ && parent_->handle_) ::SetParent(handle_, parent_->handle_);
    layout_.Placed();
}

void Control::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    if (!handle_) CreateWnd();
}

void Control::CreateParams(WindowParams& params) {
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
}

void Control::CreateWnd() {
    WindowClass::CheckThread("making a window");
    WindowParams params;
    CreateParams(params);
    bool own = params.className.empty();
    if (own) params.className = WindowClass::Name();
    HWND parentWindow = parent_ ? parent_->handle_ : nullptr;
    HMENU id = parent_ ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)) : nullptr;
    HWND window = CreateWindowExA(params.exStyle, params.className.c_str(), text_.c_str(),
                                  params.style, left_, top_, width_, WindowHeight(), parentWindow, id,
                                  Application::Instance(), own ? this : nullptr);
    const DWORD createError = window ? 0 : GetLastError();  // before the message is built
    if (!window) throw Error("Cannot create a window of class " + params.className, createError);
    if (!own) {
        Attach(window, false);
        previousProc_ = WindowClass::Subclass(window);
    }
    if (handle_ != window || !WindowClass::Tied(window, this, own)) {
        if (handle_ == window) Detach();
        DestroyWindow(window);
        throw Error("The window of class " + params.className + " is not tied to its control");
    }
    ApplyFont();
    if (parent_ && showHint_ && !hint_.empty()) Root()->ChildHintChanged(this);
    for (Control* child : Layout::StackingOrder(children_))
        if (!child->handle_) child->CreateWnd();
}

void Control::RecreateWnd() {
    if (!handle_) return;
    HWND above = GetWindow(handle_, GW_HWNDPREV);
    bool focused = GetFocus() == handle_;
    DestroyWnd();
    CreateWnd();
    SetWindowPos(handle_, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (focused) SetFocus(handle_);
}

void Control::Attach(HWND window, bool ownClass) {
    handle_ = window;
    // Our own class has room for the object; a system control gets it in its user data.
    SetWindowLongPtrA(window, ownClass ? 0 : GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ++liveWindows_;
}

void Control::Detach() {
    if (!handle_) return;
    HWND gone = handle_;
    if (previousProc_) {
        WindowClass::Unsubclass(handle_, previousProc_);
        previousProc_ = nullptr;
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    } else {
        SetWindowLongPtrA(handle_, 0, 0);
    }
    handle_ = nullptr;
    --liveWindows_;
    if (parent_) Root()->ChildWindowGone(this, gone);
}

void Control::DestroyWnd() {
    if (!handle_) return;
    ValueScope<bool> destroying(destroyingWindow_, true);
    DestroyWindow(handle_);  // WM_NCDESTROY detaches
}

// The one place where a window message enters our code: every exception
// stops here and is reported, so none crosses into the system or the host.
LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HandlerScope scope;
    LRESULT result = SystemBoundary::Enter([&] { return WndProc(message, wParam, lParam); },
                                           [&] {
                                               ReportCurrentError();
                                               return WindowClass::Fallback(handle_, previousProc_, message, wParam,
                                                                            lParam);
                                           });
    if (message == WM_NCDESTROY) {
        const bool outside = !destroyingWindow_;
        // NOTE: the object may be deleted from here on; it is not touched again.
        SystemBoundary::Enter([&] { Detach(); if (outside) WindowDestroyedOutside(); return 0; },
                              [] { ReportCurrentError(); return 0; });
    }
    return result;
}

LRESULT Control::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc_) return CallWindowProcA(previousProc_, handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (MessageReflection::ToChild(*this, message, wParam, lParam, reflected)) return reflected;
    switch (message) {
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == handle_) {
            int cursor = Screen::Cursor() != CursorDefault ? Screen::Cursor() : cursor_;
            if (cursor != CursorDefault) {
                ::SetCursor(Screen::LoadCursorId(cursor));
                return TRUE;
            }
        }
        break;
    case WM_CONTEXTMENU:
        if (PopupMenu::ShowFor(*this, lParam)) return 0;
        break;
    case WM_SIZE:
        Layout::Realign(*this);
        for (Control* child : std::vector<Control*>(children_)) child->layout_.ParentResized();
        break;
    case WM_WINDOWPOSCHANGED:
        {  // a form's bounds are its outer rectangle on the screen
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) left_ = pos->x, top_ = pos->y;
            if (!(pos->flags & SWP_NOSIZE)) width_ = pos->cx, height_ = pos->cy;
        }
        break;
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        // The system's move, size and menu loops run the host's code from inside ours.
        ImageHold::HoldImage();
        break;
    case WM_ERASEBKGND:
        if (!previousProc_) {
            RECT r;
            GetClientRect(handle_, &r);
            Canvas canvas(reinterpret_cast<HDC>(wParam));
            canvas.SetBrushColor(color_);
            canvas.FillRect(r);
            return 1;
        }
        break;
    case WM_PAINT:
        if (!previousProc_) {
            PaintDC dc(handle_);  // ends the paint also when Paint throws
            Canvas canvas(dc.Get());
            canvas.SetFont(font_);
            Paint(canvas);
            return 0;
        }
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void Control::CommandReflected(WORD code) {
    if (code == BN_CLICKED) Click();
}

bool Control::OwnerDrawReflected(UINT, LPARAM, LRESULT&) { return false; }

void Control::Click() {
    if (OnClick && !Dying()) OnClick();
}

HBRUSH Control::CtlColor(HDC dc) {
    SetTextColor(dc, font_.Color());
    SetBkColor(dc, color_);
    if (!brush_) brush_.Reset(CreateSolidBrush(color_));
    return static_cast<HBRUSH>(brush_.Get());
}

void Control::Paint(Canvas&) {}

void Control::ChildHintChanged(Control*) {}
void Control::ChildWindowGone(Control*, HWND) {}

RECT Control::ClientRectWithoutWindow() const { return RECT{0, 0, width_, height_}; }

void Control::SetBounds(int left, int top, int width, int height) {
    MoveTo(left, top, width, height);
    layout_.Placed();
}

void Control::MoveTo(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool resized = width != width_ || height != height_;
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) {
        // The window's WM_SIZE lets the children follow.
        SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (resized) {
        Layout::Realign(*this);
        for (Control* child : children_) child->layout_.ParentResized();
    }
    if (parent_ && layout_.GetAlign() != Align::None) Layout::Realign(*parent_);
}

RECT Control::ClientRect() const {
    RECT r;
    if (handle_ && GetClientRect(handle_, &r)) return r;
    return ClientRectWithoutWindow();
}

std::string Control::Text() const {
    if (!handle_) return text_;
    int n = GetWindowTextLengthA(handle_);
    std::string text(n + 1, '\0');
    n = GetWindowTextA(handle_, text.data(), n + 1);
    text.resize(n);
    return text;
}

void Control::SetText(const std::string& text) {
    text_ = text;
    if (handle_ && Text() != text) {
        SetWindowTextA(handle_, text.c_str());
        if (!previousProc_) Invalidate();
    }
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    bool shown = handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE);
    if (handle_ && shown != visible) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::ShowActivated() {
    visible_ = true;
    if (handle_) ShowWindow(handle_, SW_SHOW);
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (handle_) {
        EnableWindow(handle_, enabled);
        Invalidate();
    }
}

void Control::SetColor(COLORREF color) {
    color_ = color;
    parentColor_ = false;
    brush_.Reset();
    Invalidate();
}

COLORREF Control::ParentColor() const { return parent_ ? parent_->color_ : color_; }

void Control::SetFont(const FontSpec& look) {
    font_.Assign(look);
    parentFont_ = false;
    ApplyFont();
    FontChanged();
}

void Control::UseParentFont() {
    parentFont_ = true;
    FollowParentFont();
}

void Control::FollowParentFont() {
    if (parent_) font_.Assign(parent_->font_.Look());
    ApplyFont();
    FontChanged();
}

void Control::ScaleFont(int multiplier, int divisor) {
    if (!parentFont_) font_.SetHeight(MulDiv(font_.Look().height, multiplier, divisor));
    else if (parent_) font_.Assign(parent_->font_.Look());
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    FontChanged();
}

void Control::ApplyFont() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    for (Control* child : children_)
        if (child->parentFont_) child->FollowParentFont();
}

void Control::SetHint(const std::string& hint) {
    hint_ = hint;
    if (handle_ && parent_) Root()->ChildHintChanged(this);
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    if (handle_ && parent_) Root()->ChildHintChanged(this);
}

void Control::ScaleBy(int multiplier, int divisor) { Layout::Scale(*this, multiplier, divisor); }

void Control::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace platform
