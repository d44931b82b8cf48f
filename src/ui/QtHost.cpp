#include "ui/QtHost.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

#include "core/Tr.h"
#include "ui/MessageViewer.h"
#include "ui/TFormProgress.h"
#include "ui/WaitWindow.h"

namespace zircon {

namespace {

// Widths that hold the usual texts of panels 0..5 ("Архив тиражей: 1241",
// "Следующий тираж: 1242", "5;12;33;41;69", ...); panel 6 stretches.
constexpr std::array<int, kStatusPanelCount - 1> kPanelWidths{130, 140, 110, 130, 110, 110};

}  // namespace

QtHost::QtHost(QObject* parent) : QObject(parent) {}

QtHost::~QtHost()
{
    if (m_cursorOverridden)
        QApplication::restoreOverrideCursor();
    delete m_progress.data();
    delete m_wait.data();
    delete m_viewer.data();
}

void QtHost::attachStatusBar(QStatusBar* bar)
{
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* label = new QLabel(m_texts[static_cast<size_t>(i)], bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        if (i < kStatusPanelCount - 1) {
            label->setMinimumWidth(kPanelWidths[static_cast<size_t>(i)]);
            bar->addWidget(label);
        } else {
            label->setMinimumWidth(40);
            bar->addWidget(label, 1);
        }
        m_panels[static_cast<size_t>(i)] = label;
    }
}

TFormProgress* QtHost::progressWindow() const
{
    return m_progress;
}

WaitWindow* QtHost::waitWindow() const
{
    return m_wait;
}

MessageViewer* QtHost::messageViewer() const
{
    return m_viewer;
}

QString QtHost::statusText(int panel) const
{
    if (panel < 0 || panel >= kStatusPanelCount)
        return {};
    return m_texts[static_cast<size_t>(panel)];
}

QLabel* QtHost::panel(int index) const
{
    if (index < 0 || index >= kStatusPanelCount)
        return nullptr;
    return m_panels[static_cast<size_t>(index)];
}

void QtHost::setStatusText(int panel, const QString& text)
{
    if (panel < 0 || panel >= kStatusPanelCount)
        return;
    m_texts[static_cast<size_t>(panel)] = text;
    if (QLabel* label = m_panels[static_cast<size_t>(panel)])
        label->setText(text);
}

QString QtHost::messageBoxText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QString QtHost::messageCaption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
    case MessageKind::ErrorQuestion:
        return zircon::tr("Ошибка");
    case MessageKind::Information:
        return zircon::tr("Информация");
    case MessageKind::Warning:
        return zircon::tr("Предупреждение");
    case MessageKind::Question:
        return zircon::tr("Подтверждение");
    }
    return {};
}

bool QtHost::showMessage(MessageKind kind, const QString& text, bool defaultNo)
{
    if (m_answerer)
        return m_answerer(kind, text, defaultNo);

    QMessageBox box(m_window);
    box.setWindowTitle(messageCaption(kind));
    box.setText(messageBoxText(text));
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case MessageKind::Error:
    case MessageKind::ErrorQuestion:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (isQuestion(kind)) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // The wait cursor of a busy operation must not hide the answer's buttons.
    const bool cursor = m_cursorOverridden;
    if (cursor)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (cursor)
        QApplication::restoreOverrideCursor();
    return !isQuestion(kind) || answer == QMessageBox::Yes;
}

void QtHost::processEvents()
{
    QCoreApplication::processEvents();
}

void QtHost::busyChanged(bool busy)
{
    if (busy && !m_cursorOverridden) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursorOverridden = true;
    } else if (!busy && m_cursorOverridden) {
        QApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
    }
    if (m_busyListener)
        m_busyListener(busy);
}

void QtHost::progressShow(const QString& text, int position, int maximum)
{
    if (!m_progress) {
        m_progress = new TFormProgress(
            [this] {
                if (m_onStop)
                    m_onStop();
            },
            m_window);
    }
    m_progress->showProgress(text, position, maximum);
}

void QtHost::progressClose()
{
    // Deleted later: the stop button that led here may still be on the stack.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress.clear();
    }
}

void QtHost::waitShow(const QString& text)
{
    if (!m_wait)
        m_wait = new WaitWindow(m_window);
    m_wait->showText(text);
}

void QtHost::waitClose()
{
    if (m_wait) {
        m_wait->hide();
        m_wait->deleteLater();
        m_wait.clear();
    }
}

void QtHost::viewerMessage(const QString& caption, const QString& text, uint32_t rgb)
{
    if (!m_viewer)
        m_viewer = new MessageViewer(m_window);
    m_viewer->showMessage(caption, text, rgb);
}

}  // namespace zircon
