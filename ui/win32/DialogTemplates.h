#pragma once
// The program's dialogs from its resources, in the edition's language, and the About box.
#include <windows.h>

#include "ui/win32/WinText.h"

namespace zt40::win {

// Dialog `id` of the executable's resources in `language`'s edition; null when it has none.
const DLGTEMPLATE* FindDialogTemplate(int id, Language language);

enum class IconSize { Big, Small };
// The program's icon at the size the system shows a window's big or small icon, owned by the
// system; the system's application icon in a program built without the icon (the tests).
HICON ApplicationIcon(IconSize size = IconSize::Big);

// The About box, modal to `owner`.
void RunAboutBox(HWND owner, Language language);

}  // namespace zt40::win
