#include "ui/WaitWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "core/Tr.h"

namespace zircon {

WaitWindow::WaitWindow(QWidget* parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("WaitWindow"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(m_text);
}

void WaitWindow::showText(const QString& text)
{
    // The operation's texts break lines with "\r".
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    m_text->setText(shown);
    adjustSize();
    resize(size().expandedTo(QSize(320, 0)));
    centreOnScreen();
    if (!isVisible())
        show();
    raise();
}

QString WaitWindow::text() const
{
    return m_text->text();
}

void WaitWindow::setStopHandler(std::function<void()> onStop)
{
    m_onStop = std::move(onStop);
    if (!m_stop) {
        m_stop = new QPushButton(zircon::tr("Прервать"), this);
        m_stop->setObjectName(QStringLiteral("btnStop"));
        connect(m_stop, &QPushButton::clicked, this, [this] {
            if (m_onStop)
                m_onStop();
        });
        layout()->addWidget(m_stop);
    }
    adjustSize();
    centreOnScreen();
}

void WaitWindow::centreOnScreen()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

}  // namespace zircon
