#include "Exports.h"
#include "ModuleState.h"

using namespace wendrik;

extern "C" int __stdcall ModulChanged() {
    if (ChangedFlag != 1) return 0;
    return SavedFlag != 1 ? 1 : 2;
}

extern "C" int __stdcall ModulNr() { return DefaultsRequested ? 1 : 2; }
