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

// The window messages through which a list or a combo box keeps its items.
struct ItemMessages {
    UINT add, reset, getSelection, setSelection;
};

// What the owner-drawn list and combo box bases share: the items in C++,
// mirrored in the window (which keeps their strings too, for type-ahead and
// accessibility) and given again to a window made anew with the selection;
// the fixed item height; the drawing of one item on a canvas prepared with
// the selected or normal colours.
class OwnerDrawnItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const DrawnItem& Item(int index) const { return items_.at(index); }
    int ItemHeight() const { return itemHeight_; }
    void AddItem(const std::string& text, const Bitmap* glyph = nullptr);
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    OwnerDrawnItems(Control& control, const ItemMessages& messages) : control_(control), messages_(messages) {}
    virtual ~OwnerDrawnItems() = default;
    OwnerDrawnItems(const OwnerDrawnItems&) = delete;
    OwnerDrawnItems& operator=(const OwnerDrawnItems&) = delete;

    // Gives a new window every item's text and the selection.
    void FillWindow();
    // The user changed the selection: it is kept for a window made anew.
    void KeepSelection();
    // Answers WM_MEASUREITEM and WM_DRAWITEM; true when `message` was one of them.
    bool Reflected(UINT message, LPARAM lParam);
    // Draws one item on the prepared canvas: by default its text, 2 pixels in.
    virtual void DrawItem(int index, RECT rect, UINT state, Canvas& canvas);

    std::vector<DrawnItem> items_;
    int itemHeight_ = 16;

private:
    Control& control_;
    ItemMessages messages_;
    int itemIndex_ = -1;  // before the window exists
};

}  // namespace platform
