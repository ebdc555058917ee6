#pragma once
// The pin-adjustment wizard's steps for a machine without a screen: the same pages and the
// same maintenance frame as the window's wizard, with a terminal in place of the window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/UsageRecordFile.h"
#include "session/PrinterSession.h"
#include "session/RollbackPrompt.h"
#include "types/PinData.h"
#include "wizards/AdjustPinPages.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

class ITerminal {
public:
    virtual ~ITerminal() = default;
    // One line without its end; nothing at the end of input or once interrupted.
    virtual std::optional<std::string> ReadLine(std::string_view prompt) = 0;
    virtual void Print(std::string_view text) = 0;   // results, on standard output
    virtual void Report(std::string_view text) = 0;  // messages and progress, on standard error
    virtual bool Interrupted() const = 0;
};

// "A1,B3,None,..." (nine labels, any letter case, blanks around each ignored).
std::optional<PinReadings> ParseReadings(std::string_view list);
// Asks for the nine readings pin by pin, again after a text that is no reading; nothing at
// the end of input or on interrupt.
std::optional<PinReadings> AskReadings(ITerminal& terminal);
// "corrections: -3 3 0 0 0 0 0 0 0"
std::string CorrectionsLine(const PinCorrections& corrections);

// Why there is no printer to adjust, in one line; nothing for a connect that chose no queue.
// `interrupted`: a signal came while connecting; `access`: what a failed open reported.
std::optional<std::string> NoPrinterText(const ConnectOutcome& connected, bool interrupted,
                                         DeviceAccessFailure access = DeviceAccessFailure::None);
// What a run that did not complete left on the printer: `signalled` when a signal ended it,
// else the input did.
std::string CancelledText(bool signalled, const RollbackFailure& notPutBack);

struct AdjustPinsRequest {
    bool print = true;                    // print the adjustment pattern first
    std::optional<PinReadings> readings;  // else asked for on the terminal
    std::optional<std::string> queue;     // the only queue to use (--queue); else the first usable
    const DeviceAccessReport* access = nullptr;  // why an open failed, when the platform tells
};

enum class AdjustPinsOutcome {
    Completed,    // written, read back, 'o' record
    Interrupted,  // a signal or the end of input: 'x' record, settings written back
    NotWritten,   // the printer took nothing: 'x' record
    NoPrinter,    // no ready ZT-40 to adjust, or cancelled while waiting for one; nothing recorded
};

// How long the terminal waits for a ready printer. The last status read may start just
// before it and take a whole command time-out, so the wait ends within the window's bound.
inline constexpr std::uint32_t kAdjustPinsReadyBoundMs = kReadyWaitBoundMs - kTransactionTimeoutMs;

struct AdjustPinsResult {
    AdjustPinsOutcome outcome = AdjustPinsOutcome::NoPrinter;
    ConnectEnd connectEnd = ConnectEnd::Ready;
    PrinterProblemKind problem = PrinterProblemKind::None;  // why there was no printer to adjust
    PinSettings readBack;                  // read from the printer after a completed run
    std::optional<Message> recordFailure;  // why the run's record was not kept
};

// Connects through the printer session and runs the wizard inside the maintenance frame,
// appending its record through `record` when given. Says on the terminal why a run did not
// start or did not complete, but for a connect that chose no queue: that is the caller's
// to say, in the words every command uses.
AdjustPinsResult RunAdjustPins(const DeviceLinkPlatform& platform, ITerminal& terminal, CPrintJobSender& sender,
                               const AdjustPinsRequest& request, const PauseFn& pause,
                               const UsageRecordPlatform* record = nullptr);

}  // namespace zt40
