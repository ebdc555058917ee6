#pragma once
// What the main window shows while it waits for the printer, and how each of its actions ended.
#include "platform/Text.h"

namespace zt40 {

inline constexpr Text kCleaningStep = ZT40_TR("CPinwardenDlg", "Cleaning: step %1 of %2");
inline constexpr Text kCleaningDone = ZT40_TR("CPinwardenDlg", "The head cleaning is finished.");
inline constexpr Text kCleaningStopped = ZT40_TR("CPinwardenDlg", "The head cleaning stopped with %1 of %2 steps done.");
inline constexpr Text kMovingHead = ZT40_TR("CPinwardenDlg", "Moving the head to the center...");
inline constexpr Text kHeadNotMoved = ZT40_TR("CPinwardenDlg", "The head was not moved.");
inline constexpr Text kWritingSettings = ZT40_TR("CPinwardenDlg", "Writing the pin settings...");
inline constexpr Text kWritingCounters = ZT40_TR("CPinwardenDlg", "Writing the usage counters...");
inline constexpr Text kSettingsWritten = ZT40_TR("CPinwardenDlg", "The pin settings were written.");
inline constexpr Text kSettingsNotWritten = ZT40_TR("CPinwardenDlg", "The pin settings were not written.");
inline constexpr Text kCountersNotCleared = ZT40_TR("CPinwardenDlg", "The new head's usage counters were not cleared.");
inline constexpr Text kChangingPin = ZT40_TR("CPinwardenDlg", "Changing the pin for marking...");
inline constexpr Text kPinChanged = ZT40_TR("CPinwardenDlg", "No.%1 is now the pin for marking.");
inline constexpr Text kPinNotChanged = ZT40_TR("CPinwardenDlg", "The pin for marking was not changed: No.%1 stays in use.");
inline constexpr Text kRefreshed = ZT40_TR("CPinwardenDlg", "The printer's data was read again.");
inline constexpr Text kNotRefreshed =
    ZT40_TR("CPinwardenDlg", "The printer's data could not be read: the window still shows the data read before.");
inline constexpr Text kWizardNotStarted =
    ZT40_TR("CPinwardenDlg", "The wizard was not started: the printer's data could not be read first.");
inline constexpr Text kWizardCancelled =
    ZT40_TR("CPinwardenDlg", "The wizard was cancelled: the printer's settings were put back as they were.");
inline constexpr Text kNothingToRestore =
    ZT40_TR("CPinwardenDlg", "The printer's settings and counters are in range: nothing was restored.");
inline constexpr Text kNotRestored = ZT40_TR("CPinwardenDlg", "The settings were not restored completely.");

}  // namespace zt40
