#pragma once
// The operator's draw-results service as the tests serve it: the path
// "/api/v1/numbers/zircon" on a TestHttpServer, answering the draws dated
// between the query's "min" and "max" newest first, as a gzip-compressed JSON
// list. The test can put failures in the way of the next requests and reads
// back every request target exactly as it arrived.
#include <QDate>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "support/TestHttpServer.h"

namespace zircon::test {

struct ServedDraw {
    QDate date;
    std::array<int, 6> numbers;  // five main numbers and the extra number
};

class FakeDrawService {
public:
    enum class Fault {
        Status500,  // "500 Internal Server Error" with an HTML page
        Junk,       // 200 with a page that holds no list
        Unclosed,   // 200 with a "[" that no "]" follows
        Hang,       // no answer until the gate opens
    };

    explicit FakeDrawService(TestHttpServer& server) : m_server(server)
    {
        server.http().Get("/api/v1/numbers/zircon",
                          [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
    }
    // A handler waiting at the gate must finish before this object goes.
    ~FakeDrawService()
    {
        m_gate.open();
        m_server.stop();
    }

    void setDraws(std::vector<ServedDraw> draws)
    {
        std::lock_guard lock(m_mutex);
        m_draws = std::move(draws);
    }
    // The next request not yet given something else gets this failure
    // instead of its answer.
    void pushFault(Fault fault)
    {
        std::lock_guard lock(m_mutex);
        m_next.push_back({fault, {}});
    }
    // The same with this body (compressed) in place of the answer.
    void pushRawAnswer(std::string body)
    {
        std::lock_guard lock(m_mutex);
        m_next.push_back({std::nullopt, std::move(body)});
    }
    std::vector<std::string> targets() const
    {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }
    // Request headers of the last request.
    httplib::Headers lastHeaders() const
    {
        std::lock_guard lock(m_mutex);
        return m_lastHeaders;
    }
    Gate& gate() { return m_gate; }

    // One element of the operator's list.
    static std::string jsonOf(const ServedDraw& d)
    {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%02d,%02d,%02d,%02d,%02d,%02d", d.numbers[0], d.numbers[1],
                      d.numbers[2], d.numbers[3], d.numbers[4], d.numbers[5]);
        return "{\"field_draw_date\":\"" + d.date.toString(QStringLiteral("yyyy-MM-dd")).toStdString()
               + "T22:59:00\",\"field_winning_numbers\":\"" + numbers + "\",\"field_multiplier\":\"2\"}";
    }

    // The operator's list of these elements, newest first as given.
    static std::string listOf(const std::vector<std::string>& elements)
    {
        std::string body = "[";
        for (size_t i = 0; i < elements.size(); ++i) {
            if (i)
                body += ',';
            body += elements[i];
        }
        body += ']';
        return body;
    }

private:
    void answer(const httplib::Request& req, httplib::Response& res)
    {
        std::unique_lock lock(m_mutex);
        m_targets.push_back(req.target);
        m_lastHeaders = req.headers;
        if (!m_next.empty()) {
            const Next next = m_next.front();
            m_next.pop_front();
            if (!next.fault) {
                setCompressed(res, next.raw);
                return;
            }
            switch (*next.fault) {
            case Fault::Status500:
                res.status = 500;
                res.set_content("<html><body>Internal Server Error</body></html>", "text/plain");
                return;
            case Fault::Junk:
                setCompressed(res, "<html><body>Service temporarily unavailable</body></html>");
                return;
            case Fault::Unclosed:
                setCompressed(res, "[{\"field_draw_date\":\"2024-01-01T22:59:00\"");
                return;
            case Fault::Hang:
                lock.unlock();
                m_gate.wait();
                res.status = 503;
                return;
            }
        }
        // "yyyy-mm-dd hh:mm:ss", the space sent as "%20".
        const QDate min = QDate::fromString(QString::fromStdString(req.get_param_value("min")).left(10),
                                            QStringLiteral("yyyy-MM-dd"));
        const QDate max = QDate::fromString(QString::fromStdString(req.get_param_value("max")).left(10),
                                            QStringLiteral("yyyy-MM-dd"));
        std::vector<const ServedDraw*> hits;
        for (const ServedDraw& d : m_draws)
            if (d.date >= min && d.date <= max)
                hits.push_back(&d);
        std::sort(hits.begin(), hits.end(), [](const ServedDraw* a, const ServedDraw* b) { return a->date > b->date; });
        std::vector<std::string> elements;
        for (const ServedDraw* d : hits)
            elements.push_back(jsonOf(*d));
        setCompressed(res, listOf(elements));
    }

    TestHttpServer& m_server;
    mutable std::mutex m_mutex;
    std::vector<ServedDraw> m_draws;
    struct Next {
        std::optional<Fault> fault;  // none: the raw body
        std::string raw;
    };
    std::deque<Next> m_next;
    std::vector<std::string> m_targets;
    httplib::Headers m_lastHeaders;
    Gate m_gate;
};

}  // namespace zircon::test
