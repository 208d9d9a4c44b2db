#include "Label.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/system/Text.h"

namespace platform {

Label::Label(Component* owner) : Control(owner) {}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}
void Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}
void Label::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Invalidate();
}
void Label::SetShowAccelChar(bool show) {
    showAccelChar_ = show;
    Invalidate();
}

void Label::CreateWnd() {
    Control::CreateWnd();
    AdjustSize();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void Label::SetText(const std::string& text) {
    Control::SetText(text);
    AdjustSize();
}

void Label::AdjustSize() {
    if (!autoSize_ || wordWrap_ || !Handle()) return;
    MemoryDC dc;  // measures as the screen does, without asking for the window's DC
    RECT r = {0, 0, 0, 0};
    {
        Canvas canvas(dc.Get());
        canvas.SetFont(GetFont());
        std::string text = Text();
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | (showAccelChar_ ? 0 : DT_NOPREFIX));
    }
    SetBounds(Left(), Top(), r.right, r.bottom);
}

void Label::SetFocusControl(Control* control) {
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = control;
    if (control) FreeNotification(control);
}

void Label::Notification(Component* component, Operation operation) {
    Control::Notification(component, operation);
    if (operation == Operation::Remove && component == focusControl_) focusControl_ = nullptr;
}

bool Label::MnemonicFor(char key) {
    if (!focusControl_ || !showAccelChar_ || !focusControl_->Handle()) return false;
    std::string text = Text();
    std::string::size_type amp = text.find('&');  // "&" never stands in a double-byte character
    while (amp != std::string::npos && amp + 1 < text.size() && text[amp + 1] == '&') amp = text.find('&', amp + 2);
    if (amp == std::string::npos || amp + 1 >= text.size()) return false;
    if (AnsiLowerCase(std::string(1, text[amp + 1])) != AnsiLowerCase(std::string(1, key))) return false;
    if (!IsWindowVisible(focusControl_->Handle()) || !IsWindowEnabled(focusControl_->Handle())) return false;
    SetFocus(focusControl_->Handle());
    return true;
}

UINT Label::AlignmentFlag() const {
    switch (alignment_) {
    case Alignment::Right: return DT_RIGHT;
    case Alignment::Center: return DT_CENTER;
    default: return DT_LEFT;
    }
}

LRESULT Label::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        // A transparent label shows what lies behind it: its parent's colour.
        RECT r;
        GetClientRect(Handle(), &r);
        Canvas canvas(reinterpret_cast<HDC>(wParam));
        canvas.SetBrushColor(transparent_ ? ParentColor() : Color());
        canvas.FillRect(r);
        return 1;
    }
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return Control::WndProc(message, wParam, lParam);
}

void Label::Paint(Canvas& canvas) {
    RECT r;
    GetClientRect(Handle(), &r);
    std::string text = Text();
    UINT flags = AlignmentFlag() | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX);
    if (!Enabled()) SetTextColor(canvas.Handle(), GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
}

}  // namespace platform
