#include "RegistryValue.h"

namespace testing_support {

RegistryValue::RegistryValue(std::string key, std::string name)
    : key_(std::move(key)), name_(std::move(name)) {
    DWORD size = 0;
    existed_ = RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                            &type_, nullptr, &size) == ERROR_SUCCESS;
    if (existed_) {
        old_.resize(size);
        RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_,
                     old_.data(), &size);
    }
}

RegistryValue::~RegistryValue() {
    if (existed_) Write(type_, old_.data(), static_cast<DWORD>(old_.size()));
    else Remove();
}

void RegistryValue::Write(DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name_.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void RegistryValue::SetDword(DWORD value) { Write(REG_DWORD, &value, sizeof(value)); }

void RegistryValue::SetString(const std::string& value) {
    Write(REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void RegistryValue::Remove() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name_.c_str());
    RegCloseKey(key);
}

bool RegistryValue::Exists() const {
    return RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

std::string RegistryValue::ReadString() const {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS)
        return "";
    return buffer;
}

}  // namespace testing_support
