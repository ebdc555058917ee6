#pragma once
#include <algorithm>
#include <memory>
#include <span>

#include "wiring/RecordWiring.h"

namespace zt40 {

// Passes everything to the real file but the append, which writes only part of the record
// (or nothing, with an error) as a full disk or an interrupted write would; with `readsBeforeFailure`
// a read after that many fails as a bad sector would, whichever way the file was opened.
class FaultyAppendFiles : public IRecordFiles {
public:
    explicit FaultyAppendFiles(std::int64_t keep, int readsBeforeFailure = -1)
        : m_keep(keep), m_readsBeforeFailure(readsBeforeFailure) {}
    std::unique_ptr<IRecordFile> OpenForAppend(const std::string& path, FileError& error) override {
        auto file = m_real.OpenForAppend(path, error);
        return file ? std::make_unique<File>(std::move(file), m_keep, m_readsBeforeFailure) : nullptr;
    }
    std::unique_ptr<IRecordFile> OpenForReading(const std::string& path, bool create, FileError& error) override {
        auto file = m_real.OpenForReading(path, create, error);
        return file ? std::make_unique<File>(std::move(file), -2, m_readsBeforeFailure) : nullptr;
    }

private:
    class File : public IRecordFile {
    public:
        File(std::unique_ptr<IRecordFile> real, std::int64_t keep, int readsLeft)
            : m_real(std::move(real)), m_keep(keep), m_readsLeft(readsLeft) {}
        FileError Size(std::uint64_t& size) override { return m_real->Size(size); }
        std::int64_t Append(std::span<const char> bytes, FileError& error) override {
            if (m_keep < 0) {
                error = FileError::HardIo;
                return -1;
            }
            return m_real->Append(bytes.first(std::min(bytes.size(), static_cast<std::size_t>(m_keep))), error);
        }
        FileError Truncate(std::uint64_t size) override { return m_real->Truncate(size); }
        std::int64_t Read(std::span<char> into, FileError& error) override {
            if (m_readsLeft < 0) return m_real->Read(into, error);
            if (m_readsLeft == 0) {
                error = FileError::HardIo;
                return -1;
            }
            --m_readsLeft;
            // A few bytes at a time, so that the failure comes before the file's end.
            return m_real->Read(into.first(std::min<std::size_t>(into.size(), 16)), error);
        }
        FileError Close() override { return m_real->Close(); }

    private:
        std::unique_ptr<IRecordFile> m_real;
        std::int64_t m_keep;
        int m_readsLeft;
    };

    SystemRecordFiles m_real;
    std::int64_t m_keep;
    int m_readsBeforeFailure;
};

}  // namespace zt40
