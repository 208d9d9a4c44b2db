#include "Layout.h"

#include <algorithm>

#include "Control.h"

namespace platform {

void Layout::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    Placed();
}

void Layout::SetAlign(Align align) {
    align_ = align;
    if (control_.Parent()) Realign(*control_.Parent());
}

void Layout::Placed() {
    Control* parent = control_.Parent();
    if (!parent) return;
    RECT r = parent->ClientRect();
    toRight_ = r.right - (control_.Left() + control_.Width());
    toBottom_ = r.bottom - (control_.Top() + control_.Height());
}

void Layout::ParentResized() {
    Control* parent = control_.Parent();
    if (scaling_ || align_ != Align::None || !parent) return;
    RECT r = parent->ClientRect();
    int left = control_.Left(), top = control_.Top();
    int width = control_.Width(), height = control_.Height();
    if (anchors_ & AnchorRight) {
        if (anchors_ & AnchorLeft) width = std::max<int>(0, r.right - toRight_ - left);
        else left = r.right - toRight_ - width;
    }
    if (anchors_ & AnchorBottom) {
        if (anchors_ & AnchorTop) height = std::max<int>(0, r.bottom - toBottom_ - top);
        else top = r.bottom - toBottom_ - height;
    }
    control_.MoveTo(left, top, width, height);
}

void Layout::Realign(Control& parent) {
    RECT r = parent.ClientRect();
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right}) {
        for (Control* c : parent.Controls()) {
            if (c->GetLayout().align_ != pass) continue;
            int w = c->Width(), h = c->Height();
            switch (pass) {
            case Align::Top:
                c->MoveTo(r.left, r.top, r.right - r.left, h);
                r.top += h;
                break;
            case Align::Bottom:
                c->MoveTo(r.left, r.bottom - h, r.right - r.left, h);
                r.bottom -= h;
                break;
            case Align::Left:
                c->MoveTo(r.left, r.top, w, std::max<int>(0, r.bottom - r.top));
                r.left += w;
                break;
            case Align::Right:
                c->MoveTo(r.right - w, r.top, w, std::max<int>(0, r.bottom - r.top));
                r.right -= w;
                break;
            default:
                break;
            }
        }
    }
}

void Layout::Scale(Control& root, int multiplier, int divisor) {
    Scaling scaling;
    ScaleTree(root, multiplier, divisor);
    SettleTree(root);
}

void Layout::ScaleTree(Control& control, int multiplier, int divisor) {
    if (control.Parent())
        control.MoveTo(MulDiv(control.Left(), multiplier, divisor), MulDiv(control.Top(), multiplier, divisor),
                       MulDiv(control.Width(), multiplier, divisor), MulDiv(control.Height(), multiplier, divisor));
    control.ScaleFont(multiplier, divisor);
    for (Control* child : control.Controls()) ScaleTree(*child, multiplier, divisor);
}

// The scaled bounds are the design from now on; aligned children fill the scaled edges.
void Layout::SettleTree(Control& control) {
    for (Control* child : control.Controls()) {
        child->GetLayout().Placed();
        SettleTree(*child);
    }
    Realign(control);
}

std::vector<Control*> Layout::StackingOrder(const std::vector<Control*>& siblings) {
    std::vector<Control*> ordered(siblings);
    std::stable_sort(ordered.begin(), ordered.end(), [](Control* a, Control* b) {
        if (a->Beneath() != b->Beneath()) return b->Beneath();
        // -1 (no tab order) becomes the largest unsigned value: last.
        return static_cast<unsigned>(a->TabOrder()) < static_cast<unsigned>(b->TabOrder());
    });
    return ordered;
}

}  // namespace platform
