#pragma once
// The matrix family (group "mtx"): the numbers 1..69 laid out row by row in
// a grid MatrixCols wide, and which columns and rows a draw's numbers
// occupy: the columns and rows themselves, how many numbers each holds, how
// many are occupied, the pattern of occupied columns or rows, columns or
// rows holding two numbers that touch in the grid, the count in one chosen
// column or row, and tuples of columns or rows. Every column member has a
// row twin with "column" and "row" exchanged (and touching vertically with
// touching horizontally).
#include <algorithm>

#include "stats/families/Partition.h"
#include "stats/families/Tuples.h"

namespace zircon {

enum class MatrixAxis : uint8_t { Columns, Rows };

// The matrix an instance copies from the settings when it is made.
template <class Root>
class TMatrixLayout : public Root {
public:
    TMatrixLayout(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : Root(cls, list, param),
          MatrixCols(static_cast<uint8_t>(partitionWidth(this->config().MatrixCols))),
          MatrixRows(static_cast<uint8_t>(partitionCount(MatrixCols))),
          m_columns(Partition::columns(MatrixCols)),
          m_rows(Partition::rows(MatrixCols))
    {
    }

    // The column and the row of a number 1..69 (with 7 columns, 8 is in
    // column 1, row 2); 0 for anything else.
    int ColOf(int n) const { return n >= 0 && n < 256 ? m_columns.of[static_cast<size_t>(n)] : 0; }
    int RowOf(int n) const { return n >= 0 && n < 256 ? m_rows.of[static_cast<size_t>(n)] : 0; }
    const Partition& columns() const { return m_columns; }
    const Partition& rows() const { return m_rows; }
    // The parts a member counts over, and the other axis of the grid.
    const Partition& along(MatrixAxis axis) const { return axis == MatrixAxis::Columns ? m_columns : m_rows; }
    const Partition& across(MatrixAxis axis) const { return axis == MatrixAxis::Columns ? m_rows : m_columns; }
    int partsAlong(MatrixAxis axis) const { return axis == MatrixAxis::Columns ? MatrixCols : MatrixRows; }

    uint8_t MatrixCols;  // 1..69
    uint8_t MatrixRows;  // ceil(69 / MatrixCols)

private:
    Partition m_columns;
    Partition m_rows;
};

class TCustomMatrixStat : public TMatrixLayout<TCustomNumbersStat> {
public:
    using TMatrixLayout<TCustomNumbersStat>::TMatrixLayout;
};

class TCustomMatrixGraphStat : public TMatrixLayout<TCustomGraphStat> {
public:
    using TMatrixLayout<TCustomGraphStat>::TMatrixLayout;
};

// The pattern of occupied columns (rows) as one value. The text is one
// character per column, column 1 first, "1" occupied and "0" empty, then
// the binary number those characters spell in brackets: "1111100 (124)".
//
// Up to 32 columns the value is that number in L1 (column 1 in the highest
// bit) and L2 is 0, as files and users have always seen it. A wider matrix
// (up to 64) uses the whole 8-byte key for the number, so that no two
// patterns share a value; beyond 64 (69 rows of a one-column matrix, 65..69
// columns) the number no longer fits, and the value is the occupied columns
// themselves, ascending, one per byte (at most five are occupied).
class TMatrixMaskStat : public TCustomMatrixStat {
public:
    TMatrixMaskStat(const StatClassInfo& cls, const TStatList& list, int32_t param, MatrixAxis axis);

    QString ValueText(const TStatDrawItem& item) const override;
    // The first MatrixCols (MatrixRows) characters, one bit each, column 1
    // first, "1" giving 1 and anything else 0. The answer has 32 bits: for a
    // wider matrix it is the low 32 bits of the number, that of the last 32
    // columns.
    int32_t ParseValue(const QString& text) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;

    // The value of a set of numbers (0 or 70..255 occupy nothing).
    TStatKey maskOf(const uint8_t* nums) const;

private:
    MatrixAxis m_axis;
    int m_parts;  // columns (rows) of the pattern
};

// Columns (rows) holding numbers that touch in the grid: for every pair of
// the five numbers that touch vertically (horizontally), one for its
// column (row); every column with a pair gives (column, pairs + 1), in the
// order the pairs reach them: "3 x 2" is one touching pair in column 3.
class TMatrixAdjacentStat : public TCustomMatrixStat {
public:
    TMatrixAdjacentStat(const StatClassInfo& cls, const TStatList& list, int32_t param, MatrixAxis axis);

    QString ValueText(const TStatDrawItem& item) const override;
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;

private:
    MatrixAxis m_axis;
};

// How many columns (rows) hold a touching pair (0..2 in practice).
class TMatrixAdjacentCountStat : public TCustomMatrixGraphStat {
public:
    TMatrixAdjacentCountStat(const StatClassInfo& cls, const TStatList& list, int32_t param, MatrixAxis axis);

    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;

private:
    MatrixAxis m_axis;
};

// COLS / ROWS: the column (row) of each of the five numbers.
template <MatrixAxis Axis>
class TMatrixEachStat : public TPartEachStat<TCustomMatrixStat> {
public:
    TMatrixEachStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TPartEachStat<TCustomMatrixStat>(cls, list, param)
    {
        setPartition(along(Axis));
    }
};
class TstColumns final : public TMatrixEachStat<MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TMatrixEachStat<MatrixAxis::Columns>::TMatrixEachStat;
};
class TstRows final : public TMatrixEachStat<MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TMatrixEachStat<MatrixAxis::Rows>::TMatrixEachStat;
};

// COLV / ROWV: (column, numbers in it) for every column, "c x k".
template <MatrixAxis Axis>
class TMatrixCountsStat : public TPartCountsStat<TCustomMatrixStat> {
public:
    TMatrixCountsStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TPartCountsStat<TCustomMatrixStat>(cls, list, param)
    {
        setPartition(along(Axis));
        // A column holds at most one number per row.
        setSeedMaxCount(std::min(partsAlong(Axis == MatrixAxis::Columns ? MatrixAxis::Rows : MatrixAxis::Columns),
                                 kMainCount));
    }
};
class TstColValues final : public TMatrixCountsStat<MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TMatrixCountsStat<MatrixAxis::Columns>::TMatrixCountsStat;
};
class TstRowValues final : public TMatrixCountsStat<MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TMatrixCountsStat<MatrixAxis::Rows>::TMatrixCountsStat;
};

// COLN / ROWN: how many distinct columns (rows) are occupied.
template <MatrixAxis Axis>
class TMatrixDistinctStat : public TPartDistinctStat<TCustomMatrixGraphStat> {
public:
    TMatrixDistinctStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TPartDistinctStat<TCustomMatrixGraphStat>(cls, list, param)
    {
        setPartition(along(Axis));
        setSeedTo(std::min(partsAlong(Axis), kMainCount));
    }
};
class TstColCount final : public TMatrixDistinctStat<MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TMatrixDistinctStat<MatrixAxis::Columns>::TMatrixDistinctStat;
};
class TstRowCount final : public TMatrixDistinctStat<MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TMatrixDistinctStat<MatrixAxis::Rows>::TMatrixDistinctStat;
};

// A member over one axis of a class that takes the axis when it is made.
template <class Base, MatrixAxis Axis>
class TOnAxis : public Base {
public:
    TOnAxis(const StatClassInfo& cls, const TStatList& list, int32_t param) : Base(cls, list, param, Axis) {}
};

// COLM / ROWM.
class TstColMask final : public TOnAxis<TMatrixMaskStat, MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};
class TstRowMask final : public TOnAxis<TMatrixMaskStat, MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};

// COLA / ROWA (the class names keep the historical spelling).
class TstColAjacent final : public TOnAxis<TMatrixAdjacentStat, MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};
class TstRowAjacent final : public TOnAxis<TMatrixAdjacentStat, MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};

// COLC / ROWC.
class TstColAjacentCnt final : public TOnAxis<TMatrixAdjacentCountStat, MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};
class TstRowAjacentCnt final : public TOnAxis<TMatrixAdjacentCountStat, MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TOnAxis::TOnAxis;
};

// Tuples of the columns (rows) of r numbers.
template <MatrixAxis Axis, TupleShape Shape, int Size>
class TMatrixTupleStat : public TTupleStat<TCustomMatrixStat> {
public:
    TMatrixTupleStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TTupleStat<TCustomMatrixStat>(cls, list, param, Shape, Size)
    {
        setValueMap(along(Axis).of);
    }
};

#define ZIRCON_MATRIX_TUPLE(Name, Axis, Shape, Size)                                   \
    class Name final : public TMatrixTupleStat<MatrixAxis::Axis, TupleShape::Shape, Size> { \
    public:                                                                            \
        static const StatClassInfo Class;                                              \
        using TMatrixTupleStat<MatrixAxis::Axis, TupleShape::Shape, Size>::TMatrixTupleStat; \
    }

// KFM2..KFM4, KFS2..KFS4: columns of any r numbers, of r neighbouring numbers.
ZIRCON_MATRIX_TUPLE(TstCombColMix2, Columns, Mix, 2);
ZIRCON_MATRIX_TUPLE(TstCombColMix3, Columns, Mix, 3);
ZIRCON_MATRIX_TUPLE(TstCombColMix4, Columns, Mix, 4);
ZIRCON_MATRIX_TUPLE(TstCombColSeq2, Columns, Seq, 2);
ZIRCON_MATRIX_TUPLE(TstCombColSeq3, Columns, Seq, 3);
ZIRCON_MATRIX_TUPLE(TstCombColSeq4, Columns, Seq, 4);
// KRM2..KRM4, KRS2..KRS4: the same with rows.
ZIRCON_MATRIX_TUPLE(TstCombRowMix2, Rows, Mix, 2);
ZIRCON_MATRIX_TUPLE(TstCombRowMix3, Rows, Mix, 3);
ZIRCON_MATRIX_TUPLE(TstCombRowMix4, Rows, Mix, 4);
ZIRCON_MATRIX_TUPLE(TstCombRowSeq2, Rows, Seq, 2);
ZIRCON_MATRIX_TUPLE(TstCombRowSeq3, Rows, Seq, 3);
ZIRCON_MATRIX_TUPLE(TstCombRowSeq4, Rows, Seq, 4);

#undef ZIRCON_MATRIX_TUPLE

// COL%d / ROW%d: how many of the five numbers lie in column (row) Param.
template <MatrixAxis Axis>
class TMatrixCountInStat : public TPartCountInStat<TCustomMatrixGraphStat> {
public:
    TMatrixCountInStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
        : TPartCountInStat<TCustomMatrixGraphStat>(cls, list, param)
    {
        setPartition(along(Axis));
        // Up to one number per cell of the column: 1..MatrixRows (rows:
        // 1..MatrixCols), as the table has always listed them.
        setSeedTo(partsAlong(Axis == MatrixAxis::Columns ? MatrixAxis::Rows : MatrixAxis::Columns));
    }
};
class TstColValCnt final : public TMatrixCountInStat<MatrixAxis::Columns> {
public:
    static const StatClassInfo Class;
    using TMatrixCountInStat<MatrixAxis::Columns>::TMatrixCountInStat;
};
class TstRowValCnt final : public TMatrixCountInStat<MatrixAxis::Rows> {
public:
    static const StatClassInfo Class;
    using TMatrixCountInStat<MatrixAxis::Rows>::TMatrixCountInStat;
};

}  // namespace zircon
