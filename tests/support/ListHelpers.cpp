#include "ListHelpers.h"

#include "Pump.h"

namespace testing_support {

using namespace desktop;

namespace {
std::vector<std::string> Texts(HWND window, UINT count, UINT length, UINT text) {
    std::vector<std::string> texts;
    int n = static_cast<int>(SendMessageA(window, count, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::string s(static_cast<size_t>(SendMessageA(window, length, i, 0)) + 1, '\0');
        s.resize(static_cast<size_t>(SendMessageA(window, text, i, reinterpret_cast<LPARAM>(s.data()))));
        texts.push_back(s);
    }
    return texts;
}
}  // namespace

std::vector<std::string> ListBoxTexts(HWND list) { return Texts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
std::vector<std::string> ComboBoxTexts(HWND combo) {
    return Texts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}
int ListBoxSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
int ComboBoxSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

ControlForm::ControlForm() : form_(new platform::Form(nullptr)) {
    form_->SetColor(RGB(255, 255, 255));
    form_->SetFont(platform::FontSpec{});
    form_->SetClientSize(600, 400);
    form_->Show();
    PumpPending();
}

ControlForm::~ControlForm() { delete form_; }

}  // namespace testing_support
