#include "ui/TFormStake.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <limits>

#include "core/Shema.h"
#include "core/Tr.h"
#include "shell/Host.h"
#include "stakes/StakeAdding.h"

namespace zircon {

TFormStake::TFormStake(Host& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("TFormStake"));
    setWindowTitle(tr("Добавление ставки"));
    m_drawNumber = new QSpinBox(this);
    m_drawNumber->setObjectName(QStringLiteral("edDrawNumber"));
    m_drawNumber->setRange(1, std::numeric_limits<int>::max());
    m_drawNumber->setToolTip(tr("Номер первого тиража"));
    m_data = new QLineEdit(this);
    m_data->setObjectName(QStringLiteral("edStakeData"));
    m_data->setToolTip(tr("Введите числа, разделенные точкой с запятой или запятой"));
    m_sum = new QLineEdit(this);
    m_sum->setObjectName(QStringLiteral("edStakeSum"));
    m_sum->setReadOnly(true);
    m_sum->setToolTip(tr("Сумма введенных чисел"));
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("edComment"));
    m_comment->setMaxLength(64);
    m_comment->setToolTip(tr("Комментарий к ставке"));
    m_draws = new QSpinBox(this);
    m_draws->setObjectName(QStringLiteral("edDrawsCount"));
    m_draws->setRange(1, 65535);
    m_draws->setToolTip(tr("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
    connect(m_data, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_sum->setText(QString::number(stakeNumbersSum(text))); });

    auto* form = new QFormLayout(this);
    form->addRow(tr("Номер тиража:"), m_drawNumber);
    form->addRow(tr("Ставка:"), m_data);
    form->addRow(tr("Сумма:"), m_sum);
    form->addRow(tr("Комментарий к ставке:"), m_comment);
    form->addRow(tr("Кол-во тиражей:"), m_draws);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormStake::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormStake::reject);
    form->addRow(buttons);
}

void TFormStake::setStake(const StakeRecord& prepared, int draws)
{
    m_prepared = prepared;
    m_result = prepared;
    m_drawNumber->setValue(std::max(1, prepared.drawNumber));
    m_data->setText(ShemaText(prepared.numbers, QStringLiteral(";")));
    m_comment->setText(prepared.comment());
    m_draws->setValue(draws);
}

int TFormStake::drawsCount() const
{
    return m_draws->value();
}

bool TFormStake::tryAccept()
{
    const StakeEntryFault fault = checkStakeEntry(m_data->text(), m_comment->text());
    if (fault != StakeEntryFault::None) {
        m_host.showMessage(MessageKind::Error, stakeEntryFaultText(fault));
        (fault == StakeEntryFault::Numbers ? m_data : m_comment)->setFocus();
        return false;
    }
    m_result = stakeFromEntry(m_prepared, m_drawNumber->value(), *parseStakeNumbers(m_data->text()),
                              m_comment->text());
    return true;
}

void TFormStake::accept()
{
    if (tryAccept())
        QDialog::accept();
}

}  // namespace zircon
