#include "platform/win32/Win32VendorChannel.h"

#include <string>

namespace zt40 {

namespace {

constexpr std::size_t kVendorHeaderSize = 3;

class SystemIo final : public IDeviceIo {
public:
    HANDLE Open(const char* path, DWORD access, DWORD shareMode, DWORD disposition, DWORD flags) override {
        return ::CreateFileA(path, access, shareMode, nullptr, disposition, flags, nullptr);
    }
    BOOL Control(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                         DWORD* returned) override {
        return ::DeviceIoControl(device, code, in, inSize, out, outSize, returned, nullptr);
    }
    BOOL Close(HANDLE handle) override { return ::CloseHandle(handle); }
};

DeviceAccessFailure OpenFailureOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return DeviceAccessFailure::DeviceNotFound;
    case ERROR_ACCESS_DENIED:
        return DeviceAccessFailure::NoPermission;
    case ERROR_SHARING_VIOLATION:
        return DeviceAccessFailure::Busy;
    default:
        return DeviceAccessFailure::OpenFailed;
    }
}

}  // namespace

IDeviceIo& SystemDeviceIo() {
    static SystemIo io;
    return io;
}

Win32VendorChannel::~Win32VendorChannel() { Close(); }

bool Win32VendorChannel::VendorSet(std::span<const std::uint8_t> bytes) {
    DWORD returned = 0;
    // The driver takes the buffer as input only; it is not written.
    return m_io.Control(m_handle, kIoctlVendorSetCommand, const_cast<std::uint8_t*>(bytes.data()),
                                static_cast<DWORD>(bytes.size()), nullptr, 0, &returned) == TRUE;
}

bool Win32VendorChannel::VendorGet(std::span<std::uint8_t> bytes) {
    if (bytes.size() < kVendorHeaderSize) return false;
    DWORD returned = 0;
    return m_io.Control(m_handle, kIoctlVendorGetCommand, bytes.data(), kVendorHeaderSize,
                                bytes.data() + kVendorHeaderSize, static_cast<DWORD>(bytes.size() - kVendorHeaderSize),
                                &returned) == TRUE;
}

bool Win32VendorChannel::Close() {
    if (m_handle == INVALID_HANDLE_VALUE) return true;
    if (m_io.Close(m_handle) != TRUE) return false;
    m_handle = INVALID_HANDLE_VALUE;
    return true;
}

std::unique_ptr<IVendorChannel> Win32DeviceOpener::OpenDevice(std::string_view devicePath) {
    const std::string path(devicePath);
    const HANDLE handle = m_io.Open(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL);
    if (handle == INVALID_HANDLE_VALUE) {
        if (m_report) m_report->Record(OpenFailureOf(GetLastError()));
        return nullptr;
    }
    if (m_report) m_report->Record(DeviceAccessFailure::None);
    return std::make_unique<Win32VendorChannel>(m_io, handle);
}

}  // namespace zt40
