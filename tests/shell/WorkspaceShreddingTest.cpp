// Taking the shredding dialog's result: the registry's six fields, the
// "SHREDDING" section of the settings file, the prefetch files of the
// shredding group and the rebuilt registry.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <vector>

#include "core/IniStore.h"
#include "shell/BusyState.h"
#include "shell/Workspace.h"
#include "stats/Prefetch.h"
#include "stats/families/Shredding.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

using namespace zircon;
using zircon::test::TempDir;

namespace {

// Remembers every status text and the status shown when a message appeared.
class StatusHost : public test::FakeHost {
public:
    void setStatusText(int panel, const QString& text) override
    {
        FakeHost::setStatusText(panel, text);
        if (panel == kProgressPanel && !text.isEmpty())
            statusTexts.append(text);
    }
    bool showMessage(MessageKind kind, const QString& text, bool defaultNo) override
    {
        statusAtMessage.append(panels[kProgressPanel]);
        return FakeHost::showMessage(kind, text, defaultNo);
    }

    QStringList statusTexts;
    QStringList statusAtMessage;
};

class WorkspaceShreddingTest : public ::testing::Test {
protected:
    WorkspaceShreddingTest() : ws(dir.path(), host)
    {
        // The shredding methods alone, so that a prefetch pass builds no
        // file of another family.
        ws.statList().setRegistrationTable({&TstShreddingStat::Class});
        ws.rebuildRegistry();
    }

    QString prefetchPath(const char* code) const
    {
        return ws.paths().prefetchFile(QString::fromLatin1(code));
    }

    static ShreddingSettings sample()
    {
        ShreddingSettings s;
        s.formulas = {QStringLiteral("n1/7"), QStringLiteral("n1*p1"), QStringLiteral("(t1 + n2")};
        s.digits = {1, 5, 3};
        return s;
    }

    TempDir dir;
    StatusHost host;
    Workspace ws;
};

}  // namespace

TEST_F(WorkspaceShreddingTest, SettingsShowTheRegistryValues)
{
    const ShreddingSettings s = ws.shreddingSettings();
    EXPECT_EQ(s.formulas[0], QStringLiteral("(n1+n2+n3)/(n4+n5)"));
    EXPECT_EQ(s.formulas[1], QStringLiteral("(n4+n5)/(n1+n2+n3)"));
    EXPECT_EQ(s.formulas[2], QStringLiteral("(n1+n2)/(n3+n4+n5)"));
    EXPECT_EQ(s.digits, (std::array<int, 3>{2, 2, 2}));
    ws.statList().Formula3Digits = 4;
    EXPECT_EQ(ws.shreddingSettings().digits[2], 4);
}

TEST_F(WorkspaceShreddingTest, TakesSavesAndRebuildsTheRegistry)
{
    TStatList& list = ws.statList();
    list.Items(list.FindCode(QStringLiteral("SHR2"))).Alias = QStringLiteral("Моя %s");
    EXPECT_TRUE(ws.applyShredding(sample()));
    EXPECT_TRUE(host.messages.empty());

    // The registry's fields, as typed (no validation of the formulas).
    EXPECT_EQ(list.Formula1, QStringLiteral("n1/7"));
    EXPECT_EQ(list.Formula2, QStringLiteral("n1*p1"));
    EXPECT_EQ(list.Formula3, QStringLiteral("(t1 + n2"));
    EXPECT_EQ(list.Formula1Digits, 1);
    EXPECT_EQ(list.Formula2Digits, 5);
    EXPECT_EQ(list.Formula3Digits, 3);

    // The settings file's section.
    const IniStore ini(ws.paths().ini);
    const QString section = QStringLiteral("SHREDDING");
    EXPECT_EQ(ini.readString(section, QStringLiteral("Formula1")), QStringLiteral("n1/7"));
    EXPECT_EQ(ini.readString(section, QStringLiteral("Formula2")), QStringLiteral("n1*p1"));
    EXPECT_EQ(ini.readString(section, QStringLiteral("Formula3")), QStringLiteral("(t1 + n2"));
    EXPECT_EQ(ini.readInt(section, QStringLiteral("Formula1Digits"), 0), 1);
    EXPECT_EQ(ini.readInt(section, QStringLiteral("Formula2Digits"), 0), 5);
    EXPECT_EQ(ini.readInt(section, QStringLiteral("Formula3Digits"), 0), 3);
    EXPECT_TRUE(host.statusTexts.contains(QStringLiteral("Сохранение файла конфигурации...")));

    // The rebuilt registry names the new formulas and keeps the captions;
    // new instances use the new formulas.
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.DisplayName(0, false), QStringLiteral("{ shr } Метод шинковки 1: n1/7"));
    EXPECT_EQ(list.DisplayName(1, false), QStringLiteral("{ shr } Моя n1*p1"));
    EXPECT_EQ(list.DisplayName(2, false), QStringLiteral("{ shr } Метод шинковки 3: (t1 + n2"));
    const std::unique_ptr<TCustomStat> stat = list.CreateStat(0);
    auto* shr = dynamic_cast<TstShreddingStat*>(stat.get());
    ASSERT_NE(shr, nullptr);
    EXPECT_EQ(shr->Formula, QStringLiteral("n1/7"));
    EXPECT_EQ(shr->Digits, 1);
    EXPECT_FALSE(list.HasNorm(1));

    // Loaded again, the settings give the same values.
    Workspace again(dir.path(), host);
    ASSERT_TRUE(again.loadEngineSettings());
    EXPECT_EQ(again.shreddingSettings().formulas, sample().formulas);
    EXPECT_EQ(again.shreddingSettings().digits, sample().digits);
}

TEST_F(WorkspaceShreddingTest, AFailedSaveIsShownAndTheValuesStay)
{
    // A folder where the settings file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QFileInfo(ws.paths().ini).fileName()));
    EXPECT_FALSE(ws.applyShredding(sample()));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(host.messages[0].text.startsWith(QStringLiteral("Ошибка записи в файл конфигурации!\r\r")))
        << host.messages[0].text.toStdString();
    EXPECT_GT(host.messages[0].text.size(), QStringLiteral("Ошибка записи в файл конфигурации!\r\r").size());
    EXPECT_EQ(host.statusAtMessage[0], QStringLiteral("Сохранение файла конфигурации..."));
    EXPECT_EQ(ws.statList().Formula1, QStringLiteral("n1/7"));
    EXPECT_EQ(ws.statList().Formula2Digits, 5);
    EXPECT_EQ(ws.statList().DisplayName(0, false), QStringLiteral("{ shr } Метод шинковки 1: n1/7"));
    EXPECT_FALSE(ws.busy());
}

// With prefetching on, the files of the group are built again under the new
// formulas; an item without a norm gets none.
TEST_F(WorkspaceShreddingTest, RebuildsThePrefetchFilesOfTheGroup)
{
    // A plausible file left from the old formula.
    PrefetchSource old;
    old.records = {{shreddingKey(43), 5}};
    old.minCount = 5;
    old.maxCount = 5;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(prefetchPath("SHR1")).absolutePath()));
    {
        QFile f(prefetchPath("SHR1"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodePrefetch(old));
    }
    ShreddingSettings s = sample();
    s.formulas[2] = QStringLiteral("t1/3");
    ws.setPrefetchsEnabled(true);
    EXPECT_TRUE(ws.applyShredding(s));
    EXPECT_TRUE(host.messages.empty());

    // n1/7 with one digit: k/7 for k = 1..6 gives 1, 2, 4, 5, 7, 8; whole
    // multiples of 7 give 0.
    const std::optional<PrefetchSource> file = readPrefetchFile(prefetchPath("SHR1"));
    ASSERT_TRUE(file);
    std::vector<int> values;
    int64_t total = 0;
    for (const PrefetchRecord& r : file->records) {
        values.push_back(shreddingKeyValue(r.key));
        total += r.count;
    }
    EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(total, 11238513);
    EXPECT_FALSE(QFileInfo::exists(prefetchPath("SHR2")));
    EXPECT_FALSE(QFileInfo::exists(prefetchPath("SHR3")));
}

TEST_F(WorkspaceShreddingTest, NoPrefetchFilesWhileTheyAreOff)
{
    PrefetchSource old;
    old.records = {{shreddingKey(43), 5}};
    old.minCount = 5;
    old.maxCount = 5;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(prefetchPath("SHR1")).absolutePath()));
    {
        QFile f(prefetchPath("SHR1"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodePrefetch(old));
    }
    ws.setPrefetchsEnabled(false);
    EXPECT_TRUE(ws.applyShredding(sample()));
    EXPECT_EQ(readPrefetchFile(prefetchPath("SHR1")), old);
    EXPECT_FALSE(QFileInfo::exists(prefetchPath("SHR3")));
    EXPECT_TRUE(host.progressUpdates.empty());
}
