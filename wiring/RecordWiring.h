#pragma once
// The usage record file's platform for both programs: the shared data folder (or the folder
// ZT40_DATA_DIR names) and the system's files. Simulated or not, the printer's history is real.
#include <string>

#include "record/UsageRecordFile.h"
#if defined(_WIN32)
#include "platform/win32/Win32DataFolderPlatform.h"
#include "platform/win32/Win32RecordFiles.h"
#else
#include "platform/linux/LinuxDataFolderPlatform.h"
#include "platform/linux/PosixRecordFiles.h"
#endif

namespace zt40 {

#if defined(_WIN32)
using SystemDataFolderPlatform = Win32DataFolderPlatform;
using SystemRecordFiles = Win32RecordFiles;
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
