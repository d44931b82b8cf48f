#include "workbench/CombFile.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"

namespace zircon {
namespace {

bool isWordSeparator(char c)
{
    return c == ',' || c == ';';
}

// The white space QString::trimmed drops, as far as ASCII goes.
bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What textToInt gives for the ASCII word [begin, end), as far as the range
// check needs it: the value when it lies in 0..255, else 0 (which the range
// check refuses as it would refuse the value itself).
uint8_t asciiWordValue(const char* begin, const char* end)
{
    while (begin < end && isAsciiSpace(*begin))
        ++begin;
    while (end > begin && isAsciiSpace(end[-1]))
        --end;
    bool negative = false;
    if (begin < end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    if (begin == end)
        return 0;
    int value = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return 0;
        // Past 255 only "not a number of the lottery" matters; stop growing.
        value = std::min(value * 10 + (*p - '0'), 256);
    }
    return (negative || value > 255) ? 0 : static_cast<uint8_t>(value);
}

// A line of ASCII characters: nullopt when it has not exactly five words.
std::optional<TComb> asciiLineComb(const char* begin, const char* end)
{
    TComb comb;
    int words = 0;
    const char* p = begin;
    while (p < end) {
        while (p < end && isWordSeparator(*p))
            ++p;
        if (p == end)
            break;
        const char* wordBegin = p;
        while (p < end && !isWordSeparator(*p))
            ++p;
        if (words == kMainCount)
            return std::nullopt;
        comb.n[static_cast<size_t>(words++)] = asciiWordValue(wordBegin, p);
    }
    if (words != kMainCount)
        return std::nullopt;
    return comb;
}

// A line with bytes beyond ASCII, read through the code page so that its
// white space and digits are judged as the text they stand for.
std::optional<TComb> decodedLineComb(const QString& line)
{
    static const QRegularExpression separators(QStringLiteral("[,;]+"));
    const QStringList words = line.split(separators, Qt::SkipEmptyParts);
    if (words.size() != kMainCount)
        return std::nullopt;
    TComb comb;
    for (size_t i = 0; i < comb.n.size(); ++i) {
        const int32_t v = textToInt(words[static_cast<qsizetype>(i)].trimmed());
        comb.n[i] = (v >= 0 && v <= 255) ? static_cast<uint8_t>(v) : 0;
    }
    return comb;
}

}  // namespace

CombsReadResult parseCombsFile(const QByteArray& bytes, size_t capacity, TCombsArray& out)
{
    CombsReadResult result;
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    size_t lineNumber = 0;
    while (p < end) {
        // One line: up to CR LF, a lone LF or a lone CR; a final line end
        // starts no further line.
        const char* lineEnd = p;
        bool ascii = true;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') {
            ascii = ascii && static_cast<unsigned char>(*lineEnd) < 0x80;
            ++lineEnd;
        }
        ++lineNumber;
        const char* next = lineEnd;
        if (next < end)
            next += (*next == '\r' && next + 1 < end && next[1] == '\n') ? 2 : 1;

        const std::optional<TComb> comb =
            ascii ? asciiLineComb(p, lineEnd)
                  : decodedLineComb(fromCp1251(QByteArray(p, static_cast<qsizetype>(lineEnd - p))));
        if (!comb) {
            ++result.skipped;
        } else if (!isProperComb(*comb)) {
            if (result.refused++ == 0) {
                result.firstRefusedLine = lineNumber;
                result.firstRefusedText = fromCp1251(QByteArray(p, static_cast<qsizetype>(lineEnd - p)));
            }
        } else {
            if (out.size() >= capacity)
                throw Error(combListFullText(capacity));
            out.push_back(*comb);
            ++result.combinations;
        }
        p = next;
    }
    return result;
}

CombsReadResult LoadCombsFile(const QString& path, CombList& list)
{
    const QByteArray bytes = readWholeFile(path);
    // The shortest line of a proper combination, "1;2;3;4;5" and a line end,
    // takes ten bytes, which bounds the count without a second pass.
    TCombsArray combs;
    combs.reserve(std::min(list.capacity(), static_cast<size_t>(bytes.size()) / 10 + 1));
    const CombsReadResult result = parseCombsFile(bytes, list.capacity(), combs);
    list.assign(combs.data(), combs.size());
    return result;
}

QByteArray encodeCombsFile(const TComb* combs, size_t count)
{
    // Numbers and separators are ASCII, which Windows-1251 keeps as it is, so
    // the bytes are written directly: at most "255;255;255;255;255\r\n" a line.
    QByteArray out(static_cast<qsizetype>(count * 21), Qt::Uninitialized);
    char* w = out.data();
    for (size_t i = 0; i < count; ++i) {
        for (size_t k = 0; k < combs[i].n.size(); ++k) {
            if (k > 0)
                *w++ = ';';
            const unsigned v = combs[i].n[k];
            if (v >= 100)
                *w++ = static_cast<char>('0' + v / 100);
            if (v >= 10)
                *w++ = static_cast<char>('0' + v / 10 % 10);
            *w++ = static_cast<char>('0' + v % 10);
        }
        *w++ = '\r';
        *w++ = '\n';
    }
    out.truncate(static_cast<qsizetype>(w - out.constData()));
    return out;
}

void SaveCombsFile(const QString& path, const CombList& list)
{
    writeFileAtomically(path, encodeCombsFile(list.data(), list.count()));
}

}  // namespace zircon
