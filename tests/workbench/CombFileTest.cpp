#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "core/Error.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "support/TempDir.h"
#include "workbench/CombFile.h"
#include "workbench/CombListFixtures.h"
#include "workbench/CombTexts.h"

using namespace zircon;
using zircon::test::contents;
using zircon::test::listOf;
using zircon::test::TempDir;

namespace {

enum class Line { Read, Skipped, Refused };

struct LineCase {
    const char* text;  // one line, in Windows-1251
    Line outcome;
    TComb comb{};      // for Read
};

const LineCase kLineCases[] = {
    {"3;17;25;40;69", Line::Read, TComb{{3, 17, 25, 40, 69}}},
    {"1, 2, 3, 4, 5", Line::Read, TComb{{1, 2, 3, 4, 5}}},
    {"69;1;2;3;10", Line::Read, TComb{{69, 1, 2, 3, 10}}},  // kept in its own order
    {";;1;;2,3,;4;5;", Line::Read, TComb{{1, 2, 3, 4, 5}}},  // runs of separators are one
    {" 07 ;\t08;+9;10 ;11", Line::Read, TComb{{7, 8, 9, 10, 11}}},
    {"\xA0" "12;13;14;15;16", Line::Read, TComb{{12, 13, 14, 15, 16}}},  // no-break space is white space
    {"1 2 3 4 5", Line::Skipped},
    {"", Line::Skipped},
    {"   ", Line::Skipped},
    {"1;2;3;4", Line::Skipped},
    {"1;2;3;4;5;6", Line::Skipped},
    {"1;2;3;4; ;5", Line::Skipped},  // a blank word is still a word
    {"\xCA\xEE\xEC\xE1\xE8\xED\xE0\xF6\xE8\xE8", Line::Skipped},  // "Комбинации"
    {"1;2;3;4;70", Line::Refused},
    {"0;2;3;4;5", Line::Refused},
    {"1;2;3;4;4", Line::Refused},
    {"1;2;3;4;x", Line::Refused},
    {"1;2;3;4;-5", Line::Refused},
    {"1;2;3;4;261", Line::Refused},  // would wrap to 5 in a byte
    {"1;2;3;4;4294967301", Line::Refused},
    {"1;2;3;4;5 6", Line::Refused},
    {"\xB9" "1;2;3;4;5", Line::Refused},  // "№1"
};

}  // namespace

TEST(CombFile, EachLineIsReadSkippedOrRefused)
{
    for (const LineCase& c : kLineCases) {
        TCombsArray combs;
        const CombsReadResult r = parseCombsFile(QByteArray(c.text), 10, combs);
        const QString shown = fromCp1251(QByteArray(c.text));
        switch (c.outcome) {
        case Line::Read:
            EXPECT_EQ(combs, (TCombsArray{c.comb})) << shown.toStdString();
            EXPECT_EQ(r.combinations, 1u);
            EXPECT_EQ(r.refused + r.skipped, 0u) << shown.toStdString();
            break;
        case Line::Skipped:
            EXPECT_TRUE(combs.empty()) << shown.toStdString();
            EXPECT_EQ(r.skipped, c.text[0] ? 1u : 0u) << shown.toStdString();  // "" is no line at all
            EXPECT_EQ(r.refused, 0u) << shown.toStdString();
            break;
        case Line::Refused:
            EXPECT_TRUE(combs.empty()) << shown.toStdString();
            EXPECT_EQ(r.refused, 1u) << shown.toStdString();
            EXPECT_EQ(r.firstRefusedLine, 1u);
            EXPECT_EQ(r.firstRefusedText, shown);
            break;
        }
    }
}

TEST(CombFile, CountsAndLocatesRefusedLinesInAWholeFile)
{
    const QByteArray bytes = "Мои комбинации\r\n"  // UTF-8 here, a note line either way
                             "1;2;3;4;5\r\n"
                             "\r\n"
                             "1;2;3;4;99\n"
                             "10;20;30;40;50\r"
                             "5;5;6;7;8\r\n"
                             "11;12;13;14;15";
    TCombsArray combs;
    const CombsReadResult r = parseCombsFile(bytes, 10, combs);
    EXPECT_EQ(combs, (TCombsArray{TComb{{1, 2, 3, 4, 5}}, TComb{{10, 20, 30, 40, 50}}, TComb{{11, 12, 13, 14, 15}}}));
    EXPECT_EQ(r.combinations, 3u);
    EXPECT_EQ(r.skipped, 2u);
    EXPECT_EQ(r.refused, 2u);
    EXPECT_EQ(r.firstRefusedLine, 4u);
    EXPECT_EQ(r.firstRefusedText, QStringLiteral("1;2;3;4;99"));

    const QString warning = combsRefusedText(QStringLiteral("a.lcv"), r);
    EXPECT_TRUE(warning.contains(QStringLiteral("a.lcv")));
    EXPECT_TRUE(warning.contains(QStringLiteral(": 2.")));
    EXPECT_TRUE(warning.contains(QStringLiteral("(строка 4)")));
    EXPECT_TRUE(warning.contains(QStringLiteral("\"1;2;3;4;99\"")));
    EXPECT_TRUE(combsRefusedText(QStringLiteral("a.lcv"), CombsReadResult{}).isEmpty());
}

TEST(CombFile, EveryLineEndCounts)
{
    TCombsArray combs;
    const CombsReadResult r = parseCombsFile("1;2;3;4;5\r2;3;4;5;6\n3;4;5;6;7\r\n\r\n4;5;6;7;0\n", 10, combs);
    EXPECT_EQ(combs.size(), 3u);
    EXPECT_EQ(r.skipped, 1u);  // the one empty line; the final line end starts none
    EXPECT_EQ(r.firstRefusedLine, 5u);
}

TEST(CombFile, WrittenAsCombTextLinesWithCrLf)
{
    const CombList list = listOf({TComb{{3, 17, 25, 40, 69}}, TComb{{69, 1, 2, 3, 10}}, TComb{{100, 0, 9, 255, 10}}});
    QStringList lines;
    for (const TComb& c : list)
        lines << CombText(c);
    EXPECT_EQ(encodeCombsFile(list.data(), list.count()), toCp1251(joinCrLfLines(lines)));
    EXPECT_EQ(encodeCombsFile(list.data(), 1), QByteArray("3;17;25;40;69\r\n"));
    EXPECT_TRUE(encodeCombsFile(list.data(), 0).isEmpty());
}

TEST(CombFile, SaveAndLoadRoundTrip)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("list.lcv"));
    const CombList saved = listOf({TComb{{3, 17, 25, 40, 69}}, TComb{{69, 1, 2, 3, 10}}, TComb{{5, 4, 3, 2, 1}}});
    SaveCombsFile(path, saved);
    EXPECT_EQ(dir.read(QStringLiteral("list.lcv")), QByteArray("3;17;25;40;69\r\n69;1;2;3;10\r\n5;4;3;2;1\r\n"));

    CombList loaded = listOf({TComb{{1, 2, 3, 4, 5}}}, 5);
    const CombsReadResult r = LoadCombsFile(path, loaded);
    EXPECT_EQ(r.combinations, 3u);
    EXPECT_EQ(contents(loaded), contents(saved));

    // An empty list writes an empty file, which reads back as an empty list.
    SaveCombsFile(path, listOf({}, 1));
    EXPECT_EQ(LoadCombsFile(path, loaded).combinations, 0u);
    EXPECT_TRUE(loaded.empty());
}

TEST(CombFile, SaveFailureLeavesTheOldFile)
{
    TempDir dir;
    const QString missingDir = dir.file(QStringLiteral("gone/list.lcv"));
    EXPECT_THROW(SaveCombsFile(missingDir, listOf({TComb{{1, 2, 3, 4, 5}}})), Error);
    EXPECT_FALSE(QFileInfo::exists(missingDir));

    // A folder in the way of the file: the rename fails, the folder stays.
    QDir(dir.path()).mkdir(QStringLiteral("taken.lcv"));
    EXPECT_THROW(SaveCombsFile(dir.file(QStringLiteral("taken.lcv")), listOf({TComb{{1, 2, 3, 4, 5}}})), Error);
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("taken.lcv"))).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);  // no temporary file left behind
}

TEST(CombFile, MoreCombinationsThanTheListHoldsAreRefusedWhole)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("four.lcv"));
    dir.write(QStringLiteral("four.lcv"), "1;2;3;4;5\r\n1;2;3;4;6\r\n1;2;3;4;7\r\n1;2;3;4;8\r\n");

    const std::vector<TComb> before{TComb{{60, 61, 62, 63, 64}}};
    CombList list = listOf({before[0]}, 3);
    EXPECT_THROW(LoadCombsFile(path, list), Error);
    EXPECT_EQ(contents(list), before);

    // Refused and skipped lines do not count against the room: four lines of
    // which one is refused fit a list of three.
    dir.write(QStringLiteral("four.lcv"), "1;2;3;4;5\r\n1;2;3;4;6\r\n1;2;3;4;4\r\n\r\n1;2;3;4;8\r\n");
    const CombsReadResult r = LoadCombsFile(path, list);
    EXPECT_EQ(r.combinations, 3u);
    EXPECT_EQ(r.refused, 1u);
    EXPECT_EQ(list.count(), 3u);
}

TEST(CombFile, UnreadableFileLeavesTheListAlone)
{
    TempDir dir;
    const std::vector<TComb> before{TComb{{60, 61, 62, 63, 64}}};
    CombList list = listOf({before[0]}, 3);
    try {
        LoadCombsFile(dir.file(QStringLiteral("missing.lcv")), list);
        ADD_FAILURE() << "a missing file must fail";
    } catch (const Error& e) {
        EXPECT_FALSE(e.text().isEmpty());
        const QString shown = combsReadErrorText(QStringLiteral("missing.lcv"), e.text());
        EXPECT_TRUE(shown.startsWith(QStringLiteral("Ошибка чтения файла \"missing.lcv\"!\r\r")));
        EXPECT_TRUE(shown.endsWith(e.text()));
    }
    EXPECT_EQ(contents(list), before);
}
