#pragma once
#include "platform/window/Control.h"

namespace platform {

// A check box; OnClick runs whenever its state changes, by the user or by code.
class CheckBox : public Control {
public:
    explicit CheckBox(Component* owner);
    bool Checked() const;
    void SetChecked(bool checked);
    // Sets the state without counting it as a click.
    void SetState(bool checked);

protected:
    void CreateParams(WindowParams& params) override;
};

}  // namespace platform
