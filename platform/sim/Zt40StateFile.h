#pragma once
// The initial state of a simulated printer in a small text file, so that a demo or a test
// can start from worn pins, odd values or a faulty printer:
//
//     # pins 4 to 6 have done most of the work
//     serial        = ZT40-WORN-0042
//     adjustments   = 3 -2 0 5 -12 8 0 1 -4
//     pin_counters  = 120000 98000 150000 480000 512000 455000 30000 12000 9000
//     fault         = never_finish
//
// One `key = value` a line; numbers are decimal or 0x-hex, negative where the field is
// signed. Keys left out keep the defaults of a ready, fault-free printer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/SimulatedZt40.h"
#include "platform/sim/Zt40State.h"

namespace zt40 {

// The serial of the demo queue's printer, so that a state file without a serial fits it.
inline constexpr std::string_view kDefaultSimSerial = "SIM0001";

struct SimPrinterSetup {
    std::string serial{kDefaultSimSerial};
    Zt40State state;
    Zt40Faults faults;
    std::uint32_t notReadyReads = 0;        // status queries answered with notReadyStatus first
    std::uint16_t notReadyStatus = 0x0002;
    bool plugged = true;
    bool powered = true;
    bool heldElsewhere = false;  // another program holds the device: opening it finds it busy
};

struct StateFileError {
    std::size_t line = 0;  // 1-based; 0 when the file itself could not be read
    std::string message;
};

struct StateFileResult {
    SimPrinterSetup setup;               // with every good line applied
    std::vector<StateFileError> errors;  // every bad line, in order
    bool Ok() const { return errors.empty(); }
};

// A state file is a few hundred bytes; anything much larger is not one.
inline constexpr std::size_t kMaxStateFileSize = 64 * 1024;

StateFileResult ParseStateFile(std::string_view text);
// Reads only a regular file of at most kMaxStateFileSize bytes; anything else is an error on line 0.
StateFileResult LoadStateFile(const std::string& path);

// "path:line: message" for each error, one a line, with the file's own bytes escaped.
std::string DescribeErrors(std::string_view source, const std::vector<StateFileError>& errors);

// Gives the printer the setup's state, faults, readiness, cable and power. The serial is the
// printer's identity and is taken at construction, so it is not changed here.
void ApplySetup(SimulatedZt40& printer, const SimPrinterSetup& setup);

}  // namespace zt40
