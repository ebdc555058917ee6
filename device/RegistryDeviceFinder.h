#pragma once
// Finds a print queue's USB device through the spooler and the device registry.
#include <optional>
#include <string>
#include <string_view>

#include "platform/DeviceFinder.h"
#include "platform/KeyTree.h"
#include "platform/Spooler.h"

namespace zt40 {

class RegistryDeviceFinder : public IDeviceFinder {
public:
    RegistryDeviceFinder(ISpooler& spooler, IKeyTree& keys, IVersionQuery& version);

    std::optional<std::string> FindDevicePath(std::string_view queueName) override;

private:
    ISpooler& m_spooler;
    IKeyTree& m_keys;
    IVersionQuery& m_version;
};

}  // namespace zt40
