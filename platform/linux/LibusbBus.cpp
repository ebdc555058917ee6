#include "platform/linux/LibusbBus.h"

#include <fcntl.h>
#include <libudev.h>
#include <libusb.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <tuple>

#include "platform/os/posix/FileDescriptor.h"
#include "platform/linux/Ieee1284DeviceId.h"

namespace zt40 {

namespace {

constexpr std::string_view kPrinterInterfaceClass = "07";

UsbStatus StatusOfLibusb(int error) {
    switch (error) {
    case LIBUSB_SUCCESS:
        return UsbStatus::Ok;
    case LIBUSB_ERROR_NO_DEVICE:
        return UsbStatus::NoDevice;
    case LIBUSB_ERROR_NOT_FOUND:
        return UsbStatus::NotFound;
    case LIBUSB_ERROR_ACCESS:
        return UsbStatus::Access;
    case LIBUSB_ERROR_BUSY:
        return UsbStatus::Busy;
    case LIBUSB_ERROR_TIMEOUT:
        return UsbStatus::Timeout;
    case LIBUSB_ERROR_PIPE:
        return UsbStatus::Pipe;
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return UsbStatus::NotSupported;
    default:
        return UsbStatus::Other;
    }
}

UsbStatus StatusOfErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return UsbStatus::Access;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return UsbStatus::NotFound;
    case EBUSY:
    case EWOULDBLOCK:
        return UsbStatus::Busy;
    default:
        return UsbStatus::Other;
    }
}

class LibusbDeviceHandle final : public IUsbDeviceHandle {
public:
    LibusbDeviceHandle(libusb_device_handle* handle, std::unique_ptr<FileDescriptor> node)
        : m_node(std::move(node)), m_handle(handle) {}
    // The libusb handle goes first: it may only borrow the node's descriptor.
    ~LibusbDeviceHandle() override { libusb_close(m_handle); }
    LibusbDeviceHandle(const LibusbDeviceHandle&) = delete;
    LibusbDeviceHandle& operator=(const LibusbDeviceHandle&) = delete;

    UsbTransferResult ControlOut(const ControlSetup& setup, std::span<const std::uint8_t> data,
                                 unsigned timeoutMs) override {
        // libusb takes a mutable pointer for both directions; an OUT transfer only reads it.
        return Transfer(setup, const_cast<std::uint8_t*>(data.data()), data.size(), timeoutMs);
    }
    UsbTransferResult ControlIn(const ControlSetup& setup, std::span<std::uint8_t> data, unsigned timeoutMs) override {
        return Transfer(setup, data.data(), data.size(), timeoutMs);
    }
    UsbStatus ClaimInterface(std::uint8_t number) override { return StatusOfLibusb(libusb_claim_interface(m_handle, number)); }
    UsbStatus ReleaseInterface(std::uint8_t number) override {
        return StatusOfLibusb(libusb_release_interface(m_handle, number));
    }
    KernelDriverState KernelDriver(std::uint8_t number) override {
        const int state = libusb_kernel_driver_active(m_handle, number);
        if (state == 1) return KernelDriverState::Active;
        return state == 0 ? KernelDriverState::Inactive : KernelDriverState::Unknown;
    }
    UsbStatus DetachKernelDriver(std::uint8_t number) override {
        return StatusOfLibusb(libusb_detach_kernel_driver(m_handle, number));
    }
    UsbStatus AttachKernelDriver(std::uint8_t number) override {
        return StatusOfLibusb(libusb_attach_kernel_driver(m_handle, number));
    }

private:
    UsbTransferResult Transfer(const ControlSetup& setup, std::uint8_t* data, std::size_t size, unsigned timeoutMs) {
        if (size != setup.length) return {UsbStatus::Other, 0};
        const int result = libusb_control_transfer(m_handle, setup.requestType, setup.request, setup.value,
                                                   setup.index, data, setup.length, timeoutMs);
        if (result < 0) return {StatusOfLibusb(result), 0};
        return {UsbStatus::Ok, static_cast<std::size_t>(result)};
    }

    std::unique_ptr<FileDescriptor> m_node;
    libusb_device_handle* m_handle;
};

std::string Attribute(udev_device* device, const char* name) {
    const char* value = udev_device_get_sysattr_value(device, name);
    if (!value) return {};
    std::string_view text(value);
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\n") - first + 1));
}

template <typename T>
bool ParseAttribute(udev_device* device, const char* name, int base, T& out) {
    const std::string text = Attribute(device, name);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > std::numeric_limits<T>::max()) return false;
    out = static_cast<T>(value);
    return true;
}

// "1-1.4" -> {1, 4}; the bus number comes from its own attribute.
bool ParsePortChain(std::string_view sysname, std::vector<std::uint8_t>& chain) {
    const auto dash = sysname.find('-');
    if (dash == std::string_view::npos) return false;
    std::string_view ports = sysname.substr(dash + 1);
    while (!ports.empty()) {
        const auto dot = ports.find('.');
        const auto part = ports.substr(0, dot);
        unsigned port = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), port);
        if (error != std::errc{} || end != part.data() + part.size() || port == 0 || port > 255) return false;
        chain.push_back(static_cast<std::uint8_t>(port));
        ports = dot == std::string_view::npos ? std::string_view{} : ports.substr(dot + 1);
    }
    return !chain.empty();
}

std::optional<UsbDeviceRecord> RecordOf(udev_device* interface) {
    udev_device* device = udev_device_get_parent_with_subsystem_devtype(interface, "usb", "usb_device");
    if (!device) return std::nullopt;
    UsbDeviceRecord record;
    if (!ParseAttribute(device, "idVendor", 16, record.vendorId) ||
        !ParseAttribute(device, "idProduct", 16, record.productId) ||
        !ParseAttribute(device, "busnum", 10, record.busNumber) ||
        !ParseAttribute(device, "devnum", 10, record.deviceAddress) ||
        !ParseAttribute(interface, "bInterfaceNumber", 16, record.printerInterface) ||
        !ParsePortChain(udev_device_get_sysname(device), record.portChain)) {
        return std::nullopt;
    }
    ParseAttribute(interface, "bAlternateSetting", 10, record.alternateSetting);
    record.manufacturer = Attribute(device, "manufacturer");
    record.product = Attribute(device, "product");
    record.serial = Attribute(device, "serial");
    return record;
}

std::string NodePath(const UsbDeviceRecord& device) {
    char path[32];
    std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", static_cast<unsigned>(device.busNumber),
                  static_cast<unsigned>(device.deviceAddress));
    return path;
}

}  // namespace

struct LibusbBus::State {
    libusb_context* usb = nullptr;
    udev* udevContext = nullptr;
    std::mutex listMutex;  // a libudev context serves one thread at a time
    std::mutex cacheMutex;
    // Keyed by where the device is and its kernel number: a replug gets a new number.
    using DeviceKey = std::tuple<std::uint8_t, std::vector<std::uint8_t>, std::uint8_t>;
    std::map<DeviceKey, std::string> deviceIds;

    static DeviceKey KeyOf(const UsbDeviceRecord& device) {
        return {device.busNumber, device.portChain, device.deviceAddress};
    }

    ~State() {
        if (usb) libusb_exit(usb);
        if (udevContext) udev_unref(udevContext);
    }

    // Opens the usbfs node (the advisory lock is taken on it when `exclusive`) and the libusb
    // handle for the same device. libusb opens its own descriptor where it lists the device,
    // as it then needs only the requests every usbfs answers; a device it has not listed yet
    // (just plugged in) gets our descriptor wrapped instead.
    UsbOpenResult OpenNode(const UsbDeviceRecord& device, bool exclusive) {
        auto node = std::make_unique<FileDescriptor>(::open(NodePath(device).c_str(), O_RDWR | O_CLOEXEC));
        if (node->Get() < 0) return {nullptr, StatusOfErrno(errno)};
        if (exclusive && ::flock(node->Get(), LOCK_EX | LOCK_NB) != 0) return {nullptr, StatusOfErrno(errno)};
        libusb_device_handle* handle = nullptr;
        int result = OpenListed(device, handle);
        if (result == LIBUSB_ERROR_NOT_FOUND) {
            result = libusb_wrap_sys_device(usb, static_cast<intptr_t>(node->Get()), &handle);
        }
        if (result != LIBUSB_SUCCESS || !handle) {
            return {nullptr, result == LIBUSB_SUCCESS ? UsbStatus::Other : StatusOfLibusb(result)};
        }
        return {std::make_unique<LibusbDeviceHandle>(handle, std::move(node)), UsbStatus::Ok};
    }

    int OpenListed(const UsbDeviceRecord& device, libusb_device_handle*& handle) const {
        libusb_device** list = nullptr;
        const auto count = libusb_get_device_list(usb, &list);
        if (count < 0) return static_cast<int>(count);
        int result = LIBUSB_ERROR_NOT_FOUND;
        for (ssize_t i = 0; i < count; ++i) {
            if (libusb_get_bus_number(list[i]) == device.busNumber &&
                libusb_get_device_address(list[i]) == device.deviceAddress) {
                result = libusb_open(list[i], &handle);
                break;
            }
        }
        libusb_free_device_list(list, 1);
        return result;
    }
};

std::unique_ptr<LibusbBus> LibusbBus::Create() {
    auto state = std::make_unique<State>();
    if (libusb_init(&state->usb) != LIBUSB_SUCCESS) {
        state->usb = nullptr;
        return nullptr;
    }
    state->udevContext = udev_new();
    if (!state->udevContext) return nullptr;
    return std::make_unique<LibusbBus>(std::move(state));
}

LibusbBus::LibusbBus(std::unique_ptr<State> state) : m_state(std::move(state)) {}
LibusbBus::~LibusbBus() = default;

std::vector<UsbDeviceRecord> LibusbBus::ListPrinterDevices() {
    std::vector<UsbDeviceRecord> devices;
    std::unique_lock listLock(m_state->listMutex);
    udev_enumerate* enumerate = udev_enumerate_new(m_state->udevContext);
    if (!enumerate) return devices;
    udev_enumerate_add_match_subsystem(enumerate, "usb");
    udev_enumerate_add_match_sysattr(enumerate, "bInterfaceClass", kPrinterInterfaceClass.data());
    udev_enumerate_scan_devices(enumerate);

    std::set<std::string> seen;  // a device with two printer interfaces is listed once, by its first
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* interface = udev_device_new_from_syspath(m_state->udevContext, udev_list_entry_get_name(entry));
        if (!interface) continue;
        if (auto record = RecordOf(interface)) {
            if (seen.insert(NodePath(*record)).second) devices.push_back(std::move(*record));
        }
        udev_device_unref(interface);
    }
    udev_enumerate_unref(enumerate);
    listLock.unlock();
    ForgetUnplugged(devices);
    return devices;
}

void LibusbBus::ForgetUnplugged(const std::vector<UsbDeviceRecord>& present) {
    std::set<State::DeviceKey> keep;
    for (const auto& device : present) keep.insert(State::KeyOf(device));
    std::lock_guard lock(m_state->cacheMutex);
    std::erase_if(m_state->deviceIds, [&](const auto& entry) { return !keep.contains(entry.first); });
}

UsbDeviceIdResult LibusbBus::ReadDeviceId(const UsbDeviceRecord& device) {
    const auto key = State::KeyOf(device);
    {
        std::lock_guard lock(m_state->cacheMutex);
        if (const auto found = m_state->deviceIds.find(key); found != m_state->deviceIds.end()) {
            return {found->second, UsbStatus::Ok};
        }
    }
    auto opened = m_state->OpenNode(device, false);
    if (!opened.handle) return {std::nullopt, opened.status};
    auto answer = RequestIeee1284DeviceId(*opened.handle, device.printerInterface, device.alternateSetting);
    if (answer.deviceId) {
        std::lock_guard lock(m_state->cacheMutex);
        m_state->deviceIds[key] = *answer.deviceId;
    }
    return answer;
}

UsbOpenResult LibusbBus::Open(const UsbDeviceRecord& device) { return m_state->OpenNode(device, true); }

}  // namespace zt40
