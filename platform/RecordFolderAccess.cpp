#include "platform/RecordFolderAccess.h"

#include "platform/os/FolderRights.h"

namespace zt40 {

ProbeAnswer WritableRecordFolder(const std::string& folder) {
    if (!MayCreateFilesIn(folder)) {
        return ProbeAnswer::Problem(
            Message::Of(ZT40_TR("Doctor", "the record folder %1 is missing or not writable"), {folder}),
            Message::Of(ZT40_TR("Doctor", "sudo chmod 1777 \"%1\""), {folder}));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the record folder %1 is writable"), {folder}));
}

}  // namespace zt40
