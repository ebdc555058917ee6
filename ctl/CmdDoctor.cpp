// zt40ctl doctor: every check of the setup in the order an operator would make them, one
// line each; the exit status is 0 only when every check passes.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/Doctor.h"
#include "session/PrinterSession.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/SimSetupProbe.h"
#include "platform/sim/Zt40StateFile.h"
#include "wiring/RealPlatform.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

// Packaging checks and tests point the installed-file checks at a staged tree.
constexpr const char* kFilesRootVariable = "ZT40_DOCTOR_FILES_ROOT";

std::string FilesRoot() {
    const char* root = std::getenv(kFilesRootVariable);
    return root ? root : "";
}

// The exit status names the first problem where scripts have a status for it.
int ExitStatusOf(const DoctorReport& report) {
    const auto* problem = report.FirstProblem();
    if (!problem) return kExitOk;
    const std::string name = problem->name;
    if (name == "spooler") return kExitSpoolerUnreachable;
    if (name == "queue") return kExitNoQueue;
    if (name == "access") return kExitNoPermission;
    if (name == "interface") return kExitDeviceBusy;
    return kExitNoAnswer;
}

int Print(const DoctorReport& report) {
    // Queue names and the spooler's own words are outside text: escaped, as every echo is.
    for (const auto& check : report.checks) std::printf("%s\n", EscapeForTerminal(FormatCheckLine(check)).c_str());
    return ExitStatusOf(report);
}

int RunSimulated(const GlobalOptions& options) {
    SimPrinterSetup setup;
    if (!options.simulateFile.empty()) {
        auto loaded = LoadStateFile(options.simulateFile);
        if (!loaded.Ok()) {
            std::fprintf(stderr, "%s", DescribeErrors(options.simulateFile, loaded.errors).c_str());
            return kExitBadArguments;
        }
        setup = std::move(loaded.setup);
    }
    SimPrinterRig rig(setup);
    StdioMessageBox messages;
    PrinterSession session(rig.Platform(SystemClock(), messages), SleepPause, &rig.Report());
    SimSetupProbe probe(rig.Printer());
    SystemDataFolderPlatform dataFolder;
    return Print(RunDoctor(DoctorPlatform{rig.Spooler(), probe, session, &rig.Report(), dataFolder, options.queue}));
}

int RunReal(const GlobalOptions& options) {
    StdioMessageBox messages;
    std::string error;
    const auto report = RunMachineDoctor(FilesRoot(), options.queue, messages, error);
    if (!report) {
        std::fprintf(stderr, "zt40ctl: doctor: %s\n", error.c_str());
        return kExitNoAnswer;
    }
    return Print(*report);
}

int RunDoctorCommand(const GlobalOptions& options, const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "zt40ctl: doctor takes no arguments\n");
        return kExitBadArguments;
    }
    if (options.device) {
        std::fprintf(stderr, "zt40ctl: doctor finds the device through the queue itself: leave out --device\n");
        return kExitBadArguments;
    }
    return options.simulate ? RunSimulated(options) : RunReal(options);
}

const RegisterCommand kDoctor({"doctor",
                               "doctor              check the spooler, queue, driver, USB device, rights, printer and "
                               "record folder",
                               RunDoctorCommand});

}  // namespace

}  // namespace zt40::ctl
