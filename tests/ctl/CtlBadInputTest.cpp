// What a new user's mistakes get from zt40ctl: a clear first line and the usage exit status,
// at once. Every run is killed after a few seconds, so a hang fails the case instead of the suite.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <ostream>
#include <string>

#include "tests/support/CtlProgram.h"

namespace zt40::testing {
namespace {

struct BadInput {
    const char* name;
    const char* arguments;  // {dir} stands for the test's own folder
    int exitStatus;
    std::string firstLine;  // of standard error, or of standard output when the run succeeds
};

std::ostream& operator<<(std::ostream& out, const BadInput& c) { return out << c.name; }

std::string Expand(std::string text, const std::string& dir) {
    for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) text.replace(at, 5, dir);
    return text;
}

constexpr const char* kNotADevicePath =
    "\" is not a USB device path; one looks like usb:1a2b:00c4:serial=ZT4000123 or usb:1a2b:00c4:port=1-1.4 "
    "(vendor and product in hex)";

class CtlBadInputTest : public CtlProgramTest, public ::testing::WithParamInterface<BadInput> {
protected:
    void SetUp() override {
        CtlProgramTest::SetUp();
        ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0600), 0);
        std::filesystem::create_directories(m_dir / "folder");
        constexpr char kNul[] = "sta\0tus = 1\nstatus = 2\n";
        Write("nul.zt40sim", std::string(kNul, sizeof kNul - 1));
        Write("binary.zt40sim", "\x1b[2J\xff = 1\n");
        Write("bom.zt40sim", "\xEF\xBB\xBFstatus = 5\n");
        Write("big.zt40sim", std::string(70000, '#'));
        Write("bad.zt40sim", "bogus = 1\n");
        Write("unplugged.zt40sim", "fault = unplugged\n");
        Write("error5.zt40sim", "fault = error:5\n");
        Write("status6.zt40sim", "status = 6\n");
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
};

TEST_P(CtlBadInputTest, AnsweredAtOnceWithAClearFirstLine) {
    const auto& c = GetParam();
    const auto run = Ctl(Expand(c.arguments, m_dir.string()), 10);
    EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
    const std::string& shown = c.exitStatus == 0 ? run.out : run.err;
    EXPECT_EQ(shown.substr(0, shown.find('\n')), Expand(c.firstLine, m_dir.string()));
}

INSTANTIATE_TEST_SUITE_P(
    NewUser, CtlBadInputTest,
    ::testing::Values(
        BadInput{"FifoWithoutWriter", "--simulate={dir}/fifo status", 2,
                 "{dir}/fifo: is not a regular file (a device, FIFO or socket cannot be a state file)"},
        BadInput{"EndlessDevice", "--simulate=/dev/zero status", 2,
                 "/dev/zero: is not a regular file (a device, FIFO or socket cannot be a state file)"},
        BadInput{"Folder", "--simulate={dir}/folder status", 2, "{dir}/folder: is a folder, not a state file"},
        BadInput{"MissingFile", "--simulate={dir}/none status", 2,
                 "{dir}/none: cannot read the file: No such file or directory"},
        BadInput{"FarTooLarge", "--simulate={dir}/big.zt40sim status", 2,
                 "{dir}/big.zt40sim: is 70000 bytes long; a state file has at most 65536"},
        BadInput{"NulByteShownEscaped", "--simulate={dir}/nul.zt40sim status", 2,
                 "{dir}/nul.zt40sim:1: unknown key \"sta\\x00tus\""},
        BadInput{"TerminalControlsShownEscaped", "--simulate={dir}/binary.zt40sim status", 2,
                 "{dir}/binary.zt40sim:1: unknown key \"\\x1B[2J\\xFF\""},
        BadInput{"ByteOrderMarkAccepted", "--simulate={dir}/bom.zt40sim status", 0, "status: 0x0005 (ready)"},
        BadInput{"EmptySimulateFile", "--simulate= status", 2, "zt40ctl: --simulate= needs a state file after the ="},
        BadInput{"DeviceGarbage", "--device garbage status", 2,
                 (std::string("zt40ctl: --device \"garbage") + kNotADevicePath)},
        BadInput{"DeviceEmpty", "--device '' status", 2, (std::string("zt40ctl: --device \"") + kNotADevicePath)},
        BadInput{"DeviceRoot", "--device / status", 2, (std::string("zt40ctl: --device \"/") + kNotADevicePath)},
        BadInput{"DeviceNull", "--device /dev/null status", 2,
                 (std::string("zt40ctl: --device \"/dev/null") + kNotADevicePath)},
        BadInput{"DeviceNotHex", "--device usb:zzzz:5678 status", 2,
                 (std::string("zt40ctl: --device \"usb:zzzz:5678") + kNotADevicePath)},
        BadInput{"DeviceWithSimulate", "--simulate --device usb:1a2b:00c4:serial=X status", 2,
                 "zt40ctl: --device and --simulate cannot be used together: the simulated printer has no USB device"},
        BadInput{"TrailingDevice", "status --device", 2, "zt40ctl: --device needs a value"},
        BadInput{"TrailingQueue", "--simulate status --queue", 2, "zt40ctl: --queue needs a value"},
        BadInput{"EmptyQueue", "--simulate --queue '' status", 2,
                 "zt40ctl: --queue needs a queue name, not an empty text"},
        BadInput{"UnknownOption", "--bogus status", 2, "zt40ctl: unknown option --bogus"},
        BadInput{"UnknownCommand", "bogus", 2, "zt40ctl: unknown command bogus"},
        // One bad state file, the same answer from every command that loads it.
        BadInput{"BadStateFileStatus", "--simulate={dir}/bad.zt40sim status", 2, "{dir}/bad.zt40sim:1: unknown key \"bogus\""},
        BadInput{"BadStateFilePrint", "--simulate={dir}/bad.zt40sim print-pattern", 2,
                 "{dir}/bad.zt40sim:1: unknown key \"bogus\""},
        BadInput{"BadStateFileQueues", "--simulate={dir}/bad.zt40sim queues", 2,
                 "{dir}/bad.zt40sim:1: unknown key \"bogus\""},
        BadInput{"BadStateFileCancel", "--simulate={dir}/bad.zt40sim cancel 5", 2,
                 "{dir}/bad.zt40sim:1: unknown key \"bogus\""},
        // Statuses a script can act on.
        BadInput{"NoUsableQueueStatus", "--simulate={dir}/unplugged.zt40sim status", 3,
                 "zt40ctl: no usable ZT-40 queue: none has the driver \"Velmora ZT-40\", a USB port and is online "
                 "(name one with --queue)"},
        BadInput{"NoUsableQueuePrint", "--simulate={dir}/unplugged.zt40sim print-letters 3", 3,
                 "zt40ctl: print-letters: no usable ZT-40 queue: none has the driver \"Velmora ZT-40\", a USB port "
                 "and is online (name one with --queue)"},
        BadInput{"PrinterInErrorStateSaysWhatItAnswered", "--simulate={dir}/error5.zt40sim status", 1,
                 "zt40ctl: the printer answered the status query with error state 0x05"},
        BadInput{"PrinterNotReadySaysItsStatus", "--simulate={dir}/status6.zt40sim status", 1,
                 "zt40ctl: the printer answers status 0x0006 and did not become ready within 5 s"},
        // Numbers are plain decimals; what the program does not hold is a bad argument; a queue that is
        // not there is no usable queue, whichever command asks.
        BadInput{"UnknownJobId", "export-job 170", 2,
                 "zt40ctl: export-job: no embedded job 170 (there are 151-161, 171, 172)"},
        BadInput{"JobIdWithLeadingZero", "export-job 0152", 2,
                 "zt40ctl: export-job: \"0152\" is not a resource id (one of 151-161, 171, 172)"},
        BadInput{"PinWithLeadingZero", "--simulate print-letters 03", 2,
                 "zt40ctl: print-letters: the pin is a number from 1 to 9, not \"03\""},
        BadInput{"CancelJobWithLeadingZero", "--simulate cancel 05", 2,
                 "zt40ctl: cancel: a job id is a number from 1 up, not \"05\""},
        BadInput{"UnknownQueueStatus", "--simulate --queue Elsewhere status", 3,
                 "zt40ctl: there is no print queue named \"Elsewhere\" (zt40ctl queues lists them)"},
        BadInput{"UnknownQueuePrint", "--simulate --queue Elsewhere print-origin 3", 3,
                 "zt40ctl: print-origin: there is no print queue named \"Elsewhere\" (zt40ctl queues lists them)"},
        BadInput{"UnknownQueueCancel", "--simulate --queue ZT-4 cancel 5", 3,
                 "zt40ctl: cancel: there is no print queue named \"ZT-4\" (zt40ctl queues lists them)"},
        BadInput{"QueueNameInAnyCase", "--simulate --queue zt-40 status", 0, "status: 0x0001 (ready)"},
        BadInput{"SimulateTwice", "--simulate={dir}/bom.zt40sim --simulate={dir}/status6.zt40sim status", 2,
                 "zt40ctl: --simulate is given twice: name one state file at most"},
        BadInput{"SimulateBareThenFile", "--simulate status --simulate={dir}/bom.zt40sim", 2,
                 "zt40ctl: --simulate is given twice: name one state file at most"},
        BadInput{"QueueTwice", "--simulate --queue ZT-40 status --queue ZT-40", 2, "zt40ctl: --queue is given twice"},
        BadInput{"ReadingsTwice",
                 "--simulate adjust-pins --no-print --readings=A0,A0,A0,A0,A0,A0,A0,A0,A0 "
                 "--readings A0,A0,A0,A0,A0,A0,A0,A0,A0",
                 2, "zt40ctl: adjust-pins: --readings is given twice"},
        BadInput{"FormatTwice", "history --format csv --format=json", 2, "zt40ctl: history: --format is given twice"},
        // Outside text is echoed with what a terminal would act on escaped; UTF-8 stays readable.
        BadInput{"PinArgumentEscaped", "--simulate print-letters \"$(printf '\\033[31mX')\"", 2,
                 "zt40ctl: print-letters: the pin is a number from 1 to 9, not \"\\x1B[31mX\""},
        BadInput{"QueueNameEscaped", "--simulate --queue \"$(printf '\\033]0;x\\007')\" status", 3,
                 "zt40ctl: there is no print queue named \"\\x1B]0;x\\x07\" (zt40ctl queues lists them)"},
        BadInput{"MalformedUtf8Escaped", "--simulate --queue \"$(printf 'lat\\351')\" cancel 4", 3,
                 "zt40ctl: cancel: there is no print queue named \"lat\\xE9\" (zt40ctl queues lists them)"},
        BadInput{"Utf8Kept", "--simulate --queue Zürich status", 3,
                 "zt40ctl: there is no print queue named \"Zürich\" (zt40ctl queues lists them)"},
        BadInput{"C1ControlEscaped", "--simulate --queue \"$(printf 'a\\302\\233b')\" status", 3,
                 "zt40ctl: there is no print queue named \"a\\xC2\\x9Bb\" (zt40ctl queues lists them)"},
        BadInput{"ReadingsEscaped", "--simulate adjust-pins --readings \"$(printf 'A1\\033')\"", 2,
                 "zt40ctl: adjust-pins: \"A1\\x1B\" is not nine readings (A1 ... A0, B1 ... D0 or None, "
                 "comma-separated)"},
        BadInput{"JobIdEscaped", "export-job \"$(printf '1\\0335')\"", 2,
                 "zt40ctl: export-job: \"1\\x1B5\" is not a resource id (one of 151-161, 171, 172)"},
        BadInput{"DeviceNotAttachedIsNamed", "--device usb:1a2b:00c4:serial=NOSUCH status", 1,
                 "zt40ctl: cannot open the USB device usb:1a2b:00c4:serial=NOSUCH: The ZT-40 is not connected or not "
                 "switched on."}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zt40::testing
