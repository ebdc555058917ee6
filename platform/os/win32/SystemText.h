#pragma once
// The system's own words for an error code, without the line end it comes with.
#include <windows.h>

#include <string>

namespace zt40 {

std::string SystemText(DWORD code);

}  // namespace zt40
