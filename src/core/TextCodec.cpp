#include "core/TextCodec.h"

#include <QStringList>

#include <cerrno>
#include <iconv.h>

namespace zircon {
namespace {

// One conversion through iconv; an unconvertible input unit is replaced by
// `replacement` and skipped so that one odd character never loses the rest.
QByteArray convert(const char* to, const char* from, const QByteArray& in, const QByteArray& replacement,
                   int unitSize)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace one input unit and go on.
            out.append(replacement);
            size_t skip = inLeft < static_cast<size_t>(unitSize) ? inLeft : static_cast<size_t>(unitSize);
            inPtr += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

QString fromCp1251(const QByteArray& bytes)
{
    const QByteArray replacement("\xEF\xBF\xBD");  // U+FFFD in UTF-8
    return QString::fromUtf8(convert("UTF-8", "WINDOWS-1251", bytes, replacement, 1));
}

QByteArray toCp1251(const QString& text)
{
    // UTF-32 input lets an unconvertible character be skipped as one unit.
    QByteArray utf32;
    const QList<uint> codes = text.toUcs4();
    utf32.resize(codes.size() * 4);
    for (qsizetype i = 0; i < codes.size(); ++i) {
        uint c = codes[i];
        utf32[i * 4 + 0] = static_cast<char>(c & 0xFF);
        utf32[i * 4 + 1] = static_cast<char>((c >> 8) & 0xFF);
        utf32[i * 4 + 2] = static_cast<char>((c >> 16) & 0xFF);
        utf32[i * 4 + 3] = static_cast<char>((c >> 24) & 0xFF);
    }
    return convert("WINDOWS-1251", "UTF-32LE", utf32, QByteArray("?"), 4);
}

QStringList splitTextLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinCrLfLines(const QStringList& lines)
{
    QString out;
    for (const QString& line : lines) {
        out += line;
        out += QStringLiteral("\r\n");
    }
    return out;
}

}  // namespace zircon
