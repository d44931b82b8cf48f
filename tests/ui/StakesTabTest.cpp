#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTabWidget>

#include "core/NumberText.h"
#include "core/Shema.h"
#include "shell/StakeCommands.h"
#include "shell/Workspace.h"
#include "support/FakeHost.h"
#include "support/OfflineStart.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/CombsListView.h"
#include "ui/CombsTab.h"
#include "ui/DialogRunner.h"
#include "ui/QtHost.h"
#include "ui/StakesModel.h"
#include "ui/StakesTab.h"
#include "ui/TFormMain.h"
#include "ui/TFormMulti.h"
#include "ui/TFormStake.h"

namespace zircon {
namespace {

TComb comb(std::array<uint8_t, 5> n)
{
    TComb c;
    c.n = n;
    return c;
}

TEST(StakesModel, ShowsOneEmptyRowThenEveryRecordWithItsColour)
{
    test::TempDir dir;
    test::FakeHost host;
    Workspace ws(dir.path(), host);
    ASSERT_TRUE(ws.openStakesFile());
    StakesModel model(ws.stakes());
    model.refresh();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::DisplayRole).isValid());
    EXPECT_EQ(model.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Профит"));

    const TComb c = comb({5, 4, 3, 2, 1});
    ASSERT_TRUE(ws.stakes().addManual(ws.stakes().prepareManual(&c), 2));
    EXPECT_TRUE(model.refresh());
    ASSERT_EQ(model.rowCount(), 3);  // stake, separator, stake
    EXPECT_EQ(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("1;2;3;4;5"));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Вручную"));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(0xEA, 0xFF, 0xEA));
    EXPECT_FALSE(model.data(model.index(1, 0), Qt::BackgroundRole).isValid()) << "separator: window colour";
    EXPECT_EQ(model.data(model.index(1, 2), Qt::DisplayRole).toString(), QString());
    EXPECT_EQ(model.data(model.index(2, 0), Qt::DisplayRole).toInt(), 2);
    EXPECT_EQ(model.data(model.index(0, 7), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(model.refresh()) << "same count: a repaint only";
}

TEST(TFormStake, RefusesBadEntriesAndStoresTheNumbersAscending)
{
    test::FakeHost host;
    TFormStake dialog(host);
    StakeRecord prepared;
    prepared.kind = StakeKind::Manual;
    prepared.drawNumber = 1200;
    prepared.listSize = 7;
    dialog.setStake(prepared, 1);
    struct Case {
        const char* numbers;
        const char* comment;
        bool ok;
    } cases[] = {{"5;5;10;20;30", "x", false}, {"1,2,3,4,70", "x", false}, {"3; 1 ;2;5;4", "", false},
                 {"3; 1 ;2;5;4", "x", true}};
    for (const Case& c : cases) {
        dialog.stakeDataEdit()->setText(QString::fromUtf8(c.numbers));
        dialog.commentEdit()->setText(QString::fromUtf8(c.comment));
        EXPECT_EQ(dialog.tryAccept(), c.ok) << c.numbers;
    }
    EXPECT_EQ(host.messages[0].text, QStringLiteral("Введена некорректная комбинация!"));
    EXPECT_EQ(host.messages[2].text, QStringLiteral("Необходимо ввести комментарий!"));
    EXPECT_EQ(dialog.stakeSumEdit()->text(), QStringLiteral("15"));
    EXPECT_EQ(ShemaText(dialog.stake().numbers, QStringLiteral(" ")), QStringLiteral("1 2 3 4 5"));
    EXPECT_EQ(dialog.stake().drawNumber, 1200);
    EXPECT_EQ(dialog.stake().listSize, 7);
}

// The main window stakes a double-clicked combination through the stake
// dialog, shows it on the "Ставки" page and in panel 4, and the commands
// follow the file's state.
TEST(StakesMainWindow, DoubleClickStakesTheRowAndAddAllStakesTheList)
{
    test::TempDir dir;
    test::keepStartOffline(dir);
    ASSERT_TRUE(QFile::copy(test::testDataPath("Zircon_5x69.ldr"), dir.file(QStringLiteral("Zircon_5x69.ldr"))));
    QFile::setPermissions(dir.file(QStringLiteral("Zircon_5x69.ldr")), QFile::ReadOwner | QFile::WriteOwner);
    TFormMain::StartOptions options;
    options.dataDir = dir.path();
    TFormMain w(options);
    std::vector<QString> shown;
    w.host().setAnswerer([&](MessageKind, const QString& t, bool) {
        shown.push_back(t);
        return true;
    });
    w.runStartupNow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(w.workspace().stakes().isOpen());
    EXPECT_EQ(w.host().statusText(kStakesPanel), QStringLiteral("Ставок: 0"));
    ASSERT_NE(w.stakesTab(), nullptr);
    EXPECT_EQ(w.rightPages()->tabText(w.rightPages()->indexOf(w.stakesTab())), QStringLiteral("Ставки"));
    EXPECT_FALSE(w.actions().enabledNow(QStringLiteral("StakeClear")));
    EXPECT_TRUE(w.actions().enabledNow(QStringLiteral("StakeAdd")));

    // A small list instead of the full set.
    CombList& list = w.workspace().combs().workbench().list();
    list.clear();
    list.append(comb({1, 2, 3, 4, 5}));
    list.append(comb({7, 8, 9, 10, 11}));
    w.combsTab()->refreshList();

    int dialogs = 0;
    setDialogRunner([&](QDialog& d) {
        ++dialogs;
        if (auto* stake = qobject_cast<TFormStake*>(&d)) {
            EXPECT_EQ(stake->stakeDataEdit()->text(), QStringLiteral("7;8;9;10;11"));
            stake->drawsCountEdit()->setValue(2);
            return stake->tryAccept() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        }
        if (auto* multi = qobject_cast<TFormMulti*>(&d)) {
            EXPECT_EQ(multi->commentEdit()->text(), QStringLiteral("Ставка \"вручную\""));
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    const QModelIndex row1 = w.combsTab()->list()->model()->index(1, 0);
    emit w.combsTab()->list()->doubleClicked(row1);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(w.workspace().stakes().count(), 3);
    EXPECT_EQ(w.stakesTab()->model()->rowCount(), 3);
    EXPECT_EQ(w.host().statusText(kStakesPanel), QStringLiteral("Ставок: 3"));

    ASSERT_TRUE(w.actions().trigger(QStringLiteral("StakeAddAll")));
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(w.workspace().stakes().count(), 5);
    EXPECT_EQ(w.stakesTab()->model()->data(w.stakesTab()->model()->index(4, 2), Qt::DisplayRole).toString(),
              QStringLiteral("7;8;9;10;11"));
    EXPECT_TRUE(w.actions().enabledNow(QStringLiteral("StakeClear")));
    ASSERT_TRUE(w.actions().trigger(QStringLiteral("StakeClear")));
    EXPECT_EQ(w.workspace().stakes().count(), 0);
    EXPECT_EQ(w.stakesTab()->model()->rowCount(), 1);
    setDialogRunner({});
}

}  // namespace
}  // namespace zircon
