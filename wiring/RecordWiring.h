#pragma once
// The usage record file's platform for both programs: the shared data folder (or the folder
// ZT40_DATA_DIR names) and POSIX files. Simulated or not, the printer's history is real.
#include <string>

#include "platform/linux/LinuxDataFolderPlatform.h"
#include "platform/linux/PosixRecordFiles.h"
#include "record/UsageRecordFile.h"

namespace zt40 {

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
    LinuxDataFolderPlatform m_folders;
    PosixRecordFiles m_files;
    UsageRecordPlatform m_platform;
};

}  // namespace zt40
