#pragma once
// Whether this user may create files in an existing folder, as the system will decide when a
// file is created there.
#include <string>

namespace zt40 {

bool MayCreateFilesIn(const std::string& folder);

}  // namespace zt40
