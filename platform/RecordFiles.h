#pragma once
// The usage record file as the core sees it: opened for appending or for reading, kept from
// other openers while open, closed when released.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zt40 {

// Why a file operation failed, in the kinds the operator is told about.
enum class FileError {
    None,
    NotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    DirectoryFull,
    BadSeek,
    HardIo,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
    Generic,
};

class IRecordFile {
public:
    virtual ~IRecordFile() = default;
    virtual FileError Size(std::uint64_t& size) = 0;
    // Writes at the end in one call; the count written (fewer on a short write), -1 on failure.
    virtual std::int64_t Append(std::span<const char> bytes, FileError& error) = 0;
    virtual FileError Truncate(std::uint64_t size) = 0;
    // The count read, 0 at the end, -1 on failure.
    virtual std::int64_t Read(std::span<char> into, FileError& error) = 0;
    // Releases the file; what the system reports on closing (buffered data that could not be
    // stored) comes back here.
    virtual FileError Close() = 0;
};

class IRecordFiles {
public:
    virtual ~IRecordFiles() = default;
    // Creates the file (readable and writable by every user) when missing, and holds it from every
    // other opener: read from its start, written at its end. Null on failure.
    virtual std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) = 0;
    // With `createIfMissing`, a missing file is created empty as when appending.
    virtual std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool createIfMissing,
                                                        FileError& error) = 0;
};

}  // namespace zt40
