#include "core/SegmentMap.h"

namespace zircon {

QString SegmentMapText(const TSegmentMap& map)
{
    QString text;
    text.reserve(kMainMax);
    for (uint8_t segment : map) {
        const uint8_t s = (segment >= kMinSegment && segment <= kMaxSegment) ? segment : kMinSegment;
        text += QLatin1Char(static_cast<char>('0' + s));
    }
    return text;
}

TSegmentMap ParseSegmentMap(const QString& text)
{
    TSegmentMap map;
    map.fill(kMinSegment);
    for (qsizetype i = 0; i < kMainMax && i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // "0" is a digit but no segment: every number belongs to one of 1..9.
        if (c >= u'0' + kMinSegment && c <= u'0' + kMaxSegment)
            map[static_cast<size_t>(i)] = static_cast<uint8_t>(c - u'0');
    }
    return map;
}

}  // namespace zircon
