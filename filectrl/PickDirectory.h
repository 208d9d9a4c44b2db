#pragma once
#include <cstdint>
#include <string>

#include "platform/window/Form.h"

namespace wendrik {

// The options of PickDirectory, as flag bits.
enum TDirPickOption : std::uint8_t {
    dpTypeName = 1,       // the dialog offers an edit for typing a directory
    dpCreateOnOk = 2,     // the chosen directory is made, with its parents, after OK
    dpConfirmCreate = 4,  // with dpTypeName: OK on a missing directory asks first
};
using TDirPickOptions = std::uint8_t;

// Runs the select-directory dialog on `directory` above `owner`. True when
// the user confirmed with OK: `directory` then holds the choice (a typed name
// made a full path), created when the options ask for it. A directory that
// cannot be created is reported and gives false, `directory` unchanged. The
// process's current directory is as it was when this returns, on every way.
bool PickDirectory(std::string& directory, TDirPickOptions options, int helpContext,
                   platform::Form* owner = nullptr);

}  // namespace wendrik
