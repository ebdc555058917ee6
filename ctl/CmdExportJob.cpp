// zt40ctl export-job ID: the embedded job with that resource id, byte for byte, on standard output.
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Arguments.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "platform/TextOutput.h"
#include "platform/os/StandardOutput.h"
#include "printjob/EmbeddedJobs.h"

namespace zt40::ctl {

namespace {

// "151-161, 171, 172": the ids in runs, as --help and the error name them.
std::string JobIdsText() {
    std::string text;
    for (std::size_t i = 0; i < kEmbeddedJobIds.size();) {
        std::size_t last = i;
        while (last + 1 < kEmbeddedJobIds.size() && kEmbeddedJobIds[last + 1] == kEmbeddedJobIds[last] + 1) ++last;
        if (!text.empty()) text += ", ";
        text += std::to_string(kEmbeddedJobIds[i]);
        if (last > i + 1) {
            text += "-" + std::to_string(kEmbeddedJobIds[last]);
        } else {
            last = i;  // two in a row are named one by one
        }
        i = last + 1;
    }
    return text;
}

int ExportJob(const GlobalOptions&, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zt40ctl export-job ID\n");
        return kExitBadArguments;
    }
    const auto id = ParseDecimal(args[0], 0, 99999);
    if (!id) {
        std::fprintf(stderr, "zt40ctl: export-job: \"%s\" is not a resource id (one of %s)\n",
                     EscapeForTerminal(args[0]).c_str(), JobIdsText().c_str());
        return kExitBadArguments;
    }
    const auto bytes = EmbeddedJobs().Find(*id);
    if (bytes.empty()) {
        std::fprintf(stderr, "zt40ctl: export-job: no embedded job %d (there are %s)\n", *id, JobIdsText().c_str());
        return kExitBadArguments;
    }
    // Raw printer data would scramble a terminal; it is meant for a file or a pipe.
    if (StandardOutputIsTerminal()) {
        std::fprintf(stderr, "zt40ctl: export-job: standard output is a terminal; redirect it to a file\n");
        return kExitBadArguments;
    }
    if (!WriteStandardOutputUnchanged()) {
        std::fprintf(stderr, "zt40ctl: export-job: standard output cannot be switched to unchanged bytes\n");
        return kExitNoAnswer;
    }
    // A failed write is reported when the output is closed, as for every command.
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return kExitOk;
}

const RegisterCommand kExportJob({"export-job",
                                  "export-job ID       write embedded job ID (" + JobIdsText() + ") to standard output",
                                  ExportJob});

}  // namespace

}  // namespace zt40::ctl
