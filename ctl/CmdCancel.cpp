// zt40ctl cancel JOB [--queue NAME]: removes a print job from the ZT-40's queue (by default
// the first queue the matching rule takes). Unlike the wizards' silent cancel, a failure is
// reported, so that a script learns the job was not there.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Arguments.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/QueueText.h"
#include "platform/TextOutput.h"

namespace zt40::ctl {

namespace {

int RunCancel(const GlobalOptions& options, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zt40ctl [--simulate[=FILE]] [--queue NAME] cancel JOB\n");
        return 2;
    }
    // 1 to 2^31 - 1: 0 and -1 would mean "the current job" and "every job" to CUPS.
    const auto job = ParseDecimal(args[0], 1, INT32_MAX);
    if (!job) {
        std::fprintf(stderr, "zt40ctl: cancel: a job id is a number from 1 up, not \"%s\"\n",
                     EscapeForTerminal(args[0]).c_str());
        return 2;
    }
    std::string wiringError;
    auto spooler = MakeSpooler(options, wiringError);
    if (!spooler) return BadSimulationFile(wiringError);
    int status = kExitOk;
    const auto chosen = ChooseQueueOrSay(*spooler, options.queue, "cancel", status);
    if (!chosen) return status;
    const std::string& queueName = *chosen;
    auto queue = spooler->OpenQueue(queueName);
    if (!queue) {
        std::fprintf(stderr, "zt40ctl: cancel: cannot open the queue %s: %s\n", EscapeForTerminal(queueName).c_str(),
                     EscapeForTerminal(spooler->LastErrorText()).c_str());
        return 1;
    }
    const bool cancelled = queue->CancelJob(*job);
    const std::string error = spooler->LastErrorText();
    queue->Close();
    if (!cancelled) {
        std::fprintf(stderr, "zt40ctl: cancel: job %d on %s: %s\n", *job, EscapeForTerminal(queueName).c_str(),
                     EscapeForTerminal(error).c_str());
        return 1;
    }
    return 0;
}

const RegisterCommand kCancel({"cancel", "cancel JOB          cancel print job JOB on the ZT-40 queue (or --queue NAME)",
                               RunCancel});

}  // namespace

}  // namespace zt40::ctl
