// A spooler that takes the connection and then says nothing, or nothing in IPP: told apart from
// one that cannot be reached, within the call's bound, by the spooler and by zt40ctl.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/CupsSpooler.h"
#include "support/CtlProgram.h"
#include "support/ScriptedSpoolerServer.h"

namespace zt40::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::Not;
using Reply = ScriptedSpoolerServer::Reply;

// The call's own budget is 3 s; the rest is slack for a loaded machine.
constexpr auto kBound = 6s;
// Nothing listens on the discard port.
constexpr const char* kNobodyThere = "127.0.0.1:9";

struct SilenceCase {
    const char* name;
    std::vector<Reply> script;  // empty: no server at all
    SpoolerFailure failure;
};

std::ostream& operator<<(std::ostream& out, const SilenceCase& c) { return out << c.name; }

class CupsSilentSpoolerTest : public ::testing::TestWithParam<SilenceCase> {};

TEST_P(CupsSilentSpoolerTest, ListingFailsWithItsKindWithinTheBound) {
    const SilenceCase& c = GetParam();
    ScriptedSpoolerServer server(c.script);
    ASSERT_TRUE(server.Running());
    CupsSpooler spooler({}, c.script.empty() ? kNobodyThere : server.Address());

    std::vector<QueueInfo> queues;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(spooler.EnumLocalQueues(queues));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
    EXPECT_EQ(spooler.LastFailure(), c.failure);
    const std::string text = spooler.LastErrorText();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("Success"), std::string::npos) << text;
    if (!c.script.empty()) {
        EXPECT_EQ(server.Requests(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spoolers, CupsSilentSpoolerTest,
    ::testing::Values(SilenceCase{"silent", {Reply::Silence}, SpoolerFailure::NotAnswering},
                      SilenceCase{"garbage", {Reply::Garbage}, SpoolerFailure::NotAnswering},
                      SilenceCase{"notIpp", {Reply::NotIpp}, SpoolerFailure::NotAnswering},
                      SilenceCase{"nobodyThere", {}, SpoolerFailure::Unreachable}),
    [](const auto& test) { return std::string(test.param.name); });

// What the server received tells retries apart, not the time the call took: a kept connection
// that went stale gets one fresh try, a request that ran out of time gets none.
TEST(CupsSpoolerRetry, OnlyAStaleConnectionIsTriedAgain) {
    const struct {
        const char* name;
        Reply second;
        int connections;
        int requests;
    } cases[] = {
        {"timedOut", Reply::Silence, 1, 2},
        {"staleAnswer", Reply::Garbage, 2, 3},
    };
    for (const auto& c : cases) {
        ScriptedSpoolerServer server({Reply::NoQueues, c.second, Reply::Garbage});
        ASSERT_TRUE(server.Running());
        CupsSpooler spooler({}, server.Address());
        std::vector<QueueInfo> queues{QueueInfo{}};
        ASSERT_TRUE(spooler.EnumLocalQueues(queues)) << c.name << ": " << spooler.LastErrorText();
        EXPECT_TRUE(queues.empty()) << c.name;
        EXPECT_FALSE(spooler.EnumLocalQueues(queues)) << c.name;
        EXPECT_EQ(spooler.LastFailure(), SpoolerFailure::NotAnswering) << c.name;
        // Whatever a retry sent has reached the server's thread by now.
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(server.Connections(), c.connections) << c.name;
        EXPECT_EQ(server.Requests(), c.requests) << c.name;
    }
}

// The kept connection goes stale as the spooler goes away, and the fresh one finds nobody: a
// spooler that cannot be reached (start it), not one that does not answer (restart it).
TEST(CupsSpoolerRetry, ASpoolerGoneAfterAStaleConnectionCannotBeReached) {
    ScriptedSpoolerServer server({Reply::NoQueues, Reply::GoneAway});
    ASSERT_TRUE(server.Running());
    CupsSpooler spooler({}, server.Address());
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    EXPECT_FALSE(spooler.EnumLocalQueues(queues));
    EXPECT_EQ(spooler.LastFailure(), SpoolerFailure::Unreachable) << spooler.LastErrorText();
    EXPECT_EQ(server.Connections(), 1) << "the fresh connection was refused";
}

// zt40ctl as a person runs it, with CUPS_SERVER at a spooler that never answers.
class CtlSilentSpoolerTest : public CtlProgramTest {
protected:
    void SetUp() override {
        CtlProgramTest::SetUp();
        ASSERT_TRUE(m_server.Running());
        if (const char* outer = std::getenv("CUPS_SERVER")) m_previous = outer;
        ::setenv("CUPS_SERVER", m_server.Address().c_str(), 1);
    }
    void TearDown() override {
        m_previous ? ::setenv("CUPS_SERVER", m_previous->c_str(), 1) : ::unsetenv("CUPS_SERVER");
        CtlProgramTest::TearDown();
    }

    ScriptedSpoolerServer m_server{{}};
    std::optional<std::string> m_previous;
};

TEST_F(CtlSilentSpoolerTest, EachCommandSaysTheSpoolerDoesNotAnswer) {
    const struct {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"queues", "zt40ctl: queues: the print spooler does not answer: "},
        {"doctor", "problem spooler   the print spooler does not answer: "},
        {"status", "The print spooler does not answer"},
        {"print-letters 1", "The print spooler does not answer"},
    };
    for (const auto& c : cases) {
        const auto run = Ctl(c.arguments, 20);
        const std::string said = run.out + run.err;
        if (said.find("USB cannot be used on this machine") != std::string::npos) continue;
        EXPECT_EQ(run.exitStatus, 4) << c.arguments << ": " << said;
        EXPECT_THAT(said, HasSubstr(c.says)) << c.arguments;
        EXPECT_THAT(said, Not(HasSubstr("cannot be reached"))) << c.arguments;
        EXPECT_THAT(said, Not(HasSubstr("Success"))) << c.arguments;
        EXPECT_THAT(said, Not(HasSubstr("systemctl start cups"))) << c.arguments;
    }
}

}  // namespace
}  // namespace zt40::testing
