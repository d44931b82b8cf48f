// Filtering by the numbers family: the plain CombMatches answers, the
// prepared filters against them, and the prepared filters over the whole
// full set against counts from combinatorics.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "stats/FamilyTestSupport.h"
#include "stats/FilterAgreement.h"
#include "stats/families/Numbers.h"

using namespace zircon;
using namespace zircon::test;

namespace {

TStatKey mask(uint32_t m, uint32_t l2 = 0) { return TStatKey::l2(m, l2); }

}  // namespace

// The plain test, case by case: which parts of a selected item count.
TEST(NumbersFilter, PlainCombMatches)
{
    struct Case {
        const char* code;
        TComb comb;
        std::vector<TStatKey> selected;
        bool expected;
        const char* why;
    };
    const Case cases[] = {
        {"NUMS", {{3, 14, 15, 26, 60}}, {k1(15)}, true, "15 is drawn"},
        {"NUMS", {{3, 14, 15, 26, 60}}, {k1(16), k1(2)}, false, "neither is drawn"},
        {"NUMS", {{3, 14, 15, 26, 60}}, {k4(15, 1, 0, 0)}, false, "the whole key must be {15,0,0,0}"},
        {"NUMS", {{3, 14, 15, 26, 60}}, {k4(15, 0, 0, 2)}, false, "K4 must be 0"},
        {"NUMS", {{3, 14, 15, 26, 60}}, {k1(15 + 256)}, false, "K1 is not cut to a byte"},
        {"NUMS", {{3, 14, 15, 26, 60}}, {}, false, "nothing selected"},
        {"DIGS", {{5, 12, 33, 45, 69}}, {k1(9)}, true, "69 has a 9"},
        {"DIGS", {{5, 12, 33, 45, 69}}, {k1(7), k1(8), k1(0)}, false, "no 7, 8 or 0"},
        {"DIGS", {{5, 12, 33, 45, 60}}, {k1(0)}, true, "60 has a 0"},
        {"DIGS", {{5, 12, 33, 45, 69}}, {k1(12)}, false, "12 is a number, not a digit"},
        {"DIGS", {{5, 12, 33, 45, 69}}, {k4(3, 0, 1, 0)}, false, "the whole key must be {3,0,0,0}"},
        {"EVEN", {{1, 3, 5, 7, 9}}, {k1(0)}, true, "no even number"},
        {"EVEN", {{1, 3, 5, 7, 9}}, {k4(0, 3, 0, 0)}, true, "only K1 is compared"},
        {"EVEN", {{1, 3, 5, 7, 9}}, {k1(5), k1(1)}, false, "the count is 0"},
        {"EVEN", {{2, 4, 6, 8, 10}}, {k1(5)}, true, "all five even"},
        {"SMAL", {{34, 35, 1, 69, 20}}, {k1(3)}, true, "34, 1 and 20 are small"},
        {"SMAL", {{34, 35, 1, 69, 20}}, {k1(2)}, false, "three are small"},
        {"PRIM", {{1, 4, 6, 8, 10}}, {k1(1)}, true, "1 counts as prime"},
        {"PRIM", {{1, 4, 6, 8, 10}}, {k1(0)}, false, "1 counts as prime"},
        {"PRIM", {{1, 4, 6, 8, 10}}, {k4(1, 0, 0, 9)}, true, "only K1 is compared"},
        {"EVNV", {{2, 3, 4, 5, 6}}, {mask(10)}, true, "stored order 2 3 4 5 6"},
        {"EVNV", {{3, 2, 4, 5, 6}}, {mask(10)}, false, "stored order 3 2 4 5 6 is 18"},
        {"EVNV", {{3, 2, 4, 5, 6}}, {mask(18)}, true, "stored order 3 2 4 5 6 is 18"},
        {"EVNV", {{2, 3, 4, 5, 6}}, {mask(10, 77)}, true, "only L1 is compared"},
        {"EVNV", {{2, 3, 4, 5, 6}}, {mask(10 | 1u << 16)}, false, "L1 is compared whole"},
        {"SMLV", {{34, 35, 1, 69, 20}}, {mask(10)}, true, "large at positions 2 and 4"},
        {"SMLV", {{34, 35, 1, 69, 20}}, {mask(3)}, false, "not sorted for the test"},
        {"PRMV", {{2, 3, 4, 5, 6}}, {mask(26)}, true, "2, 3 and 5 are prime"},
        {"PRMV", {{2, 3, 4, 5, 6}}, {mask(25), mask(27)}, false, "the mask is 26"},
        {"POS1", {{40, 7, 23, 61, 2}}, {k1(40)}, true, "the stored first number"},
        {"POS1", {{40, 7, 23, 61, 2}}, {k1(2)}, false, "combinations are not sorted for the test"},
        {"POS2", {{2, 7, 23, 40, 61}}, {k1(7)}, true, "the second number"},
        {"POS2", {{2, 7, 23, 40, 61}}, {k4(7, 0, 9, 0)}, true, "only K1 is compared"},
        {"POS2", {{2, 7, 23, 40, 61}}, {k1(23)}, false, "23 is third"},
        {"POS5", {{2, 7, 23, 40, 61}}, {k1(61)}, true, "the fifth number"},
        {"POE1", {{1, 2, 3, 4, 5}}, {k1(1), k1(2), k1(3), k1(4), k1(5)}, false, "never matches"},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const FilterAnswers a = filterAnswers(*stat, c.comb, selectionOf(c.selected), 0);
        EXPECT_EQ(a.plain, c.expected) << c.code << ": " << c.why;
        // The prepared filter gives the same answer for the same case.
        EXPECT_EQ(a.prepared, c.expected ? 1 : 0) << c.code << " prepared: " << c.why;
    }
}

TEST(NumbersFilter, ExtraNumberNeverMatchesAnyCombination)
{
    Registry reg;
    reg.draws.push_back(TDraw{1, {1, 2, 3, 4, 5}, 3, 0, {}});
    const std::unique_ptr<TCustomStat> poe = reg.create("POE1");
    ASSERT_TRUE(poe);
    std::vector<TStatKey> all;
    for (uint16_t v = 0; v < 300; ++v)
        all.push_back(k1(v));
    const TStatDrawArray selected = selectionOf(all);
    for (bool sorted : {false, true})
        for (bool exclude : {false, true}) {
            poe->LoadDraws(-1, 0, sorted);
            bool any = false;
            forEachComb([&](const TComb& c) {
                if (c.n[0] > 3)
                    return false;
                any = any || poe->CombMatches(c, selected, 0, sorted, exclude);
                return true;
            });
            EXPECT_FALSE(any);
        }
}

// Every registered member of the family, over 200,000 combinations per
// selection, with the usual series of selections.
TEST(NumbersFilter, PreparedFiltersAgreeWithCombMatches)
{
    Registry reg;
    const std::vector<const StatClassInfo*> family = {
        &TstValues::Class,     &TstDigits::Class,      &TstEvenCount::Class,   &TstEvenValues::Class,
        &TstSmallCount::Class, &TstSmallValues::Class, &TstPrimeCount::Class,  &TstPrimeValues::Class,
        &TstPosVal::Class,     &TstPosExt::Class,
    };
    int members = 0;
    for (int i = 0; i < reg.list.Count(); ++i) {
        if (std::find(family.begin(), family.end(), reg.list.Items(i).StatClass) == family.end())
            continue;
        ++members;
        const std::string code = reg.list.ItemCode(i).toStdString();
        SCOPED_TRACE(code);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        agreement::AgreementTotals totals;
        EXPECT_TRUE(agreement::filterAgreesOnStandardSelections(*stat, -1, 1000u + static_cast<uint32_t>(i), &totals));
        EXPECT_GE(totals.checked, 8 * agreement::kDefaultSampleSize);
        // A sample in which every answer was the same would prove little.
        if (code == "POE1")
            EXPECT_EQ(totals.selectionsWithBothAnswers, 0u);
        else
            EXPECT_GE(totals.selectionsWithBothAnswers, 3u);
    }
    EXPECT_EQ(members, 14);  // eight methods, POS1..POS5 and POE1
}

// How many of the 11,238,513 combinations each prepared filter keeps, against
// counts worked out by hand: evens, smalls and primes are 34, 34 and 20 of
// the 69 numbers; combinations are ascending, so position p holds v exactly
// for C(v-1, p-1) x C(69-v, 5-p) of them.
TEST(NumbersFilter, FullSetCountsMatchCombinatorics)
{
    struct Case {
        const char* code;
        std::vector<TStatKey> selected;
        uint64_t expected;
    };
    const uint64_t all = choose(69, 5);
    std::vector<Case> cases = {
        {"NUMS", {k1(7)}, choose(68, 4)},
        {"NUMS", {k1(7), k1(69)}, all - choose(67, 5)},
        {"NUMS", {k4(7, 1, 0, 0), k1(70), k1(0)}, 0},
        {"DIGS", {k1(0)}, all - choose(63, 5)},       // 10, 20, ..., 60
        {"DIGS", {k1(9)}, all - choose(62, 5)},       // 9, 19, ..., 69
        {"DIGS", {k1(7), k1(9)}, all - choose(55, 5)}, // 7, 17, ..., 67 and 9, 19, ..., 69
        {"EVNV", {mask(0)}, choose(34, 5)},
        {"EVNV", {mask(31)}, choose(35, 5)},
        {"SMLV", {mask(3)}, choose(34, 3) * choose(35, 2)},
        {"SMLV", {mask(5), mask(10), mask(26)}, 0},  // ascending: small numbers come first
        {"PRMV", {mask(31)}, choose(20, 5)},
        {"PRMV", {mask(0, 5)}, choose(49, 5)},
        {"POS1", {k1(1)}, choose(68, 4)},
        {"POS3", {k1(35)}, choose(34, 2) * choose(34, 2)},
        {"POS5", {k1(69), k1(4)}, choose(68, 4)},
        {"POS2", {k1(1)}, 0},
        {"POE1", {k1(1), k1(2), k1(3)}, 0},
    };
    for (uint16_t c = 0; c <= 5; ++c) {
        cases.push_back({"EVEN", {k1(c)}, choose(34, c) * choose(35, 5 - c)});
        cases.push_back({"SMAL", {k1(c)}, choose(34, c) * choose(35, 5 - c)});
        cases.push_back({"PRIM", {k1(c)}, choose(20, c) * choose(49, 5 - c)});
    }

    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray selected = selectionOf(c.selected);
        EXPECT_EQ(keptOfFullSet(*stat->PrepareFilter(selected, -1, false, false)), c.expected) << c.code << " with " << c.selected.size() << " selected, first K1 "
                                    << (c.selected.empty() ? -1 : c.selected.front().K(1));
    }
}
