#pragma once
// The three system calls the printer-class device is driven with, behind a seam so that a test
// sees the exact control codes and buffers. The real one calls the system.
#include <windows.h>

namespace zt40 {

// The printer-class driver's vendor requests.
inline constexpr DWORD kIoctlVendorSetCommand = 0x220038;
inline constexpr DWORD kIoctlVendorGetCommand = 0x22003C;

class IDeviceIo {
public:
    virtual ~IDeviceIo() = default;
    virtual HANDLE Open(const char* path, DWORD access, DWORD shareMode, DWORD disposition, DWORD flags) = 0;
    virtual BOOL Control(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                                 DWORD* returned) = 0;
    virtual BOOL Close(HANDLE handle) = 0;
};

// The system itself.
IDeviceIo& SystemDeviceIo();

}  // namespace zt40
