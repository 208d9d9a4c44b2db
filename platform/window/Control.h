#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "platform/drawing/Screen.h"
#include "platform/system/Component.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/GdiHandle.h"
#include "Layout.h"

namespace platform {

class Canvas;
class PopupMenu;

// How a control's window is made.
struct WindowParams {
    std::string className;  // empty: our own painted window class
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
};

// A control backed by a real window. Its window is made when its parent's
// is (a whole tree at once, each child at its final place, stacked in tab
// order), or at once when it joins a parent that already has one. The object
// is tied to the window from its first message to WM_NCDESTROY: our own class
// keeps the pointer in its extra bytes, a system control we subclass keeps it
// in its user data; no other window ever reaches our window procedures.
class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    void SetParent(Control* parent);
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Controls() const { return children_; }
    HWND Handle() const { return handle_; }
    // Makes the window (and the windows of its children) when there is none yet.
    void HandleNeeded();
    // The id the parent gives this control's window; asked for before the window exists.
    int ControlId() const { return controlId_; }
    void SetControlId(int id) { controlId_ = id; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Places the control where its owner wants it; the layout takes this as its design.
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    // Moves the window only; what the layout remembers stays. The layout's own call.
    void MoveTo(int left, int top, int width, int height);
    RECT ClientRect() const;
    Layout& GetLayout() { return layout_; }

    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Shows the window and activates it, in one call.
    void ShowActivated();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    Font& GetFont() { return font_; }
    void SetFont(const FontSpec& look);
    // Takes the parent's font again and follows it from now on.
    void UseParentFont();

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    // A control beneath its siblings lets overlapping ones be seen whole.
    void SetBeneath(bool beneath) { beneath_ = beneath; }
    bool Beneath() const { return beneath_; }
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }
    PopupMenu* GetPopupMenu() const { return popupMenu_; }

    // Scales bounds and font height by multiplier/divisor, children too.
    virtual void ScaleBy(int multiplier, int divisor);
    // Scales the font height, unless the font is the parent's (which is then taken again).
    void ScaleFont(int multiplier, int divisor);
    void Invalidate();
    // A caption label whose accelerator is `key` gives the focus to its
    // control and answers true; every other control answers false.
    virtual bool MnemonicFor(char) { return false; }
    // True once the form this control sits on is going away: it then fires no events.
    bool Dying() const;

    std::function<void()> OnClick;

    // Windows owned by controls right now, for leak tests.
    static long LiveWindows() { return liveWindows_; }

protected:
    virtual void CreateParams(WindowParams& params);
    // Makes the window, then the children's windows in stacking order.
    virtual void CreateWnd();
    // Makes the window anew, in the same place among its siblings; the object stays.
    void RecreateWnd();
    void DestroyWnd();
    // Every message of the window; the default handling is DefaultHandler.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A WM_COMMAND notification that the parent received for this control.
    virtual void CommandReflected(WORD code);
    // WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM or WM_COMPAREITEM that the
    // parent received for this control's id; true when it was handled.
    virtual bool OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result);
    virtual HBRUSH CtlColor(HDC dc);
    // Painting of our own window class.
    virtual void Paint(Canvas& canvas);
    virtual void Click();
    // The font changed: by SetFont, by the parent's font, or by scaling.
    virtual void FontChanged() {}
    // The window went without us asking (DestroyWindow from outside, or its parent's).
    virtual void WindowDestroyedOutside() {}
    // On the top-level control: a control below it changed its hint settings
    // or lost its window.
    virtual void ChildHintChanged(Control* child);
    virtual void ChildWindowGone(Control* child, HWND window);
    // The height the window is made and moved with (a combo box adds its drop-down list).
    virtual int WindowHeight() const { return height_; }
    // The client rectangle the window will have, before it exists.
    virtual RECT ClientRectWithoutWindow() const;
    virtual bool Freeing() const { return false; }
    void ApplyFont();
    COLORREF ParentColor() const;
    Control* Root();

private:
    friend class WindowClass;  // its procedures tie windows to objects and dispatch to them
    friend class MessageReflection;  // it calls the reflected handlers
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window, bool ownClass);
    void Detach();
    void FollowParentFont();

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    HWND handle_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // set while a system control is subclassed
    bool destroyingWindow_ = false;
    int controlId_ = 0;
    int nextChildId_ = 100;  // below are IDOK, IDCANCEL and their kin

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    bool parentColor_ = true;
    Font font_;
    bool parentFont_ = true;
    BrushHandle brush_;
    std::string hint_;
    bool showHint_ = false;
    int tabOrder_ = -1;
    bool beneath_ = false;
    int cursor_ = CursorDefault;
    PopupMenu* popupMenu_ = nullptr;
    Layout layout_{*this};

    static inline long liveWindows_ = 0;
};

}  // namespace platform
