// The record folder's check that the real machine and the simulator share: the simulator
// keeps its records in a real folder too.
#include "platform/SetupProbe.h"

#include <filesystem>
#include <system_error>

#include "platform/os/FolderRights.h"

namespace zt40 {

std::optional<ProbeAnswer> RecordFolderIsAFile(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error) || std::filesystem::is_directory(folder, error)) return std::nullopt;
    // No change of rights makes a file a folder.
    return ProbeAnswer::Problem(
        Message::Of(ZT40_TR("Doctor", "the record folder %1 is a file, not a folder"), {folder}),
        Message::Of(ZT40_TR("Doctor", "move the file \"%1\" away, or name another folder in ZT40_DATA_DIR"), {folder}));
}

ProbeAnswer ISetupProbe::RecordFolder(const std::string& folder) {
    if (auto file = RecordFolderIsAFile(folder)) return std::move(*file);
    if (!MayCreateFilesIn(folder)) {
        return ProbeAnswer::Problem(
            Message::Of(ZT40_TR("Doctor", "the record folder %1 is missing or not writable"), {folder}),
            Message::Of(ZT40_TR("Doctor", "sudo chmod 1777 \"%1\""), {folder}));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the record folder %1 is writable"), {folder}));
}

}  // namespace zt40
