#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>

#include "support/FakeHost.h"
#include "ui/TFormDraw.h"

namespace zircon {
namespace {

struct EntryCase {
    const char* text;
    bool accepted;
    std::array<uint8_t, 5> nums;  // when accepted
    uint8_t extra;
};

const EntryCase kEntryCases[] = {
    {"5;12;33;41;69;26", true, {5, 12, 33, 41, 69}, 26},
    {"5,12,33,41,69,26", true, {5, 12, 33, 41, 69}, 26},
    {"69;1;33;;41,,5;26", true, {69, 1, 33, 41, 5}, 26},  // runs of separators count once, order kept
    {"5;12;33;41;5;3", false, {}, 0},                     // a repeated main number
    {"0;12;33;41;69;3", false, {}, 0},                    // 0 is no number of the game
    {"5;12;33;41;69;27", false, {}, 0},                   // the extra number runs to 26
    {"5;12;33;41;69;26;7", false, {}, 0},                 // seven numbers
    {"5;12;33;41;69", false, {}, 0},                      // five numbers
    {"5;12;33;41;70;1", false, {}, 0},                    // a main number above 69
    {"", false, {}, 0},
};

TEST(TFormDraw, ValidationTable)
{
    for (const auto& c : kEntryCases) {
        test::FakeHost host;
        TFormDraw dialog(host);
        TDraw start;
        start.number = 1241;
        start.setDate("02/15/2024");
        dialog.setDraw(start);
        dialog.numbersEdit()->setText(QString::fromUtf8(c.text));
        const bool ok = dialog.tryAccept();
        EXPECT_EQ(ok, c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_TRUE(host.messages.empty()) << c.text;
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.text;
            const TDraw d = dialog.draw();
            EXPECT_EQ(d.nums, c.nums) << c.text;
            EXPECT_EQ(d.extra, c.extra) << c.text;
            EXPECT_EQ(d.number, 1241);
            EXPECT_EQ(d.date(), "02/15/2024");
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << c.text;
            EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
            EXPECT_EQ(host.messages[0].text, QStringLiteral("Введена некорректная комбинация!"));
            EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open: " << c.text;
        }
    }
}

TEST(TFormDraw, RefusedTextKeepsTheDialogOpenOnTheNumbersField)
{
    test::FakeHost host;
    TFormDraw dialog(host);
    TDraw d;
    d.number = 3;
    dialog.setDraw(d);
    dialog.show();
    QCoreApplication::processEvents();
    dialog.numberEdit()->setFocus();
    dialog.numbersEdit()->setText(QStringLiteral("1;1;2;3;4;5"));
    EXPECT_FALSE(dialog.tryAccept());
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.numbersEdit());
    // The OK button goes the same way.
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(host.messages.size(), 2u);
    dialog.numbersEdit()->setText(QStringLiteral("1;7;2;3;4;5"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(TFormDraw, FillsTheFieldsFromTheRecord)
{
    test::FakeHost host;
    TFormDraw dialog(host);
    TDraw d;
    d.number = 77;
    d.nums = {9, 8, 7, 6, 5};
    d.extra = 4;
    d.setDate("12/31/2023");
    dialog.setDraw(d);
    EXPECT_EQ(dialog.numberEdit()->value(), 77);
    EXPECT_EQ(dialog.numbersEdit()->text(), QStringLiteral("9;8;7;6;5;4"));
    EXPECT_EQ(dialog.dateEdit()->date(), QDate(2023, 12, 31));
    EXPECT_EQ(dialog.numberEdit()->minimum(), 1);
    EXPECT_EQ(dialog.numberEdit()->maximum(), 2147483647);

    // A new record has no numbers: the field starts empty, not "0;0;0;0;0;0".
    TDraw fresh;
    fresh.number = 1242;
    dialog.setDraw(fresh);
    EXPECT_EQ(dialog.numbersEdit()->text(), QString());
    EXPECT_EQ(dialog.dateEdit()->date(), QDate::currentDate());
}

TEST(TFormDraw, DatesThatDoNotReadOpenOnToday)
{
    for (const char* date : {"02/30/2020", "13/01/2020", "garbage", ""}) {
        test::FakeHost host;
        TFormDraw dialog(host);
        TDraw d;
        d.number = 5;
        d.nums = {1, 2, 3, 4, 5};
        d.extra = 6;
        d.setDate(date);
        dialog.setDraw(d);
        EXPECT_EQ(dialog.dateEdit()->date(), QDate::currentDate()) << date;
        ASSERT_TRUE(dialog.tryAccept()) << date;
        // What is stored is a real date again.
        EXPECT_EQ(dialog.draw().date(), QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")).toStdString());
    }
}

TEST(TFormDraw, ResultTakesTheEditedNumberAndDate)
{
    test::FakeHost host;
    TFormDraw dialog(host);
    TDraw d;
    d.number = 10;
    dialog.setDraw(d);
    dialog.numberEdit()->setValue(12345);
    dialog.dateEdit()->setDate(QDate(2024, 3, 9));
    dialog.numbersEdit()->setText(QStringLiteral("1;2;3;4;5;6"));
    ASSERT_TRUE(dialog.tryAccept());
    EXPECT_EQ(dialog.draw().number, 12345);
    EXPECT_EQ(dialog.draw().date(), "03/09/2024");
}

}  // namespace
}  // namespace zircon
