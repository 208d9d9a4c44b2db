#include "PrivateAccess.h"

#include "UniqueHandle.h"

namespace platform {

namespace {
// Windows 2000 and later: a list marked protected takes nothing from its folder.
using SetControlFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL);
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclProtected = 0x1000;  // SE_DACL_PROTECTED
constexpr SECURITY_INFORMATION kProtectedDacl = 0x80000000L;    // PROTECTED_DACL_SECURITY_INFORMATION

// A well-known SID of the NT authority: one RID, or the built-in domain and one.
struct WellKnownSid {
    PSID sid = nullptr;
    WellKnownSid(BYTE count, DWORD first, DWORD second) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        if (!AllocateAndInitializeSid(&nt, count, first, second, 0, 0, 0, 0, 0, 0, &sid)) sid = nullptr;
    }
    ~WellKnownSid() {
        if (sid) FreeSid(sid);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
};

bool TokenUser(std::vector<BYTE>& sid) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    KernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.Get(), ::TokenUser, nullptr, 0, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.Get(), ::TokenUser, buffer.data(), size, &size)) return false;
    PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (!IsValidSid(user)) return false;
    sid.resize(GetLengthSid(user));
    return CopySid(static_cast<DWORD>(sid.size()), sid.data(), user) != FALSE;
}
}  // namespace

PrivateAccess::PrivateAccess() {
    if (!(GetVersion() < 0x80000000)) return;  // Windows 95, 98 and ME keep no access lists
    WellKnownSid system(1, SECURITY_LOCAL_SYSTEM_RID, 0);
    WellKnownSid administrators(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    if (!system.sid || !administrators.sid || !TokenUser(user_)) return;
    const PSID sids[] = {user_.data(), administrators.sid, system.sid};
    DWORD size = sizeof(ACL);
    for (PSID sid : sids) size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sid);
    acl_.resize(size);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!InitializeAcl(acl, size, ACL_REVISION)) return;
    for (PSID sid : sids)
        if (!AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, sid)) return;
    if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
        return;
    if (auto setControl = reinterpret_cast<SetControlFn>(
            GetProcAddress(GetModuleHandleA("advapi32.dll"), "SetSecurityDescriptorControl")))
        setControl(&descriptor_, kDaclProtected, kDaclProtected);
    attributes_ = {sizeof(attributes_), &descriptor_, FALSE};
    ready_ = true;
}

bool PrivateAccess::ApplyTo(const char* path) const {
    if (!ready_) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    // Before Windows 2000 there is no inheritance to protect against.
    const bool protects = GetProcAddress(GetModuleHandleA("advapi32.dll"), "SetSecurityDescriptorControl");
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | (protects ? kProtectedDacl : 0);
    return SetFileSecurityA(path, what, const_cast<SECURITY_DESCRIPTOR*>(&descriptor_)) != FALSE;
}

}  // namespace platform
