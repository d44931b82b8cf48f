#pragma once
// One busy counter for the whole process. While it is above zero every command
// is disabled and the pointer shows the hourglass; status panel 6 says what is
// being done and is cleared afterwards.
#include <QString>

#include "shell/Host.h"

namespace zircon {

inline constexpr int kProgressPanel = 6;

class BusyState {
public:
    explicit BusyState(Host& host) : m_host(host) {}
    bool busy() const { return m_count > 0; }
    void enter()
    {
        if (m_count++ == 0)
            m_host.busyChanged(true);
    }
    void leave()
    {
        if (m_count > 0 && --m_count == 0)
            m_host.busyChanged(false);
    }

private:
    Host& m_host;
    int m_count = 0;
};

// Raises the counter for one operation and lowers it on every way out,
// failures included; the status text is shown while it lasts.
class BusyScope {
public:
    BusyScope(BusyState& state, Host& host, const QString& status = {}) : m_state(state), m_host(host)
    {
        m_state.enter();
        if (!status.isEmpty()) {
            m_host.setStatusText(kProgressPanel, status);
            m_host.processEvents();
        }
    }
    ~BusyScope()
    {
        m_host.setStatusText(kProgressPanel, QString());
        m_state.leave();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyState& m_state;
    Host& m_host;
};

}  // namespace zircon
