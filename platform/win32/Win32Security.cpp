#include "platform/win32/Win32Security.h"

#include <array>

namespace zt40 {

namespace {

PSID AllocateSid(const Sid& sid) {
    if (!IsValidSid(sid) || sid.subAuthorities.size() > 8) return nullptr;
    SID_IDENTIFIER_AUTHORITY authority{};
    for (std::size_t i = 0; i < sid.authority.size(); ++i) authority.Value[i] = sid.authority[i];
    std::array<DWORD, 8> sub{};
    for (std::size_t i = 0; i < sid.subAuthorities.size(); ++i) sub[i] = sid.subAuthorities[i];
    PSID result = nullptr;
    if (!AllocateAndInitializeSid(&authority, static_cast<BYTE>(sid.subAuthorities.size()), sub[0], sub[1], sub[2],
                                  sub[3], sub[4], sub[5], sub[6], sub[7], &result)) {
        return nullptr;
    }
    return result;
}

}  // namespace

NativeSecurity::NativeSecurity(const SecurityAttributes* attributes) {
    if (attributes == nullptr) {
        m_useDefault = m_ok = true;
        return;
    }
    m_ok = Build(*attributes);
}

NativeSecurity::~NativeSecurity() {
    for (PSID sid : m_sids) FreeSid(sid);
}

bool NativeSecurity::Build(const SecurityAttributes& attributes) {
    if (!InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
    const SecurityDescriptor* model = attributes.descriptor;
    if (model && model->daclPresent) {
        PACL acl = nullptr;
        if (model->dacl) {
            const Acl& list = *model->dacl;
            m_acl.assign((list.size + 7) / 8, 0);
            acl = reinterpret_cast<PACL>(m_acl.data());
            if (!InitializeAcl(acl, list.size, list.revision)) return false;
            for (const auto& entry : list.entries) {
                PSID sid = AllocateSid(entry.sid);
                if (!sid) return false;
                m_sids.push_back(sid);
                if (!AddAccessAllowedAceEx(acl, list.revision, entry.flags, entry.mask, sid)) return false;
            }
        }
        if (!SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, model->daclDefaulted ? TRUE : FALSE)) return false;
    }
    m_attributes.nLength = sizeof m_attributes;
    m_attributes.lpSecurityDescriptor = &m_descriptor;
    m_attributes.bInheritHandle = attributes.inheritHandle ? TRUE : FALSE;
    return true;
}

}  // namespace zt40
