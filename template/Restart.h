#pragma once
#include <windows.h>
#include <string>

namespace wendrik {

// Switches a privilege of this process's token on or off; true on success.
// The token is closed whenever it was opened, and only then.
bool SetPrivilege(const std::string& name, bool enable);
// ExitWindowsEx with the shutdown privilege taken for the call and given
// back afterwards; true when Windows accepted the request.
bool ExitWindowsPrivileged(UINT flags);

}  // namespace wendrik
