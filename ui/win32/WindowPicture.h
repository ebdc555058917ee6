#pragma once
// A window as the screen shows it, frame included, saved as a PNG through the imaging component.
#include <windows.h>

#include <string>

namespace zt40::win {

// False when the window cannot be captured or the file not written.
bool SaveWindowPicture(HWND window, const std::wstring& file);

}  // namespace zt40::win
