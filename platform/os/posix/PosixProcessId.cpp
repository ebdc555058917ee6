#include <unistd.h>

#include "platform/os/ProcessId.h"

namespace zt40 {

unsigned long CurrentProcessId() { return static_cast<unsigned long>(::getpid()); }

}  // namespace zt40
