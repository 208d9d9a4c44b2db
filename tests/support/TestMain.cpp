#include <gtest/gtest.h>

#include "WindowScript.h"
#include "module/Exports.h"
#include "platform/system/SystemFunctions.h"

namespace {
// No test may restart, shut down or log off the machine: the baseline refuses.
BOOL WINAPI RefuseExit(UINT, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
}  // namespace

// Every test process starts like a loaded module: the host message is registered.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    platform::SystemFunctions::Current().ExitWindowsEx = RefuseExit;
    // A scripted window that never does what the test waits for fails the test at once, by name.
    desktop::WindowScript::SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << failure; });
    wendrik::LibraryStartup();
    return RUN_ALL_TESTS();
}
