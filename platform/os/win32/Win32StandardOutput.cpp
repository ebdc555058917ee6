#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/os/StandardOutput.h"

namespace zt40 {

bool StandardOutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

bool WriteStandardOutputUnchanged() {
    std::fflush(stdout);
    return _setmode(_fileno(stdout), _O_BINARY) != -1;
}

// The C library has no stream of the program's own; a failure is still seen, only not why.
void RecordStandardOutputErrors() {}

int StandardOutputErrno() { return 0; }

}  // namespace zt40
