#pragma once
// One record of the stakes file "Zircon_5x69.lsk": a stake (five or more
// numbers recorded against one draw) or a separator that divides the file into
// groups. 312 bytes on disk, encoded and decoded field by field.
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

#include "core/Types.h"
#include "stats/ConfigData.h"

namespace zircon {

inline constexpr int kStakeRecordSize = 312;
inline constexpr uint8_t kStakeRecordVersion = 2;
inline constexpr int kStakeCommentMax = 255;

// Where a stake came from; 0 marks a separator.
enum class StakeKind : uint8_t {
    None = 0,     // separator
    Manual = 1,   // "Вручную"
    Regular = 2,  // "Регуляр"
    Script = 3,   // "Сценарий"
    System = 4,   // "Система"
};

struct StakeRecord {
    StakeKind kind = StakeKind::None;
    int32_t drawNumber = -1;  // the draw the stake is for; 0 or below: a separator
    bool checked = false;     // compared with its draw once, never again
    int32_t listSize = 0;     // combinations in the list when the stake was made
    TShema numbers;           // the stake's numbers, ascending
    TComb drawNumbers{};      // the draw's five main numbers in archive order; zero until checked
    TShema matched{-1, {}};   // count = matches (-1 until checked), the matched numbers ascending
    TCurrency profit = 0;     // minus the cost until checked, then the result
    uint8_t commentLen = 0;   // the comment in Windows-1251, as stored
    std::array<char, kStakeCommentMax> commentChars{};

    static StakeRecord separator() { return {}; }

    bool isSeparator() const { return drawNumber <= 0; }
    int matches() const { return matched.count; }

    QByteArray commentBytes() const { return QByteArray(commentChars.data(), commentLen); }
    // Keeps the first 255 bytes (one byte a character in the code page).
    void setCommentBytes(const QByteArray& bytes);
    QString comment() const;
    // Converts to Windows-1251 and cuts to 255 characters; a character the
    // code page lacks becomes "?".
    void setComment(const QString& text);

    // Equal when stored the same: number bytes beyond a count do not count.
    friend bool operator==(const StakeRecord& a, const StakeRecord& b);
};

// Appends the 312 bytes: version 2, kind, 2 zero bytes, draw number, checked,
// 3 zero bytes, list size, number count and 8 number bytes, the draw's five
// numbers, 3 zero bytes, matches and 8 matched-number bytes, profit, and the
// comment as one length byte and 255 characters. Number bytes beyond their
// count are written as zeros.
void encodeStake(const StakeRecord& record, QByteArray& out);
QByteArray encodeStake(const StakeRecord& record);

// Decodes exactly kStakeRecordSize bytes. Refuses (returns false, `record`
// untouched) a version other than 2, a kind above 4, a checked byte other than
// 0 or 1, a negative list size, a number count outside 0..8, a stake number
// outside 1..69 or repeated, a draw number above 69, matches outside -1..8 or
// above the number count, and a matched number outside 1..69. The reserved
// bytes and the bytes beyond a count carry no meaning and are not read.
bool decodeStake(const char* data, StakeRecord& record);

// The reason a stake may not be added, or "" when it may: its draw number is
// above 0 and it holds 5 to 8 distinct numbers of 1..69.
QString stakeProblem(const StakeRecord& record);

}  // namespace zircon
