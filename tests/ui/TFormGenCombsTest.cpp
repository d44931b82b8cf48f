#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/FileDialogs.h"
#include "ui/TFormGenCombs.h"

namespace zircon {
namespace {

class TFormGenCombsTest : public ::testing::Test {
protected:
    void TearDown() override { setFileDialogAnswerer({}); }
};

TEST_F(TFormGenCombsTest, CaptionsAndHints)
{
    TFormGenCombs d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Создание нового списка комбинаций"));
    const QStringList modes{QStringLiteral("Полный список (все возможные для данного лото варианты)"),
                            QStringLiteral("Мои числа - должно присутствовать любое из указанных"),
                            QStringLiteral("Мои числа - комбинации только из списка указанных"),
                            QStringLiteral("Мои числа - исключить комбинации с любым из указанных"),
                            QStringLiteral("Загрузить список из заранее подготовленного CSV-файла")};
    ASSERT_EQ(d.modeBox()->count(), modes.size());
    for (int i = 0; i < modes.size(); ++i)
        EXPECT_EQ(d.modeBox()->itemText(i), modes[i]) << i;
    EXPECT_EQ(d.parameterEdit()->toolTip(),
              QStringLiteral("Список \"моих чисел\" через точку с запятой или имя файла для режима \"Загрузка из файла\""));
    EXPECT_EQ(d.fileButton()->text(), QStringLiteral("..."));
    EXPECT_EQ(d.fileButton()->toolTip(), QStringLiteral("Выбор файла"));
    EXPECT_EQ(d.defaultBox()->text(), QStringLiteral("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""));
    EXPECT_EQ(d.okButton()->toolTip(), QStringLiteral("Создать список возможных комбинаций"));
}

TEST_F(TFormGenCombsTest, FieldsFollowTheMode)
{
    TFormGenCombs d;
    struct Case {
        int mode;
        bool text;
        bool file;
    };
    const Case cases[] = {{0, false, false}, {1, true, false}, {2, true, false}, {3, true, false}, {4, true, true}};
    for (const Case& c : cases) {
        d.modeBox()->setCurrentIndex(c.mode);
        EXPECT_EQ(d.mode(), c.mode);
        EXPECT_EQ(d.parameterEdit()->isEnabled(), c.text) << c.mode;
        EXPECT_EQ(d.fileButton()->isEnabled(), c.file) << c.mode;
    }
}

TEST_F(TFormGenCombsTest, OpensOnTheStoredSettingsWithTheBoxUnticked)
{
    TFormGenCombs d;
    d.defaultBox()->setChecked(true);
    d.setSettings(2, QStringLiteral("1;2;3;4;5;6"));
    EXPECT_EQ(d.modeBox()->currentIndex(), 2);
    EXPECT_EQ(d.parameter(), QStringLiteral("1;2;3;4;5;6"));
    EXPECT_FALSE(d.storeAsDefault());
    EXPECT_TRUE(d.parameterEdit()->isEnabled());
    EXPECT_FALSE(d.fileButton()->isEnabled());

    // A mode byte from elsewhere generates the full set, and shows as it.
    d.setSettings(9, QString());
    EXPECT_EQ(d.mode(), 0);
    EXPECT_FALSE(d.parameterEdit()->isEnabled());
}

TEST_F(TFormGenCombsTest, FileButtonAsksForACombinationFile)
{
    std::vector<FileDialogRequest> requests;
    QString answer = QStringLiteral("/data/my.lcv");
    setFileDialogAnswerer([&](const FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    });
    TFormGenCombs d;
    d.setSettings(4, QStringLiteral("old.lcv"));
    d.fileButton()->click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].filter, QStringLiteral("Файлы комбинаций (*.lcv)"));
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("lcv"));
    EXPECT_EQ(d.parameter(), QStringLiteral("/data/my.lcv"));

    answer.clear();  // cancelled: the field keeps its text
    d.fileButton()->click();
    EXPECT_EQ(d.parameter(), QStringLiteral("/data/my.lcv"));
}

}  // namespace
}  // namespace zircon
