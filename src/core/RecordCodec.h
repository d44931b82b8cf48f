#pragma once
// The one codec of the binary data files: fixed little-endian records written
// and read field by field, so the files stay byte-exact whatever the compiler
// does with struct layout. A reader never reads past its record and reports a
// field that does not fit instead of guessing.
#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zircon {

class RecordWriter {
public:
    explicit RecordWriter(QByteArray& out) : m_out(out), m_start(out.size()) {}

    void u8(uint8_t v) { m_out.append(static_cast<char>(v)); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void i64(int64_t v)
    {
        auto u = static_cast<uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            m_out.append(static_cast<char>((u >> (8 * i)) & 0xFF));
    }
    void f64(double v)
    {
        uint64_t u;
        std::memcpy(&u, &v, sizeof u);
        i64(static_cast<int64_t>(u));
    }
    void bytes(const uint8_t* data, int count) { m_out.append(reinterpret_cast<const char*>(data), count); }
    // A length-prefixed string field of `capacity` characters: one length byte,
    // the characters, then zero padding. Longer text is cut to the capacity.
    void shortString(std::string_view text, int capacity)
    {
        int len = static_cast<int>(text.size()) < capacity ? static_cast<int>(text.size()) : capacity;
        u8(static_cast<uint8_t>(len));
        m_out.append(text.data(), len);
        zeros(capacity - len);
    }
    void zeros(int count) { m_out.append(count, '\0'); }
    qsizetype written() const { return m_out.size() - m_start; }

private:
    QByteArray& m_out;
    qsizetype m_start;
};

class RecordReader {
public:
    RecordReader(const char* data, qsizetype size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }
    qsizetype position() const { return m_pos; }

    uint8_t u8()
    {
        if (!need(1))
            return 0;
        return static_cast<uint8_t>(m_data[m_pos++]);
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint32_t u32()
    {
        if (!need(4))
            return 0;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(static_cast<uint8_t>(m_data[m_pos + i])) << (8 * i);
        m_pos += 4;
        return v;
    }
    int64_t i64()
    {
        if (!need(8))
            return 0;
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<uint64_t>(static_cast<uint8_t>(m_data[m_pos + i])) << (8 * i);
        m_pos += 8;
        return static_cast<int64_t>(v);
    }
    double f64()
    {
        auto u = static_cast<uint64_t>(i64());
        double v;
        std::memcpy(&v, &u, sizeof v);
        return v;
    }
    void bytes(uint8_t* out, int count)
    {
        if (!need(count))
            return;
        std::memcpy(out, m_data + m_pos, static_cast<size_t>(count));
        m_pos += count;
    }
    // Reads a length-prefixed field of `capacity` characters; a length above
    // the capacity marks the record as not fitting.
    std::string shortString(int capacity)
    {
        uint8_t len = u8();
        if (!need(capacity))
            return {};
        if (len > capacity) {
            m_ok = false;
            m_pos += capacity;
            return {};
        }
        std::string s(m_data + m_pos, len);
        m_pos += capacity;
        return s;
    }
    void skip(int count)
    {
        if (need(count))
            m_pos += count;
    }
    // Lets a decoder refuse a field whose value is out of its range.
    void require(bool condition)
    {
        if (!condition)
            m_ok = false;
    }

private:
    bool need(qsizetype count)
    {
        if (m_pos + count > m_size) {
            m_ok = false;
            return false;
        }
        return true;
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

}  // namespace zircon
