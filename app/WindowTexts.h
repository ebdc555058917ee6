#pragma once
// The texts of the main window's controls and of the About box, as every edition's window
// shows them; the toolkits only place them.
#include <array>
#include <string>

#include "platform/Text.h"

namespace zt40 {

inline constexpr Text kTitleText = ZT40_TR("CPinwardenDlg", "Pinwarden");
inline constexpr Text kCleaningText = ZT40_TR("CPinwardenDlg", "C&leaning");
inline constexpr Text kReplaceHeadText = ZT40_TR("CPinwardenDlg", "&Replace Head...");
inline constexpr Text kReadjustPinsText = ZT40_TR("CPinwardenDlg", "Readjust &Pins...");
inline constexpr Text kPinGroupText = ZT40_TR("CPinwardenDlg", "Selection of the Pin for Marking");
inline constexpr Text kPinHintText = ZT40_TR("CPinwardenDlg", "If a red indicator is displayed, change to a different pin.");
inline constexpr Text kAmountUsedText = ZT40_TR("CPinwardenDlg", "Amount used");
inline constexpr Text kRefreshText = ZT40_TR("CPinwardenDlg", "R&efresh");
// The status area's offer of the restore, shown while the printer's values are out of range.
inline constexpr Text kRestoreOfferText = ZT40_TR("CPinwardenDlg", "Restoration of &setting");
// The status band in dialog units (x, y, width, height): whole, or beside the restore offer.
inline constexpr std::array<int, 4> kReasonBandUnits{5, 48, 182, 21};
inline constexpr std::array<int, 4> kReasonBesideOfferUnits{5, 48, 94, 21};
inline constexpr Text kApplyPinChangeText = ZT40_TR("CPinwardenDlg", "&Apply Pin Change");
// Pin k's radio button, "No.k:".
inline constexpr Text kPinNumberText = ZT40_TR("CPinwardenDlg", "No.%1:");
inline Message PinNumberLabel(int pinIndex) { return Message::Of(kPinNumberText, {std::to_string(pinIndex + 1)}); }

inline constexpr Text kAboutTitleText = ZT40_TR("CAboutDlg", "About");
inline constexpr Text kAboutVersionText = ZT40_TR("CAboutDlg", "ZT-40 Pinwarden Version 1.01");
inline constexpr Text kAboutNoticeText = ZT40_TR("CAboutDlg", "Copyright (C) 2026 The Pinwarden developers");
inline constexpr Text kAboutOkText = ZT40_TR("CAboutDlg", "OK");

}  // namespace zt40
