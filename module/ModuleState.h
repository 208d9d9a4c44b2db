#pragma once
#include <cstdint>

#include "template/TemplateState.h"

namespace wendrik {

class TFormWendrik;

// What only this module's exports and page share, beside the template's state.
extern std::uint8_t ChangedFlag;  // the user changed the page's setting
extern TFormWendrik* ModulePage;  // the one page, or null

}  // namespace wendrik
