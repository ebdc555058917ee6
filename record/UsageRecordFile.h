#pragma once
// The record file on disk: where it is, appending one record without ever leaving part of
// it behind, reading the records back, and the texts the operator sees when that fails.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DataFolderPlatform.h"
#include "platform/RecordFiles.h"
#include "platform/Text.h"
#include "record/DataFolder.h"
#include "record/RecordFormat.h"

namespace zt40 {

// The file name both programs share, so there is one history per installation.
inline constexpr std::string_view kRecordApplicationName = "zt40util";
inline constexpr std::string_view kRecordExtension = ".txt";

// What the record operations need of the system, and the name the file is called after.
struct UsageRecordPlatform {
    IDataFolderPlatform& folders;
    IRecordFiles& files;
    std::string applicationName;
};

// The program file's name without folder and extension.
std::string ApplicationNameOf(std::string_view modulePath);

Text FileErrorText(FileError error);
// The text for `error` with the file's path in it.
Message FileErrorMessage(FileError error, const std::string& path);
Text PowerCycleText();

// The record file's path: the override folder when one is named, else the data folder resolved
// anew, else the last one resolved into `dataFolderPath`. Nothing when no folder was ever found.
std::optional<std::string> UsageRecordPath(DataFolder& dataFolder, IDataFolderPlatform& platform,
                                           std::string& dataFolderPath, std::string_view applicationName);
// Another file of the same folder, found the same way.
std::optional<std::string> DataFolderFilePath(DataFolder& dataFolder, IDataFolderPlatform& platform,
                                              std::string& dataFolderPath, std::string_view fileName);

// What of a line-based file an append may follow. Past it lies what an append cut off by a crash
// left behind: no reader can use it, and left in place it would swallow the next line or record.
enum class WholePart {
    Lines,    // to the last line feed
    Records,  // to the end of the last whole record, its eleven lines taken by position as restore takes them
};

// The file as an append holds it: the length of its whole part, and that part's bytes when asked for.
struct HeldLineFile {
    std::uint64_t wholeLength = 0;
    std::string_view wholeText;
};

// Appends to a line-based file with one write, all under one exclusive hold of the file: it is read
// to its end to find its whole part, `compose` decides from that what goes after it (nothing is no
// failure and leaves the file as it was), what lies past the whole part is cut off, and the bytes
// are written. When the write fails or comes up short the file is cut back to its whole part, so
// the next append is not read as the rest of a broken one. A file that cannot be read to its end is
// not written to. Nothing on success, else the message to show.
std::optional<Message> AppendToLineFile(IRecordFiles& files, const std::string& path, WholePart whole,
                                        bool wantText, const std::function<std::string(const HeldLineFile&)>& compose);
// A record after the last whole record of the record file.
std::optional<Message> AppendToRecordFile(IRecordFiles& files, const std::string& path, std::string_view record);

struct RecordFileRead {
    bool opened = false;
    FileError error = FileError::None;
    std::optional<Message> failure;  // the open or a read failed; records before it were visited
};

// Visits the file's records in order; with `createIfMissing` a missing file is created empty.
RecordFileRead ReadRecordFile(IRecordFiles& files, const std::string& path, bool createIfMissing,
                              const std::function<void(UsageRecord&&)>& visit);
// Hands the file's lines to `read`, then says how the open, the reads and the close went.
RecordFileRead ReadFileLines(IRecordFiles& files, const std::string& path, bool createIfMissing,
                             const std::function<void(LineReader&)>& read);

struct BestRecordRead {
    std::string path;
    bool missing = false;  // there was no file to read (it may have been created empty since)
    bool opened = false;
    FileError error = FileError::None;
    std::optional<Message> failure;  // the open or a read failed; `best` is from what was read
    std::optional<UsageRecord> best;
};

// Restore's scan: the last usable record of the file. A file of ordinary size is read whole
// and its records examined from the last one back; a larger one is read in pieces. With
// `createIfMissing` a missing file is created empty; `missing` tells it was not there.
BestRecordRead ReadBestRecord(IRecordFiles& files, const std::string& path, bool createIfMissing);

}  // namespace zt40
