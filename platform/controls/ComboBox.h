#pragma once
#include <functional>
#include "platform/window/Control.h"
#include "OwnerDrawnItems.h"

namespace platform {

// An owner-drawn, list-only combo box of one fixed item height. The items
// live here; the window keeps their strings too (CBS_HASSTRINGS). It measures
// its items while its window is being made, through its parent's reflection
// by control id. A new window (after a font change, say) gets the items again.
class ComboBox : public Control, protected OwnerDrawnItems {
public:
    explicit ComboBox(Component* owner);
    using OwnerDrawnItems::Count;
    using OwnerDrawnItems::Item;
    using OwnerDrawnItems::ItemHeight;
    void SetItemHeight(int height);

    void AddItem(const std::string& text, const Bitmap* glyph = nullptr);
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);

    // The platform's change notification: calls OnChange.
    std::function<void()> OnChange;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    void CommandReflected(WORD code) override;
    bool OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) override;
    void DrawItem(int index, RECT rect, UINT state, Canvas& canvas) override;
    virtual void Change();
    int WindowHeight() const override;
    // Makes the window anew (the items with it), keeping the object.
    void Recreate() { RecreateWnd(); }

private:
    int itemIndex_ = -1;  // before the window exists
};

}  // namespace platform
