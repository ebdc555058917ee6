#pragma once
// The usage record file's platform for both programs: the shared data folder (or the folder
// ZT40_DATA_DIR names) and the system's files. Simulated or not, the printer's history is real.
#include <string>

#include "record/UsageRecordFile.h"
#if defined(_WIN32)
#include <chrono>

#include "record/FolderSecurity.h"
#include "platform/win32/Win32DataFolderPlatform.h"
#include "platform/win32/Win32RecordFiles.h"
#else
#include "platform/linux/LinuxDataFolderPlatform.h"
#include "platform/linux/PosixRecordFiles.h"
#endif

namespace zt40 {

#if defined(_WIN32)
using SystemDataFolderPlatform = Win32DataFolderPlatform;

// The system's record files, each new one created with the data folder's everyone-may-write list,
// so that every operator of the machine appends to the file the first one created.
class SystemRecordFiles final : public IRecordFiles {
public:
    explicit SystemRecordFiles(std::chrono::milliseconds lockWait = std::chrono::milliseconds(2000))
        : m_files(lockWait, EveryoneRights(m_everyone)) {}

    std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) override {
        return m_files.OpenForAppend(path, error);
    }
    std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool createIfMissing,
                                                FileError& error) override {
        return m_files.OpenForReading(path, createIfMissing, error);
    }

private:
    // Null when the list cannot be built: new files then get the system's default rights.
    static const SecurityAttributes* EveryoneRights(FolderSecurity& everyone) {
        const SecurityAttributes* rights = nullptr;
        return everyone.BuildSecurityAttributes(rights) ? rights : nullptr;
    }

    FolderSecurity m_everyone;  // before m_files, which keeps a pointer into it
    Win32RecordFiles m_files;
};
#else
using SystemDataFolderPlatform = LinuxDataFolderPlatform;
using SystemRecordFiles = PosixRecordFiles;
#endif

class RecordWiring {
public:
    // The file named after the running program's file.
    RecordWiring() : m_platform{m_folders, m_files, ApplicationNameOf(m_folders.ModulePath())} {}
    // The file named `applicationName`.txt, whatever program runs.
    explicit RecordWiring(std::string applicationName) : m_platform{m_folders, m_files, std::move(applicationName)} {}
    RecordWiring(const RecordWiring&) = delete;
    RecordWiring& operator=(const RecordWiring&) = delete;

    const UsageRecordPlatform& Platform() const { return m_platform; }

private:
    SystemDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
    UsageRecordPlatform m_platform;
};

}  // namespace zt40
