#include "Screen.h"

#include "DeviceContext.h"

namespace platform {

namespace {
int screenCursor = CursorDefault;
void (*cursorObserver)(int) = nullptr;
}

int Screen::PixelsPerInch() {
    // Fixed for the life of the process; asking the screen costs a DC each time.
    static const int ppi = [] {
        WindowDC screen;
        return GetDeviceCaps(screen.Get(), LOGPIXELSX);
    }();
    return ppi;
}

int Screen::Cursor() { return screenCursor; }

void Screen::SetCursorObserver(void (*observer)(int)) { cursorObserver = observer; }

void Screen::SetCursor(int cursor) {
    screenCursor = cursor;
    if (cursorObserver) cursorObserver(cursor);
    ::SetCursor(LoadCursorId(cursor));
}

HCURSOR Screen::LoadCursorId(int cursor) {
    // The system's shared cursors, looked up once each: asked for on every mouse move.
    static const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT), hand = LoadCursorA(nullptr, IDC_HAND),
                         arrow = LoadCursorA(nullptr, IDC_ARROW);
    switch (cursor) {
    case CursorHourGlass: return wait;
    case CursorHandPoint: return hand;
    default: return arrow;
    }
}

}  // namespace platform
