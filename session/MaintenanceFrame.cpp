#include "session/MaintenanceFrame.h"

#include "session/Outcome.h"

namespace zt40 {

namespace {

constexpr Text kRunOn = ZT40_TR("Outcome", "A maintenance wizard is open: finish or cancel it first.");

}  // namespace

std::optional<Message> MaintenanceFrame::Save() {
    if (m_running) return Message::Of(kRunOn);
    // The status is asked even of a printer the poll has not found ready yet, as the
    // window's own read always did.
    const PrinterStatus status = m_session.ReadStatus();
    if (!status.IsReady(ReadyRule::LowBitsAreOne)) return StatusReason(status, ReadyRule::LowBitsAreOne);
    if (!m_session.Ready()) return StatusReason(PrinterStatus{});
    const bool read = m_session.Groups().ReadBoth(m_copies.settings, m_copies.counters).Ok();
    m_copies.savedSettings = m_copies.settings;
    m_copies.savedCounters = m_copies.counters;
    if (!read) return WaitFailureReason(WaitStep::NoAnswer, m_session.ReadStatus());
    return std::nullopt;
}

// The refresh stays off until the write back is settled, so that a poll that reconnects
// meanwhile cannot take the run's values as the ones to restore.
bool MaintenanceFrame::Run(PutBack putBack, const std::function<bool()>& body) {
    const bool both = putBack == PutBack::BothGroups;
    m_putBackFailure = {};
    m_running = true;
    const bool finished = body();
    WriteUsageRecord(finished);
    if (m_waitShow) m_waitShow(Message::Of(finished ? kReadingBack : kPuttingBack));
    if (finished) {
        ReadBack();
        m_copies.savedSettings = m_copies.settings;
        m_copies.savedCounters = m_copies.counters;
    } else {
        m_copies.settings = m_copies.savedSettings;
        if (both) m_copies.counters = m_copies.savedCounters;
        PutBackSaved(both);
    }
    if (m_waitShow) m_waitShow(std::nullopt);
    m_running = false;
    return finished;
}

bool MaintenanceFrame::ReadBack() {
    m_readBack = m_session.Groups().ReadBoth(m_copies.settings, m_copies.counters).Ok();
    return m_readBack;
}

// A group is put back when the printer, read afterwards, holds the saved values. Saved values
// that fail their range checks were never the printer's to restore and are left alone. The
// first write the printer does not take ends the attempt: a silent printer would otherwise
// keep the operator waiting out every further command's time-out for a known failure.
RollbackFailure MaintenanceFrame::WriteBack(bool settings, bool counters) {
    const bool settingsDue = settings && IsValidPinSettings(m_copies.savedSettings);
    const bool countersDue = counters && IsValidUsageCounters(m_copies.savedCounters);
    RollbackFailure failed;
    auto& groups = m_session.Groups();
    if (settingsDue) failed.pinSettings = !groups.WritePinSettings(m_copies.savedSettings);
    if (countersDue) failed.usageCounters = failed.pinSettings || !groups.WriteUsageCounters(m_copies.savedCounters);
    if (failed.Any()) {
        m_readBack = false;
        return failed;
    }
    const bool read = ReadBack();
    if (settingsDue && (!read || m_copies.settings != m_copies.savedSettings)) failed.pinSettings = true;
    if (countersDue && (!read || m_copies.counters != m_copies.savedCounters)) failed.usageCounters = true;
    return failed;
}

void MaintenanceFrame::PutBackSaved(bool counters) {
    RollbackFailure& failed = m_putBackFailure;
    failed = WriteBack(true, counters);
    while (failed.Any()) {
        // The box stands alone: the wait is not on show behind it while the operator decides.
        if (m_waitShow) m_waitShow(std::nullopt);
        // A put-back that was written and read back but differs found the printer answering.
        if (m_silenceShow && !m_readBack) {
            m_silenceShow(m_session.WaitFailure().value_or(*WaitFailureReason(WaitStep::NoAnswer, PrinterStatus{})));
        }
        if (m_prompt.Show(RollbackFailedMessage(failed), MbButtons::RetryCancel, MbIcon::Warning) != MbResult::Retry) {
            return;
        }
        if (m_waitShow) m_waitShow(Message::Of(kPuttingBack));
        failed = WriteBack(failed.pinSettings, failed.usageCounters);
    }
}

std::optional<Message> MaintenanceFrame::WriteUsageRecord(bool finished) {
    m_recordFailure.reset();
    if (m_record) m_recordFailure = m_record->Append(finished, LocalDate(), m_copies.savedSettings, m_copies.savedCounters);
    if (m_recordFailure) m_prompt.Show(*m_recordFailure, MbButtons::Ok, MbIcon::Warning);
    return m_recordFailure;
}

RestoreOutcome MaintenanceFrame::Restore(Fresh fresh) {
    if (fresh == Fresh::ReadFirst) Save();
    auto& groups = m_session.Groups();
    const RestoreWriters writers{
        [&groups](const PinSettings& settings) { return groups.WritePinSettings(settings); },
        [&groups](const UsageCounters& counters) { return groups.WriteUsageCounters(counters); },
        [this](const Message& message, MbIcon icon) { m_prompt.Show(message, MbButtons::Ok, icon); },
    };
    return RestoreFromRecordFile(m_record ? &*m_record : nullptr, m_copies.settings, m_copies.counters, writers);
}

RestoreOutcome MaintenanceFrame::PreviewRestore(Fresh fresh) {
    if (fresh == Fresh::ReadFirst) Save();
    PinSettings settings = m_copies.settings;
    UsageCounters counters = m_copies.counters;
    return RestoreFromRecordFile(m_record ? &*m_record : nullptr, settings, counters, {}, true);
}

}  // namespace zt40
