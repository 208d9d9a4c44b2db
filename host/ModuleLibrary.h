#pragma once
#include <windows.h>
#include <string>

namespace demo {

// Wendrik.dll as a host loads it: by full path, with its five exports.
struct ModuleLibrary {
    using CreateFn = int(__stdcall*)(int, int, int, int, int, int, const char*, const char*, int, int);
    using NoArgFn = int(__stdcall*)();

    // Loads the library from `folder`; false when it or an export is missing.
    bool Load(const std::string& folder);

    HMODULE library = nullptr;
    CreateFn create = nullptr;
    NoArgFn free = nullptr, save = nullptr, changed = nullptr, nr = nullptr;
};

}  // namespace demo
