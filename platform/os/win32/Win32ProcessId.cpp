#include <windows.h>

#include "platform/os/ProcessId.h"

namespace zt40 {

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

}  // namespace zt40
