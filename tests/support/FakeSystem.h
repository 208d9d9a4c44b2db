#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

namespace testing_support {

// Replaces the machine-facing calls of the system function table while it
// lives: records every start of a program and plays the registry editor.
class FakeSystem {
public:
    enum class Editor {
        Writes,     // writes the export file and ends at once
        WritesNothing,
        CannotStart,
        Pending,    // runs until Finish()
    };
    struct Start {
        HWND window;
        bool verbIsNull;
        std::string file, parameters, directory;
        int show;
    };

    FakeSystem();
    ~FakeSystem();
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    void SetEditor(Editor editor) { editor_ = editor; }
    void SetDate(WORD year, WORD month, WORD day);
    const std::vector<Start>& Starts() const { return starts_; }
    void ClearStarts() { starts_.clear(); }
    // Ends a pending editor run, writing the file first when `write`.
    void Finish(bool write);

    static FakeSystem* Active() { return active_; }

private:
    static BOOL WINAPI ShellExecuteExFake(SHELLEXECUTEINFOA* info);
    static void WINAPI GetLocalTimeFake(SYSTEMTIME* time);
    void WriteExport(const Start& start);

    Editor editor_ = Editor::Writes;
    SYSTEMTIME now_;
    bool fixedDate_ = false;
    std::vector<Start> starts_;
    std::vector<HANDLE> events_;
    HANDLE pending_ = nullptr;
    static inline FakeSystem* active_ = nullptr;
};

// The text a real export starts with.
inline const char kExportHeader[] = "Windows Registry Editor Version 5.00";

}  // namespace testing_support
