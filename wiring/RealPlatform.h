#pragma once
// The machine's own platform pieces, one implementation per system (wiring/linux, wiring/win32);
// Wiring.cpp adds the simulated ones and what both share.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/Doctor.h"
#include "platform/Clock.h"
#include "platform/DeviceFinder.h"
#include "wiring/Wiring.h"

namespace zt40 {

// --device PATH: the path is the device, whichever queue is named.
class FixedPathFinder final : public IDeviceFinder {
public:
    explicit FixedPathFinder(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> FindDevicePath(std::string_view) override { return m_path; }

private:
    std::string m_path;
};

// What a system's wiring hands the programs, over the pieces that system builds. An edition
// derives from it, builds its pieces in the order they need one another, and then shows them
// here with Use(); the report comes first, so that the pieces can be given it.
class SystemWiring : public PlatformWiring {
public:
    DeviceLinkPlatform Platform() override { return *m_link; }
    ISpooler& Spooler() override { return m_link->spooler; }
    IClock& Clock() override { return m_link->clock; }
    const DeviceAccessReport& AccessReport() const override { return m_report; }

protected:
    void Use(const DeviceLinkPlatform& link) { m_link.emplace(link); }

    DeviceAccessReport m_report;

private:
    std::optional<DeviceLinkPlatform> m_link;
};

WiredPlatform WireRealPlatform(const WiringOptions& options, IMessageBox& messages);

// The system's spooler, for commands that only print or cancel.
std::unique_ptr<ISpooler> MakeRealSpooler();

// The system's millisecond tick; it lives as long as the program.
IClock& SystemClock();

// Why `path` cannot name a printer's device on this system (--device); nothing when it can.
std::optional<std::string> DevicePathProblem(std::string_view path);

// zt40ctl doctor on the machine itself, through `queue` when one is named. `filesRoot`, when not
// empty, is prefixed to every installed file the checks look for (a staged tree). Nothing when the system cannot be asked;
// `error` then says why.
std::optional<DoctorReport> RunMachineDoctor(const std::string& filesRoot, const std::optional<std::string>& queue,
                                             IMessageBox& messages, std::string& error);

}  // namespace zt40
