#include "PumpingWait.h"

#include <exception>

#include "Error.h"
#include "ImageHold.h"
#include "WorkerThread.h"

namespace platform {

bool PumpingWait::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool PumpingWait::WaitPumping(HANDLE handle) {
    ImageHold::HoldImage();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1 || !ProcessMessages()) return false;
    }
}

bool PumpingWait::RunPumping(const std::function<void()>& work, DWORD* structuredException) {
    if (structuredException) *structuredException = 0;
    WorkerThread worker([&work] { work(); });
    if (!worker.Started()) {
        work();
        return true;
    }
    const bool pumped = WaitPumping(worker.Handle());
    worker.Join();  // what the work uses lives in the caller's frame: never leave before the thread has
    if (worker.Error()) std::rethrow_exception(worker.Error());
    const DWORD structured = worker.StructuredException();
    if (structured && !structuredException) {
        char text[64];
        wsprintfA(text, "exception 0x%08lX on a helper thread", structured);
        throw Error(text, structured);
    }
    if (structuredException) *structuredException = structured;
    return pumped;
}

}  // namespace platform
