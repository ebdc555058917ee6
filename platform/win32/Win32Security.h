#pragma once
// The core's access rights (identifiers, an access list, a descriptor) made into the system's
// own, for creating folders and files with them.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/Security.h"

namespace zt40 {

class NativeSecurity {
public:
    // Null `attributes`: the system's default rights. Check Ok() before use.
    explicit NativeSecurity(const SecurityAttributes* attributes);
    ~NativeSecurity();
    NativeSecurity(const NativeSecurity&) = delete;
    NativeSecurity& operator=(const NativeSecurity&) = delete;

    bool Ok() const { return m_ok; }
    // What CreateDirectoryA and CreateFileA take; null for the default rights.
    SECURITY_ATTRIBUTES* Attributes() { return m_useDefault ? nullptr : &m_attributes; }

private:
    bool Build(const SecurityAttributes& attributes);

    bool m_ok = false;
    bool m_useDefault = false;
    std::vector<PSID> m_sids;  // from AllocateAndInitializeSid, released with FreeSid
    std::vector<std::uint64_t> m_acl;  // 8-byte aligned storage
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
};

}  // namespace zt40
