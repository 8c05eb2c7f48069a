#include "subtitle/EntryStore.h"

#include "subtitle/Subtitle.h"

#include <cstdint>

namespace lumelle {

namespace {

// A count in seven-bit groups, the lowest first; every byte but the last has its top bit set.
void putCount(std::string& out, std::uint64_t n)
{
    while (n >= 0x80) {
        out.push_back(char(std::uint8_t(n) | 0x80));
        n >>= 7;
    }
    out.push_back(char(n));
}

std::uint64_t takeCount(const char*& at)
{
    std::uint64_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = std::uint8_t(*at++);
        n |= std::uint64_t(byte & 0x7F) << shift;
        if (byte < 0x80)
            return n;
    }
}

void putText(std::string& out, const std::string& text)
{
    putCount(out, text.size());
    out.append(text);
}

std::string takeText(const char*& at)
{
    const auto size = std::size_t(takeCount(at));
    std::string text(at, size);
    at += size;
    return text;
}

// Italic, bold and underline in the low three bits; a colour as bit 3 and the 24-bit value
// above it.
std::uint64_t styleBits(const TextStyle& style)
{
    std::uint64_t bits = (style.italic ? 1 : 0) | (style.bold ? 2 : 0) | (style.underline ? 4 : 0);
    if (style.colour)
        bits |= 8 | (std::uint64_t(*style.colour) << 4);
    return bits;
}

TextStyle styleOf(std::uint64_t bits)
{
    TextStyle style{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, std::nullopt};
    if (bits & 8)
        style.colour = ColorValue(bits >> 4);
    return style;
}

} // namespace

void EntryStore::reserve(std::size_t entries, std::size_t bytes)
{
    m_starts.reserve(m_starts.size() + entries);
    m_bytes.reserve(m_bytes.size() + bytes);
}

void EntryStore::append(const SubtitleLine& entry)
{
    m_starts.push_back(m_bytes.size());
    for (const std::string* field :
         {&entry.StartFrame, &entry.EndFrame, &entry.Line1, &entry.Line2, &entry.Line3})
        putText(m_bytes, *field);
    putCount(m_bytes, entry.MoreLines.size());
    for (const std::string& line : entry.MoreLines)
        putText(m_bytes, line);
    putCount(m_bytes, entry.Spans.size());
    for (const StyleSpan& span : entry.Spans) {
        putCount(m_bytes, std::uint32_t(span.line));
        putCount(m_bytes, span.begin);
        putCount(m_bytes, span.end);
        putCount(m_bytes, styleBits(span.style));
    }
    putCount(m_bytes, std::uint64_t(entry.Place));
}

SubtitleLine EntryStore::at(std::size_t index) const
{
    const char* at = m_bytes.data() + m_starts[index];
    SubtitleLine entry;
    for (std::string* field :
         {&entry.StartFrame, &entry.EndFrame, &entry.Line1, &entry.Line2, &entry.Line3})
        *field = takeText(at);
    entry.MoreLines.resize(std::size_t(takeCount(at)));
    for (std::string& line : entry.MoreLines)
        line = takeText(at);
    entry.Spans.resize(std::size_t(takeCount(at)));
    for (StyleSpan& span : entry.Spans) {
        span.line = int(std::uint32_t(takeCount(at)));
        span.begin = std::size_t(takeCount(at));
        span.end = std::size_t(takeCount(at));
        span.style = styleOf(takeCount(at));
    }
    entry.Place = int(takeCount(at));
    return entry;
}

void EntryStore::clear()
{
    // The memory goes back too: a long film loaded before a short one is not kept.
    std::string().swap(m_bytes);
    std::vector<std::size_t>().swap(m_starts);
}

} // namespace lumelle
