#include "Form.h"
#include "WindowClass.h"

#include "platform/system/SystemBoundary.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/system/HandlerScope.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemFunctions.h"
#include "KeyboardHook.h"
#include "MessageBoxes.h"
#include "PopupMenu.h"
#include "platform/drawing/Screen.h"

namespace platform {

Form::Form(Component* owner) : Control(owner) {
    SetVisible(false);
    SetColor(GetSysColor(COLOR_BTNFACE));
    SetClientSize(300, 200);
    KeyboardHook::Register(this);
}

Form::~Form() {
    KeyboardHook::Unregister(this);
    // The tooltip first: it frees its tools with itself, while their windows still exist.
    tooltips_.Destroy();
    DestroyWnd();  // one DestroyWindow takes the children's windows along
    DestroyComponents();
}

void Form::CreateParams(WindowParams& params) {
    if (dialogBorder_) {
        params.style = WS_CLIPCHILDREN | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        params.exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
        return;
    }
    // A single, fixed border with the system menu and the minimize box.
    params.style = WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    params.exStyle = WS_EX_CONTROLPARENT;
}

void Form::CreateWnd() {
    Control::CreateWnd();
    if (!iconName_.empty()) SetIcon(iconName_);
}

namespace {
unsigned metricsGeneration = 1;  // counts the system's metrics changes
}

unsigned Form::MetricsGeneration() { return metricsGeneration; }

SIZE Form::FrameSize() const {
    WindowParams params;
    const_cast<Form*>(this)->CreateParams(params);
    // Asked for at every layout step, and the system's answer is slow to
    // come: kept per style until the system's metrics change.
    if (frameStyle_ != params.style || frameExStyle_ != params.exStyle || frameMetrics_ != MetricsGeneration()) {
        RECT r = {0, 0, 0, 0};
        AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
        frame_ = SIZE{r.right - r.left, r.bottom - r.top};
        frameStyle_ = params.style;
        frameExStyle_ = params.exStyle;
        frameMetrics_ = MetricsGeneration();
    }
    return frame_;
}

RECT Form::ClientRectWithoutWindow() const {
    SIZE frame = FrameSize();
    return RECT{0, 0, std::max<LONG>(0, Width() - frame.cx), std::max<LONG>(0, Height() - frame.cy)};
}

void Form::Build(const std::vector<ControlRow>& rows) {
    for (const ControlRow& row : rows) {
        Control* control = row.make(this);
        control->SetName(row.name);
        control->SetVisible(row.visible);
        control->SetBounds(row.left, row.top, row.width, row.height);
        if (row.caption) control->SetText(row.caption);
        if (row.color != CLR_INVALID) control->SetColor(row.color);
        if (row.font) control->SetFont(*row.font);
        control->SetTabOrder(row.tabOrder);
        control->SetBeneath(row.beneath);
        control->SetParent(this);
        control->GetLayout().SetAlign(row.align);
        control->GetLayout().SetAnchors(row.anchors);
    }
}

void Form::SetClientSize(int width, int height) {
    SIZE frame = FrameSize();
    SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
}

void Form::SetIcon(const std::string& resourceName) {
    iconName_ = resourceName;
    if (!Handle()) return;  // set when the window is made
    IconHandle icon(static_cast<HICON>(
        LoadImageA(Application::Instance(), resourceName.c_str(), IMAGE_ICON, 32, 32, 0)));
    if (!icon) return;
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Get()));
    icon_ = std::move(icon);  // the window no longer shows the old one
}

void Form::Loaded() {
    // Descriptions are made at 96 dpi and follow the screen when loaded.
    int ppi = Screen::PixelsPerInch();
    if (ppi != 96 && scaledOnLoad_) ScaleBy(ppi, 96);
    HandleNeeded();
}

void Form::DoCreate() {
    try {
        FormCreate();
    } catch (...) {
        ReportCurrentError();  // the form is made all the same
    }
}

void Form::Show() {
    HandleNeeded();
    if (!IsWindowVisible(Handle())) ShowActivated();
    // Showing activates it, but another process may keep the foreground.
    if (GetForegroundWindow() != Handle()) SetForegroundWindow(Handle());
}

void Form::Close() {
    if (inModalLoop_) modalResult_ = mrCancel;  // the close box of a modal form cancels it
    else Hide();
}

namespace {
struct Disabled {
    HWND self;
    std::vector<HWND> windows;
};
BOOL CALLBACK DisableOne(HWND window, LPARAM parameter) {
    auto* d = reinterpret_cast<Disabled*>(parameter);
    if (window == d->self || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    // Noted before it is disabled: a list that cannot grow leaves the window
    // enabled, never disabled for good; nothing crosses back into the system.
    return SystemBoundary::Enter(
        [&] {
            d->windows.push_back(window);
            EnableWindow(window, FALSE);
            return TRUE;
        },
        [] { return FALSE; });
}
}  // namespace

int Form::ShowModal(Form* owner) {
    WindowClass::CheckThread("a modal loop");
    HWND focus = GetFocus();
    HandleNeeded();
    HWND ownerWindow = owner ? owner->Handle() : GetActiveWindow();
    if (ownerWindow && ownerWindow != Handle()) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    Disabled disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
    ScopeExit enableOthers([&] {
        for (HWND window : disabled.windows)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    });
    modalResult_ = mrNone;
    bool quitting = false;
    {
        ValueScope<bool> modal(inModalLoop_, true);
        ImageHold::HoldImage();  // the loop runs the host's code too
        Show();
        while (modalResult_ == mrNone && !freeing_ && !(owner && owner->Freeing()) && Handle()) {
            MSG msg;
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
                quitting = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (modalResult_ == mrNone || quitting) modalResult_ = mrCancel;
    // The others first, so that Windows gives the activation back to them, not elsewhere.
    enableOthers.RunNow();
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return modalResult_;
}

void Form::CenterOnScreen() {
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
              Height());
}

bool Form::Mnemonic(char key) {
    for (Control* child : Controls())
        if (child->MnemonicFor(key)) return true;
    return false;
}

bool Form::IsShortCut(UINT virtualKey) {
    for (Component* c : Components())
        if (auto* menu = dynamic_cast<PopupMenu*>(c); menu && menu->IsShortCut(virtualKey)) return true;
    return false;
}

void Form::Free() {
    if (!WindowClass::OnWindowThread("freeing a form")) return;  // refused: a window is never touched elsewhere
    if (freeing_) return;
    freeing_ = true;
    BeforeFree();
    if (!HandlerScope::Running()) {
        delete this;
        return;
    }
    // NOTE: a handler of ours is still on the stack; it must find the object
    // whole. Hidden at once when the deletion waits for more than the current
    // one (a nested loop beneath it); otherwise it follows in a moment, and
    // one DestroyWindow takes the window off the screen.
    if (Handle() && HandlerScope::Nested()) ShowWindow(Handle(), SW_HIDE);
    HandlerScope::Defer([this] { delete this; });
}

void Form::WindowDestroyedOutside() {
    tooltips_.OwnerGone();  // an owned window goes with its owner
    Free();
}

void Form::ScaleBy(int multiplier, int divisor) {
    Layout::Scaling scaling;  // the client area grows first; the controls are scaled, not moved
    RECT r = ClientRect();
    SIZE frame = FrameSize();
    MoveTo(Left(), Top(), MulDiv(r.right, multiplier, divisor) + frame.cx,
           MulDiv(r.bottom, multiplier, divisor) + frame.cy);
    Control::ScaleBy(multiplier, divisor);
}

void Form::ChildHintChanged(Control* control) {
    if (!control->Handle() || !Handle() || freeing_) return;
    tooltips_.HintChanged(Handle(), control);
}

void Form::ChildWindowGone(Control* control, HWND window) { tooltips_.WindowGone(Handle(), control, window); }

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTINGCHANGE:
        ++metricsGeneration;  // frames may have changed size
        break;
    case WM_SHOWWINDOW:
        if (wParam && !freeing_) FormShow();
        break;

    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else {
            HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) ? lastFocus_
                          : activeControl_ && activeControl_->Handle()             ? activeControl_->Handle()
                                                                                   : GetNextDlgTabItem(Handle(), nullptr, FALSE);
            if (target) {
                SetFocus(target);
                return 0;
            }
        }
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

}  // namespace platform
