#pragma once
#include "Error.h"

namespace platform {

// An operation that the object's state does not allow; reported by the
// standard error report when it escapes a handler.
class InvalidOperation : public Error {
public:
    using Error::Error;
};

}  // namespace platform
