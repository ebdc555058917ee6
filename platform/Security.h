#pragma once
// The access rights a folder is created with: an identifier, an access list of allowed
// entries and a descriptor holding it, laid out with the sizes the rights are accounted in.
// The core builds them; an adapter turns them into what its file system understands.
#include <array>
#include <cstdint>
#include <vector>

namespace zt40 {

inline constexpr std::uint8_t kSidRevision = 1;
inline constexpr std::size_t kSidMaxSubAuthorities = 15;
inline constexpr std::uint8_t kAclRevision = 2;
inline constexpr std::uint8_t kAclRevisionDs = 4;
inline constexpr std::uint8_t kAccessAllowedAceType = 0;
inline constexpr std::uint8_t kSecurityDescriptorRevision = 1;
inline constexpr std::uint32_t kAclHeaderSize = 8;
// Type, flags, size and mask ahead of the identifier.
inline constexpr std::uint32_t kAccessAllowedAceOverhead = 8;
inline constexpr std::uint32_t kSecurityAttributesLength = 12;
// Every standard and every object-specific right.
inline constexpr std::uint32_t kAllAccessMask = 0x001FFFFF;
inline constexpr std::array<std::uint8_t, 6> kWorldAuthority{0, 0, 0, 0, 0, 1};
inline constexpr std::uint32_t kWorldRid = 0;

struct Sid {
    std::uint8_t revision = kSidRevision;
    std::array<std::uint8_t, 6> authority{};
    std::vector<std::uint32_t> subAuthorities;
};

bool IsValidSid(const Sid& sid);
// Revision, count and authority take 8 bytes, each sub-authority 4.
std::uint32_t GetLengthSid(const Sid& sid);

struct AccessAllowedAce {
    std::uint8_t type = kAccessAllowedAceType;
    std::uint8_t flags = 0;  // 0: not inherited by what is created inside
    std::uint32_t mask = 0;
    Sid sid;
    std::uint32_t AceSize() const { return kAccessAllowedAceOverhead + GetLengthSid(sid); }
};

struct Acl {
    std::uint8_t revision = 0;  // 0 until initialised
    std::uint32_t size = 0;     // bytes set aside for the list
    std::vector<AccessAllowedAce> entries;
};

// The bytes the header and the entries take; false for a list that was never initialised.
bool GetAclBytesInUse(const Acl& acl, std::uint32_t& bytesInUse);
bool InitializeAcl(Acl& acl, std::uint32_t size, std::uint8_t revision);
// False when the entry does not fit in the size set aside, or the list or identifier is bad.
bool AddAccessAllowedAce(Acl& acl, std::uint8_t revision, std::uint32_t mask, const Sid& sid);

struct SecurityDescriptor {
    std::uint8_t revision = 0;
    bool daclPresent = false;
    const Acl* dacl = nullptr;
    bool daclDefaulted = false;
};

struct SecurityAttributes {
    std::uint32_t nLength = 0;
    const SecurityDescriptor* descriptor = nullptr;
    bool inheritHandle = false;
};

// True when the attributes' access list lets everyone do everything: the adapter's cue to make
// a folder that every user may write in.
bool GrantsEveryoneAllAccess(const SecurityAttributes* attributes);

}  // namespace zt40
