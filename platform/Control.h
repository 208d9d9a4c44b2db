#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "Component.h"
#include "Font.h"
#include "GdiHandle.h"

namespace platform {

class Canvas;
class Form;
class PopupMenu;

enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };
enum class Align { None, Top, Bottom, Left, Right };

// Cursor ids as the form descriptions give them.
enum CursorId : int { CursorDefault = 0, CursorHourGlass = -11, CursorHandPoint = -21 };

// How a control's window is made.
struct WindowParams {
    std::string className;  // empty: our own painted window class
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
};

// A control backed by a real window. The window is created when the control
// gets its parent (a form creates its own at once); the object is tied to it
// at creation and untied at WM_NCDESTROY, so no message reaches a freed object.
class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    void SetParent(Control* parent);
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Controls() const { return children_; }
    Form* ParentForm();
    HWND Handle() const { return handle_; }
    static Control* FromHandle(HWND window);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    RECT ClientRect() const;

    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    Font& GetFont() { return font_; }
    void SetFont(const FontSpec& look);
    bool ParentFont() const { return parentFont_; }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    // A control beneath its siblings lets overlapping ones be seen whole.
    void SetBeneath(bool beneath) { beneath_ = beneath; }
    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned anchors);
    Align GetAlign() const { return align_; }
    void SetAlign(Align align);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    // Scales bounds and font height by multiplier/divisor, children too.
    virtual void ScaleBy(int multiplier, int divisor);
    void Invalidate();

    std::function<void()> OnClick;

    // Before the image that registered our window class goes away.
    static void UnregisterOwnClass();
    // Windows owned by controls right now, for leak tests.
    static long LiveWindows() { return liveWindows_; }

protected:
    virtual void CreateParams(WindowParams& params);
    virtual void CreateWnd();
    void DestroyWnd();
    // Every message of the window; the default handling is DefaultHandler.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification the parent received for this control (WM_COMMAND code).
    virtual void Command(WORD code);
    virtual HBRUSH CtlColor(HDC dc);
    // Painting of our own window class.
    virtual void Paint(Canvas& canvas);
    virtual void Click();
    void ApplyFont();
    COLORREF ParentColor() const;
    void Realign();

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterOwnClass();
    void Attach(HWND window);
    void Detach();
    void RecordAnchors();
    void ParentResized();
    // Stacks the children in tab order (which is also how the dialog
    // navigation walks them), those marked beneath at the bottom.
    void ChildrenReorder();
    friend class Form;

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    HWND handle_ = nullptr;
    WNDPROC previousProc_ = nullptr;
    bool destroyingWindow_ = false;

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    bool parentColor_ = true;
    Font font_;
    bool parentFont_ = true;
    GdiHandle brush_;
    std::string hint_;
    bool showHint_ = false;
    int tabOrder_ = -1;
    bool beneath_ = false;
    unsigned anchors_ = AnchorLeft | AnchorTop;
    Align align_ = Align::None;
    int cursor_ = CursorDefault;
    PopupMenu* popupMenu_ = nullptr;
    // Distances kept by the anchors, taken when the control is placed.
    int anchorRight_ = 0, anchorBottom_ = 0;
    bool anchoring_ = false;

    static inline long liveWindows_ = 0;
};

}  // namespace platform
