#include <gtest/gtest.h>

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QValidator>

#include "ui/TFormConfig.h"

namespace zircon {
namespace {

TSegmentMap mixedSegments()
{
    TSegmentMap s{};
    for (int n = 1; n <= kMainMax; ++n)
        s[static_cast<size_t>(n - 1)] = static_cast<uint8_t>(n % 9 + 1);
    return s;
}

// A configuration every field of which differs from the defaults and is
// shown exactly by the dialog (two decimals for money, three for weights).
TConfigData sampleConfig()
{
    TConfigData c;
    c.MatrixCols = 7;
    c.ChannelSize = 12;
    c.Cost = 25000;
    c.MaxStake = 7;
    c.Profits = {{0, 0}, {1, 0}, {2, 40000}, {3, 100000}, {4, 1000000}, {5, 10000000000LL}};
    c.Weights = {0.5, -1.25, 2.0, true, false};
    c.Segments = mixedSegments();
    return c;
}

template <class W>
W* child(TFormConfig& d, const char* name)
{
    W* w = d.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

struct Widgets {
    explicit Widgets(TFormConfig& d)
        : cost(child<QLineEdit>(d, "edCost")),
          stakeMaxLen(child<QSpinBox>(d, "edStakeMaxLen")),
          profits(child<QTableWidget>(d, "edProfits")),
          coefCount(child<QLineEdit>(d, "edCoefCount")),
          coefDeviation(child<QLineEdit>(d, "edCoefDeviation")),
          coefLevel(child<QLineEdit>(d, "edCoefLevel")),
          coefPercents(child<QCheckBox>(d, "cbCoefPercents")),
          coefAbs(child<QCheckBox>(d, "cbCoefAbs")),
          matrixCol(child<QSpinBox>(d, "edMatrixCol")),
          matrixRow(child<QSpinBox>(d, "edMatrixRow")),
          segments(child<QTableWidget>(d, "sgSegments")),
          channelSize(child<QSpinBox>(d, "edChannelSize"))
    {
    }
    QLineEdit* cost;
    QSpinBox* stakeMaxLen;
    QTableWidget* profits;
    QLineEdit* coefCount;
    QLineEdit* coefDeviation;
    QLineEdit* coefLevel;
    QCheckBox* coefPercents;
    QCheckBox* coefAbs;
    QSpinBox* matrixCol;
    QSpinBox* matrixRow;
    QTableWidget* segments;
    QSpinBox* channelSize;
};

QString cellText(const QTableWidget* t, int row, int column)
{
    const QTableWidgetItem* item = t->item(row, column);
    return item ? item->text() : QStringLiteral("<no item>");
}

// Opens the cell's editor, types the keys into it and presses Enter, the way
// the user changes a cell; returns the text the editor held when committed.
QString typeIntoCell(QTableWidget* table, int row, int column, const QString& keys)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item)
        return QStringLiteral("<no item>");
    table->editItem(item);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor)
        editor = table->viewport()->findChild<QLineEdit*>();
    if (!editor)
        return QStringLiteral("<no editor>");
    editor->selectAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &del);
    for (QChar ch : keys) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(editor, &press);
    }
    const QString typed = editor->text();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    QCoreApplication::processEvents();
    return typed;
}

QValidator::State check(const QValidator* v, const char* text)
{
    QString t = QString::fromUtf8(text);
    int pos = static_cast<int>(t.size());
    return v ? v->validate(t, pos) : QValidator::Invalid;
}

TEST(TFormConfig, OpensOnTheConfiguration)
{
    const TConfigData c = sampleConfig();
    TFormConfig d(c);
    Widgets w(d);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Параметры системы"));
    EXPECT_EQ(w.cost->text(), QStringLiteral("2.50"));
    EXPECT_EQ(w.stakeMaxLen->value(), 7);
    ASSERT_EQ(w.profits->rowCount(), 6);
    ASSERT_EQ(w.profits->columnCount(), 2);
    EXPECT_EQ(w.profits->horizontalHeaderItem(0)->text(), QStringLiteral("Совпадений"));
    EXPECT_EQ(w.profits->horizontalHeaderItem(1)->text(), QStringLiteral("Сумма выигрыша"));
    const char* values[] = {"0.00", "0.00", "4.00", "10.00", "100.00", "1000000.00"};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(cellText(w.profits, r, 0), QString::number(r));
        EXPECT_EQ(cellText(w.profits, r, 1), QString::fromLatin1(values[r])) << r;
        EXPECT_FALSE(w.profits->item(r, 0)->flags() & Qt::ItemIsEditable) << "row names are fixed";
        EXPECT_TRUE(w.profits->item(r, 1)->flags() & Qt::ItemIsEditable);
    }
    EXPECT_EQ(w.coefCount->text(), QStringLiteral("0.500"));
    EXPECT_EQ(w.coefDeviation->text(), QStringLiteral("-1.250"));
    EXPECT_EQ(w.coefLevel->text(), QStringLiteral("2.000"));
    EXPECT_TRUE(w.coefPercents->isChecked());
    EXPECT_FALSE(w.coefAbs->isChecked());
    EXPECT_EQ(w.coefPercents->text(), QStringLiteral("Использовать значения в %"));
    EXPECT_EQ(w.coefAbs->text(), QStringLiteral("Использовать абсолютные значения"));
    EXPECT_EQ(w.matrixCol->value(), 7);
    EXPECT_EQ(w.matrixRow->value(), 10);
    EXPECT_TRUE(w.matrixRow->isReadOnly());
    EXPECT_EQ(w.channelSize->value(), 12);
    EXPECT_EQ(w.segments->columnCount(), 7);
    EXPECT_EQ(w.segments->rowCount(), 10);
    EXPECT_EQ(cellText(w.segments, 0, 0), QString::number(c.Segments[0]));
    EXPECT_EQ(cellText(w.segments, 9, 5), QString::number(c.Segments[68]));

    // Untouched, the dialog gives back what it was opened on.
    EXPECT_EQ(d.result(), c);
}

TEST(TFormConfig, LabelsAndHiddenExtendedStake)
{
    TFormConfig d(sampleConfig());
    d.show();
    QCoreApplication::processEvents();
    Widgets w(d);
    QStringList shown;
    QLabel* stakeLabel = nullptr;
    for (QLabel* l : d.findChildren<QLabel*>()) {
        if (l->text() == QStringLiteral("Расширенная ставка:"))
            stakeLabel = l;
        else if (l->isVisible())
            shown.append(l->text());
    }
    for (const char* text : {"Стоимость ставки:", "Размеры выигрышей:", "Количество:", "Отклонение:", "Глубина:",
                             "Размер матрицы:", "Сегменты матрицы:", "Размер канала:"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(text))) << text;
    ASSERT_NE(stakeLabel, nullptr);
    EXPECT_FALSE(stakeLabel->isVisible());
    EXPECT_FALSE(w.stakeMaxLen->isVisible());
    // The hidden value passes through untouched even when it is outside what
    // the field could show.
    TConfigData odd = sampleConfig();
    odd.MaxStake = 42;
    TFormConfig d2(odd);
    EXPECT_EQ(d2.result().MaxStake, 42);
}

TEST(TFormConfig, LimitsOfTheSpinFields)
{
    TConfigData c = sampleConfig();
    c.ChannelSize = 2;  // below what the dialog offers
    c.MatrixCols = 0;
    TFormConfig d(c);
    Widgets w(d);
    EXPECT_EQ(w.matrixCol->minimum(), 1);
    EXPECT_EQ(w.matrixCol->maximum(), 69);
    EXPECT_EQ(w.channelSize->minimum(), 4);
    EXPECT_EQ(w.channelSize->maximum(), 69);
    EXPECT_EQ(w.channelSize->value(), 4);
    EXPECT_EQ(w.matrixCol->value(), 1);
    EXPECT_EQ(w.matrixRow->value(), 69);
    const TConfigData r = d.result();
    EXPECT_EQ(r.ChannelSize, 4);
    EXPECT_EQ(r.MatrixCols, 1);
    // So the prefetch files of both groups are rebuilt for what the dialog gave.
    EXPECT_EQ(staleGroups(c, r), (std::set<int>{3, 4}));
}

TEST(TFormConfig, ChangedFieldsReachTheResult)
{
    const TConfigData c = sampleConfig();
    TFormConfig d(c);
    d.show();
    QCoreApplication::processEvents();
    Widgets w(d);
    w.cost->setText(QStringLiteral("3,75"));
    EXPECT_EQ(typeIntoCell(w.profits, 5, 1, QStringLiteral("2500000,5")), QStringLiteral("2500000,5"));
    EXPECT_EQ(typeIntoCell(w.profits, 2, 1, QStringLiteral("6.25")), QStringLiteral("6.25"));
    w.coefCount->setText(QStringLiteral("1,5"));
    w.coefDeviation->setText(QStringLiteral("-0.125"));
    w.coefLevel->setText(QString());
    w.coefPercents->setChecked(false);
    w.coefAbs->setChecked(true);
    w.channelSize->setValue(20);
    EXPECT_EQ(typeIntoCell(w.segments, 1, 0, QStringLiteral("2")), QStringLiteral("2"));  // number 8, was 9

    const TConfigData r = d.result();
    EXPECT_EQ(r.Cost, 37500);
    const std::vector<TProfitItem> profits = {{0, 0}, {1, 0}, {2, 62500}, {3, 100000}, {4, 1000000}, {5, 25000005000LL}};
    EXPECT_EQ(r.Profits, profits);
    EXPECT_DOUBLE_EQ(r.Weights.CountCoef, 1.5);
    EXPECT_DOUBLE_EQ(r.Weights.DeviationCoef, -0.125);
    EXPECT_DOUBLE_EQ(r.Weights.DepthCoef, 0.0);
    EXPECT_FALSE(r.Weights.UsePercents);
    EXPECT_TRUE(r.Weights.UseAbsValues);
    EXPECT_EQ(r.ChannelSize, 20);
    EXPECT_EQ(r.MatrixCols, 7);
    TSegmentMap segments = c.Segments;
    segments[7] = 2;
    EXPECT_EQ(r.Segments, segments);
    EXPECT_EQ(r.MaxStake, c.MaxStake);
    EXPECT_EQ(staleGroups(c, r), (std::set<int>{3, 5}));
}

TEST(TFormConfig, ShorterPrizeListOpensAsSixRows)
{
    TConfigData c = sampleConfig();
    c.Profits = {{5, 5000000}};
    TFormConfig d(c);
    Widgets w(d);
    ASSERT_EQ(w.profits->rowCount(), 6);
    EXPECT_EQ(cellText(w.profits, 0, 1), QStringLiteral("0.00"));
    EXPECT_EQ(cellText(w.profits, 5, 1), QStringLiteral("500.00"));
    const std::vector<TProfitItem> six = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 5000000}};
    EXPECT_EQ(d.result().Profits, six);
}

TEST(TFormConfig, OnlyAllowedCharactersCanBeTyped)
{
    TFormConfig d(sampleConfig());
    Widgets w(d);
    QWidget* host = w.profits->viewport();
    QStyleOptionViewItem option;
    QWidget* profitEditor =
        w.profits->itemDelegateForColumn(1)->createEditor(host, option, w.profits->model()->index(0, 1));
    QWidget* segmentEditor = w.segments->itemDelegate()->createEditor(w.segments->viewport(), option,
                                                                       w.segments->model()->index(0, 0));
    const QValidator* amount = qobject_cast<QLineEdit*>(profitEditor)->validator();
    const QValidator* segment = qobject_cast<QLineEdit*>(segmentEditor)->validator();
    const QValidator* cost = w.cost->validator();
    const QValidator* weight = w.coefDeviation->validator();

    struct Case {
        const char* text;
        bool amount;   // prizes and the stake price
        bool weight;   // coefficients
        bool segment;  // segment cells
    };
    const Case cases[] = {
        {"12", true, true, true},      {"12.5", true, true, false},   {"12,5", true, true, false},
        {"", true, true, true},        {"-1", false, true, false},    {"-1.250", false, true, false},
        {"1.2345", true, false, false}, {"12a", false, false, false}, {"1.2.3", false, false, false},
        {"1 2", false, false, false},  {"e5", false, false, false},   {"+1", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(check(amount, c.text) != QValidator::Invalid, c.amount) << "prize " << c.text;
        EXPECT_EQ(check(cost, c.text) != QValidator::Invalid, c.amount) << "cost " << c.text;
        EXPECT_EQ(check(weight, c.text) != QValidator::Invalid, c.weight) << "weight " << c.text;
        EXPECT_EQ(check(segment, c.text) != QValidator::Invalid, c.segment) << "segment " << c.text;
    }
    delete profitEditor;
    delete segmentEditor;

    // Typed through the editor, a letter does not get in.
    d.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(typeIntoCell(w.profits, 3, 1, QStringLiteral("1a2,5")), QStringLiteral("12,5"));
    EXPECT_EQ(cellText(w.profits, 3, 1), QStringLiteral("12,5"));
    EXPECT_EQ(d.result().Profits[3].Profit, 125000);
}

TEST(TFormConfig, ChangingTheColumnCountRelaysTheSegments)
{
    const TConfigData c = sampleConfig();
    TFormConfig d(c);
    Widgets w(d);
    struct Case {
        int columns;
        int rows;
    };
    const Case cases[] = {{10, 7}, {1, 69}, {69, 1}, {5, 14}, {23, 3}, {7, 10}};
    for (const Case& k : cases) {
        w.matrixCol->setValue(k.columns);
        ASSERT_EQ(w.segments->columnCount(), k.columns);
        ASSERT_EQ(w.segments->rowCount(), k.rows);
        EXPECT_EQ(w.matrixRow->value(), k.rows) << k.columns;
        for (int r = 0; r < k.rows; ++r) {
            for (int col = 0; col < k.columns; ++col) {
                const int n = r * k.columns + col + 1;
                const QTableWidgetItem* item = w.segments->item(r, col);
                ASSERT_NE(item, nullptr);
                if (n <= 69) {
                    EXPECT_EQ(item->text(), QString::number(c.Segments[static_cast<size_t>(n - 1)])) << n;
                    EXPECT_TRUE(item->flags() & Qt::ItemIsSelectable) << n;
                    EXPECT_TRUE(item->flags() & Qt::ItemIsEditable) << n;
                } else {
                    EXPECT_EQ(item->text(), QString()) << k.columns << ": " << r << "," << col;
                    EXPECT_FALSE(item->flags() & Qt::ItemIsSelectable) << n;
                    EXPECT_FALSE(item->flags() & Qt::ItemIsEnabled) << n;
                }
            }
        }
        const TConfigData r = d.result();
        EXPECT_EQ(r.MatrixCols, k.columns);
        EXPECT_EQ(r.Segments, c.Segments) << k.columns;
    }
}

TEST(TFormConfig, EditedSegmentSurvivesARelayout)
{
    TFormConfig d(sampleConfig());
    d.show();
    QCoreApplication::processEvents();
    Widgets w(d);
    // Number 69 in the 7-wide matrix.
    ASSERT_EQ(typeIntoCell(w.segments, 9, 5, QStringLiteral("3")), QStringLiteral("3"));
    w.matrixCol->setValue(10);
    EXPECT_EQ(cellText(w.segments, 6, 8), QStringLiteral("3"));  // number 69 in the 10-wide one
    w.matrixCol->setValue(69);
    EXPECT_EQ(cellText(w.segments, 0, 68), QStringLiteral("3"));
    EXPECT_EQ(d.result().Segments[68], 3);
}

TEST(TFormConfig, BadSegmentValueTable)
{
    struct Case {
        const char* typed;
        const char* message;  // nullptr: none
        const char* cell;
        uint8_t segment;
    };
    const Case cases[] = {
        {"0", "Некорректное значение: 0!\r\rУкажите любое число от 1 до 9", "1", 1},
        {"12", "Некорректное значение: 12!\r\rУкажите любое число от 1 до 9", "1", 1},
        {"", nullptr, "", 1},  // an empty cell reads as 1 without a word
        {"7", nullptr, "7", 7},
    };
    for (const Case& c : cases) {
        TFormConfig d(sampleConfig());
        QStringList messages;
        d.setErrorSink([&](const QString& text) { messages.append(text); });
        d.show();
        QCoreApplication::processEvents();
        Widgets w(d);
        // Number 12 sits in row 1, column 4 of the 7-wide matrix.
        ASSERT_EQ(typeIntoCell(w.segments, 1, 4, QString::fromUtf8(c.typed)), QString::fromUtf8(c.typed));
        if (c.message) {
            ASSERT_EQ(messages.size(), 1) << c.typed;
            EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
        } else {
            EXPECT_TRUE(messages.isEmpty()) << c.typed;
        }
        EXPECT_EQ(cellText(w.segments, 1, 4), QString::fromUtf8(c.cell)) << c.typed;
        EXPECT_EQ(d.result().Segments[11], c.segment) << c.typed;
    }
}

}  // namespace
}  // namespace zircon
