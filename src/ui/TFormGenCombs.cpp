#include "ui/TFormGenCombs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "core/Tr.h"
#include "ui/CombsCommands.h"
#include "ui/FileDialogs.h"
#include "workbench/CombGeneration.h"

namespace zircon {

namespace {

const char* const kModeCaptions[] = {
    ZT("Полный список (все возможные для данного лото варианты)"),
    ZT("Мои числа - должно присутствовать любое из указанных"),
    ZT("Мои числа - комбинации только из списка указанных"),
    ZT("Мои числа - исключить комбинации с любым из указанных"),
    ZT("Загрузить список из заранее подготовленного CSV-файла"),
};
constexpr int kModeCount = static_cast<int>(std::size(kModeCaptions));

}  // namespace

TFormGenCombs::TFormGenCombs(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormGenCombs"));
    setWindowTitle(zircon::tr("Создание нового списка комбинаций"));

    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("cbMode"));
    for (const char* caption : kModeCaptions)
        m_mode->addItem(zircon::tr(caption));

    m_parameter = new QLineEdit(this);
    m_parameter->setObjectName(QStringLiteral("edParams"));
    m_parameter->setMaxLength(255);
    m_parameter->setToolTip(zircon::tr(
        "Список \"моих чисел\" через точку с запятой или имя файла для режима \"Загрузка из файла\""));
    m_parameter->setStatusTip(m_parameter->toolTip());

    m_file = new QToolButton(this);
    m_file->setObjectName(QStringLiteral("btnFile"));
    m_file->setText(QStringLiteral("..."));
    m_file->setToolTip(zircon::tr("Выбор файла"));
    m_file->setStatusTip(m_file->toolTip());

    m_default = new QCheckBox(zircon::tr("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""), this);
    m_default->setObjectName(QStringLiteral("cbSaveDefault"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setToolTip(zircon::tr("Создать список возможных комбинаций"));
    m_ok->setStatusTip(m_ok->toolTip());
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormGenCombs::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormGenCombs::reject);

    auto* modeLabel = new QLabel(zircon::tr("Режим генерации списка комбинаций:"), this);
    modeLabel->setBuddy(m_mode);
    auto* parameterLabel = new QLabel(zircon::tr("Мои числа или имя файла для загрузки:"), this);
    parameterLabel->setBuddy(m_parameter);

    auto* parameterRow = new QHBoxLayout;
    parameterRow->addWidget(m_parameter, 1);
    parameterRow->addWidget(m_file);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeLabel);
    layout->addWidget(m_mode);
    layout->addWidget(parameterLabel);
    layout->addLayout(parameterRow);
    layout->addWidget(m_default);
    layout->addSpacing(6);
    layout->addWidget(buttons);

    connect(m_mode, &QComboBox::currentIndexChanged, this, &TFormGenCombs::modeChanged);
    connect(m_file, &QToolButton::clicked, this, &TFormGenCombs::chooseCombsFile);
    setSettings(0, QString());
    setFixedHeight(sizeHint().height());
}

void TFormGenCombs::setSettings(uint8_t mode, const QString& parameter)
{
    m_mode->setCurrentIndex(mode < kModeCount ? mode : 0);
    m_parameter->setText(parameter);
    m_default->setChecked(false);
    modeChanged();
}

uint8_t TFormGenCombs::mode() const
{
    return static_cast<uint8_t>(std::max(0, m_mode->currentIndex()));
}

QString TFormGenCombs::parameter() const
{
    return m_parameter->text();
}

bool TFormGenCombs::storeAsDefault() const
{
    return m_default->isChecked();
}

void TFormGenCombs::modeChanged()
{
    const auto mode = static_cast<GenerationMode>(this->mode());
    m_parameter->setEnabled(mode != GenerationMode::Full);
    m_file->setEnabled(mode == GenerationMode::File);
}

void TFormGenCombs::chooseCombsFile()
{
    const QString file = chooseFile(this, CombsCommands::combsFileRequest(false, zircon::tr("Выбор файла")));
    if (!file.isEmpty())
        m_parameter->setText(file);
}

}  // namespace zircon
