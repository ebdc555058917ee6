// zt40ctl export-job ID: the embedded job with that resource id, byte for byte, on standard output.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "platform/os/StandardOutput.h"
#include "printjob/EmbeddedJobs.h"

namespace zt40::ctl {

namespace {

int ExportJob(const GlobalOptions&, const std::vector<std::string>& args) {
    int id = 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zt40ctl export-job ID\n");
        return 2;
    }
    const std::string& text = args[0];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size()) {
        std::fprintf(stderr, "zt40ctl: export-job: \"%s\" is not a resource id\n", text.c_str());
        return 2;
    }
    const auto bytes = EmbeddedJobs().Find(id);
    if (bytes.empty()) {
        std::fprintf(stderr, "zt40ctl: export-job: no embedded job %d (there are 151 to 161, 171 and 172)\n", id);
        return 1;
    }
    // Raw printer data would scramble a terminal; it is meant for a file or a pipe.
    if (StandardOutputIsTerminal()) {
        std::fprintf(stderr, "zt40ctl: export-job: standard output is a terminal; redirect it to a file\n");
        return 2;
    }
    if (!WriteStandardOutputUnchanged() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        std::perror("zt40ctl: export-job");
        return 1;
    }
    return 0;
}

const RegisterCommand kExportJob({"export-job", "export-job ID       write embedded job ID (151-161, 171, 172) to standard output", ExportJob});

}  // namespace

}  // namespace zt40::ctl
