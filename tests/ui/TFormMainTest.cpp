#include <gtest/gtest.h>

#include <deque>

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

#include "core/DrawArchive.h"
#include "core/Grouping.h"
#include "core/IniFile.h"
#include "shell/Workspace.h"
#include "support/OfflineStart.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/DrawsModel.h"
#include "ui/DrawsTab.h"
#include "ui/FileDialogs.h"
#include "ui/QtHost.h"
#include "ui/DialogRunner.h"
#include "ui/TFormDraw.h"
#include "ui/StakesTab.h"
#include "ui/TFormMain.h"

namespace zircon {
namespace {

constexpr int kFixtureDraws = 1241;

struct Shown {
    MessageKind kind;
    QString text;
    bool defaultNo;
};

// One main window on its own data directory, with the user's part played by
// the test: message boxes answered from a queue, dialogs filled in code.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::keepStartOffline(m_dir);
        ASSERT_TRUE(QFile::copy(test::testDataPath("Zircon_5x69.ldr"), m_dir.file(QStringLiteral("Zircon_5x69.ldr"))));
        QFile::setPermissions(m_dir.file(QStringLiteral("Zircon_5x69.ldr")),
                              QFile::ReadOwner | QFile::WriteOwner);
        // The fixture read independently: the expected values of the window.
        m_fixture.load(m_dir.file(QStringLiteral("Zircon_5x69.ldr")));
        ASSERT_EQ(m_fixture.count(), kFixtureDraws);
    }
    void TearDown() override
    {
        setDialogRunner({});
        setFileDialogAnswerer({});
    }

    std::unique_ptr<TFormMain> open(const QStringList& args = {})
    {
        TFormMain::StartOptions options;
        options.dataDir = m_dir.path();
        options.arguments = args;
        auto w = std::make_unique<TFormMain>(options);
        attach(*w);
        w->runStartupNow();
        QCoreApplication::processEvents();
        return w;
    }
    void attach(TFormMain& w)
    {
        w.host().setAnswerer([this](MessageKind k, const QString& t, bool defaultNo) {
            m_shown.push_back({k, t, defaultNo});
            if (!isQuestion(k))
                return true;
            if (m_answers.empty())
                return false;
            const bool a = m_answers.front();
            m_answers.pop_front();
            return a;
        });
        w.setProgramEnder([this] { ++m_ends; });
    }

    static QTreeView* list(TFormMain& w) { return w.drawsTab()->list(); }
    static QString cell(TFormMain& w, int row, int column)
    {
        return list(w)->model()->index(row, column).data().toString();
    }
    static QColor background(TFormMain& w, int row, int column)
    {
        return list(w)->model()->index(row, column).data(Qt::BackgroundRole).value<QColor>();
    }
    static void select(TFormMain& w, std::initializer_list<int> rows)
    {
        auto* sel = list(w)->selectionModel();
        sel->clearSelection();
        for (int r : rows)
            sel->select(list(w)->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        w.updateCommandStates();
    }
    QByteArray archiveBytes() const { return m_dir.read(QStringLiteral("Zircon_5x69.ldr")); }
    QString nextText(int row) const { return QStringLiteral("Следующий тираж: %1").arg(m_fixture.drawAtRow(row).number + 1); }

    test::TempDir m_dir;
    DrawArchive m_fixture;
    std::vector<Shown> m_shown;
    std::deque<bool> m_answers;
    int m_ends = 0;
};

TEST_F(MainWindowTest, StartsOnTheFixtureArchive)
{
    auto w = open();
    EXPECT_TRUE(w->startupDone());
    EXPECT_EQ(m_ends, 0);
    EXPECT_TRUE(m_shown.empty()) << (m_shown.empty() ? "" : m_shown[0].text.toStdString());
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws);
    EXPECT_EQ(cell(*w, 0, 0), QString::number(m_fixture.draws().back().number)) << "newest first";
    EXPECT_EQ(cell(*w, kFixtureDraws - 1, 0), QString::number(m_fixture.draws().front().number));
    EXPECT_EQ(w->host().statusText(0), QStringLiteral("Архив тиражей: 1241"));
    EXPECT_EQ(w->host().statusText(1), nextText(0));
    EXPECT_EQ(w->host().statusText(2), QString()) << "no draw follows the newest";
    EXPECT_EQ(w->drawsTab()->offsetEdit()->maximum(), kFixtureDraws - 1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Анализ статистики лотереи \"Zircon\" версия " ZIRCON_VERSION));
    EXPECT_TRUE(w->workspace().stakesFile().isOpen());
    ASSERT_NE(w->leftPages(), nullptr);
    EXPECT_EQ(w->leftPages()->tabText(0), QStringLiteral("Тиражи"));

    // A first start writes the prefetching rule into the form-state file.
    const IniFile frm = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(frm.readString(u"TFormMain", u"PrefetchsInit"), QStringLiteral("1"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"PrefetchsEnabled"), QStringLiteral("0"));
}

TEST_F(MainWindowTest, OffsetMovesTheHighlightAndTheStatus)
{
    auto w = open();
    const QColor pink(255, 170, 170);
    EXPECT_EQ(background(*w, 0, 0), pink);
    w->drawsTab()->offsetEdit()->setValue(2);
    EXPECT_EQ(w->workspace().archive().drawsOffset(), 2);
    EXPECT_EQ(background(*w, 0, 0), QColor(Qt::white));
    EXPECT_EQ(background(*w, 2, 0), pink);
    EXPECT_EQ(background(*w, 2, 8), pink);
    EXPECT_EQ(w->host().statusText(1), nextText(2));
    const TDraw& following = m_fixture.drawAtRow(1);
    QStringList nums;
    for (uint8_t n : following.nums)
        nums << QString::number(n);
    EXPECT_EQ(w->host().statusText(2), nums.join(u';'));
    w->drawsTab()->offsetEdit()->setValue(0);
    EXPECT_EQ(w->host().statusText(2), QString());
    EXPECT_EQ(background(*w, 0, 0), pink);
}

TEST_F(MainWindowTest, AddEditDeleteThroughTheCommands)
{
    auto w = open();
    const int last = m_fixture.draws().back().number;

    // Add: the dialog opens on the next number and the user types the numbers.
    int dialogs = 0;
    setDialogRunner([&](QDialog& dialog) {
        auto& d = static_cast<TFormDraw&>(dialog);
        ++dialogs;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Введите данные следующего тиража"));
        EXPECT_EQ(d.numberEdit()->value(), last + 1);
        d.numbersEdit()->setText(QStringLiteral("5;12;33;41;69;26"));
        return d.tryAccept() ? QDialog::Accepted : QDialog::Rejected;
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsAdd")));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws + 1);
    EXPECT_EQ(cell(*w, 0, 0), QString::number(last + 1));
    EXPECT_EQ(cell(*w, 0, 7), QStringLiteral("160"));
    EXPECT_EQ(archiveBytes().size(), (kFixtureDraws + 1) * 24) << "saved at once";
    EXPECT_EQ(w->host().statusText(0), QStringLiteral("Архив тиражей: 1242"));

    // Edit needs a selection; then it changes the record in place.
    select(*w, {});
    EXPECT_FALSE(w->actions().enabledNow(QStringLiteral("DrawsEdit")));
    EXPECT_FALSE(w->actions().action(QStringLiteral("DrawsEdit"))->isEnabled());
    select(*w, {1});
    EXPECT_TRUE(w->actions().action(QStringLiteral("DrawsEdit"))->isEnabled());
    setDialogRunner([&](QDialog& dialog) {
        auto& d = static_cast<TFormDraw&>(dialog);
        EXPECT_EQ(d.numberEdit()->value(), last);
        d.numbersEdit()->setText(QStringLiteral("1,2,3,4,5,6"));
        return d.tryAccept() ? QDialog::Accepted : QDialog::Rejected;
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsEdit")));
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws + 1);
    EXPECT_EQ(cell(*w, 1, 0), QString::number(last));
    EXPECT_EQ(cell(*w, 1, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(*w, 1, 6), QStringLiteral("6"));
    {
        DrawArchive onDisk;
        onDisk.load(m_dir.file(QStringLiteral("Zircon_5x69.ldr")));
        EXPECT_EQ(onDisk.drawAtRow(1).nums, (std::array<uint8_t, 5>{1, 2, 3, 4, 5}));
    }

    // Cancel changes nothing.
    setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    const QByteArray before = archiveBytes();
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsEdit")));
    EXPECT_EQ(archiveBytes(), before);

    // Delete two rows: the question, No preselected; No keeps them.
    select(*w, {0, 1});
    m_shown.clear();
    m_answers = {false};
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsDel")));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Question);
    EXPECT_TRUE(m_shown[0].defaultNo);
    EXPECT_EQ(m_shown[0].text,
              QStringLiteral("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws + 1);
    m_answers = {true};
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsDel")));
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws - 1);
    // The added draw and the edited newest fixture draw are gone.
    const TDrawsArray rest(m_fixture.draws().begin(), m_fixture.draws().end() - 1);
    EXPECT_EQ(archiveBytes(), encodeArchive(rest));
    EXPECT_TRUE(w->drawsTab()->selectedRows().empty()) << "the selection is cleared";
    EXPECT_FALSE(w->actions().action(QStringLiteral("DrawsDel"))->isEnabled());

    // One selected row asks the one-record question.
    select(*w, {5});
    m_shown.clear();
    m_answers = {false};
    w->actions().trigger(QStringLiteral("DrawsDel"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Удалить выделенную запись?"));
}

TEST_F(MainWindowTest, SortedAndColouredDisplayAreStoredAtOnce)
{
    auto w = open();
    const QByteArray archive = archiveBytes();
    QAction* sorted = w->actions().action(QStringLiteral("DrawsSorted"));
    ASSERT_NE(sorted, nullptr);
    EXPECT_TRUE(sorted->isCheckable());
    EXPECT_FALSE(sorted->isChecked());
    sorted->trigger();
    EXPECT_TRUE(sorted->isChecked());
    EXPECT_TRUE(w->drawsTab()->model()->sortedDraws());
    const IniFile frm = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(frm.readString(u"TFormMain", u"SortedDraws"), QStringLiteral("1"));
    EXPECT_EQ(archiveBytes(), archive) << "sorting is for the eyes only";
    for (int r = 0; r < 20; ++r)
        for (int c = 1; c < 5; ++c)
            EXPECT_LT(cell(*w, r, c).toInt(), cell(*w, r, c + 1).toInt()) << r;

    QAction* colour = w->actions().action(QStringLiteral("ViewColorDraws"));
    EXPECT_TRUE(colour->isChecked());
    colour->trigger();
    EXPECT_FALSE(colour->isChecked());
    EXPECT_EQ(background(*w, 0, 1), QColor(255, 170, 170)) << "without channels the current row is all pink";
    const IniFile frm2 = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(frm2.readString(u"TFormMain", u"ColorDraws"), QStringLiteral("0"));
    w.reset();

    // The next start reads both back.
    auto again = open();
    EXPECT_TRUE(again->drawsTab()->model()->sortedDraws());
    EXPECT_FALSE(again->drawsTab()->model()->colorDraws());
}

TEST_F(MainWindowTest, ExportAndImportThroughTheFileSeam)
{
    auto w = open();
    std::vector<FileDialogRequest> requests;
    const QString csv = m_dir.file(QStringLiteral("out"));
    setFileDialogAnswerer([&](const FileDialogRequest& r) {
        requests.push_back(r);
        return csv;
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsExport")));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].filter, QStringLiteral("Файлы тиражей (*.csv)"));
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("csv"));
    const QByteArray written = m_dir.read(QStringLiteral("out.csv"));
    EXPECT_EQ(written.count('\n'), kFixtureDraws) << "the default suffix was added";

    // Importing the same draws again adds nothing: their numbers are known.
    setFileDialogAnswerer([&](const FileDialogRequest& r) {
        requests.push_back(r);
        return csv + QStringLiteral(".csv");
    });
    m_shown.clear();
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsImport")));
    EXPECT_FALSE(requests.back().save);
    EXPECT_EQ(list(*w)->model()->rowCount(), kFixtureDraws);
    ASSERT_FALSE(m_shown.empty());
    EXPECT_TRUE(m_shown.back().text.contains(QStringLiteral("Добавлено тиражей: 0")));

    // A cancelled dialog does nothing.
    setFileDialogAnswerer([](const FileDialogRequest&) { return QString(); });
    m_shown.clear();
    EXPECT_TRUE(w->actions().trigger(QStringLiteral("DrawsImport")));
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(MainWindowTest, BusyDisablesEveryCommandAndHoldsTheHints)
{
    auto w = open();
    w->updateCommandStates();
    EXPECT_TRUE(w->actions().action(QStringLiteral("DrawsAdd"))->isEnabled());
    QStatusTipEvent tip(QStringLiteral("Добавить данные тиража вручную"));
    QCoreApplication::sendEvent(w.get(), &tip);
    EXPECT_EQ(w->host().statusText(6), QStringLiteral("Добавить данные тиража вручную"));

    w->workspace().busyState().enter();
    for (QAction* a : w->actions().actions())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(w->actions().trigger(QStringLiteral("DrawsAdd")));
    EXPECT_FALSE(w->drawsTab()->offsetEdit()->isEnabled());
    w->host().setStatusText(6, QStringLiteral("Работа..."));
    QStatusTipEvent other(QStringLiteral("hint"));
    QCoreApplication::sendEvent(w.get(), &other);
    EXPECT_EQ(w->host().statusText(6), QStringLiteral("Работа...")) << "the progress text stays while busy";
    w->workspace().busyState().leave();
    EXPECT_TRUE(w->actions().action(QStringLiteral("DrawsAdd"))->isEnabled());
    EXPECT_TRUE(w->drawsTab()->offsetEdit()->isEnabled());
    EXPECT_FALSE(w->actions().action(QStringLiteral("GetHelp"))->isEnabled()) << "no help file here";
}

TEST_F(MainWindowTest, SecondCopyOnTheSameDataFailsAndLeavesTheFirstAlone)
{
    auto first = open();
    ASSERT_TRUE(first->workspace().stakesFile().isOpen());
    first->drawsTab()->offsetEdit()->setValue(3);
    const QByteArray frmBefore = m_dir.read(QStringLiteral("Zircon_5x69.frm"));

    m_shown.clear();
    auto second = open();
    EXPECT_EQ(m_ends, 1) << "the second copy ends";
    EXPECT_TRUE(second->programEnded());
    EXPECT_FALSE(second->startupDone());
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(m_shown[0].text.startsWith(QStringLiteral("Невозможно получить монопольный доступ к файлам данных!\r\r")));
    EXPECT_TRUE(m_shown[0].text.endsWith(QStringLiteral("Программа будет закрыта!")));
    EXPECT_EQ(second->workspace().archive().count(), 0) << "the archive is not even loaded";
    second.reset();
    EXPECT_EQ(m_dir.read(QStringLiteral("Zircon_5x69.frm")), frmBefore) << "the failed copy stores no state";

    EXPECT_TRUE(first->workspace().stakesFile().isOpen());
    EXPECT_EQ(first->workspace().archive().count(), kFixtureDraws);
    EXPECT_EQ(first->workspace().archive().drawsOffset(), 3);
    EXPECT_EQ(list(*first)->model()->rowCount(), kFixtureDraws);
}

TEST_F(MainWindowTest, CloseDuringBusyWorkStopsItThenCloses)
{
    auto w = open();
    w->show();
    QCoreApplication::processEvents();
    w->workspace().busyState().enter();
    EXPECT_FALSE(w->close()) << "the window stays while the work runs";
    EXPECT_TRUE(w->workspace().progress().stopRequested());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->workspace().stakesFile().isOpen());
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->isVisible()) << "still busy: still open";
    w->workspace().busyState().leave();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isVisible()) << "closed once the work ended";
    EXPECT_FALSE(w->workspace().stakesFile().isOpen()) << "shut down";
    const IniFile frm = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_TRUE(frm.hasKey(u"TFormMain", u"lvDraws.Column0"));
    EXPECT_TRUE(frm.hasKey(u"TFormMain", u"NormPos"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"LeftPanelWidth").toInt() > 0, true);
}

TEST_F(MainWindowTest, ShutdownStoresStateThatTheNextStartRestores)
{
    {
        auto w = open();
        list(*w)->header()->resizeSection(8, 123);
        w->stakesTab()->grid()->setColumnWidth(2, 177);
        w->resize(900, 650);
    }
    const IniFile frm = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm")));
    EXPECT_EQ(frm.readString(u"TFormMain", u"lvDraws.Column8"), QStringLiteral("123"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"sgStakes.Column2"), QStringLiteral("177"));
    auto again = open();
    EXPECT_EQ(list(*again)->header()->sectionSize(8), 123);
    EXPECT_EQ(again->stakesTab()->grid()->columnWidth(2), 177);
    EXPECT_EQ(again->size(), QSize(900, 650));
}

TEST_F(MainWindowTest, EmptyDataDirectoryStartsEmpty)
{
    QFile::remove(m_dir.file(QStringLiteral("Zircon_5x69.ldr")));
    auto w = open();
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(list(*w)->model()->rowCount(), 0);
    EXPECT_EQ(w->host().statusText(0), QStringLiteral("Архив тиражей: 0"));
    EXPECT_EQ(w->host().statusText(1), QStringLiteral("Следующий тираж: 1"));
    EXPECT_EQ(w->host().statusText(2), QString());
    EXPECT_EQ(w->drawsTab()->offsetUpperBound(), -1);
    EXPECT_EQ(w->drawsTab()->offsetEdit()->value(), 0);
    EXPECT_FALSE(w->actions().action(QStringLiteral("DrawsExport"))->isEnabled());
    EXPECT_TRUE(w->actions().action(QStringLiteral("DrawsAdd"))->isEnabled());

    setDialogRunner([](QDialog& dialog) {
        auto& d = static_cast<TFormDraw&>(dialog);
        EXPECT_EQ(d.numberEdit()->value(), 1) << "the first draw of an empty archive is number 1";
        d.numbersEdit()->setText(QStringLiteral("1;2;3;4;5;6"));
        return d.tryAccept() ? QDialog::Accepted : QDialog::Rejected;
    });
    w->actions().trigger(QStringLiteral("DrawsAdd"));
    EXPECT_EQ(list(*w)->model()->rowCount(), 1);
    EXPECT_EQ(w->host().statusText(1), QStringLiteral("Следующий тираж: 2"));
}

TEST_F(MainWindowTest, BatchSwitchesEndTheProgram)
{
    struct Case {
        const char* args;
        int ends;
    };
    for (const Case c : {Case{"loadonly", 1}, Case{"/FULLRECREATE", 1}, Case{"--fullrefresh", 1},
                         Case{"loadonly fullrefresh", 1}, Case{"restart2", 0}}) {
        m_ends = 0;
        m_shown.clear();
        auto w = open(QString::fromLatin1(c.args).split(u' '));
        EXPECT_EQ(m_ends, c.ends) << c.args;
        EXPECT_EQ(w->programEnded(), c.ends > 0) << c.args;
        EXPECT_EQ(w->workspace().archive().count(), kFixtureDraws) << "the archive is loaded first: " << c.args;
    }
}

TEST_F(MainWindowTest, PrefetchSwitchesBuildTheFilesOfTheMethodsWithANorm)
{
    const QString nums = m_dir.file(QStringLiteral("Prefetchs/Zircon_5x69_NUMS.dfc"));
    // Prefetching is off by default: a plain start builds nothing.
    open();
    EXPECT_FALSE(QFile::exists(nums));
    // "fullrefresh" builds the missing files even so.
    open({QStringLiteral("fullrefresh")});
    ASSERT_TRUE(QFile::exists(nums));
    const QDateTime built = QFileInfo(nums).lastModified();
    // A damaged file is rebuilt by "fullrefresh"; a good one is kept.
    const QString pos1 = m_dir.file(QStringLiteral("Prefetchs/Zircon_5x69_POS1.dfc"));
    const QByteArray goodPos1 = m_dir.read(QStringLiteral("Prefetchs/Zircon_5x69_POS1.dfc"));
    m_dir.write(QStringLiteral("Prefetchs/Zircon_5x69_POS1.dfc"), goodPos1.left(30));
    open({QStringLiteral("fullrefresh")});
    EXPECT_EQ(m_dir.read(QStringLiteral("Prefetchs/Zircon_5x69_POS1.dfc")), goodPos1);
    EXPECT_EQ(QFileInfo(nums).lastModified(), built);
    EXPECT_FALSE(QFile::exists(m_dir.file(QStringLiteral("Prefetchs/Zircon_5x69_POE1.dfc"))));  // no norm
}

TEST_F(MainWindowTest, RestartStartsTheNextCopyWithThisProcessId)
{
    auto w = open({QStringLiteral("--data-dir"), m_dir.path()});
    QString program, dir;
    QStringList args;
    w->setProcessStarter([&](const QString& p, const QStringList& a, const QString& d, QString*) {
        program = p;
        args = a;
        dir = d;
        return true;
    });
    EXPECT_TRUE(w->restartProgram());
    EXPECT_EQ(program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(dir, QCoreApplication::applicationDirPath());
    EXPECT_EQ(args, (QStringList{QStringLiteral("restart"),
                                 QStringLiteral("--restart-pid=%1").arg(QCoreApplication::applicationPid()),
                                 QStringLiteral("--data-dir"), m_dir.path()}));
    EXPECT_EQ(m_ends, 1);
}

TEST_F(MainWindowTest, RestartThatCannotStartKeepsRunning)
{
    auto w = open();
    QStringList args;
    w->setProcessStarter([&](const QString&, const QStringList& a, const QString&, QString* error) {
        args = a;
        *error = QStringLiteral("no such program");
        return false;
    });
    m_shown.clear();
    EXPECT_FALSE(w->restartProgram());
    EXPECT_FALSE(args.contains(QStringLiteral("--data-dir"))) << "not given, not passed on";
    EXPECT_EQ(m_ends, 0);
    EXPECT_FALSE(w->programEnded());
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(m_shown[0].text.endsWith(QStringLiteral("\r\rno such program")));
}

TEST_F(MainWindowTest, AboutTextCarriesTheVersion)
{
    auto w = open();
    const QString text = w->aboutText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Анализ статистики лотереи \"Zircon\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("Версия программы: " ZIRCON_VERSION " ( " ZIRCON_VERSION " )")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zircon_5x69")));
}

TEST_F(MainWindowTest, SettingsDialogStoresTheConfigurationAndRecolours)
{
    auto w = open();
    // A cell whose number changes colour between channel sizes 10 and 20.
    int row = 0;
    while (ChannelColour(m_fixture.drawAtRow(row).nums[0], 20) == ChannelColour(m_fixture.drawAtRow(row).nums[0], 10))
        ++row;
    const TRgb was = ChannelColour(m_fixture.drawAtRow(row).nums[0], 10);
    EXPECT_EQ(background(*w, row, 1), QColor(was.r, was.g, was.b));
    // Channel size 20 puts the numbers in other channels: the list recolours.
    setDialogRunner([](QDialog& dialog) {
        auto* channel = dialog.findChild<QSpinBox*>(QStringLiteral("edChannelSize"));
        EXPECT_NE(channel, nullptr);
        if (!channel)
            return int(QDialog::Rejected);
        channel->setValue(20);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("EditConfig")));
    EXPECT_EQ(w->workspace().statList().Config.ChannelSize, 20);
    EXPECT_TRUE(m_dir.read(QStringLiteral("Zircon_5x69.ini")).contains("ChannelSize=20"));
    const TRgb now = ChannelColour(m_fixture.drawAtRow(row).nums[0], 20);
    EXPECT_EQ(background(*w, row, 1), QColor(now.r, now.g, now.b));

    // Cancel changes nothing.
    setDialogRunner([](QDialog& dialog) {
        if (auto* channel = dialog.findChild<QSpinBox*>(QStringLiteral("edChannelSize")))
            channel->setValue(30);
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("EditConfig")));
    EXPECT_EQ(w->workspace().statList().Config.ChannelSize, 20);
}

}  // namespace
}  // namespace zircon
