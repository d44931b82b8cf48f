#include "ui/TFormDraw.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "core/DrawDate.h"
#include "core/DrawEntry.h"
#include "core/Tr.h"
#include "shell/Host.h"

namespace zircon {

namespace {

bool hasNumbers(const TDraw& draw)
{
    return draw.extra != 0 || std::any_of(draw.nums.begin(), draw.nums.end(), [](uint8_t n) { return n != 0; });
}

}  // namespace

TFormDraw::TFormDraw(Host& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("TFormDraw"));
    setWindowTitle(zircon::tr("Данные тиража"));

    m_number = new QSpinBox(this);
    m_number->setObjectName(QStringLiteral("edNumber"));
    m_number->setRange(1, std::numeric_limits<int>::max());
    m_number->setToolTip(zircon::tr("Номер тиража"));
    m_number->setStatusTip(m_number->toolTip());

    m_numbers = new QLineEdit(this);
    m_numbers->setObjectName(QStringLiteral("edNumbers"));
    m_numbers->setMinimumWidth(300);

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("dtpDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_date->setToolTip(zircon::tr("Дата проведения тиража"));
    m_date->setStatusTip(m_date->toolTip());
    m_time = new QTimeEdit(this);
    m_time->setObjectName(QStringLiteral("dtpTime"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_time->setToolTip(zircon::tr("Время проведения тиража"));
    m_time->setStatusTip(m_time->toolTip());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormDraw::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormDraw::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(zircon::tr("Номер тиража:"), this));
    layout->addWidget(m_number);
    layout->addWidget(new QLabel(zircon::tr("Выпавшие числа, разделенные точкой с запятой или запятой:"), this));
    layout->addWidget(m_numbers);
    layout->addWidget(new QLabel(zircon::tr("Дата и время тиража:"), this));
    auto* when = new QHBoxLayout;
    when->addWidget(m_date, 1);
    when->addWidget(m_time, 1);
    layout->addLayout(when);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void TFormDraw::setDraw(const TDraw& draw)
{
    m_result = draw;
    m_number->setValue(std::max(1, draw.number));
    m_numbers->setText(hasNumbers(draw) ? drawNumbersText(draw) : QString());
    QDate date;
    try {
        date = ParseDrawDate(QString::fromStdString(draw.date()));
    } catch (const std::exception&) {
        // A record whose date names no real day still opens, on today's
        // date, so the user can mend it.
        date = QDate();
    }
    const QDateTime now = QDateTime::currentDateTime();
    if (date.isValid()) {
        m_date->setDate(date);
        m_time->setTime(QTime(0, 0));
    } else {
        m_date->setDate(now.date());
        m_time->setTime(now.time());
    }
    m_numbers->setFocus();
}

bool TFormDraw::tryAccept()
{
    const auto numbers = parseDrawNumbersText(m_numbers->text());
    if (!numbers) {
        m_host.showMessage(MessageKind::Error, zircon::tr("Введена некорректная комбинация!"));
        m_numbers->setFocus();
        m_numbers->selectAll();
        return false;
    }
    TDraw d = m_result;
    d.number = m_number->value();
    d.nums = numbers->nums;
    d.extra = numbers->extra;
    // The archive keeps the day only; the time of day is not stored.
    d.setDate(DrawDateText(m_date->date()).toStdString());
    m_result = d;
    QDialog::accept();
    return true;
}

void TFormDraw::accept()
{
    tryAccept();
}

}  // namespace zircon
