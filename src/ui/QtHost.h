#pragma once
// The host of the Qt interface: the core's status texts, message boxes,
// progress, wait and message windows become real widgets here.
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>

#include "shell/Host.h"

class QLabel;
class QStatusBar;
class QWidget;

namespace zircon {

class MessageViewer;
class TFormProgress;
class WaitWindow;

inline constexpr int kStatusPanelCount = 7;

class QtHost : public QObject, public Host {
    Q_OBJECT
public:
    // Answers a message box in place of the user: gets what the box would
    // show and returns the answer (Yes for a question). Set by tests; while
    // one is set no dialog opens.
    using Answerer = std::function<bool(MessageKind kind, const QString& text, bool defaultNo)>;

    explicit QtHost(QObject* parent = nullptr);
    ~QtHost() override;

    // Adds the seven panels 0..6 to the bar; panel 6 takes the spare width.
    void attachStatusBar(QStatusBar* bar);
    // The window the message boxes and the progress window belong to.
    void setWindow(QWidget* window) { m_window = window; }
    void setAnswerer(Answerer answerer) { m_answerer = std::move(answerer); }
    // The stop button of the progress window.
    void setStopHandler(std::function<void()> handler) { m_onStop = std::move(handler); }
    // Told whenever the busy state goes on or off (the main window refreshes
    // its commands and finishes a close that waited for the work).
    void setBusyListener(std::function<void(bool busy)> listener) { m_busyListener = std::move(listener); }

    QString statusText(int panel) const;
    QLabel* panel(int index) const;
    TFormProgress* progressWindow() const;
    WaitWindow* waitWindow() const;
    MessageViewer* messageViewer() const;

    // Host
    void setStatusText(int panel, const QString& text) override;
    bool showMessage(MessageKind kind, const QString& text, bool defaultNo = false) override;
    void processEvents() override;
    void busyChanged(bool busy) override;
    void progressShow(const QString& text, int position, int maximum) override;
    void progressClose() override;
    void waitShow(const QString& text) override;
    void waitClose() override;
    void viewerMessage(const QString& caption, const QString& text, uint32_t rgb) override;

    // Message texts break lines with "\r" (sometimes "\r\n"); a label wants "\n".
    static QString messageBoxText(const QString& text);
    static QString messageCaption(MessageKind kind);

private:
    QPointer<QWidget> m_window;
    std::array<QPointer<QLabel>, kStatusPanelCount> m_panels;
    std::array<QString, kStatusPanelCount> m_texts;
    Answerer m_answerer;
    std::function<void()> m_onStop;
    std::function<void(bool)> m_busyListener;
    QPointer<TFormProgress> m_progress;
    QPointer<WaitWindow> m_wait;
    QPointer<MessageViewer> m_viewer;
    bool m_cursorOverridden = false;
};

}  // namespace zircon
