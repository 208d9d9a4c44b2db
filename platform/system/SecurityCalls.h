#pragma once
#include <windows.h>
#include <string>

namespace platform {

// The security calls of advapi32, which only the NT family implements
// (Windows 95, 98 and ME keep no access lists and have no tokens): each
// looked up once, at first use, never imported, so the image loads
// everywhere. An entry is null where the system lacks it; then the job it
// serves is not done (there is nothing to protect) or done the old way.
struct SecurityCalls {
    decltype(&::OpenProcessToken) OpenProcessToken;
    decltype(&::GetTokenInformation) GetTokenInformation;
    decltype(&::LookupPrivilegeValueA) LookupPrivilegeValueA;
    decltype(&::AdjustTokenPrivileges) AdjustTokenPrivileges;
    decltype(&::AllocateAndInitializeSid) AllocateAndInitializeSid;
    decltype(&::FreeSid) FreeSid;
    decltype(&::EqualSid) EqualSid;
    decltype(&::IsValidSid) IsValidSid;
    decltype(&::GetLengthSid) GetLengthSid;
    decltype(&::CopySid) CopySid;
    decltype(&::GetSidIdentifierAuthority) GetSidIdentifierAuthority;
    decltype(&::GetSidSubAuthorityCount) GetSidSubAuthorityCount;
    decltype(&::GetSidSubAuthority) GetSidSubAuthority;
    decltype(&::InitializeAcl) InitializeAcl;
    decltype(&::AddAccessAllowedAce) AddAccessAllowedAce;
    decltype(&::InitializeSecurityDescriptor) InitializeSecurityDescriptor;
    decltype(&::SetSecurityDescriptorDacl) SetSecurityDescriptorDacl;
    decltype(&::SetFileSecurityA) SetFileSecurityA;
    // Windows 2000 and on.
    BOOL(WINAPI* SetSecurityDescriptorControl)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL,
                                               SECURITY_DESCRIPTOR_CONTROL);
    decltype(&::CheckTokenMembership) CheckTokenMembership;

    static const SecurityCalls& Get();

    // "S-1-5-21-...", as ConvertSidToStringSidA (Windows 2000) writes it,
    // made here from the SID's parts; "" when it cannot be read.
    static std::string SidText(PSID sid);
    // Whether `token` (null: this thread's, else this process's) has `sid`
    // as an enabled group: CheckTokenMembership where there is one, else
    // the token's own list of groups (NT 4.0, which filters no token).
    static BOOL WINAPI TokenMembership(HANDLE token, PSID sid, BOOL* member);
};

}  // namespace platform
