#include "ui/TFormStakeFilter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {

TFormStakeFilter::TFormStakeFilter(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormStakeFilter"));
    setWindowTitle(tr("Удаление по условию"));
    m_condition = new QComboBox(this);
    m_condition->setObjectName(QStringLiteral("cbCondition"));
    m_condition->addItems(stakeFilterOpTexts());
    m_condition->setToolTip(tr("Режим сравнения с количеством совпадений"));
    m_value = new QSpinBox(this);
    m_value->setObjectName(QStringLiteral("edValue"));
    m_value->setRange(0, 5);
    m_value->setToolTip(tr("Количество совпадений"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Удалить ставки"));
    buttons->button(QDialogButtonBox::Cancel)->setToolTip(tr("Отменить операцию и закрыть окно"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormStakeFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormStakeFilter::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(m_condition, 1);
    row->addWidget(m_value);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Выберите условие:"), this));
    layout->addLayout(row);
    layout->addWidget(buttons);
}

uint16_t TFormStakeFilter::packedResult() const
{
    return static_cast<uint16_t>((m_value->value() << 8) | (m_condition->currentIndex() & 0xFF));
}

StakeFilterCondition TFormStakeFilter::condition() const
{
    return StakeFilterCondition::fromPacked(packedResult()).value_or(StakeFilterCondition{});
}

}  // namespace zircon
