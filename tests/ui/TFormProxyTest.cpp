#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "ui/TFormProxy.h"

using namespace zircon;

namespace {

TProxy stored(uint8_t mode)
{
    TProxy p;
    p.mode = mode;
    p.server = QStringLiteral("10.0.0.5");
    p.port = 8080;
    p.username = QStringLiteral("ivan");
    p.password = QStringLiteral("s3cret");
    p.saved = true;
    return p;
}

}  // namespace

TEST(TFormProxy, ShowsTheStoredModeAndEnablesTheFieldsOnlyForTheManualChoice)
{
    struct Case {
        uint8_t mode;
        QRadioButton* (TFormProxy::*button)() const;
    };
    for (const Case& c : {Case{0, &TFormProxy::noneButton}, Case{1, &TFormProxy::automaticButton},
                          Case{2, &TFormProxy::manualButton}, Case{3, &TFormProxy::noneButton},
                          Case{200, &TFormProxy::noneButton}}) {
        TFormProxy dialog(stored(c.mode));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Параметры proxy-сервера"));
        EXPECT_TRUE((dialog.*c.button)()->isChecked()) << int(c.mode);
        const bool manual = c.mode == 2;
        for (QWidget* field : std::initializer_list<QWidget*>{dialog.serverEdit(), dialog.portEdit(), dialog.userEdit(),
                                                              dialog.passwordEdit()})
            EXPECT_EQ(field->isEnabled(), manual) << int(c.mode);
        EXPECT_EQ(dialog.serverEdit()->text(), QStringLiteral("10.0.0.5"));
        EXPECT_EQ(dialog.portEdit()->value(), 8080);
        EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    }
    TFormProxy dialog(stored(0));
    dialog.manualButton()->setChecked(true);
    EXPECT_TRUE(dialog.serverEdit()->isEnabled()) << "choosing manual enables the fields";
    EXPECT_EQ(dialog.portEdit()->minimum(), 1);
    EXPECT_EQ(dialog.portEdit()->maximum(), 65535);
    EXPECT_EQ(dialog.serverEdit()->toolTip(), QStringLiteral("Имя или адрес сервера"));
    EXPECT_EQ(dialog.userEdit()->toolTip(), QStringLiteral("Имя пользователя (не обязательно)"));
    EXPECT_EQ(dialog.passwordEdit()->toolTip(), QStringLiteral("Пароль (не обязательно)"));
}

TEST(TFormProxy, TheResultTakesTheFieldsAndTheAutomaticSearchStartsClean)
{
    TProxy withList = stored(2);
    withList.list = {QStringLiteral("1.2.3.4:80")};
    struct Case {
        QRadioButton* (TFormProxy::*button)() const;
        uint8_t mode;
        const char* server;
        int port;
        const char* user;
    };
    for (const Case& c : {Case{&TFormProxy::manualButton, 2, "proxy.example.net", 3128, "petr"},
                          Case{&TFormProxy::automaticButton, 1, "", 0, ""},
                          Case{&TFormProxy::noneButton, 0, "proxy.example.net", 3128, "petr"}}) {
        TFormProxy dialog(withList);
        dialog.manualButton()->setChecked(true);
        dialog.serverEdit()->setText(QStringLiteral(" proxy.example.net "));
        dialog.portEdit()->setValue(3128);
        dialog.userEdit()->setText(QStringLiteral("petr"));
        (dialog.*c.button)()->setChecked(true);
        const TProxy p = dialog.result();
        EXPECT_EQ(p.mode, c.mode);
        EXPECT_EQ(p.server, QString::fromLatin1(c.server)) << int(c.mode);
        EXPECT_EQ(p.port, c.port) << int(c.mode);
        EXPECT_EQ(p.username, QString::fromLatin1(c.user)) << int(c.mode);
        EXPECT_EQ(p.password.isEmpty(), c.mode == 1) << int(c.mode);
        EXPECT_FALSE(p.saved);
        EXPECT_EQ(p.list, withList.list);
    }
}
