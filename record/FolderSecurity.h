#pragma once
// The rights the data folders are created with: everyone may do everything in them, so that
// every operator of the machine appends to the one record file.
#include <cstdint>
#include <memory>
#include <span>

#include "platform/Security.h"

namespace zt40 {

// Bytes for an access list holding `existing`'s used bytes, one allowed entry per identifier and
// the given entries; 0 when `existing` cannot be queried or an identifier is not valid.
std::uint32_t ComputeAclSize(const Acl* existing, std::span<const Sid> sids,
                             std::span<const AccessAllowedAce> entries);

class FolderSecurity {
public:
    FolderSecurity() = default;
    FolderSecurity(const FolderSecurity&) = delete;
    FolderSecurity& operator=(const FolderSecurity&) = delete;
    virtual ~FolderSecurity() = default;

    // Builds afresh, releasing an earlier build first. On success `out` points at attributes
    // that live as long as this object or until the next build; on failure it is left null.
    bool BuildSecurityAttributes(const SecurityAttributes*& out);

    bool Built() const { return m_built != 0; }

private:
    void Release();

    std::uint32_t m_built = 0;
    SecurityAttributes m_attributes{};
    std::unique_ptr<Sid> m_sid;
    std::unique_ptr<Acl> m_acl;
    std::unique_ptr<SecurityDescriptor> m_descriptor;
};

}  // namespace zt40
