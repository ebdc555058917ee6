#pragma once
// Runs the built zt40ctl as a program and collects its output and exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/FileText.h"
#include "support/BuildTree.h"

namespace zt40::testing {

struct CtlRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// When to send a signal to a running program: once `text` shows on its standard output or
// error, or `afterMs` after its start when `text` is empty; signal 0 sends none.
// Whether `pid` has a handler installed for `signal` (Linux: its SigCgt mask).
inline bool Catches(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (!line.starts_with("SigCgt:")) continue;
        const unsigned long long caught = std::strtoull(line.c_str() + 7, nullptr, 16);
        return signal > 0 && ((caught >> (signal - 1)) & 1ULL) != 0;
    }
    return false;
}

struct SignalAt {
    int signal = 0;
    std::string text;
    int afterMs = 0;
    bool closeReaders = false;  // stop reading its output once the signal is sent, as a closed terminal's pipe does
};

struct SignalledRun : CtlRun {
    bool signalSent = false;
    double seconds = 0;             // from the start to the end
    double secondsAfterSignal = 0;  // from the signal to the end
};

class CtlProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kProgram)) << kProgram << " is built with the rest of the tree";
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // A simulated printer's initial state, in a file of its own.
    std::string StateFile(const std::string& text) {
        const auto path = m_dir / ("state" + std::to_string(m_files++) + ".zt40sim");
        std::ofstream(path) << text;
        return path.string();
    }

    // Killed after `seconds`: a program that hangs shows as exit status 137, not as a hung test.
    CtlRun Ctl(const std::string& arguments, int seconds = 60) {
        const auto errPath = m_dir / "stderr";
        const std::string command = "timeout -s KILL " + std::to_string(seconds) + " " + kProgram + " " + arguments +
                                    " 2>" + errPath.string() + " </dev/null";
        CtlRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
        const int status = pclose(pipe);
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(errPath);
        run.err.assign(std::istreambuf_iterator<char>(err), {});
        return run;
    }

    // Runs the program with `arguments` and standard input from `input`, or from a pipe that
    // stays open and silent when `input` is empty, as a terminal nobody types at. Killed after
    // `seconds` (exit status -1).
    SignalledRun CtlWithInput(const std::vector<std::string>& arguments, const std::string& input, const SignalAt& at,
                              int seconds = 30) {
        SignalledRun run;
        std::array<int, 2> out{-1, -1};
        std::array<int, 2> err{-1, -1};
        std::array<int, 2> silent{-1, -1};
        if (::pipe2(out.data(), O_CLOEXEC) != 0 || ::pipe2(err.data(), O_CLOEXEC) != 0) return run;
        int in = -1;
        if (input.empty()) {
            if (::pipe2(silent.data(), O_CLOEXEC) != 0) return run;
            in = silent[0];
        } else {
            in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
        }
        std::vector<std::string> words{kProgram};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        const auto started = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(in, STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        ::close(in);
        const auto since = [](auto from) { return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count(); };
        auto signalled = started;
        std::array<pollfd, 2> fds{pollfd{out[0], POLLIN, 0}, pollfd{err[0], POLLIN, 0}};
        while (pid > 0 && (fds[0].fd >= 0 || fds[1].fd >= 0)) {
            if (since(started) > seconds) {
                ::kill(pid, SIGKILL);
                break;
            }
            // A timed signal waits until the program catches it: on a loaded machine its start
            // alone can outlast the delay, and the default action would end it unlike any cancel.
            const bool due = at.text.empty() ? since(started) * 1000 >= at.afterMs && Catches(pid, at.signal)
                                             : run.out.find(at.text) != std::string::npos ||
                                                   run.err.find(at.text) != std::string::npos;
            if (at.signal != 0 && !run.signalSent && due) {
                ::kill(pid, at.signal);
                run.signalSent = true;
                signalled = std::chrono::steady_clock::now();
                if (at.closeReaders) {
                    for (auto& fd : fds) {
                        ::close(fd.fd);
                        fd.fd = -1;
                    }
                    break;
                }
            }
            if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
            for (std::size_t i = 0; i < fds.size(); ++i) {
                if (fds[i].fd < 0 || fds[i].revents == 0) continue;
                char buffer[4096];
                const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
                if (got <= 0) {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                } else {
                    (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
                }
            }
        }
        for (const auto& fd : fds) {
            if (fd.fd >= 0) ::close(fd.fd);
        }
        int status = 0;
        if (pid > 0) ::waitpid(pid, &status, 0);
        if (silent[1] >= 0) ::close(silent[1]);
        run.exitStatus = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.seconds = since(started);
        run.secondsAfterSignal = run.signalSent ? since(signalled) : 0;
        return run;
    }

    const std::string kProgram = std::string(ZT40_BINARY_DIR) + "/zt40ctl";
    const std::filesystem::path m_dir =
        std::filesystem::temp_directory_path() / ("zt40ctl-test-" + std::to_string(::getpid()));

private:
    int m_files = 0;
};

// The same, with the data folder (the usage record, the counter samples) in the test's folder.
class CtlDataFolderTest : public CtlProgramTest {
protected:
    void SetUp() override {
        CtlProgramTest::SetUp();
        ::setenv("ZT40_DATA_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZT40_DATA_DIR");
        CtlProgramTest::TearDown();
    }
};

}  // namespace zt40::testing
