#pragma once
// The main window as a command-line program has it: no controls, no timers (the command
// drives the poll itself), message boxes on the terminal.
#include <cstdio>

#include "app/PinwardenView.h"
#include "ctl/StdioMessageBox.h"

namespace zt40::ctl {

class ConsoleView : public HeadlessView {
public:
    // Warnings and errors on standard error, the rest on standard output; OK is the answer.
    MbResult ShowMessage(const Message& message, MbButtons, MbIcon icon) override {
        const bool trouble = icon == MbIcon::Warning || icon == MbIcon::Error;
        std::fprintf(trouble ? stderr : stdout, "%s%s\n", trouble ? "zt40ctl: " : "", TerminalText(message).c_str());
        return MbResult::Ok;
    }
    int RunWizard(WizardKind) override { return 0; }
};

}  // namespace zt40::ctl
