#pragma once
// Message boxes for a command-line program: the text goes to standard error, and a box
// that asks OK or Cancel takes the answer the command chose beforehand (no prompt, so that
// scripts never block).
#include <cstdio>
#include <string>

#include "platform/MessageBox.h"

namespace zt40::ctl {

class StdioMessageBox : public IMessageBox {
public:
    explicit StdioMessageBox(MbResult okCancelAnswer = MbResult::Cancel) : m_okCancelAnswer(okCancelAnswer) {}

    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
        const std::string text = message.English();
        const char* prefix = icon == MbIcon::Error ? "error: " : icon == MbIcon::Warning ? "warning: " : "";
        std::fprintf(stderr, "zt40ctl: %s%.*s\n", prefix, static_cast<int>(text.size()), text.data());
        if (buttons == MbButtons::RetryCancel) return MbResult::Cancel;
        return buttons == MbButtons::OkCancel ? m_okCancelAnswer : MbResult::Ok;
    }

private:
    MbResult m_okCancelAnswer;
};

}  // namespace zt40::ctl
