#include "ImageHold.h"

#include "Application.h"
#include "CompatibleCalls.h"
#include "HandlerScope.h"
#include "UniqueHandle.h"

namespace platform {

namespace {
// Owners that are never destroyed: a destructor at unload would run inside
// the loader's lock, and a reference still held there keeps the image anyway.
ModuleHandle& held = *new ModuleHandle;      // the reference for the host's code we run
ModuleHandle& formHeld = *new ModuleHandle;  // the reference for the live forms
size_t formsAlive = 0;

// One more reference, owned; none when the system gives none.
ModuleHandle Reference() { return ModuleHandle(CompatibleCalls::ReferenceToImage()); }

void ReleaseFormHold() {
    if (formsAlive > 0 || HandlerScope::Running()) return;
    formHeld.Reset();
}
}  // namespace

bool ImageHold::TakeImageReference() { return Reference().Release() != nullptr; }

void ImageHold::HoldImage() {
    if (!held) held = Reference();
}

void ImageHold::FormsAlive(size_t count) {
    formsAlive = count;
    if (count > 0 && !formHeld) formHeld = Reference();
}

size_t ImageHold::FormCount() { return formsAlive; }

void ImageHold::LeaveExport() { ReleaseFormHold(); }

void ImageHold::ReleaseHeldImage() {
    ReleaseFormHold();
    if (HandlerScope::Running() || HandlerScope::WorkPending()) return;
    held.Reset();
}

bool ImageHold::ImageHeld() { return static_cast<bool>(held); }

}  // namespace platform
