#pragma once
// A tiny proxy on a free port of 127.0.0.1 for the tests: HTTP CONNECT,
// SOCKS4 or SOCKS5, optionally asking for a user name and password. It
// records what each client asked for and relays bytes both ways. It connects
// only to 127.0.0.1, and every wait in it is bounded.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace zircon::test {

namespace proxy_detail {

constexpr int kWaitMs = 5000;

// Reads exactly n bytes; false on a close, an error or a silence of kWaitMs.
inline bool readExact(int fd, void* buffer, size_t n)
{
    auto* p = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < n) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, kWaitMs) <= 0)
            return false;
        const ssize_t r = recv(fd, p + got, n - got, 0);
        if (r <= 0)
            return false;
        got += static_cast<size_t>(r);
    }
    return true;
}

inline bool writeAll(int fd, const void* data, size_t n)
{
    auto* p = static_cast<const unsigned char*>(data);
    size_t sent = 0;
    while (sent < n) {
        const ssize_t w = send(fd, p + sent, n - sent, MSG_NOSIGNAL);
        if (w <= 0)
            return false;
        sent += static_cast<size_t>(w);
    }
    return true;
}

inline bool writeAll(int fd, const std::string& s)
{
    return writeAll(fd, s.data(), s.size());
}

inline int connectLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Copies both ways until one side closes or both stay silent for kWaitMs.
inline void relay(int a, int b)
{
    char buffer[16384];
    for (;;) {
        pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
        if (poll(fds, 2, kWaitMs) <= 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t r = recv(fds[i].fd, buffer, sizeof buffer, 0);
            if (r <= 0 || !writeAll(fds[1 - i].fd, buffer, static_cast<size_t>(r)))
                return;
        }
    }
}

inline int listenLoopback(int* port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = 0;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(listen(fd, 16), 0);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    *port = ntohs(addr.sin_port);
    return fd;
}

}  // namespace proxy_detail

class TestProxy {
public:
    enum class Protocol { HttpConnect, Socks4, Socks5 };

    // With a user name the proxy asks for it (and, but for SOCKS4, the password).
    explicit TestProxy(Protocol protocol, std::string user = {}, std::string password = {})
        : m_protocol(protocol), m_user(std::move(user)), m_password(std::move(password))
    {
        m_listen = proxy_detail::listenLoopback(&m_port);
        m_thread = std::thread([this] { acceptLoop(); });
    }
    ~TestProxy()
    {
        m_stop = true;
        m_thread.join();
        for (std::thread& t : m_sessions)
            t.join();
        close(m_listen);
    }
    TestProxy(const TestProxy&) = delete;
    TestProxy& operator=(const TestProxy&) = delete;

    int port() const { return m_port; }
    // "host:port" of every tunnel asked for, in order.
    std::vector<std::string> targets() const
    {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }
    // The credentials each client gave: "user:password" ("user" for SOCKS4),
    // "" when it gave none.
    std::vector<std::string> credentials() const
    {
        std::lock_guard lock(m_mutex);
        return m_credentials;
    }

private:
    void acceptLoop()
    {
        while (!m_stop) {
            pollfd pfd{m_listen, POLLIN, 0};
            if (poll(&pfd, 1, 50) <= 0)
                continue;
            const int client = accept(m_listen, nullptr, nullptr);
            if (client < 0)
                continue;
            m_sessions.emplace_back([this, client] {
                session(client);
                close(client);
            });
        }
    }

    void record(std::string target, std::string credentials)
    {
        std::lock_guard lock(m_mutex);
        m_targets.push_back(std::move(target));
        m_credentials.push_back(std::move(credentials));
    }

    void tunnel(int client, int port)
    {
        const int upstream = proxy_detail::connectLoopback(port);
        if (upstream < 0)
            return;
        proxy_detail::relay(client, upstream);
        close(upstream);
    }

    void session(int client)
    {
        switch (m_protocol) {
        case Protocol::HttpConnect:
            httpConnect(client);
            break;
        case Protocol::Socks4:
            socks4(client);
            break;
        case Protocol::Socks5:
            socks5(client);
            break;
        }
    }

    void httpConnect(int client)
    {
        std::string head;
        char c = 0;
        while (head.size() < 8192 && head.find("\r\n\r\n") == std::string::npos) {
            if (!proxy_detail::readExact(client, &c, 1))
                return;
            head += c;
        }
        // "CONNECT 127.0.0.1:PORT HTTP/1.1"
        const size_t sp1 = head.find(' ');
        const size_t sp2 = head.find(' ', sp1 + 1);
        if (head.rfind("CONNECT ", 0) != 0 || sp2 == std::string::npos)
            return;
        const std::string target = head.substr(sp1 + 1, sp2 - sp1 - 1);
        std::string credentials;
        const std::string authKey = "\r\nProxy-Authorization: Basic ";
        const size_t auth = head.find(authKey);
        if (auth != std::string::npos) {
            const size_t end = head.find("\r\n", auth + authKey.size());
            credentials = QByteArray::fromBase64(QByteArray::fromStdString(
                                                     head.substr(auth + authKey.size(), end - auth - authKey.size())))
                              .toStdString();
        }
        record(target, credentials);
        if (!m_user.empty() && credentials != m_user + ":" + m_password) {
            proxy_detail::writeAll(client, "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic "
                                           "realm=\"test\"\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            return;
        }
        const size_t colon = target.rfind(':');
        const std::string host = target.substr(0, colon);
        if (host != "127.0.0.1" && host != "localhost") {
            proxy_detail::writeAll(client, "HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        proxy_detail::writeAll(client, "HTTP/1.1 200 Connection established\r\n\r\n");
        tunnel(client, std::stoi(target.substr(colon + 1)));
    }

    void socks4(int client)
    {
        unsigned char head[8];
        if (!proxy_detail::readExact(client, head, sizeof head) || head[0] != 4 || head[1] != 1)
            return;
        std::string user;
        char c = 1;
        while (user.size() < 256) {
            if (!proxy_detail::readExact(client, &c, 1))
                return;
            if (c == 0)
                break;
            user += c;
        }
        const int port = head[2] << 8 | head[3];
        const std::string ip = std::to_string(head[4]) + "." + std::to_string(head[5]) + "." + std::to_string(head[6])
                               + "." + std::to_string(head[7]);
        record(ip + ":" + std::to_string(port), user);
        const bool allowed = ip == "127.0.0.1" && (m_user.empty() || user == m_user);
        const unsigned char reply[8] = {0, static_cast<unsigned char>(allowed ? 0x5A : 0x5B), 0, 0, 0, 0, 0, 0};
        proxy_detail::writeAll(client, reply, sizeof reply);
        if (allowed)
            tunnel(client, port);
    }

    void socks5(int client)
    {
        unsigned char greeting[2];
        if (!proxy_detail::readExact(client, greeting, 2) || greeting[0] != 5)
            return;
        std::vector<unsigned char> methods(greeting[1]);
        if (!methods.empty() && !proxy_detail::readExact(client, methods.data(), methods.size()))
            return;
        const unsigned char wanted = m_user.empty() ? 0x00 : 0x02;
        bool offered = false;
        for (unsigned char m : methods)
            offered = offered || m == wanted;
        const unsigned char choice[2] = {5, static_cast<unsigned char>(offered ? wanted : 0xFF)};
        proxy_detail::writeAll(client, choice, 2);
        if (!offered)
            return;
        std::string credentials;
        if (wanted == 0x02) {
            unsigned char ver = 0, len = 0;
            if (!proxy_detail::readExact(client, &ver, 1) || !proxy_detail::readExact(client, &len, 1))
                return;
            std::string user(len, '\0');
            if (len && !proxy_detail::readExact(client, user.data(), len))
                return;
            if (!proxy_detail::readExact(client, &len, 1))
                return;
            std::string password(len, '\0');
            if (len && !proxy_detail::readExact(client, password.data(), len))
                return;
            credentials = user + ":" + password;
            const bool ok = user == m_user && password == m_password;
            const unsigned char status[2] = {1, static_cast<unsigned char>(ok ? 0 : 1)};
            proxy_detail::writeAll(client, status, 2);
            if (!ok) {
                record("", credentials);
                return;
            }
        }
        unsigned char request[4];
        if (!proxy_detail::readExact(client, request, 4) || request[0] != 5 || request[1] != 1)
            return;
        std::string host;
        if (request[3] == 1) {
            unsigned char ip[4];
            if (!proxy_detail::readExact(client, ip, 4))
                return;
            host = std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." + std::to_string(ip[2]) + "."
                   + std::to_string(ip[3]);
        } else if (request[3] == 3) {
            unsigned char len = 0;
            if (!proxy_detail::readExact(client, &len, 1))
                return;
            host.resize(len);
            if (len && !proxy_detail::readExact(client, host.data(), len))
                return;
        } else {
            return;
        }
        unsigned char portBytes[2];
        if (!proxy_detail::readExact(client, portBytes, 2))
            return;
        const int port = portBytes[0] << 8 | portBytes[1];
        record(host + ":" + std::to_string(port), credentials);
        const bool allowed = host == "127.0.0.1" || host == "localhost";
        const unsigned char reply[10] = {5, static_cast<unsigned char>(allowed ? 0 : 2), 0, 1, 0, 0, 0, 0, 0, 0};
        proxy_detail::writeAll(client, reply, sizeof reply);
        if (allowed)
            tunnel(client, port);
    }

    Protocol m_protocol;
    std::string m_user;
    std::string m_password;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::vector<std::thread> m_sessions;  // touched by the accepting thread only, joined after it
    mutable std::mutex m_mutex;
    std::vector<std::string> m_targets;
    std::vector<std::string> m_credentials;
};

// A port of 127.0.0.1 that takes connections into its backlog and never
// answers: a TLS handshake with it waits for ever (the connect time-out).
class SilentListener {
public:
    SilentListener() { m_fd = proxy_detail::listenLoopback(&m_port); }
    ~SilentListener() { close(m_fd); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// A port of 127.0.0.1 with nothing listening on it (connections are refused).
inline int closedLoopbackPort()
{
    int port = 0;
    const int fd = proxy_detail::listenLoopback(&port);
    close(fd);
    return port;
}

}  // namespace zircon::test
