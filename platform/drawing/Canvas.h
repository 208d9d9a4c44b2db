#pragma once
#include <windows.h>
#include <string>
#include "Font.h"
#include "GdiHandle.h"

namespace platform {

class Bitmap;

// Drawing on a device context that someone else owns. Saves the context's
// state first and restores it before deleting what it created.
class Canvas {
public:
    explicit Canvas(HDC dc);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetFont(Font& font);
    void SetBrushColor(COLORREF color);
    COLORREF BrushColor() const { return brushColor_; }
    void SetTextColor(COLORREF color) { ::SetTextColor(dc_, color); }
    void FillRect(const RECT& rect);
    int TextWidth(const std::string& text) const;
    void TextOut(int x, int y, const std::string& text);
    // Draws `bitmap` with the colour of its bottom-left pixel left out.
    void DrawTransparent(int x, int y, const Bitmap& bitmap);
    // Copies the `source` part of `bitmap` to `dest`; pixels of `transparent`
    // show the canvas brush instead.
    void BrushCopy(const RECT& dest, const Bitmap& bitmap, const RECT& source, COLORREF transparent);
    // Draws `bitmap` in grey, as a disabled control shows it.
    void DrawGrayed(int x, int y, const Bitmap& bitmap);

private:
    HDC dc_;
    int saved_;
    COLORREF brushColor_ = RGB(255, 255, 255);
    BrushHandle brush_;
};

}  // namespace platform
