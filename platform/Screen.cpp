#include "Screen.h"

#include "Control.h"

namespace platform {

namespace {
int screenCursor = CursorDefault;
}

int Screen::PixelsPerInch() {
    HDC dc = GetDC(nullptr);
    int ppi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return ppi;
}

int Screen::Cursor() { return screenCursor; }

void Screen::SetCursor(int cursor) {
    screenCursor = cursor;
    ::SetCursor(LoadCursorId(cursor));
}

HCURSOR Screen::LoadCursorId(int cursor) {
    switch (cursor) {
    case CursorHourGlass: return LoadCursorA(nullptr, IDC_WAIT);
    case CursorHandPoint: return LoadCursorA(nullptr, IDC_HAND);
    default: return LoadCursorA(nullptr, IDC_ARROW);
    }
}

}  // namespace platform
