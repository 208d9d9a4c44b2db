#include "CheckBox.h"

namespace platform {

CheckBox::CheckBox(Component* owner) : Control(owner) {}

void CheckBox::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "BUTTON";
    params.style |= BS_AUTOCHECKBOX | WS_TABSTOP;
}

bool CheckBox::Checked() const {
    return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetState(bool checked) {
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
    if (!Handle() || Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

}  // namespace platform
