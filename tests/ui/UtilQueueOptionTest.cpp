// zt40util --queue as an operator starts it: the window connects to the named queue's printer
// only, and waits in vain for a queue that is not there.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include "support/BuildTree.h"

namespace zt40::testing {
namespace {

TEST(UtilQueueOption, TheWindowUsesOnlyTheNamedQueue) {
    const std::string program = std::string(ZT40_BINARY_DIR) + "/zt40util";
    ASSERT_TRUE(std::filesystem::exists(program)) << program << " is built with the rest of the tree";
    const auto dir = std::filesystem::temp_directory_path() / ("zt40util-queue-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const struct {
        const char* queue;
        int exitStatus;
        const char* says;  // on standard error
    } cases[] = {
        {"ZT-40", 0, ""},
        // The window waits for the named queue as it would for an unplugged printer.
        {"Other", 1, "the printer did not become ready"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queue);
        const auto err = dir / "stderr";
        const std::string command = "QT_QPA_PLATFORM=offscreen timeout -s KILL 60 " + program +
                                    " --simulate --queue=" + c.queue + " --screenshot=" + (dir / "shot.png").string() +
                                    " >/dev/null 2>" + err.string() + " </dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.exitStatus);
        std::ifstream in(err);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zt40::testing
