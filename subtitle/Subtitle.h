// The subtitle list of one input file: its entries as the readers (SubRip, MicroDVD, ...)
// found them, their text in Unicode with the styles the markup asked for.
#pragma once

#include "platform/Colour.h"
#include "subtitle/EntryStore.h"
#include "subtitle/FileKind.h"
#include "subtitle/FrameRate.h"
#include "subtitle/TextDecoding.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumelle {

class EntriesWithOpenEnds;
struct MarkedText;

// How a stretch of a text line is to be drawn, as the file's markup asked.
struct TextStyle
{
    bool italic = false;
    bool bold = false;
    bool underline = false;
    std::optional<ColorValue> colour; // the text colour the file asks for; none: the window's

    bool operator==(const TextStyle&) const = default;
};

// Where the file places a subtitle, in the numeric keypad's layout: 1..3 at the bottom, 4..6 in
// the middle, 7..9 at the top, each row left, centre, right. kPlaceUnset: the file says nothing,
// and the window's alignment places it at the bottom.
inline constexpr int kPlaceUnset = 0;

// A styled stretch of one text line: byte offsets [begin, end) into the UTF-8 of text line
// `line` of the entry (0-based: Line1 is 0), counted in the text after its markup was removed.
struct StyleSpan
{
    int line = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    TextStyle style;

    bool operator==(const StyleSpan&) const = default;
};

// One timed subtitle. The frame numbers are decimal text counted at the frame rate in force
// when the file was read; the text lines are UTF-8 without markup.
struct SubtitleLine
{
    std::string StartFrame;
    std::string EndFrame;
    std::string Line1;
    std::string Line2;
    std::string Line3;
    std::vector<std::string> MoreLines; // text lines 4, 5, ...
    std::vector<StyleSpan> Spans;       // styled stretches; empty for plain text
    int Place = kPlaceUnset;            // a keypad position 1..9 when the file gives one

    // Every text line in order (Line1, Line2, Line3, then MoreLines) without the empty lines
    // at the end; at least one line, empty for a subtitle without text.
    std::vector<std::string> TextLines() const;

    bool operator==(const SubtitleLine&) const = default;
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
    // Entries that cannot be read are skipped and listed in Skipped(). The text is read into
    // Unicode as the file is read: in the encoding a byte-order mark declares; under the
    // "DEFAULT" `charset` as UTF-8 when it is valid UTF-8, else in the code page it is found
    // in; under any other character set chosen in the window, in that set's code page.
    LoadOutcome LoadFromFile(const QString& fileName, bool clearFirst, FrameRate rate,
                             double frameOffset, quint8 charset = 1);
    // The same for the bytes of a file already in memory; `fileName` gives the extension.
    LoadOutcome LoadFromData(const QString& fileName, const QByteArray& data, bool clearFirst,
                             FrameRate rate, double frameOffset, quint8 charset = 1);

    // The two-letter code of the language the subtitles are for ("el"), or empty: a hint for
    // telling apart code pages that the bytes of a short file fit equally well.
    void SetLanguageHint(std::string languageCode) { m_languageHint = std::move(languageCode); }
    const std::string& LanguageHint() const { return m_languageHint; }
    // WebVTT captions typed as they are spoken repeat each line in the next cue while the next
    // line is typed, and hold each finished line in a cue of a few milliseconds. Set, such a
    // file shows each line once: the cues of under 50 ms are left out and of every cue only the
    // lines the cue before did not show are kept.
    void SetRollingCaptions(bool collapse) { m_rollingCaptions = collapse; }
    // WebVTT voice tags (<v Anna>) name who speaks. Set, the name is put before the words
    // ("Anna: ..."); unset, only the words are shown.
    void SetSpeakerNames(bool shown) { m_speakerNames = shown; }
    // WebVTT captions cut from a broadcast stream carry an X-TIMESTAMP-MAP header tying their
    // times to the stream's clock. Set, its offset is added to every cue, for a video that keeps
    // that clock; unset, the times stay as written, for a video whose times start at zero.
    void SetTimestampMap(bool apply) { m_timestampMap = apply; }
    // A SAMI file holds a class of paragraphs per language. Set, the subtitles of the class of
    // that name (in any case) are read; empty, those of the first class that has any.
    void SetLanguageClass(std::string name) { m_languageClass = std::move(name); }

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

    // Index-file time text hh:mm:ss:mmm of `frame` at `rate`, every part truncated. A rate of 0
    // throws Error("0 Fps !!!").
    static std::string FramesToTime(std::int64_t frame, FrameRate rate);

    // True for an existing file of that kind, by its extension and its first lines.
    static bool IsSrtFile(const QString& fileName);
    static bool IsMicroDvdFile(const QString& fileName);
    static bool IsWebVttFile(const QString& fileName);
    static bool IsAssFile(const QString& fileName);

    // The entries of the last load that were skipped, in file order.
    const std::vector<SkippedEntry>& Skipped() const { return m_skipped; }
    // The entries of the last load shown otherwise than their times say (an end before the
    // start, a start before zero), with what was done, in file order.
    const std::vector<SkippedEntry>& Changed() const { return m_changed; }
    // How many entries of the last load end where they start: notes not meant to be shown,
    // left out of the list.
    int HiddenCount() const { return m_hidden; }
    // How many entries of the last load hold no text at all: they give no picture, and are
    // left out of the list (an ASS event's drawing is libass's to judge, so not counted).
    int EmptyCount() const { return m_empty; }
    // The encoding of the last file read, for telling the user how it was read.
    const FileEncoding& Encoding() const { return m_encoding; }
    // When a MicroDVD file named its own frame rate and it differed from the chosen one, what
    // was done about it ("frame numbers converted from 23.976 to 25 fps"); empty otherwise.
    const QString& RateNote() const { return m_rateNote; }
    // What else the user should know about how the last file was read (parts of the text left
    // out, times moved), one sentence each.
    const QStringList& ReadNotes() const { return m_readNotes; }
    // The kind of the last file read; Unknown before any.
    FileKind Kind() const { return m_kind; }
    // The two-letter code of the language the last file declares for its text (TTML xml:lang,
    // a SAMI class's lang, an EBU STL language code); empty when it declares none.
    const std::string& DeclaredLanguage() const { return m_declaredLanguage; }
    // A language class of a SAMI file: its name ("ENCC") and the two-letter code of its language
    // ("en"; empty when the class names none).
    struct LanguageClass
    {
        std::string name;
        std::string language;
        bool operator==(const LanguageClass&) const = default;
    };
    // The classes of the last SAMI file read that hold subtitles, in the order the file gives
    // them; empty for every other kind.
    const std::vector<LanguageClass>& LanguageClasses() const { return m_languageClasses; }

private:
    // Reads the prepared text of a file (UTF-16/32 already turned into UTF-8) in `encoding`.
    LoadOutcome loadText(const QString& fileName, PreparedText prepared, bool clearFirst,
                         FrameRate rate, double frameOffset, quint8 charset);
    // The readers, one file each; `decoder` turns the file's text lines into UTF-8.
    void readSubRip(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                    const TextDecoder& decoder);
    void readMicroDvd(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                      const TextDecoder& decoder);
    void readWebVtt(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                    const TextDecoder& decoder);
    // MPL2: "[start][end]text" in tenths of a second.
    void readMpl2(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                  const TextDecoder& decoder);
    // SubViewer 2 and YouTube SBV: a time line "start,end" and its text up to a blank line.
    void readSubViewer(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                       const TextDecoder& decoder);
    // TTML, DFXP, IMSC 1 text and iTunes Timed Text: XML documents of timed paragraphs.
    void readTtml(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                  const TextDecoder& decoder);
    // SAMI: <SYNC Start=ms> blocks of <P Class=...> paragraphs, one class per language.
    void readSami(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                  const TextDecoder& decoder);
    // EBU STL: a binary general block and 128-byte text blocks.
    void readEbuStl(const std::string& data, FrameRate rate, std::int64_t frameOffset);
    // An ASS/SSA script's events as plain text (its drawing is done by the ASS source).
    void readAss(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                 const TextDecoder& decoder);
    // A subtitle with times in milliseconds, as the SubRip and WebVTT readers find one: the
    // line its times stand on (1-based) and its name (number or identifier) for messages.
    struct TimedText
    {
        int lineNumber = 0;
        QString name;
        std::int64_t startMs = 0;
        std::int64_t endMs = 0;
    };
    // Judges the times of `timed` (hidden, skipped, moved to zero, open end), reads the markup
    // of its text lines (UTF-8) and adds it.
    // `plain`: the lines are plain text, without markup to read.
    void addTimedEntry(const TimedText& timed, std::vector<std::string> textLines, FrameRate rate,
                       std::int64_t frameOffset, EntriesWithOpenEnds& entries, bool plain = false);
    // The same for text whose styles and place the reader has already taken from the file.
    // An entry that shows no text is counted and left out (it only ends an open-ended entry
    // before it) unless `keepEmpty`.
    void addMarkedEntry(const TimedText& timed, MarkedText marked, FrameRate rate,
                        std::int64_t frameOffset, EntriesWithOpenEnds& entries,
                        bool keepEmpty = false);
    // Judges the frame times of a MicroDVD entry read on `lineNumber`: false when it is hidden
    // or skipped, true when it is shown, with `start` moved to zero or the end made open where
    // the times ask for it (an open end gives `end` the start).
    bool takeFrameTimes(int lineNumber, std::int64_t& start, std::int64_t& end, bool& openEnd);
    void skip(int lineNumber, const QString& reason);
    void noteChanged(int lineNumber, const QString& reason);

    EntryStore m_lines;
    std::vector<SkippedEntry> m_skipped;
    std::vector<SkippedEntry> m_changed;
    int m_hidden = 0;
    int m_empty = 0;
    FileEncoding m_encoding;
    QString m_rateNote;
    QStringList m_readNotes;
    FileKind m_kind = FileKind::Unknown;
    std::string m_languageHint;
    bool m_rollingCaptions = false;
    bool m_speakerNames = false;
    bool m_timestampMap = false;
    std::string m_languageClass;
    std::string m_declaredLanguage;
    std::vector<LanguageClass> m_languageClasses;
};

// Strict decimal conversion of a 32-bit integer field: an optional sign and digits only.
// Anything else throws ConversionError naming the text.
int StrToInt(const std::string& text);

} // namespace lumelle
