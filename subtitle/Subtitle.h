// The subtitle list of one input file, its readers (SubRip and MicroDVD) and the time-code
// conversions between SubRip times, frame numbers and index-file times.
#pragma once

#include "subtitle/TextDecoding.h"
#include "subtitle/EntryStore.h"
#include "subtitle/FrameRate.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace lumelle {

// One timed subtitle. All five fields are byte strings exactly as read; the frame numbers are
// decimal text counted at the frame rate in force when the file was read.
// How a stretch of a text line is to be drawn, as the file's markup asked.
struct TextStyle
{
    bool italic = false;
    bool bold = false;
    bool underline = false;

    bool operator==(const TextStyle&) const = default;
};

// A styled stretch of one text line: byte offsets [begin, end) into text line `line` of the
// entry (0-based: Line1 is 0), counted in the text after its markup was removed.
struct StyleSpan
{
    int line = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    TextStyle style;

    bool operator==(const StyleSpan&) const = default;
};

struct SubtitleLine
{
    std::string StartFrame;
    std::string EndFrame;
    std::string Line1;
    std::string Line2;
    std::string Line3;
    std::vector<std::string> MoreLines; // text lines 4, 5, ...
    std::vector<StyleSpan> Spans;       // styled stretches; empty for plain text

    // Every text line in order (Line1, Line2, Line3, then MoreLines) without the empty lines
    // at the end; at least one line, empty for a subtitle without text.
    std::vector<std::string> TextLines() const;

    bool operator==(const SubtitleLine&) const = default;
};

// A MicroDVD line split into its pieces, frame numbers as they stand in the line.
struct fivestrings
{
    std::string StartText;
    std::string EndText;
    std::string First;
    std::string Second;
    std::string Third;

    bool operator==(const fivestrings&) const = default;
};

// What a load found. An unsupported file is for the caller to report, with this text.
enum class LoadOutcome { Read, UnsupportedFormat };
inline constexpr char kUnsupportedFormatMessage[] = "Unsupported Subtitle Format !";

// An entry of the file that could not be read: the line it starts on (1-based) and why, in
// the program's words.
struct SkippedEntry
{
    int lineNumber = 0;
    QString reason;

    bool operator==(const SkippedEntry&) const = default;
};

class TSubtitle
{
public:
    // Recognises the file kind and appends one entry per subtitle. An unrecognised file leaves
    // the list untouched and gives UnsupportedFormat. A malformed number throws
    // ConversionError and a read failure throws Error; entries read before either stay.
    // Entries that cannot be read are skipped and listed in Skipped(). `charset` is the font
    // character set chosen in the window: its code page, unless a byte-order mark declares the
    // file's encoding or it is "DEFAULT" (then the encoding is detected), tells where the
    // characters of the file begin, so that markup and "|" are found on whole characters.
    LoadOutcome LoadFromFile(const QString& fileName, bool clearFirst, FrameRate rate,
                             double frameOffset, quint8 charset = 1);
    // The same for the bytes of a file already in memory; `fileName` gives the extension.
    LoadOutcome LoadFromData(const QString& fileName, const QByteArray& data, bool clearFirst,
                             FrameRate rate, double frameOffset, quint8 charset = 1);

    void AddLine(std::string startFrame, std::string endFrame, std::string line1, std::string line2,
                 std::string line3);
    // Appends a whole entry, its lines past the third and its style spans included.
    void AddEntry(const SubtitleLine& entry);
    void Clear();
    int Count() const;
    // Copies entry `index` (1-based, 1..Count) into `dest`.
    void GetLine(int index, SubtitleLine& dest) const;
    // The same entry as a new record. The list keeps its entries packed, so each call unpacks
    // one; reading a list from several threads at once is safe.
    SubtitleLine line(int index) const;

    // Frame number of a SubRip time text (hh:mm:ss,mmm) at `rate`, rounded to the nearest
    // frame with exact halves to the even one. Throws ConversionError.
    static std::string TimeToFrames(const std::string& time, FrameRate rate);
    // Index-file time text hh:mm:ss:mmm of `frame` at `rate`, every part truncated. A rate of 0
    // throws Error("0 Fps !!!").
    static std::string FramesToTime(std::int64_t frame, FrameRate rate);

    static bool IsSrtFile(const QString& fileName);
    static bool IsMicroDvdFile(const QString& fileName);
    static bool IsTimeLine(const std::string& line);
    static fivestrings SplitMicroDvdLine(const std::string& line);
    static std::string StripTags(const std::string& line);

    // The entries of the last load that were skipped, in file order.
    const std::vector<SkippedEntry>& Skipped() const { return m_skipped; }
    // The encoding of the last file read; decode its lines with DecodeText(bytes, charset,
    // Encoding()).
    const FileEncoding& Encoding() const { return m_encoding; }
    // When a MicroDVD file named its own frame rate and it differed from the chosen one, what
    // was done about it ("frame numbers converted from 23.976 to 25 fps"); empty otherwise.
    const QString& RateNote() const { return m_rateNote; }
    // The entry numbers (1-based) ordered by start frame; entries starting together keep their
    // file order. Output files need increasing times; the list itself keeps file order.
    std::vector<int> IndicesByStart() const;

private:
    // Reads the prepared text of a file (UTF-16/32 already turned into UTF-8) in `encoding`.
    LoadOutcome loadText(const QString& fileName, std::string text, FileEncoding encoding,
                         bool clearFirst, FrameRate rate, double frameOffset, quint8 charset);
    void readSubRip(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                    const std::string& codePage);
    void readMicroDvd(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                      const std::string& codePage);
    void skip(int lineNumber, const QString& reason);

    EntryStore m_lines;
    std::vector<SkippedEntry> m_skipped;
    FileEncoding m_encoding;
    QString m_rateNote;
};

// Strict decimal conversion of a 32-bit integer field: an optional sign and digits only.
// Anything else throws ConversionError naming the text.
int StrToInt(const std::string& text);

} // namespace lumelle
