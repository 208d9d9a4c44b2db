#include "DetachedThread.h"

#include "Application.h"
#include "ImageHold.h"
#include "QuietErrors.h"
#include "SystemBoundary.h"
#include "UniqueHandle.h"
#include "CompatibleCalls.h"

namespace platform {

namespace {
struct Detached {
    std::function<void()> work;
    HMODULE image;
};

DWORD WINAPI RunDetached(void* parameter) {
    auto* detached = static_cast<Detached*>(parameter);
    const HMODULE image = detached->image;
    SystemBoundary::Completes([&] {
        QuietErrors quiet;
        detached->work();
    });
    delete detached;  // what the work holds goes here, inside the image
    FreeLibraryAndExitThread(image, 0);  // the image may be gone by now: no return into it
    return 0;
}
}  // namespace

bool DetachedThread::Start(std::function<void()> work, HANDLE* thread) {
    if (thread) *thread = nullptr;
    auto* detached = new Detached{std::move(work), Application::Instance()};
    if (!ImageHold::TakeImageReference()) {
        delete detached;
        return false;
    }
    KernelHandle started(CompatibleCalls::StartThread(RunDetached, detached));
    if (!started) {
        delete detached;
        FreeLibrary(Application::Instance());
        return false;
    }
    if (thread) *thread = started.Release();
    return true;
}

}  // namespace platform
