#pragma once
// The progress window's state: at most one at a time, a text line, a gauge and
// a stop flag that long loops poll. Updates reach the host about a hundred
// times per operation, and events run at least every 100 ms so the stop button
// and repaint keep working.
#include <QElapsedTimer>
#include <QString>

#include "shell/Host.h"

namespace zircon {

class Progress {
public:
    explicit Progress(Host& host) : m_host(host) {}

    // Fails with "Окно индикатора уже создано!" while another one is open.
    void start(const QString& text, int maximum);
    void setText(const QString& text);
    // Adds steps; the position never passes the maximum.
    void step(int steps = 1);
    void setPosition(int position);
    void close();

    bool active() const { return m_active; }
    int position() const { return m_position; }
    int maximum() const { return m_maximum; }
    const QString& text() const { return m_text; }

    // Set by the stop button; cleared by start().
    bool stopRequested() const { return m_stop; }
    void requestStop() { m_stop = true; }

private:
    void publish(bool force);

    Host& m_host;
    bool m_active = false;
    bool m_stop = false;
    QString m_text;
    int m_position = 0;
    int m_maximum = 0;
    int m_lastShown = -1;
    QElapsedTimer m_sinceEvents;
};

// Opens the progress window for one operation and closes it on every way out.
class ProgressScope {
public:
    ProgressScope(Progress& progress, const QString& text, int maximum) : m_progress(progress)
    {
        m_progress.start(text, maximum);
    }
    ~ProgressScope() { m_progress.close(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    Progress& m_progress;
};

}  // namespace zircon
