#pragma once
#include <functional>
#include "OwnerDrawnControl.h"

namespace platform {

// An owner-drawn list box of one fixed item height (LBS_HASSTRINGS, so that
// type-ahead and LB_GETTEXT work). A new window gets the items again.
class ListBox : public OwnerDrawnControl {
public:
    explicit ListBox(Component* owner);
    void SetItemHeight(int height) override;
    void SetIntegralHeight(bool integral) { integralHeight_ = integral; }

    // Adds `items` in the given order (indices into `items`) in one update,
    // with storage reserved first; the items are moved, not copied.
    void AddItems(std::vector<DrawnItem>&& items, const std::vector<int>& order);
    // Storage for `count` more items with `textBytes` of text in all.
    void Reserve(int count, size_t textBytes);
    bool ItemSelected(int index) const;
    // The first item after `after` whose text equals `text` ignoring case,
    // wrapping round; -1 when none.
    int FindExact(int after, const std::string& text) const;

    // Item changes between these repaint once; a nested pair counts.
    void BeginUpdate();
    void EndUpdate();
    // Begins an update and ends it on every way out.
    class Updating {
    public:
        explicit Updating(ListBox& list) : list_(list) { list_.BeginUpdate(); }
        ~Updating() { list_.EndUpdate(); }
        Updating(const Updating&) = delete;
        Updating& operator=(const Updating&) = delete;

    private:
        ListBox& list_;
    };

    std::function<void()> OnDblClick;
    std::function<void(char& key)> OnKeyPress;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CommandReflected(WORD code) override;
    bool OwnerDrawReflected(UINT message, LPARAM lParam, LRESULT& result) override;
    // A double click on an item.
    virtual void DblClick();
    // A character typed in the list; the handler may change it, 0 swallows it.
    virtual void KeyPress(char& key);
    // Whether Enter belongs to the list rather than to the dialog's default button.
    virtual bool WantsReturn() const { return false; }

private:
    int updating_ = 0;
    bool integralHeight_ = false;
};

}  // namespace platform
