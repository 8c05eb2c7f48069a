// A tiny big-endian byte writer over a caller's buffer: every binary field of the forms written
// (subpicture units, program-stream packs, Blu-ray segments) goes through it, one call per field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace lumelle {

class ByteWriter
{
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void u8(unsigned value) { m_out.push_back(std::uint8_t(value & 0xFF)); }
    void u16(unsigned value)
    {
        u8(value >> 8);
        u8(value);
    }
    void bytes(std::initializer_list<std::uint8_t> values)
    {
        m_out.insert(m_out.end(), values.begin(), values.end());
    }
    void bytes(const std::uint8_t* data, std::size_t count)
    {
        m_out.insert(m_out.end(), data, data + count);
    }
    void fill(std::uint8_t value, std::size_t count) { m_out.insert(m_out.end(), count, value); }

    std::size_t size() const { return m_out.size(); }

private:
    std::vector<std::uint8_t>& m_out;
};

} // namespace lumelle
