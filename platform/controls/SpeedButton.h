#pragma once
#include "platform/drawing/Bitmap.h"
#include "platform/window/Control.h"

namespace platform {

// A button that never takes the focus and shows a glyph. Flat: no frame
// until the mouse is over it. With two glyphs the second shows while disabled.
class SpeedButton : public Control {
public:
    explicit SpeedButton(Component* owner);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    Bitmap& Glyph() { return glyph_; }
    // Replaces the glyph; an empty bitmap clears it.
    void SetGlyph(const Bitmap* glyph);
    void LoadGlyph(const std::string& resourceName, int numGlyphs);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(Canvas& canvas) override;
    // The mouse came over the button or left it.
    virtual void MouseEnter();
    virtual void MouseLeave();

private:
    Bitmap glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool mouseIn_ = false;
    bool pressed_ = false;
};

}  // namespace platform
