#include "HostSettings.h"

#include <memory>

#include "template/TemplateState.h"

namespace wendrik {

platform::Registry& OpenHostSettings(bool create) {
    RegistryAccess = std::make_unique<platform::Registry>(HKEY_CURRENT_USER);
    if (!RegistryAccess->OpenKey(HostKey, create)) RegistryAccess->OpenKeyReadOnly(HostKey);
    return *RegistryAccess;
}

}  // namespace wendrik
