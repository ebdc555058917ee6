#pragma once
// A print spooler on a loopback port that takes every connection and then answers each IPP
// request with the next reply of its script (silence once the script is spent), counting the
// connections and requests it receives. For spoolers that are there but do not answer.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zt40::testing {

class ScriptedSpoolerServer {
public:
    enum class Reply {
        NoQueues,  // a well-formed IPP answer, successful, naming no printer
        Silence,   // reads the request and says nothing, keeping the connection
        Garbage,   // a line that is not HTTP
        NotIpp,    // HTTP 200 with a body that is not IPP
        GoneAway,  // a line that is not HTTP, and the server stops taking connections
    };

    explicit ScriptedSpoolerServer(std::vector<Reply> script) : m_script(std::move(script)) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(m_listener, 8) != 0 || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::pipe2(m_stop, O_CLOEXEC) != 0) {
            return;
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ScriptedSpoolerServer(const ScriptedSpoolerServer&) = delete;
    ScriptedSpoolerServer& operator=(const ScriptedSpoolerServer&) = delete;

    ~ScriptedSpoolerServer() {
        if (m_thread.joinable()) {
            const char stop = 1;
            [[maybe_unused]] const auto written = ::write(m_stop[1], &stop, 1);
            m_thread.join();
        }
        for (const int fd : {m_listener, m_stop[0], m_stop[1]}) {
            if (fd >= 0) ::close(fd);
        }
    }

    bool Running() const { return m_port != 0; }
    // What CUPS_SERVER or a CupsSpooler's server is set to.
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }
    int Connections() const { return m_connections; }
    int Requests() const { return m_requests; }

private:
    struct Client {
        int fd;
        std::string received;
    };

    void Serve() {
        std::vector<Client> clients;
        for (;;) {
            std::vector<pollfd> fds = {{m_stop[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
            for (const auto& client : clients) fds.push_back({client.fd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), -1) < 0) continue;
            if (fds[0].revents != 0) break;
            for (std::size_t i = 0; i < clients.size(); ++i) {
                if (fds[i + 2].revents != 0) Receive(clients[i]);
            }
            std::erase_if(clients, [](const Client& client) { return client.fd < 0; });
            if ((fds[1].revents & POLLIN) != 0) {
                const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd >= 0) {
                    clients.push_back({fd, {}});
                    ++m_connections;
                }
            }
        }
        for (const auto& client : clients) ::close(client.fd);
    }

    void Receive(Client& client) {
        char buffer[4096];
        const ssize_t got = ::recv(client.fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            ::close(client.fd);
            client.fd = -1;
            return;
        }
        client.received.append(buffer, static_cast<std::size_t>(got));
        while (const auto body = TakeRequest(client.received)) Answer(client.fd, *body);
    }

    // The body of the first whole request in `received`, which loses it.
    static std::optional<std::string> TakeRequest(std::string& received) {
        const std::size_t headerEnd = received.find("\r\n\r\n");
        if (headerEnd == std::string::npos) return std::nullopt;
        std::string header = received.substr(0, headerEnd);
        std::ranges::transform(header, header.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::size_t length = 0;
        if (const std::size_t at = header.find("content-length:"); at != std::string::npos) {
            length = std::stoul(header.substr(at + 15));
        }
        const std::size_t bodyStart = headerEnd + 4;
        if (received.size() < bodyStart + length) return std::nullopt;
        std::string body = received.substr(bodyStart, length);
        received.erase(0, bodyStart + length);
        return body;
    }

    static std::string Attribute(char tag, const std::string& name, const std::string& value) {
        const auto size = [](const std::string& text) {
            return std::string{static_cast<char>(text.size() >> 8), static_cast<char>(text.size() & 0xFF)};
        };
        return std::string(1, tag) + size(name) + name + size(value) + value;
    }

    // Version 2.0, successful-ok, the request's id, the two attributes every answer has.
    static std::string NoQueuesAnswer(const std::string& request) {
        std::string ipp = {'\x02', '\x00', '\x00', '\x00'};
        ipp += request.size() >= 8 ? request.substr(4, 4) : std::string(4, '\x01');
        ipp += '\x01';
        ipp += Attribute('\x47', "attributes-charset", "utf-8");
        ipp += Attribute('\x48', "attributes-natural-language", "en");
        ipp += '\x03';
        return ipp;
    }

    static std::string HttpOk(const std::string& body) {
        return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\n\r\n" + body;
    }

    void Answer(int fd, const std::string& request) {
        const std::size_t index = static_cast<std::size_t>(m_requests++);
        std::string reply;
        switch (index < m_script.size() ? m_script[index] : Reply::Silence) {
        case Reply::NoQueues:
            reply = HttpOk(NoQueuesAnswer(request));
            break;
        case Reply::Silence:
            return;
        case Reply::Garbage:
            reply = "\x16\x03\x01 what is this\r\n\r\n";
            break;
        case Reply::NotIpp:
            reply = HttpOk("<html>no printers here</html>");
            break;
        case Reply::GoneAway:
            reply = "\x16\x03\x01 what is this\r\n\r\n";
            ::close(m_listener);
            m_listener = -1;
            break;
        }
        ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    std::vector<Reply> m_script;
    int m_listener = -1;
    int m_stop[2] = {-1, -1};
    int m_port = 0;
    std::atomic<int> m_connections{0};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

}  // namespace zt40::testing
