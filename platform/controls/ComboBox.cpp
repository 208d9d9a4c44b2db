#include "ComboBox.h"

namespace platform {

namespace {
constexpr ItemMessages kComboMessages = {CB_ADDSTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL};
}  // namespace

ComboBox::ComboBox(Component* owner) : OwnerDrawnControl(owner, kComboMessages) {}

void ComboBox::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "COMBOBOX";
    params.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
}

void ComboBox::CreateWnd() {
    Control::CreateWnd();
    FillWindow();
}

void ComboBox::SetItemHeight(int height) {
    itemHeight_ = height;
    if (Handle()) {
        SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
        SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    }
}

void ComboBox::CommandReflected(WORD code) {
    if (code != CBN_SELCHANGE) return;
    KeepSelection();
    Click();
}

bool ComboBox::OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    return Reflected(message, lParam);
}

// The window's height counts the dropped-down list too: room for eight items.
int ComboBox::WindowHeight() const { return Height() + 8 * itemHeight_ + 2; }

void ComboBox::Change() {
    if (OnChange && !Dying()) OnChange();
}

}  // namespace platform
