#pragma once
#include <windows.h>
#include <vector>

namespace platform {

// An access list for files that only this user, the Administrators and
// the system may open: protected, so nothing the folder passes on is
// added to it. Made from this process's token; not Ready() where the
// system has no security or will not say who the user is.
class PrivateAccess {
public:
    PrivateAccess();
    PrivateAccess(const PrivateAccess&) = delete;
    PrivateAccess& operator=(const PrivateAccess&) = delete;

    bool Ready() const { return ready_; }
    // For CreateFileA: a new file gets this list; null when not Ready().
    SECURITY_ATTRIBUTES* Attributes() { return ready_ ? &attributes_ : nullptr; }
    // Gives an existing file this list alone; false, with GetLastError(),
    // when the system refuses (not Ready(): ERROR_NOT_SUPPORTED).
    bool ApplyTo(const char* path) const;

private:
    bool ready_ = false;
    std::vector<BYTE> user_, acl_;  // the user's SID and the list, which the descriptor points into
    SECURITY_DESCRIPTOR descriptor_ = {};
    SECURITY_ATTRIBUTES attributes_ = {};
};

}  // namespace platform
