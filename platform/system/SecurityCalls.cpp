#include "SecurityCalls.h"

#include <cstdio>
#include <vector>

#include "UniqueHandle.h"

namespace platform {

namespace {
template <class Function>
void Bind(Function& entry, HMODULE library, const char* name) {
    entry = library ? reinterpret_cast<Function>(::GetProcAddress(library, name)) : nullptr;
}

SecurityCalls Looked() {
    SecurityCalls calls{};
    // Imported for the registry calls: it is there.
    HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
    Bind(calls.OpenProcessToken, advapi, "OpenProcessToken");
    Bind(calls.GetTokenInformation, advapi, "GetTokenInformation");
    Bind(calls.LookupPrivilegeValueA, advapi, "LookupPrivilegeValueA");
    Bind(calls.AdjustTokenPrivileges, advapi, "AdjustTokenPrivileges");
    Bind(calls.AllocateAndInitializeSid, advapi, "AllocateAndInitializeSid");
    Bind(calls.FreeSid, advapi, "FreeSid");
    Bind(calls.EqualSid, advapi, "EqualSid");
    Bind(calls.IsValidSid, advapi, "IsValidSid");
    Bind(calls.GetLengthSid, advapi, "GetLengthSid");
    Bind(calls.CopySid, advapi, "CopySid");
    Bind(calls.GetSidIdentifierAuthority, advapi, "GetSidIdentifierAuthority");
    Bind(calls.GetSidSubAuthorityCount, advapi, "GetSidSubAuthorityCount");
    Bind(calls.GetSidSubAuthority, advapi, "GetSidSubAuthority");
    Bind(calls.InitializeAcl, advapi, "InitializeAcl");
    Bind(calls.AddAccessAllowedAce, advapi, "AddAccessAllowedAce");
    Bind(calls.InitializeSecurityDescriptor, advapi, "InitializeSecurityDescriptor");
    Bind(calls.SetSecurityDescriptorDacl, advapi, "SetSecurityDescriptorDacl");
    Bind(calls.SetFileSecurityA, advapi, "SetFileSecurityA");
    Bind(calls.SetSecurityDescriptorControl, advapi, "SetSecurityDescriptorControl");
    Bind(calls.CheckTokenMembership, advapi, "CheckTokenMembership");
    return calls;
}
}  // namespace

const SecurityCalls& SecurityCalls::Get() {
    static const SecurityCalls calls = Looked();
    return calls;
}

std::string SecurityCalls::SidText(PSID sid) {
    const SecurityCalls& calls = Get();
    if (!sid || !calls.IsValidSid || !calls.GetSidIdentifierAuthority || !calls.GetSidSubAuthorityCount ||
        !calls.GetSidSubAuthority || !calls.IsValidSid(sid))
        return "";
    const SID_IDENTIFIER_AUTHORITY* authority = calls.GetSidIdentifierAuthority(sid);
    unsigned long long value = 0;
    for (BYTE part : authority->Value) value = value << 8 | part;
    char text[32];
    // An authority above 32 bits is written in hexadecimal, as the system does.
    if (value >> 32) std::snprintf(text, sizeof(text), "S-1-0x%012llX", value);
    else std::snprintf(text, sizeof(text), "S-1-%llu", value);
    std::string result = text;
    const BYTE count = *calls.GetSidSubAuthorityCount(sid);
    for (BYTE i = 0; i < count; ++i) result += "-" + std::to_string(*calls.GetSidSubAuthority(sid, i));
    return result;
}

BOOL WINAPI SecurityCalls::TokenMembership(HANDLE token, PSID sid, BOOL* member) {
    const SecurityCalls& calls = Get();
    if (calls.CheckTokenMembership) return calls.CheckTokenMembership(token, sid, member);
    *member = FALSE;
    if (!calls.OpenProcessToken || !calls.GetTokenInformation || !calls.EqualSid) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    KernelHandle own;
    if (!token) {
        HANDLE raw = nullptr;
        if (!calls.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return FALSE;
        own.Reset(raw);
        token = raw;
    }
    DWORD size = 0;
    calls.GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (size == 0) return FALSE;
    std::vector<BYTE> buffer(size);
    if (!calls.GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return FALSE;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        if ((groups->Groups[i].Attributes & SE_GROUP_ENABLED) && calls.EqualSid(groups->Groups[i].Sid, sid))
            *member = TRUE;
    return TRUE;
}

}  // namespace platform
