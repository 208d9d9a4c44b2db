#include "ListBox.h"

namespace platform {

namespace {
constexpr ItemMessages kListMessages = {LB_ADDSTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL};
}  // namespace

ListBox::ListBox(Component* owner) : OwnerDrawnControl(owner, kListMessages) {}

void ListBox::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "LISTBOX";
    params.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    if (!integralHeight_) params.style |= LBS_NOINTEGRALHEIGHT;
}

void ListBox::CreateWnd() {
    Control::CreateWnd();
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
    Updating updating(*this);
    FillWindow();
}

void ListBox::SetItemHeight(int height) {
    itemHeight_ = height;
    if (Handle()) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        Invalidate();
    }
}

void ListBox::AddItems(std::vector<DrawnItem>&& items, const std::vector<int>& order) {
    Updating updating(*this);
    size_t bytes = 0;
    for (const DrawnItem& item : items) bytes += item.text.size() + 1;
    Reserve(static_cast<int>(order.size()), bytes);
    for (int i : order) {
        // Straight to the list box's own procedure: a bulk add need not pass our subclass.
        if (Handle()) DefaultHandler(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].text.c_str()));
        items_.push_back(std::move(items[i]));
    }
}

void ListBox::Reserve(int count, size_t textBytes) {
    items_.reserve(items_.size() + count);
    if (Handle()) SendMessageA(Handle(), LB_INITSTORAGE, count, static_cast<LPARAM>(textBytes));
}

bool ListBox::ItemSelected(int index) const {
    if (!Handle()) return index == ItemIndex() && index >= 0;
    return SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

int ListBox::FindExact(int after, const std::string& text) const {
    if (!Handle()) return -1;
    LRESULT found = SendMessageA(Handle(), LB_FINDSTRINGEXACT, after, reinterpret_cast<LPARAM>(text.c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

void ListBox::BeginUpdate() {
    if (updating_++ == 0 && Handle()) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListBox::EndUpdate() {
    if (--updating_ == 0 && Handle()) {
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }
}

LRESULT ListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        char key = static_cast<char>(wParam);
        KeyPress(key);
        if (!key) return 0;
        wParam = static_cast<unsigned char>(key);
    }
    if (message == WM_GETDLGCODE && WantsReturn() && lParam &&
        reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN && reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN)
        return DefaultHandler(message, wParam, lParam) | DLGC_WANTMESSAGE;
    return Control::WndProc(message, wParam, lParam);
}

void ListBox::CommandReflected(WORD code) {
    if (code == LBN_SELCHANGE) {
        KeepSelection();
        Click();
    }
    else if (code == LBN_DBLCLK) DblClick();
}

bool ListBox::OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    return Reflected(message, lParam);
}

void ListBox::DblClick() {
    if (OnDblClick && !Dying()) OnDblClick();
}

void ListBox::KeyPress(char& key) {
    if (OnKeyPress && !Dying()) OnKeyPress(key);
}

}  // namespace platform
