#include "ui/TFormFirstRun.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {

TFormFirstRun::TFormFirstRun(const QString& helpFile, QWidget* parent) : QDialog(parent), m_helpFile(helpFile)
{
    setObjectName(QStringLiteral("TFormFirstRun"));
    setWindowTitle(zircon::tr("Справочная информация"));

    auto* layout = new QVBoxLayout(this);
    auto* helpText = new QLabel(
        zircon::tr("Если Вы запускаете программу в первый раз, рекомендуем Вам ознакомится со справочной инфомацией:"),
        this);
    helpText->setWordWrap(true);
    layout->addWidget(helpText);
    m_help = new QPushButton(zircon::tr("Открыть файл встроенной справочной системы"), this);
    m_help->setObjectName(QStringLiteral("btnHelp"));
    m_help->setEnabled(!m_helpFile.isEmpty() && QFileInfo::exists(m_helpFile));
    connect(m_help, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_helpFile)); });
    layout->addWidget(m_help);

    layout->addSpacing(8);
    auto* linksText = new QLabel(zircon::tr("Полезные ресурсы, включая видеоруководства и новости проекта:"), this);
    linksText->setWordWrap(true);
    layout->addWidget(linksText);
    // The project's web pages have no addresses in this build; their buttons
    // are shown so the dialog keeps its layout, but stay disabled.
    for (const char* caption :
         {ZT("Статьи на сайте автора - для начинающих и не только"), ZT("Блог"), ZT("Канал на YouTube"),
          ZT("Группа в соцсети \"В Контакте\""), ZT("Группа в соцсети \"Однокласники\""),
          ZT("Канал в Telegram - новости проекта")}) {
        auto* link = new QPushButton(zircon::tr(caption), this);
        link->setEnabled(false);
        layout->addWidget(link);
    }

    layout->addSpacing(8);
    m_dontShow = new QCheckBox(zircon::tr("Больше не показывать данный диалог"), this);
    m_dontShow->setObjectName(QStringLiteral("cbDontShow"));
    auto* close = new QPushButton(zircon::tr("Закрыть"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_dontShow, 1);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    setFixedWidth(460);
}

bool TFormFirstRun::dontShowAgain() const
{
    return m_dontShow->isChecked();
}

}  // namespace zircon
