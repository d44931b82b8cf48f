#include <gtest/gtest.h>

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>

#include <algorithm>
#include <memory>

#include "core/DrawArchive.h"
#include "core/Lottery.h"
#include "core/MainFormKeys.h"
#include "shell/CombCommands.h"
#include "shell/StatisticsView.h"
#include "shell/Workspace.h"
#include "support/OfflineStart.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/CombsTab.h"
#include "ui/QtHost.h"
#include "ui/StatTableModel.h"
#include "ui/StatisticsTab.h"
#include "ui/TFormMain.h"
#include "ui/TRSortListView.h"

namespace zircon {
namespace {

// C(n, k) for the hand counts of the filter results.
long long choose(int n, int k)
{
    long long r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

const long long kFullSet = choose(69, 5);

class StatisticsTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::keepStartOffline(m_dir);
        ASSERT_TRUE(QFile::copy(test::testDataPath("Zircon_5x69.ldr"), m_dir.file(QStringLiteral("Zircon_5x69.ldr"))));
        QFile::setPermissions(m_dir.file(QStringLiteral("Zircon_5x69.ldr")), QFile::ReadOwner | QFile::WriteOwner);
        m_fixture.load(m_dir.file(QStringLiteral("Zircon_5x69.ldr")));
    }

    std::unique_ptr<TFormMain> open()
    {
        TFormMain::StartOptions options;
        options.dataDir = m_dir.path();
        auto w = std::make_unique<TFormMain>(options);
        w->host().setAnswerer([this](MessageKind, const QString& text, bool) {
            m_shown.push_back(text);
            return false;
        });
        w->setProgramEnder([] {});
        w->runStartupNow();
        QCoreApplication::processEvents();
        return w;
    }

    static StatisticsTab& tab(TFormMain& w) { return *w.statisticsTab(); }
    static TRSortListView* list(TFormMain& w) { return tab(w).list(); }
    static QString cell(TFormMain& w, int viewRow, int column)
    {
        return list(w)->model()->index(viewRow, column).data().toString();
    }
    // The list row (as shown, sorted) of a value text, or -1.
    static int viewRowOf(TFormMain& w, const QString& value)
    {
        for (int r = 0; r < list(w)->model()->rowCount(); ++r)
            if (cell(w, r, StatTable::ColValue) == value)
                return r;
        return -1;
    }
    static void selectValues(TFormMain& w, std::initializer_list<const char*> values)
    {
        auto* sel = list(w)->selectionModel();
        sel->clearSelection();
        for (const char* v : values) {
            const int r = viewRowOf(w, QString::fromLatin1(v));
            ASSERT_GE(r, 0) << v;
            sel->select(list(w)->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        w.updateCommandStates();
    }
    static void chooseMethod(TFormMain& w, const char* code)
    {
        const auto& entries = tab(w).view().statEntries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].code == QLatin1String(code)) {
                tab(w).typeChooser()->setCurrentIndex(static_cast<int>(i));
                return;
            }
        FAIL() << "no entry " << code;
    }
    static size_t combCount(TFormMain& w) { return w.workspace().combs().list().count(); }
    static int filterRows(TFormMain& w) { return w.combsTab()->filtersList()->model()->rowCount(); }
    static QList<QAbstractSeries*> series(TFormMain& w) { return tab(w).chartView()->chart()->series(); }
    static void pressEnter(QWidget* target)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    }

    test::TempDir m_dir;
    DrawArchive m_fixture;
    QStringList m_shown;
};

TEST_F(StatisticsTabTest, TheTabComputesNumsOverTheFixture)
{
    auto w = open();
    ASSERT_TRUE(w->startupDone());
    EXPECT_EQ(w->rightPages()->currentWidget(), &tab(*w));
    EXPECT_EQ(w->rightPages()->tabText(0), QStringLiteral("Статистика"));
    // The chooser shows the view's entries with their texts.
    const auto& entries = tab(*w).view().statEntries();
    ASSERT_EQ(tab(*w).typeChooser()->count(), static_cast<int>(entries.size()));
    EXPECT_EQ(tab(*w).typeChooser()->itemText(0), entries[0].text);
    chooseMethod(*w, "NUMS");
    EXPECT_EQ(tab(*w).typeChooser()->currentText(), QStringLiteral("{ num } Числа тиража [ N ]"));
    ASSERT_EQ(list(*w)->model()->rowCount(), kMainMax);
    EXPECT_EQ(list(*w)->model()->columnCount(), StatTable::kColumnCount);
    EXPECT_EQ(list(*w)->model()->headerData(StatTable::ColFact, Qt::Horizontal).toString(), QStringLiteral("Факт"));

    // 1000 draws ending at the newest one, five numbers each.
    long long total = 0;
    for (int r = 0; r < kMainMax; ++r)
        total += cell(*w, r, StatTable::ColCount).toLongLong();
    EXPECT_EQ(total, 5000);
    // Sorted ascending by "Количество".
    EXPECT_EQ(list(*w)->sortColumn(), StatTable::ColCount);
    EXPECT_FALSE(list(*w)->sortDescending());
    for (int r = 1; r < kMainMax; ++r)
        EXPECT_LE(cell(*w, r - 1, StatTable::ColCount).toInt(), cell(*w, r, StatTable::ColCount).toInt());
    EXPECT_TRUE(m_shown.isEmpty()) << (m_shown.isEmpty() ? "" : m_shown.front().toStdString());
}

TEST_F(StatisticsTabTest, KeepAndDeleteTheSelectedNumbers)
{
    auto w = open();
    chooseMethod(*w, "NUMS");
    ASSERT_EQ(combCount(*w), static_cast<size_t>(kFullSet));
    ActionSet& actions = w->actions();
    EXPECT_FALSE(actions.enabledNow(QStringLiteral("StatFilter_Include")));
    EXPECT_FALSE(actions.enabledNow(QStringLiteral("StatFilter_Exclude")));
    const int filtersBefore = filterRows(*w);

    // Keeping 1: the combinations of 1 with four of the other 68.
    selectValues(*w, {"1"});
    ASSERT_TRUE(actions.enabledNow(QStringLiteral("StatFilter_Include")));
    ASSERT_TRUE(actions.trigger(QStringLiteral("StatFilter_Include")));
    EXPECT_EQ(combCount(*w), static_cast<size_t>(choose(68, 4)));
    EXPECT_EQ(combCount(*w), 814385u);
    EXPECT_EQ(filterRows(*w), filtersBefore + 1);
    ASSERT_TRUE(actions.trigger(QStringLiteral("CombsUndo")));
    EXPECT_EQ(combCount(*w), static_cast<size_t>(kFullSet));
    EXPECT_EQ(filterRows(*w), filtersBefore);

    // Keeping 1 or 2: all but the combinations of the other 67.
    selectValues(*w, {"1", "2"});
    ASSERT_TRUE(actions.trigger(QStringLiteral("StatFilter_Include")));
    EXPECT_EQ(combCount(*w), static_cast<size_t>(kFullSet - choose(67, 5)));
    const AppliedFilterRow& kept = w->workspace().combs().appliedFilters().rows().back();
    EXPECT_EQ(kept.values, QStringLiteral("1; 2"));
    EXPECT_EQ(kept.source, tab(*w).typeChooser()->currentText());
    ASSERT_TRUE(actions.trigger(QStringLiteral("CombsUndo")));

    // Deleting 1: the combinations of the other 68.
    selectValues(*w, {"1"});
    ASSERT_TRUE(actions.enabledNow(QStringLiteral("StatFilter_Exclude")));
    ASSERT_TRUE(actions.trigger(QStringLiteral("StatFilter_Exclude")));
    EXPECT_EQ(combCount(*w), static_cast<size_t>(choose(68, 5)));
    EXPECT_EQ(filterRows(*w), filtersBefore + 1);
    EXPECT_EQ(w->workspace().combs().appliedFilters().rows().back().mark, FilterMark::Delete);

    // The shortcuts are the commands'.
    EXPECT_EQ(actions.action(QStringLiteral("StatFilter_Include"))->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(actions.action(QStringLiteral("StatFilter_Exclude"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F7));
    EXPECT_TRUE(m_shown.isEmpty()) << (m_shown.isEmpty() ? "" : m_shown.front().toStdString());
}

TEST_F(StatisticsTabTest, NormColumnsAndChartFollowPrefetching)
{
    auto w = open();
    chooseMethod(*w, "NUMS");
    QHeaderView* header = list(*w)->header();
    const int norms[] = {StatTable::ColNorm, StatTable::ColDeviation, StatTable::ColDeviationPercent};
    ASSERT_FALSE(w->workspace().prefetchsEnabled());
    for (int c : norms)
        EXPECT_EQ(header->sectionSize(c), 0) << c;
    EXPECT_EQ(cell(*w, 0, StatTable::ColNorm), QStringLiteral("-"));
    ActionSet& actions = w->actions();
    EXPECT_FALSE(actions.enabledNow(QStringLiteral("DrawsStatShowTotalLine")));
    ASSERT_EQ(series(*w).size(), 1);
    auto* actual = qobject_cast<QLineSeries*>(series(*w).front());
    ASSERT_TRUE(actual);
    EXPECT_EQ(actual->name(), QStringLiteral("Фактические данные"));
    EXPECT_EQ(actual->count(), kMainMax);
    EXPECT_EQ(actual->pen().color(), QColor(0, 128, 0));
    EXPECT_EQ(actual->pen().width(), 2);
    EXPECT_TRUE(actual->pointsVisible());

    ASSERT_TRUE(actions.trigger(QStringLiteral("DrawsStatePrefetchsEnabled")));
    EXPECT_TRUE(w->workspace().prefetchsEnabled());
    EXPECT_TRUE(actions.action(QStringLiteral("DrawsStatePrefetchsEnabled"))->isChecked());
    for (int c : norms)
        EXPECT_EQ(header->sectionSize(c), StatisticsTab::kNormColumnWidth) << c;
    EXPECT_NE(cell(*w, 0, StatTable::ColNorm), QStringLiteral("-"));
    ASSERT_EQ(series(*w).size(), 2);
    auto* total = qobject_cast<QLineSeries*>(series(*w).back());
    ASSERT_TRUE(total);
    EXPECT_EQ(total->name(), QStringLiteral("Все возможные комбинации"));
    EXPECT_EQ(total->count(), kMainMax);
    EXPECT_EQ(total->pen().color(), QColor(Qt::red));
    EXPECT_FALSE(total->pointsVisible());

    // The ideal line goes and comes back with its command.
    ASSERT_TRUE(actions.enabledNow(QStringLiteral("DrawsStatShowTotalLine")));
    ASSERT_TRUE(actions.trigger(QStringLiteral("DrawsStatShowTotalLine")));
    EXPECT_FALSE(actions.action(QStringLiteral("DrawsStatShowTotalLine"))->isChecked());
    EXPECT_EQ(series(*w).size(), 1);
    ASSERT_TRUE(actions.trigger(QStringLiteral("DrawsStatShowTotalLine")));
    EXPECT_EQ(series(*w).size(), 2);

    ASSERT_TRUE(actions.trigger(QStringLiteral("DrawsStatePrefetchsEnabled")));
    for (int c : norms)
        EXPECT_EQ(header->sectionSize(c), 0) << c;
    EXPECT_EQ(series(*w).size(), 1);
    EXPECT_TRUE(m_shown.isEmpty()) << (m_shown.isEmpty() ? "" : m_shown.front().toStdString());
}

TEST_F(StatisticsTabTest, EnterInTheWindowFieldRecomputesWhenInRange)
{
    auto w = open();
    chooseMethod(*w, "NUMS");
    QSpinBox* length = tab(*w).lengthEdit();
    EXPECT_EQ(length->value(), 1000);
    EXPECT_EQ(length->minimum(), 1);
    EXPECT_EQ(length->maximum(), 2147483647);
    EXPECT_EQ(length->toolTip(), QStringLiteral("Количество тиражей, использующихся для расчета статистики"));

    struct Case {
        const char* text;
        int window;  // the computed window's length afterwards
    };
    const Case cases[] = {{"100", 100}, {"0", 100}, {"2000", 1241}, {"7", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        length->setFocus();
        length->findChild<QLineEdit*>()->setText(QString::fromLatin1(c.text));
        pressEnter(length);
        EXPECT_EQ(tab(*w).view().table().window().length, c.window);
    }
}

TEST_F(StatisticsTabTest, WindowLengthAndListStateAreKeptBetweenRuns)
{
    {
        auto w = open();
        tab(*w).setWindowLength(250);
        list(*w)->setSortState(StatTable::ColDepth, true);
        tab(*w).setChartHeight(180);
        w->close();
    }
    IniStore frm(m_dir.file(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(frm.readInt(kMainFormSection, mainform::kDrawsStatLen, 0), 250);
    EXPECT_EQ(frm.readInt(kMainFormSection, mainform::kDrawsStatHeight, 0), 180);
    auto w = open();
    EXPECT_EQ(tab(*w).lengthEdit()->value(), 250);
    EXPECT_EQ(tab(*w).view().windowLength(), 250);
    EXPECT_EQ(tab(*w).chartHeight(), 180);
    EXPECT_EQ(list(*w)->sortColumn(), StatTable::ColDepth);
    EXPECT_TRUE(list(*w)->sortDescending());
    EXPECT_EQ(tab(*w).view().table().window().length, 250);
}

TEST_F(StatisticsTabTest, AHiddenTabRecomputesWhenItShowsAgain)
{
    auto w = open();
    chooseMethod(*w, "NUMS");
    ASSERT_EQ(tab(*w).view().table().window().end, m_fixture.high());
    // Another page in front: the offset changes behind the statistics.
    auto* other = new QWidget(w->rightPages());
    w->rightPages()->addTab(other, QStringLiteral("other"));
    w->rightPages()->setCurrentWidget(other);
    ASSERT_TRUE(w->workspace().setDrawsOffset(4));
    EXPECT_EQ(tab(*w).view().table().window().end, m_fixture.high());
    w->rightPages()->setCurrentWidget(&tab(*w));
    EXPECT_EQ(tab(*w).view().table().window().end, m_fixture.high() - 4);

    // The engine settings are not part of the key; their forced refresh,
    // found hidden, still leaves the table to be computed anew when it shows.
    // With the count coefficient 1 the weight is Count + Depth instead of Depth.
    const int one = viewRowOf(*w, QStringLiteral("1"));
    const int count = cell(*w, one, StatTable::ColCount).toInt();
    const int depth = cell(*w, one, StatTable::ColDepth).toInt();
    ASSERT_EQ(cell(*w, one, StatTable::ColWeight), QStringLiteral("%1.00").arg(depth));
    w->rightPages()->setCurrentWidget(other);
    TConfigData config = w->workspace().statList().Config;
    config.Weights.CountCoef = 1.0;
    w->workspace().applyConfig(config);
    w->rightPages()->setCurrentWidget(&tab(*w));
    const int again = viewRowOf(*w, QStringLiteral("1"));
    EXPECT_EQ(cell(*w, again, StatTable::ColWeight), QStringLiteral("%1.00").arg(count + depth));
}

}  // namespace
}  // namespace zircon
