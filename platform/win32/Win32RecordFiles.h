#pragma once
// The record file on Windows. Appends go to the end of the file, a new file gets the rights its
// owner hands over (the data folder's everyone-may-write list), anything but a plain disk file
// is refused, and an open file is kept from other openers (shared among readers) for a bounded wait.
#include <chrono>

#include "platform/RecordFiles.h"
#include "platform/Security.h"

namespace zt40 {

FileError FileErrorFromWin32(unsigned long error);

class Win32RecordFiles final : public IRecordFiles {
public:
    // `newFileRights` must outlive this object; null gives new files the system's default rights.
    explicit Win32RecordFiles(std::chrono::milliseconds lockWait = std::chrono::milliseconds(2000),
                              const SecurityAttributes* newFileRights = nullptr)
        : m_lockWait(lockWait), m_newFileRights(newFileRights) {}
    std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) override;
    std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool createIfMissing,
                                                FileError& error) override;

private:
    std::chrono::milliseconds m_lockWait;
    const SecurityAttributes* m_newFileRights;
};

}  // namespace zt40
