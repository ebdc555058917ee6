#pragma once
// umockdev's test bed, loaded at run time so that the tests build without it: synthetic
// devices in a private sysfs, seen by libudev (and libusb) inside umockdev's preload
// environment. A test that needs it calls RunUnderUmockdev() first: outside the environment
// that re-runs the same test under umockdev-wrapper and reports the child's result.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace zt40::test {

class UmockdevTestbed {
public:
    UmockdevTestbed() {
        m_library = dlopen("libumockdev.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!m_library) return;
        m_new = reinterpret_cast<New>(dlsym(m_library, "umockdev_testbed_new"));
        m_addFromString = reinterpret_cast<AddFromString>(dlsym(m_library, "umockdev_testbed_add_from_string"));
        m_uevent = reinterpret_cast<UeventFn>(dlsym(m_library, "umockdev_testbed_uevent"));
        m_remove = reinterpret_cast<RemoveFn>(dlsym(m_library, "umockdev_testbed_remove_device"));
        m_unref = reinterpret_cast<Unref>(dlsym(m_library, "g_object_unref"));
        m_errorFree = reinterpret_cast<Unref>(dlsym(m_library, "g_error_free"));
        m_loadPcap = reinterpret_cast<LoadPcapFn>(dlsym(m_library, "umockdev_testbed_load_pcap"));
        if (m_new && m_addFromString && m_uevent && m_remove && m_unref && m_loadPcap && std::getenv("ZT40_UNDER_UMOCKDEV")) {
            m_testbed = m_new();
        }
    }
    ~UmockdevTestbed() {
        if (m_testbed) m_unref(m_testbed);
        // The library stays loaded: GLib types it registered cannot be unloaded.
    }
    UmockdevTestbed(const UmockdevTestbed&) = delete;
    UmockdevTestbed& operator=(const UmockdevTestbed&) = delete;

    static bool Installed() { return dlopen("libumockdev.so.0", RTLD_NOW | RTLD_LOCAL) != nullptr; }
    bool Ready() const { return m_testbed != nullptr; }

    // Devices in umockdev's text form ("P: /devices/...", "A: attr=value", "E: KEY=value").
    bool Add(const std::string& description) { return Check(m_addFromString(m_testbed, description.c_str(), &m_error)); }
    void Uevent(const std::string& sysPath, const char* action) { m_uevent(m_testbed, sysPath.c_str(), action); }
    void Remove(const std::string& sysPath) { m_remove(m_testbed, sysPath.c_str()); }
    // The device's usbfs node answers control transfers from a usbmon capture, in order.
    bool LoadPcap(const std::string& sysPath, const std::string& captureFile) {
        return Check(m_loadPcap(m_testbed, sysPath.c_str(), captureFile.c_str(), &m_error));
    }

private:
    // umockdev's GError: the text is what a failing test needs to show.
    struct Error {
        std::uint32_t domain;
        int code;
        char* message;
    };
    bool Check(int ok) {
        if (m_error) {
            ADD_FAILURE() << "umockdev: " << static_cast<Error*>(m_error)->message;
            if (m_errorFree) m_errorFree(m_error);
            m_error = nullptr;
        }
        return ok != 0;
    }

    using New = void* (*)();
    using AddFromString = int (*)(void*, const char*, void**);
    using UeventFn = void (*)(void*, const char*, const char*);
    using RemoveFn = void (*)(void*, const char*);
    using Unref = void (*)(void*);
    using LoadPcapFn = int (*)(void*, const char*, const char*, void**);

    void* m_library = nullptr;
    void* m_testbed = nullptr;
    void* m_error = nullptr;
    New m_new = nullptr;
    AddFromString m_addFromString = nullptr;
    UeventFn m_uevent = nullptr;
    RemoveFn m_remove = nullptr;
    Unref m_unref = nullptr;
    LoadPcapFn m_loadPcap = nullptr;
    Unref m_errorFree = nullptr;
};

// True when the caller is inside umockdev and should run its checks; false when the
// test has been run in a child with umockdev's preload library (as umockdev-wrapper would
// start it) and the caller must return.
inline bool RunUnderUmockdev() {
    if (std::getenv("ZT40_UNDER_UMOCKDEV")) return true;
    if (!UmockdevTestbed::Installed()) {
        ADD_FAILURE() << "umockdev is not installed (apt-get install umockdev)";
        return false;
    }
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
    char self[4096];
    const auto length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        ADD_FAILURE() << "cannot find the test program";
        return false;
    }
    self[length] = '\0';
    const pid_t child = fork();
    if (child == 0) {
        setenv("ZT40_UNDER_UMOCKDEV", "1", 1);
        std::string preload = "libumockdev-preload.so.0";
        if (const char* old = std::getenv("LD_PRELOAD")) preload = preload + ":" + old;
        setenv("LD_PRELOAD", preload.c_str(), 1);
        // The preload library comes after a sanitizer runtime; that order is fine here.
        std::string asan = "verify_asan_link_order=0";
        if (const char* old = std::getenv("ASAN_OPTIONS")) asan = std::string(old) + ":" + asan;
        setenv("ASAN_OPTIONS", asan.c_str(), 1);
        execl(self, self, filter.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "under umockdev: status " << status;
    return false;
}

// A fixture whose tests run only inside umockdev: outside it, SetUp runs the test again in
// a child under umockdev and sets `skipped`, and the test body must then return at once.
class UmockdevTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!RunUnderUmockdev()) {
            skipped = true;
            return;
        }
        ASSERT_TRUE(testbed.Ready());
    }

    bool skipped = false;
    UmockdevTestbed testbed;
};

}  // namespace zt40::test
