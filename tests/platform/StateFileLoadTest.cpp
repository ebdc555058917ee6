// Loading a state file through the system: what is no plain file, or too long, is refused with
// its reason before anything could block or fill memory; on every system alike.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/sim/Zt40StateFile.h"

namespace zt40 {
namespace {

class StateFileLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-statefile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    static std::string OnlyError(const StateFileResult& result) {
        return result.errors.size() == 1 && result.errors[0].line == 0 ? result.errors[0].message : "<not one error>";
    }

    std::filesystem::path m_dir;
};

TEST_F(StateFileLoadTest, APlainFileIsReadWhole) {
    const auto loaded = LoadStateFile(Write("ok.zt40sim", "selected_pin = 4\n"));
    EXPECT_TRUE(loaded.Ok());
}

TEST_F(StateFileLoadTest, AFileOfExactlyTheLimitIsReadAndOneByteMoreIsRefused) {
    const std::string comment(kMaxStateFileSize - 1, '#');
    EXPECT_TRUE(LoadStateFile(Write("limit.zt40sim", comment + "\n")).Ok());
    EXPECT_EQ(OnlyError(LoadStateFile(Write("over.zt40sim", comment + "\n\n"))),
              "is " + std::to_string(kMaxStateFileSize + 1) + " bytes long; a state file has at most " +
                  std::to_string(kMaxStateFileSize));
}

TEST_F(StateFileLoadTest, AFolderIsRefusedAsAFolder) {
    EXPECT_EQ(OnlyError(LoadStateFile(m_dir.string())), "is a folder, not a state file");
}

TEST_F(StateFileLoadTest, AMissingFileSaysTheSystemCannotReadIt) {
    const auto message = OnlyError(LoadStateFile((m_dir / "missing.zt40sim").string()));
    EXPECT_EQ(message.rfind("cannot read the file: ", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("cannot read the file: ").size()) << "the system's reason follows";
}

TEST_F(StateFileLoadTest, ADeviceIsNoStateFile) {
#if defined(_WIN32)
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    EXPECT_EQ(OnlyError(LoadStateFile(device)),
              "is not a regular file (a device, FIFO or socket cannot be a state file)");
}

}  // namespace
}  // namespace zt40
