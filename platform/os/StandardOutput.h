#pragma once
// Standard output for raw bytes: whether it is a terminal, and writing it unchanged (a system
// whose C library turns line feeds into line ends on standard output is told not to).
namespace zt40 {

bool StandardOutputIsTerminal();
// False when the system refused.
bool WriteStandardOutputUnchanged();

}  // namespace zt40
