#include "Language.h"

namespace platform {

std::int32_t& Language::Code() {
    static std::int32_t code = 0;  // German until the host says otherwise
    return code;
}

}  // namespace platform
