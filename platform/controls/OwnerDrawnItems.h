#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace platform {

class Bitmap;
class Canvas;
class Control;

// One item of an owner-drawn list: its text and a glyph someone else owns.
struct DrawnItem {
    std::string text;
    const Bitmap* glyph = nullptr;
};

// What the owner-drawn list and combo box bases share: the items in C++,
// the fixed item height, and the drawing of one item on a canvas prepared
// with the selected or normal colours.
class OwnerDrawnItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const DrawnItem& Item(int index) const { return items_.at(index); }
    int ItemHeight() const { return itemHeight_; }

protected:
    std::vector<DrawnItem> items_;
    int itemHeight_ = 16;

    // Answers WM_MEASUREITEM and WM_DRAWITEM; true when `message` was one of them.
    bool Reflected(Control& control, UINT message, LPARAM lParam);
    // Draws one item on the prepared canvas.
    virtual void DrawItem(int index, RECT rect, UINT state, Canvas& canvas) = 0;
    virtual ~OwnerDrawnItems() = default;
};

}  // namespace platform
