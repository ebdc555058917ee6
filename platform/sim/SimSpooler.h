#pragma once
// A print spooler held in memory, for the demo and for tests that need exact control:
// queues whose attributes may follow a simulated printer's state, every call recorded in
// order, each document's bytes kept, and faults injected into any step.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/JobResources.h"
#include "platform/Spooler.h"

namespace zt40 {

// The queue of the demo's simulated ZT-40 and the port that leads to it.
inline constexpr std::string_view kSimQueueName = "ZT-40";
inline constexpr std::string_view kSimPrinterSerial = "SIM0001";
inline constexpr std::string_view kSimPrinterPort = "USB://Velmora/ZT-40?serial=SIM0001";

enum class SimSpoolStep { Open, GetInfo, StartDoc, StartPage, Write, EndPage, EndDoc, Cancel, Close, Release };

struct SimSpoolCall {
    SimSpoolCall(SimSpoolStep step_, std::string queue_) : step(step_), queue(std::move(queue_)) {}

    SimSpoolStep step = SimSpoolStep::Open;
    std::string queue;
    bool succeeded = true;
    std::int32_t jobId = 0;     // StartDoc: the new job; Cancel: the job asked for
    std::size_t size = 0;       // Write: bytes offered
    std::size_t accepted = 0;   // Write: bytes taken
    std::string docName;        // StartDoc

    // One line such as "open ZT-40", "startdoc Adjustment RAW -> 3", "write 149", "enddoc failed".
    std::string Describe() const;
};

// A fault fires on calls of one step: after `skip` matching calls have succeeded, the next
// `count` matching calls fail (or, for a write with `acceptBytes`, succeed short).
struct SimFault {
    static constexpr int kAlways = -1;

    static SimFault Failing(SimSpoolStep step, std::string errorText) {
        SimFault fault;
        fault.step = step;
        fault.errorText = std::move(errorText);
        return fault;
    }
    // The write reports success but takes only `acceptBytes`; `errorText`, when given,
    // is what the spooler reports as its last error afterwards.
    static SimFault ShortWrite(std::size_t acceptBytes, std::string errorText = {}) {
        SimFault fault = Failing(SimSpoolStep::Write, std::move(errorText));
        fault.acceptBytes = acceptBytes;
        return fault;
    }
    SimFault& After(int successes) { skip = successes; return *this; }
    SimFault& Times(int calls) { count = calls; return *this; }
    SimFault& Always() { count = kAlways; return *this; }
    SimFault& OnQueue(std::string name) { queue = std::move(name); return *this; }

    SimSpoolStep step = SimSpoolStep::Open;
    std::string errorText;                   // becomes the spooler's last error text
    std::optional<std::size_t> acceptBytes;  // Write only: report success but take only this many bytes
    int skip = 0;
    int count = 1;       // or kAlways
    std::string queue;   // empty: any queue
};

struct SimWrite {
    const std::uint8_t* data = nullptr;  // the very pointer the caller handed over
    std::size_t size = 0;
    std::size_t accepted = 0;
    int embeddedResource = 0;  // the known job whose memory `data` lies in, 0 for any other memory
};

enum class SimJobState {
    Spooling,   // document started, not yet ended
    Queued,     // ended, waiting in the queue
    Printed,    // has left the queue by printing
    Cancelled,  // removed from the queue by a cancel
    Failed,     // its end failed
    Abandoned,  // its queue handle was closed while the document was still open
};

struct SimJob {
    std::int32_t id = 0;
    std::string queue;
    std::string docName;
    std::string dataType;
    SimJobState state = SimJobState::Spooling;
    int pages = 0;
    std::vector<std::uint8_t> bytes;
    std::vector<SimWrite> writes;
};

class SimSpooler final : public ISpooler {
public:
    using AttributesFn = std::function<std::uint32_t()>;

    // With `jobs`, each write is told apart by which of those jobs its bytes were taken from.
    explicit SimSpooler(const IJobResources* jobs = nullptr);
    ~SimSpooler() override;
    SimSpooler(const SimSpooler&) = delete;
    SimSpooler& operator=(const SimSpooler&) = delete;

    // With `attributes`, the queue's attributes are asked for each time (a printer that is
    // switched off or unplugged can take its queue offline); otherwise info.attributes is used.
    void AddQueue(QueueInfo info, AttributesFn attributes = {});
    bool RemoveQueue(std::string_view name);

    void InjectFault(SimFault fault);
    void ClearFaults();

    // Queued jobs leave the queue as printed; with print-on-arrival they do so at their end.
    void PrintQueuedJobs();
    void SetPrintOnArrival(bool enabled) { m_printOnArrival = enabled; }

    const std::vector<SimSpoolCall>& Calls() const { return m_calls; }
    std::vector<std::string> CallLog() const;
    void ClearCalls() { m_calls.clear(); }

    // Every document ever started, in order.
    const std::vector<SimJob>& Jobs() const { return m_jobs; }
    const SimJob* FindJob(std::int32_t id) const;
    std::vector<std::int32_t> QueuedJobIds(std::string_view queueName) const;
    // Queue handles given out and not yet closed.
    int OpenHandleCount() const { return m_openHandles; }

    // ISpooler
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override;
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override;
    std::string LastErrorText() override { return m_lastError; }

private:
    class Handle;
    friend class Handle;

    struct Queue {
        QueueInfo info;
        AttributesFn attributes;
    };

    const Queue* FindQueue(std::string_view name) const;
    SimJob* FindJobMutable(std::int32_t id);
    QueueInfo Describe(const Queue& queue) const;
    // The fault that hits this call, if any; consumes it.
    std::optional<SimFault> TakeFault(SimSpoolStep step, std::string_view queue);
    void Record(SimSpoolCall call);
    void SetError(std::string text) { m_lastError = std::move(text); }

    std::vector<Queue> m_queues;
    std::vector<SimFault> m_faults;
    std::vector<SimSpoolCall> m_calls;
    std::vector<SimJob> m_jobs;
    std::string m_lastError;
    std::int32_t m_nextJobId = 1;
    int m_openHandles = 0;
    bool m_printOnArrival = false;
    const IJobResources* m_jobResources = nullptr;
};

// The demo's setup: the ZT-40 queue on the simulated printer's USB port.
void AddDemoQueue(SimSpooler& spooler, SimSpooler::AttributesFn attributes = {});

}  // namespace zt40
