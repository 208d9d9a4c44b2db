#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include "DeviceContext.h"
#include "GdiHandle.h"

namespace platform {

// An owned device-independent bitmap.
class Bitmap {
public:
    Bitmap() = default;
    bool Empty() const { return !handle_; }
    HBITMAP Handle() const { return handle_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Clear();
    // The colour of one pixel; CLR_INVALID outside the bitmap.
    COLORREF Pixel(int x, int y) const;
    // A 24-bit bitmap of the given size, filled with `color`.
    void SetSize(int width, int height, COLORREF color);
    // Loads the bitmap resource `name` of `instance`; false when there is none.
    bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // A copy of the given part of `source`.
    void AssignPart(const Bitmap& source, int x, int y, int width, int height);
    // A copy of `source` in shades of grey; its bottom-left colour stays as it is.
    void AssignGrayed(const Bitmap& source);
    // Draws the bitmap at (x, y) with the pixels of colour `key` left out.
    // The mask for a key is made once and kept: glyphs are drawn item after item.
    void DrawTransparent(HDC dest, int x, int y, COLORREF key) const;
    // The colour of the bottom-left pixel, the usual transparent one; kept once read.
    COLORREF BottomLeft() const;

private:
    void Adopt(HBITMAP bitmap);
    void PrepareTransparency(COLORREF key) const;
    BitmapHandle handle_;
    // For transparent drawing: a monochrome mask (1 where transparent) and the
    // image with its transparent pixels black, each selected into a DC of its own.
    struct Transparency {
        COLORREF key;
        BitmapHandle mask, cut;
        MemoryDC maskDC, cutDC;
    };
    mutable std::unique_ptr<Transparency> transparency_;
    mutable COLORREF bottomLeft_ = CLR_INVALID;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace platform
