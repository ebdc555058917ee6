#pragma once
// The main window's control ids and commands. The Qt layer names its widgets after them
// ("control1032"), so tests and translations find a control by the id the logic uses.
#include <array>
#include <cstdint>

#include "app/ControlIdValues.h"
#include "platform/PinRange.h"
#include "session/PinwardenServices.h"

namespace zt40 {

inline constexpr int IDC_CLEANING = ZT40_IDC_CLEANING;
inline constexpr int IDC_STATUS_LINE = ZT40_IDC_STATUS_LINE;
inline constexpr int IDC_REPLACE_HEAD = ZT40_IDC_REPLACE_HEAD;
inline constexpr int IDC_READJUST_PINS = ZT40_IDC_READJUST_PINS;
inline constexpr int IDC_APPLY_PIN_CHANGE = ZT40_IDC_APPLY_PIN_CHANGE;
inline constexpr int IDC_REFRESH = ZT40_IDC_REFRESH;
inline constexpr int IDC_PRINTER_LIST = ZT40_IDC_PRINTER_LIST;

// The radio buttons of pins 1..9.
inline constexpr std::array<int, kPinCount> IDC_PIN_RADIOS{ZT40_IDC_PIN1, ZT40_IDC_PIN2, ZT40_IDC_PIN3,
                                                           ZT40_IDC_PIN4, ZT40_IDC_PIN5, ZT40_IDC_PIN6,
                                                           ZT40_IDC_PIN7, ZT40_IDC_PIN8, ZT40_IDC_PIN9};
// The hidden statics whose rectangles place the usage bars of pins 1..9.
inline constexpr int IDC_FIRST_PIN_MARKER = ZT40_IDC_MARKER1;
inline constexpr std::array<int, kPinCount> IDC_PIN_MARKERS{ZT40_IDC_MARKER1, ZT40_IDC_MARKER2, ZT40_IDC_MARKER3,
                                                            ZT40_IDC_MARKER4, ZT40_IDC_MARKER5, ZT40_IDC_MARKER6,
                                                            ZT40_IDC_MARKER7, ZT40_IDC_MARKER8, ZT40_IDC_MARKER9};

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
