#pragma once
// One printer, reached the same way by every front end: the queue chosen by the one rule,
// the device opened through it, the status read and classified, the wait for ready, and
// the data groups through the one gateway. The window drives it one poll at a time from its
// timer; the command line connects in one blocking call.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "device/CHeadDevice.h"
#include "platform/DeviceAccess.h"
#include "platform/Text.h"
#include "session/GroupGateway.h"
#include "session/QueueRule.h"
#include "session/ReadyWait.h"

namespace zt40 {

// Opens the device through `queueName` with the packet's request index and data size,
// closing whatever was open before.
bool OpenThroughQueue(CHeadDevice& device, std::string_view queueName);

// What a poll learnt on its way to the printer.
struct LinkState {
    bool spoolerAnswered = false;
    bool queueFound = false;
    bool deviceOpened = false;
    DeviceAccessFailure access = DeviceAccessFailure::None;
    SpoolerFailure spoolerFailure = SpoolerFailure::Unreachable;  // why it did not answer
};

// The first thing wrong on the way to the printer, in the operator's words; nothing when the
// connect request already says it all (no queue, printer not found).
std::optional<Message> LinkProblem(const LinkState& state);

// One tick of the connection poll.
struct SessionPoll {
    bool spoolerAnswered = false;
    bool queueFound = false;                // a queue passed the rule (and the name, when one was given)
    std::optional<std::string> triedQueue;  // the last queue whose device this poll tried to open
    bool becameReady = false;               // this poll found the opened printer ready
    bool usable = false;                    // the front end may offer the printer's actions
    NearestQueue nearest;                   // when no queue passed the rule: the one nearest to it
};

// How a blocking connect ended.
enum class ConnectEnd {
    Ready,
    SpoolerUnreachable,
    SpoolerNotAnswering,
    NoUsableQueue,
    NoSuchQueue,  // --queue named a queue the spooler does not have
    OpenFailed,  // the access report says why
    NotReady,    // answered, not ready within the bound
    NoAnswer,    // the status could not be read (the status says whether with an error state)
    Cancelled,
};

struct ConnectOutcome {
    ConnectEnd end = ConnectEnd::NoUsableQueue;
    std::string queueName;  // the queue chosen, when one was
    PrinterStatus status;   // the last status read
};

// The queue choice a connect failed at, when it ended before a queue was chosen.
std::optional<QueueChoiceStatus> FailedQueueChoice(ConnectEnd end);

// Why a chosen queue's printer was not reached ready: one classification, so that the doctor,
// the commands and the window's reason line name a held printer or an error state alike.
enum class PrinterProblemKind {
    None,          // ready
    NotFound,      // unplugged or switched off
    NoPermission,  // this user may not open the device
    Held,          // another program holds the device
    CannotOpen,    // there, but opening it failed otherwise
    NoAnswer,      // open, but the status query went unanswered
    ErrorState,    // open, and the printer answered the status query with an error state
    NotReady,      // answered, but busy
    Cancelled,
};

struct PrinterProblem {
    PrinterProblemKind kind = PrinterProblemKind::None;
    PrinterStatus status;  // the last status read, for an error state or a busy word

    // The operator's words ("... in use by another program.", "... reports error state 5. ...");
    // nothing when ready.
    std::optional<Message> Reason() const;
};

// The printer's name for its samples as its queue's device URI gives it (the USB serial), for
// a report about a printer that could not be opened; empty when the URI names no serial.
std::string PrinterNameFromPort(std::string_view portName);

// Which queue and printer a connect was about, also when it failed: a report that keeps
// naming them lets a dashboard show the failure on the printer's own series.
struct PrinterIdentity {
    std::string queue;
    std::string printer;
};

// `access` is what the open reported; it decides only for OpenFailed.
PrinterProblem ClassifyPrinterProblem(ConnectEnd end, const PrinterStatus& status, DeviceAccessFailure access);

class PrinterSession {
public:
    // `queue`, when given, is the only queue the session uses (--queue). `pause` spaces the
    // status reads of a blocking wait.
    PrinterSession(const DeviceLinkPlatform& platform, PauseFn pause = SleepPause,
                   const DeviceAccessReport* access = nullptr, std::optional<std::string> queue = std::nullopt);
    ~PrinterSession();
    PrinterSession(const PrinterSession&) = delete;
    PrinterSession& operator=(const PrinterSession&) = delete;

    // --- step by step, for a window's timer ---
    // Lists the queues; opens the first usable one's device when none is open; reads the
    // status of an opened printer not yet ready (the rule LowBitsAreOne). Sends nothing
    // once the printer is ready.
    SessionPoll Poll();
    // Device nodes came or went: reopens the stored path, or forgets the device so that the
    // next poll searches again. False when the device is gone, or when a command is waiting for
    // its answer: the next poll reopens then.
    bool OnDevicesChanged();
    // A command waits for the printer's answer; a window's events may run meanwhile, and no
    // poll may send anything until it ends.
    bool InCommand() const { return m_device.InTransaction(); }
    // Why the printer of the last poll is not usable, for a status line.
    std::optional<Message> ReasonForNoPrinter(const SessionPoll& poll) const;
    // The queue list: the usable queues' names, sorted; empty when the spooler is silent.
    std::vector<std::string> UsableQueues();
    // Takes `name` as the session's queue without opening anything (the hidden list's choice).
    void AdoptQueueName(std::string name) { m_queueName = std::move(name); }

    // --- in one call, for the command line ---
    // Chooses the queue (the given one, else the first usable), opens its device and waits
    // up to `boundMs` for ready by `rule`; `cancelled` is asked between status reads.
    ConnectOutcome Connect(std::uint32_t boundMs, ReadyRule rule = ReadyRule::LowBitsAreOne,
                           const std::function<bool()>& cancelled = {});
    // Opens the device of `queueName` directly (--device names the device, not the queue).
    bool Open(const std::string& queueName);
    // Waits up to `boundMs` for ready by `rule` on the open device.
    ConnectOutcome WaitForReady(std::uint32_t boundMs, ReadyRule rule, const std::function<bool()>& cancelled = {});

    // --- the printer ---
    PrinterStatus ReadStatus() { return ReadPrinterStatus(m_device); }
    // Before a write or a cleaning step: status exactly 1 within kReadyWaitBoundMs. The cancel
    // test, when set, is asked before every status read.
    bool WaitUntilReady();
    void SetCancelTest(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // Why the latest WaitUntilReady ended without ready; nothing after one that succeeded.
    std::optional<Message> WaitFailure() const;
    GroupGateway& Groups() { return m_groups; }
    CHeadDevice& Device() { return m_device; }
    IClock& Clock() { return m_clock; }
    ISpooler& Spooler() { return m_spooler; }
    const DeviceAccessReport* Access() const { return m_access; }
    // The opened printer's name for its counter samples (USB serial, or "port:" and its port
    // path); empty without an access report or an open device.
    std::string PrinterName() const { return m_access && m_opened ? m_access->OpenedPrinter() : std::string(); }
    // After `connected`: the chosen queue, else the offline ZT-40 queue nearest to the rule
    // (its printer unplugged or switched off); the opened printer's name, else its queue's.
    PrinterIdentity IdentityAfter(const ConnectOutcome& connected);

    bool Opened() const { return m_opened; }
    bool Ready() const { return m_ready; }
    const std::string& QueueName() const { return m_queueName; }
    // Closes the device; the next poll or connect opens it again.
    void Close() {
        m_device.Close();
        m_opened = m_ready = false;
    }
    // A command found the printer silent, busy or in error: the next poll reads its status
    // again, and it is ready only when that says so.
    void Unready() { m_ready = false; }
    // Back to the state of a program that has not polled yet; the device stays as it is.
    void Forget() { m_opened = m_ready = false; }

private:
    ISpooler& m_spooler;
    IClock& m_clock;
    PauseFn m_pause;
    std::function<bool()> m_cancelled;
    WaitStep m_lastWaitEnd = WaitStep::Ready;
    PrinterStatus m_lastWaitStatus;
    const DeviceAccessReport* m_access;
    std::optional<std::string> m_onlyQueue;
    CHeadDevice m_device;
    GroupGateway m_groups;
    std::string m_queueName;
    bool m_opened = false;
    bool m_ready = false;
    bool m_devicesChanged = false;  // told during a command, handled by the next poll
    PrinterStatus m_pollStatus;  // the status the latest poll read of the opened printer
};

}  // namespace zt40
