#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "platform/window/Form.h"

namespace testing_support {

// The items' texts as the window holds them.
std::vector<std::string> ListBoxTexts(HWND list);
std::vector<std::string> ComboBoxTexts(HWND combo);
// The selected item's index as the window says.
int ListBoxSelection(HWND list);
int ComboBoxSelection(HWND combo);

// A white form for the directory-selection controls, shown at once; its
// controls are made with Add and placed by the test.
class ControlForm {
public:
    ControlForm();
    ~ControlForm();
    ControlForm(const ControlForm&) = delete;
    ControlForm& operator=(const ControlForm&) = delete;
    template <class T>
    T* Add(int left, int top, int width, int height) {
        T* control = form_->Make<T>();
        control->SetBounds(left, top, width, height);
        control->SetParent(form_);
        return control;
    }
    platform::Form* Get() const { return form_; }

private:
    platform::Form* form_;
};

}  // namespace testing_support
