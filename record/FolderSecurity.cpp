#include "record/FolderSecurity.h"

#include <new>

namespace zt40 {

std::uint32_t ComputeAclSize(const Acl* existing, std::span<const Sid> sids,
                             std::span<const AccessAllowedAce> entries) {
    std::uint32_t size = 0;
    if (existing != nullptr) {
        if (!GetAclBytesInUse(*existing, size)) return 0;
    }
    for (const auto& sid : sids) {
        if (!IsValidSid(sid)) return 0;
        size += GetLengthSid(sid) + kAccessAllowedAceOverhead;
    }
    for (const auto& entry : entries) size += entry.AceSize();
    return size + kAclHeaderSize;
}

void FolderSecurity::Release() {
    // The identifier last: the list's entry was made from it.
    m_acl.reset();
    m_descriptor.reset();
    m_sid.reset();
    m_attributes = {};
    m_built = 0;
}

bool FolderSecurity::BuildSecurityAttributes(const SecurityAttributes*& out) {
    out = nullptr;
    Release();
    try {
        auto sid = std::make_unique<Sid>(Sid{kSidRevision, kWorldAuthority, {kWorldRid}});
        const std::uint32_t size = ComputeAclSize(nullptr, std::span(sid.get(), 1), {});
        if (size == 0) return false;
        auto acl = std::make_unique<Acl>();
        if (!InitializeAcl(*acl, size, kAclRevision)) return false;
        // Its failure is not acted on: the folder is still created, with the rights the
        // descriptor then holds.
        AddAccessAllowedAce(*acl, kAclRevision, kAllAccessMask, *sid);
        auto descriptor = std::make_unique<SecurityDescriptor>();
        descriptor->revision = kSecurityDescriptorRevision;
        descriptor->daclPresent = true;
        descriptor->dacl = acl.get();
        descriptor->daclDefaulted = false;

        m_sid = std::move(sid);
        m_acl = std::move(acl);
        m_descriptor = std::move(descriptor);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_attributes = SecurityAttributes{kSecurityAttributesLength, m_descriptor.get(), false};
    m_built = 1;
    out = &m_attributes;
    return true;
}

}  // namespace zt40
