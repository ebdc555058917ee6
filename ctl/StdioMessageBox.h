#pragma once
// Message boxes for a command-line program: the text goes to standard error, and a box
// that asks OK or Cancel takes the answer the command chose beforehand (no prompt, so that
// scripts never block).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/TextOutput.h"

namespace zt40::ctl {

// A message in English for a terminal: what came from outside (its arguments, or a spooler's
// own text) escaped, the program's own line breaks kept.
inline std::string TerminalText(const Message& message) {
    if (!message.IsVerbatim()) {
        std::vector<std::string> args;
        for (const auto& arg : message.args) args.push_back(EscapeForTerminal(arg));
        return FillArguments(message.text.source, args);
    }
    std::string text;
    std::string_view rest = message.verbatim;
    for (auto end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        text += EscapeForTerminal(rest.substr(0, end)) + "\n";
        rest.remove_prefix(end + 1);
    }
    return text + EscapeForTerminal(rest);
}

class StdioMessageBox : public IMessageBox {
public:
    explicit StdioMessageBox(MbResult okCancelAnswer = MbResult::Cancel) : m_okCancelAnswer(okCancelAnswer) {}

    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
        const std::string text = TerminalText(message);
        const char* prefix = icon == MbIcon::Error ? "error: " : icon == MbIcon::Warning ? "warning: " : "";
        std::fprintf(stderr, "zt40ctl: %s%.*s\n", prefix, static_cast<int>(text.size()), text.data());
        if (buttons == MbButtons::RetryCancel) return MbResult::Cancel;
        if (buttons == MbButtons::YesNo) return MbResult::No;
        return buttons == MbButtons::OkCancel ? m_okCancelAnswer : MbResult::Ok;
    }

private:
    MbResult m_okCancelAnswer;
};

}  // namespace zt40::ctl
