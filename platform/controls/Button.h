#pragma once
#include "platform/window/Control.h"
#include "platform/window/ModalResult.h"

namespace platform {

// A push button. One with a modal result ends its form's modal loop with it
// when clicked (before its OnClick runs, which may set the result back to
// none). The default button answers Enter, the cancel button Esc: they take
// the ids IDOK and IDCANCEL that the dialog keys send.
class Button : public Control {
public:
    explicit Button(Component* owner);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    void SetDefault(bool value);
    void SetCancel(bool value);

protected:
    void CreateParams(WindowParams& params) override;
    void Click() override;

private:
    int modalResult_ = mrNone;
    bool default_ = false;
};

}  // namespace platform
