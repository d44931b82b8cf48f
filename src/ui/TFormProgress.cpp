#include "ui/TFormProgress.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {

TFormProgress::TFormProgress(std::function<void()> onStop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_onStop(std::move(onStop))
{
    setObjectName(QStringLiteral("TFormProgress"));
    setWindowTitle(zircon::tr("Выполнение операции"));
    // Not modal: the work runs in the main window's own loop and lets events
    // through; every command is disabled by the busy state meanwhile.
    setModal(false);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblText"));
    m_text->setMinimumWidth(460);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("pbGauge"));
    m_gauge->setTextVisible(false);
    m_stop = new QPushButton(zircon::tr("Прервать"), this);
    m_stop->setObjectName(QStringLiteral("btnStop"));
    m_stop->setAutoDefault(false);
    connect(m_stop, &QPushButton::clicked, this, &TFormProgress::stopPressed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_stop);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_gauge);
    layout->addLayout(buttons);
    // The window fits its text: a long progress line widens it rather than
    // being cut off.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormProgress::showProgress(const QString& text, int position, int maximum)
{
    m_text->setText(text);
    // A zero maximum would turn the gauge into a busy indicator; keep it still.
    m_gauge->setRange(0, maximum > 0 ? maximum : 1);
    m_gauge->setValue(maximum > 0 ? position : 0);
    if (!isVisible())
        show();
}

QString TFormProgress::text() const
{
    return m_text->text();
}

int TFormProgress::position() const
{
    return m_gauge->value();
}

int TFormProgress::maximum() const
{
    return m_gauge->maximum();
}

void TFormProgress::stopPressed()
{
    if (m_onStop)
        m_onStop();
}

void TFormProgress::closeEvent(QCloseEvent* event)
{
    // The window belongs to the running operation, which closes it when it
    // ends; closing it by hand means "stop".
    stopPressed();
    event->ignore();
}

void TFormProgress::reject()
{
    stopPressed();
}

}  // namespace zircon
