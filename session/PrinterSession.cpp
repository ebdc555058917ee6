#include "session/PrinterSession.h"

#include <utility>
#include <vector>

#include "platform/UsbDeviceUri.h"
#include "platform/WireFormat.h"
#include "session/Outcome.h"

namespace zt40 {

bool OpenThroughQueue(CHeadDevice& device, std::string_view queueName) {
    device.Close();
    return device.Open(queueName, wire::kRequestIndex, wire::kDataSize);
}

std::optional<Message> LinkProblem(const LinkState& state) {
    if (!state.spoolerAnswered) return Message::Of(SpoolerFailureHint(state.spoolerFailure));
    if (!state.queueFound) return std::nullopt;
    // A device that is there but cannot be opened, or is open but does not answer, is worth
    // a line of its own; "not found" is what the connect request says already.
    const bool openRefused = state.access == DeviceAccessFailure::NoPermission ||
                             state.access == DeviceAccessFailure::Busy || state.access == DeviceAccessFailure::OpenFailed;
    if (state.deviceOpened && state.access == DeviceAccessFailure::NotAnswering) {
        return Message::Of(DeviceAccessHint(state.access));
    }
    if (!state.deviceOpened && openRefused) {
        return ClassifyPrinterProblem(ConnectEnd::OpenFailed, PrinterStatus(), state.access).Reason();
    }
    return std::nullopt;
}

std::optional<QueueChoiceStatus> FailedQueueChoice(ConnectEnd end) {
    switch (end) {
    case ConnectEnd::SpoolerUnreachable:
        return QueueChoiceStatus::SpoolerUnreachable;
    case ConnectEnd::SpoolerNotAnswering:
        return QueueChoiceStatus::SpoolerNotAnswering;
    case ConnectEnd::NoUsableQueue:
        return QueueChoiceStatus::NoUsableQueue;
    case ConnectEnd::NoSuchQueue:
        return QueueChoiceStatus::NoSuchQueue;
    default:
        return std::nullopt;
    }
}

std::string PrinterNameFromPort(std::string_view portName) {
    const auto uri = ParseUsbDeviceUri(portName);
    return uri && uri->serial ? *uri->serial : std::string();
}

PrinterProblem ClassifyPrinterProblem(ConnectEnd end, const PrinterStatus& status, DeviceAccessFailure access) {
    using Kind = PrinterProblemKind;
    switch (end) {
    case ConnectEnd::Ready:
        return {Kind::None, status};
    case ConnectEnd::OpenFailed:
        switch (access) {
        case DeviceAccessFailure::NoPermission: return {Kind::NoPermission, status};
        case DeviceAccessFailure::Busy: return {Kind::Held, status};
        case DeviceAccessFailure::OpenFailed: return {Kind::CannotOpen, status};
        // A device that opened and then went silent is told as silence.
        case DeviceAccessFailure::NotAnswering: return {Kind::NoAnswer, status};
        default: return {Kind::NotFound, status};
        }
    case ConnectEnd::NotReady:
        return {Kind::NotReady, status};
    case ConnectEnd::Cancelled:
        return {Kind::Cancelled, status};
    case ConnectEnd::NoAnswer:
        return {status.ErrorCode() ? Kind::ErrorState : Kind::NoAnswer, status};
    default:  // before a queue was chosen: the queue's reasons say it
        return {Kind::NotFound, status};
    }
}

std::optional<Message> PrinterProblem::Reason() const {
    using Kind = PrinterProblemKind;
    switch (kind) {
    case Kind::None: return std::nullopt;
    case Kind::NotFound: return Message::Of(DeviceAccessHint(DeviceAccessFailure::DeviceNotFound));
    case Kind::NoPermission: return Message::Of(DeviceAccessHint(DeviceAccessFailure::NoPermission));
    case Kind::Held: return Message::Of(DeviceAccessHint(DeviceAccessFailure::Busy));
    case Kind::CannotOpen: return Message::Of(DeviceAccessHint(DeviceAccessFailure::OpenFailed));
    case Kind::Cancelled: return WaitFailureReason(WaitStep::Cancelled, status);
    case Kind::NotReady: return StatusReason(status, ReadyRule::LowBitsAreOne);
    case Kind::NoAnswer:
    case Kind::ErrorState: break;
    }
    return WaitFailureReason(WaitStep::NoAnswer, status);
}

PrinterSession::PrinterSession(const DeviceLinkPlatform& platform, PauseFn pause, const DeviceAccessReport* access,
                               std::optional<std::string> queue)
    : m_spooler(platform.spooler),
      m_clock(platform.clock),
      m_pause(std::move(pause)),
      m_access(access),
      m_onlyQueue(std::move(queue)),
      m_device(platform),
      m_groups(m_device, [this] { return WaitUntilReady(); }) {}

PrinterSession::~PrinterSession() { m_device.Close(); }

SessionPoll PrinterSession::Poll() {
    if (std::exchange(m_devicesChanged, false)) OnDevicesChanged();
    SessionPoll poll;
    std::vector<QueueInfo> queues;
    poll.spoolerAnswered = m_spooler.EnumLocalQueues(queues);
    if (!poll.spoolerAnswered) queues.clear();

    // The first usable queue whose device opens is kept; a later tick only reads its status
    // until it is ready.
    std::optional<bool> stoppedWith;
    for (const auto& queue : queues) {
        if (!MatchesPrinterQueue(queue) || (m_onlyQueue && queue.name != *m_onlyQueue)) continue;
        poll.queueFound = true;
        if (!m_opened) {
            m_queueName = queue.name;
            poll.triedQueue = queue.name;
            m_opened = OpenThroughQueue(m_device, m_queueName);
            if (!m_opened) continue;
        }
        if (m_ready) continue;
        m_pollStatus = ReadStatus();
        if (m_pollStatus.IsReady(ReadyRule::LowBitsAreOne)) {
            m_ready = true;
            poll.becameReady = true;
        }
        stoppedWith = m_opened && m_ready;
        break;
    }
    poll.usable = stoppedWith.value_or(poll.queueFound && m_opened && m_ready);
    if (!poll.queueFound) poll.nearest = FindNearestQueue(queues, m_onlyQueue);
    return poll;
}

bool PrinterSession::OnDevicesChanged() {
    // Reopening under a command would close the handle it is using.
    if (m_device.InTransaction()) {
        m_devicesChanged = true;
        return false;
    }
    if (m_device.Reopen()) return true;
    // The stored path is gone; the printer may be back on another port, which only its
    // queue can tell, so the next poll searches again.
    m_ready = false;
    m_opened = false;
    return false;
}

// A spooler that answered without a usable queue says what is wrong with the nearest one; an
// open printer that is not ready says whether it is busy, in an error state or silent.
std::optional<Message> PrinterSession::ReasonForNoPrinter(const SessionPoll& poll) const {
    if (poll.spoolerAnswered && !poll.queueFound) return NoQueueReason(poll.nearest, m_onlyQueue);
    std::optional<Message> reason =
        LinkProblem({poll.spoolerAnswered, poll.queueFound && m_access != nullptr, m_opened,
                     m_access ? m_access->Last() : DeviceAccessFailure::None, m_spooler.LastFailure()});
    if (!reason && poll.queueFound && m_opened && !m_ready) {
        const ConnectEnd end = m_pollStatus.Answered() ? ConnectEnd::NotReady : ConnectEnd::NoAnswer;
        reason = ClassifyPrinterProblem(end, m_pollStatus, DeviceAccessFailure::None).Reason();
    }
    return reason;
}

std::vector<std::string> PrinterSession::UsableQueues() {
    std::vector<QueueInfo> queues;
    if (!m_spooler.EnumLocalQueues(queues)) queues.clear();
    return UsableQueueNames(queues);
}

PrinterIdentity PrinterSession::IdentityAfter(const ConnectOutcome& connected) {
    PrinterIdentity identity{connected.queueName, PrinterName()};
    if (!identity.printer.empty()) return identity;
    std::vector<QueueInfo> queues;
    if (!m_spooler.EnumLocalQueues(queues)) return identity;
    if (identity.queue.empty()) {
        const NearestQueue nearest = FindNearestQueue(queues, m_onlyQueue);
        if (nearest.why != QueueUnusable::Offline) return identity;
        identity.queue = nearest.name;
    }
    for (const auto& queue : queues) {
        if (queue.name == identity.queue) identity.printer = PrinterNameFromPort(queue.portName);
    }
    return identity;
}

bool PrinterSession::Open(const std::string& queueName) {
    m_queueName = queueName;
    m_ready = false;
    m_opened = OpenThroughQueue(m_device, queueName);
    return m_opened;
}

ConnectOutcome PrinterSession::Connect(std::uint32_t boundMs, ReadyRule rule, const std::function<bool()>& cancelled) {
    const QueueChoice choice = ChooseQueue(m_spooler, m_onlyQueue);
    if (choice.status == QueueChoiceStatus::SpoolerUnreachable) return {ConnectEnd::SpoolerUnreachable, {}, {}};
    if (choice.status == QueueChoiceStatus::SpoolerNotAnswering) return {ConnectEnd::SpoolerNotAnswering, {}, {}};
    if (choice.status == QueueChoiceStatus::NoUsableQueue) return {ConnectEnd::NoUsableQueue, {}, {}};
    if (choice.status == QueueChoiceStatus::NoSuchQueue) return {ConnectEnd::NoSuchQueue, {}, {}};
    if (!Open(choice.name)) return {ConnectEnd::OpenFailed, choice.name, {}};
    return WaitForReady(boundMs, rule, cancelled);
}

ConnectOutcome PrinterSession::WaitForReady(std::uint32_t boundMs, ReadyRule rule,
                                            const std::function<bool()>& cancelled) {
    ReadyWait wait(m_device, m_clock, rule, boundMs);
    const WaitStep step = RunToEnd(wait, m_pause, cancelled);
    m_ready = step == WaitStep::Ready;
    const ConnectEnd end = step == WaitStep::Ready       ? ConnectEnd::Ready
                           : step == WaitStep::NoAnswer  ? ConnectEnd::NoAnswer
                           : step == WaitStep::Cancelled ? ConnectEnd::Cancelled
                                                         : ConnectEnd::NotReady;
    return {end, m_queueName, wait.Last()};
}

bool PrinterSession::WaitUntilReady() {
    ReadyWait wait(m_device, m_clock, ReadyRule::StatusIsOne);
    m_lastWaitEnd = RunToEnd(wait, m_pause, m_cancelled);
    m_lastWaitStatus = wait.Last();
    return m_lastWaitEnd == WaitStep::Ready;
}

std::optional<Message> PrinterSession::WaitFailure() const {
    return WaitFailureReason(m_lastWaitEnd, m_lastWaitStatus);
}

}  // namespace zt40
