#pragma once
#include <functional>
#include "platform/window/Control.h"
#include "OwnerDrawnItems.h"

namespace platform {

// An owner-drawn, list-only combo box of one fixed item height. It measures
// its items while its window is being made, through its parent's reflection
// by control id. A new window (after a font change, say) gets the items again.
class ComboBox : public Control, protected OwnerDrawnItems {
public:
    explicit ComboBox(Component* owner);
    using OwnerDrawnItems::Count;
    using OwnerDrawnItems::Item;
    using OwnerDrawnItems::ItemHeight;
    using OwnerDrawnItems::AddItem;
    using OwnerDrawnItems::Clear;
    using OwnerDrawnItems::ItemIndex;
    using OwnerDrawnItems::SetItemIndex;
    void SetItemHeight(int height);

    // The platform's change notification: calls OnChange.
    std::function<void()> OnChange;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    void CommandReflected(WORD code) override;
    bool OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) override;
    virtual void Change();
    int WindowHeight() const override;
    // Makes the window anew (the items with it), keeping the object.
    void Recreate() { RecreateWnd(); }
};

}  // namespace platform
