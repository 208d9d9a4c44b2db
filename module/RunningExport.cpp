#include "RunningExport.h"

#include "platform/system/PumpingWait.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/WorkerThread.h"

namespace wendrik {

namespace {
constexpr DWORD kSizeEveryMs = 100;  // the page shows it four times a second or more
}

RunningExport::RunningExport(BackupFile& backup, platform::KernelHandle process, ExportFileCheck::Wanted wanted)
    : backup_(backup), process_(std::move(process)), wanted_(std::move(wanted)),
      quit_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

RunningExport::Result RunningExport::Run() {
    if (!quit_) {
        result_.exception = ERROR_NOT_ENOUGH_MEMORY;
        return result_;
    }
    platform::WorkerThread worker([this] { Work(); });
    if (!worker.Started()) {
        result_.exception = ERROR_NOT_ENOUGH_MEMORY;
        return result_;
    }
    if (!platform::PumpingWait::WaitPumping(worker.Handle())) SetEvent(quit_.Get());
    worker.Join();
    if (worker.Failed()) {
        result_ = Result{};
        result_.exception = worker.StructuredException();
        if (!result_.exception) result_.exception = ERROR_UNHANDLED_ERROR;
    }
    if (result_.kind == Result::Kind::Abandoned || result_.kind == Result::Kind::Unchecked) backup_.Keep();
    return result_;
}

void RunningExport::Work() {
    const HANDLE waits[] = {process_.Get(), quit_.Get()};
    for (;;) {
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kSizeEveryMs);
        written_.store(backup_.CurrentSize());
        if (woke == WAIT_OBJECT_0) break;
        if (woke == WAIT_OBJECT_0 + 1) {
            result_.kind = Result::Kind::Abandoned;
            return;
        }
        if (woke == WAIT_FAILED) {
            result_.exception = GetLastError();
            return;
        }
    }
    DWORD code = 0;
    if (!platform::SystemFunctions::Current().GetExitCodeProcess(process_.Get(), &code)) code = GetLastError();
    result_.kind = Result::Kind::Failed;
    if (code != 0) {
        result_.editorCode = code;
    } else if (written_.load() == 0) {
        result_.fault = ExportFault::NothingWritten;
    } else {
        // Hundreds of megabytes on a real machine: read here, beside the window.
        ExportFileCheck check(wanted_);
        result_.fault = check.Check(backup_.TempPath());
    }
    if (result_.editorCode || result_.fault != ExportFault::None) {
        backup_.Discard();
        return;
    }
    result_.error = backup_.Replace(result_.flushFailed);
    result_.kind = result_.error ? Result::Kind::NotReplaced : Result::Kind::Whole;
}

}  // namespace wendrik
