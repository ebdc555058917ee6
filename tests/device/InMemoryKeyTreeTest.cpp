// The in-memory registry behaves as the walks expect a registry to.
#include <gtest/gtest.h>

#include "tests/support/InMemoryKeyTree.h"

namespace zt40 {
namespace {

TEST(InMemoryKeyTreeTest, OpensPathsWithoutRegardToCaseAndListsInInsertionOrder) {
    InMemoryKeyTree tree;
    tree.AddKey("Root\\Zeta");
    tree.AddKey("ROOT\\alpha");
    tree.SetValue("root\\Alpha", "Name", "text");
    const auto root = tree.OpenKey(kRootKey, "rOOT");
    ASSERT_TRUE(root);
    std::string name;
    EXPECT_EQ(tree.EnumSubkey(*root, 0, name), EnumResult::Ok);
    EXPECT_EQ(name, "Zeta");
    EXPECT_EQ(tree.EnumSubkey(*root, 1, name), EnumResult::Ok);
    EXPECT_EQ(name, "alpha");
    EXPECT_EQ(tree.EnumSubkey(*root, 2, name), EnumResult::NoMoreItems);
    const auto alpha = tree.OpenKey(*root, "ALPHA");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(tree.QueryValue(*alpha, "name"), "text");
    EXPECT_EQ(tree.QueryValue(*alpha, "Other"), std::nullopt);
    EXPECT_EQ(tree.OpenKey(*root, "Missing"), std::nullopt);
    EXPECT_EQ(tree.OpenHandleCount(), 2u);
    tree.CloseKey(*alpha);
    tree.CloseKey(*root);
    EXPECT_EQ(tree.OpenHandleCount(), 0u);
    tree.CloseKey(*root);
    EXPECT_EQ(tree.StrayCloseCount(), 1u);
    EXPECT_EQ(tree.OpenKey(*root, "alpha"), std::nullopt) << "a closed handle is no parent";
}

TEST(InMemoryKeyTreeTest, PlantedFaultsHitOnlyTheirTarget) {
    InMemoryKeyTree tree;
    tree.SetValue("A\\B", "Good", "1");
    tree.SetValue("A\\B", "Bad", "2");
    tree.FailValue("A\\B", "Bad");
    tree.AddKey("A\\C");
    tree.FailOpen("A\\C");
    tree.FailEnumAt("A", 1);
    const auto a = tree.OpenKey(kRootKey, "A");
    ASSERT_TRUE(a);
    std::string name;
    EXPECT_EQ(tree.EnumSubkey(*a, 0, name), EnumResult::Ok);
    EXPECT_EQ(tree.EnumSubkey(*a, 1, name), EnumResult::Error);
    EXPECT_EQ(tree.OpenKey(*a, "C"), std::nullopt);
    const auto b = tree.OpenKey(*a, "B");
    ASSERT_TRUE(b);
    EXPECT_EQ(tree.QueryValue(*b, "Good"), "1");
    EXPECT_EQ(tree.QueryValue(*b, "Bad"), std::nullopt);
    tree.CloseKey(*b);
    tree.CloseKey(*a);
    EXPECT_EQ(tree.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace zt40
