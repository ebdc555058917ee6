#include "platform/sim/SimSpooler.h"

#include <algorithm>
#include <functional>


namespace zt40 {

namespace {

// The wording a desktop spooler uses for the same situations.
constexpr std::string_view kUnknownQueueText = "The printer name is invalid.";
constexpr std::string_view kClosedHandleText = "The handle is invalid.";
constexpr std::string_view kNoDocumentText = "No document has been started on this printer.";
constexpr std::string_view kDocumentOpenText = "A document is already being printed on this printer handle.";
constexpr std::string_view kNoPageText = "No page has been started.";
constexpr std::string_view kUnknownJobText = "The job id is invalid.";
constexpr std::string_view kQueueGoneText = "The printer has been deleted.";

// Which of the program's jobs, if any, the written bytes were taken from.
int EmbeddedResourceAt(const IJobResources* jobs, const std::uint8_t* data, std::size_t size) {
    if (jobs == nullptr) return 0;
    const std::less<const std::uint8_t*> before;
    for (const int id : kEmbeddedJobIds) {
        const auto resource = jobs->Find(id);
        if (resource.empty()) continue;
        const std::uint8_t* begin = resource.data();
        const std::uint8_t* end = begin + resource.size();
        if (!before(data, begin) && !before(end, data) && size <= static_cast<std::size_t>(end - data)) return id;
    }
    return 0;
}

const char* StepName(SimSpoolStep step) {
    switch (step) {
        case SimSpoolStep::Open: return "open";
        case SimSpoolStep::GetInfo: return "getinfo";
        case SimSpoolStep::StartDoc: return "startdoc";
        case SimSpoolStep::StartPage: return "startpage";
        case SimSpoolStep::Write: return "write";
        case SimSpoolStep::EndPage: return "endpage";
        case SimSpoolStep::EndDoc: return "enddoc";
        case SimSpoolStep::Cancel: return "cancel";
        case SimSpoolStep::Close: return "close";
        case SimSpoolStep::Release: return "release";
    }
    return "?";
}

}  // namespace

std::string SimSpoolCall::Describe() const {
    std::string text = StepName(step);
    switch (step) {
        case SimSpoolStep::Open: text += " " + queue; break;
        case SimSpoolStep::StartDoc:
            text += " " + docName;
            if (succeeded) text += " -> " + std::to_string(jobId);
            break;
        case SimSpoolStep::Write:
            text += " " + std::to_string(size);
            if (succeeded && accepted != size) text += " accepted " + std::to_string(accepted);
            break;
        case SimSpoolStep::Cancel: text += " " + std::to_string(jobId); break;
        default: break;
    }
    if (!succeeded) text += " failed";
    return text;
}

// One open queue. It refers to its spooler, which must outlive it.
class SimSpooler::Handle final : public ISpoolerQueue {
public:
    Handle(SimSpooler& spooler, std::string queueName) : m_spooler(spooler), m_queue(std::move(queueName)) {
        ++m_spooler.m_openHandles;
    }

    ~Handle() override {
        if (!m_open) return;
        // Dropped without Close: recorded, so tests can tell a leaked handle from a closed one.
        EndOpenDocument(SimJobState::Abandoned);
        Finish(SimSpoolStep::Release, true);
        Release();
    }

    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool GetInfo(QueueInfo& info) override {
        if (!Usable(SimSpoolStep::GetInfo)) return false;
        const Queue* queue = m_spooler.FindQueue(m_queue);
        if (!queue) return Fail(SimSpoolStep::GetInfo, kQueueGoneText);
        info = m_spooler.Describe(*queue);
        return Finish(SimSpoolStep::GetInfo, true);
    }

    std::int32_t StartDoc(std::string_view docName, std::string_view dataType) override {
        SimSpoolCall call(SimSpoolStep::StartDoc, m_queue);
        call.docName = std::string(docName);
        if (!Usable(call)) return 0;
        if (m_job != 0) {
            Fail(call, kDocumentOpenText);
            return 0;
        }
        if (!m_spooler.FindQueue(m_queue)) {
            Fail(call, kQueueGoneText);
            return 0;
        }
        SimJob job;
        job.id = m_spooler.m_nextJobId++;
        job.queue = m_queue;
        job.docName = std::string(docName);
        job.dataType = std::string(dataType);
        m_spooler.m_jobs.push_back(std::move(job));
        m_job = m_spooler.m_jobs.back().id;
        call.jobId = m_job;
        m_spooler.Record(std::move(call));
        return m_job;
    }

    bool StartPage() override {
        if (!Usable(SimSpoolStep::StartPage)) return false;
        if (m_job == 0) return Fail(SimSpoolStep::StartPage, kNoDocumentText);
        m_pageOpen = true;
        ++Job().pages;
        return Finish(SimSpoolStep::StartPage, true);
    }

    bool Write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        written = 0;
        SimSpoolCall call(SimSpoolStep::Write, m_queue);
        call.size = bytes.size();
        if (!m_open) return Fail(call, kClosedHandleText);
        if (m_job == 0) return Fail(call, kNoDocumentText);
        std::size_t accepted = bytes.size();
        if (auto fault = m_spooler.TakeFault(SimSpoolStep::Write, m_queue)) {
            if (!fault->acceptBytes) return Fail(call, fault->errorText);
            accepted = std::min(*fault->acceptBytes, bytes.size());
            if (!fault->errorText.empty()) m_spooler.SetError(fault->errorText);
        }
        SimJob& job = Job();
        job.writes.push_back({bytes.data(), bytes.size(), accepted, EmbeddedResourceAt(m_spooler.m_jobResources, bytes.data(), bytes.size())});
        job.bytes.insert(job.bytes.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(accepted));
        written = accepted;
        call.accepted = accepted;
        m_spooler.Record(std::move(call));
        return true;
    }

    bool EndPage() override {
        if (!Usable(SimSpoolStep::EndPage)) return false;
        if (!m_pageOpen) return Fail(SimSpoolStep::EndPage, kNoPageText);
        m_pageOpen = false;
        return Finish(SimSpoolStep::EndPage, true);
    }

    bool EndDoc() override {
        if (!m_open) return Fail(SimSpoolStep::EndDoc, kClosedHandleText);
        if (m_job == 0) return Fail(SimSpoolStep::EndDoc, kNoDocumentText);
        // A failed end still ends the document on this handle; the job is marked as failed.
        if (auto fault = m_spooler.TakeFault(SimSpoolStep::EndDoc, m_queue)) {
            EndOpenDocument(SimJobState::Failed);
            return Fail(SimSpoolStep::EndDoc, fault->errorText);
        }
        EndOpenDocument(m_spooler.m_printOnArrival ? SimJobState::Printed : SimJobState::Queued);
        return Finish(SimSpoolStep::EndDoc, true);
    }

    bool CancelJob(std::int32_t jobId) override {
        SimSpoolCall call(SimSpoolStep::Cancel, m_queue);
        call.jobId = jobId;
        if (!Usable(call)) return false;
        SimJob* job = m_spooler.FindJobMutable(jobId);
        if (!job || job->queue != m_queue ||
            (job->state != SimJobState::Queued && job->state != SimJobState::Spooling)) {
            return Fail(call, kUnknownJobText);
        }
        job->state = SimJobState::Cancelled;
        m_spooler.Record(std::move(call));
        return true;
    }

    // A failed close still releases the handle: the spooler has nothing left open for it.
    bool Close() override {
        if (!m_open) return Fail(SimSpoolStep::Close, kClosedHandleText);
        EndOpenDocument(SimJobState::Abandoned);
        const auto fault = m_spooler.TakeFault(SimSpoolStep::Close, m_queue);
        Release();
        if (fault) return Fail(SimSpoolStep::Close, fault->errorText);
        return Finish(SimSpoolStep::Close, true);
    }

private:
    SimJob& Job() { return *m_spooler.FindJobMutable(m_job); }

    void EndOpenDocument(SimJobState state) {
        if (m_job == 0) return;
        Job().state = state;
        m_job = 0;
        m_pageOpen = false;
    }

    void Release() {
        m_open = false;
        --m_spooler.m_openHandles;
    }

    // False (and recorded as failed) when the handle is closed or a fault hits this step.
    bool Usable(SimSpoolCall& call) {
        if (!m_open) return Fail(call, kClosedHandleText);
        if (auto fault = m_spooler.TakeFault(call.step, m_queue)) return Fail(call, fault->errorText);
        return true;
    }
    bool Usable(SimSpoolStep step) {
        SimSpoolCall call(step, m_queue);
        return Usable(call);
    }

    bool Fail(SimSpoolCall call, std::string_view text) {
        call.succeeded = false;
        m_spooler.SetError(std::string(text));
        m_spooler.Record(std::move(call));
        return false;
    }
    bool Fail(SimSpoolStep step, std::string_view text) { return Fail(SimSpoolCall(step, m_queue), text); }

    bool Finish(SimSpoolStep step, bool succeeded) {
        SimSpoolCall call(step, m_queue);
        call.succeeded = succeeded;
        m_spooler.Record(std::move(call));
        return succeeded;
    }

    SimSpooler& m_spooler;
    std::string m_queue;
    bool m_open = true;
    std::int32_t m_job = 0;  // the document open on this handle, 0 for none
    bool m_pageOpen = false;
};

SimSpooler::SimSpooler(const IJobResources* jobs) : m_jobResources(jobs) {}
SimSpooler::~SimSpooler() = default;

void SimSpooler::AddQueue(QueueInfo info, AttributesFn attributes) {
    RemoveQueue(info.name);
    m_queues.push_back({std::move(info), std::move(attributes)});
}

bool SimSpooler::RemoveQueue(std::string_view name) {
    return std::erase_if(m_queues, [&](const Queue& queue) { return queue.info.name == name; }) > 0;
}

void SimSpooler::InjectFault(SimFault fault) { m_faults.push_back(std::move(fault)); }

void SimSpooler::ClearFaults() { m_faults.clear(); }

void SimSpooler::PrintQueuedJobs() {
    for (auto& job : m_jobs)
        if (job.state == SimJobState::Queued) job.state = SimJobState::Printed;
}

std::vector<std::string> SimSpooler::CallLog() const {
    std::vector<std::string> lines;
    lines.reserve(m_calls.size());
    for (const auto& call : m_calls) lines.push_back(call.Describe());
    return lines;
}

const SimJob* SimSpooler::FindJob(std::int32_t id) const {
    const auto found = std::ranges::find(m_jobs, id, &SimJob::id);
    return found == m_jobs.end() ? nullptr : &*found;
}

SimJob* SimSpooler::FindJobMutable(std::int32_t id) {
    const auto found = std::ranges::find(m_jobs, id, &SimJob::id);
    return found == m_jobs.end() ? nullptr : &*found;
}

std::vector<std::int32_t> SimSpooler::QueuedJobIds(std::string_view queueName) const {
    std::vector<std::int32_t> ids;
    for (const auto& job : m_jobs)
        if (job.queue == queueName && (job.state == SimJobState::Queued || job.state == SimJobState::Spooling))
            ids.push_back(job.id);
    return ids;
}

bool SimSpooler::EnumLocalQueues(std::vector<QueueInfo>& queues) {
    queues.clear();
    for (const auto& queue : m_queues) queues.push_back(Describe(queue));
    return true;
}

std::unique_ptr<ISpoolerQueue> SimSpooler::OpenQueue(std::string_view name) {
    SimSpoolCall call(SimSpoolStep::Open, std::string(name));
    std::string_view error;
    std::optional<SimFault> fault;
    if (!FindQueue(name)) {
        error = kUnknownQueueText;
    } else if ((fault = TakeFault(SimSpoolStep::Open, name))) {
        error = fault->errorText;
    }
    if (!error.empty() || fault) {
        call.succeeded = false;
        SetError(std::string(error));
        Record(std::move(call));
        return nullptr;
    }
    Record(std::move(call));
    return std::make_unique<Handle>(*this, std::string(name));
}

const SimSpooler::Queue* SimSpooler::FindQueue(std::string_view name) const {
    const auto found = std::ranges::find_if(m_queues, [&](const Queue& queue) { return queue.info.name == name; });
    return found == m_queues.end() ? nullptr : &*found;
}

QueueInfo SimSpooler::Describe(const Queue& queue) const {
    QueueInfo info = queue.info;
    if (queue.attributes) info.attributes = queue.attributes();
    return info;
}

std::optional<SimFault> SimSpooler::TakeFault(SimSpoolStep step, std::string_view queue) {
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->step != step || (!it->queue.empty() && it->queue != queue)) continue;
        if (it->skip > 0) {
            --it->skip;
            return std::nullopt;
        }
        SimFault fired = *it;
        if (it->count != SimFault::kAlways && --it->count <= 0) m_faults.erase(it);
        return fired;
    }
    return std::nullopt;
}

void SimSpooler::Record(SimSpoolCall call) { m_calls.push_back(std::move(call)); }

void AddDemoQueue(SimSpooler& spooler, SimSpooler::AttributesFn attributes) {
    QueueInfo info;
    info.name = std::string(kSimQueueName);
    info.portName = std::string(kSimPrinterPort);
    info.driverName = std::string(kPrinterDriverName);
    spooler.AddQueue(std::move(info), std::move(attributes));
}

}  // namespace zt40
