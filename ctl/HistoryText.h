#pragma once
// The usage history as zt40ctl prints it: JSON for scripts, aligned columns for a terminal.
#include <string>
#include <vector>

#include "record/UsageHistory.h"

namespace zt40 {

std::string HistoryJson(const std::vector<HistoryRow>& rows);
// Columns aligned for a terminal.
std::string HistoryTable(const std::vector<HistoryRow>& rows);

}  // namespace zt40
