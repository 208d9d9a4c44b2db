#include "RawPage.h"

#include <commctrl.h>

namespace bench {

namespace {
const char kClass[] = "BenchRawPage";
const COLORREF kFrame = RGB(140, 170, 230), kMemo = RGB(237, 242, 252);
// The texts the page's memos show (the help-text stand-in's), so that both
// sides keep what wine's multi-line edit keeps for the same text.
const char kGermanText[] =
    "Mit diesem Tipp wird die komplette Registry in eine Datei exportiert.\r\n"
    "Die Datei trägt das Datum des Exports als Namen (Jahr, Monat, Tag) und die Endung .reg.\r\n"
    "Wählen Sie das Backup Verzeichnis, setzen Sie das Häkchen und klicken Sie auf Übernehmen.\r\n"
    "Zum Wiederherstellen die Datei doppelt anklicken.";
const char kText[] =
    "This tip exports the complete registry into one file.\r\n"
    "The file is named after the date of the export (year, month, day) and ends in .reg.\r\n"
    "Choose the backup directory, tick the check box and press apply.\r\n"
    "To restore, double-click the file.";

HFONT Tahoma(int height, bool bold) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    return CreateFontIndirectA(&lf);
}

HBITMAP Tile(COLORREF color) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), 32, 32, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits) {
        DWORD pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < 32 * 32; ++i) static_cast<DWORD*>(bits)[i] = pixel;
    }
    return bitmap;
}
}  // namespace

LRESULT CALLBACK RawPage::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RawPage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT)) {
        HWND child = reinterpret_cast<HWND>(lParam);
        bool memo = GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE;
        bool panel = GetWindowTextLengthA(child) == 0 && !memo;
        if (memo || panel) {
            SetBkColor(reinterpret_cast<HDC>(wParam), memo ? kMemo : kFrame);
            return reinterpret_cast<LRESULT>(memo ? self->memo_ : self->frame_);
        }
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND RawPage::Child(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y,
                    int w, int h, HFONT font) {
    HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

RawPage::RawPage(int left, int top) {
    static bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClass;
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    font_ = Tahoma(-11, false);
    titleFont_ = Tahoma(-12, true);
    frame_ = CreateSolidBrush(kFrame);
    memo_ = CreateSolidBrush(kMemo);
    const DWORD style = WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, 292, 426};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kClass, "Registry komplett exportieren", style,
                              left, top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Child("STATIC", "", 0, 0, 287, 5, 5, 416, font_);
    Child("STATIC", "", 0, 0, 0, 5, 5, 416, font_);
    Child("STATIC", "", 0, 0, 0, 0, 292, 5, font_);
    Child("STATIC", "", 0, 0, 0, 421, 292, 5, font_);
    const DWORD memo = WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    // The texts come after the font, as the page's memos get them.
    SetWindowTextA(Child("EDIT", "", memo, 0, 16, 32, 259, 105, font_), kGermanText);
    SetWindowTextA(Child("EDIT", "", memo, 0, 16, 32, 259, 105, font_), kText);
    Child("STATIC", "Registry komplett exportieren", SS_NOPREFIX, 0, 16, 8, 257, 33, titleFont_);
    Child("EDIT", "C:\\VELDRAKE", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 22, 179, 225, 19, font_);
    Child("STATIC", "Backup Verzeichnis:", 0, 0, 20, 154, 94, 13, font_);
    Child("BUTTON", "REGEDIT.EXE /e starten", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 24, 216, 246, 17, font_);
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    const int lefts[5] = {16, 56, 200, 240, 250};
    const char* hints[5] = {"Änderungen werden gespeichert", "Setzt alles wieder auf die Standartwerte",
                            "Gültig für ... ", "Wert in der Registry nachschlagen",
                            "Backup Verzeichnis auswählen"};
    for (int i = 0; i < 5; ++i) {
        bitmaps_[i] = Tile(RGB(120, 115, 200));
        HWND button = Child("BUTTON", "", BS_BITMAP | BS_FLAT, 0, lefts[i], i == 4 ? 177 : 381,
                            i == 4 ? 23 : 36, i == 4 ? 22 : 36, font_);
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmaps_[i]));
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<char*>(hints[i]);
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ShowWindow(window_, SW_SHOW);
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

RawPage::~RawPage() {
    DestroyWindow(window_);  // its children and the owned tooltip go with it
    DeleteObject(font_);
    DeleteObject(titleFont_);
    DeleteObject(frame_);
    DeleteObject(memo_);
    for (HBITMAP b : bitmaps_) DeleteObject(b);
}

}  // namespace bench
