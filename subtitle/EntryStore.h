// The entries of a subtitle list packed end to end in one byte buffer. A record of five
// strings and two vectors costs about 200 bytes and two or three small allocations per
// subtitle before its text; packed, a long film takes little more than its text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumelle {

struct SubtitleLine;

class EntryStore
{
public:
    // Makes room for `entries` more entries of about `bytes` bytes in all. Room that is never
    // written costs no memory, so a generous guess is cheap.
    void reserve(std::size_t entries, std::size_t bytes);
    void append(const SubtitleLine& entry);
    // Entry `index` (0-based) as a record.
    SubtitleLine at(std::size_t index) const;
    std::size_t size() const { return m_starts.size(); }
    void clear();

private:
    std::string m_bytes;               // every field of every entry, each after its length
    std::vector<std::size_t> m_starts; // where each entry begins in m_bytes
};

} // namespace lumelle
