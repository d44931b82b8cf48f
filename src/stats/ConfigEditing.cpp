#include "stats/ConfigEditing.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/Grouping.h"
#include "core/Lottery.h"
#include "core/Tr.h"
#include "stats/Rounding.h"

namespace zircon {

std::optional<double> parseDecimal(const QString& text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    // QString::toDouble reads the C locale whatever the system's one is.
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString amountText(TCurrency amount)
{
    return fmt(QStringLiteral("%.2f"), static_cast<double>(amount) / kCurrencyScale);
}

TCurrency parseAmount(const QString& text)
{
    const std::optional<double> v = parseDecimal(text);
    if (!v)
        return 0;
    return std::clamp<TCurrency>(roundHalfEven(*v * kCurrencyScale), -kMaxConfigAmount, kMaxConfigAmount);
}

QStringList profitRows(const std::vector<TProfitItem>& profits)
{
    QStringList rows;
    for (int i = 0; i < kProfitRowCount; ++i) {
        const auto it = std::find_if(profits.begin(), profits.end(), [i](const TProfitItem& p) { return p.Overlap == i; });
        const TCurrency profit = it != profits.end() ? it->Profit : 0;
        rows.append(fmt(QStringLiteral("%d=%.2f"), i, static_cast<double>(profit) / kCurrencyScale));
    }
    return rows;
}

std::vector<TProfitItem> profitsFromRows(const QStringList& rows)
{
    std::vector<TProfitItem> profits;
    profits.reserve(static_cast<size_t>(rows.size()));
    for (const QString& row : rows) {
        const qsizetype eq = row.indexOf(u'=');
        const QString name = eq < 0 ? row : row.left(eq);
        const QString value = eq < 0 ? QString() : row.mid(eq + 1);
        bool ok = false;
        const int overlap = name.trimmed().toInt(&ok);
        TProfitItem item;
        item.Overlap = ok ? static_cast<uint8_t>(std::clamp(overlap, 0, 255)) : 0;
        item.Profit = parseAmount(value);
        profits.push_back(item);
    }
    return profits;
}

QString weightText(double coef)
{
    return fmt(QStringLiteral("%.3f"), coef);
}

double parseWeight(const QString& text)
{
    return parseDecimal(text).value_or(0.0);
}

int clampMatrixCols(int columns)
{
    return std::clamp(columns, kMinMatrixCols, kMaxMatrixCols);
}

int clampChannelSize(int size)
{
    return std::clamp(size, kMinChannelSize, kMaxChannelSize);
}

int matrixRowsFor(int columns)
{
    const int c = clampMatrixCols(columns);
    return (kMainMax + c - 1) / c;
}

int segmentCellNumber(int column, int row, int columns)
{
    if (columns < kMinMatrixCols || columns > kMaxMatrixCols || column < 0 || column >= columns || row < 0)
        return 0;
    const int n = MatrixNumber(1, row, column, columns);
    return n <= kMainMax ? n : 0;
}

SegmentCellValue checkSegmentCell(const QString& text)
{
    SegmentCellValue v;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return v;
    // Only plain digits make a whole number here: no sign, no blanks inside.
    const bool digits = std::all_of(t.begin(), t.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    bool ok = false;
    const int n = digits ? t.toInt(&ok) : 0;
    if (ok && n >= kMinSegment && n <= kMaxSegment) {
        v.segment = static_cast<uint8_t>(n);
        return v;
    }
    v.message = fmt(zircon::tr("Некорректное значение: %s!\r\rУкажите любое число от 1 до 9"), text);
    return v;
}

namespace {

// Calls visit(number, text) for every cell of the grid that holds a number.
template <class Visit>
void forEachNumberCell(const SegmentGrid& grid, Visit visit)
{
    if (grid.empty())
        return;
    const int columns = static_cast<int>(grid.front().size());
    for (size_t r = 0; r < grid.size(); ++r) {
        const auto& row = grid[r];
        for (size_t c = 0; c < row.size(); ++c) {
            const int n = segmentCellNumber(static_cast<int>(c), static_cast<int>(r), columns);
            if (n != 0)
                visit(n, row[c]);
        }
    }
}

SegmentGrid emptyGrid(int columns)
{
    const int c = clampMatrixCols(columns);
    return SegmentGrid(static_cast<size_t>(matrixRowsFor(c)), std::vector<QString>(static_cast<size_t>(c)));
}

void setCell(SegmentGrid& grid, int n, const QString& text)
{
    const size_t width = grid.front().size();
    const size_t i = static_cast<size_t>(n - 1);
    grid[i / width][i % width] = text;
}

}  // namespace

SegmentGrid segmentGridTexts(const TSegmentMap& segments, int columns)
{
    SegmentGrid grid = emptyGrid(columns);
    for (int n = 1; n <= kMainMax; ++n) {
        const uint8_t s = segments[static_cast<size_t>(n - 1)];
        // A value outside 1..9 cannot come from the settings file; should one
        // arrive all the same it is shown as the segment it reads as.
        setCell(grid, n, QString::number(s >= kMinSegment && s <= kMaxSegment ? s : kMinSegment));
    }
    return grid;
}

TSegmentMap segmentsFromGrid(const SegmentGrid& grid)
{
    TSegmentMap segments;
    segments.fill(kMinSegment);
    forEachNumberCell(grid, [&](int n, const QString& text) {
        segments[static_cast<size_t>(n - 1)] = checkSegmentCell(text).segment;
    });
    return segments;
}

SegmentGrid relayoutSegmentGrid(const SegmentGrid& grid, int newColumns)
{
    SegmentGrid out = emptyGrid(newColumns);
    forEachNumberCell(grid, [&](int n, const QString& text) { setCell(out, n, text); });
    return out;
}

std::set<int> staleGroups(const TConfigData& before, const TConfigData& after)
{
    std::set<int> groups;
    if (before.ChannelSize != after.ChannelSize)
        groups.insert(kChannelsGroup);
    if (before.MatrixCols != after.MatrixCols)
        groups.insert(kMatrixGroup);
    if (before.Segments != after.Segments)
        groups.insert(kSegmentsGroup);
    return groups;
}

}  // namespace zircon
