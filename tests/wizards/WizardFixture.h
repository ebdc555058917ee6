#pragma once
// A wizard sheet on a simulated spooler whose ZT-40 queue the test takes off-line, back
// on-line or out of the list, with a recording main window and host.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimSpooler.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"
#include "support/RecordingWizardHost.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture() { AddDemoQueue(spooler, [this] { return attributes.load(); }); }

    WizardSpooling Spooling() { return {spooler, sender}; }

    void Open(CWizardSheet& sheet) {
        sheet.SetHost(&host);
        sheet.Open();
        host.Flush();
    }
    // Moves on and lets the posted buttons take effect, as the window would.
    void Next(CWizardSheet& sheet) {
        ASSERT_TRUE(sheet.Next());
        host.Flush();
    }
    void Back(CWizardSheet& sheet) {
        ASSERT_TRUE(sheet.Back());
        host.Flush();
    }
    void SetQueue(std::uint32_t queueAttributes) { attributes = queueAttributes; }
    void UnlistQueue() { spooler.RemoveQueue(kSimQueueName); }

    // The embedded jobs written into each started document, in order.
    std::vector<std::vector<int>> DocumentResources() const {
        std::vector<std::vector<int>> documents;
        for (const SimJob& job : spooler.Jobs()) {
            std::vector<int> ids;
            for (const SimWrite& write : job.writes) ids.push_back(write.embeddedResource);
            documents.push_back(ids);
        }
        return documents;
    }

    // Atomic: a test may drive a real window's run from a thread of its own.
    std::atomic<std::uint32_t> attributes{0};
    SimSpooler spooler{&EmbeddedJobs()};
    RecordingMessageBox messages;
    CPrintJobSender sender{spooler, messages, EmbeddedJobs()};
    RecordingServices services{std::string(kSimQueueName)};
    RecordingWizardHost host;
};

}  // namespace zt40
