#pragma once
#include "OwnerDrawnItems.h"
#include "platform/window/Control.h"

namespace platform {

// The owner-drawn list and combo box: a control whose items live once in
// OwnerDrawnItems, shown in the window colour, whose item height a derived
// control fits to its font whenever the font changes.
class OwnerDrawnControl : public Control, protected OwnerDrawnItems {
public:
    using OwnerDrawnItems::AddItem;
    using OwnerDrawnItems::Clear;
    using OwnerDrawnItems::Count;
    using OwnerDrawnItems::Item;
    using OwnerDrawnItems::ItemHeight;
    using OwnerDrawnItems::ItemIndex;
    using OwnerDrawnItems::SetItemIndex;
    virtual void SetItemHeight(int height) = 0;

protected:
    OwnerDrawnControl(Component* owner, const ItemMessages& messages);
    void FontChanged() override;
    // Sets the item height the font wants; nothing by default.
    virtual void FitItemHeight() {}
};

}  // namespace platform
