#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "Control.h"

namespace platform {

// One row of a form description: a control, where it sits and how it is set.
struct ControlRow {
    Control* (*make)(Component* owner);
    const char* name;
    int left, top, width, height;
    int tabOrder = -1;            // -1: none given
    const char* caption = nullptr;
    COLORREF color = CLR_INVALID;  // CLR_INVALID: the parent's colour
    const FontSpec* font = nullptr;  // null: the parent's font
    unsigned anchors = AnchorLeft | AnchorTop;
    Align align = Align::None;
    bool visible = true;
    bool beneath = false;  // drawn beneath its siblings where they overlap
};

template <class T>
Control* MakeControl(Component* owner) {
    return owner->Make<T>();
}

// A top-level window holding controls. Built in two steps so that the
// creation handler runs on the complete, most derived object:
// `Form::Create<T>(...)` constructs, lays out and then calls FormCreate.
class Form : public Control {
public:
    explicit Form(Component* owner);
    ~Form() override;

    template <class T, class... Args>
    static T* Create(Args&&... args) {
        T* form = new T(std::forward<Args>(args)...);
        try {
            form->Loaded();
        } catch (...) {
            delete form;
            throw;
        }
        form->DoCreate();
        return form;
    }

    // Builds the rows' controls with this form as owner and parent.
    void Build(const std::vector<ControlRow>& rows);
    template <class T>
    T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

    void SetClientSize(int width, int height);
    void SetIcon(const std::string& resourceName);

    void Show();
    void Hide() { SetVisible(false); }
    // The close procedure: hides the form.
    virtual void Close();
    // Runs the popup menu item whose shortcut is `virtualKey`; false when none has it.
    bool IsShortCut(UINT virtualKey);
    // Hides the form at once and destroys it when no handler runs any more.
    void Free();
    bool Freeing() const { return freeing_; }
    void ScaleBy(int multiplier, int divisor) override;

    // Keeps the tooltip of `control` in step with its hint settings.
    void UpdateHint(Control* control);

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    // Called once when the form starts to go away, by any route.
    virtual void BeforeFree() {}
    void CreateParams(WindowParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Loaded();
    void DoCreate();
    void WindowGone();
    friend class Control;

    bool freeing_ = false;
    HICON icon_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<Control*> tooltipTools_;
    HWND lastFocus_ = nullptr;
};

}  // namespace platform
