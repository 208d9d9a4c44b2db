#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>

#include "BackupFile.h"
#include "ExportFileCheck.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

// An export whose editor has started: waited for, its file checked and
// put in place beside the window's thread, which goes on dispatching its
// messages (the page paints, shows the progress, the host may free it).
// Only the editor's own end, or the thread quitting, ends the wait.
class RunningExport {
public:
    struct Result {
        enum class Kind {
            Whole,        // in place under the dated name
            Failed,       // not whole (editor's code or fault say why); the file was deleted
            NotReplaced,  // whole, but kept under its temporary name (`error`, `flushFailed`)
            Unchecked,    // the wait or the check broke down (`exception`); the file stays
            Abandoned,    // the thread quits: the editor runs on, its file left for a later page
        } kind = Kind::Unchecked;
        DWORD editorCode = 0;  // Failed: the editor's exit code, when not 0
        ExportFault fault = ExportFault::None;
        DWORD error = 0;
        bool flushFailed = false;
        DWORD exception = 0;
    };

    // Takes over `process`; the check wants what `wanted` says.
    RunningExport(BackupFile& backup, platform::KernelHandle process, ExportFileCheck::Wanted wanted);
    RunningExport(const RunningExport&) = delete;
    RunningExport& operator=(const RunningExport&) = delete;

    Result Run();
    // What the editor has written so far, in bytes; any thread may ask.
    std::uint64_t Written() const { return written_.load(); }

private:
    void Work();

    BackupFile& backup_;
    platform::KernelHandle process_;
    ExportFileCheck::Wanted wanted_;
    platform::KernelHandle quit_;
    std::atomic<std::uint64_t> written_{0};
    Result result_;
};

}  // namespace wendrik
