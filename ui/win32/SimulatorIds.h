#pragma once
// The simulator window's control ids, by which the tests and the operator walk-throughs find
// and click its controls from outside the program.
namespace zt40::win {

inline constexpr int IDC_SIM_PLUGGED = 1301;
inline constexpr int IDC_SIM_POWERED = 1302;
inline constexpr int IDC_SIM_BUSY = 1303;
inline constexpr int IDC_SIM_ANSWERS = 1304;
inline constexpr int IDC_SIM_QUEUE_INSTALLED = 1305;
inline constexpr int IDC_SIM_QUEUE_ONLINE = 1306;
// One edit box a pin: IDC_SIM_PIN_FIRST + 0 for No.1 ... + 8 for No.9.
inline constexpr int IDC_SIM_PIN_FIRST = 1310;
inline constexpr int IDC_SIM_ALL_BANDS = 1320;
inline constexpr int IDC_SIM_JOBS = 1321;
inline constexpr int IDC_SIM_PRINT_QUEUED = 1322;

// The window's class, so a test finds the window itself.
inline constexpr wchar_t kSimulatorWindowClass[] = L"ZT40SimulatorWindow";

}  // namespace zt40::win
