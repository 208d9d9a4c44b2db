#include "Canvas.h"

#include "Bitmap.h"
#include "platform/system/SystemFunctions.h"
#include "DeviceContext.h"

namespace platform {

Canvas::Canvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) { SetBkMode(dc_, TRANSPARENT); }

Canvas::~Canvas() { RestoreDC(dc_, saved_); }  // brush_ is deleted after it is deselected

void Canvas::SetFont(Font& font) {
    SelectObject(dc_, font.Handle());
    ::SetTextColor(dc_, font.Color());
}

void Canvas::SetBrushColor(COLORREF color) {
    if (brush_ && color == brushColor_) return;
    brushColor_ = color;
    BrushHandle fresh(CreateSolidBrush(color));
    SelectObject(dc_, fresh.Get());
    brush_ = std::move(fresh);
}

void Canvas::FillRect(const RECT& rect) {
    if (!brush_) SetBrushColor(brushColor_);
    ::FillRect(dc_, &rect, static_cast<HBRUSH>(brush_.Get()));
}

int Canvas::TextWidth(const std::string& text) const {
    SIZE size = {};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Canvas::TextOut(int x, int y, const std::string& text) {
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Canvas::DrawTransparent(int x, int y, const Bitmap& bitmap) {
    bitmap.DrawTransparent(dc_, x, y, bitmap.BottomLeft());
}

void Canvas::BrushCopy(const RECT& dest, const Bitmap& bitmap, const RECT& source, COLORREF transparent) {
    FillRect(dest);
    if (bitmap.Empty()) return;
    bool whole = source.left == 0 && source.top == 0 && source.right == bitmap.Width() &&
                 source.bottom == bitmap.Height() && dest.right - dest.left == bitmap.Width() &&
                 dest.bottom - dest.top == bitmap.Height();
    if (whole) {  // the usual case, with the bitmap's kept mask
        bitmap.DrawTransparent(dc_, dest.left, dest.top, transparent);
        return;
    }
    MemoryDC from(dc_);
    from.Select(bitmap.Handle());
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (SystemFunctions::Current().TransparentBlt(dc_, dest.left, dest.top, dw, dh, from.Get(), source.left, source.top,
                                                  sw, sh, transparent))
        return;
    // Windows 95 and NT 4.0 have no msimg32: the same through a mask, which
    // is white where the source has the transparent colour.
    BitmapHandle maskBitmap(CreateBitmap(sw, sh, 1, 1, nullptr));
    MemoryDC mask(dc_);
    if (!maskBitmap) return;
    mask.Select(maskBitmap.Get());
    const COLORREF sourceBack = SetBkColor(from.Get(), transparent);
    BitBlt(mask.Get(), 0, 0, sw, sh, from.Get(), source.left, source.top, SRCCOPY);
    SetBkColor(from.Get(), sourceBack);
    const COLORREF text = ::SetTextColor(dc_, RGB(0, 0, 0)), back = ::SetBkColor(dc_, RGB(255, 255, 255));
    // dest ^ src, kept only where transparent, ^ src again: dest there, src elsewhere.
    StretchBlt(dc_, dest.left, dest.top, dw, dh, from.Get(), source.left, source.top, sw, sh, SRCINVERT);
    StretchBlt(dc_, dest.left, dest.top, dw, dh, mask.Get(), 0, 0, sw, sh, SRCAND);
    StretchBlt(dc_, dest.left, dest.top, dw, dh, from.Get(), source.left, source.top, sw, sh, SRCINVERT);
    ::SetTextColor(dc_, text);
    ::SetBkColor(dc_, back);
}

void Canvas::DrawGrayed(int x, int y, const Bitmap& bitmap) {
    if (bitmap.Empty()) return;
    Bitmap gray;
    gray.AssignGrayed(bitmap);
    DrawTransparent(x, y, gray);
}

}  // namespace platform
