#include "platform/win32/Win32RecordFiles.h"

#include <windows.h>

#include <thread>

#include "platform/win32/Win32Security.h"

namespace zt40 {

FileError FileErrorFromWin32(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return FileError::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return FileError::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_INVALID_HANDLE: return FileError::InvalidHandle;
    case ERROR_CANNOT_MAKE: return FileError::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return FileError::BadSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return FileError::HardIo;
    case ERROR_SHARING_VIOLATION: return FileError::SharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    case ERROR_HANDLE_EOF: return FileError::EndOfFile;
    default: return FileError::Generic;
    }
}

namespace {

class Win32RecordFile final : public IRecordFile {
public:
    explicit Win32RecordFile(HANDLE handle) : m_handle(handle) {}
    ~Win32RecordFile() override { Close(); }
    Win32RecordFile(const Win32RecordFile&) = delete;
    Win32RecordFile& operator=(const Win32RecordFile&) = delete;

    FileError Size(std::uint64_t& size) override {
        LARGE_INTEGER bytes{};
        if (!GetFileSizeEx(m_handle, &bytes)) return FileErrorFromWin32(GetLastError());
        size = static_cast<std::uint64_t>(bytes.QuadPart);
        return FileError::None;
    }

    std::int64_t Append(std::span<const char> bytes, FileError& error) override {
        // Both offsets all ones: at the end of the file, as an append-only handle writes.
        OVERLAPPED atEnd{};
        atEnd.Offset = 0xFFFFFFFF;
        atEnd.OffsetHigh = 0xFFFFFFFF;
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &atEnd)) {
            error = FileErrorFromWin32(GetLastError());
            return -1;
        }
        return written;
    }

    FileError Truncate(std::uint64_t size) override {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(size);
        if (!SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle)) {
            return FileErrorFromWin32(GetLastError());
        }
        return FileError::None;
    }

    std::int64_t Read(std::span<char> into, FileError& error) override {
        DWORD count = 0;
        if (!ReadFile(m_handle, into.data(), static_cast<DWORD>(into.size()), &count, nullptr)) {
            error = FileErrorFromWin32(GetLastError());
            return -1;
        }
        return count;
    }

    FileError Close() override {
        if (m_handle == INVALID_HANDLE_VALUE) return FileError::None;
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) ? FileError::None : FileErrorFromWin32(GetLastError());
    }

private:
    HANDLE m_handle;
};

// Opens, or creates with the given rights, retrying while another opener holds the file;
// refuses a folder, a pipe or a device at the name.
std::unique_ptr<IRecordFile> Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                                  const SecurityAttributes* rights, std::chrono::milliseconds lockWait,
                                  FileError& error) {
    NativeSecurity security(rights);
    SECURITY_ATTRIBUTES* attributes = security.Ok() ? security.Attributes() : nullptr;

    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (;;) {
        handle = CreateFileA(path.c_str(), access, share, attributes, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) break;
        const DWORD code = GetLastError();
        if (code != ERROR_SHARING_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
            error = FileErrorFromWin32(code);
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    auto file = std::make_unique<Win32RecordFile>(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info) || GetFileType(handle) != FILE_TYPE_DISK ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = FileError::AccessDenied;
        return nullptr;
    }
    return file;
}

// Cutting a failed append back needs the right to write data, not only to append it; an append
// first reads what the file ends with.
constexpr DWORD kAppendAccess =
    FILE_READ_DATA | FILE_APPEND_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

}  // namespace

std::unique_ptr<IRecordFile> Win32RecordFiles::OpenForAppend(const std::string& path, FileError& error) {
    return Open(path, kAppendAccess, 0, OPEN_ALWAYS, m_newFileRights, m_lockWait, error);
}

std::unique_ptr<IRecordFile> Win32RecordFiles::OpenForReading(const std::string& path, bool createIfMissing,
                                                              FileError& error) {
    if (createIfMissing) {
        // Created as an append would create it, then opened for reading like any other.
        if (!Open(path, kAppendAccess, FILE_SHARE_READ, OPEN_ALWAYS, m_newFileRights, m_lockWait, error)) {
            return nullptr;
        }
    }
    return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, nullptr, m_lockWait, error);
}

}  // namespace zt40
