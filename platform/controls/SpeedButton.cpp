#include "SpeedButton.h"

#include <windowsx.h>

#include "platform/system/Application.h"
#include "platform/system/CompatibleCalls.h"
#include "platform/drawing/Canvas.h"

namespace platform {

SpeedButton::SpeedButton(Component* owner) : Control(owner) {}

void SpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void SpeedButton::SetGlyph(const Bitmap* glyph) {
    if (!glyph || glyph->Empty()) {
        glyph_.Clear();
    } else {
        glyph_.AssignPart(*glyph, 0, 0, glyph->Width(), glyph->Height());
    }
    numGlyphs_ = 1;
    Invalidate();
}

void SpeedButton::LoadGlyph(const std::string& resourceName, int numGlyphs) {
    glyph_.LoadFromResourceName(Application::Instance(), resourceName);
    numGlyphs_ = numGlyphs;
    Invalidate();
}

LRESULT SpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!mouseIn_) {
            mouseIn_ = true;
            CompatibleCalls::TrackMouseLeave(Handle());
            MouseEnter();
            Invalidate();
        }
        return 0;
    case WM_MOUSELEAVE:
        if (mouseIn_) {
            mouseIn_ = false;
            MouseLeave();
            Invalidate();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(Handle());
        Invalidate();
        return 0;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            Invalidate();
            POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT r = ClientRect();
            if (PtInRect(&r, at) && Enabled()) Click();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

void SpeedButton::MouseEnter() {}
void SpeedButton::MouseLeave() {}

void SpeedButton::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    if (pressed_ && mouseIn_) {
        DrawEdge(canvas.Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (!flat_ || (mouseIn_ && Enabled())) {
        DrawEdge(canvas.Handle(), &r, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    }
    if (glyph_.Empty()) return;
    int cellWidth = glyph_.Width() / std::max(1, numGlyphs_);
    int x = (r.right - cellWidth) / 2 + (pressed_ && mouseIn_ ? 1 : 0);
    int y = (r.bottom - glyph_.Height()) / 2 + (pressed_ && mouseIn_ ? 1 : 0);
    if (numGlyphs_ > 1) {
        // A strip of cells: the first at rest, the second disabled.
        Bitmap cell;
        cell.AssignPart(glyph_, Enabled() ? 0 : cellWidth, 0, cellWidth, glyph_.Height());
        canvas.DrawTransparent(x, y, cell);
    } else if (Enabled()) {
        canvas.DrawTransparent(x, y, glyph_);
    } else {
        canvas.DrawGrayed(x, y, glyph_);
    }
}

}  // namespace platform
