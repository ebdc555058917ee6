#pragma once
// The maintenance history window's texts, the same in every edition's window.
#include "platform/Text.h"

namespace zt40::historytext {

// The menu command that opens the window.
inline constexpr Text kMenu = ZT40_TR("HistoryDialog", "Maintenance history...");
inline constexpr Text kTitle = ZT40_TR("HistoryDialog", "Maintenance history");
inline constexpr Text kNothingYet = ZT40_TR("HistoryDialog", "No maintenance has been recorded yet.");
inline constexpr Text kRecordsOf = ZT40_TR("HistoryDialog", "Records of %1, newest first.");
inline constexpr Text kExport = ZT40_TR("HistoryDialog", "Export to CSV...");
inline constexpr Text kClose = ZT40_TR("HistoryDialog", "Close");
inline constexpr Text kRecordsTab = ZT40_TR("HistoryDialog", "Records");
inline constexpr Text kWearTab = ZT40_TR("HistoryDialog", "Wear");
inline constexpr Text kExportTitle = ZT40_TR("HistoryDialog", "Export history");
inline constexpr Text kCsvFiles = ZT40_TR("HistoryDialog", "CSV files (*.csv)");
// %1 the file, %2 the system's reason.
inline constexpr Text kNotWritten = ZT40_TR("HistoryDialog", "The history could not be written to %1: %2");
inline constexpr Text kWritten = ZT40_TR("HistoryDialog", "The history was written to %1.");
// The "Wear" view's texts.
inline constexpr Text kNoSamples =
    ZT40_TR("WearChart", "No counter samples yet: the window and zt40ctl status keep one a day.");
inline constexpr Text kWearOf = ZT40_TR("WearChart", "Wear of printer %1");
inline constexpr Text kCounts = ZT40_TR("WearChart", "Counts");
inline constexpr Text kYellowBand = ZT40_TR("WearChart", "Yellow band");
inline constexpr Text kRedBand = ZT40_TR("WearChart", "Red band");
inline constexpr Text kPinLine = ZT40_TR("WearChart", "Pin %1");
// The file the save dialog offers first.
inline constexpr char kDefaultFileName[] = "zt40-history.csv";

}  // namespace zt40::historytext
