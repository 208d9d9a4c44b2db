#include "PrivateAccess.h"

#include "CompatibleCalls.h"
#include "SecurityCalls.h"
#include "UniqueHandle.h"

namespace platform {

namespace {
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclProtected = 0x1000;  // SE_DACL_PROTECTED
constexpr SECURITY_INFORMATION kProtectedDacl = 0x80000000L;    // PROTECTED_DACL_SECURITY_INFORMATION

// A well-known SID of the NT authority: one RID, or the built-in domain and one.
struct WellKnownSid {
    PSID sid = nullptr;
    WellKnownSid(BYTE count, DWORD first, DWORD second) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        if (!SecurityCalls::Get().AllocateAndInitializeSid(&nt, count, first, second, 0, 0, 0, 0, 0, 0, &sid))
            sid = nullptr;
    }
    ~WellKnownSid() {
        if (sid) SecurityCalls::Get().FreeSid(sid);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
};

bool TokenUser(const SecurityCalls& calls, std::vector<BYTE>& sid) {
    HANDLE raw = nullptr;
    if (!calls.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    KernelHandle token(raw);
    DWORD size = 0;
    calls.GetTokenInformation(token.Get(), ::TokenUser, nullptr, 0, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    if (!calls.GetTokenInformation(token.Get(), ::TokenUser, buffer.data(), size, &size)) return false;
    PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (!calls.IsValidSid(user)) return false;
    sid.resize(calls.GetLengthSid(user));
    return calls.CopySid(static_cast<DWORD>(sid.size()), sid.data(), user) != FALSE;
}

// Every call the list needs is there (the NT family).
bool Complete(const SecurityCalls& c) {
    return c.OpenProcessToken && c.GetTokenInformation && c.AllocateAndInitializeSid && c.FreeSid && c.IsValidSid &&
           c.GetLengthSid && c.CopySid && c.InitializeAcl && c.AddAccessAllowedAce &&
           c.InitializeSecurityDescriptor && c.SetSecurityDescriptorDacl && c.SetFileSecurityA;
}
}  // namespace

PrivateAccess::PrivateAccess() {
    const SecurityCalls& calls = SecurityCalls::Get();
    // Windows 95, 98 and ME keep no access lists.
    if (!CompatibleCalls::NtFamily() || !Complete(calls)) return;
    WellKnownSid system(1, SECURITY_LOCAL_SYSTEM_RID, 0);
    WellKnownSid administrators(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    if (!system.sid || !administrators.sid || !TokenUser(calls, user_)) return;
    const PSID sids[] = {user_.data(), administrators.sid, system.sid};
    DWORD size = sizeof(ACL);
    for (PSID sid : sids) size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + calls.GetLengthSid(sid);
    acl_.resize(size);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!calls.InitializeAcl(acl, size, ACL_REVISION)) return;
    for (PSID sid : sids)
        if (!calls.AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, sid)) return;
    if (!calls.InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !calls.SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
        return;
    // Windows 2000 and on pass lists on from a folder; NT 4.0 does not.
    if (calls.SetSecurityDescriptorControl) calls.SetSecurityDescriptorControl(&descriptor_, kDaclProtected, kDaclProtected);
    attributes_ = {sizeof(attributes_), &descriptor_, FALSE};
    ready_ = true;
}

bool PrivateAccess::ApplyTo(const char* path) const {
    if (!ready_) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    const SecurityCalls& calls = SecurityCalls::Get();
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | (calls.SetSecurityDescriptorControl ? kProtectedDacl : 0);
    return calls.SetFileSecurityA(path, what, const_cast<SECURITY_DESCRIPTOR*>(&descriptor_)) != FALSE;
}

}  // namespace platform
