#include "ui/WaitWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

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
    m_text->setText(text);
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

void WaitWindow::centreOnScreen()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

}  // namespace zircon
