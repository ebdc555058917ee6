#include "record/UsageRecordFile.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "platform/ByteOrderMark.h"

namespace zt40 {

std::string ApplicationNameOf(std::string_view modulePath) {
    const auto slash = modulePath.find_last_of("/\\");
    if (slash != std::string_view::npos) modulePath.remove_prefix(slash + 1);
    const auto dot = modulePath.rfind('.');
    if (dot != std::string_view::npos && dot > 0) modulePath = modulePath.substr(0, dot);
    return std::string(modulePath);
}

Text FileErrorText(FileError error) {
    switch (error) {
        case FileError::NotFound: return ZT40_TR("UsageRecord", "%1 was not found.");
        case FileError::BadPath: return ZT40_TR("UsageRecord", "%1 contains an invalid path.");
        case FileError::TooManyOpenFiles:
            return ZT40_TR("UsageRecord", "%1 could not be opened because there are too many open files.");
        case FileError::AccessDenied: return ZT40_TR("UsageRecord", "Access to %1 was denied.");
        case FileError::InvalidHandle: return ZT40_TR("UsageRecord", "An invalid file handle was associated with %1.");
        case FileError::DirectoryFull:
            return ZT40_TR("UsageRecord", "%1 could not be created because the directory is full.");
        case FileError::BadSeek: return ZT40_TR("UsageRecord", "Seek failed on %1");
        case FileError::HardIo: return ZT40_TR("UsageRecord", "A hardware I/O error was reported while accessing %1.");
        case FileError::SharingViolation:
            return ZT40_TR("UsageRecord", "A sharing violation occurred while accessing %1.");
        case FileError::LockViolation: return ZT40_TR("UsageRecord", "A locking violation occurred while accessing %1.");
        case FileError::DiskFull: return ZT40_TR("UsageRecord", "Disk full while accessing %1.");
        case FileError::EndOfFile: return ZT40_TR("UsageRecord", "An attempt was made to access %1 past its end.");
        case FileError::None:
        case FileError::Generic: break;
    }
    return ZT40_TR("UsageRecord", "An unknown error occurred while accessing %1.");
}

Message FileErrorMessage(FileError error, const std::string& path) { return Message::Of(FileErrorText(error), {path}); }

Text PowerCycleText() { return ZT40_TR("UsageRecord", "Please do again to turn on the power of ZT-40"); }

std::optional<std::string> UsageRecordPath(DataFolder& dataFolder, IDataFolderPlatform& platform,
                                           std::string& dataFolderPath, std::string_view applicationName) {
    return DataFolderFilePath(dataFolder, platform, dataFolderPath,
                              std::string(applicationName) + std::string(kRecordExtension));
}

std::optional<std::string> DataFolderFilePath(DataFolder& dataFolder, IDataFolderPlatform& platform,
                                              std::string& dataFolderPath, std::string_view fileName) {
    if (auto folder = platform.FolderOverride()) {
        dataFolderPath = *folder;
    } else {
        dataFolderPath.reserve(kMaxPath);
        dataFolder.ResolveDataFolder(kProductFolderName, dataFolderPath);
    }
    // With no folder ever found the record would land at the root of the file system; the
    // operation goes without the file instead.
    if (dataFolderPath.empty()) return std::nullopt;
    // A folder given as the root ("/", "C:\\") ends in its separator already.
    const char last = dataFolderPath.back();
    const bool separated = last == platform.PathSeparator() || last == '/';
    return dataFolderPath + (separated ? "" : std::string(1, platform.PathSeparator())) + std::string(fileName);
}

namespace {

FileError Known(FileError error) { return error == FileError::None ? FileError::Generic : error; }

// Follows a file's bytes in order and keeps where its whole part ends. A line's kind is told by
// its first bytes, so only those are kept.
class WholePartScan {
public:
    explicit WholePartScan(WholePart whole) : m_records(whole == WholePart::Records) {}

    void Take(std::string_view bytes) {
        for (const char c : bytes) {
            if (m_prefixSize < m_prefix.size()) m_prefix[m_prefixSize++] = c;
            ++m_length;
            if (c == '\n') EndLine();
        }
    }

    // A last line without its line feed belongs to no whole record, whether it begins one or not.
    std::uint64_t WholeLength() const {
        if (m_records && m_linesLeft > 0) return m_recordStart;
        return m_lineStart;
    }

private:
    // As the record reader sees a line: the first one without its byte-order mark.
    bool LineBeginsRecord() const {
        std::string_view line(m_prefix.data(), m_prefixSize);
        if (m_lineStart == 0) line = WithoutByteOrderMark(line);
        return !line.empty() && (line.front() == kFinishedKind || line.front() == kCancelledKind);
    }

    void EndLine() {
        if (m_records) {
            if (m_linesLeft > 0) {
                --m_linesLeft;
            } else if (LineBeginsRecord()) {
                m_recordStart = m_lineStart;
                m_linesLeft = kRecordBodyLines;
            }
        }
        m_lineStart = m_length;
        m_prefixSize = 0;
    }

    bool m_records;
    std::array<char, 4> m_prefix{};  // a byte-order mark and the letter after it
    std::size_t m_prefixSize = 0;
    std::uint64_t m_length = 0;
    std::uint64_t m_lineStart = 0;  // of the line not yet ended; the length when there is none
    std::uint64_t m_recordStart = 0;
    int m_linesLeft = 0;  // body lines the record begun last still lacks
};

}  // namespace

std::optional<Message> AppendToLineFile(IRecordFiles& files, const std::string& path, WholePart whole,
                                        bool wantText, const std::function<std::string(const HeldLineFile&)>& compose) {
    FileError error = FileError::None;
    auto file = files.OpenForAppend(path, error);
    if (!file) return FileErrorMessage(Known(error), path);
    WholePartScan scan(whole);
    std::string text;
    std::uint64_t length = 0;
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const std::int64_t count = file->Read(chunk, error);
        if (count < 0) {
            file->Close();
            return FileErrorMessage(Known(error), path);
        }
        if (count == 0) break;
        const std::string_view bytes(chunk.data(), static_cast<std::size_t>(count));
        scan.Take(bytes);
        if (wantText) text.append(bytes);
        length += static_cast<std::uint64_t>(count);
    }
    const std::uint64_t kept = scan.WholeLength();
    HeldLineFile held;
    held.wholeLength = kept;
    if (wantText) held.wholeText = std::string_view(text).substr(0, static_cast<std::size_t>(kept));
    const std::string bytes = compose(held);
    if (!bytes.empty()) {
        const FileError cutError = kept < length ? file->Truncate(kept) : FileError::None;
        const std::int64_t written = cutError == FileError::None ? file->Append(bytes, error) : -1;
        if (written != static_cast<std::int64_t>(bytes.size())) {
            file->Truncate(kept);
            file->Close();
            if (cutError != FileError::None) return FileErrorMessage(cutError, path);
            // A short write is reported as a full disk, whatever the system said.
            return FileErrorMessage(written < 0 && error != FileError::None ? error : FileError::DiskFull, path);
        }
    }
    if (const FileError closeError = file->Close(); closeError != FileError::None) {
        return FileErrorMessage(closeError, path);
    }
    return std::nullopt;
}

std::optional<Message> AppendToRecordFile(IRecordFiles& files, const std::string& path, std::string_view record) {
    return AppendToLineFile(files, path, WholePart::Records, false,
                            [record](const HeldLineFile&) { return std::string(record); });
}

namespace {

class RecordFileSource : public IByteSource {
public:
    explicit RecordFileSource(IRecordFile& file) : m_file(file) {}
    std::int64_t Read(std::span<char> into) override { return m_file.Read(into, m_error); }
    FileError Error() const { return m_error; }

private:
    IRecordFile& m_file;
    FileError m_error = FileError::None;
};

}  // namespace

namespace {

// Larger files are not held in memory: the record file is shared by everyone and may be
// grown by anyone.
constexpr std::uint64_t kWholeReadLimit = 64u << 20;

// The file's bytes up to its end, in a buffer that is not cleared first: at this size clearing
// it would cost as much as the scan.
struct WholeText {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    std::string_view View() const { return {bytes.get(), size}; }
};

// False when a read failed; `text` keeps what came before. `text` holds room for `capacity`.
bool ReadWhole(IRecordFile& file, std::size_t capacity, WholeText& text, FileError& error) {
    for (;;) {
        if (text.size == capacity) {
            // Grown meanwhile by a writer that does not lock.
            try {
                auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
                std::memcpy(larger.get(), text.bytes.get(), text.size);
                text.bytes = std::move(larger);
                capacity *= 2;
            } catch (const std::bad_alloc&) {
                error = FileError::Generic;
                return false;
            }
        }
        const std::int64_t count = file.Read(std::span(text.bytes.get() + text.size, capacity - text.size), error);
        if (count <= 0) return count == 0;
        text.size += static_cast<std::size_t>(count);
    }
}

// Opens the file for either read below; a failure is put in `result` with its message.
template <typename Read>
std::unique_ptr<IRecordFile> OpenForReading(IRecordFiles& files, const std::string& path, bool createIfMissing,
                                            Read& result) {
    auto file = files.OpenForReading(path, createIfMissing, result.error);
    if (!file) {
        result.error = Known(result.error);
        result.failure = FileErrorMessage(result.error, path);
        return nullptr;
    }
    result.opened = true;
    return file;
}

// Closes the file; the first failure of the read or the close is the one reported.
template <typename Read>
void Finish(IRecordFile& file, const std::string& path, Read& result) {
    const FileError closeError = file.Close();
    if (result.error == FileError::None) result.error = closeError;
    if (result.error != FileError::None) result.failure = FileErrorMessage(result.error, path);
}

}  // namespace

BestRecordRead ReadBestRecord(IRecordFiles& files, const std::string& path, bool createIfMissing) {
    BestRecordRead result;
    result.path = path;
    auto file = OpenForReading(files, path, false, result);
    if (!file && result.error == FileError::NotFound) {
        result.missing = true;
        if (createIfMissing) {
            result.error = FileError::None;
            result.failure.reset();
            file = OpenForReading(files, path, true, result);
        }
    }
    if (!file) return result;
    std::uint64_t size = 0;
    WholeText text;
    if (file->Size(size) == FileError::None && size <= kWholeReadLimit) {
        try {
            text.bytes = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size) + 1);
        } catch (const std::bad_alloc&) {
            text.bytes.reset();  // read in pieces instead
        }
    }
    if (text.bytes) {
        FileError readError = FileError::None;
        if (!ReadWhole(*file, static_cast<std::size_t>(size) + 1, text, readError)) result.error = Known(readError);
        result.best = FindLastUsableRecord(text.View());
    } else {
        RecordFileSource source(*file);
        LineReader lines(source);
        result.best = FindLastUsableRecord(lines);
        if (lines.Failed()) result.error = Known(source.Error());
    }
    Finish(*file, path, result);
    return result;
}

RecordFileRead ReadRecordFile(IRecordFiles& files, const std::string& path, bool createIfMissing,
                              const std::function<void(UsageRecord&&)>& visit) {
    return ReadFileLines(files, path, createIfMissing, [&visit](LineReader& lines) { ForEachRecord(lines, visit); });
}

RecordFileRead ReadFileLines(IRecordFiles& files, const std::string& path, bool createIfMissing,
                             const std::function<void(LineReader&)>& read) {
    RecordFileRead result;
    auto file = OpenForReading(files, path, createIfMissing, result);
    if (!file) return result;
    RecordFileSource source(*file);
    LineReader lines(source);
    read(lines);
    if (lines.Failed()) result.error = Known(source.Error());
    Finish(*file, path, result);
    return result;
}

}  // namespace zt40
