#include "platform/RecordFolderAccess.h"

#include <fcntl.h>
#include <unistd.h>

namespace zt40 {

ProbeAnswer WritableRecordFolder(const std::string& folder) {
    // The effective user decides, as it will when the record is written.
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return ProbeAnswer::Problem(
            Message::Of(ZT40_TR("Doctor", "the record folder %1 is missing or not writable"), {folder}),
            Message::Of(ZT40_TR("Doctor", "sudo chmod 1777 \"%1\""), {folder}));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the record folder %1 is writable"), {folder}));
}

}  // namespace zt40
