#pragma once
#include <windows.h>

namespace bench {

// The page's window tree made with plain CreateWindowExA: the baseline a
// module page is measured against. Shown, activated and painted as a host
// sees a page; destroyed with one DestroyWindow.
class RawPage {
public:
    RawPage(int left, int top);
    ~RawPage();
    RawPage(const RawPage&) = delete;
    RawPage& operator=(const RawPage&) = delete;
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Child(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y, int w,
               int h, HFONT font);

    HWND window_ = nullptr;
    HFONT font_ = nullptr, titleFont_ = nullptr;
    HBRUSH frame_ = nullptr, memo_ = nullptr;
    HBITMAP bitmaps_[5] = {};
};

}  // namespace bench
