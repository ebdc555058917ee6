#pragma once
// Whether this user may create files in a folder: the same question for the real machine and
// for the simulator, which keeps its records in a real folder too.
#include <string>

#include "platform/SetupProbe.h"

namespace zt40 {

ProbeAnswer WritableRecordFolder(const std::string& folder);

}  // namespace zt40
