#include "printjob/PrintJobSender.h"

#include <array>
#include <string>

#include "platform/PinRange.h"

namespace zt40 {

namespace {

constexpr std::string_view kDataType = "RAW";
constexpr std::string_view kAdjustmentDocument = "Adjustment";
constexpr std::string_view kOriginDocument = "OriginHeader";

constexpr Text kNoErrorText =
    ZT40_TR("CPrintJobSender", "The print spooler reported an error but gave no description of it.");
constexpr Text kMissingData = ZT40_TR("CPrintJobSender", "The print data %1 is missing from the program.");

}  // namespace

CPrintJobSender::CPrintJobSender(ISpooler& spooler, IMessageBox& messages, const IJobResources& resources)
    : m_spooler(spooler), m_messages(messages), m_resources(resources) {}

// Every step that fails is reported and the closing steps still run, so neither the
// document nor the queue is ever left open.
std::int32_t CPrintJobSender::SendResourceJob(std::string_view queueName, std::string_view docName,
                                              std::span<const int> resourceIds) {
    m_lastFailure.reset();
    auto queue = m_spooler.OpenQueue(queueName);
    if (!queue) {
        ReportSpoolerError();
        return 0;
    }
    const std::int32_t job = queue->StartDoc(docName, kDataType);
    if (job == 0) {
        ReportSpoolerError();
    } else {
        if (!queue->StartPage()) {
            ReportSpoolerError();
        } else {
            for (const int id : resourceIds) {
                // Handed over straight from the linked-in bytes, in one piece.
                const std::span<const std::uint8_t> bytes = m_resources.Find(id);
                if (bytes.empty()) {
                    const Message missing = Message::Of(kMissingData, {std::to_string(id)});
                    if (!m_lastFailure) m_lastFailure = missing;
                    m_messages.Show(missing, MbButtons::Ok, MbIcon::Warning);
                    continue;
                }
                std::size_t written = 0;
                if (!queue->Write(bytes, written) || written != bytes.size()) ReportSpoolerError();
            }
            if (!queue->EndPage()) ReportSpoolerError();
        }
        if (!queue->EndDoc()) ReportSpoolerError();
    }
    if (!queue->Close()) ReportSpoolerError();
    return job;
}

std::int32_t CPrintJobSender::PrintTestPattern(std::string_view queueName) {
    constexpr std::array kResources = {kPlainHeaderJob, kLettersBodyJob, kNinePinPatternJob};
    return SendResourceJob(queueName, kAdjustmentDocument, kResources);
}

// A pin outside 1 to 9 has no job: nothing is printed and nothing is shown.
std::int32_t CPrintJobSender::PrintLetters(std::string_view queueName, int pin) {
    if (!IsPinNumber(pin)) return 0;
    const std::array resources = {kPinHeaderJobBase + pin, kLettersBodyJob};
    return SendResourceJob(queueName, kAdjustmentDocument, resources);
}

std::int32_t CPrintJobSender::PrintOriginMark(std::string_view queueName, int pin) {
    if (!IsPinNumber(pin)) return 0;
    const std::array resources = {kPinHeaderJobBase + pin, kOriginBodyJob};
    return SendResourceJob(queueName, kOriginDocument, resources);
}

// Silent by design. Only real job ids go to the spooler: some spoolers read 0 or a
// negative id as "the current job" or "every job", and "no job yet" must cancel nothing.
void CPrintJobSender::CancelPrintJob(std::string_view queueName, std::int32_t jobId) {
    if (jobId <= 0) return;
    auto queue = m_spooler.OpenQueue(queueName);
    if (!queue) return;
    queue->CancelJob(jobId);
    queue->Close();
}

void CPrintJobSender::ReportSpoolerError() {
    const std::string text = m_spooler.LastErrorText();
    // The spooler's own wording is shown as it stands; it is already in the operator's language.
    const Message shown = text.empty() ? Message::Of(kNoErrorText) : Message::Verbatim(text);
    if (!m_lastFailure) m_lastFailure = shown;
    m_messages.Show(shown, MbButtons::Ok, MbIcon::Warning);
}

}  // namespace zt40
