#pragma once
// Registry contents of a ZT-40 on port USB001 in the shapes that the walks expect, written into
// any tree with SetValue(key path, value name, text): the in-memory one, or the system's.
#include <string>
#include <string_view>

#include "tests/support/InMemoryKeyTree.h"

namespace zt40::test {

inline constexpr std::string_view kDriver = "Velmora ZT-40";
inline constexpr std::string_view kPort = "USB001";

// NT family.
inline const std::string kUsbPrint = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
inline const std::string kUsb = "SYSTEM\\CurrentControlSet\\Enum\\USB";
inline const std::string kClasses = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";
inline const std::string kUsbClass = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
inline const std::string kModel = "Vid_1a2b&Pid_0040";
inline const std::string kInstance = "5&99&0&1";
inline const std::string kNtLink = "\\\\?\\usb#vid_1a2b&pid_0040#5&99&0&1#" + kUsbClass;

template <class Tree>
void AddPrinterClassNode(Tree& tree, const std::string& root, const std::string& model,
                                const std::string& instance, std::string_view description) {
    tree.SetValue(root + "\\" + model + "\\" + instance, "DeviceDesc", description);
}

template <class Tree>
void AddUsbNode(Tree& tree, const std::string& model, const std::string& instance,
                       std::string_view parentIdPrefix, std::string_view symbolicName) {
    const std::string key = kUsb + "\\" + model + "\\" + instance;
    tree.SetValue(key, "ParentIdPrefix", parentIdPrefix);
    tree.SetValue(key + "\\Device Parameters", "SymbolicName", symbolicName);
}

template <class Tree>
void AddInterfaceEntry(Tree& tree, const std::string& classKey, const std::string& entry,
                              std::string_view link) {
    tree.SetValue(kClasses + "\\" + classKey + "\\" + entry + "\\#", "SymbolicLink", link);
}

inline std::string NtEntryName(const std::string& model, const std::string& instance) {
    return "##?#USB#" + model + "#" + instance + "#" + kUsbClass;
}

template <class Tree>
void AddNtPrinter(Tree& tree) {
    AddPrinterClassNode(tree, kUsbPrint, "VelmoraZT-40", "7&2c4c&0&USB001", kDriver);
    AddUsbNode(tree, kModel, kInstance, "7&2c4c&0", "\\??\\USB#" + kModel + "#" + kInstance + "#" + kUsbClass);
    AddInterfaceEntry(tree, kUsbClass, NtEntryName(kModel, kInstance), kNtLink);
}

// Windows 95 family.
inline const std::string kLegacyUsbPrint = "Enum\\USBPRINT";
inline const std::string kLegacyUsb = "Enum\\USB";
inline const std::string kPrintClass = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
inline const std::string kLegacyLink = "\\\\.\\USBPRINT0001";

template <class Tree>
void AddLegacyPrinter(Tree& tree) {
    AddPrinterClassNode(tree, kLegacyUsbPrint, "VELMORAZT-40", "USB001&VID_1A2B&PID_0040&SN0001", kDriver);
    tree.SetValue(kLegacyUsb + "\\VID_1A2B&PID_0040\\SN0001", "SymbolicName",
                  "\\DosDevices\\USBPRINT0001#" + kPrintClass);
    AddInterfaceEntry(tree, kPrintClass, "##.#USBPRINT0001#" + kPrintClass, kLegacyLink);
}

}  // namespace zt40::test
