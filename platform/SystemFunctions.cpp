#include "SystemFunctions.h"

namespace platform {

namespace {
SystemFunctions Real() {
    return SystemFunctions{::ShellExecuteExA, ::GetLocalTime, ::GetWindowsDirectoryA};
}
}  // namespace

SystemFunctions& SystemFunctions::Current() {
    static SystemFunctions current = Real();
    return current;
}

void SystemFunctions::Restore() { Current() = Real(); }

}  // namespace platform
