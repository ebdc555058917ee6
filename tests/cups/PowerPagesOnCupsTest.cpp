// The head-replacement wizard's power pages on a real CUPS queue: pulling the ZT-40's USB
// plug takes its queue off-line and plugging it back in brings it on-line, tick by tick.
#include <gtest/gtest.h>

#include <string>

#include "CupsServerTest.h"
#include "platform/linux/CupsSpooler.h"
#include "tests/support/RecordingMessageBox.h"
#include "printjob/EmbeddedJobs.h"
#include "support/RecordingWizardHost.h"
#include "wizards/Sheets.h"

namespace zt40::testing {
namespace {

class PowerPagesOnCupsTest : public CupsServerTest {};

TEST_F(PowerPagesOnCupsTest, UnplugAndReplugDriveTheButtons) {
    const std::string queue = AddQueue("zt40", PrivateCupsd::CapturingUsbUri("wizard"));
    bool plugged = true;
    CupsSpooler spooler([&plugged](std::string_view) { return plugged; }, Server().SocketPath());
    RecordingMessageBox messages;
    CPrintJobSender sender(spooler, messages, EmbeddedJobs());
    RecordingServices services(queue);
    RecordingWizardHost host;
    CChangeHeadSheet sheet(services, {spooler, sender});
    sheet.SetHost(&host);
    sheet.Open();
    sheet.m_moveHead.OnMoveHead();

    const struct {
        std::size_t page;
        bool plugged;
        std::uint32_t buttons;
    } steps[] = {
        {1, true, kWizBack},  {1, false, kWizBack | kWizNext}, {4, false, kWizBack},
        {4, true, kWizBack | kWizNext}, {7, true, kWizBack | kWizDisabledFinish},
        {7, false, kWizBack | kWizDisabledFinish}, {7, true, kWizBack | kWizFinish},
    };
    for (const auto& step : steps) {
        while (sheet.ActiveIndex() < step.page) ASSERT_TRUE(sheet.Next());
        plugged = step.plugged;
        host.Tick(*sheet.ActivePage());
        EXPECT_EQ(host.Buttons(), step.buttons) << "page " << step.page + 1 << (step.plugged ? " plugged" : " unplugged");
    }
    EXPECT_TRUE(messages.ShownBoxes().empty());
}

}  // namespace
}  // namespace zt40::testing
