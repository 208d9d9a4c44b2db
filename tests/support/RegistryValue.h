#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace testing_support {

// One value under HKEY_CURRENT_USER, put back as it was when this goes.
class RegistryValue {
public:
    RegistryValue(std::string key, std::string name);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    void SetDword(DWORD value);
    void SetString(const std::string& value);
    void Remove();
    bool Exists() const;
    std::string ReadString() const;

private:
    void Write(DWORD type, const void* data, DWORD size);
    std::string key_, name_;
    bool existed_;
    DWORD type_ = 0;
    std::vector<BYTE> old_;
};

inline const char kHostKey[] = "SOFTWARE\\Morvane\\Brindlemark";

}  // namespace testing_support
