#include "OwnerDrawnItems.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/Control.h"

namespace platform {

void OwnerDrawnItems::AddItem(const std::string& text, const Bitmap* glyph) {
    items_.push_back({text, glyph});
    if (control_.Handle()) SendMessageA(control_.Handle(), messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void OwnerDrawnItems::Clear() {
    items_.clear();
    itemIndex_ = -1;
    if (control_.Handle()) SendMessageA(control_.Handle(), messages_.reset, 0, 0);
}

int OwnerDrawnItems::ItemIndex() const {
    HWND window = control_.Handle();
    return window ? static_cast<int>(SendMessageA(window, messages_.getSelection, 0, 0)) : itemIndex_;
}

void OwnerDrawnItems::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (control_.Handle()) SendMessageA(control_.Handle(), messages_.setSelection, itemIndex_, 0);
}

void OwnerDrawnItems::FillWindow() {
    HWND window = control_.Handle();
    for (const DrawnItem& item : items_)
        SendMessageA(window, messages_.add, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (itemIndex_ >= 0) SendMessageA(window, messages_.setSelection, itemIndex_, 0);
}

void OwnerDrawnItems::KeepSelection() { itemIndex_ = ItemIndex(); }

bool OwnerDrawnItems::Reflected(UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        // Sent while the window is being made, before it is tied to us: the
        // height comes from the object, which the parent found by the id.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
        return true;
    }
    if (message != WM_DRAWITEM) return false;
    auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    int index = static_cast<int>(draw.itemID);
    if (index < 0 || index >= Count()) {
        if (draw.itemAction & ODA_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
        return true;
    }
    bool selected = (draw.itemState & ODS_SELECTED) != 0;
    {
        Canvas canvas(draw.hDC);
        canvas.SetFont(control_.GetFont());
        canvas.SetBrushColor(selected ? GetSysColor(COLOR_HIGHLIGHT) : control_.Color());
        if (selected) canvas.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawItem(index, draw.rcItem, draw.itemState, canvas);
    }
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(draw.hDC, &draw.rcItem);
    return true;
}

void OwnerDrawnItems::DrawItem(int index, RECT rect, UINT, Canvas& canvas) {
    canvas.FillRect(rect);
    canvas.TextOut(rect.left + 2, rect.top, Item(index).text);
}

}  // namespace platform
