#include "TemplateState.h"

#include "platform/system/Language.h"

namespace wendrik {

std::uint8_t SavedFlag = 0;
std::uint8_t PageShown = 0;
std::uint8_t DefaultsRequested = 0;
std::uint8_t PageEnabled = 0;
std::int32_t ValidOsMask = 0;
std::int32_t& LanguageCode = platform::Language::Code();
std::int32_t OsCode = 0;
std::int32_t OsBit = 0;
std::uint16_t HostMessage = 0;
// Never destroyed: its destructor would run inside the loader's lock at unload.
std::unique_ptr<platform::Registry>& RegistryAccess = *new std::unique_ptr<platform::Registry>;

}  // namespace wendrik
