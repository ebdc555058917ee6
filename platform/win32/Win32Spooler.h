#pragma once
// The Windows print spooler: local queues at level 2, RAW documents, job cancel, and the
// system's text for the last failed call.
#include <memory>

#include "platform/Spooler.h"

namespace zt40 {

class Win32Spooler final : public ISpooler {
public:
    Win32Spooler();
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override;
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override;
    std::string LastErrorText() override;

    // The error code of the last failed call, shared with the queues this spooler opened.
    struct LastError {
        unsigned long code = 0;
        void Take();
    };

private:
    std::shared_ptr<LastError> m_lastError;
};

}  // namespace zt40
