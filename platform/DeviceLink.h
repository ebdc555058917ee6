#pragma once
// What the device link needs from the platform, wired once per program.
#include "platform/Clock.h"
#include "platform/DeviceFinder.h"
#include "platform/MessageBox.h"
#include "platform/Spooler.h"
#include "platform/VendorChannel.h"

namespace zt40 {

struct DeviceLinkPlatform {
    IDeviceFinder& finder;
    IDeviceOpener& opener;
    IClock& clock;
    IMessageBox& messages;
    ISpooler& spooler;
};

// The same platform, with another clock for the device's waits.
inline DeviceLinkPlatform WithClock(const DeviceLinkPlatform& platform, IClock& clock) {
    return {platform.finder, platform.opener, clock, platform.messages, platform.spooler};
}

}  // namespace zt40
