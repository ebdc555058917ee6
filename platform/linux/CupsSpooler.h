#pragma once
// The spooler on CUPS through libcups: queues from one CUPS-Get-Printers request, RAW
// documents sent in pieces into Create-Job/Send-Document, cancel, and libcups' error text.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Spooler.h"
#include "platform/linux/CupsConnection.h"
#include "platform/linux/CupsQueueRecord.h"

namespace zt40 {

// What the spooler and the queues it opened share: where the server is, how a USB device is
// looked for, and the text of the last failed call.
struct CupsSession {
    std::string server;
    UsbPresence usbPresent;
    std::string lastError;
};

class CupsSpooler final : public ISpooler {
public:
    // `usbPresent` tells whether a usb:// queue's device is on the bus (empty: always);
    // `server` is cupsd's host or socket path, empty for libcups' usual choice.
    explicit CupsSpooler(UsbPresence usbPresent = {}, std::string server = {});

    // Every destination the server reports, remote ones marked as network queues.
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override;
    // Fails unless the server knows the queue.
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override;
    std::string LastErrorText() override;

private:
    std::shared_ptr<CupsSession> m_session;
    CupsConnection m_connection;  // kept open between the poll's enumerations
};

}  // namespace zt40
