#include "ui/WindowStateStore.h"

#include "core/Error.h"
#include "core/IniStore.h"
#include "support/TempDir.h"
#include "ui/TRSortListView.h"

#include <QDialog>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace zircon {
namespace {

using test::TempDir;

const QString kSection = QStringLiteral("TFormRepeats");

// Four columns; the third holds numbers so that its sort order is known.
void fill(QTreeWidget& tree)
{
    tree.setColumnCount(4);
    tree.setHeaderLabels({QStringLiteral("Тираж"), QStringLiteral("Дата"), QStringLiteral("Сумма"),
                          QStringLiteral("Числа")});
    const int sums[] = {120, 305, 77, 210};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QTreeWidgetItem(&tree);
        item->setText(0, QString::number(i + 1));
        item->setData(2, Qt::DisplayRole, sums[i]);
    }
    tree.header()->setStretchLastSection(false);
    tree.setSortingEnabled(true);
    tree.sortByColumn(0, Qt::AscendingOrder);
}

TEST(WindowStateStore, TreeColumnsAndSortSurviveSaveAndRestore)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));

    QTreeWidget saved;
    fill(saved);
    const int widths[] = {55, 140, 72, 190};
    for (int i = 0; i < 4; ++i)
        saved.header()->resizeSection(i, widths[i]);
    saved.sortByColumn(2, Qt::DescendingOrder);
    saveListState(store, kSection, &saved, u"lvRepeats");

    const IniFile ini = store.load();
    EXPECT_EQ(ini.readString(kSection, u"lvRepeats.SortType"), QStringLiteral("2,1"));
    EXPECT_EQ(ini.readInt(kSection, u"lvRepeats.Column1", 0), 140);
    EXPECT_FALSE(ini.hasKey(kSection, u"lvRepeats.GridLines"));

    QTreeWidget restored;
    fill(restored);
    restoreListState(store, kSection, &restored, u"lvRepeats");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(restored.header()->sectionSize(i), widths[i]) << "column " << i;
    EXPECT_EQ(restored.header()->sortIndicatorSection(), 2);
    EXPECT_EQ(restored.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    // The rows follow: the largest sum first.
    EXPECT_EQ(restored.topLevelItem(0)->data(2, Qt::DisplayRole).toInt(), 305);
    EXPECT_EQ(restored.topLevelItem(3)->data(2, Qt::DisplayRole).toInt(), 77);
}

TEST(WindowStateStore, FlagsAreStoredOnlyWhenAsked)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    QTreeWidget saved;
    fill(saved);
    saved.setSelectionMode(QAbstractItemView::ExtendedSelection);
    saved.setProperty("gridLines", true);
    saveListState(store, kSection, &saved, u"lvFields", true);

    QTreeWidget restored;
    fill(restored);
    restored.setSelectionMode(QAbstractItemView::SingleSelection);
    restoreListState(store, kSection, &restored, u"lvFields", true);
    EXPECT_EQ(restored.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(restored.property("gridLines").toBool());

    QTreeWidget without;
    fill(without);
    without.setSelectionMode(QAbstractItemView::SingleSelection);
    restoreListState(store, kSection, &without, u"lvFields", false);
    EXPECT_EQ(without.selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(WindowStateStore, SortListViewKeepsItsOwnSortState)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    QStandardItemModel model(3, 3);
    TRSortListView saved;
    saved.setSourceModel(&model);
    saved.setSortState(1, true);
    saveListState(store, kSection, &saved, u"lvRatings");
    EXPECT_EQ(store.readString(kSection, u"lvRatings.SortType"), QStringLiteral("1,1"));

    TRSortListView restored;
    restored.setSourceModel(&model);
    restoreListState(store, kSection, &restored, u"lvRatings");
    EXPECT_EQ(restored.sortColumn(), 1);
    EXPECT_TRUE(restored.sortDescending());
}

TEST(WindowStateStore, BadSortColumnFails)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    store.writeString(kSection, u"lvRepeats.SortType", QStringLiteral("4,0"));
    QTreeWidget tree;
    fill(tree);
    EXPECT_THROW(restoreListState(store, kSection, &tree, u"lvRepeats"), Error);
}

TEST(WindowStateStore, GridColumnsRoundTrip)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    QTableWidget saved(2, 3);
    saved.horizontalHeader()->setStretchLastSection(false);
    saved.setColumnWidth(0, 44);
    saved.setColumnWidth(1, 160);
    saved.setColumnWidth(2, 81);
    saveGridColumns(store, u"TFormMain", &saved, u"sgStakes");
    EXPECT_FALSE(store.load().hasKey(u"TFormMain", u"sgStakes.SortType"));

    QTableWidget restored(2, 3);
    restored.horizontalHeader()->setStretchLastSection(false);
    restoreGridColumns(store, u"TFormMain", &restored, u"sgStakes");
    EXPECT_EQ(restored.columnWidth(0), 44);
    EXPECT_EQ(restored.columnWidth(1), 160);
    EXPECT_EQ(restored.columnWidth(2), 81);
}

TEST(WindowStateStore, WindowGeometryRoundTrip)
{
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        TempDir dir;
        IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
        QWidget saved;
        saved.setGeometry(120, 80, 400, 300);
        if (shown)
            saved.show();
        saveWindowPlacement(store, &saved, u"TFormGraph");
        const IniFile ini = store.load();
        EXPECT_EQ(ini.readInt(u"TFormGraph", u"ShowCmd", -1), kShowCmdNormal);
        EXPECT_EQ(ini.readString(u"TFormGraph", u"NormPos"), QStringLiteral("120,80,520,380"));

        QWidget restored;
        restored.setGeometry(10, 10, 200, 150);
        if (shown)
            restored.show();
        restoreWindowPlacement(store, &restored, u"TFormGraph");
        EXPECT_EQ(restored.geometry(), QRect(120, 80, 400, 300));
        // Restoring never shows a hidden window.
        EXPECT_EQ(restored.isVisible(), shown);
    }
}

TEST(WindowStateStore, MaximisedStateRoundTrip)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    QWidget saved;
    saved.setGeometry(50, 40, 300, 200);
    saved.setWindowState(Qt::WindowMaximized);
    saveWindowPlacement(store, &saved, u"TFormGraph");
    EXPECT_EQ(store.readInt(u"TFormGraph", u"ShowCmd", -1), kShowCmdMaximized);

    QWidget restored;
    restored.setGeometry(10, 10, 200, 150);
    restoreWindowPlacement(store, &restored, u"TFormGraph");
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
}

TEST(WindowStateStore, FixedSizeDialogMovesButKeepsItsSize)
{
    TempDir dir;
    IniStore store(dir.file(QStringLiteral("Zircon_5x69.frm")));
    QDialog dialog;
    dialog.setFixedSize(300, 200);
    dialog.move(0, 0);
    const int ppi = widgetPlacement(&dialog).pixelsPerInch;
    store.update([&](IniFile& ini) {
        ini.writeInt(u"TFormExport", u"PixelsPerInch", ppi);
        ini.writeString(u"TFormExport", u"NormPos", QStringLiteral("50,60,900,800"));
    });
    restoreWindowPlacement(store, &dialog, u"TFormExport");
    EXPECT_EQ(dialog.geometry(), QRect(50, 60, 300, 200));

    // Stored at another density, the position is not used.
    store.writeInt(u"TFormExport", u"PixelsPerInch", ppi + 24);
    store.writeString(u"TFormExport", u"NormPos", QStringLiteral("5,6,900,800"));
    restoreWindowPlacement(store, &dialog, u"TFormExport");
    EXPECT_EQ(dialog.geometry().topLeft(), QPoint(50, 60));
}

}  // namespace
}  // namespace zircon
