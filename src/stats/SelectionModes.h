#pragma once
// The vocabulary with which a user or a script selects rows of a statistic
// table (32 selection modes) and ends a stepwise selection (6 stop modes).
// The codes are stored in filter and script texts; the captions are shown in
// lists. Each selection mode tests the text of one column of a row, as the
// table shows it, against a value or a list of values.
#include <QString>

#include <vector>

namespace zircon {

class StatTable;
class TCustomStat;

enum SelectionModeIndex : int {
    ModeLNO, ModeLMV, ModeLMP, ModeLLV, ModeLLP, ModeLDV, ModeLDP,
    ModeDMV, ModeDMP, ModeDLV, ModeDLP, ModeDDV, ModeDDP,
    ModeCMV, ModeCMP, ModeCLV, ModeCLP, ModeCDV, ModeCDP,
    ModeWMV, ModeWLV, ModeWDV,
    ModePIM, ModePIL, ModePIR, ModePAM, ModePAL, ModePAR, ModePXM, ModePXL, ModePXR,
    ModeLVA,
};
inline constexpr int kSelectionModeCount = 32;

enum StopModeIndex : int { StopSF, StopSC, StopSZ, StopST, StopSV, StopSP };
inline constexpr int kStopModeCount = 6;

// "" outside 0..31.
QString selectionModeCode(int mode);
// The caption shown in lists; "# ERROR #" outside 0..31.
QString selectionModeCaption(int mode);
// The mode of a code (case ignored), or -1.
int selectionModeByCode(const QString& code);
// The "Вес" modes (19 to 21), the ones a filter step may give its own weight
// coefficients.
bool selectionModeUsesWeights(int mode);

QString stopModeCode(int mode);     // "" outside 0..5
QString stopModeCaption(int mode);  // "# ERROR #" outside 0..5
int stopModeByCode(const QString& code);

// One selection mode with its value read once, for testing many rows.
class SelectionCondition {
public:
    // Reads the value text: one number for the "не менее" and "не более"
    // modes; for the list modes numbers separated by "," or ";" (or a range
    // "low-high;step"). Throws Error when the text is not such a number or
    // list, and for LVA when the method does not allow value lists.
    SelectionCondition(int mode, const QString& valueText, const TCustomStat& stat);

    bool matches(const StatTable& table, int row) const;

private:
    enum class Test { All, AtLeast, AtMost, InList, ValueList };

    Test m_test = Test::All;
    int m_column = 0;
    bool m_real = false;      // the cell is read as a real number
    double m_default = 0.0;   // the cell's number when it is not one ("-")
    bool m_hasDefault = true; // a list test has none: such a cell matches nothing
    double m_value = 0.0;
    std::vector<double> m_list;
    const TCustomStat& m_stat;
};

// Whether row `row` of the table meets mode `mode` with the value text.
// Throws Error as SelectionCondition does.
bool rowSelected(const StatTable& table, int row, int mode, const QString& valueText, const TCustomStat& stat);

// The rows of the table that meet the mode, in table order.
std::vector<int> selectRows(const StatTable& table, int mode, const QString& valueText, const TCustomStat& stat);

}  // namespace zircon
