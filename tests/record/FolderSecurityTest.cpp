#include <gtest/gtest.h>

#include "record/FolderSecurity.h"

namespace zt40 {
namespace {

const Sid kWorld{kSidRevision, kWorldAuthority, {kWorldRid}};

Acl AclWithWorldEntry() {
    Acl acl;
    EXPECT_TRUE(InitializeAcl(acl, 64, kAclRevision));
    EXPECT_TRUE(AddAccessAllowedAce(acl, kAclRevision, kAllAccessMask, kWorld));
    return acl;
}

TEST(ComputeAclSize, HeaderPlusEntriesAndZeroForWhatCannotBeRead) {
    const Sid twoSub{kSidRevision, {0, 0, 0, 0, 0, 5}, {32, 544}};
    const Sid badRevision{2, kWorldAuthority, {kWorldRid}};
    const Sid tooManySub{kSidRevision, kWorldAuthority, std::vector<std::uint32_t>(16, 1)};
    const Acl existing = AclWithWorldEntry();  // 8 + 20 bytes in use
    const Acl uninitialised;
    const AccessAllowedAce entry{kAccessAllowedAceType, 0, 1, twoSub};  // 8 + 16

    EXPECT_EQ(ComputeAclSize(nullptr, std::span(&kWorld, 1), {}), 28u);
    EXPECT_EQ(ComputeAclSize(nullptr, {}, {}), 8u);
    EXPECT_EQ(ComputeAclSize(nullptr, std::span(&twoSub, 1), {}), 32u);
    EXPECT_EQ(ComputeAclSize(nullptr, std::span(&badRevision, 1), {}), 0u);
    EXPECT_EQ(ComputeAclSize(nullptr, std::span(&tooManySub, 1), {}), 0u);
    EXPECT_EQ(ComputeAclSize(&existing, std::span(&kWorld, 1), std::span(&entry, 1)), 28u + 20u + 24u + 8u);
    EXPECT_EQ(ComputeAclSize(&uninitialised, std::span(&kWorld, 1), {}), 0u);
}

TEST(AddAccessAllowedAce, RefusesAnEntryThatDoesNotFit) {
    Acl acl;
    ASSERT_TRUE(InitializeAcl(acl, 27, kAclRevision));
    EXPECT_FALSE(AddAccessAllowedAce(acl, kAclRevision, kAllAccessMask, kWorld));
    ASSERT_TRUE(InitializeAcl(acl, 28, kAclRevision));
    EXPECT_TRUE(AddAccessAllowedAce(acl, kAclRevision, kAllAccessMask, kWorld));
}

TEST(BuildSecurityAttributes, OneNonInheritedEntryGrantingEveryoneEverything) {
    FolderSecurity security;
    const SecurityAttributes* attributes = nullptr;
    ASSERT_TRUE(security.BuildSecurityAttributes(attributes));
    ASSERT_NE(attributes, nullptr);
    EXPECT_TRUE(security.Built());
    EXPECT_EQ(attributes->nLength, 12u);
    EXPECT_FALSE(attributes->inheritHandle);
    const auto* descriptor = attributes->descriptor;
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(descriptor->revision, kSecurityDescriptorRevision);
    EXPECT_TRUE(descriptor->daclPresent);
    EXPECT_FALSE(descriptor->daclDefaulted);
    ASSERT_NE(descriptor->dacl, nullptr);
    EXPECT_EQ(descriptor->dacl->size, 28u);
    EXPECT_EQ(descriptor->dacl->revision, kAclRevision);
    ASSERT_EQ(descriptor->dacl->entries.size(), 1u);
    const auto& entry = descriptor->dacl->entries[0];
    EXPECT_EQ(entry.mask, 0x001FFFFFu);
    EXPECT_EQ(entry.flags, 0);
    EXPECT_EQ(entry.sid.authority, kWorldAuthority);
    EXPECT_EQ(entry.sid.subAuthorities, std::vector<std::uint32_t>{kWorldRid});
    EXPECT_TRUE(GrantsEveryoneAllAccess(attributes));

    // A second build replaces the first and leaves the caller's pointer on valid attributes.
    const SecurityAttributes* again = nullptr;
    ASSERT_TRUE(security.BuildSecurityAttributes(again));
    EXPECT_TRUE(GrantsEveryoneAllAccess(again));
}

TEST(GrantsEveryoneAllAccess, OnlyAFullWorldEntryCounts) {
    Acl partial;
    ASSERT_TRUE(InitializeAcl(partial, 64, kAclRevision));
    ASSERT_TRUE(AddAccessAllowedAce(partial, kAclRevision, 0x001F01FF, kWorld));
    Acl admins;
    ASSERT_TRUE(InitializeAcl(admins, 64, kAclRevision));
    ASSERT_TRUE(AddAccessAllowedAce(admins, kAclRevision, kAllAccessMask, Sid{kSidRevision, {0, 0, 0, 0, 0, 5}, {32, 544}}));
    const Acl full = AclWithWorldEntry();
    for (const auto& [acl, expected] : {std::pair<const Acl*, bool>{&partial, false}, std::pair<const Acl*, bool>{&admins, false}, std::pair<const Acl*, bool>{&full, true}}) {
        SecurityDescriptor descriptor{kSecurityDescriptorRevision, true, acl, false};
        SecurityAttributes attributes{kSecurityAttributesLength, &descriptor, false};
        EXPECT_EQ(GrantsEveryoneAllAccess(&attributes), expected);
    }
    EXPECT_FALSE(GrantsEveryoneAllAccess(nullptr));
}

}  // namespace
}  // namespace zt40
