#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>

#include <array>
#include <set>

#include "core/DrawArchive.h"
#include "core/IniFile.h"
#include "core/Lottery.h"
#include "core/NumberText.h"
#include "shell/CombCommands.h"
#include "shell/Workspace.h"
#include "support/OfflineStart.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/AppliedFiltersModel.h"
#include "ui/CombsListView.h"
#include "ui/CombsModel.h"
#include "ui/CombsTab.h"
#include "ui/DialogRunner.h"
#include "ui/FileDialogs.h"
#include "ui/QtHost.h"
#include "ui/TFormGenCombs.h"
#include "ui/TFormMain.h"

namespace zircon {
namespace {

constexpr int kFixtureDraws = 1241;
constexpr int kAnyOfOne = 814385;  // C(69,5) - C(68,5): the combinations that hold 1

struct Shown {
    MessageKind kind;
    QString text;
};

// The main window on its own data directory with the fixture archive; the
// user's part is played by the test through the message, dialog and file
// seams.
class CombsCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::keepStartOffline(m_dir);
        const QString ldr = m_dir.file(QStringLiteral("Zircon_5x69.ldr"));
        ASSERT_TRUE(QFile::copy(test::testDataPath("Zircon_5x69.ldr"), ldr));
        QFile::setPermissions(ldr, QFile::ReadOwner | QFile::WriteOwner);
        m_fixture.load(ldr);
        ASSERT_EQ(m_fixture.count(), kFixtureDraws);
    }
    void TearDown() override
    {
        setDialogRunner({});
        setFileDialogAnswerer({});
        QGuiApplication::clipboard()->clear();
    }

    std::unique_ptr<TFormMain> open()
    {
        TFormMain::StartOptions options;
        options.dataDir = m_dir.path();
        auto w = std::make_unique<TFormMain>(options);
        w->host().setAnswerer([this](MessageKind k, const QString& t, bool) {
            m_shown.push_back({k, t});
            return !isQuestion(k);
        });
        w->setProgramEnder([] {});
        w->runStartupNow();
        QCoreApplication::processEvents();
        return w;
    }

    static CombsTab& tab(TFormMain& w) { return *w.combsTab(); }
    static const CombList& list(TFormMain& w) { return w.workspace().combs().list(); }
    static int rows(TFormMain& w) { return tab(w).model()->rowCount(); }
    static QString cell(TFormMain& w, int row, int column)
    {
        return tab(w).model()->index(row, column).data().toString();
    }
    static QString rowText(TFormMain& w, int row)
    {
        QStringList nums;
        for (int c = CombsModel::ColN1; c <= CombsModel::ColN5; ++c)
            nums << cell(w, row, c);
        return nums.join(u';');
    }
    static void select(TFormMain& w, std::initializer_list<int> selected)
    {
        CombsListView* view = tab(w).list();
        QItemSelection selection;
        for (int r : selected)
            selection.select(view->model()->index(r, 0), view->model()->index(r, CombsModel::ColumnCount - 1));
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        w.updateCommandStates();
    }
    static bool enabled(TFormMain& w, const char* name)
    {
        w.updateCommandStates();
        return w.actions().action(QString::fromLatin1(name))->isEnabled();
    }
    static bool trigger(TFormMain& w, const char* name) { return w.actions().trigger(QString::fromLatin1(name)); }
    static QString filterCell(TFormMain& w, int row, int column)
    {
        return tab(w).filtersModel()->index(row, column).data().toString();
    }
    // Generates through the dialog as the user would.
    void generate(TFormMain& w, int mode, const QString& parameter, bool storeAsDefault = false)
    {
        setDialogRunner([&](QDialog& dialog) {
            auto& d = static_cast<TFormGenCombs&>(dialog);
            d.modeBox()->setCurrentIndex(mode);
            d.parameterEdit()->setText(parameter);
            d.defaultBox()->setChecked(storeAsDefault);
            return int(QDialog::Accepted);
        });
        ASSERT_TRUE(trigger(w, "CombsGen"));
        setDialogRunner({});
    }
    IniFile settingsFile() const { return IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.ini"))); }
    IniFile formStateFile() const { return IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm"))); }

    test::TempDir m_dir;
    DrawArchive m_fixture;
    std::vector<Shown> m_shown;
};

TEST_F(CombsCommandsTest, StartsOnTheFullSet)
{
    auto w = open();
    EXPECT_TRUE(w->startupDone());
    EXPECT_TRUE(m_shown.empty()) << (m_shown.empty() ? "" : m_shown[0].text.toStdString());
    ASSERT_NE(w->combsTab(), nullptr);
    EXPECT_EQ(w->leftPages()->indexOf(w->combsTab()), 1);
    EXPECT_EQ(w->leftPages()->tabText(1), QStringLiteral("Комбинации"));
    EXPECT_EQ(list(*w).capacity(), static_cast<size_t>(kFullSetSize)) << "room for the full set";
    EXPECT_EQ(rows(*w), kFullSetSize);
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 11238513"));
    EXPECT_EQ(rowText(*w, 0), QStringLiteral("1;2;3;4;5"));
    EXPECT_EQ(cell(*w, kFullSetSize - 1, CombsModel::ColIndex), QStringLiteral("11238513"));
    EXPECT_EQ(tab(*w).filtersModel()->rowCount(), 0);
    EXPECT_FALSE(enabled(*w, "CombsUndo")) << "generation leaves nothing to undo";
    EXPECT_TRUE(enabled(*w, "CombsSave"));
    EXPECT_FALSE(enabled(*w, "CombsDelSelected")) << "nothing selected";
    EXPECT_FALSE(enabled(*w, "CombsFindInDraws"));
    EXPECT_FALSE(enabled(*w, "CombsDelExists")) << "edCombsExclude is 0";
    EXPECT_TRUE(tab(*w).generateButton()->isEnabled());
    EXPECT_FALSE(tab(*w).delExistsButton()->isEnabled()) << "the button follows its command";
}

TEST_F(CombsCommandsTest, CommandsCarryTheirCaptionsAndShortcutsInMenuAndPopup)
{
    auto w = open();
    struct Case {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    };
    const Case cases[] = {
        {"CombsGen", "Генерировать", QKeySequence(Qt::Key_F2)},
        {"CombsOpen", "Открыть", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"CombsSave", "Сохранить", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"CombsUndo", "Отменить", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"CombsDelExists", "Исключить тиражи", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"CombsDelSelected", "Удалить выделенные", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"CombsCopy", "Копировать в буфер", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"CombsPaste", "Вставить из буфера", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"CombsSelectAll", "Выделить все", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"CombsCheckNums", "Количество уникальных номеров", QKeySequence()},
        {"CombsFindInDraws", "Проверить по архиву тиражей", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"ViewColorCombs", "Выделять каналы в списке комбинаций", QKeySequence()},
    };
    auto* menu = w->menuBar()->findChild<QMenu*>(QStringLiteral("mnCombs"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Комбинации"));
    QStringList inMenu;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            inMenu << a->objectName();
    QStringList inPopup;
    for (QAction* a : tab(*w).list()->actions())
        if (!a->isSeparator())
            inPopup << a->objectName();
    QStringList expected;
    for (const Case& c : cases) {
        expected << QString::fromLatin1(c.name);
        QAction* a = w->actions().action(QString::fromLatin1(c.name));
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(a->shortcut(), c.shortcut) << c.name;
        EXPECT_EQ(a->isCheckable(), std::string(c.name) == "ViewColorCombs") << c.name;
    }
    EXPECT_EQ(inMenu, expected);
    EXPECT_EQ(inPopup, expected);
    EXPECT_EQ(tab(*w).generateButton()->text(), QStringLiteral("Новый"));
    EXPECT_EQ(tab(*w).delExistsButton()->text(), QStringLiteral("[-] Тиражи"));
    EXPECT_EQ(tab(*w).excludeEdit()->toolTip(),
              QStringLiteral("Исключить указанное количество последних тиражей из списка комбинаций"));
    EXPECT_EQ(tab(*w).excludeEdit()->maximum(), 2147483647);
    EXPECT_EQ(tab(*w).excludeEdit()->minimum(), 0);
}

TEST_F(CombsCommandsTest, GenerationDialogBuildsTheListAndStoresTheDefaultsOnlyWhenAsked)
{
    auto w = open();
    int opened = 0;
    setDialogRunner([&](QDialog& dialog) {
        auto& d = static_cast<TFormGenCombs&>(dialog);
        ++opened;
        EXPECT_EQ(d.mode(), 0) << "the stored settings";
        EXPECT_FALSE(d.storeAsDefault());
        d.modeBox()->setCurrentIndex(1);
        d.parameterEdit()->setText(QStringLiteral("1"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(trigger(*w, "CombsGen"));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(rows(*w), kAnyOfOne);
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 814385"));
    EXPECT_FALSE(enabled(*w, "CombsUndo"));
    EXPECT_FALSE(settingsFile().hasKey(u"GLOBAL", u"CombsGenerateMode")) << "the box was not ticked";
    EXPECT_EQ(w->workspace().statList().GenerateMode, 0);

    // Cancel changes nothing.
    setDialogRunner([](QDialog& dialog) {
        static_cast<TFormGenCombs&>(dialog).modeBox()->setCurrentIndex(0);
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(trigger(*w, "CombsGen"));
    EXPECT_EQ(rows(*w), kAnyOfOne);

    generate(*w, 2, QStringLiteral("1;2;3;4;5;6"), true);
    EXPECT_EQ(rows(*w), 6);
    EXPECT_EQ(rowText(*w, 5), QStringLiteral("2;3;4;5;6"));
    const IniFile ini = settingsFile();
    EXPECT_EQ(ini.readString(u"GLOBAL", u"CombsGenerateMode"), QStringLiteral("2"));
    EXPECT_EQ(ini.readString(u"GLOBAL", u"CombsGenerateParameters"), QStringLiteral("1;2;3;4;5;6"));

    // The next dialog opens on them, with the box unticked again.
    setDialogRunner([&](QDialog& dialog) {
        auto& d = static_cast<TFormGenCombs&>(dialog);
        EXPECT_EQ(d.mode(), 2);
        EXPECT_EQ(d.parameter(), QStringLiteral("1;2;3;4;5;6"));
        EXPECT_FALSE(d.storeAsDefault());
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(trigger(*w, "CombsGen"));
    w.reset();

    // And the next start generates its first list from them.
    auto again = open();
    EXPECT_EQ(rows(*again), 6);
    EXPECT_EQ(again->host().statusText(3), QStringLiteral("Комбинаций: 6"));
}

TEST_F(CombsCommandsTest, SaveAndOpenThroughTheFileSeam)
{
    auto w = open();
    generate(*w, 2, QStringLiteral("1;2;3;4;5;6"));
    std::vector<FileDialogRequest> requests;
    QString answer = m_dir.file(QStringLiteral("six"));
    setFileDialogAnswerer([&](const FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    });
    ASSERT_TRUE(trigger(*w, "CombsSave"));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].filter, QStringLiteral("Файлы комбинаций (*.lcv)"));
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("lcv"));
    const QByteArray saved = m_dir.read(QStringLiteral("six.lcv"));
    EXPECT_TRUE(saved.startsWith("1;2;3;4;5\r\n1;2;3;4;6\r\n")) << saved.constData();
    EXPECT_EQ(saved.count("\r\n"), 6);

    generate(*w, 0, QString());
    ASSERT_EQ(rows(*w), kFullSetSize);
    answer = m_dir.file(QStringLiteral("six.lcv"));
    ASSERT_TRUE(trigger(*w, "CombsOpen"));
    EXPECT_FALSE(requests.back().save);
    EXPECT_EQ(requests.back().filter, QStringLiteral("Файлы комбинаций (*.lcv)"));
    EXPECT_EQ(rows(*w), 6);
    EXPECT_EQ(rowText(*w, 0), QStringLiteral("1;2;3;4;5"));
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 6"));
    EXPECT_FALSE(enabled(*w, "CombsUndo")) << "opening leaves nothing to undo";
    EXPECT_TRUE(m_shown.empty());

    // A line that is no combination of five different numbers is refused and
    // the user is told; the good lines are read.
    m_dir.write(QStringLiteral("bad.lcv"), "7;8;9;10;11\r\n7;7;9;10;11\r\n12;13;14;15;16\r\n");
    answer = m_dir.file(QStringLiteral("bad.lcv"));
    ASSERT_TRUE(trigger(*w, "CombsOpen"));
    EXPECT_EQ(rows(*w), 2);
    EXPECT_EQ(rowText(*w, 1), QStringLiteral("12;13;14;15;16"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m_shown[0].text.contains(QStringLiteral("7;7;9;10;11"))) << m_shown[0].text.toStdString();
    EXPECT_TRUE(m_shown[0].text.contains(QStringLiteral(": 1."))) << "one line refused";

    // A file that cannot be read leaves the list as it was.
    m_shown.clear();
    answer = m_dir.file(QStringLiteral("missing.lcv"));
    ASSERT_TRUE(trigger(*w, "CombsOpen"));
    EXPECT_EQ(rows(*w), 2);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(m_shown[0].text.startsWith(QStringLiteral("Ошибка чтения файла \"") + answer + QStringLiteral("\"!\r\r")));

    // Cancelled dialogs do nothing.
    m_shown.clear();
    answer.clear();
    ASSERT_TRUE(trigger(*w, "CombsOpen"));
    ASSERT_TRUE(trigger(*w, "CombsSave"));
    EXPECT_EQ(rows(*w), 2);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(CombsCommandsTest, DeleteSelectedThenUndoBringsTheRowsBack)
{
    auto w = open();
    select(*w, {0, 2, 5});
    EXPECT_TRUE(enabled(*w, "CombsDelSelected"));
    const QString row1 = rowText(*w, 1);
    const QString row3 = rowText(*w, 3);
    ASSERT_TRUE(trigger(*w, "CombsDelSelected"));
    EXPECT_EQ(rows(*w), kFullSetSize - 3);
    EXPECT_EQ(rowText(*w, 0), row1);
    EXPECT_EQ(rowText(*w, 1), row3);
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 11238510"));
    EXPECT_FALSE(tab(*w).hasSelection()) << "the selection is cleared";
    ASSERT_EQ(tab(*w).filtersModel()->rowCount(), 1);
    EXPECT_EQ(filterCell(*w, 0, 0), QStringLiteral("Выделенные комбинации"));
    EXPECT_EQ(filterCell(*w, 0, 1), QStringLiteral("3"));
    EXPECT_EQ(filterCell(*w, 0, 2), QStringLiteral("11238510"));
    EXPECT_EQ(tab(*w).filtersModel()->index(0, 0).data(AppliedFiltersModel::MarkRole).toInt(),
              static_cast<int>(FilterMark::Delete));

    EXPECT_TRUE(enabled(*w, "CombsUndo"));
    ASSERT_TRUE(trigger(*w, "CombsUndo"));
    EXPECT_EQ(rows(*w), kFullSetSize);
    EXPECT_EQ(rowText(*w, 0), QStringLiteral("1;2;3;4;5"));
    EXPECT_EQ(rowText(*w, 1), row1);
    EXPECT_EQ(tab(*w).filtersModel()->rowCount(), 0) << "its row went with it";
    EXPECT_FALSE(enabled(*w, "CombsUndo")) << "one step only";
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 11238513"));
}

TEST_F(CombsCommandsTest, ExcludeTheNewestDrawsByEnterAndByTheButton)
{
    auto w = open();
    QSpinBox* exclude = tab(*w).excludeEdit();
    exclude->setValue(10);
    EXPECT_TRUE(enabled(*w, "CombsDelExists"));
    EXPECT_TRUE(tab(*w).delExistsButton()->isEnabled());

    // The ten newest draws as combinations, each once, independently of the list code.
    std::set<std::array<uint8_t, 5>> drawn;
    for (int row = 0; row < 10; ++row) {
        std::array<uint8_t, 5> nums = m_fixture.drawAtRow(row).nums;
        std::sort(nums.begin(), nums.end());
        drawn.insert(nums);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(exclude, &enter);
    EXPECT_EQ(rows(*w), kFullSetSize - static_cast<int>(drawn.size()));
    ASSERT_EQ(tab(*w).filtersModel()->rowCount(), 1);
    EXPECT_EQ(filterCell(*w, 0, 0), QStringLiteral("Последние тиражи"));
    EXPECT_EQ(filterCell(*w, 0, 1), QStringLiteral("10"));
    EXPECT_EQ(filterCell(*w, 0, 2), QString::number(kFullSetSize - static_cast<int>(drawn.size())));
    EXPECT_TRUE(enabled(*w, "CombsUndo"));

    // The button runs the same command; nothing more to remove.
    tab(*w).delExistsButton()->click();
    EXPECT_EQ(rows(*w), kFullSetSize - static_cast<int>(drawn.size()));
    EXPECT_EQ(tab(*w).filtersModel()->rowCount(), 2);

    // With 0 the command is off, and Enter does nothing.
    exclude->setValue(0);
    EXPECT_FALSE(enabled(*w, "CombsDelExists"));
    QApplication::sendEvent(exclude, &enter);
    EXPECT_EQ(tab(*w).filtersModel()->rowCount(), 2);
}

TEST_F(CombsCommandsTest, CopyAndPasteRoundTripThroughTheClipboard)
{
    auto w = open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    EXPECT_FALSE(enabled(*w, "CombsPaste")) << "no text on the clipboard";

    select(*w, {0, 1, 69});
    const QString third = rowText(*w, 69);
    ASSERT_TRUE(trigger(*w, "CombsCopy"));
    const QString copied = clipboard->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("01 02 03 04 05\n01 02 03 04 06\n"))) << copied.toStdString();
    EXPECT_EQ(copied.split(u'\n', Qt::SkipEmptyParts).size(), 3);
    EXPECT_TRUE(enabled(*w, "CombsPaste"));

    ASSERT_TRUE(trigger(*w, "CombsPaste"));
    EXPECT_EQ(rows(*w), 3);
    EXPECT_EQ(rowText(*w, 0), QStringLiteral("1;2;3;4;5"));
    EXPECT_EQ(rowText(*w, 2), third);
    EXPECT_EQ(w->host().statusText(3), QStringLiteral("Комбинаций: 3"));
    EXPECT_FALSE(enabled(*w, "CombsUndo")) << "pasting leaves nothing to undo";
    EXPECT_TRUE(m_shown.empty());

    // Select all, copy, paste: the same list again.
    ASSERT_TRUE(trigger(*w, "CombsSelectAll"));
    EXPECT_EQ(tab(*w).selectedRows(), (std::vector<int>{0, 1, 2}));
    ASSERT_TRUE(trigger(*w, "CombsCopy"));
    EXPECT_EQ(clipboard->text(), copied);

    // Text typed elsewhere pastes as well; a line that does not read keeps the list.
    clipboard->setText(QStringLiteral("5 6 7 8 9\r\n1 2 3\r\n"));
    ASSERT_TRUE(trigger(*w, "CombsPaste"));
    EXPECT_EQ(rows(*w), 3);
    EXPECT_EQ(rowText(*w, 2), third);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Error);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Некорректная комбинация: \"1 2 3\"!"));

    clipboard->setText(QStringLiteral("5 6 7 8 9\r\n"));
    ASSERT_TRUE(trigger(*w, "CombsPaste"));
    EXPECT_EQ(rows(*w), 1);
    EXPECT_EQ(rowText(*w, 0), QStringLiteral("5;6;7;8;9"));
}

TEST_F(CombsCommandsTest, UniqueNumbersAndFindInDrawsAnswerInInformationBoxes)
{
    auto w = open();
    ASSERT_TRUE(trigger(*w, "CombsCheckNums"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Information);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("В текущем списке комбинаций содержится 69 уникальных номеров"));

    generate(*w, 2, QStringLiteral("1;2;3;4;5;6"));
    m_shown.clear();
    ASSERT_TRUE(trigger(*w, "CombsCheckNums"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("В текущем списке комбинаций содержится 6 уникальных номеров"));

    // The newest draw, in its drawn order, and a combination of the list the
    // fixture never drew (one of the six of 1..6).
    const TDraw& newest = m_fixture.drawAtRow(0);
    QStringList nums;
    for (uint8_t n : newest.nums)
        nums << QString::number(n);
    QGuiApplication::clipboard()->setText(nums.join(u' ') + QStringLiteral("\n1 2 3 4 5\n"));
    ASSERT_TRUE(trigger(*w, "CombsPaste"));
    ASSERT_EQ(rows(*w), 2);
    int drawnOneToFive = 0;
    for (const TDraw& d : m_fixture.draws()) {
        std::array<uint8_t, 5> s = d.nums;
        std::sort(s.begin(), s.end());
        drawnOneToFive += s == std::array<uint8_t, 5>{1, 2, 3, 4, 5};
    }
    ASSERT_EQ(drawnOneToFive, 0);

    select(*w, {});
    EXPECT_FALSE(enabled(*w, "CombsFindInDraws"));
    select(*w, {0});
    m_shown.clear();
    ASSERT_TRUE(trigger(*w, "CombsFindInDraws"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].kind, MessageKind::Information);
    EXPECT_TRUE(m_shown[0].text.startsWith(QStringLiteral("Выделенная комбинация найдена в следующих тиражах:\r\r")));
    EXPECT_TRUE(m_shown[0].text.contains(QStringLiteral("Тираж № %1 ").arg(newest.number))) << m_shown[0].text.toStdString();

    select(*w, {1});
    m_shown.clear();
    ASSERT_TRUE(trigger(*w, "CombsFindInDraws"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Выделенная комбинация не найдена архиве тиражей!"));
}

TEST_F(CombsCommandsTest, OptionsAndListsAreStoredAndRestored)
{
    {
        auto w = open();
        EXPECT_TRUE(tab(*w).model()->colorCombs());
        EXPECT_TRUE(w->actions().action(QStringLiteral("ViewColorCombs"))->isChecked());
        ASSERT_TRUE(trigger(*w, "ViewColorCombs"));
        EXPECT_FALSE(tab(*w).model()->colorCombs());
        EXPECT_FALSE(w->actions().action(QStringLiteral("ViewColorCombs"))->isChecked());
        EXPECT_EQ(formStateFile().readString(u"TFormMain", u"ColorCombs"), QStringLiteral("0")) << "stored at once";
        EXPECT_EQ(tab(*w).model()->index(0, CombsModel::ColN1).data(Qt::BackgroundRole).value<QColor>(),
                  QColor(Qt::white));

        tab(*w).excludeEdit()->setValue(7);
        tab(*w).setFiltersHeight(90);
        tab(*w).list()->header()->resizeSection(CombsModel::ColSum, 41);
        tab(*w).filtersList()->header()->resizeSection(1, 111);
    }
    const IniFile frm = formStateFile();
    EXPECT_EQ(frm.readString(u"TFormMain", u"DrawsExclude"), QStringLiteral("7"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"FiltersHeight"), QStringLiteral("90"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"lvCombs.Column6"), QStringLiteral("41"));
    EXPECT_EQ(frm.readString(u"TFormMain", u"lvFilters.Column1"), QStringLiteral("111"));
    EXPECT_FALSE(frm.hasKey(u"TFormMain", u"lvCombs.SortType")) << "the list does not sort";

    auto again = open();
    EXPECT_EQ(tab(*again).excludeEdit()->value(), 7);
    EXPECT_EQ(tab(*again).filtersHeight(), 90);
    EXPECT_EQ(tab(*again).list()->header()->sectionSize(CombsModel::ColSum), 41);
    EXPECT_EQ(tab(*again).filtersList()->header()->sectionSize(1), 111);
    EXPECT_FALSE(tab(*again).model()->colorCombs());
    EXPECT_TRUE(enabled(*again, "CombsDelExists")) << "a stored count enables the command";
}

TEST_F(CombsCommandsTest, DoubleClickCallsTheRowHook)
{
    auto w = open();
    w->show();
    w->leftPages()->setCurrentWidget(w->combsTab());
    QApplication::processEvents();
    CombsListView* view = tab(*w).list();
    std::vector<int> activated;
    tab(*w).setRowActivatedHook([&](int row) { activated.push_back(row); });
    const QPoint p = view->visualRect(view->model()->index(2, 1)).center();
    const QPointF global = view->viewport()->mapToGlobal(QPointF(p));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
    QApplication::sendEvent(view->viewport(), &release);
    QApplication::sendEvent(view->viewport(), &dbl);
    QApplication::sendEvent(view->viewport(), &release);
    EXPECT_EQ(activated, std::vector<int>{2});
}

}  // namespace
}  // namespace zircon
