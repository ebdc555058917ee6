#pragma once
// Standard output as a program's answer: whether it is a terminal, raw bytes written unchanged
// (a system whose C library turns line feeds into line ends on standard output is told not to),
// and why a write failed, which stdio forgets by the time the program ends.
namespace zt40 {

bool StandardOutputIsTerminal();
// False when the system refused.
bool WriteStandardOutputUnchanged();

// Replaces stdout, where the system allows it, by a stream that remembers the first write
// error; call once before anything is written.
void RecordStandardOutputErrors();
// The first write error's errno value; 0 when none was recorded (or none can be).
int StandardOutputErrno();

}  // namespace zt40
