#include "platform/linux/CupsSpooler.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>

namespace zt40 {

namespace {

constexpr std::array kQueueAttributes = {
    "printer-name",  "device-uri",           "printer-make-and-model",    "printer-type",
    "printer-state", "printer-state-reasons", "printer-is-accepting-jobs",
};

constexpr const char* kNoSuchQueue = "The printer or class does not exist.";
constexpr const char* kNoAnswer = "The print server did not answer.";
constexpr const char* kNoAnswerInTime = "The print server did not answer in time.";
constexpr const char* kNoIppAnswer = "The print server did not answer the request (no IPP answer came back).";

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

bool Succeeded(ipp_status_t status) { return status <= IPP_STATUS_OK_EVENTS_COMPLETE; }

// The names cupsd and lpadmin accept: printable, no blank, no '/', '\\', '#', '?' or quotes.
bool IsPlausibleQueueName(std::string_view name) {
    if (name.empty() || name.size() > 127) return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7F) return false;
        if (c == '/' || c == '\\' || c == '#' || c == '?' || c == '\'' || c == '"') return false;
    }
    return true;
}

bool IsRawDataType(std::string_view dataType) {
    if (dataType.size() != 3) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = dataType[i];
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != "RAW"[i]) return false;
    }
    return true;
}

ipp_t* NewQueueRequest(ipp_op_t operation) {
    ipp_t* request = ippNewRequest(operation);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(kQueueAttributes.size()), nullptr, kQueueAttributes.data());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

std::string StringValue(ipp_attribute_t* attribute, int index = 0) {
    const char* text = ippGetString(attribute, index, nullptr);
    return text != nullptr ? std::string(text) : std::string();
}

void TakeAttribute(ipp_attribute_t* attribute, std::string_view name, CupsPrinterRecord& record) {
    if (name == "printer-name") {
        record.name = StringValue(attribute);
    } else if (name == "device-uri") {
        record.deviceUri = StringValue(attribute);
    } else if (name == "printer-make-and-model") {
        record.makeAndModel = StringValue(attribute);
    } else if (name == "printer-type" && ippGetValueTag(attribute) == IPP_TAG_ENUM) {
        record.printerType = static_cast<std::uint32_t>(ippGetInteger(attribute, 0));
    } else if (name == "printer-state" && ippGetValueTag(attribute) == IPP_TAG_ENUM) {
        record.state = ippGetInteger(attribute, 0);
    } else if (name == "printer-state-reasons") {
        const int count = ippGetCount(attribute);
        for (int i = 0; i < count; ++i) record.stateReasons.push_back(StringValue(attribute, i));
    } else if (name == "printer-is-accepting-jobs" && ippGetValueTag(attribute) == IPP_TAG_BOOLEAN) {
        record.acceptingJobs = ippGetBoolean(attribute, 0) != 0;
    }
}

// One record per printer group of the response, in the server's order.
std::vector<CupsPrinterRecord> ParsePrinters(ipp_t* response) {
    std::vector<CupsPrinterRecord> records;
    CupsPrinterRecord current;
    bool inPrinter = false;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response);; attribute = ippNextAttribute(response)) {
        const char* name = attribute != nullptr ? ippGetName(attribute) : nullptr;
        if (attribute == nullptr || name == nullptr || ippGetGroupTag(attribute) != IPP_TAG_PRINTER) {
            if (inPrinter && !current.name.empty()) records.push_back(std::move(current));
            current = CupsPrinterRecord{};
            inPrinter = false;
            if (attribute == nullptr) break;
            continue;
        }
        inPrinter = true;
        TakeAttribute(attribute, name, current);
    }
    return records;
}

// What became of a request: answered (with the server's status), sent on a connection but
// not answered, or not sent because no connection could be made.
struct RequestOutcome {
    bool connected = false;
    bool answered = false;
    ipp_status_t status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
};

SpoolerFailure FailureOf(const RequestOutcome& outcome) {
    return outcome.connected && !outcome.answered ? SpoolerFailure::NotAnswering : SpoolerFailure::Unreachable;
}

// Feeds ippReadIO from the connection through a buffer of its own. Reading the response with
// ippRead on the connection itself asks for one field at a time, and a body that arrives after
// its header (cupsd's answers carry a Content-Length and usually do) then costs a poll and a
// recv per field: some 800 system calls, 4 ms of CPU, for the list of 20 queues on every tick.
// httpRead2 stops at the end of the message, so nothing of a next answer is taken.
class ResponseReader {
public:
    explicit ResponseReader(http_t* http) : m_http(http) {}

    static ssize_t Read(void* context, ipp_uchar_t* buffer, size_t length) {
        return static_cast<ResponseReader*>(context)->Take(std::span(buffer, length));
    }

private:
    ssize_t Take(std::span<ipp_uchar_t> out) {
        std::size_t copied = 0;
        while (copied < out.size()) {
            if (m_next == m_end) {
                const ssize_t got = httpRead2(m_http, reinterpret_cast<char*>(m_buffer.data()), m_buffer.size());
                if (got <= 0) break;
                m_next = 0;
                m_end = static_cast<std::size_t>(got);
            }
            const std::size_t count = std::min(out.size() - copied, m_end - m_next);
            std::memcpy(out.data() + copied, m_buffer.data() + m_next, count);
            copied += count;
            m_next += count;
        }
        return static_cast<ssize_t>(copied);
    }

    http_t* m_http;
    std::array<ipp_uchar_t, 16384> m_buffer{};
    std::size_t m_next = 0;
    std::size_t m_end = 0;
};

// The server's own words for a status it answered with, as libcups would record them.
std::string StatusText(ipp_t* response) {
    ipp_attribute_t* message = ippFindAttribute(response, "status-message", IPP_TAG_TEXT);
    if (message != nullptr) return StringValue(message);
    return ippErrorString(ippGetStatusCode(response));
}

// Why a request sent on a connection came back with nothing usable.
std::string SilenceText(http_t* http) {
    if (httpError(http) == ETIMEDOUT) return kNoAnswerInTime;
    return kNoIppAnswer;
}

// Reads the IPP answer whose HTTP status said 200; nullptr when what follows is not IPP.
IppPtr ReadAnswer(http_t* http, const char* resource) {
    // A server that answers without a "100 Continue" first leaves libcups' connection counting
    // no body bytes, and only libcups' own reader takes the body from its buffer then.
    if (httpGetRemaining(http) == 0) return IppPtr(cupsGetResponse(http, resource));
    IppPtr response(ippNew());
    ResponseReader reader(http);
    ipp_state_t state = IPP_STATE_IDLE;
    while (state != IPP_STATE_DATA && state != IPP_STATE_ERROR) {
        state = ippReadIO(&reader, ResponseReader::Read, 1, nullptr, response.get());
    }
    if (state == IPP_STATE_ERROR) return nullptr;
    if (httpGetState(http) != HTTP_STATE_WAITING) httpFlush(http);
    return response;
}

// One request and its response, as cupsDoRequest would send and read them but with the
// response read through ResponseReader. A plain HTTP answer other than 200 (a log-in or an
// upgrade to encryption asked for, a refusal) goes the way of libcups, which knows what to do.
IppPtr Exchange(http_t* http, const std::function<ipp_t*()>& build, const char* resource, std::string& error,
                RequestOutcome& outcome) {
    const IppPtr request(build());
    http_status_t status = cupsSendRequest(http, request.get(), resource, ippLength(request.get()));
    while (status == HTTP_STATUS_CONTINUE && httpGetState(http) != HTTP_STATE_WAITING) status = httpUpdate(http);
    if (status == HTTP_STATUS_ERROR || status == HTTP_STATUS_CONTINUE) {
        error = SilenceText(http);
        return nullptr;
    }
    IppPtr response;
    if (status == HTTP_STATUS_OK) {
        response = ReadAnswer(http, resource);
        if (!response) {
            error = SilenceText(http);
            return nullptr;
        }
    } else {
        httpFlush(http);
        response.reset(cupsDoRequest(http, build(), resource));
        if (!response) {
            outcome.answered = true;
            error = CupsErrorText(kNoAnswer);
            return nullptr;
        }
    }
    outcome.answered = true;
    outcome.status = ippGetStatusCode(response.get());
    if (Succeeded(outcome.status)) return response;
    error = StatusText(response.get());
    return nullptr;
}

// Sends a request built by `build`; a connection that went stale since its last use is
// replaced once, a time-out is not retried (the call's budget is spent).
IppPtr DoRequest(CupsConnection& connection, const std::function<ipp_t*()>& build, const char* resource,
                 std::string& error, RequestOutcome* outcome = nullptr) {
    RequestOutcome unused;
    RequestOutcome& result = outcome != nullptr ? *outcome : unused;
    result = RequestOutcome{};
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool reused = connection.IsOpen();
        http_t* http = connection.Get(error);
        if (http == nullptr) return nullptr;
        result.connected = true;
        IppPtr response = Exchange(http, build, resource, error, result);
        if (response || result.answered) return response;
        const bool timedOut = httpError(http) == ETIMEDOUT;
        connection.Drop();
        if (!reused || timedOut) break;
        // A fresh connection must be made, or the server counts as not reached.
        result.connected = false;
    }
    return nullptr;
}

bool FetchPrinter(CupsConnection& connection, std::string_view name, CupsPrinterRecord& record, std::string& error,
                  SpoolerFailure& failure) {
    const std::string queueName(name);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queueName.c_str());
    const auto build = [&uri] {
        ipp_t* request = NewQueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        return request;
    };
    RequestOutcome outcome;
    const IppPtr response = DoRequest(connection, build, "/", error, &outcome);
    failure = FailureOf(outcome);
    if (!response) return false;
    auto records = ParsePrinters(response.get());
    if (records.empty()) {
        error = kNoSuchQueue;
        return false;
    }
    record = std::move(records.front());
    return true;
}

class CupsSpoolerQueue final : public ISpoolerQueue {
public:
    CupsSpoolerQueue(std::shared_ptr<CupsSession> session, std::string name)
        : m_session(std::move(session)), m_name(std::move(name)), m_connection(m_session->Borrow()) {}

    CupsSpoolerQueue(const CupsSpoolerQueue&) = delete;
    CupsSpoolerQueue& operator=(const CupsSpoolerQueue&) = delete;
    ~CupsSpoolerQueue() override {
        if (m_open) Close();
    }

    // Fetches the queue's record once: the queue exists.
    bool Verify() {
        m_connection->StartCall();
        CupsPrinterRecord record;
        return FetchPrinter(*m_connection, m_name, record, m_session->lastError, m_session->lastFailure);
    }

    bool GetInfo(QueueInfo& info) override {
        if (!CheckUsable()) return false;
        m_connection->StartCall();
        CupsPrinterRecord record;
        if (!FetchPrinter(*m_connection, m_name, record, m_session->lastError, m_session->lastFailure)) return false;
        info = ToQueueInfo(record, m_session->usbPresent);
        return true;
    }

    std::int32_t StartDoc(std::string_view docName, std::string_view dataType) override {
        if (!CheckUsable()) return 0;
        if (!IsRawDataType(dataType)) return FailJob("Only RAW documents can be sent to this queue.");
        m_connection->StartCall();
        const std::string title(docName);
        const std::int32_t job = CreateJob(title);
        if (job <= 0) return 0;
        http_t* http = m_connection->Get(m_session->lastError);
        if (http == nullptr) {
            CancelQuietly(job);
            return 0;
        }
        if (cupsStartDocument(http, m_name.c_str(), job, title.c_str(), CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE) {
            m_session->lastError = CupsErrorText("The document could not be started.");
            m_connection->Drop();
            CancelQuietly(job);
            return 0;
        }
        m_jobId = job;
        m_documentOpen = true;
        m_documentFailed = false;
        return job;
    }

    // CUPS has no pages; the calls only check that a document is open.
    bool StartPage() override { return CheckDocument(); }
    bool EndPage() override { return CheckDocument(); }

    bool Write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        written = 0;
        if (!CheckDocument()) return false;
        if (m_documentFailed) return Fail(m_documentError);
        // A zero-length write would end the chunked request body: the document would be cut here.
        if (bytes.empty()) return true;
        m_connection->StartCall();
        http_t* http = m_connection->Get(m_session->lastError);
        if (http == nullptr) return false;
        if (cupsWriteRequestData(http, reinterpret_cast<const char*>(bytes.data()), bytes.size()) !=
            HTTP_STATUS_CONTINUE) {
            const int code = httpError(http);
            m_documentError = CupsErrorText(code != 0 ? std::strerror(code) : "The spooler refused the data.");
            m_documentFailed = true;
            return Fail(m_documentError);
        }
        written = bytes.size();
        return true;
    }

    bool EndDoc() override {
        if (!CheckDocument()) return false;
        m_connection->StartCall();
        if (m_documentFailed) {
            AbandonDocument();
            return Fail(m_documentError);
        }
        http_t* http = m_connection->Get(m_session->lastError);
        const ipp_status_t status = http != nullptr ? cupsFinishDocument(http, m_name.c_str()) : IPP_STATUS_ERROR_INTERNAL;
        if (!Succeeded(status)) {
            if (http != nullptr) m_session->lastError = CupsErrorText("The spooler refused the document.");
            AbandonDocument();
            return false;
        }
        m_documentOpen = false;
        m_jobId = 0;
        return true;
    }

    bool CancelJob(std::int32_t jobId) override {
        if (!CheckUsable()) return false;
        // libcups reads 0 as "the current job" and -1 as "every job": neither is a job id here.
        if (jobId <= 0) return Fail("There is no job " + std::to_string(jobId) + ".");
        m_connection->StartCall();
        if (m_documentOpen) return CancelOnFreshConnection(jobId);
        http_t* http = m_connection->Get(m_session->lastError);
        if (http == nullptr) return false;
        if (!Succeeded(cupsCancelJob2(http, m_name.c_str(), jobId, 0))) {
            m_session->lastError = CupsErrorText("The job could not be cancelled.");
            if (httpError(http) != 0) m_connection->Drop();
            return false;
        }
        return true;
    }

    bool Close() override {
        if (!m_open) return Fail("The queue is not open.");
        m_connection->StartCall();
        if (m_documentOpen) AbandonDocument();
        m_session->GiveBack(std::move(m_connection));
        m_open = false;
        return true;
    }

private:
    bool Fail(std::string text) {
        m_session->lastError = std::move(text);
        return false;
    }
    std::int32_t FailJob(std::string text) {
        Fail(std::move(text));
        return 0;
    }
    bool CheckUsable() { return m_open || Fail("The queue is not open."); }
    bool CheckDocument() { return (CheckUsable() && m_documentOpen) || Fail("No document is open on the queue."); }

    // One Create-Job request. (libcups' cupsCreateJob first looks the destination up and
    // copies its capabilities, three requests with retries of their own that a hung server
    // would stretch to minutes.)
    std::int32_t CreateJob(const std::string& title) {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                         m_name.c_str());
        const auto build = [&] {
            ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
            if (!title.empty()) ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
            return request;
        };
        const std::string resource = "/printers/" + m_name;
        const IppPtr response = DoRequest(*m_connection, build, resource.c_str(), m_session->lastError);
        if (!response) return 0;
        ipp_attribute_t* id = ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER);
        if (id == nullptr || ippGetInteger(id, 0) <= 0) return FailJob("The spooler did not say which job it created.");
        return ippGetInteger(id, 0);
    }

    // An unfinished document must not print half: drop its request and cancel its job.
    void AbandonDocument() {
        m_connection->Drop();
        CancelQuietly(m_jobId);
        m_documentOpen = false;
        m_documentFailed = false;
        m_jobId = 0;
    }

    // Clean-up after a failed step: the caller reports that step's error, not this one's.
    void CancelQuietly(std::int32_t jobId) {
        std::string kept = m_session->lastError;
        CancelOnFreshConnection(jobId);
        m_session->lastError = std::move(kept);
    }

    bool CancelOnFreshConnection(std::int32_t jobId) {
        std::string error;
        CupsConnection connection(m_session->server);
        connection.ShareDeadline(*m_connection);
        http_t* http = connection.Get(error);
        if (http == nullptr) return Fail(error);
        if (!Succeeded(cupsCancelJob2(http, m_name.c_str(), jobId, 0))) {
            return Fail(CupsErrorText("The job could not be cancelled."));
        }
        return true;
    }

    std::shared_ptr<CupsSession> m_session;
    std::string m_name;
    std::unique_ptr<CupsConnection> m_connection;  // borrowed from the session until Close
    bool m_open = true;
    bool m_documentOpen = false;
    bool m_documentFailed = false;
    std::string m_documentError;
    std::int32_t m_jobId = 0;
};

}  // namespace

CupsSpooler::CupsSpooler(UsbPresence usbPresent, std::string server)
    : m_session(std::make_shared<CupsSession>(CupsSession{std::move(server), std::move(usbPresent), {}, SpoolerFailure::Unreachable, {}})) {}

bool CupsSpooler::EnumLocalQueues(std::vector<QueueInfo>& queues) {
    queues.clear();
    const auto build = [] { return NewQueueRequest(IPP_OP_CUPS_GET_PRINTERS); };
    std::string error;
    RequestOutcome outcome;
    auto connection = m_session->Borrow();
    connection->StartCall();
    const IppPtr response = DoRequest(*connection, build, "/", error, &outcome);
    m_session->GiveBack(std::move(connection));
    if (!response) {
        // cupsd answers "not found" when it has no queue at all: an empty list, not a failure.
        if (outcome.answered && outcome.status == IPP_STATUS_ERROR_NOT_FOUND) return true;
        m_session->lastError = std::move(error);
        m_session->lastFailure = FailureOf(outcome);
        return false;
    }
    for (const auto& record : ParsePrinters(response.get())) {
        queues.push_back(ToQueueInfo(record, m_session->usbPresent));
    }
    return true;
}

std::unique_ptr<ISpoolerQueue> CupsSpooler::OpenQueue(std::string_view name) {
    if (!IsPlausibleQueueName(name)) {
        m_session->lastError = kNoSuchQueue;
        return nullptr;
    }
    auto queue = std::make_unique<CupsSpoolerQueue>(m_session, std::string(name));
    if (!queue->Verify()) return nullptr;
    return queue;
}

std::string CupsSpooler::LastErrorText() { return m_session->lastError; }

SpoolerFailure CupsSpooler::LastFailure() { return m_session->lastFailure; }

}  // namespace zt40
