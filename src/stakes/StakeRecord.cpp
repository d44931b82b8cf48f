#include "stakes/StakeRecord.h"

#include <algorithm>

#include "core/Format.h"
#include "core/RecordCodec.h"
#include "core/TextCodec.h"
#include "core/Tr.h"

namespace zircon {
namespace {

// The count and the eight number bytes of a number set; only the counted
// bytes are written, the rest are zeros whatever the array holds.
void writeShema(RecordWriter& w, const TShema& set)
{
    w.i32(set.count);
    const int used = std::clamp<int>(set.count, 0, kMaxShemaNumbers);
    w.bytes(set.nums.data(), used);
    w.zeros(kMaxShemaNumbers - used);
}

bool validNumber(uint8_t n)
{
    return n >= 1 && n <= kMainMax;
}

bool distinctNumbers(const TShema& set, int used)
{
    for (int i = 0; i < used; ++i)
        for (int j = i + 1; j < used; ++j)
            if (set.nums[static_cast<size_t>(i)] == set.nums[static_cast<size_t>(j)])
                return false;
    return true;
}

bool sameShema(const TShema& a, const TShema& b)
{
    if (a.count != b.count)
        return false;
    const int used = std::clamp<int>(a.count, 0, kMaxShemaNumbers);
    return std::equal(a.nums.begin(), a.nums.begin() + used, b.nums.begin());
}

}  // namespace

bool operator==(const StakeRecord& a, const StakeRecord& b)
{
    return a.kind == b.kind && a.drawNumber == b.drawNumber && a.checked == b.checked && a.listSize == b.listSize &&
           sameShema(a.numbers, b.numbers) && a.drawNumbers == b.drawNumbers && sameShema(a.matched, b.matched) &&
           a.profit == b.profit && a.commentBytes() == b.commentBytes();
}

void StakeRecord::setCommentBytes(const QByteArray& bytes)
{
    commentLen = static_cast<uint8_t>(std::min<qsizetype>(bytes.size(), kStakeCommentMax));
    commentChars.fill(0);
    std::copy_n(bytes.constData(), commentLen, commentChars.begin());
}

QString StakeRecord::comment() const
{
    return fromCp1251(commentBytes());
}

void StakeRecord::setComment(const QString& text)
{
    setCommentBytes(toCp1251(text));
}

void encodeStake(const StakeRecord& r, QByteArray& out)
{
    RecordWriter w(out);
    w.u8(kStakeRecordVersion);
    w.u8(static_cast<uint8_t>(r.kind));
    w.zeros(2);
    w.i32(r.drawNumber);
    w.u8(r.checked ? 1 : 0);
    w.zeros(3);
    w.i32(r.listSize);
    writeShema(w, r.numbers);
    w.bytes(r.drawNumbers.n.data(), kMainCount);
    w.zeros(3);
    writeShema(w, r.matched);
    w.i64(r.profit);
    w.shortString(std::string_view(r.commentChars.data(), r.commentLen), kStakeCommentMax);
}

QByteArray encodeStake(const StakeRecord& record)
{
    QByteArray out;
    out.reserve(kStakeRecordSize);
    encodeStake(record, out);
    return out;
}

bool decodeStake(const char* data, StakeRecord& record)
{
    RecordReader r(data, kStakeRecordSize);
    StakeRecord d;
    r.require(r.u8() == kStakeRecordVersion);
    const uint8_t kind = r.u8();
    r.require(kind <= static_cast<uint8_t>(StakeKind::System));
    d.kind = static_cast<StakeKind>(kind);
    r.skip(2);
    d.drawNumber = r.i32();
    const uint8_t checked = r.u8();
    r.require(checked <= 1);
    d.checked = checked == 1;
    r.skip(3);
    d.listSize = r.i32();
    r.require(d.listSize >= 0);

    d.numbers.count = r.i32();
    r.require(d.numbers.count >= 0 && d.numbers.count <= kMaxShemaNumbers);
    std::array<uint8_t, kMaxShemaNumbers> raw{};
    r.bytes(raw.data(), kMaxShemaNumbers);
    const int used = std::clamp<int>(d.numbers.count, 0, kMaxShemaNumbers);
    std::copy_n(raw.begin(), used, d.numbers.nums.begin());
    for (int i = 0; i < used; ++i)
        r.require(validNumber(d.numbers.nums[static_cast<size_t>(i)]));
    r.require(distinctNumbers(d.numbers, used));

    r.bytes(d.drawNumbers.n.data(), kMainCount);
    for (uint8_t n : d.drawNumbers.n)
        r.require(n <= kMainMax);
    r.skip(3);

    d.matched.count = r.i32();
    r.require(d.matched.count >= -1 && d.matched.count <= kMaxShemaNumbers && d.matched.count <= d.numbers.count);
    raw.fill(0);
    r.bytes(raw.data(), kMaxShemaNumbers);
    const int matchedUsed = std::clamp<int>(d.matched.count, 0, kMaxShemaNumbers);
    std::copy_n(raw.begin(), matchedUsed, d.matched.nums.begin());
    for (int i = 0; i < matchedUsed; ++i)
        r.require(validNumber(d.matched.nums[static_cast<size_t>(i)]));

    d.profit = r.i64();
    // A length byte can never exceed the 255 characters it counts; the bytes
    // after the text are not part of the comment.
    d.commentLen = r.u8();
    r.bytes(reinterpret_cast<uint8_t*>(d.commentChars.data()), kStakeCommentMax);
    std::fill(d.commentChars.begin() + d.commentLen, d.commentChars.end(), '\0');
    if (!r.ok() || r.position() != kStakeRecordSize)
        return false;
    record = d;
    return true;
}

QString stakeProblem(const StakeRecord& record)
{
    if (record.drawNumber <= 0)
        return fmt(tr("Некорректный номер тиража ставки: %d!"), record.drawNumber);
    const int count = record.numbers.count;
    bool ok = count >= kMainCount && count <= kMaxShemaNumbers;
    for (int i = 0; ok && i < count; ++i)
        ok = validNumber(record.numbers.nums[static_cast<size_t>(i)]);
    if (!ok || !distinctNumbers(record.numbers, count))
        return tr("Ставка должна содержать от 5 до 8 различных чисел от 1 до 69!");
    return {};
}

}  // namespace zircon
