#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "Control.h"
#include "Tooltips.h"
#include "platform/system/Error.h"
#include "ModalResult.h"

namespace platform {

// One row of a form description: a control, where it sits and how it is set.
// Written with designated initializers, so that a row reads like a line of a
// layout table: {.make = MakeControl<Edit>, .name = "T288_Edit", .left = 22, ...}.
struct ControlRow {
    Control* (*make)(Component* owner);
    const char* name;
    int left = 0, top = 0, width = 0, height = 0;
    int tabOrder = -1;             // -1: none given
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

// A top-level window holding controls. Built in steps so that the creation
// handler runs on the complete, most derived object: `Form::Create<T>(...)`
// constructs (the constructors describe the controls), scales the
// description to the screen, makes the whole window tree, then runs FormCreate.
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

    // Makes the rows' controls with this form as owner and parent.
    void Build(const std::vector<ControlRow>& rows);
    // The control of that name and type; raises when the description has none.
    template <class T>
    T* Field(const std::string& name) const {
        if (T* found = dynamic_cast<T*>(FindComponent(name))) return found;
        throw Error("The form has no control named " + name);
    }

    void SetClientSize(int width, int height);
    void SetIcon(const std::string& resourceName);

    void Show();
    void Hide() { SetVisible(false); }
    // The close procedure: hides the form.
    virtual void Close();
    // Runs the popup menu item whose shortcut is `virtualKey`; false when none has it.
    bool IsShortCut(UINT virtualKey);
    // Destroys the form now, or, while one of our handlers still runs, hides
    // it at once and destroys it when the outermost has returned. From then
    // on the form fires no events.
    void Free();
    bool Freeing() const override { return freeing_; }
    void ScaleBy(int multiplier, int divisor) override;

    // Shows the form modally above `owner` (none: above whatever is active):
    // the thread's other windows are disabled, messages are pumped until a
    // modal result is set, the owner goes away or the thread quits, then the
    // windows are enabled again before the form hides and the focus goes
    // back. Returns the modal result (mrCancel when the loop ended another way).
    int ShowModal(Form* owner = nullptr);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Forms described in code, in pixels, are not scaled when loaded.
    void SetScaledOnLoad(bool scaled) { scaledOnLoad_ = scaled; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    // A dialog border instead of the page's frame; centred on the screen when made.
    void SetDialogBorder(bool dialog) { dialogBorder_ = dialog; }
    // The control that has the focus when the form is first activated.
    void SetActiveControl(Control* control) { activeControl_ = control; }
    // Places the form in the middle of the screen by its outer size.
    void CenterOnScreen();
    // The accelerator `key` of a caption label moves the focus to its control; true when one did.
    bool Mnemonic(char key);

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    // Called once when the form starts to go away, by any route.
    virtual void BeforeFree() {}
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyedOutside() override;
    void ChildHintChanged(Control* child) override;
    void ChildWindowGone(Control* child, HWND window) override;
    RECT ClientRectWithoutWindow() const override;

private:
    void Loaded();
    void DoCreate();
    SIZE FrameSize() const;
    static unsigned MetricsGeneration();

    bool freeing_ = false;
    bool scaledOnLoad_ = true;
    bool dialogBorder_ = false;
    bool inModalLoop_ = false;
    int modalResult_ = 0;
    int helpContext_ = 0;
    std::string iconName_;
    IconHandle icon_;  // freed after the window that shows it
    Tooltips tooltips_;
    HWND lastFocus_ = nullptr;
    Control* activeControl_ = nullptr;
    mutable SIZE frame_ = {};
    mutable DWORD frameStyle_ = 0, frameExStyle_ = 0;
    mutable unsigned frameMetrics_ = 0;
};

}  // namespace platform
