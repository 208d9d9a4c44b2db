#include "Screen.h"

#include "Control.h"
#include "DeviceContext.h"

namespace platform {

namespace {
int screenCursor = CursorDefault;
void (*cursorObserver)(int) = nullptr;
}

int Screen::PixelsPerInch() {
    WindowDC screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

int Screen::Cursor() { return screenCursor; }

void Screen::SetCursorObserver(void (*observer)(int)) { cursorObserver = observer; }

void Screen::SetCursor(int cursor) {
    screenCursor = cursor;
    if (cursorObserver) cursorObserver(cursor);
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
