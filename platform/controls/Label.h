#pragma once
#include <windows.h>
#include "platform/window/Control.h"

namespace platform {

enum class Alignment { Left, Right, Center };

// Text drawn by us on the parent's colour; "&" marks an accelerator unless
// that is switched off.
class Label : public Control {
public:
    explicit Label(Component* owner);
    void SetAlignment(Alignment alignment);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    void SetWordWrap(bool wordWrap);
    void SetShowAccelChar(bool show);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    void SetText(const std::string& text) override;
    // The control that gets the focus when the label's accelerator is used.
    void SetFocusControl(Control* control);
    Control* FocusControl() const { return focusControl_; }
    bool MnemonicFor(char key) override;

protected:
    void Paint(Canvas& canvas) override;
    void CreateWnd() override;
    void FontChanged() override { AdjustSize(); }  // a scaled font needs room of its own
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    UINT AlignmentFlag() const;
    // A label that sizes itself fits its width and height to its one-line text.
    void AdjustSize();

private:
    Alignment alignment_ = Alignment::Left;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool autoSize_ = true;
    Control* focusControl_ = nullptr;

protected:
    void Notification(Component* component, Operation operation) override;
};

}  // namespace platform
