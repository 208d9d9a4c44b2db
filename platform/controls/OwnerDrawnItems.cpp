#include "OwnerDrawnItems.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/Control.h"

namespace platform {

bool OwnerDrawnItems::Reflected(Control& control, UINT message, LPARAM lParam) {
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
        canvas.SetFont(control.GetFont());
        canvas.SetBrushColor(selected ? GetSysColor(COLOR_HIGHLIGHT) : control.Color());
        if (selected) canvas.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawItem(index, draw.rcItem, draw.itemState, canvas);
    }
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(draw.hDC, &draw.rcItem);
    return true;
}

}  // namespace platform
