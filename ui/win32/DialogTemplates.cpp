#include "ui/win32/DialogTemplates.h"

#include "app/WindowTexts.h"
#include "ui/win32/Resources.h"

namespace zt40::win {

namespace {

void SetItemText(HWND dialog, int id, const Text& text) { SetDlgItemTextW(dialog, id, Translate(text).c_str()); }

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextW(dialog, Translate(kAboutTitleText).c_str());
        SetItemText(dialog, ZT40_IDC_ABOUT_VERSION, kAboutVersionText);
        SetItemText(dialog, ZT40_IDC_ABOUT_NOTICE, kAboutNoticeText);
        SetItemText(dialog, IDOK, kAboutOkText);
        SendDlgItemMessageW(dialog, ZT40_IDC_ABOUT_ICON, STM_SETICON,
                            reinterpret_cast<WPARAM>(ApplicationIcon()), 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

HICON ApplicationIcon(IconSize size) {
    const bool big = size == IconSize::Big;
    // Shared: loaded once at each size and never destroyed by the program.
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ZT40_IDI_APP), IMAGE_ICON,
                             GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON),
                             GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON), LR_SHARED);
    if (icon != nullptr) return static_cast<HICON>(icon);
    return LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

const DLGTEMPLATE* FindDialogTemplate(int id, Language language) {
    HMODULE module = GetModuleHandleW(nullptr);
    const WORD languageId = language == Language::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                           : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    // RT_DIALOG, in the wide functions' type whatever UNICODE says.
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), languageId);
    if (found == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

void RunAboutBox(HWND owner, Language language) {
    const DLGTEMPLATE* about = FindDialogTemplate(ZT40_IDD_ABOUT, language);
    if (about == nullptr) return;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), about, owner, &AboutProc, 0);
}

}  // namespace zt40::win
