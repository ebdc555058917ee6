#pragma once
// Writes the embedded adjustment jobs unchanged into one RAW spooler document,
// and cancels such a job. Every failed spooler step is shown to the operator.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/JobResources.h"
#include "platform/MessageBox.h"
#include "platform/Spooler.h"

namespace zt40 {

inline constexpr std::int32_t kNoJob = -1;

class CPrintJobSender {
public:
    CPrintJobSender(ISpooler& spooler, IMessageBox& messages, const IJobResources& resources);

    // The job id, 0 when no document was started.
    std::int32_t SendResourceJob(std::string_view queueName, std::string_view docName,
                                 std::span<const int> resourceIds);
    std::int32_t PrintTestPattern(std::string_view queueName);
    std::int32_t PrintLetters(std::string_view queueName, int pin);
    std::int32_t PrintOriginMark(std::string_view queueName, int pin);
    void CancelPrintJob(std::string_view queueName, std::int32_t jobId);
    void ReportSpoolerError();
    // Why the latest job was not handed over whole: the first failed step's text; nothing
    // when every step went through.
    const std::optional<Message>& LastFailure() const { return m_lastFailure; }

private:
    ISpooler& m_spooler;
    IMessageBox& m_messages;
    const IJobResources& m_resources;
    std::optional<Message> m_lastFailure;
};

}  // namespace zt40
