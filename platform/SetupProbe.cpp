// The record folder's check that the real machine and the simulator share: the simulator
// keeps its records in a real folder too.
#include "platform/SetupProbe.h"

#include "platform/os/FolderRights.h"

namespace zt40 {

ProbeAnswer ISetupProbe::RecordFolder(const std::string& folder) {
    if (!MayCreateFilesIn(folder)) {
        return ProbeAnswer::Problem(
            Message::Of(ZT40_TR("Doctor", "the record folder %1 is missing or not writable"), {folder}),
            Message::Of(ZT40_TR("Doctor", "sudo chmod 1777 \"%1\""), {folder}));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the record folder %1 is writable"), {folder}));
}

}  // namespace zt40
