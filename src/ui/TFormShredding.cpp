#include "ui/TFormShredding.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {
namespace {

constexpr int kMinDigits = 1;
constexpr int kMaxDigits = 5;

}  // namespace

TFormShredding::TFormShredding(const ShreddingSettings& settings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormShredding"));
    setWindowTitle(zircon::tr("Методы шинковки"));

    const char* const labels[3] = {ZT("Формула 1:"), ZT("Формула 2:"), ZT("Формула 3:")};
    auto* rows = new QGridLayout;
    rows->setColumnStretch(1, 1);
    for (int r = 0; r < 3; ++r) {
        const auto i = static_cast<size_t>(r);
        auto* formula = new QLineEdit(this);
        formula->setObjectName(QStringLiteral("edFormula%1").arg(r + 1));
        formula->setToolTip(zircon::tr("Используемая формула"));
        formula->setStatusTip(formula->toolTip());
        formula->setText(settings.formulas[i]);
        formula->setMinimumWidth(formula->fontMetrics().horizontalAdvance(QLatin1Char('n')) * 36);
        auto* digits = new QSpinBox(this);
        digits->setObjectName(QStringLiteral("edDigits%1").arg(r + 1));
        digits->setToolTip(zircon::tr("Количество используемых знаков после запятой"));
        digits->setStatusTip(digits->toolTip());
        digits->setRange(kMinDigits, kMaxDigits);
        digits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        digits->setValue(settings.digits[i]);
        auto* label = new QLabel(zircon::tr(labels[r]), this);
        label->setBuddy(formula);
        rows->addWidget(label, r, 0);
        rows->addWidget(formula, r, 1);
        rows->addWidget(digits, r, 2);
        m_formulas[i] = formula;
        m_digits[i] = digits;
    }

    auto* info = new QLabel(this);
    info->setObjectName(QStringLiteral("lbInfo"));
    info->setText(zircon::tr("Используемые переменные:") + u'\n'
                  + zircon::tr("n1, n2, n3, ..., nX - числа текущего тиража") + u'\n'
                  + zircon::tr("p1, p2, p3, ..., pX - числа предыдущего тиража"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(zircon::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(zircon::tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addSpacing(6);
    layout->addWidget(info);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ShreddingSettings TFormShredding::result() const
{
    ShreddingSettings s;
    for (size_t i = 0; i < 3; ++i) {
        s.formulas[i] = m_formulas[i]->text();
        s.digits[i] = m_digits[i]->value();
    }
    return s;
}

}  // namespace zircon
