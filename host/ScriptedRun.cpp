#include "ScriptedRun.h"

#include <windows.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "BoxAnswerer.h"
#include "Pump.h"
#include "Screenshot.h"
#include "WindowScript.h"
#include "filectrl/ResourceStrings.h"
#include "platform/system/Text.h"
#include "template/HostProtocol.h"

namespace demo {

namespace {

using namespace wendrik;

HWND FindPage() { return desktop::ShownWindow("Registry komplett exportieren"); }

// Clicks the page's control that stands at a point of its design, as the mouse would.
void ClickPageAt(HWND page, POINT at) {
    HWND control = ChildWindowFromPointEx(page, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    MapWindowPoints(page, control, &at, 1);
    desktop::ClickAt(control, at);
}

struct ChildSearch {
    const char* cls;
    bool multi;
    HWND found;
};

BOOL CALLBACK FindChildStep(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof(cls));
    bool multi = (GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE) != 0;
    if (lstrcmpiA(cls, s->cls) == 0 && multi == s->multi) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND page, const char* className, bool multiline) {
    ChildSearch s = {className, multiline, nullptr};
    EnumChildWindows(page, FindChildStep, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The file the page's last word names: "... nach <file> exportiert !" or "... to <file> !".
std::string ExportedFile(const std::vector<std::string>& boxes) {
    std::string last = boxes.empty() ? "" : boxes.back();
    for (auto [head, tail] : {std::pair<std::string, std::string>{"Registry wurde komplett nach ", " exportiert !"},
                              std::pair<std::string, std::string>{"Registry exported to ", " !"}}) {
        if (last.size() > head.size() + tail.size() && last.rfind(head, 0) == 0 &&
            last.compare(last.size() - tail.size(), tail.size(), tail) == 0)
            return last.substr(head.size(), last.size() - head.size() - tail.size());
    }
    return "";
}

}  // namespace

int RunScript(HostWindow& host, ModuleLibrary& module, const std::string& backupDir, const std::string& typed,
              const ScriptShots& shots) {
    // Answers every box from here on with its first button, "Big" at another dpi too.
    desktop::BoxAnswerer boxes(IDOK);
    boxes.OnBox([&](const std::string& text) {
        host.Log("message box: " + text);
        const bool question = text == ResourceStrings::SConfirmCreateDir();
        const bool done = !ExportedFile({text}).empty();
        const std::string& shot = question ? shots.question : done ? shots.done : std::string();
        if (HWND box = FindWindowA("#32770", nullptr); box && !shot.empty())
            RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN),
            host.Log(SaveScreenshot(box, shot) ? "screenshot: " + shot : "FAILED: box screenshot");
    });

    LARGE_INTEGER start, painted;
    QueryPerformanceCounter(&start);
    host.CreatePage();
    HWND page = FindPage();
    if (!page) {
        host.Log("FAILED: the page did not appear");
        return 1;
    }
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    QueryPerformanceCounter(&painted);
    char took[64];
    std::snprintf(took, sizeof(took), "page painted %.1f ms after ModulCreate", Milliseconds(start, painted));
    host.Log(took);
    desktop::PumpPending();

    HWND edit = FindChild(page, "Edit", false);
    HWND check = FindChild(page, "Button", false);
    if (!edit || !check) {
        host.Log("FAILED: the backup row is missing");
        return 1;
    }
    // The road a user takes: the browse button, a new folder typed under
    // the backup folder, OK, Yes to the question; the page's edit shows it.
    SetWindowTextA(edit, backupDir.c_str());
    host.Log("backup folder: " + backupDir);
    const std::string wanted = backupDir + "\\" + typed;
    bool existedBefore = GetFileAttributesA(wanted.c_str()) != INVALID_FILE_ATTRIBUTES;
    desktop::WindowScript dialog(ResourceStrings::SSelectDirCap());
    dialog.Do([&](HWND d) {
        host.Log("select-directory dialog open");
        if (!shots.dialog.empty())
            host.Log(SaveScreenshot(d, shots.dialog) ? "screenshot: " + shots.dialog : "FAILED: dialog screenshot");
        HWND name = desktop::ChildWithText(d, "Edit", nullptr);
        SetWindowTextA(name, typed.c_str());
        host.Log("typed: " + typed);
        PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
        host.Log("OK pressed");
    });
    host.Log("browse button pressed");
    ClickPageAt(page, POINT{250 + 11, 177 + 11});
    char shown[MAX_PATH] = {};
    GetWindowTextA(edit, shown, sizeof(shown));
    bool created = dialog.Done() && GetFileAttributesA(wanted.c_str()) != INVALID_FILE_ATTRIBUTES &&
                   lstrcmpiA(shown, wanted.c_str()) == 0;
    if (!created) {
        host.Log("FAILED: the dialog did not give " + wanted + " (the edit shows " + shown + ")");
        return 1;
    }
    host.Log(std::string(existedBefore ? "folder chosen through the dialog: " : "folder created through the dialog: ") +
             shown);
    SendMessageA(check, BM_CLICK, 0, 0);
    host.Log("check box ticked");
    host.LogFlags();
    if (!shots.page.empty())
        host.Log(SaveScreenshot(page, shots.page) ? "screenshot: " + shots.page : "FAILED: screenshot");

    host.Log("apply pressed");
    ClickPageAt(page, POINT{16 + 18, 381 + 18});
    host.LogFlags();

    RECT before;
    GetWindowRect(page, &before);
    host.HostCommand(CommandLeft, before.left + 30);
    host.HostCommand(CommandTop, before.top + 20);
    host.HostCommand(CommandWidth, 320);
    host.HostCommand(CommandHeight, 480);
    RECT after;
    GetWindowRect(page, &after);
    bool followed = after.left == before.left + 30 && after.top == before.top + 20 &&
                    after.right - after.left == 320 && after.bottom - after.top == 480;
    host.Log(followed ? "page moved and sized" : "FAILED: the page did not follow move and size");
    host.HostCommand(CommandShow, 0);
    host.HostCommand(CommandClose, 0);
    desktop::PumpPending();
    bool closed = !IsWindow(page);
    host.Log(closed ? "page closed by command 0" : "FAILED: the page is still there");
    int freed = module.free();
    host.Log("ModulFree = " + std::to_string(freed) + " (nothing left to free)");
    std::string file = ExportedFile(boxes.Texts());
    bool exported = !file.empty();
    host.Log(exported ? "export file: " + file : "FAILED: export not confirmed");
    if (exported && lstrcmpiA(platform::ExtractFilePath(file).c_str(), (wanted + "\\").c_str()) != 0) {
        host.Log("FAILED: the export is not in " + wanted);
        exported = false;
    }
    if (exported) host.Log("export done");
    return exported && followed && closed && freed == 1 ? 0 : 1;
}

}  // namespace demo
