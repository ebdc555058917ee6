#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/os/SmallFile.h"
#include "platform/os/win32/SystemText.h"

namespace zt40 {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The C library's words where it has them, so that both editions say the same; else the system's.
std::string ReasonOf(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED: return std::strerror(EACCES);
    default: return SystemText(code);
    }
}

SmallFile CannotRead() { return {SmallFile::Problem::CannotRead, {}, ReasonOf(GetLastError()), 0}; }

}  // namespace

SmallFile ReadSmallFile(const std::string& path, std::size_t limit) {
    // Backup semantics let a folder be opened, so that it is told apart from a missing file.
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return CannotRead();
    // A pipe, a console or a device is no plain file; the system describes none of them as one.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) return {SmallFile::Problem::NotRegular, {}, {}, 0};
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) return CannotRead();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {SmallFile::Problem::IsFolder, {}, {}, 0};
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > limit) return {SmallFile::Problem::TooLong, {}, {}, size};
    std::string text(limit + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        DWORD n = 0;
        if (!ReadFile(file.Get(), text.data() + length, static_cast<DWORD>(text.size() - length), &n, nullptr)) {
            return CannotRead();
        }
        if (n == 0) break;
        length += n;
    }
    if (length > limit) return {SmallFile::Problem::GrewTooLong, {}, {}, 0};
    text.resize(length);
    return {SmallFile::Problem::None, std::move(text), {}, 0};
}

}  // namespace zt40
