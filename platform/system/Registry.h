#pragma once
#include <windows.h>
#include <string>

#include "UniqueHandle.h"

namespace platform {

// Reads and writes values of one open key under a root key. A value of the
// wrong type raises RegistryError.
class Registry {
public:
    explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    ~Registry() { CloseKey(); }
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Opens `path` for reading and writing (reading only when that is
    // refused); with `create` a missing key is made. False when not opened.
    bool OpenKey(const std::string& path, bool create);
    // Opens an existing key for reading only.
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    bool ValueExists(const std::string& name) const;
    // A missing value reads as "".
    std::string ReadString(const std::string& name) const;
    // A DWORD; any value other than 0 is true.
    bool ReadBool(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);

    static long LiveKeys() { return RegistryKey::Live(); }

private:
    HKEY root_;
    RegistryKey key_;
};

}  // namespace platform
