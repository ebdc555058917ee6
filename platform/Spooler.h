#pragma once
// The system print spooler as the program uses it: local queues at "level 2",
// RAW documents written in pieces, job cancel, and the text of the last error.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt40 {

// The driver (make and model) name of a ZT-40's queue.
inline constexpr std::string_view kPrinterDriverName = "Velmora ZT-40";

inline constexpr std::uint32_t kPrinterAttributeNetwork = 0x10;
inline constexpr std::uint32_t kPrinterAttributeWorkOffline = 0x400;

struct QueueInfo {
    std::string name;        // queue name
    std::string portName;    // where the queue sends its jobs
    std::string driverName;  // the driver's (make and model) name
    std::uint32_t attributes = 0;
};

// What kind of failure the spooler's last failed call met, for the operator's reason: a
// spooler that is not there is started, one that is there but says nothing is restarted.
enum class SpoolerFailure {
    Unreachable,   // no connection could be made (not running, refused), or the spooler refused the call
    NotAnswering,  // connected, but no answer came in time, or none in the spooler's protocol
};

// One open queue (the spooler's printer handle). Destruction closes it if still open.
class ISpoolerQueue {
public:
    virtual ~ISpoolerQueue() = default;
    virtual bool GetInfo(QueueInfo& info) = 0;
    // The new job's id, 0 when the document could not be started.
    virtual std::int32_t StartDoc(std::string_view docName, std::string_view dataType) = 0;
    virtual bool StartPage() = 0;
    // Hands bytes to the spooler; `written` receives how many it accepted.
    virtual bool Write(std::span<const std::uint8_t> bytes, std::size_t& written) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    virtual bool CancelJob(std::int32_t jobId) = 0;
    virtual bool Close() = 0;
};

class ISpooler {
public:
    virtual ~ISpooler() = default;
    virtual bool EnumLocalQueues(std::vector<QueueInfo>& queues) = 0;
    // nullptr when the queue cannot be opened.
    virtual std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) = 0;
    // The spooler's own wording for the last failed call.
    virtual std::string LastErrorText() = 0;
    // The kind of the last failed call's failure; spoolers that cannot tell only fail to be reached.
    virtual SpoolerFailure LastFailure() { return SpoolerFailure::Unreachable; }
};

}  // namespace zt40
