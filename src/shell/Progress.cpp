#include "shell/Progress.h"

#include "core/Error.h"
#include "core/Tr.h"

namespace zircon {

void Progress::start(const QString& text, int maximum)
{
    if (m_active)
        throw Error(tr("Окно индикатора уже создано!"));
    m_active = true;
    m_stop = false;
    m_text = text;
    m_position = 0;
    m_maximum = maximum < 0 ? 0 : maximum;
    m_lastShown = -1;
    m_sinceEvents.start();
    publish(true);
}

void Progress::setText(const QString& text)
{
    if (!m_active)
        return;
    m_text = text;
    publish(true);
}

void Progress::step(int steps)
{
    setPosition(m_position + steps);
}

void Progress::setPosition(int position)
{
    if (!m_active)
        return;
    if (position > m_maximum)
        position = m_maximum;
    if (position < 0)
        position = 0;
    m_position = position;
    publish(false);
}

void Progress::close()
{
    if (!m_active)
        return;
    m_active = false;
    m_host.progressClose();
}

void Progress::publish(bool force)
{
    // A hundredth of the gauge is the unit of refresh.
    const int percent = m_maximum > 0 ? static_cast<int>(static_cast<long long>(m_position) * 100 / m_maximum) : 0;
    const bool due = force || percent != m_lastShown;
    if (due) {
        m_lastShown = percent;
        m_host.progressShow(m_text, m_position, m_maximum);
    }
    if (due || m_sinceEvents.elapsed() >= 100) {
        m_host.processEvents();
        m_sinceEvents.restart();
    }
}

}  // namespace zircon
