#include <gtest/gtest.h>

#include <QByteArray>

#include "stakes/StakeRecord.h"

using namespace zircon;

namespace {

// A checked stake laid out byte by byte from the record table: manual stake
// on draw 1200 of 3 17 25 40 69, list size 77, drawn 40 3 69 17 26, four
// matches 3 17 40 69, profit 98.00, comment "Ставка" in Windows-1251.
QByteArray goldenStake()
{
    QByteArray g = QByteArray::fromHex("020100" "00" "b0040000" "01" "000000" "4d000000" "05000000"
                                       "0311192845000000"  // the stake's numbers
                                       "280345111a"        // the draw: 40 3 69 17 26
                                       "000000"            // reserved
                                       "04000000"          // four matches
                                       "0311284500000000"  // matched 3 17 40 69
                                       "20f40e0000000000"  // 980000 ten-thousandths
                                       "06"                // comment length
                                       "d1f2e0e2eae0");    // "Ставка"
    g.append(312 - g.size(), '\0');
    return g;
}

StakeRecord goldenStakeRecord()
{
    StakeRecord r;
    r.kind = StakeKind::Manual;
    r.drawNumber = 1200;
    r.checked = true;
    r.listSize = 77;
    r.numbers.count = 5;
    r.numbers.nums = {3, 17, 25, 40, 69, 0, 0, 0};
    r.drawNumbers = TComb{{40, 3, 69, 17, 26}};
    r.matched.count = 4;
    r.matched.nums = {3, 17, 40, 69, 0, 0, 0, 0};
    r.profit = 980000;
    r.setComment(QStringLiteral("Ставка"));
    return r;
}

QByteArray goldenSeparator()
{
    QByteArray g = QByteArray::fromHex("02000000" "ffffffff" "00000000" "00000000" "00000000"
                                       "0000000000000000" "0000000000" "000000" "ffffffff"
                                       "0000000000000000" "0000000000000000");
    g.append(312 - g.size(), '\0');
    return g;
}

}  // namespace

TEST(StakeRecord, GoldenBytesOfAStake)
{
    ASSERT_EQ(goldenStake().size(), kStakeRecordSize);
    EXPECT_EQ(encodeStake(goldenStakeRecord()).toHex(), goldenStake().toHex());
    StakeRecord back;
    ASSERT_TRUE(decodeStake(goldenStake().constData(), back));
    EXPECT_EQ(back, goldenStakeRecord());
    EXPECT_EQ(back.comment(), QStringLiteral("Ставка"));
    EXPECT_EQ(back.matches(), 4);
}

TEST(StakeRecord, GoldenBytesOfASeparator)
{
    ASSERT_EQ(goldenSeparator().size(), kStakeRecordSize);
    EXPECT_EQ(encodeStake(StakeRecord::separator()).toHex(), goldenSeparator().toHex());
    StakeRecord back = goldenStakeRecord();
    ASSERT_TRUE(decodeStake(goldenSeparator().constData(), back));
    EXPECT_EQ(back, StakeRecord::separator());
    EXPECT_TRUE(back.isSeparator());
    EXPECT_EQ(back.matches(), -1);
}

TEST(StakeRecord, NumberBytesBeyondTheCountAreWrittenAsZeros)
{
    StakeRecord r = goldenStakeRecord();
    r.numbers.nums[5] = 9;  // left over from a longer set
    r.matched.nums[6] = 9;
    EXPECT_EQ(encodeStake(r).toHex(), goldenStake().toHex());
}

TEST(StakeRecord, DecodingRefusesFieldsThatDoNotFit)
{
    struct Case {
        const char* what;
        int offset;
        uint8_t value;
    };
    const Case cases[] = {
        {"version 1", 0, 1},
        {"version 3", 0, 3},
        {"kind 5", 1, 5},
        {"checked 2", 8, 2},
        {"negative list size", 15, 0x80},
        {"number count 9", 16, 9},
        {"negative number count", 19, 0xFF},
        {"number 0", 20, 0},
        {"number 70", 24, 70},
        {"repeated number", 21, 3},
        {"draw number 70", 30, 70},
        {"matches 254", 36, 0xFE},
        {"matches 6 of five numbers", 36, 6},
        {"matched number 0", 41, 0},
        {"matched number 70", 43, 70},
    };
    for (const Case& c : cases) {
        QByteArray bytes = goldenStake();
        bytes[c.offset] = static_cast<char>(c.value);
        StakeRecord r = StakeRecord::separator();
        EXPECT_FALSE(decodeStake(bytes.constData(), r)) << c.what;
        EXPECT_EQ(r, StakeRecord::separator()) << c.what << ": a refused record leaves the target untouched";
    }
    // A truly negative matches value below -1.
    QByteArray bytes = goldenStake();
    for (int i = 36; i < 40; ++i)
        bytes[i] = static_cast<char>(0xFF);
    bytes[36] = static_cast<char>(0xFE);
    StakeRecord r;
    EXPECT_FALSE(decodeStake(bytes.constData(), r));
}

TEST(StakeRecord, ReservedBytesCarryNoMeaning)
{
    // Bytes that are padding or lie beyond a count or the comment's length.
    const int offsets[] = {2, 3, 9, 10, 11, 25, 26, 27, 33, 34, 35, 44, 47, 63, 300, 311};
    for (int offset : offsets) {
        QByteArray bytes = goldenStake();
        bytes[offset] = static_cast<char>(0x5A);
        StakeRecord r;
        ASSERT_TRUE(decodeStake(bytes.constData(), r)) << offset;
        EXPECT_EQ(r, goldenStakeRecord()) << offset;
        EXPECT_EQ(encodeStake(r), goldenStake()) << offset;
    }
}

TEST(StakeRecord, CommentIsCutTo255CharactersOfTheCodePage)
{
    StakeRecord r;
    r.setComment(QString(300, QChar(u'Ж')));
    EXPECT_EQ(r.commentLen, 255);
    EXPECT_EQ(r.comment(), QString(255, QChar(u'Ж')));
    const QByteArray bytes = encodeStake(r);
    EXPECT_EQ(static_cast<uint8_t>(bytes[56]), 255);
    EXPECT_EQ(static_cast<uint8_t>(bytes[57]), 0xC6);  // Ж in Windows-1251
    EXPECT_EQ(static_cast<uint8_t>(bytes[311]), 0xC6);

    // A character the code page lacks takes one "?" and the rest survives.
    r.setComment(QStringLiteral("a\u4e2db"));
    EXPECT_EQ(r.comment(), QStringLiteral("a?b"));
}

TEST(StakeRecord, StakeProblemNamesWhatCannotBeStaked)
{
    StakeRecord ok = goldenStakeRecord();
    ok.checked = false;
    EXPECT_TRUE(stakeProblem(ok).isEmpty());
    StakeRecord eight = ok;
    eight.numbers.count = 8;
    eight.numbers.nums = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(stakeProblem(eight).isEmpty());

    struct Case {
        const char* what;
        void (*spoil)(StakeRecord&);
    };
    const Case cases[] = {
        {"draw 0", [](StakeRecord& r) { r.drawNumber = 0; }},
        {"four numbers", [](StakeRecord& r) { r.numbers.count = 4; }},
        {"nine numbers", [](StakeRecord& r) { r.numbers.count = 9; }},
        {"number 70", [](StakeRecord& r) { r.numbers.nums[4] = 70; }},
        {"number 0", [](StakeRecord& r) { r.numbers.nums[0] = 0; }},
        {"repeated", [](StakeRecord& r) { r.numbers.nums[1] = r.numbers.nums[0]; }},
    };
    for (const Case& c : cases) {
        StakeRecord r = ok;
        c.spoil(r);
        EXPECT_FALSE(stakeProblem(r).isEmpty()) << c.what;
    }
}
