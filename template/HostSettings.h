#pragma once
#include "platform/system/Registry.h"

namespace wendrik {

// The host's settings under HKEY_CURRENT_USER, read and never written.
inline constexpr char HostKey[] = "SOFTWARE\\Morvane\\Brindlemark";

// Makes a fresh RegistryAccess and opens the host's key with it, creating
// it when `create` asks. Where the user may read the key but not write it,
// or not create it, the key is opened for reading. Returns the accessor;
// its key stays closed when even that fails.
platform::Registry& OpenHostSettings(bool create);

}  // namespace wendrik
