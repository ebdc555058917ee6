// What the wizards tell beyond the pages: the question before a Cancel, and how each print job
// the pages hand to the spooler went.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WizardFixture.h"
#include "wizards/OriginPin.h"
#include "wizards/Sheets.h"

namespace zt40 {
namespace {

struct CancelCase {
    const char* name;
    bool open;
    MbResult answer;
    bool closes;
    std::size_t asked;
};

class WizardCancelQuestion : public WizardFixture, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(WizardCancelQuestion, OnlyAYesCloses) {
    const CancelCase& c = GetParam();
    CAdjustPinSheet sheet(services, Spooling());
    sheet.SetHost(&host);
    if (c.open) sheet.Open();
    host.answer = c.answer;
    EXPECT_EQ(sheet.ConfirmCancel(), c.closes);
    ASSERT_EQ(host.asked.size(), c.asked);
    if (c.asked != 0) {
        EXPECT_EQ(host.asked[0], "Cancel the wizard? What it changed on the printer is put back as it was before the "
                                 "wizard started.");
    }
    EXPECT_EQ(sheet.IsOpen(), c.open) << "asking closes nothing";
    EXPECT_TRUE(services.Calls().empty()) << "asking sends nothing";
}

INSTANTIATE_TEST_SUITE_P(Answers, WizardCancelQuestion,
                         ::testing::Values(CancelCase{"yes", true, MbResult::Yes, true, 1},
                                           CancelCase{"no", true, MbResult::No, false, 1},
                                           // A box closed another way is no Yes.
                                           CancelCase{"closedBox", true, MbResult::Cancel, false, 1},
                                           CancelCase{"okIsNoYes", true, MbResult::Ok, false, 1},
                                           // Nothing open: nothing to put back, nothing to ask.
                                           CancelCase{"notOpen", false, MbResult::No, true, 0}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(WizardFixture, CancelWithoutAWindowClosesWithoutAsking) {
    CAdjustPinSheet sheet(services, Spooling());
    sheet.Open();
    EXPECT_TRUE(sheet.ConfirmCancel());
    EXPECT_TRUE(host.asked.empty());
}

struct PrintCase {
    const char* name;
    std::function<void(SimSpooler&)> fault;
    std::function<void(CWizardSheet&)> print;  // on the sheet's printing page
    const char* outcome;
};

class PrintOutcome : public WizardFixture, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintOutcome, DoneOnlyWhenEveryStepWentThrough) {
    const PrintCase& c = GetParam();
    CAdjustPinSheet adjust(services, Spooling());
    COriginPinSheet origin(services, Spooling());
    const bool originPage = std::string(c.name).rfind("origin", 0) == 0;
    CWizardSheet& sheet = originPage ? static_cast<CWizardSheet&>(origin) : adjust;
    Open(sheet);
    c.fault(spooler);
    c.print(sheet);
    EXPECT_EQ(host.outcomes, (std::vector<std::string>{c.outcome}));
}

void StartPrinting(CWizardSheet& s) { static_cast<CAdjustPinSheet&>(s).m_adjustPin.OnStartPrinting(); }
void PrintLetters(CWizardSheet& s) {
    auto& page = static_cast<CAdjustPinSheet&>(s).m_adjustPin;
    page.m_pinIndex = 2;
    page.OnPrintLetters();
}
void MarkOrigin(CWizardSheet& s) {
    auto& page = static_cast<COriginPinSheet&>(s).m_originPin;
    page.m_pinIndex = 0;
    page.OnStartAdjustment();
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, PrintOutcome,
    ::testing::Values(
        PrintCase{"pattern", [](SimSpooler&) {}, StartPrinting, "done: The print job was sent to the queue ZT-40."},
        PrintCase{"letters", [](SimSpooler&) {}, PrintLetters, "done: The print job was sent to the queue ZT-40."},
        PrintCase{"originMark", [](SimSpooler&) {}, MarkOrigin, "done: The print job was sent to the queue ZT-40."},
        PrintCase{"queueClosed",
                  [](SimSpooler& s) { s.InjectFault(SimFault::Failing(SimSpoolStep::Open, "The queue is gone.")); },
                  StartPrinting, "failed: The print job was not sent completely to the queue ZT-40. | The queue is gone."},
        // A job that started but lost bytes is not "sent", though it has an id.
        PrintCase{"shortWrite", [](SimSpooler& s) { s.InjectFault(SimFault::ShortWrite(10, "Disk full.")); },
                  PrintLetters, "failed: The print job was not sent completely to the queue ZT-40. | Disk full."},
        // The first failure is the reason, not the close that followed it.
        PrintCase{"endDocThenClose",
                  [](SimSpooler& s) {
                      s.InjectFault(SimFault::Failing(SimSpoolStep::EndDoc, "The job was refused."));
                      s.InjectFault(SimFault::Failing(SimSpoolStep::Close, "Close failed."));
                  },
                  StartPrinting, "failed: The print job was not sent completely to the queue ZT-40. | The job was refused."},
        PrintCase{"originOpenFails",
                  [](SimSpooler& s) { s.InjectFault(SimFault::Failing(SimSpoolStep::Open, "No such queue.")); },
                  MarkOrigin, "failed: The print job was not sent completely to the queue ZT-40. | No such queue."}),
    [](const auto& p) { return std::string(p.param.name); });

// A failure is not carried into the next job.
TEST_F(WizardFixture, AJobAfterAFailedOneIsToldDone) {
    CAdjustPinSheet sheet(services, Spooling());
    Open(sheet);
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::StartPage, "Paper jam."));
    sheet.m_adjustPin.OnStartPrinting();
    sheet.m_adjustPin.OnStartPrinting();
    ASSERT_EQ(host.outcomes.size(), 2u);
    EXPECT_EQ(host.outcomes[1], "done: The print job was sent to the queue ZT-40.");
}

}  // namespace
}  // namespace zt40
