#include "ComboBox.h"

#include "platform/drawing/Canvas.h"

namespace platform {

ComboBox::ComboBox(Component* owner) : Control(owner) { SetColor(GetSysColor(COLOR_WINDOW)); }

void ComboBox::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "COMBOBOX";
    params.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
}

void ComboBox::CreateWnd() {
    Control::CreateWnd();
    for (const DrawnItem& item : items_)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (itemIndex_ >= 0) SendMessageA(Handle(), CB_SETCURSEL, itemIndex_, 0);
}

void ComboBox::SetItemHeight(int height) {
    itemHeight_ = height;
    if (Handle()) {
        SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
        SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    }
}

void ComboBox::AddItem(const std::string& text, const Bitmap* glyph) {
    items_.push_back({text, glyph});
    if (Handle()) SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    if (Handle()) SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

int ComboBox::ItemIndex() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void ComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, itemIndex_, 0);
}

void ComboBox::CommandReflected(WORD code) {
    if (code != CBN_SELCHANGE) return;
    itemIndex_ = ItemIndex();  // kept for a window made anew
    Click();
}

bool ComboBox::OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    return Reflected(*this, message, lParam);
}

void ComboBox::DrawItem(int index, RECT rect, UINT, Canvas& canvas) {
    canvas.FillRect(rect);
    canvas.TextOut(rect.left + 2, rect.top, Item(index).text);
}

// The window's height counts the dropped-down list too: room for eight items.
int ComboBox::WindowHeight() const { return Height() + 8 * itemHeight_ + 2; }

void ComboBox::Change() {
    if (OnChange && !Dying()) OnChange();
}

}  // namespace platform
