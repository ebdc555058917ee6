// The printer-class device's vendor requests: the exact device controls through the seam, and
// the system's answer for a device that is not there.
#include <gtest/gtest.h>

#include <vector>

#include "device/CUsbPrintPort.h"
#include "device/CVendorPacket.h"
#include "platform/win32/Win32VendorChannel.h"
#include "tests/support/RecordingMessageBox.h"

namespace zt40 {
namespace {

const HANDLE kDevice = reinterpret_cast<HANDLE>(0x1234);

// Records every call with copies of what it was given; GET answers `reply`.
class RecordingIo final : public IDeviceIo {
public:
    struct ControlCall {
        HANDLE device;
        DWORD code;
        std::vector<std::uint8_t> in;
        void* inAddress;
        void* out;
        DWORD outSize;
    };
    struct Opened {
        std::string path;
        DWORD access, share, disposition, flags;
    };

    HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override {
        opened.push_back({path, access, share, disposition, flags});
        return openResult;
    }
    BOOL Control(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD*) override {
        const auto* bytes = static_cast<const std::uint8_t*>(in);
        controls.push_back({device, code, std::vector<std::uint8_t>(bytes, bytes + inSize), in, out, outSize});
        if (out) std::copy_n(reply.begin(), std::min<std::size_t>(outSize, reply.size()), static_cast<std::uint8_t*>(out));
        return controlResult;
    }
    BOOL Close(HANDLE handle) override {
        closed.push_back(handle);
        return closeResult;
    }

    HANDLE openResult = kDevice;
    BOOL controlResult = TRUE;
    BOOL closeResult = TRUE;
    std::vector<std::uint8_t> reply;
    std::vector<Opened> opened;
    std::vector<ControlCall> controls;
    std::vector<HANDLE> closed;
};

class FixedFinder final : public IDeviceFinder {
public:
    std::optional<std::string> FindDevicePath(std::string_view) override { return "\\\\?\\usb#zt40"; }
};

class VendorChannelSeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(port.OpenForPrinter("ZT-40"));
        ASSERT_TRUE(packet.Allocate(0, 32));
    }

    RecordingIo io;
    FixedFinder finder;
    Win32DeviceOpener opener{io};
    CUsbPrintPort port{finder, opener};
    RecordingMessageBox messages;
    CVendorPacket packet{messages};
};

TEST_F(VendorChannelSeamTest, OpenIsExclusiveForReadingAndWriting) {
    ASSERT_EQ(io.opened.size(), 1u);
    EXPECT_EQ(io.opened[0].path, "\\\\?\\usb#zt40");
    EXPECT_EQ(io.opened[0].access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(io.opened[0].share, 0u);
    EXPECT_EQ(io.opened[0].disposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(io.opened[0].flags, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
}

TEST_F(VendorChannelSeamTest, SetSendsTheWholePacketAsInputAndAsksForNoOutput) {
    packet.RewindWrite();
    packet.PutByte(0x40);
    packet.PutByte(0x07);
    ASSERT_TRUE(packet.SendPrefix(port, 2));
    ASSERT_EQ(io.controls.size(), 1u);
    const auto& set = io.controls[0];
    EXPECT_EQ(set.device, kDevice);
    EXPECT_EQ(set.code, 0x220038u);
    EXPECT_EQ(set.in, (std::vector<std::uint8_t>{0xF0, 0x00, 0x00, 0x40, 0x07}));
    EXPECT_EQ(set.out, nullptr);
    EXPECT_EQ(set.outSize, 0u);
}

TEST_F(VendorChannelSeamTest, GetSendsTheHeaderAndReceivesIntoTheDataArea) {
    io.reply.assign(32, 0);
    io.reply[0] = 0x01;
    io.reply[31] = 0x5A;
    ASSERT_TRUE(packet.Receive(port));
    ASSERT_EQ(io.controls.size(), 1u);
    const auto& get = io.controls[0];
    EXPECT_EQ(get.code, 0x22003Cu);
    EXPECT_EQ(get.in, (std::vector<std::uint8_t>{0xF0, 0x00, 0x00}));
    EXPECT_EQ(get.outSize, 32u);
    // The output is the packet's own data area, right after the header.
    EXPECT_EQ(static_cast<std::uint8_t*>(get.out), static_cast<std::uint8_t*>(get.inAddress) + 3);
    packet.SeekRead(0);
    EXPECT_EQ(packet.GetByte(), 0x01);
    packet.SeekRead(31);
    EXPECT_EQ(packet.GetByte(), 0x5A);
}

TEST_F(VendorChannelSeamTest, AFailedControlIsAFailedRequest) {
    io.controlResult = FALSE;
    EXPECT_FALSE(packet.SendAll(port));
    EXPECT_FALSE(packet.Receive(port));
    EXPECT_EQ(io.controls.size(), 2u) << "each request is made once, not retried";
}

TEST_F(VendorChannelSeamTest, CloseReleasesTheHandleOnceAndKeepsItWhenTheSystemRefuses) {
    io.closeResult = FALSE;
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(port.IsHandleValid());
    io.closeResult = TRUE;
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(port.Close()) << "closing a closed port asks the system nothing";
    EXPECT_EQ(io.closed, (std::vector<HANDLE>{kDevice, kDevice}));
    EXPECT_TRUE(port.DevicePath().empty());
}

TEST(VendorChannelOnSystem, AnAbsentDeviceFailsCleanlyAndSaysItIsNotThere) {
    DeviceAccessReport report;
    Win32DeviceOpener opener(SystemDeviceIo(), &report);
    EXPECT_EQ(opener.OpenDevice("\\\\?\\usb#vid_1a2b&pid_0040#absent#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"), nullptr);
    EXPECT_EQ(report.Last(), DeviceAccessFailure::DeviceNotFound);
    EXPECT_EQ(opener.OpenDevice(""), nullptr);
}

TEST(VendorChannelOnSystem, RequestsOnAHandleThatIsNoPrinterFail) {
    // A plain file opens, but the printer-class driver's controls are not its own.
    char folder[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "zt40-not-a-printer.bin";
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    Win32DeviceOpener opener;
    auto channel = opener.OpenDevice(path);
    ASSERT_NE(channel, nullptr);
    std::vector<std::uint8_t> packet{0xF0, 0x00, 0x00, 0x01};
    EXPECT_FALSE(channel->VendorSet(packet));
    EXPECT_FALSE(channel->VendorGet(packet));
    EXPECT_TRUE(channel->Close());
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace zt40
