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
#include "platform/linux/CupsSpooler.h"
#include "platform/linux/LibusbBus.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxDataFolderPlatform.h"
#include "platform/linux/LinuxDeviceFinder.h"
#include "platform/linux/LinuxSetupProbe.h"
#include "platform/linux/SteadyClock.h"
#include "platform/linux/UsbDevicePresence.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/SimSetupProbe.h"
#include "platform/sim/Zt40StateFile.h"

namespace zt40::ctl {

namespace {

// Packaging checks and tests point the installed-file checks at a staged tree.
constexpr const char* kFilesRootVariable = "ZT40_DOCTOR_FILES_ROOT";

InstalledFiles FilesToCheck() {
    auto files = DefaultInstalledFiles();
    const char* root = std::getenv(kFilesRootVariable);
    if (!root || !*root) return files;
    for (auto* list : {&files.ppd, &files.filter, &files.udevRule}) {
        for (auto& path : *list) path = root + path;
    }
    return files;
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
    SteadyClock clock;
    StdioMessageBox messages;
    PrinterSession session(rig.Platform(clock, messages), SleepPause, &rig.Report());
    SimSetupProbe probe(rig.Printer());
    LinuxDataFolderPlatform dataFolder;
    return Print(RunDoctor(DoctorPlatform{rig.Spooler(), probe, session, &rig.Report(), dataFolder, options.queue}));
}

int RunReal(const GlobalOptions& options) {
    auto bus = LibusbBus::Create();
    if (!bus) {
        std::fprintf(stderr, "zt40ctl: doctor: USB cannot be reached on this machine\n");
        return kExitNoAnswer;
    }
    CupsSpooler spooler([&bus](std::string_view uri) { return IsUsbDevicePresent(*bus, uri); });
    DeviceAccessReport access;
    LinuxDeviceFinder finder(spooler, *bus, &access);
    LibusbDeviceOpener opener(*bus, &access);
    SteadyClock clock;
    StdioMessageBox messages;
    PrinterSession session(DeviceLinkPlatform{finder, opener, clock, messages, spooler}, SleepPause, &access);
    LinuxSetupProbe probe(*bus, FilesToCheck());
    LinuxDataFolderPlatform dataFolder;
    return Print(RunDoctor(DoctorPlatform{spooler, probe, session, &access, dataFolder, options.queue}));
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
