#include "ui/TFormMulti.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <limits>

#include "core/Tr.h"
#include "shell/Host.h"
#include "stakes/StakeAdding.h"

namespace zircon {

TFormMulti::TFormMulti(Host& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("TFormMulti"));
    setWindowTitle(tr("Добавление мультиставки"));
    m_drawNumber = new QSpinBox(this);
    m_drawNumber->setObjectName(QStringLiteral("edDrawNumber"));
    m_drawNumber->setRange(1, std::numeric_limits<int>::max());
    m_drawNumber->setToolTip(tr("Номер тиража"));
    m_draws = new QSpinBox(this);
    m_draws->setObjectName(QStringLiteral("edDrawsCount"));
    m_draws->setRange(1, 65535);
    m_draws->setToolTip(tr("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("edComment"));
    m_comment->setToolTip(tr("Комментарий к ставке"));
    auto* form = new QFormLayout(this);
    form->addRow(tr("Номер тиража:"), m_drawNumber);
    form->addRow(tr("Кол-во тиражей:"), m_draws);
    form->addRow(tr("Комментарий к ставке:"), m_comment);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormMulti::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormMulti::reject);
    form->addRow(buttons);
}

void TFormMulti::setEntry(const MultiStakeEntry& entry)
{
    m_drawNumber->setValue(std::max(1, entry.drawNumber));
    m_draws->setValue(entry.draws);
    m_comment->setText(entry.comment);
}

MultiStakeEntry TFormMulti::entry() const
{
    return {m_drawNumber->value(), m_draws->value(), m_comment->text()};
}

bool TFormMulti::tryAccept()
{
    if (!m_comment->text().trimmed().isEmpty())
        return true;
    m_host.showMessage(MessageKind::Error, stakeEntryFaultText(StakeEntryFault::Comment));
    m_comment->setFocus();
    return false;
}

void TFormMulti::accept()
{
    if (tryAccept())
        QDialog::accept();
}

}  // namespace zircon
