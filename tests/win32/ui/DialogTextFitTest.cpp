// The main dialog of zt40util.exe, made from the program's own templates in each edition, with
// the longest texts each of its static controls shows: each must fit its control whole, not
// run past its bottom (into the controls below) or be cut at its edge.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/ActionTexts.h"
#include "app/ControlIds.h"
#include "app/CPinwardenDlg.h"
#include "app/DataFreshness.h"
#include "app/WindowTexts.h"
#include "platform/DeviceAccess.h"
#include "session/QueueRule.h"
#include "support/BuildTree.h"
#include "tests/win32/TextFit.h"
#include "ui/win32/Resources.h"
#include "ui/win32/WinText.h"

namespace zt40::win {
namespace {

// The program's file as a source of resources only: its templates, no code run.
class ProgramResources {
public:
    ProgramResources()
        : m_module(LoadLibraryExW(Widen(ZT40_BINARY_DIR "/zt40util.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ProgramResources() {
        if (m_module != nullptr) FreeLibrary(m_module);
    }
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;

    const DLGTEMPLATE* Dialog(int id, Language language) const {
        const WORD languageId = language == Language::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                               : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
        HRSRC found = m_module != nullptr ? FindResourceExW(m_module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), languageId)
                                          : nullptr;
        HGLOBAL loaded = found != nullptr ? LoadResource(m_module, found) : nullptr;
        return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    }

private:
    HMODULE m_module;
};

INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogTextFitTest, TheMainDialogsLongestTextsFitTheirControlsInBothEditions) {
    struct Row {
        int id;
        Message text;
        bool besideOffer;  // the band shortened to end a margin short of the restore offer
    };
    const Row rows[] = {
        {IDC_STATUS_LINE, Message::Of(kConnectRequest), false},
        {ZT40_IDC_STATUS_REASON, Message::Of(kNotRefreshed), false},
        {ZT40_IDC_STATUS_REASON, Message::Of(kWizardCancelled), false},
        {ZT40_IDC_STATUS_REASON, Message::Of(DeviceAccessHint(DeviceAccessFailure::NotAnswering)), false},
        {ZT40_IDC_STATUS_REASON, Message::Of(DeviceAccessHint(DeviceAccessFailure::Busy)), false},
        {ZT40_IDC_STATUS_REASON, NoQueueReason({QueueUnusable::Offline, "ZT-40"}, std::nullopt), false},
        {ZT40_IDC_STATUS_REASON, Message::Of(kValuesOutOfRange), true},
        {ZT40_IDC_RESTORE_OFFER, Message::Of(kRestoreOfferText), false},
    };
    const ProgramResources program;
    for (const Language language : {Language::English, Language::Japanese}) {
        UseLanguage(language);
        const DLGTEMPLATE* main = program.Dialog(ZT40_IDD_MAIN, language);
        ASSERT_NE(main, nullptr) << "no main dialog in the program";
        HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), main, nullptr, &NoProc, 0);
        ASSERT_NE(dialog, nullptr);
        for (const Row& row : rows) {
            HWND control = GetDlgItem(dialog, row.id);
            ASSERT_NE(control, nullptr) << row.id;
            if (row.besideOffer) {
                RECT place{};
                RECT offer{};
                GetWindowRect(control, &place);
                GetWindowRect(GetDlgItem(dialog, ZT40_IDC_RESTORE_OFFER), &offer);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&offer), 2);
                MoveWindow(control, place.left, place.top, offer.left - 2 * place.left, place.bottom - place.top, FALSE);
            }
            const std::wstring text = Render(row.text);
            SetWindowTextW(control, text.c_str());
            const SIZE over = Overrun(control);
            EXPECT_EQ(over.cx, 0) << Narrow(text) << " is cut at the side (edition "
                                  << static_cast<int>(language) << ")";
            EXPECT_EQ(over.cy, 0) << Narrow(text) << " runs past the bottom (edition "
                                  << static_cast<int>(language) << ")";
        }
        DestroyWindow(dialog);
    }
    UseLanguage(Language::English);
}

}  // namespace
}  // namespace zt40::win
