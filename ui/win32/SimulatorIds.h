#pragma once
// The simulator window's control ids, by which the tests and the operator walk-throughs find
// and click its controls from outside the program.
namespace zt40::win {

inline constexpr int IDC_SIM_PLUGGED = 1101;
inline constexpr int IDC_SIM_POWERED = 1102;
inline constexpr int IDC_SIM_BUSY = 1103;
inline constexpr int IDC_SIM_ANSWERS = 1104;
inline constexpr int IDC_SIM_QUEUE_INSTALLED = 1105;
inline constexpr int IDC_SIM_QUEUE_ONLINE = 1106;
// One edit box a pin: IDC_SIM_PIN_FIRST + 0 for No.1 ... + 8 for No.9.
inline constexpr int IDC_SIM_PIN_FIRST = 1110;
inline constexpr int IDC_SIM_ALL_BANDS = 1120;
inline constexpr int IDC_SIM_JOBS = 1121;
inline constexpr int IDC_SIM_PRINT_QUEUED = 1122;

// The window's class, so a test finds the window itself.
inline constexpr wchar_t kSimulatorWindowClass[] = L"ZT40SimulatorWindow";

}  // namespace zt40::win
