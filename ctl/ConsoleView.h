#pragma once
// The main window as a command-line program has it: no controls, no timers (the command
// drives the poll itself), message boxes on the terminal.
#include <cstdio>

#include "app/PinwardenView.h"

namespace zt40::ctl {

class ConsoleView : public IPinwardenView {
public:
    int StartTimer(int timerId, std::uint32_t) override { return timerId; }
    void StopTimer(int) override {}
    void SetCaption(const std::string&) override {}
    void EnableControl(int, bool) override {}
    void AppendMenuItem(int, Text) override {}
    void EnableMenuItem(int, bool) override {}
    // Warnings and errors on standard error, the rest on standard output; OK is the answer.
    MbResult ShowMessage(const Message& message, MbButtons, MbIcon icon) override {
        const bool trouble = icon == MbIcon::Warning || icon == MbIcon::Error;
        std::fprintf(trouble ? stderr : stdout, "%s%s\n", trouble ? "zt40ctl: " : "", message.English().c_str());
        return MbResult::Ok;
    }
    void UpdateControls(const DialogData&) override {}
    void Repaint() override {}
    void SetWaitCursor(bool) override {}
    void SetStatusLine(const Message&, const std::optional<Message>&) override {}
    void ShowAbout() override {}
    int RunWizard(WizardKind) override { return 0; }
    void DestroyWindow() override {}
};

}  // namespace zt40::ctl
