#pragma once
#include <cstdint>
#include <memory>

#include "platform/system/Registry.h"

namespace wendrik {

// Process-wide state that every tip page's template reads and writes, shared
// with the exports. Set at load, never reset while the library stays
// loaded. Flags are 0 or 1.
extern std::uint8_t SavedFlag;          // applied since the last change
extern std::uint8_t PageShown;          // a page has been shown
extern std::uint8_t DefaultsRequested;  // restore defaults was pressed
extern std::uint8_t PageEnabled;        // the page is usable on this Windows version
extern std::int32_t ValidOsMask;        // Windows versions the tip is valid for
extern std::int32_t& LanguageCode;      // 1 English, anything else German: the module's one language code
extern std::int32_t OsCode;             // the running Windows version, 1 to 18
extern std::int32_t OsBit;              // the bit of ValidOsMask for OsCode
extern std::uint16_t HostMessage;       // id of the registered host message
extern std::unique_ptr<platform::Registry>& RegistryAccess;

}  // namespace wendrik
