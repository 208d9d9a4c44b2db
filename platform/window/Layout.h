#pragma once
#include <windows.h>
#include <vector>

namespace platform {

class Control;

enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };
enum class Align { None, Top, Bottom, Left, Right };

// How one control follows its parent's client area: anchors keep its
// distances to the parent's edges, alignment stacks it along one edge.
// Scaling multiplies the bounds and fonts of a whole tree at once; while it
// runs, no control follows a size the scaling itself has made.
class Layout {
public:
    explicit Layout(Control& control) : control_(control) {}
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned anchors);
    Align GetAlign() const { return align_; }
    void SetAlign(Align align);

    // The control was placed by its owner: these bounds are its design now.
    void Placed();
    // The parent's client area changed size: follow it.
    void ParentResized();
    // Places the aligned children of `parent` along its edges, in the order
    // top, bottom, left, right.
    static void Realign(Control& parent);
    // Scales `root` and everything below it by multiplier/divisor: bounds
    // (the root's own only when it has a parent) and font heights.
    static void Scale(Control& root, int multiplier, int divisor);
    // The order in which siblings stack (and are walked by Tab): by tab
    // order, those without one after, those marked beneath at the bottom.
    static std::vector<Control*> StackingOrder(const std::vector<Control*>& siblings);

    // While one lives, no control follows a size change: scaling moves
    // every control itself.
    class Scaling {
    public:
        Scaling() { ++scaling_; }
        ~Scaling() { --scaling_; }
        Scaling(const Scaling&) = delete;
        Scaling& operator=(const Scaling&) = delete;
    };

private:
    static void ScaleTree(Control& control, int multiplier, int divisor);
    static void SettleTree(Control& control);

    Control& control_;
    unsigned anchors_ = AnchorLeft | AnchorTop;
    Align align_ = Align::None;
    // Distances kept by the right and bottom anchors.
    int toRight_ = 0, toBottom_ = 0;
    static inline int scaling_ = 0;
};

}  // namespace platform
