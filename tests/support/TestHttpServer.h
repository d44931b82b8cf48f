#pragma once
// A real HTTP or HTTPS server on a free port of 127.0.0.1 (cpp-httplib),
// started and stopped by the test that owns it; handlers run on the server's
// own threads. Also the small pieces the HTTP tests share: a gate a handler
// waits at, and gzip and deflate compression of an answer.
#include <QString>

#include <httplib.h>
#include <zlib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/TestCertificates.h"

namespace zircon::test {

class TestHttpServer {
public:
    enum class Tls { Off, On };

    explicit TestHttpServer(Tls tls = Tls::On) : m_tls(tls == Tls::On)
    {
        if (m_tls) {
            const TestPki& pki = testPki();
            m_server = std::make_unique<httplib::SSLServer>(pki.certFile.toLocal8Bit().constData(),
                                                            pki.keyFile.toLocal8Bit().constData());
        } else {
            m_server = std::make_unique<httplib::Server>();
        }
        EXPECT_TRUE(m_server->is_valid());
    }
    ~TestHttpServer() { stop(); }
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    httplib::Server& http() { return *m_server; }

    // Binds to a free port of 127.0.0.1 and serves on a thread of its own.
    void start()
    {
        m_port = m_server->bind_to_any_port("127.0.0.1");
        ASSERT_GT(m_port, 0);
        m_thread = std::thread([this] { m_server->listen_after_bind(); });
        for (int i = 0; i < 500 && !m_server->is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(m_server->is_running());
    }
    void stop()
    {
        if (m_thread.joinable()) {
            m_server->stop();
            m_thread.join();
        }
    }

    int port() const { return m_port; }
    // "https://127.0.0.1:PORT" (or http) followed by `path`.
    QString url(const QString& path = {}) const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? QStringLiteral("https") : QStringLiteral("http")).arg(m_port)
               + path;
    }

private:
    bool m_tls;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
};

// A handler waits here until the test opens the gate (at the latest after
// five seconds, so a failing test never hangs).
class Gate {
public:
    void open()
    {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_cv.notify_all();
    }
    bool wait()
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::seconds(5), [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};

// gzip (windowBits 31) or zlib-wrapped deflate (windowBits 15), as the
// Content-Encoding names them.
inline std::string compressed(const std::string& data, bool gzip)
{
    z_stream zs{};
    EXPECT_EQ(deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&zs, static_cast<uLong>(data.size())) + 32, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&zs, Z_FINISH), Z_STREAM_END);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

// Sets a compressed body. The content type is one cpp-httplib leaves alone,
// so the bytes on the wire are exactly these.
inline void setCompressed(httplib::Response& res, const std::string& body, bool gzip = true)
{
    res.set_header("Content-Encoding", gzip ? "gzip" : "deflate");
    res.set_content(compressed(body, gzip), "application/json; charset=utf-8");
}

}  // namespace zircon::test
