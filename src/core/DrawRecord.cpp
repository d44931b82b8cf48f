#include "core/DrawRecord.h"

#include "core/RecordCodec.h"

namespace zircon {

void encodeDraw(const TDraw& draw, QByteArray& out)
{
    RecordWriter w(out);
    w.i32(draw.number);
    w.bytes(draw.nums.data(), kMainCount);
    w.u8(draw.extra);
    w.shortString(std::string_view(draw.dateChars.data(), draw.dateLen), 10);
    w.zeros(3);
}

bool decodeDraw(const char* data, TDraw& draw)
{
    RecordReader r(data, kDrawRecordSize);
    TDraw d;
    d.number = r.i32();
    r.bytes(d.nums.data(), kMainCount);
    for (uint8_t n : d.nums)
        r.require(n <= kMainMax);
    d.extra = r.u8();
    r.require(d.extra <= kExtraMax);
    d.setDate(r.shortString(10));
    r.skip(3);
    if (!r.ok())
        return false;
    draw = d;
    return true;
}

}  // namespace zircon
