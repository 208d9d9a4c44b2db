#pragma once
#include <functional>
#include "OwnerDrawnControl.h"

namespace platform {

// An owner-drawn, list-only combo box of one fixed item height. It measures
// its items while its window is being made, through its parent's reflection
// by control id. A new window (after a font change, say) gets the items again.
class ComboBox : public OwnerDrawnControl {
public:
    explicit ComboBox(Component* owner);
    void SetItemHeight(int height) override;

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
