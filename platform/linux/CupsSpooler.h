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
// looked for, the text of the last failed call, and one open connection nobody is using.
struct CupsSession {
    std::string server;
    UsbPresence usbPresent;
    std::string lastError;
    SpoolerFailure lastFailure = SpoolerFailure::Unreachable;
    // The poll's connection, lent to a queue while it is open: printing needs no new
    // connection, and each new one costs cupsd a pass of its main loop.
    std::unique_ptr<CupsConnection> spare;

    std::unique_ptr<CupsConnection> Borrow() {
        if (spare) return std::move(spare);
        return std::make_unique<CupsConnection>(server);
    }
    // Kept only while open and idle; anything else is closed.
    void GiveBack(std::unique_ptr<CupsConnection> connection) {
        if (connection && connection->IsOpen() && !spare) spare = std::move(connection);
    }
};

class CupsSpooler final : public ISpooler {
public:
    // `usbPresent` tells whether a usb:// queue's device is on the bus (empty: always);
    // `server` is cupsd's host, host:port or socket path, empty for libcups' usual choice.
    explicit CupsSpooler(UsbPresence usbPresent = {}, std::string server = {});

    // Every destination the server reports, remote ones marked as network queues.
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override;
    // Fails unless the server knows the queue.
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override;
    std::string LastErrorText() override;
    SpoolerFailure LastFailure() override;

private:
    std::shared_ptr<CupsSession> m_session;
};

}  // namespace zt40
