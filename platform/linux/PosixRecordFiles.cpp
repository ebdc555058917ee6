#include "platform/linux/PosixRecordFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace zt40 {

FileError FileErrorFromErrno(int error) {
    switch (error) {
        case ENOENT: return FileError::NotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL: return FileError::BadPath;
        case EMFILE:
        case ENFILE: return FileError::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ENXIO:  // a FIFO or device at the name
        case ENODEV:
        case ELOOP:  // a symbolic link at the name
            return FileError::AccessDenied;
        case EBADF: return FileError::InvalidHandle;
        case EMLINK: return FileError::DirectoryFull;
        case ESPIPE: return FileError::BadSeek;
        case EIO: return FileError::HardIo;
        case EBUSY:
        case ETXTBSY:
        case EWOULDBLOCK: return FileError::SharingViolation;
        case ENOLCK:
        case EDEADLK: return FileError::LockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return FileError::DiskFull;
        default: return FileError::Generic;
    }
}

namespace {

constexpr mode_t kEveryoneReadWrite = 0666;

class PosixRecordFile : public IRecordFile {
public:
    explicit PosixRecordFile(int fd) : m_fd(fd) {}
    ~PosixRecordFile() override { Close(); }
    PosixRecordFile(const PosixRecordFile&) = delete;
    PosixRecordFile& operator=(const PosixRecordFile&) = delete;

    FileError Size(std::uint64_t& size) override {
        struct stat info {};
        if (::fstat(m_fd, &info) != 0) return FileErrorFromErrno(errno);
        size = static_cast<std::uint64_t>(info.st_size);
        return FileError::None;
    }

    std::int64_t Append(std::span<const char> bytes, FileError& error) override {
        ssize_t written = -1;
        do {
            written = ::write(m_fd, bytes.data(), bytes.size());
        } while (written < 0 && errno == EINTR);
        if (written < 0) error = FileErrorFromErrno(errno);
        return written;
    }

    FileError Truncate(std::uint64_t size) override {
        int result = -1;
        do {
            result = ::ftruncate(m_fd, static_cast<off_t>(size));
        } while (result != 0 && errno == EINTR);
        return result == 0 ? FileError::None : FileErrorFromErrno(errno);
    }

    std::int64_t Read(std::span<char> into, FileError& error) override {
        ssize_t count = -1;
        do {
            count = ::read(m_fd, into.data(), into.size());
        } while (count < 0 && errno == EINTR);
        if (count < 0) error = FileErrorFromErrno(errno);
        return count;
    }

    FileError Close() override {
        if (m_fd < 0) return FileError::None;
        const int fd = m_fd;
        m_fd = -1;
        // The lock goes with the descriptor; close is not retried, the descriptor is gone.
        return ::close(fd) == 0 || errno == EINTR ? FileError::None : FileErrorFromErrno(errno);
    }

private:
    int m_fd;
};

// Refuses anything but a plain file (a FIFO would block, a device would be written to), then
// waits a bounded time for other openers to let go.
std::unique_ptr<IRecordFile> Admit(int fd, int lockKind, std::chrono::milliseconds lockWait, FileError& error) {
    auto file = std::make_unique<PosixRecordFile>(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = FileErrorFromErrno(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        error = FileError::AccessDenied;
        return nullptr;
    }
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    while (::flock(fd, lockKind | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            error = errno == EINTR ? FileError::SharingViolation : FileErrorFromErrno(errno);
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return file;
}

constexpr int kNoFollow = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;

// Creates the file when missing: 0666 whatever the umask, since one file serves every operator.
// True when the file was created here or already existed.
bool CreateShared(const std::string& path, int accessFlags, int& fd) {
    fd = ::open(path.c_str(), accessFlags | kNoFollow | O_CREAT | O_EXCL, kEveryoneReadWrite);
    if (fd < 0) return errno == EEXIST;
    // Should this fail, the umask's rights stay: the file still serves this user.
    ::fchmod(fd, kEveryoneReadWrite);
    return true;
}

// A creation cut off before its mode was set (a kill, a crash) would leave the file private to
// its creator for good; each append by the owner sets it again. Only the owner may, and a
// refusal changes nothing for this append.
void ShareIfOwned(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_uid == ::geteuid()) ::fchmod(fd, kEveryoneReadWrite);
}

}  // namespace

std::unique_ptr<IRecordFile> PosixRecordFiles::OpenForAppend(const std::string& path, FileError& error) {
    // Read as well: an append first looks at what the file ends with.
    constexpr int kAppend = O_RDWR | O_APPEND;
    int fd = -1;
    if (!CreateShared(path, kAppend, fd)) {
        error = FileErrorFromErrno(errno);
        return nullptr;
    }
    if (fd < 0) fd = ::open(path.c_str(), kAppend | kNoFollow);
    if (fd < 0) {
        error = FileErrorFromErrno(errno);
        return nullptr;
    }
    auto file = Admit(fd, LOCK_EX, m_lockWait, error);
    if (file) ShareIfOwned(fd);
    return file;
}

std::unique_ptr<IRecordFile> PosixRecordFiles::OpenForReading(const std::string& path, bool createIfMissing,
                                                              FileError& error) {
    int fd = ::open(path.c_str(), O_RDONLY | kNoFollow);
    if (fd < 0 && errno == ENOENT && createIfMissing) {
        int created = -1;
        if (!CreateShared(path, O_WRONLY, created)) {
            error = FileErrorFromErrno(errno);
            return nullptr;
        }
        if (created >= 0) ::close(created);
        fd = ::open(path.c_str(), O_RDONLY | kNoFollow);
    }
    if (fd < 0) {
        error = FileErrorFromErrno(errno);
        return nullptr;
    }
    return Admit(fd, LOCK_SH, m_lockWait, error);
}

}  // namespace zt40
