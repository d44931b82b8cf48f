// The dialog "Методы шинковки" and the command that opens it from the main
// window: what it shows, what OK and Cancel do, the limits of its fields.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

#include "core/IniStore.h"
#include "shell/BusyState.h"
#include "shell/StatisticsView.h"
#include "shell/Workspace.h"
#include "support/OfflineStart.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/DialogRunner.h"
#include "ui/QtHost.h"
#include "ui/StatisticsTab.h"
#include "ui/TFormMain.h"
#include "ui/TFormShredding.h"

namespace zircon {
namespace {

ShreddingSettings sampleSettings()
{
    ShreddingSettings s;
    s.formulas = {QStringLiteral("(n1+n2)/n3"), QStringLiteral("n1*p1/7"), QStringLiteral("SQRT(n5)")};
    s.digits = {1, 4, 5};
    return s;
}

template <class W>
W* child(QWidget& d, const QString& name)
{
    W* w = d.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

QStringList labelTexts(QWidget& d)
{
    QStringList texts;
    for (const QLabel* l : d.findChildren<QLabel*>())
        texts.append(l->text());
    return texts;
}

}  // namespace

TEST(FormShredding, ShowsTheValuesItWasOpenedOn)
{
    TFormShredding dialog(sampleSettings());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Методы шинковки"));
    const ShreddingSettings s = sampleSettings();
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        auto* formula = child<QLineEdit>(dialog, QStringLiteral("edFormula%1").arg(r + 1));
        auto* digits = child<QSpinBox>(dialog, QStringLiteral("edDigits%1").arg(r + 1));
        ASSERT_TRUE(formula && digits);
        EXPECT_EQ(formula, dialog.formulaEdit(r));
        EXPECT_EQ(digits, dialog.digitsEdit(r));
        EXPECT_EQ(formula->text(), s.formulas[static_cast<size_t>(r)]);
        EXPECT_EQ(digits->value(), s.digits[static_cast<size_t>(r)]);
        EXPECT_EQ(formula->toolTip(), QStringLiteral("Используемая формула"));
        EXPECT_EQ(digits->toolTip(), QStringLiteral("Количество используемых знаков после запятой"));
        EXPECT_EQ(digits->minimum(), 1);
        EXPECT_EQ(digits->maximum(), 5);
    }
    const QStringList labels = labelTexts(dialog);
    for (const char* text : {"Формула 1:", "Формула 2:", "Формула 3:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(labels.contains(QStringLiteral("Используемые переменные:\n"
                                               "n1, n2, n3, ..., nX - числа текущего тиража\n"
                                               "p1, p2, p3, ..., pX - числа предыдущего тиража")))
        << labels.join(u'|').toStdString();
    QStringList buttons;
    for (const QPushButton* b : dialog.findChildren<QPushButton*>())
        buttons.append(b->text());
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK")));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Отмена")));
}

TEST(FormShredding, ResultTakesTheFieldsAsTypedAndDigitsWithinOneToFive)
{
    TFormShredding dialog(sampleSettings());
    dialog.formulaEdit(0)->setText(QStringLiteral("  (n1 + ")); // no validation of the text
    dialog.formulaEdit(2)->clear();
    dialog.digitsEdit(0)->setValue(9);
    dialog.digitsEdit(1)->setValue(0);
    dialog.digitsEdit(2)->setValue(3);
    const ShreddingSettings r = dialog.result();
    EXPECT_EQ(r.formulas[0], QStringLiteral("  (n1 + "));
    EXPECT_EQ(r.formulas[1], QStringLiteral("n1*p1/7"));
    EXPECT_EQ(r.formulas[2], QString());
    EXPECT_EQ(r.digits, (std::array<int, 3>{5, 1, 3}));

    // Opened on counts outside the range (a settings file edited by hand).
    ShreddingSettings odd = sampleSettings();
    odd.digits = {0, 7, 2};
    TFormShredding clamped(odd);
    EXPECT_EQ(clamped.result().digits, (std::array<int, 3>{1, 5, 2}));
}

// ------------------------------------------------------------ the command

class FormShreddingCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::keepStartOffline(m_dir);
        ASSERT_TRUE(QFile::copy(test::testDataPath("Zircon_5x69.ldr"), m_dir.file(QStringLiteral("Zircon_5x69.ldr"))));
        QFile::setPermissions(m_dir.file(QStringLiteral("Zircon_5x69.ldr")), QFile::ReadOwner | QFile::WriteOwner);
        TFormMain::StartOptions options;
        options.dataDir = m_dir.path();
        m_window = std::make_unique<TFormMain>(options);
        m_window->host().setAnswerer([this](MessageKind, const QString& text, bool) {
            m_messages.append(text);
            return false;
        });
        m_window->setProgramEnder([] {});
        m_window->runStartupNow();
        QCoreApplication::processEvents();
    }
    void TearDown() override { setDialogRunner({}); }

    QStringList chooserTexts() const
    {
        QStringList texts;
        for (const StatChooserEntry& e : m_window->statisticsTab()->view().statEntries())
            texts.append(e.text);
        return texts;
    }

    test::TempDir m_dir;
    std::unique_ptr<TFormMain> m_window;
    QStringList m_messages;
};

TEST_F(FormShreddingCommand, CaptionHintAndMenu)
{
    QAction* a = m_window->actions().action(QStringLiteral("EditShredding"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QStringLiteral("Формулы шинковки"));
    EXPECT_EQ(a->statusTip(), QStringLiteral("Редактирование формул для методов шинковки"));
    auto* menu = m_window->menuBar()->findChild<QMenu*>(QStringLiteral("mnProgram"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().contains(a));
    EXPECT_TRUE(m_window->actions().enabledNow(QStringLiteral("EditShredding")));
    {
        BusyScope busy(m_window->workspace().busyState(), m_window->host());
        EXPECT_FALSE(m_window->actions().enabledNow(QStringLiteral("EditShredding")));
    }
}

TEST_F(FormShreddingCommand, OkWritesTheFormulasAndRenamesTheMethods)
{
    int shown = 0;
    setDialogRunner([&](QDialog& dialog) {
        auto* form = dynamic_cast<TFormShredding*>(&dialog);
        EXPECT_NE(form, nullptr);
        if (!form)
            return int(QDialog::Rejected);
        ++shown;
        // Opened on the registry's values.
        EXPECT_EQ(form->formulaEdit(0)->text(), QStringLiteral("(n1+n2+n3)/(n4+n5)"));
        EXPECT_EQ(form->digitsEdit(0)->value(), 2);
        form->formulaEdit(0)->setText(QStringLiteral("n1/7"));
        form->digitsEdit(0)->setValue(3);
        form->formulaEdit(2)->setText(QStringLiteral("t1+n2"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(m_window->actions().trigger(QStringLiteral("EditShredding")));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'|').toStdString();
    const TStatList& list = m_window->workspace().statList();
    EXPECT_EQ(list.Formula1, QStringLiteral("n1/7"));
    EXPECT_EQ(list.Formula1Digits, 3);
    EXPECT_EQ(list.Formula2, QStringLiteral("(n4+n5)/(n1+n2+n3)"));
    EXPECT_EQ(list.Formula3, QStringLiteral("t1+n2"));
    const IniStore ini(m_window->workspace().paths().ini);
    EXPECT_EQ(ini.readString(QStringLiteral("SHREDDING"), QStringLiteral("Formula1")), QStringLiteral("n1/7"));
    EXPECT_EQ(ini.readInt(QStringLiteral("SHREDDING"), QStringLiteral("Formula1Digits"), 0), 3);
    const QStringList texts = chooserTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("{ shr } Метод шинковки 1: n1/7 [ SNG ]"))) << texts.join(u'|').toStdString();
    // t1 reads the draw before the previous one: that method has no norm.
    EXPECT_TRUE(texts.contains(QStringLiteral("{ shr } Метод шинковки 3: t1+n2 [ SG ]")));
    EXPECT_FALSE(texts.contains(QStringLiteral("{ shr } Метод шинковки 1: (n1+n2+n3)/(n4+n5) [ SNG ]")));
}

TEST_F(FormShreddingCommand, CancelChangesNothing)
{
    const QStringList before = chooserTexts();
    const QByteArray iniBefore = m_dir.read(QStringLiteral("Zircon_5x69.ini"));
    setDialogRunner([](QDialog& dialog) {
        if (auto* form = dynamic_cast<TFormShredding*>(&dialog)) {
            form->formulaEdit(1)->setText(QStringLiteral("n1"));
            form->digitsEdit(1)->setValue(5);
        }
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(m_window->actions().trigger(QStringLiteral("EditShredding")));
    const TStatList& list = m_window->workspace().statList();
    EXPECT_EQ(list.Formula2, QStringLiteral("(n4+n5)/(n1+n2+n3)"));
    EXPECT_EQ(list.Formula2Digits, 2);
    EXPECT_EQ(chooserTexts(), before);
    EXPECT_EQ(m_dir.read(QStringLiteral("Zircon_5x69.ini")), iniBefore);
    EXPECT_TRUE(m_messages.isEmpty());
}

}  // namespace zircon
