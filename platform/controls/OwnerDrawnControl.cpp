#include "OwnerDrawnControl.h"

namespace platform {

OwnerDrawnControl::OwnerDrawnControl(Component* owner, const ItemMessages& messages)
    : Control(owner), OwnerDrawnItems(*this, messages) {
    SetColor(GetSysColor(COLOR_WINDOW));
}

void OwnerDrawnControl::FontChanged() {
    Control::FontChanged();
    FitItemHeight();
}

}  // namespace platform
