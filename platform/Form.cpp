#include "Form.h"

#include <commctrl.h>

#include <algorithm>

#include "Application.h"
#include "Dialogs.h"
#include "KeyboardHook.h"
#include "PopupMenu.h"
#include "Error.h"
#include "Screen.h"

namespace platform {

Form::Form(Component* owner) : Control(owner) {
    SetVisible(false);
    SetColor(GetSysColor(COLOR_BTNFACE));
    CreateWnd();
    SetClientSize(300, 200);
    KeyboardHook::Register(this);
}

Form::~Form() {
    KeyboardHook::Unregister(this);
    DestroyComponents();  // the controls go while the form is still whole
    if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    DestroyWnd();
    if (icon_) DestroyIcon(icon_);
}

void Form::CreateParams(WindowParams& params) {
    // A single, fixed border with the system menu and the minimize box.
    params.style = WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    params.exStyle = WS_EX_CONTROLPARENT;
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
        control->SetAlign(row.align);
        control->SetParent(this);
        control->SetAnchors(row.anchors);
    }
}

void Form::SetClientSize(int width, int height) {
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void Form::SetIcon(const std::string& resourceName) {
    HICON icon = static_cast<HICON>(
        LoadImageA(Application::Instance(), resourceName.c_str(), IMAGE_ICON, 32, 32, 0));
    if (!icon) return;
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
}

void Form::Loaded() {
    // Descriptions are made at 96 dpi and follow the screen when loaded.
    int ppi = Screen::PixelsPerInch();
    if (ppi != 96) ScaleBy(ppi, 96);
    ChildrenReorder();
}

void Form::DoCreate() {
    try {
        FormCreate();
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        ReportError(Error("Unknown error"));
    }
}

void Form::Show() {
    SetVisible(true);
    SetForegroundWindow(Handle());
}

void Form::Close() { Hide(); }

bool Form::IsShortCut(UINT virtualKey) {
    PopupMenu* menu = GetPopupMenu();
    return menu && menu->IsShortCut(virtualKey);
}

void Form::Free() {
    if (freeing_) return;
    freeing_ = true;
    BeforeFree();
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    Application::Defer([this] { delete this; });
}

void Form::WindowGone() {
    tooltip_ = nullptr;  // an owned window goes with its owner
    Free();
}

void Form::ScaleBy(int multiplier, int divisor) {
    RECT r = ClientRect();
    SetClientSize(MulDiv(r.right, multiplier, divisor), MulDiv(r.bottom, multiplier, divisor));
    Control::ScaleBy(multiplier, divisor);
}

void Form::UpdateHint(Control* control) {
    if (!control->Handle()) return;
    if (!tooltip_) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   Application::Instance(), nullptr);
        if (!tooltip_) return;
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    std::string text = control->Hint();
    tool.lpszText = text.data();
    bool wanted = control->ShowHint() && !text.empty();
    bool known = std::find(tooltipTools_.begin(), tooltipTools_.end(), control) != tooltipTools_.end();
    if (wanted && !known) {
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        tooltipTools_.push_back(control);
    } else if (wanted) {
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (known) {
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        std::erase(tooltipTools_, control);
    }
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
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
            HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_)
                              ? lastFocus_
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
