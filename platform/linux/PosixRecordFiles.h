#pragma once
// The record file on a POSIX file system. Appends go to the end whatever other writers do, a
// symbolic link or anything but a plain file at the name is refused, a new file is readable
// and writable by every user whatever the umask, and an open file is locked against other
// openers (shared among readers) for a bounded wait.
#include <chrono>

#include "platform/RecordFiles.h"

namespace zt40 {

FileError FileErrorFromErrno(int error);

class PosixRecordFiles : public IRecordFiles {
public:
    explicit PosixRecordFiles(std::chrono::milliseconds lockWait = std::chrono::milliseconds(2000))
        : m_lockWait(lockWait) {}
    std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) override;
    std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool createIfMissing,
                                                FileError& error) override;

private:
    std::chrono::milliseconds m_lockWait;
};

}  // namespace zt40
