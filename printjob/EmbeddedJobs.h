#pragma once
// The adjustment jobs linked into the program (resources 151-161, 171, 172).
#include "platform/JobResources.h"

namespace zt40 {

const IJobResources& EmbeddedJobs();

}  // namespace zt40
