#pragma once
#include "Error.h"

namespace platform {

// A file system operation that failed; LastError() holds the system's code.
class InOutError : public Error {
public:
    using Error::Error;
};

}  // namespace platform
