// The page fixture and helpers shared by the page tests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BoxAnswerer.h"
#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/ExportFileCheck.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/MessageBoxes.h"
#include "platform/drawing/Screen.h"
#include "platform/system/Application.h"

namespace page_test {

using namespace testing_support;
using namespace desktop;
using wendrik::TFormWendrik;

inline std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

inline void SetFileDate(const std::string& path, WORD year, WORD month, WORD day) {
    SYSTEMTIME local = {year, month, 0, day, 12, 0, 0, 0};
    FILETIME localFile, utc;
    SystemTimeToFileTime(&local, &localFile);
    LocalFileTimeToFileTime(&localFile, &utc);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    SetFileTime(f, nullptr, nullptr, &utc);
    CloseHandle(f);
}

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        folder = FreshFolder("wendrik-page");
        backup.SetString(folder);
        bsControl.Remove();
        fake.SetDate(2026, 12, 7);
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    TFormWendrik* Page(int language = 0) {
        page = CreatePage(kXpCode, language);
        return page;
    }
    std::string Target() const { return folder + "\\" + page->ExportFileName(); }
    // The page's date made today's, the date the files it writes get.
    void Today() {
        SYSTEMTIME now;
        GetLocalTime(&now);
        fake.SetDate(now.wYear, now.wMonth, now.wDay);
    }

    RegistryValue backup{kHostKey, "BackupPath"};
    RegistryValue bsControl{kHostKey, "BSControl"};
    FakeSystem fake;
    BroadcastCatcher catcher{wendrik::HostMessage};
    std::string folder;
    TFormWendrik* page = nullptr;
};

// True when the editor was told to write the temporary file of `name` in
// `folder`, by its full path: "/E "<folder>\~<name>.XXXXXXXX.tmp"", eight
// hexadecimal digits, quoted.
inline bool WritesTemporaryOf(const std::string& folder, const std::string& name, const std::string& parameters) {
    const std::string head = "/E \"" + folder + "\\~" + name + ".";
    if (parameters.size() != head.size() + 13 || parameters.rfind(head, 0) != 0) return false;
    if (parameters.compare(parameters.size() - 5, 5, ".tmp\"") != 0) return false;
    return std::all_of(parameters.begin() + head.size(), parameters.end() - 5,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

// The file the editor was told to write: "/E "path"".
inline std::string EditorFile(const std::string& parameters) {
    return parameters.size() > 5 ? parameters.substr(4, parameters.size() - 5) : "";
}

// Runs `step` from this thread's message loop, whatever loop waits (the
// page's own while its editor runs, a message box's), every few
// milliseconds until it answers true or the ticker goes.
class Ticker {
public:
    explicit Ticker(std::function<bool()> step, UINT everyMs = 20) : step_(std::move(step)) {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, everyMs, Tick);
    }
    ~Ticker() {
        if (timer_) KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        Ticker* self = active_;
        if (!self || id != self->timer_ || self->running_) return;
        self->running_ = true;  // a step that waits (a box it answers) is not entered again
        const bool done = self->step_();
        self->running_ = false;
        if (done && active_ == self) {
            KillTimer(nullptr, self->timer_);
            self->timer_ = 0;
        }
    }
    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    bool running_ = false;
    static inline Ticker* active_ = nullptr;
};

// Runs `action` once, from the message loop the page waits in, as soon as
// the played editor runs: the start is on a thread of its own, after the
// folder is settled, and takes what the machine takes.
class WhileTheEditorRuns {
public:
    explicit WhileTheEditorRuns(std::function<void()> action)
        : ticker_([action = std::move(action)] {
              if (!FakeSystem::Active()->EditorRunning()) return false;
              action();
              return true;
          }, 5) {}

private:
    Ticker ticker_;
};

// The stand-in editor, started for real from a Windows folder of its own,
// doing what `mode` says (see FakeEditor.cpp); the environment goes with it.
class RealEditor {
public:
    RealEditor(FakeSystem& fake, const char* mode) {
        fake.SetWindowsFolder(platform::Application::ExeFolder() + "fakewin");
        fake.SetEditor(FakeSystem::Editor::Real);
        SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", mode);
        const std::string id = std::to_string(GetCurrentProcessId());
        halfWritten = CreateEventA(nullptr, TRUE, FALSE, ("wendrik-half-" + id).c_str());
        goOn = CreateEventA(nullptr, TRUE, FALSE, ("wendrik-go-" + id).c_str());
        SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR_EVENT", ("wendrik-half-" + id).c_str());
        SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR_GO", ("wendrik-go-" + id).c_str());
    }
    ~RealEditor() {
        SetEvent(goOn);  // a paused editor never waits for a test that has gone
        CloseHandle(halfWritten);
        CloseHandle(goOn);
        for (const char* name : {"WENDRIK_FAKE_EDITOR", "WENDRIK_FAKE_EDITOR_EVENT", "WENDRIK_FAKE_EDITOR_GO"})
            SetEnvironmentVariableA(name, nullptr);
    }
    RealEditor(const RealEditor&) = delete;
    RealEditor& operator=(const RealEditor&) = delete;
    bool HalfWritten() const { return WaitForSingleObject(halfWritten, 0) == WAIT_OBJECT_0; }

    HANDLE halfWritten, goOn;
};

// What the check says of a file as an export of this user (any view).
inline wendrik::ExportFault CheckOf(const std::string& path) {
    wendrik::ExportFileCheck check({.nativeView = false, .userSid = wendrik::ExportFileCheck::CurrentUserSid()});
    return check.Check(path);
}

// The names in a folder, as the system lists them.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

}  // namespace page_test
