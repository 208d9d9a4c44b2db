#include "Button.h"

#include "platform/window/Form.h"

namespace platform {

Button::Button(Component* owner) : Control(owner) {}

void Button::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "BUTTON";
    params.style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
}

void Button::SetDefault(bool value) {
    default_ = value;
    if (value) SetControlId(IDOK);  // asked for before the window exists
    if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::SetCancel(bool value) {
    if (value) SetControlId(IDCANCEL);
}

void Button::Click() {
    if (Dying()) return;
    if (modalResult_ != mrNone)
        if (auto* form = dynamic_cast<Form*>(Root())) form->SetModalResult(modalResult_);
    Control::Click();
}

}  // namespace platform
