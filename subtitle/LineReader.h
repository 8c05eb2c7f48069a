// Reading the text of a subtitle file line by line, and the small tests on a line that the
// readers and the recognition of the file kind share.
#pragma once

#include <algorithm>
#include <string>

namespace lumelle {

// Splits text into lines: a line ends at a line feed, a carriage return, or both together, so
// files of every system read alike. The end of the data after a final line break gives no
// extra empty line; reading past the end gives "".
class LineReader
{
public:
    explicit LineReader(const std::string& data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }

    std::string readLine()
    {
        const std::size_t size = m_data.size();
        std::size_t end = m_pos;
        while (end < size && m_data[end] != '\n' && m_data[end] != '\r')
            ++end;
        std::string line = m_data.substr(std::min(m_pos, size), end - std::min(m_pos, size));
        if (end < size && m_data[end] == '\r' && end + 1 < size && m_data[end + 1] == '\n')
            ++end;
        m_pos = end < size ? end + 1 : size;
        ++m_lineNumber;
        return line;
    }

    // The number (1-based) of the line read last.
    int lineNumber() const { return m_lineNumber; }

    // Where the reader stands, to look ahead and come back.
    struct Mark
    {
        std::size_t pos;
        int lineNumber;
    };
    Mark position() const { return {m_pos, m_lineNumber}; }
    void seek(Mark mark) { m_pos = mark.pos, m_lineNumber = mark.lineNumber; }

private:
    const std::string& m_data;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

inline bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The line without the blanks and tabs around it.
inline std::string Trimmed(const std::string& line)
{
    const std::size_t from = line.find_first_not_of(" \t");
    if (from == std::string::npos)
        return std::string();
    return line.substr(from, line.find_last_not_of(" \t") - from + 1);
}

// A line meant as a SubRip time line, well written or not: a digit (or sign) first and an
// arrow.
inline bool LooksLikeTimeLine(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const char c = line[first];
    return ((c >= '0' && c <= '9') || c == '-' || c == '+') &&
           line.find("-->", first) != std::string::npos;
}

// The Ctrl-Z that old editors wrote at the end of a text file.
inline bool IsEndOfFileMark(const std::string& line)
{
    return Trimmed(line) == "\x1A";
}

inline constexpr char kEndOfFileMarkReason[] = "end-of-file mark (Ctrl-Z)";

} // namespace lumelle
