#include "platform/Security.h"

#include <algorithm>

namespace zt40 {

bool IsValidSid(const Sid& sid) {
    return sid.revision == kSidRevision && sid.subAuthorities.size() <= kSidMaxSubAuthorities;
}

std::uint32_t GetLengthSid(const Sid& sid) { return 8 + 4 * static_cast<std::uint32_t>(sid.subAuthorities.size()); }

namespace {

bool IsKnownAclRevision(std::uint8_t revision) { return revision == kAclRevision || revision == kAclRevisionDs; }

}  // namespace

bool GetAclBytesInUse(const Acl& acl, std::uint32_t& bytesInUse) {
    if (!IsKnownAclRevision(acl.revision)) return false;
    bytesInUse = kAclHeaderSize;
    for (const auto& entry : acl.entries) bytesInUse += entry.AceSize();
    return true;
}

bool InitializeAcl(Acl& acl, std::uint32_t size, std::uint8_t revision) {
    if (!IsKnownAclRevision(revision) || size < kAclHeaderSize) return false;
    acl = Acl{revision, size, {}};
    return true;
}

bool AddAccessAllowedAce(Acl& acl, std::uint8_t revision, std::uint32_t mask, const Sid& sid) {
    std::uint32_t used = 0;
    if (!GetAclBytesInUse(acl, used) || revision > acl.revision || !IsValidSid(sid)) return false;
    AccessAllowedAce entry{kAccessAllowedAceType, 0, mask, sid};
    if (used + entry.AceSize() > acl.size) return false;
    acl.entries.push_back(std::move(entry));
    return true;
}

bool GrantsEveryoneAllAccess(const SecurityAttributes* attributes) {
    if (attributes == nullptr || attributes->descriptor == nullptr) return false;
    const auto& descriptor = *attributes->descriptor;
    if (!descriptor.daclPresent || descriptor.dacl == nullptr) return false;
    return std::ranges::any_of(descriptor.dacl->entries, [](const AccessAllowedAce& entry) {
        return entry.type == kAccessAllowedAceType && (entry.mask & kAllAccessMask) == kAllAccessMask &&
               entry.sid.authority == kWorldAuthority && entry.sid.subAuthorities.size() == 1 &&
               entry.sid.subAuthorities[0] == kWorldRid;
    });
}

}  // namespace zt40
