// A frame that walks the pages itself and reports each step (a native wizard) makes the same
// page calls, in the same order, as the sheet's own Open, Next and Back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WizardFixture.h"

namespace zt40 {
namespace {

class LoggingPage final : public CWizardPage {
public:
    LoggingPage(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    int DialogId() const override { return 0; }
    Text Title() const override { return {}; }
    void OnInitDialog() override { m_log.push_back(m_name + " init"); }
    bool OnSetActive() override {
        m_log.push_back(m_name + " enter");
        return !refuseEntry;
    }
    bool OnKillActive() override {
        m_log.push_back(m_name + " leave");
        return !refuseLeaving;
    }
    bool refuseEntry = false;
    bool refuseLeaving = false;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

class ThreePageSheet final : public CWizardSheet {
public:
    ThreePageSheet(IPinwardenServices& parent, WizardSpooling spooling, std::vector<std::string>& log)
        : CWizardSheet(parent, spooling), a(log, "a"), b(log, "b"), c(log, "c") {
        AddPage(a);
        AddPage(b);
        AddPage(c);
    }
    bool OnInitDialog() override {
        ++linked;
        return true;
    }
    LoggingPage a;
    LoggingPage b;
    LoggingPage c;
    int linked = 0;
};

class SheetFrameEventsTest : public WizardFixture {
protected:
    // What the frame reports for a move from the active page to `to`: leaving, then the new
    // page's window made (each time: the sheet keeps only the first), then entering.
    static bool FrameMove(CWizardSheet& sheet, std::size_t to) {
        if (!sheet.PageLeaving()) return false;
        sheet.PageCreated(to);
        return sheet.PageEntered(to);
    }
    static void FrameOpen(CWizardSheet& sheet) {
        sheet.OpenFrame();
        sheet.PageCreated(0);
        sheet.PageEntered(0);
    }

    std::vector<std::string> ownLog;
    std::vector<std::string> frameLog;
};

TEST_F(SheetFrameEventsTest, AFrameWalkCallsThePagesAsTheSheetsOwnWalkDoes) {
    ThreePageSheet own(services, Spooling(), ownLog);
    ThreePageSheet framed(services, Spooling(), frameLog);
    own.Open();
    FrameOpen(framed);
    EXPECT_EQ(framed.linked, 1);
    // Forward, back over a page made already, forward again, then Finish.
    const std::size_t walk[] = {1, 2, 1, 0, 1, 2};
    for (const std::size_t to : walk) {
        ASSERT_TRUE(to > own.ActiveIndex() ? own.Next() : own.Back());
        ASSERT_TRUE(FrameMove(framed, to));
        EXPECT_EQ(framed.ActiveIndex(), own.ActiveIndex());
    }
    EXPECT_EQ(own.Finish(), framed.Finish());
    EXPECT_EQ(frameLog, ownLog);
    EXPECT_EQ(frameLog, (std::vector<std::string>{"a init", "a enter", "a leave", "b init", "b enter", "b leave",
                                                  "c init", "c enter", "c leave", "b enter", "b leave", "a enter",
                                                  "a leave", "b enter", "b leave", "c enter", "c leave"}));
    EXPECT_FALSE(framed.IsOpen());
}

TEST_F(SheetFrameEventsTest, APageThatRefusesToBeLeftKeepsTheFrameWhereItIs) {
    ThreePageSheet framed(services, Spooling(), frameLog);
    FrameOpen(framed);
    framed.a.refuseLeaving = true;
    EXPECT_FALSE(framed.PageLeaving());
    EXPECT_EQ(framed.ActiveIndex(), 0u);
    framed.a.refuseLeaving = false;
    framed.b.refuseEntry = true;
    EXPECT_FALSE(FrameMove(framed, 1));
}

// Before the frame opens and after it closes nothing reaches the pages: a late notification
// from a window being torn down changes nothing.
TEST_F(SheetFrameEventsTest, EventsOutsideAnOpenFrameReachNoPage) {
    ThreePageSheet framed(services, Spooling(), frameLog);
    framed.PageCreated(0);
    EXPECT_FALSE(framed.PageEntered(0));
    EXPECT_TRUE(framed.PageLeaving());
    EXPECT_TRUE(frameLog.empty());
    FrameOpen(framed);
    EXPECT_FALSE(framed.PageEntered(3));
    framed.PageCreated(7);
    framed.OpenFrame();  // a second open neither links nor resets again
    EXPECT_EQ(framed.linked, 1);
    framed.Cancel();
    frameLog.clear();
    EXPECT_FALSE(framed.PageEntered(1));
    EXPECT_TRUE(framed.PageLeaving());
    EXPECT_TRUE(frameLog.empty());
}

}  // namespace
}  // namespace zt40
