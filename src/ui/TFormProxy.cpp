#include "ui/TFormProxy.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Tr.h"

namespace zircon {

namespace {

constexpr int kDefaultPort = 80;

}  // namespace

TFormProxy::TFormProxy(const TProxy& proxy, QWidget* parent) : QDialog(parent), m_proxy(proxy)
{
    setObjectName(QStringLiteral("TFormProxy"));
    setWindowTitle(zircon::tr("Параметры proxy-сервера"));

    m_none = new QRadioButton(zircon::tr("Не использовать proxy-сервер"), this);
    m_none->setObjectName(QStringLiteral("rbNoProxy"));
    m_automatic = new QRadioButton(zircon::tr("Автоматический поиск сервера (возможны задержки)"), this);
    m_automatic->setObjectName(QStringLiteral("rbAutoProxy"));
    m_manual = new QRadioButton(zircon::tr("Ручной выбор proxy-сервера:"), this);
    m_manual->setObjectName(QStringLiteral("rbManualProxy"));

    m_server = new QLineEdit(proxy.server, this);
    m_server->setObjectName(QStringLiteral("edServer"));
    m_server->setToolTip(zircon::tr("Имя или адрес сервера"));
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("edPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(proxy.port >= 1 && proxy.port <= 65535 ? proxy.port : kDefaultPort);
    m_user = new QLineEdit(proxy.username, this);
    m_user->setObjectName(QStringLiteral("edUsername"));
    m_user->setToolTip(zircon::tr("Имя пользователя (не обязательно)"));
    m_password = new QLineEdit(proxy.password, this);
    m_password->setObjectName(QStringLiteral("edPassword"));
    m_password->setToolTip(zircon::tr("Пароль (не обязательно)"));
    m_password->setEchoMode(QLineEdit::Password);

    auto* fields = new QFormLayout;
    fields->addRow(zircon::tr("Имя или адрес сервера:"), m_server);
    fields->addRow(zircon::tr("Порт:"), m_port);
    fields->addRow(zircon::tr("Имя пользователя:"), m_user);
    fields->addRow(zircon::tr("Пароль:"), m_password);
    fields->setContentsMargins(24, 0, 0, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_none);
    layout->addWidget(m_automatic);
    layout->addWidget(m_manual);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    // Modes above 2 act as none and show as none.
    switch (proxy.mode) {
    case TProxy::Automatic:
        m_automatic->setChecked(true);
        break;
    case TProxy::Manual:
        m_manual->setChecked(true);
        break;
    default:
        m_none->setChecked(true);
        break;
    }
    for (QRadioButton* b : {m_none, m_automatic, m_manual})
        connect(b, &QRadioButton::toggled, this, &TFormProxy::updateFields);
    updateFields();
}

void TFormProxy::updateFields()
{
    const bool manual = m_manual->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_server, m_port, m_user, m_password})
        w->setEnabled(manual);
}

TProxy TFormProxy::result() const
{
    TProxy p = m_proxy;
    p.server = m_server->text().trimmed();
    p.port = m_port->value();
    p.username = m_user->text();
    p.password = m_password->text();
    if (m_automatic->isChecked()) {
        p.mode = TProxy::Automatic;
        p.server.clear();
        p.port = 0;
        p.username.clear();
        p.password.clear();
    } else {
        p.mode = m_manual->isChecked() ? TProxy::Manual : TProxy::None;
    }
    p.saved = false;
    return p;
}

}  // namespace zircon
