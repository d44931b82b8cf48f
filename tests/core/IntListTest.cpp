#include <gtest/gtest.h>

#include <optional>

#include "core/IntList.h"

using namespace zircon;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TIntArray iota(int from, int to)
{
    TIntArray list;
    for (int v = from; v <= to; ++v)
        list.push_back(v);
    return list;
}

}  // namespace

TEST(IntList, ParseIntList)
{
    struct Case { const char* text; std::optional<TIntArray> expected; };
    const Case cases[] = {
        {"3;5;8", TIntArray{3, 5, 8}},
        {"3,5 , 8", TIntArray{3, 5, 8}},
        {"7", TIntArray{7}},
        {"-1;2", TIntArray{-1, 2}},
        {"8;3;8", TIntArray{8, 3, 8}},
        {"", std::nullopt},
        {"3;x", std::nullopt},
        {"3;;5", std::nullopt},
        {"3;5;", std::nullopt},
        {"10-20;5", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntList(q(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(IntList, ParseIntRange)
{
    struct Case { const char* text; TIntArray expected; };
    const Case cases[] = {
        {"10-20;5", {10, 15, 20}},
        {"10-20,5", {10, 15, 20}},
        {"20-10;-5", {20, 15, 10}},
        {"10-20;3", {10, 13, 16, 19}},
        {"5-5;1", {5}},
        {"-5-5;5", {-5, 0, 5}},           // the leading "-" is the sign of a
        {"-10--2;4", {-10, -6, -2}},
        {" 1 - 3 ; 1 ", {1, 2, 3}},
        {"10-20", {}},                    // no step
        {"10-20;", {}},
        {"10-20;0", {}},
        {"20-10;5", {}},                  // count below 1
        {"a-3;1", {}},
        {"1-b;1", {}},
        {"1-3;c", {}},
        {"13", {}},
        {"", {}},
        // bounds whose span exceeds 32 bits
        {"-2147483648-2147483647;2147483647", {INT32_MIN, -1, 2147483646}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntRange(q(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(IntList, RangesAreCappedInLength)
{
    EXPECT_EQ(ParseIntRange(q("1-100000;1")), iota(1, 100000));
    EXPECT_TRUE(ParseIntRange(q("0-100000;1")).empty());
    EXPECT_TRUE(ParseIntRange(q("1-2000000000;1")).empty());
    EXPECT_TRUE(ParseIntRange(q("-2147483648-2147483647;1")).empty());
    EXPECT_TRUE(ParseIntSpec(q("1-2000000000;1")).empty());
}

TEST(IntList, ParseIntSpec)
{
    struct Case { const char* text; TIntArray expected; };
    const Case cases[] = {
        {"3;5;8", {3, 5, 8}},
        {"10-20;5", {10, 15, 20}},
        {"20-10;-5", {20, 15, 10}},
        {"10-20", {}},
        {"", {}},
        {"-7", {-7}},  // a single negative number is a list, not a range
        {"x", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntSpec(q(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(IntList, IntListTextRoundTrips)
{
    EXPECT_EQ(IntListText({3, 5, 8}, q(";")).toStdString(), "3;5;8");
    EXPECT_EQ(IntListText({}, q(",")).toStdString(), "");
    EXPECT_EQ(IntListText({-1}, q(",")).toStdString(), "-1");
    EXPECT_EQ(IntListText({1, 2}, q(", ")).toStdString(), "1, 2");
    const TIntArray lists[] = {{3, 5, 8}, {-4, 0, 2147483647}, {69}};
    for (const TIntArray& list : lists)
        EXPECT_EQ(ParseIntSpec(IntListText(list, q(";"))), list);
}
