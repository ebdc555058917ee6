#pragma once
// A usage record file in a folder of the test's own, and the records read back from it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "record/RecordFormat.h"
#include "record/UsageRecordFile.h"
#include "support/FakeDataFolderPlatform.h"
#include "wiring/RecordWiring.h"

namespace zt40::testing {

class TempRecordFile {
public:
    TempRecordFile() {
        static int made = 0;
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-records-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = '/';
        m_folders.override = m_dir.string();
    }
    ~TempRecordFile() { std::filesystem::remove_all(m_dir); }
    TempRecordFile(const TempRecordFile&) = delete;
    TempRecordFile& operator=(const TempRecordFile&) = delete;

    UsageRecordPlatform Platform() { return {m_folders, m_files, "zt40util"}; }

    std::vector<UsageRecord> Records() const {
        std::ifstream in(m_dir / "zt40util.txt", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::string all = text.str();
        LineReader lines{std::string_view(all)};
        std::vector<UsageRecord> records;
        ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
        return records;
    }

private:
    std::filesystem::path m_dir;
    test::FakeDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
};

}  // namespace zt40::testing
