#pragma once
// Record files whose appends come up short or fail, over the real files of a folder.
#include <cstdint>
#include <memory>

#include "platform/linux/PosixRecordFiles.h"

namespace zt40 {

// Passes everything to the real file but the append, which writes only part of the record
// (or nothing, with an error) as a full disk or an interrupted write would.
class FaultyAppendFiles : public IRecordFiles {
public:
    explicit FaultyAppendFiles(std::int64_t keep) : m_keep(keep) {}
    std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) override {
        auto file = m_real.OpenForAppend(path, error);
        return file ? std::make_unique<File>(std::move(file), m_keep) : nullptr;
    }
    std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool create, FileError& error) override {
        return m_real.OpenForReading(path, create, error);
    }

private:
    class File : public IRecordFile {
    public:
        File(std::unique_ptr<IRecordFile> real, std::int64_t keep) : m_real(std::move(real)), m_keep(keep) {}
        FileError Size(std::uint64_t& size) override { return m_real->Size(size); }
        std::int64_t Append(std::span<const char> bytes, FileError& error) override {
            if (m_keep < 0) {
                error = FileError::HardIo;
                return -1;
            }
            return m_real->Append(bytes.first(static_cast<std::size_t>(m_keep)), error);
        }
        FileError Truncate(std::uint64_t size) override { return m_real->Truncate(size); }
        std::int64_t Read(std::span<char> into, FileError& error) override { return m_real->Read(into, error); }
        FileError Close() override { return m_real->Close(); }

    private:
        std::unique_ptr<IRecordFile> m_real;
        std::int64_t m_keep;
    };

    PosixRecordFiles m_real;
    std::int64_t m_keep;
};

}  // namespace zt40
