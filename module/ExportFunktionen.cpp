#include "Exports.h"
#include "ModuleState.h"
#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"

using namespace wendrik;

// Each export is called by the host from its own code: the image's own
// reference, if an earlier nested loop took one, can go now.

extern "C" int __stdcall ModulChanged() {
    platform::ImageHold::ReleaseHeldImage();
    if (ChangedFlag != 1) return 0;
    return SavedFlag != 1 ? 1 : 2;
}

extern "C" int __stdcall ModulNr() {
    platform::ImageHold::ReleaseHeldImage();
    return DefaultsRequested ? 1 : 2;
}
