// The real libusb road to an emulated ZT-40: umockdev gives the device its descriptors, a
// printer-class interface and a usbfs node whose control transfers are answered from a
// usbmon capture made from a readable transcript.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <ostream>
#include <span>
#include <string>

#include "device/CHeadDevice.h"
#include "platform/linux/LibusbBus.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxSetupProbe.h"
#include "platform/linux/SteadyClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/Transcript.h"
#include "platform/sim/SimSpooler.h"
#include "tests/support/Umockdev.h"
#include "tests/support/UsbmonCapture.h"
#include "support/BuildTree.h"

namespace zt40::test {
namespace {

constexpr const char* kDevicePath = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1.4";
constexpr std::uint8_t kAddress = 7;
constexpr std::uint8_t kInterface = 0;

// Device descriptor (vendor 1a2b, product 00c4) and one configuration: a printer-class
// interface (bidirectional) with a bulk endpoint each way. umockdev reads upper-case hex only.
constexpr const char* kDescriptors =
    "1201000200000040" "2B1AC40000010102" "0301"
    "0902200001010080" "32"
    "090400000207010200"
    "07050102400000" "07058202400000";

std::string DeviceDescription() {
    return std::string("P: ") + (kDevicePath + 4) +
           "\nN: bus/usb/001/007=" + kDescriptors + "\nH: descriptors=" + kDescriptors +
           "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=/dev/bus/usb/001/007\nE: BUSNUM=001\nE: DEVNUM=007"
           "\nA: idVendor=1a2b\nA: idProduct=00c4\nA: busnum=1\nA: devnum=7"
           "\nA: manufacturer=Velmora\nA: product=ZT-40\nA: serial=ZT4000123\n";
}

std::string InterfaceDescription() {
    return "P: " + std::string(kDevicePath + 4) + "/1-1.4:1.0"
           "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=00\nA: bAlternateSetting= 0"
           "\nA: bInterfaceClass=07\nA: bInterfaceSubClass=01\nA: bInterfaceProtocol=02\n";
}

class OneDeviceFinder final : public IDeviceFinder {
public:
    std::optional<std::string> FindDevicePath(std::string_view) override {
        return std::string("usb:1a2b:00c4:serial=ZT4000123");
    }
};

class EmulatedUsbLinkTest : public UmockdevTest {
protected:
    void SetUp() override {
        UmockdevTest::SetUp();
        if (skipped || HasFatalFailure()) return;
        ASSERT_TRUE(testbed.Add("P: /devices/pci0000:00/0000:00:14.0/usb1/1-1\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n"
                                "A: idVendor=05e3\nA: idProduct=0610\nA: busnum=1\nA: devnum=2\nA: bDeviceClass=09\n"));
        ASSERT_TRUE(testbed.Add(DeviceDescription()));
        ASSERT_TRUE(testbed.Add(InterfaceDescription()));
    }

    void Replay(const UsbmonCapture& capture) {
        const std::string file = ::testing::TempDir() + "zt40-" + std::to_string(::getpid()) + ".pcap";
        ASSERT_TRUE(capture.Write(file));
        ASSERT_TRUE(testbed.LoadPcap(kDevicePath, file));
        bus = LibusbBus::Create();
        ASSERT_TRUE(bus);
        opener = std::make_unique<LibusbDeviceOpener>(*bus, &access);
        head = std::make_unique<CHeadDevice>(DeviceLinkPlatform{finder, *opener, clock, messages, spooler});
        ASSERT_TRUE(head->Open("ZT-40", 0, 32)) << access.Hint();
    }

    static Transcript Load(const std::string& name) {
        const auto parsed = LoadTranscript(std::string(ZT40_SOURCE_DIR) + "/tests/platform/transcripts/" + name);
        EXPECT_TRUE(parsed.Ok());
        return parsed.entries;
    }

    static CaptureTarget Target() { return CaptureTarget{1, kAddress, kInterface}; }

    std::unique_ptr<LibusbBus> bus;
    DeviceAccessReport access;
    std::unique_ptr<LibusbDeviceOpener> opener;
    OneDeviceFinder finder;
    SteadyClock clock;
    RecordingMessageBox messages;
    SimSpooler spooler;
    std::unique_ptr<CHeadDevice> head;
};

std::string Join(std::span<const std::uint16_t> values) {
    std::string text;
    for (const auto v : values) text += (text.empty() ? "" : ",") + std::to_string(v);
    return text;
}

// One command shape per case, each against its own stored transcript: the replay answers a
// request only when libusb sent exactly the transcript's setup packet and data stage.
struct ShapeCase {
    const char* name;
    const char* transcript;
    std::function<std::string(CHeadDevice&)> run;
    const char* printed;
};

std::ostream& operator<<(std::ostream& out, const ShapeCase& c) { return out << c.name; }

std::string ReadBothGroups(CHeadDevice& d) {
    std::array<std::uint16_t, 2> pair{};
    std::array<std::uint16_t, kPinCount> adjustments{};
    std::array<std::uint16_t, 2> heads{};
    std::uint32_t total = 0;
    const bool ok = d.ReadWordPair(pair);
    const int pin = d.ReadSelectedPin();
    const bool adjusted = d.ReadPinAdjustments(adjustments);
    const bool counted = d.ReadTotalCounter(total);
    std::string pins;
    for (std::uint8_t p = 1; p <= kPinCount; ++p) {
        std::uint32_t count = 0;
        pins += (p > 1 ? "," : "") + (d.ReadPinCounter(p, count) ? std::to_string(count) : "-");
    }
    const bool headsRead = d.ReadHeadCounters(heads);
    return "pair=" + (ok ? Join(pair) : "-") + " pin=" + std::to_string(pin) +
           " adj=" + (adjusted ? Join(adjustments) : "-") + " total=" + (counted ? std::to_string(total) : "-") +
           " pins=" + pins + " heads=" + (headsRead ? Join(heads) : "-");
}

class EmulatedShapeTest : public EmulatedUsbLinkTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(EmulatedShapeTest, SentByteForByteAndAnswersRead) {
    if (skipped) return;
    UsbmonCapture capture(Target());
    capture.AddAll(Load(GetParam().transcript));
    Replay(capture);
    if (HasFatalFailure()) return;
    EXPECT_EQ(GetParam().run(*head), GetParam().printed);
    EXPECT_EQ(access.Last(), DeviceAccessFailure::None);
}

const std::array<std::uint16_t, kPinCount> kWrittenAdjustments{9, 8, 7, 6, 5, 4, 3, 2, 0xFFFF};
const std::array<std::int32_t, 2> kCleaningStep{-416, 3333};

INSTANTIATE_TEST_SUITE_P(
    Shapes, EmulatedShapeTest,
    ::testing::Values(
        ShapeCase{"ShortQuery", "status-and-selected-pin.trace",
                  [](CHeadDevice& d) {
                      const auto status = d.GetStatus();
                      return "status=" + std::to_string(status) + " pin=" + std::to_string(d.ReadSelectedPin());
                  },
                  "status=1 pin=5"},
        ShapeCase{"BothGroupsInFull", "read-both-groups.trace", ReadBothGroups,
                  "pair=65524,34 pin=5 adj=65532,65533,65534,65535,0,1,2,3,4 total=123456 "
                  "pins=10001,20002,30003,40004,50005,60006,70007,80008,90009 heads=3,65535"},
        ShapeCase{"ExecAndFrameWithData", "select-pin-and-adjustments.trace",
                  [](CHeadDevice& d) {
                      const bool selected = d.SelectPin(3);
                      return std::string(selected ? "selected" : "-") +
                             (d.WritePinAdjustments(kWrittenAdjustments) ? " written" : " -");
                  },
                  "selected written"},
        ShapeCase{"MotionBlock", "cleaning-motion.trace",
                  [](CHeadDevice& d) { return std::string(d.SendMotionBlock(kCleaningStep, 0xFFFF) ? "moved" : "-"); },
                  "moved"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(EmulatedUsbLinkTest, OneByteSentDifferentlyIsNeverAnswered) {
    if (skipped) return;
    UsbmonCapture capture(Target());
    capture.AddAll(Load("select-pin-and-adjustments.trace"));
    Replay(capture);
    if (HasFatalFailure()) return;
    EXPECT_FALSE(head->SelectPin(4));
    EXPECT_EQ(access.Last(), DeviceAccessFailure::NotAnswering);
}

// The kernel's answers to a device in trouble, each written into the capture of a status
// query: the command ends with its failure value at once and names the reason.
struct FaultCase {
    const char* name;
    std::function<void(UsbmonCapture&, const Transcript&)> capture;
    DeviceAccessFailure reason;
    bool channelLost;
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) { return out << c.name; }

TranscriptEntry Failed(TranscriptEntry entry) {
    entry.succeeded = false;
    return entry;
}

class EmulatedFaultTest : public EmulatedUsbLinkTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(EmulatedFaultTest, CommandFailsAtOnceWithItsReason) {
    if (skipped) return;
    const auto& c = GetParam();
    UsbmonCapture capture(Target());
    c.capture(capture, Load("status-and-selected-pin.trace"));
    Replay(capture);
    if (HasFatalFailure()) return;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(head->GetStatus(), kStatusUnknown);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(access.Last(), c.reason) << access.Hint();
    EXPECT_EQ(head->Port().IsHandleValid(), !c.channelLost);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, EmulatedFaultTest,
    ::testing::Values(
        FaultCase{"StalledRequest",  // LIBUSB_ERROR_PIPE
                  [](UsbmonCapture& capture, const Transcript& trace) { capture.Add(Failed(trace[0])); },
                  DeviceAccessFailure::NotAnswering, false},
        FaultCase{"RequestTimedOut",  // LIBUSB_ERROR_TIMEOUT
                  [](UsbmonCapture& capture, const Transcript& trace) { capture.Add(trace[0], false); },
                  DeviceAccessFailure::NotAnswering, false},
        FaultCase{"RemovedBetweenTwoRequests",  // LIBUSB_ERROR_NO_DEVICE
                  [](UsbmonCapture& capture, const Transcript& trace) {
                      capture.Add(trace[0]);
                      capture.SetFailStatus(-ENODEV);
                      capture.Add(Failed(trace[1]));
                  },
                  DeviceAccessFailure::DeviceNotFound, true},
        FaultCase{"RemovedWhilePolling",
                  [](UsbmonCapture& capture, const Transcript& trace) {
                      capture.Add(trace[0]);
                      capture.Add(trace[1]);
                      capture.Add(trace[2]);
                      capture.SetFailStatus(-ESHUTDOWN);
                      capture.Add(Failed(trace[3]));
                  },
                  DeviceAccessFailure::DeviceNotFound, true}),
    [](const auto& param) { return std::string(param.param.name); });

// A printer that takes the command and then never answers a poll holds the command for its
// 5000 ms clock and the last request's own time-out, no longer.
TEST_F(EmulatedUsbLinkTest, StalledPrinterReleasesTheCommandWithinItsBound) {
    if (skipped) return;
    const auto status = Load("status-and-selected-pin.trace");
    UsbmonCapture capture(Target());
    capture.Add(status[0]);
    capture.Add(status[1]);
    Replay(capture);
    if (HasFatalFailure()) return;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(head->GetStatus(), kStatusUnknown);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(kTransactionTimeoutMs));
    EXPECT_LT(elapsed, std::chrono::milliseconds(6000));
    EXPECT_EQ(access.Last(), DeviceAccessFailure::NotAnswering);
}

// Another copy of the program (or any program taking the same lock) has the device open.
TEST_F(EmulatedUsbLinkTest, DeviceHeldByAnotherProgramIsNamedBusy) {
    if (skipped) return;
    const int holder = ::open("/dev/bus/usb/001/007", O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    UsbmonCapture capture(Target());
    capture.AddAll(Load("status-and-selected-pin.trace"));
    const std::string file = ::testing::TempDir() + "zt40-busy-" + std::to_string(::getpid()) + ".pcap";
    ASSERT_TRUE(capture.Write(file));
    ASSERT_TRUE(testbed.LoadPcap(kDevicePath, file));
    auto usb = LibusbBus::Create();
    ASSERT_TRUE(usb);
    LibusbDeviceOpener busyOpener(*usb, &access);
    CHeadDevice device(DeviceLinkPlatform{finder, busyOpener, clock, messages, spooler});
    EXPECT_FALSE(device.Open("ZT-40", 0, 32));
    EXPECT_EQ(access.Last(), DeviceAccessFailure::Busy);
    EXPECT_EQ(device.GetStatus(), kStatusUnknown);
    ::close(holder);
    std::remove(file.c_str());
}

// The program itself, unchanged, as an operator runs it: it inherits the emulation.
struct CtlRun {
    int exitStatus = -1;
    std::string out;
};

CtlRun RunCtl(const std::string& arguments) {
    CtlRun run;
    const std::string command =
        "timeout -s KILL 20 " + std::string(ZT40_BINARY_DIR) + "/zt40ctl " + arguments + " 2>&1 </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST_F(EmulatedUsbLinkTest, Zt40ctlPrintsWhatThePrinterAnswered) {
    if (skipped) return;
    const auto status = Load("status-and-selected-pin.trace");
    UsbmonCapture capture(Target());
    for (std::size_t i = 0; i < 4; ++i) capture.Add(status[i]);  // the status query alone
    capture.AddAll(Load("read-both-groups.trace"));
    const std::string file = ::testing::TempDir() + "zt40-ctl-" + std::to_string(::getpid()) + ".pcap";
    ASSERT_TRUE(capture.Write(file));
    ASSERT_TRUE(testbed.LoadPcap(kDevicePath, file));
    const auto run = RunCtl("--device usb:1a2b:00c4:serial=ZT4000123 status --json");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(run.out,
              "{\"queue\":\"\",\"status\":1,\"ready\":true,\"wordPair\":[-12,34],\"selectedPin\":5,"
              "\"adjustments\":[-4,-3,-2,-1,0,1,2,3,4],\"total\":123456,"
              "\"pinCounters\":[10001,20002,30003,40004,50005,60006,70007,80008,90009],\"headCounters\":[3,-1]}\n");
    std::remove(file.c_str());
}

TEST_F(EmulatedUsbLinkTest, Zt40ctlNamesADeviceHeldByAnotherProgram) {
    if (skipped) return;
    const int holder = ::open("/dev/bus/usb/001/007", O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    const auto run = RunCtl("--device usb:1a2b:00c4:serial=ZT4000123 status");
    ::close(holder);
    EXPECT_EQ(run.exitStatus, 6);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "zt40ctl: cannot open the USB device usb:1a2b:00c4:serial=ZT4000123: The ZT-40 is connected but its USB "
              "device is in use by another program.");
}

// The doctor's device checks on the emulated bus.
TEST_F(EmulatedUsbLinkTest, DoctorFindsTheQueuesPrinterOrNamesTheOneThatIsThere) {
    if (skipped) return;
    auto usb = LibusbBus::Create();
    ASSERT_TRUE(usb);
    LinuxSetupProbe probe(*usb, InstalledFiles{});
    const struct {
        const char* port;
        ProbeAnswer::State state;
        const char* finding;
    } cases[] = {
        {"USB://Velmora/ZT-40?serial=ZT4000123", ProbeAnswer::State::Ok, "the queue's printer is attached at USB 1-7"},
        {"USB://Velmora/ZT-40?serial=ZT4000999", ProbeAnswer::State::Problem,
         "the queue's printer (USB://Velmora/ZT-40?serial=ZT4000999) is not attached, but a ZT-40 is: "
         "usb://Velmora/ZT-40?serial=ZT4000123"},
        {"USB://Other/Printer", ProbeAnswer::State::Problem,
         "the queue's printer (USB://Other/Printer) is not attached, but a ZT-40 is: usb://Velmora/ZT-40?serial=ZT4000123"},
    };
    for (const auto& c : cases) {
        const auto answer = probe.DeviceOnBus(QueueInfo{"ZT-40", c.port, "Velmora ZT-40", 0});
        EXPECT_EQ(answer.state, c.state) << c.port;
        EXPECT_EQ(answer.finding.English(), c.finding);
    }
}

TEST_F(EmulatedUsbLinkTest, DoctorNamesAnotherProgramHoldingTheDevice) {
    if (skipped) return;
    auto usb = LibusbBus::Create();
    ASSERT_TRUE(usb);
    LinuxSetupProbe probe(*usb, InstalledFiles{});
    const QueueInfo queue{"ZT-40", "USB://Velmora/ZT-40?serial=ZT4000123", "Velmora ZT-40", 0};
    EXPECT_EQ(probe.InterfaceFree(queue).finding.English(), "the printer interface is free");
    const int holder = ::open("/dev/bus/usb/001/007", O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    const auto held = probe.InterfaceFree(queue);
    ::close(holder);
    EXPECT_EQ(held.state, ProbeAnswer::State::Problem);
    EXPECT_EQ(held.finding.English(), "another program has the printer's USB device open");
}

}  // namespace
}  // namespace zt40::test
