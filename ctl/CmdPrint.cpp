// zt40ctl print-pattern, print-letters PIN, print-origin PIN: the adjustment jobs sent to the
// printer's queue as the wizards send them. Prints the spooler's job id.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ctl/Arguments.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/StdioMessageBox.h"
#include "ctl/QueueText.h"
#include "printjob/EmbeddedJobs.h"
#include "platform/TextOutput.h"
#include "printjob/PrintJobSender.h"

namespace zt40::ctl {

namespace {

enum class PrintKind { Pattern, Letters, Origin };

// Passes each message on and counts it: any message means a spooler step failed.
class CountingMessageBox : public IMessageBox {
public:
    explicit CountingMessageBox(IMessageBox& inner) : m_inner(inner) {}
    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
        ++m_count;
        return m_inner.Show(message, buttons, icon);
    }
    int Count() const { return m_count; }

private:
    IMessageBox& m_inner;
    int m_count = 0;
};

int RunPrint(PrintKind kind, const GlobalOptions& options, const std::vector<std::string>& args) {
    const char* name = kind == PrintKind::Pattern ? "print-pattern" : kind == PrintKind::Letters ? "print-letters" : "print-origin";
    const std::size_t expected = kind == PrintKind::Pattern ? 0 : 1;
    if (args.size() != expected) {
        std::fprintf(stderr, "usage: zt40ctl [--queue NAME] %s%s\n", name, expected ? " PIN" : "");
        return 2;
    }
    std::optional<int> pin;
    if (kind != PrintKind::Pattern) {
        pin = ParseDecimal(args[0], 1, 9);
        if (!pin) {
            std::fprintf(stderr, "zt40ctl: %s: the pin is a number from 1 to 9, not \"%s\"\n", name,
                         EscapeForTerminal(args[0]).c_str());
            return 2;
        }
    }

    std::string error;
    auto spooler = MakeSpooler(options, error);
    if (!spooler) return BadSimulationFile(error);
    int status = kExitOk;
    const auto chosen = ChooseQueueOrSay(*spooler, options.queue, name, status);
    if (!chosen) return status;
    const std::string& queue = *chosen;

    StdioMessageBox console;
    CountingMessageBox messages(console);
    CPrintJobSender sender(*spooler, messages, EmbeddedJobs());
    std::int32_t job = 0;
    switch (kind) {
        case PrintKind::Pattern: job = sender.PrintTestPattern(queue); break;
        case PrintKind::Letters: job = sender.PrintLetters(queue, *pin); break;
        case PrintKind::Origin: job = sender.PrintOriginMark(queue, *pin); break;
    }
    if (job != 0) std::printf("%d\n", static_cast<int>(job));
    return job != 0 && messages.Count() == 0 ? 0 : 1;
}

const RegisterCommand kPrintPattern({"print-pattern", "print-pattern       print the adjustment pattern (letters and the nine bands)",
                                     [](const GlobalOptions& options, const std::vector<std::string>& args) {
                                         return RunPrint(PrintKind::Pattern, options, args);
                                     }});
const RegisterCommand kPrintLetters({"print-letters", "print-letters PIN   print the letters sample with pin PIN (1-9)",
                                     [](const GlobalOptions& options, const std::vector<std::string>& args) {
                                         return RunPrint(PrintKind::Letters, options, args);
                                     }});
const RegisterCommand kPrintOrigin({"print-origin", "print-origin PIN    print the origin mark with pin PIN (1-9)",
                                    [](const GlobalOptions& options, const std::vector<std::string>& args) {
                                        return RunPrint(PrintKind::Origin, options, args);
                                    }});

}  // namespace

}  // namespace zt40::ctl
