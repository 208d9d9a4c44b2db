#include "Registry.h"

#include <vector>

#include "RegistryError.h"

namespace platform {

namespace {
std::string Quoted(const std::string& name) { return "'" + name + "'"; }
}  // namespace

bool Registry::OpenKey(const std::string& path, bool create) {
    CloseKey();
    HKEY key = nullptr;
    LONG r;
    if (create) {
        r = RegCreateKeyExA(root_, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr);
    } else {
        r = RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (r == ERROR_ACCESS_DENIED) r = RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key);
    }
    if (r != ERROR_SUCCESS) return false;
    key_.Reset(key);
    return true;
}

bool Registry::OpenKeyReadOnly(const std::string& path) {
    CloseKey();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    key_.Reset(key);
    return true;
}

void Registry::CloseKey() { key_.Reset(); }

bool Registry::ValueExists(const std::string& name) const {
    return key_ && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                       ERROR_SUCCESS;
}

std::string Registry::ReadString(const std::string& name) const {
    if (!key_) return "";
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw RegistryError("Invalid data type for " + Quoted(name), ERROR_DATATYPE_MISMATCH);
    std::vector<char> data(size + 1, '\0');
    const LONG read = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                       &size);
    if (read != ERROR_SUCCESS) throw RegistryError("Failed to get data for " + Quoted(name), static_cast<DWORD>(read));
    return std::string(data.data());  // up to the first NUL
}

bool Registry::ReadBool(const std::string& name) const {
    DWORD type = 0, value = 0, size = sizeof(value);
    LONG r = key_ ? RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(&value), &size)
                  : ERROR_INVALID_HANDLE;
    if (r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value)) return value != 0;
    if (r == ERROR_SUCCESS || r == ERROR_MORE_DATA)
        throw RegistryError("Invalid data type for " + Quoted(name), ERROR_DATATYPE_MISMATCH);
    throw RegistryError("Failed to get data for " + Quoted(name), static_cast<DWORD>(r));
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    LONG r = key_ ? RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1))
                  : ERROR_INVALID_HANDLE;
    if (r != ERROR_SUCCESS) throw RegistryError("Failed to set data for " + Quoted(name), static_cast<DWORD>(r));
}

}  // namespace platform
