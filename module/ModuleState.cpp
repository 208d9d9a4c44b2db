#include "ModuleState.h"

namespace wendrik {

std::uint8_t ChangedFlag = 0;
TFormWendrik* ModulePage = nullptr;

}  // namespace wendrik
