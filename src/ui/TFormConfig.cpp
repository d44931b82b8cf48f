#include "ui/TFormConfig.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/Lottery.h"
#include "core/Tr.h"
#include "ui/QtHost.h"

namespace zircon {

namespace {

// What can be typed: amounts take digits and one decimal point ("," or "."),
// coefficients a leading minus too (the deviation defaults to -1), segments
// digits only. Control keys (backspace, arrows) are never characters here.
const QRegularExpression kAmountPattern(QStringLiteral("[0-9]*([.,][0-9]*)?"));
const QRegularExpression kWeightPattern(QStringLiteral("-?[0-9]*([.,][0-9]{0,3})?"));
const QRegularExpression kSegmentPattern(QStringLiteral("[0-9]*"));

constexpr int kProfitNameColumn = 0;
constexpr int kProfitValueColumn = 1;
// The segment grid shows this many cells across and down before it scrolls,
// so its size stays put while the column count changes.
constexpr int kVisibleSegmentCells = 10;

// A cell opens for editing on a typed key as well as on the usual triggers,
// so a value can be typed straight over the old one.
constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
    QAbstractItemView::AnyKeyPressed;

// Cell editors that refuse what the pattern does not allow.
class ValidatedDelegate : public QStyledItemDelegate {
public:
    ValidatedDelegate(const QRegularExpression& pattern, Qt::Alignment alignment, QObject* parent)
        : QStyledItemDelegate(parent), m_pattern(pattern), m_alignment(alignment)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setAlignment(m_alignment);
        editor->setValidator(new QRegularExpressionValidator(m_pattern, editor));
        return editor;
    }

private:
    QRegularExpression m_pattern;
    Qt::Alignment m_alignment;
};

QLineEdit* validatedEdit(const QString& name, const QRegularExpression& pattern, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(pattern, edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QSpinBox* spin(const QString& name, int low, int high, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

}  // namespace

TFormConfig::TFormConfig(const TConfigData& config, QWidget* parent) : QDialog(parent), m_config(config)
{
    setObjectName(QStringLiteral("TFormConfig"));
    setWindowTitle(zircon::tr("Параметры системы"));

    // Stakes: the price of one stake and the prizes.
    m_cost = validatedEdit(QStringLiteral("edCost"), kAmountPattern, this);
    m_cost->setText(costText(config.Cost));

    // Not offered in this edition; the stored value passes through.
    m_stakeMaxLen = spin(QStringLiteral("edStakeMaxLen"), kMainCount, kMaxShemaNumbers, this);
    m_stakeMaxLen->setValue(config.MaxStake);
    auto* stakeMaxLenLabel = new QLabel(zircon::tr("Расширенная ставка:"), this);
    stakeMaxLenLabel->setBuddy(m_stakeMaxLen);

    m_profits = new QTableWidget(kProfitRowCount, 2, this);
    m_profits->setObjectName(QStringLiteral("edProfits"));
    m_profits->setHorizontalHeaderLabels({zircon::tr("Совпадений"), zircon::tr("Сумма выигрыша")});
    m_profits->verticalHeader()->hide();
    m_profits->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_profits->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_profits->horizontalHeader()->setSectionResizeMode(kProfitNameColumn, QHeaderView::ResizeToContents);
    m_profits->horizontalHeader()->setSectionResizeMode(kProfitValueColumn, QHeaderView::Stretch);
    m_profits->horizontalHeader()->setHighlightSections(false);
    m_profits->setSelectionMode(QAbstractItemView::SingleSelection);
    m_profits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_profits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_profits->setEditTriggers(kEditTriggers);
    m_profits->setItemDelegateForColumn(
        kProfitValueColumn, new ValidatedDelegate(kAmountPattern, Qt::AlignRight | Qt::AlignVCenter, m_profits));
    fillProfits(config.Profits);
    m_profits->setFixedHeight(m_profits->horizontalHeader()->sizeHint().height() +
                              kProfitRowCount * m_profits->verticalHeader()->defaultSectionSize() +
                              2 * m_profits->frameWidth());

    // The coefficients of the "Вес" column.
    m_coefCount = validatedEdit(QStringLiteral("edCoefCount"), kWeightPattern, this);
    m_coefCount->setText(weightText(config.Weights.CountCoef));
    m_coefDeviation = validatedEdit(QStringLiteral("edCoefDeviation"), kWeightPattern, this);
    m_coefDeviation->setText(weightText(config.Weights.DeviationCoef));
    m_coefLevel = validatedEdit(QStringLiteral("edCoefLevel"), kWeightPattern, this);
    m_coefLevel->setText(weightText(config.Weights.DepthCoef));
    m_coefPercents = new QCheckBox(zircon::tr("Использовать значения в %"), this);
    m_coefPercents->setObjectName(QStringLiteral("cbCoefPercents"));
    m_coefPercents->setChecked(config.Weights.UsePercents);
    m_coefAbs = new QCheckBox(zircon::tr("Использовать абсолютные значения"), this);
    m_coefAbs->setObjectName(QStringLiteral("cbCoefAbs"));
    m_coefAbs->setChecked(config.Weights.UseAbsValues);

    // The matrix, its segments and the channel width.
    const int columns = clampMatrixCols(config.MatrixCols);
    m_matrixCol = spin(QStringLiteral("edMatrixCol"), kMinMatrixCols, kMaxMatrixCols, this);
    m_matrixCol->setValue(columns);
    m_matrixRow = spin(QStringLiteral("edMatrixRow"), matrixRowsFor(kMaxMatrixCols), matrixRowsFor(kMinMatrixCols),
                       this);
    m_matrixRow->setReadOnly(true);
    m_matrixRow->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_matrixRow->setFocusPolicy(Qt::NoFocus);
    m_matrixRow->setValue(matrixRowsFor(columns));

    m_segments = new QTableWidget(this);
    m_segments->setObjectName(QStringLiteral("sgSegments"));
    m_segments->horizontalHeader()->hide();
    m_segments->verticalHeader()->hide();
    const int cellWidth = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8;
    const int cellHeight = fontMetrics().height() + 6;
    m_segments->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_segments->horizontalHeader()->setDefaultSectionSize(cellWidth);
    m_segments->horizontalHeader()->setMinimumSectionSize(cellWidth);
    m_segments->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_segments->verticalHeader()->setDefaultSectionSize(cellHeight);
    m_segments->verticalHeader()->setMinimumSectionSize(cellHeight);
    m_segments->setSelectionMode(QAbstractItemView::SingleSelection);
    m_segments->setEditTriggers(kEditTriggers);
    m_segments->setItemDelegate(new ValidatedDelegate(kSegmentPattern, Qt::AlignCenter, m_segments));
    m_segments->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_segments->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    {
        const int scroll = m_segments->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int frame = 2 * m_segments->frameWidth();
        m_segments->setFixedSize(kVisibleSegmentCells * cellWidth + scroll + frame,
                                 kVisibleSegmentCells * cellHeight + scroll + frame);
    }
    fillSegments(segmentGridTexts(config.Segments, columns));
    connect(m_segments, &QTableWidget::itemChanged, this, &TFormConfig::segmentEdited);
    connect(m_matrixCol, &QSpinBox::valueChanged, this, &TFormConfig::matrixColsChanged);

    m_channelSize = spin(QStringLiteral("edChannelSize"), kMinChannelSize, kMaxChannelSize, this);
    m_channelSize->setValue(clampChannelSize(config.ChannelSize));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(zircon::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(zircon::tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Left: stakes and weights; right: the matrix.
    auto* stakes = new QFormLayout;
    stakes->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    stakes->addRow(zircon::tr("Стоимость ставки:"), m_cost);
    stakes->addRow(stakeMaxLenLabel, m_stakeMaxLen);
    stakeMaxLenLabel->hide();
    m_stakeMaxLen->hide();

    auto* weights = new QGroupBox(this);
    weights->setObjectName(QStringLiteral("gbWeights"));
    auto* weightRows = new QFormLayout(weights);
    weightRows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    weightRows->addRow(zircon::tr("Количество:"), m_coefCount);
    weightRows->addRow(zircon::tr("Отклонение:"), m_coefDeviation);
    weightRows->addRow(zircon::tr("Глубина:"), m_coefLevel);
    weightRows->addRow(m_coefPercents);
    weightRows->addRow(m_coefAbs);

    auto* left = new QVBoxLayout;
    left->addLayout(stakes);
    auto* profitsLabel = new QLabel(zircon::tr("Размеры выигрышей:"), this);
    profitsLabel->setBuddy(m_profits);
    left->addWidget(profitsLabel);
    left->addWidget(m_profits);
    left->addWidget(weights);
    left->addStretch(1);

    auto* size = new QHBoxLayout;
    auto* sizeLabel = new QLabel(zircon::tr("Размер матрицы:"), this);
    sizeLabel->setBuddy(m_matrixCol);
    size->addWidget(sizeLabel);
    size->addStretch(1);
    size->addWidget(m_matrixCol);
    size->addWidget(new QLabel(QStringLiteral("×"), this));
    size->addWidget(m_matrixRow);

    auto* channel = new QHBoxLayout;
    auto* channelLabel = new QLabel(zircon::tr("Размер канала:"), this);
    channelLabel->setBuddy(m_channelSize);
    channel->addWidget(channelLabel);
    channel->addStretch(1);
    channel->addWidget(m_channelSize);

    auto* right = new QVBoxLayout;
    right->addLayout(size);
    auto* segmentsLabel = new QLabel(zircon::tr("Сегменты матрицы:"), this);
    segmentsLabel->setBuddy(m_segments);
    right->addWidget(segmentsLabel);
    right->addWidget(m_segments);
    right->addLayout(channel);
    right->addStretch(1);

    auto* columnsLayout = new QHBoxLayout;
    columnsLayout->addLayout(left, 1);
    columnsLayout->addSpacing(12);
    columnsLayout->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnsLayout);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TConfigData TFormConfig::result() const
{
    TConfigData c = m_config;
    c.Cost = costFromText(m_cost->text());
    c.Profits = profitsFromRows(profitRowTexts());
    c.Weights.CountCoef = parseWeight(m_coefCount->text());
    c.Weights.DeviationCoef = parseWeight(m_coefDeviation->text());
    c.Weights.DepthCoef = parseWeight(m_coefLevel->text());
    c.Weights.UsePercents = m_coefPercents->isChecked();
    c.Weights.UseAbsValues = m_coefAbs->isChecked();
    c.MatrixCols = m_matrixCol->value();
    c.ChannelSize = m_channelSize->value();
    c.Segments = segmentsFromGrid(segmentTexts());
    return c;
}

void TFormConfig::fillProfits(const std::vector<TProfitItem>& profits)
{
    const QStringList rows = profitRows(profits);
    for (int r = 0; r < kProfitRowCount; ++r) {
        const QString& row = rows[r];
        const qsizetype eq = row.indexOf(u'=');
        auto* name = new QTableWidgetItem(row.left(eq));
        name->setFlags(Qt::ItemIsEnabled);
        name->setTextAlignment(Qt::AlignCenter);
        auto* value = new QTableWidgetItem(row.mid(eq + 1));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_profits->setItem(r, kProfitNameColumn, name);
        m_profits->setItem(r, kProfitValueColumn, value);
    }
}

QStringList TFormConfig::profitRowTexts() const
{
    QStringList rows;
    for (int r = 0; r < m_profits->rowCount(); ++r) {
        const QTableWidgetItem* name = m_profits->item(r, kProfitNameColumn);
        const QTableWidgetItem* value = m_profits->item(r, kProfitValueColumn);
        rows.append((name ? name->text() : QString()) + u'=' + (value ? value->text() : QString()));
    }
    return rows;
}

void TFormConfig::fillSegments(const SegmentGrid& grid)
{
    m_filling = true;
    const int rows = static_cast<int>(grid.size());
    const int columns = rows > 0 ? static_cast<int>(grid.front().size()) : 0;
    m_segments->clearContents();
    m_segments->setRowCount(rows);
    m_segments->setColumnCount(columns);
    const QBrush unused = palette().brush(QPalette::Disabled, QPalette::Window);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(grid[static_cast<size_t>(r)][static_cast<size_t>(c)]);
            item->setTextAlignment(Qt::AlignCenter);
            const int n = segmentCellNumber(c, r, columns);
            if (n == 0) {
                // Beyond 69: part of the rectangle only.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(unused);
            } else {
                item->setToolTip(QString::number(n));
            }
            m_segments->setItem(r, c, item);
        }
    }
    m_filling = false;
}

SegmentGrid TFormConfig::segmentTexts() const
{
    SegmentGrid grid(static_cast<size_t>(m_segments->rowCount()),
                     std::vector<QString>(static_cast<size_t>(m_segments->columnCount())));
    for (int r = 0; r < m_segments->rowCount(); ++r)
        for (int c = 0; c < m_segments->columnCount(); ++c)
            if (const QTableWidgetItem* item = m_segments->item(r, c))
                grid[static_cast<size_t>(r)][static_cast<size_t>(c)] = item->text();
    return grid;
}

void TFormConfig::matrixColsChanged(int columns)
{
    fillSegments(relayoutSegmentGrid(segmentTexts(), columns));
    m_matrixRow->setValue(matrixRowsFor(columns));
}

void TFormConfig::segmentEdited(QTableWidgetItem* item)
{
    if (m_filling || !item)
        return;
    const SegmentCellValue v = checkSegmentCell(item->text());
    if (v.message.isEmpty())
        return;
    // The cell is mended before the box opens, so nothing reads the bad text
    // while the box waits for the user.
    m_filling = true;
    item->setText(QString::number(v.segment));
    m_filling = false;
    showError(v.message);
}

void TFormConfig::showError(const QString& text)
{
    if (m_errorSink) {
        m_errorSink(text);
        return;
    }
    QMessageBox box(this);
    box.setWindowTitle(QtHost::messageCaption(MessageKind::Error));
    box.setText(QtHost::messageBoxText(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::Critical);
    box.exec();
}

}  // namespace zircon
