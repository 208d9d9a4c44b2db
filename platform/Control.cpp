#include <windows.h>
#include "Control.h"
#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "Application.h"
#include "Canvas.h"
#include "Dialogs.h"
#include "Error.h"
#include "Form.h"
#include "PopupMenu.h"
#include "Screen.h"

namespace platform {

namespace {
const char kOwnClass[] = "WendrikControl";
const char kObjectProp[] = "WendrikObject";
}  // namespace

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
    DestroyComponents();
    for (Control* child : std::vector<Control*>(children_)) child->parent_ = nullptr;
    if (parent_) std::erase(parent_->children_, this);
    DestroyWnd();
}

void Control::RegisterOwnClass() {
    WNDCLASSEXA wc = {sizeof(wc)};
    if (GetClassInfoExA(Application::Instance(), kOwnClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = Application::Instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnClass;
    RegisterClassExA(&wc);
}

void Control::UnregisterOwnClass() { UnregisterClassA(kOwnClass, Application::Instance()); }

Control* Control::FromHandle(HWND window) {
    return window ? static_cast<Control*>(GetPropA(window, kObjectProp)) : nullptr;
}

Form* Control::ParentForm() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(c);
}

void Control::SetParent(Control* parent) {
    if (parent_ == parent) return;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (!parent_) return;
    parent_->children_.push_back(this);
    if (parentFont_) font_.Assign(parent_->font_.Look());
    if (parentColor_) color_ = parent_->color_;
    if (!handle_ && parent_->handle_) CreateWnd();
    else if (handle_ && parent_->handle_) ::SetParent(handle_, parent_->handle_);
    RecordAnchors();
}

void Control::CreateParams(WindowParams& params) {
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
}

void Control::CreateWnd() {
    WindowParams params;
    CreateParams(params);
    bool own = params.className.empty();
    if (own) {
        RegisterOwnClass();
        params.className = kOwnClass;
    }
    HWND parentWindow = parent_ ? parent_->handle_ : nullptr;
    HWND window = CreateWindowExA(params.exStyle, params.className.c_str(), text_.c_str(),
                                  params.style, left_, top_, width_, height_, parentWindow,
                                  nullptr, Application::Instance(), own ? this : nullptr);
    if (!window) throw Error("Cannot create a window of class " + params.className);
    if (!own) {
        Attach(window);
        previousProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
    }
    ApplyFont();
    Form* form = ParentForm();
    if (form && form != this && showHint_) form->UpdateHint(this);
}

void Control::Attach(HWND window) {
    handle_ = window;
    SetPropA(window, kObjectProp, this);
    ++liveWindows_;
}

void Control::Detach() {
    if (!handle_) return;
    if (previousProc_) {
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        previousProc_ = nullptr;
    }
    RemovePropA(handle_, kObjectProp);
    handle_ = nullptr;
    --liveWindows_;
}

void Control::DestroyWnd() {
    if (!handle_) return;
    destroyingWindow_ = true;
    DestroyWindow(handle_);  // WM_NCDESTROY detaches
    destroyingWindow_ = false;
}

LRESULT CALLBACK Control::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) self->Attach(window);
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    Application::Scope scope;
    LRESULT result = 0;
    try {
        result = self->WndProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        ReportError(Error("Unknown error"));
    }
    if (message == WM_NCDESTROY) {
        bool external = !self->destroyingWindow_;
        self->Detach();
        if (external) {
            if (Form* form = dynamic_cast<Form*>(self)) form->WindowGone();
        }
    }
    return result;
}

LRESULT Control::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc_) return CallWindowProcA(previousProc_, handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (Control* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->Command(HIWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
        break;
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
        for (Control* c = this; c; c = c->parent_) {
            if (c->popupMenu_) {
                POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (at.x == -1 && at.y == -1) {  // from the keyboard: below the control
                    RECT r;
                    GetWindowRect(handle_, &r);
                    at = {r.left + 4, r.top + 4};
                }
                c->popupMenu_->Popup(at.x, at.y, c->handle_);
                return 0;
            }
        }
        break;
    case WM_SIZE:
        Realign();
        for (Control* child : std::vector<Control*>(children_)) child->ParentResized();
        break;
    case WM_WINDOWPOSCHANGED:
        {  // a form's bounds are its outer rectangle on the screen
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) left_ = pos->x, top_ = pos->y;
            if (!(pos->flags & SWP_NOSIZE)) width_ = pos->cx, height_ = pos->cy;
        }
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
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle_, &ps);
            {
                Canvas canvas(dc);
                canvas.SetFont(font_);
                Paint(canvas);
            }
            EndPaint(handle_, &ps);
            return 0;
        }
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void Control::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

void Control::Click() {
    if (OnClick) OnClick();
}

HBRUSH Control::CtlColor(HDC dc) {
    SetTextColor(dc, font_.Color());
    SetBkColor(dc, color_);
    if (!brush_) brush_.Reset(CreateSolidBrush(color_));
    return static_cast<HBRUSH>(brush_.Get());
}

void Control::Paint(Canvas&) {}

void Control::SetBounds(int left, int top, int width, int height) {
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) {
        if (parent_) {
            MoveWindow(handle_, left, top, width, height, TRUE);
        } else {
            SetWindowPos(handle_, nullptr, left, top, width, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (!anchoring_) RecordAnchors();
    if (parent_ && align_ != Align::None && !anchoring_) parent_->Realign();
}

RECT Control::ClientRect() const {
    RECT r = {0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &r);
    return r;
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
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
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
}

void Control::ApplyFont() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    for (Control* child : children_) {
        if (child->parentFont_) {
            child->font_.Assign(font_.Look());
            child->ApplyFont();
        }
    }
}

void Control::SetHint(const std::string& hint) {
    hint_ = hint;
    Form* form = ParentForm();
    if (form && form != this && handle_) form->UpdateHint(this);
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    Form* form = ParentForm();
    if (form && form != this && handle_) form->UpdateHint(this);
}

void Control::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    RecordAnchors();
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (parent_) parent_->Realign();
}

void Control::RecordAnchors() {
    if (!parent_) return;
    RECT r = parent_->ClientRect();
    anchorRight_ = r.right - (left_ + width_);
    anchorBottom_ = r.bottom - (top_ + height_);
}

void Control::ParentResized() {
    if (align_ != Align::None || !parent_) return;
    RECT r = parent_->ClientRect();
    int left = left_, top = top_, width = width_, height = height_;
    if (anchors_ & AnchorRight) {
        if (anchors_ & AnchorLeft) width = std::max<int>(0, r.right - anchorRight_ - left_);
        else left = r.right - anchorRight_ - width_;
    }
    if (anchors_ & AnchorBottom) {
        if (anchors_ & AnchorTop) height = std::max<int>(0, r.bottom - anchorBottom_ - top_);
        else top = r.bottom - anchorBottom_ - height_;
    }
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    anchoring_ = true;
    SetBounds(left, top, width, height);
    anchoring_ = false;
}

void Control::Realign() {
    RECT r = ClientRect();
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right}) {
        for (Control* c : children_) {
            if (c->align_ != pass) continue;
            c->anchoring_ = true;
            switch (pass) {
            case Align::Top:
                c->SetBounds(r.left, r.top, r.right - r.left, c->height_);
                r.top += c->height_;
                break;
            case Align::Bottom:
                c->SetBounds(r.left, r.bottom - c->height_, r.right - r.left, c->height_);
                r.bottom -= c->height_;
                break;
            case Align::Left:
                c->SetBounds(r.left, r.top, c->width_, std::max<int>(0, r.bottom - r.top));
                r.left += c->width_;
                break;
            case Align::Right:
                c->SetBounds(r.right - c->width_, r.top, c->width_, std::max<int>(0, r.bottom - r.top));
                r.right -= c->width_;
                break;
            default:
                break;
            }
            c->anchoring_ = false;
        }
    }
}

void Control::ScaleBy(int multiplier, int divisor) {
    if (parent_) {
        anchoring_ = true;
        SetBounds(MulDiv(left_, multiplier, divisor), MulDiv(top_, multiplier, divisor),
                  MulDiv(width_, multiplier, divisor), MulDiv(height_, multiplier, divisor));
        anchoring_ = false;
    }
    if (!parentFont_) {
        font_.SetHeight(MulDiv(font_.Look().height, multiplier, divisor));
    } else if (parent_) {
        font_.Assign(parent_->font_.Look());
    }
    ApplyFont();
    for (Control* child : children_) child->ScaleBy(multiplier, divisor);
    for (Control* child : children_) child->RecordAnchors();
    Realign();
}

void Control::ChildrenReorder() {
    std::vector<Control*> ordered(children_);
    std::stable_sort(ordered.begin(), ordered.end(), [](Control* a, Control* b) {
        if (a->beneath_ != b->beneath_) return b->beneath_;
        unsigned ka = static_cast<unsigned>(a->tabOrder_), kb = static_cast<unsigned>(b->tabOrder_);
        return ka < kb;  // -1 (no tab order) sorts last
    });
    HWND after = HWND_TOP;
    for (Control* c : ordered) {
        if (!c->handle_) continue;
        SetWindowPos(c->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = c->handle_;
    }
}

void Control::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace platform
