#pragma once
#include <windows.h>
#include "Control.h"

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

protected:
    void Paint(Canvas& canvas) override;
    void CreateWnd() override;
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
};

}  // namespace platform
