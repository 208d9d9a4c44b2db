#pragma once
#include <windows.h>

namespace platform {

// The cursors a control or the screen can show.
enum CursorId : int { CursorDefault = 0, CursorHourGlass = -11, CursorHandPoint = -21 };

// The display: its resolution and the cursor that all our windows show.
class Screen {
public:
    static int PixelsPerInch();
    // A cursor other than CursorDefault overrides every control's own.
    static int Cursor();
    static void SetCursor(int cursor);
    // Told of every change of the screen cursor (tests watch a long fill with it).
    static void SetCursorObserver(void (*observer)(int cursor));
    static HCURSOR LoadCursorId(int cursor);
};

}  // namespace platform
