#pragma once
#include "Error.h"

namespace platform {

// A registry key or value that cannot be opened, read or written as asked.
class RegistryError : public Error {
public:
    using Error::Error;
};

}  // namespace platform
