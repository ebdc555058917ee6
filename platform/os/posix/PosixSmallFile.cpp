#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os/posix/FileDescriptor.h"
#include "platform/os/SmallFile.h"

namespace zt40 {

namespace {

SmallFile CannotRead() { return {SmallFile::Problem::CannotRead, {}, std::strerror(errno), 0}; }

}  // namespace

SmallFile ReadSmallFile(const std::string& path, std::size_t limit) {
    // Not blocking: a FIFO without a writer must not hang the program before it is refused.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) return CannotRead();
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) return CannotRead();
    if (S_ISDIR(info.st_mode)) return {SmallFile::Problem::IsFolder, {}, {}, 0};
    if (!S_ISREG(info.st_mode)) return {SmallFile::Problem::NotRegular, {}, {}, 0};
    if (info.st_size > static_cast<off_t>(limit)) {
        return {SmallFile::Problem::TooLong, {}, {}, static_cast<std::uint64_t>(info.st_size)};
    }
    // The size may have changed since fstat: read one byte past the limit to notice.
    std::string text(limit + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        const auto n = ::read(file.Get(), text.data() + length, text.size() - length);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return CannotRead();
        if (n == 0) break;
        length += static_cast<std::size_t>(n);
    }
    if (length > limit) return {SmallFile::Problem::GrewTooLong, {}, {}, 0};
    text.resize(length);
    return {SmallFile::Problem::None, std::move(text), {}, 0};
}

}  // namespace zt40
