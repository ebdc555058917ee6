#include <fcntl.h>
#include <unistd.h>

#include "platform/os/FolderRights.h"

namespace zt40 {

bool MayCreateFilesIn(const std::string& folder) {
    // The effective user decides, as it will when the record is written.
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace zt40
