#pragma once
// The main window's control ids and commands. The Qt layer names its widgets after them
// ("control1032"), so tests and translations find a control by the id the logic uses.
#include <array>
#include <cstdint>

#include "platform/PinRange.h"
#include "session/PinwardenServices.h"

namespace zt40 {

inline constexpr int IDC_CLEANING = 1032;
inline constexpr int IDC_STATUS_LINE = 1058;
inline constexpr int IDC_REPLACE_HEAD = 5;
inline constexpr int IDC_READJUST_PINS = 1031;
inline constexpr int IDC_APPLY_PIN_CHANGE = 1056;
inline constexpr int IDC_REFRESH = 1057;
inline constexpr int IDC_PRINTER_LIST = 1000;

// The radio buttons of pins 1..9: the group starts at 1036 and skips 1037 and 1039.
inline constexpr std::array<int, kPinCount> IDC_PIN_RADIOS{1036, 1038, 1040, 1041, 1042, 1043, 1044, 1045, 1046};
// The hidden statics whose rectangles place the usage bars of pins 1..9.
inline constexpr int IDC_FIRST_PIN_MARKER = 1047;
inline constexpr std::array<int, kPinCount> IDC_PIN_MARKERS{1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055};

// Commands of the window's menu.
inline constexpr int IDM_ABOUTBOX = 0x0010;
inline constexpr int IDM_RESTORE_SETTINGS = 0x0020;
// System commands carry flags in their low four bits.
inline constexpr int kSysCommandMask = 0xFFF0;

inline constexpr int POLL_TIMER_ID = 2;
inline constexpr std::uint32_t kPollPeriodMs = 500;

// What a modal wizard returns when the operator pressed Finish.
inline constexpr int ID_WIZFINISH = kWizardFinished;

}  // namespace zt40
