#pragma once
// This process's number on its system: a part of a temporary file's name that no other running
// process of the machine picks.
namespace zt40 {

unsigned long CurrentProcessId();

}  // namespace zt40
