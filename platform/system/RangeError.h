#pragma once
#include "Error.h"

namespace platform {

// A value outside the range an integer conversion allows.
class RangeError : public Error {
public:
    RangeError() : Error("Range check error") {}
};

}  // namespace platform
