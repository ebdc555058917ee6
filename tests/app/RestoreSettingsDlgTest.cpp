// The window's two record operations on a simulated ZT-40: appending after a wizard and the
// "Restoration of setting" command, on a record file in a folder of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/ControlIds.h"
#include "support/DialogRig.h"
#include "support/FakeDataFolderPlatform.h"
#include "support/FaultyAppendFiles.h"
#include "wizards/WizardSheet.h"
#include "wiring/RecordWiring.h"

namespace zt40::testing {
namespace {

// A file in a folder that is not there: Windows tells it from a missing file in a folder that is.
#if defined(_WIN32)
constexpr const char* kInMissingFolder = " contains an invalid path.";
#else
constexpr const char* kInMissingFolder = " was not found.";
#endif

class RestoreSettingsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-dlg-record-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = static_cast<char>(std::filesystem::path::preferred_separator);
        m_folders.override = m_dir.string();
        m_rig.dlg->SetUsageRecordPlatform({m_folders, m_files, "zt40util"});
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string FileText() const {
        std::ifstream in(m_dir / "zt40util.txt", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void OutOfRange() {
        m_rig.State().wordPair = {250, -3};
        m_rig.State().total = -5;
        m_rig.State().headCounters = {3, 41};
    }

    std::filesystem::path m_dir;
    test::FakeDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
    DialogRig m_rig;
};

TEST_F(RestoreSettingsDlgTest, AppendedRecordHoldsTheGroupsSavedWhenTheWizardOpened) {
    m_rig.State().pinCounters = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    m_rig.State().total = 45;
    m_rig.StartReady();
    m_rig.State().total = 999;  // changed by the wizard; the record keeps what was saved
    m_rig.dlg->WriteUsageRecord(false);
    m_rig.dlg->WriteUsageRecord(true);
    const std::string text = FileText();
    LineReader lines{std::string_view(text)};
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Kind(), 'x');
    EXPECT_EQ(records[1].Kind(), 'o');
    EXPECT_EQ(records[1].settings, m_rig.dlg->SavedPinSettings());
    EXPECT_EQ(records[1].counters.TotalCounter, 45);
    EXPECT_EQ(records[1].counters.PinCounter, m_rig.State().pinCounters);
    EXPECT_TRUE(m_rig.view.boxes.empty());
}

TEST_F(RestoreSettingsDlgTest, AFailedAppendIsShownWithTheFilesPath) {
    m_folders.override = (m_dir / "missing").string();
    m_rig.StartReady();
    m_rig.dlg->WriteUsageRecord(true);
    ASSERT_EQ(m_rig.view.boxes.size(), 1u);
    EXPECT_EQ(m_rig.view.boxes[0].message.English(), (m_dir / "missing" / "zt40util.txt").string() + kInMissingFolder);
    EXPECT_EQ(m_rig.view.boxes[0].icon, MbIcon::Warning);
}

// The wizard frame keeps why its record was not appended, for the caller that must fail the
// run; the next record that is kept clears it.
TEST_F(RestoreSettingsDlgTest, AFailedAppendComesBackToTheCallerAfterTheWizard) {
    const std::string file = (m_dir / "zt40util.txt").string();
    FaultyAppendFiles shortWrite(7);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string failure;
    };
    const Case cases[] = {
        {"DiskFull", [&] { m_rig.dlg->SetUsageRecordPlatform({m_folders, shortWrite, "zt40util"}); },
         "Disk full while accessing " + file + "."},
        {"FolderAtTheName", [&] { std::filesystem::create_directory(file); }, "Access to " + file + " was denied."},
        {"MissingFolder", [&] { m_folders.override = (m_dir / "missing").string(); },
         (m_dir / "missing" / "zt40util.txt").string() + kInMissingFolder},
    };
    m_rig.StartReady();
    for (const auto& c : cases) {
        for (const int result : {kWizardFinished, 0}) {
            m_folders.override = m_dir.string();
            m_rig.dlg->SetUsageRecordPlatform({m_folders, m_files, "zt40util"});
            std::filesystem::remove_all(file);
            c.arrange();
            m_rig.view.boxes.clear();
            m_rig.view.wizardResult = result;
            m_rig.dlg->OnReadjustPins();
            ASSERT_TRUE(m_rig.dlg->RecordFailure()) << c.name << result;
            EXPECT_EQ(m_rig.dlg->RecordFailure()->English(), c.failure) << c.name << result;
            EXPECT_EQ(m_rig.view.BoxTexts(), std::vector<std::string>{c.failure}) << c.name << ": still shown";
            EXPECT_FALSE(std::filesystem::is_regular_file(file) && std::filesystem::file_size(file) > 0) << c.name;
        }
    }
    m_folders.override = m_dir.string();
    m_rig.dlg->SetUsageRecordPlatform({m_folders, m_files, "zt40util"});
    std::filesystem::remove_all(m_dir / "zt40util.txt");
    EXPECT_FALSE(m_rig.dlg->WriteUsageRecord(true));
    EXPECT_FALSE(m_rig.dlg->RecordFailure()) << "a kept record clears the failure";
}

// The window's restore with a record file it cannot read: the file's failure and that nothing
// was restored, no power-cycle request, and the printer's values as they were.
TEST_F(RestoreSettingsDlgTest, MenuCommandWithAnUnreadableFileWritesNothing) {
    std::filesystem::create_directory(m_dir / "zt40util.txt");
    OutOfRange();
    m_rig.StartReady();
    const Zt40State before = m_rig.State();
    EXPECT_TRUE(m_rig.dlg->OnSysCommand(IDM_RESTORE_SETTINGS, 0));
    EXPECT_EQ(m_rig.State(), before);
    const std::string file = (m_dir / "zt40util.txt").string();
    EXPECT_EQ(m_rig.view.BoxTexts(),
              (std::vector<std::string>{"Access to " + file + " was denied.",
                                        "Nothing was restored: the printer keeps its values until " + file +
                                            " can be read."}));
}

TEST_F(RestoreSettingsDlgTest, MenuCommandWritesTheLastUsableRecordIntoThePrinter) {
    UsageCounters counters{700, {70, 71, 72, 73, 74, 75, 76, 77, 78}, {2, 0}};
    std::ofstream(m_dir / "zt40util.txt", std::ios::binary)
        << FormatUsageRecord(true, {2026, 12, 1}, PinSettings{{-12, 7}, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, counters);
    const std::string before = FileText();
    OutOfRange();
    m_rig.StartReady();
    EXPECT_TRUE(m_rig.dlg->OnSysCommand(IDM_RESTORE_SETTINGS, 0));

    const auto& state = m_rig.State();
    EXPECT_EQ(state.wordPair, (std::array<std::int16_t, 2>{-12, 7}));
    EXPECT_EQ(state.selectedPin, 4);
    EXPECT_EQ(state.adjustments, (std::array<std::int16_t, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(state.total, 700);
    EXPECT_EQ(state.pinCounters, counters.PinCounter);
    EXPECT_EQ(state.headCounters, (std::array<std::int16_t, 2>{2, 41}));  // the second as the printer had it
    ASSERT_EQ(m_rig.view.boxes.size(), 2u);
    EXPECT_EQ(m_rig.view.boxes[0].message.English(),
              "The printer's pin settings and usage counters are out of range. Write those of the last usable record "
              "in " + (m_dir / "zt40util.txt").string() + "?\n\n"
              "The record of 2026-12-01 holds (now -> written):\n"
              "word pair: 250 -3 -> -12 7\nselected pin: 1 -> 4\n"
              "adjustment (pins 1-9): 0 0 0 0 0 0 0 0 0 -> 1 2 3 4 5 6 7 8 9\n"
              "total counter: -5 -> 700\npin counter (pins 1-9): 0 0 0 0 0 0 0 0 0 -> 70 71 72 73 74 75 76 77 78\n"
              "head counter: 3 -> 2")
        << "asked first, naming the groups, the file, the record's date and each field it changes";
    EXPECT_EQ(m_rig.view.outcomes, std::vector<std::string>{"The pin settings and usage counters of the record of "
                                                            "2026-12-01 were written."});
    EXPECT_EQ(m_rig.view.pushed.back().shownUsage, counters.PinCounter) << "the window shows what was written";
    EXPECT_EQ(m_rig.view.pushed.back().selectedPin, 3);
    EXPECT_EQ(m_rig.view.boxes[0].buttons, MbButtons::OkCancel);
    EXPECT_EQ(m_rig.view.boxes[1].message.English(), "Please do again to turn on the power of ZT-40");
    EXPECT_EQ(m_rig.view.boxes[1].icon, MbIcon::Information);
    EXPECT_EQ(FileText(), before);
}

TEST_F(RestoreSettingsDlgTest, PreviewLeavesPrinterAndFolderAlone) {
    OutOfRange();
    m_rig.StartReady();
    const Zt40State before = m_rig.State();
    const auto outcome = m_rig.dlg->PreviewRestore();
    EXPECT_TRUE(outcome.plan.needed);
    EXPECT_EQ(outcome.plan.settings->WordPair, (std::array<std::int16_t, 2>{0, 0}));
    EXPECT_EQ(m_rig.State(), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "zt40util.txt"));
    EXPECT_TRUE(m_rig.view.boxes.empty());
    EXPECT_EQ(m_rig.dlg->CurrentPinSettings().WordPair, (std::array<std::int16_t, 2>{250, -3}));
}

}  // namespace
}  // namespace zt40::testing
