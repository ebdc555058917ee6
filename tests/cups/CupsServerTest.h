#pragma once
// Base fixture of the tests that talk to a private cupsd: one server per test program,
// started on first use and stopped when the program ends.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PrivateCupsd.h"

namespace zt40::testing {

class CupsServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PrivateCupsd::Installed()) GTEST_SKIP() << "cupsd/lpadmin are not installed";
        ASSERT_NE(Shared().server, nullptr) << Shared().error;
    }

    static PrivateCupsd& Server() { return *Shared().server; }

    // A queue named after the running test, created anew.
    static std::string AddQueue(const std::string& suffix, const std::string& deviceUri, bool withDriver = true) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->name()) + "_" + suffix;
        std::string error;
        EXPECT_TRUE(Server().AddQueue(name, deviceUri, error, withDriver)) << error;
        return name;
    }

private:
    struct SharedServer {
        std::unique_ptr<PrivateCupsd> server;
        std::string error;
    };
    static SharedServer& Shared() {
        static SharedServer shared = [] {
            SharedServer started;
            started.server = PrivateCupsd::Start(SourceTreeCupsdFiles(), started.error);
            return started;
        }();
        return shared;
    }
};

}  // namespace zt40::testing
