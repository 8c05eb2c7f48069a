// Subtitle files as people bring them: loose times, markup, many lines, encodings, old line
// ends, frame-rate headers, unreadable entries.
#include "TestFiles.h"
#include "convert/ShowPlan.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/LoadReport.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TextDecoding.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace lumelle {
// Readable failures for skipped entries.
void PrintTo(const SkippedEntry& entry, std::ostream* out)
{
    *out << entry.lineNumber << ": " << entry.reason.toStdString();
}
} // namespace lumelle

namespace {

constexpr quint8 kDefault = 1;
constexpr quint8 kShiftJis = 128;
constexpr quint8 kBig5 = 136;
constexpr quint8 kGreek = 161;
constexpr quint8 kRussian = 204;

class Readers : public ::testing::Test
{
protected:
    TSubtitle load(const char* name, const QByteArray& bytes, quint8 charset = kDefault,
                   FrameRate rate = FrameRate(25000))
    {
        TSubtitle list;
        m_outcome = list.LoadFromFile(writeFileIn(m_dir, QString::fromUtf8(name), bytes), true,
                                      rate, 0, charset);
        return list;
    }
    // Start, end and text lines (TextLines) of every entry, joined for short comparisons.
    static std::vector<std::string> rows(const TSubtitle& list)
    {
        std::vector<std::string> out;
        for (int i = 1; i <= list.Count(); ++i) {
            const SubtitleLine& l = list.line(i);
            std::string row = l.StartFrame + "-" + l.EndFrame;
            for (const std::string& text : l.TextLines())
                row += "|" + text;
            out.push_back(row);
        }
        return out;
    }

    QTemporaryDir m_dir;
    LoadOutcome m_outcome = LoadOutcome::UnsupportedFormat;
};

using Rows = std::vector<std::string>;

} // namespace

TEST_F(Readers, LooselyWrittenTimeLinesAllRead)
{
    const TSubtitle list = load("loose.srt", "1\n00:00:01,000-->00:00:02,000\nno spaces\n\n"
                                             "2\n00:00:03,000  -->  00:00:04,000\ntwo spaces\n\n"
                                             "3\n0:00:05,000 --> 0:00:06,000\none-digit hours\n\n"
                                             "4\n00:00:07,5 --> 00:00:08,25\ntenths, hundredths\n\n"
                                             "5\n00:00:09.000 --> 00:00:10.000\nfull stops\n\n"
                                             "6\n 00:00:11,000 --> 00:00:12,000\nleading space\n\n"
                                             "7\n00:00:13,000 --> 00:00:14,000 X1:1 X2:9\nxy\n\n"
                                             "8\n000:00:15,000 --> 000:00:16,000\nthree digits\n\n"
                                             "9\n00:00:17,000\t-->\t00:00:18,000\ntabs\n");
    EXPECT_EQ(rows(list),
              (Rows{"25-50|no spaces", "75-100|two spaces", "125-150|one-digit hours",
                    "188-206|tenths, hundredths", "225-250|full stops", "275-300|leading space",
                    "325-350|xy", "375-400|three digits", "425-450|tabs"}));
    EXPECT_TRUE(list.Skipped().empty());
}

TEST_F(Readers, MarkupIsRemovedEverywhereAndItsStylesKept)
{
    const TextStyle i{.italic = true}, b{.bold = true}, u{.underline = true};
    const TextStyle red{.colour = makeColor(255, 0, 0)}, blue{.colour = makeColor(0, 0, 255)};
    const struct
    {
        const char* file;
        const char* text;
        Rows lines;
        std::vector<StyleSpan> spans;
    } cases[] = {
        {"a.srt", "<i>one</i> and <i>two</i>", {"one and two"}, {{0, 0, 3, i}, {0, 8, 11, i}}},
        {"a.srt", "<font color=\"#ff0000\">red</font> <s>gone</s>", {"red gone"}, {{0, 0, 3, red}}},
        {"a.srt", "<B>bold</B> <U>under</U>", {"bold under"}, {{0, 0, 4, b}, {0, 5, 10, u}}},
        {"a.srt",
         "<i>open\nclosed</i> after",
         {"open", "closed after"},
         {{0, 0, 4, i}, {1, 0, 6, i}}},
        {"a.srt", "{\\an8}top {\\i1}it{\\i0}", {"top it"}, {{0, 4, 6, i}}},
        {"a.srt", "one\\Ntwo\\nthree\\hfour", {"one", "two", "three four"}, {}},
        {"a.srt", "a < b and c > d <3", {"a < b and c > d <3"}, {}},
        {"a.srt",
         "<b><i>x</i></b> <U>u</U> <font color=red>f</font>",
         {"x u f"},
         {{0, 0, 1, {.italic = true, .bold = true}}, {0, 2, 3, u}, {0, 4, 5, red}}},
        // A style open across a line break starts again at the start of the next line.
        {"a.srt", "<i>ab\\Ncd</i>", {"ab", "cd"}, {{0, 0, 2, i}, {1, 0, 2, i}}},
        // Neighbouring stretches of one style are one span.
        {"a.srt", "<i>a</i><i>b</i>{\\i1}c", {"abc"}, {{0, 0, 3, i}}},
        // Unknown tags and MicroDVD codes inside SubRip are markup too; other braces stay.
        {"a.srt", "<invalid_tag>x</invalid_tag> <my-tag>y", {"x y"}, {}},
        {"a.srt",
         "{Y:i}slant {y:b}bold {q:1}",
         {"slant bold {q:1}"},
         {{0, 0, 6, i}, {0, 6, 16, {.italic = true, .bold = true}}}},
        {"a.sub", "{y:i}first|second", {"first", "second"}, {{0, 0, 5, i}}},
        {"a.sub", "/slanted|plain", {"slanted", "plain"}, {{0, 0, 7, i}}},
        {"a.sub", "{Y:b}both|lines", {"both", "lines"}, {{0, 0, 4, b}, {1, 0, 5, b}}},
        {"a.sub", "{c:$0000ff}{f:Arial}red {s:20}big", {"red big"}, {{0, 0, 7, red}}},
        {"a.sub", "{C:$FF0000}blue|both", {"blue", "both"}, {{0, 0, 4, blue}, {1, 0, 4, blue}}},
        {"a.sub", "a|b|c|d|e", {"a", "b", "c", "d", "e"}, {}},
    };
    for (const auto& c : cases) {
        const bool srt = QByteArray(c.file).endsWith(".srt");
        const QByteArray bytes =
            srt ? "1\n00:00:01,000 --> 00:00:02,000\n" + QByteArray(c.text) + "\n"
                : "{10}{20}" + QByteArray(c.text) + "\n";
        const TSubtitle list = load(c.file, bytes);
        ASSERT_EQ(list.Count(), 1) << c.text;
        EXPECT_EQ(list.line(1).TextLines(), c.lines) << c.text;
        EXPECT_EQ(list.line(1).Spans, c.spans) << c.text;
    }
}

TEST_F(Readers, PositionAndColourMarksAreKeptAsTheFileWritesThem)
{
    const auto colour = [](int r, int g, int b) { return TextStyle{.colour = makeColor(r, g, b)}; };
    const struct
    {
        const char* file;
        const char* text;
        int place;
        std::vector<StyleSpan> spans;
    } cases[] = {
        {"a.srt", "{\\an8}Top sign", 8, {}},
        {"a.srt", "{\\an7}left{\\an3} first mark wins", 7, {}},
        {"a.srt", "{\\a6}old top", 8, {}}, // the older numbers: 5..7 top, 9..11 middle
        {"a.srt", "{\\a10}old middle", 5, {}},
        {"a.srt", "{\\an0}{\\a4}no such place", kPlaceUnset, {}},
        {"a.srt", "plain", kPlaceUnset, {}},
        {"a.srt", "<font color=yellow>ye</font>s", kPlaceUnset, {{0, 0, 2, colour(255, 255, 0)}}},
        {"a.srt",
         "<FONT COLOR='00ff00' face=x>gr</FONT>",
         kPlaceUnset,
         {{0, 0, 2, colour(0, 255, 0)}}},
        {"a.srt", "<font color=\"nosuch\">x</font>", kPlaceUnset, {}},
        {"a.srt",
         "<font color=red>r<font color=lime>g</font>r</font>w",
         kPlaceUnset,
         {{0, 0, 1, colour(255, 0, 0)},
          {0, 1, 2, colour(0, 255, 0)},
          {0, 2, 3, colour(255, 0, 0)}}},
        {"a.srt", "{\\c&H00FFFF&}ye{\\c}w", kPlaceUnset, {{0, 0, 2, colour(255, 255, 0)}}},
        {"a.sub", "{P:1}{c:$00FF00}top", 8, {{0, 0, 3, colour(0, 255, 0)}}},
        {"a.sub", "{P:0}bottom", 2, {}},
    };
    for (const auto& c : cases) {
        const bool srt = QByteArray(c.file).endsWith(".srt");
        const QByteArray bytes =
            srt ? "1\n00:00:01,000 --> 00:00:02,000\n" + QByteArray(c.text) + "\n"
                : "{10}{20}" + QByteArray(c.text) + "\n";
        const TSubtitle list = load(c.file, bytes);
        ASSERT_EQ(list.Count(), 1) << c.text;
        EXPECT_EQ(list.line(1).Place, c.place) << c.text;
        EXPECT_EQ(list.line(1).Spans, c.spans) << c.text;
    }
}

TEST_F(Readers, ReportNamesCharactersNoInstalledFontCanDraw)
{
    // A private-use character of plane 15: no font of a desktop holds one.
    const QString report =
        LoadReport(load("boxes.srt", "1\n00:00:01,000 --> 00:00:02,000\nfine\n\n"
                                     "2\n00:00:03,000 --> 00:00:04,000\nbox \xF3\xB0\x81\x81 and "
                                     "\xF3\xB0\x81\x81 again\n"),
                   "boxes.srt", kDefault);
    EXPECT_TRUE(report.startsWith("1 subtitle of boxes.srt holds characters that no installed "
                                  "font can draw"))
        << report.toStdString();
    EXPECT_TRUE(report.endsWith("\nsubtitle 2: " + QString::fromUcs4(U"\U000F0041")))
        << report.toStdString();
}

TEST_F(Readers, HtmlCharacterReferencesAreDecodedAndALoneAmpersandStays)
{
    const struct
    {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Tom &amp; Jerry &lt;3 &gt; &quot;q&quot; it&apos;s", "Tom & Jerry <3 > \"q\" it's"},
        {"a&nbsp;b", "a\xC2\xA0"
                     "b"},
        {"caf&#233; caf&#xE9; caf&#XE9; &#128512;", "café café café \xF0\x9F\x98\x80"},
        // Decoded once: a written-out reference stays one, and a decoded "<" opens no tag.
        {"&amp;lt; &lt;i&gt;x&lt;/i&gt;", "&lt; <i>x</i>"},
        {"Tom & Jerry, R&D; a&b;c &", "Tom & Jerry, R&D; a&b;c &"},
        {"&#0; &#xD800; &#x110000; &#; &#x; &#12a; &AMP; &amp", "&#0; &#xD800; &#x110000; &#; "
                                                                "&#x; &#12a; &AMP; &amp"},
        {"<i>&amp;</i>", "&"},
    };
    for (const auto& c : cases) {
        for (const char* file : {"a.srt", "a.sub"}) {
            const QByteArray bytes =
                QByteArray(file).endsWith(".srt")
                    ? "1\n00:00:01,000 --> 00:00:02,000\n" + QByteArray(c.text) + "\n"
                    : "{10}{20}" + QByteArray(c.text) + "\n";
            const TSubtitle list = load(file, bytes);
            ASSERT_EQ(list.Count(), 1) << c.text;
            EXPECT_EQ(list.line(1).Line1, c.shown) << file << " " << c.text;
        }
    }
}

TEST_F(Readers, DoubleByteCodePagesSplitOnWholeCharacters)
{
    // "ポ" is 83 7C in Shift-JIS and "吜" CA 7C in Big5: their trail byte is "|". "ソ" (83 5C)
    // and "么" (A4 5C) end in "\", which must not start a line break.
    const QByteArray sjis = "{10}{20}\x83\x7C\x83\x5CN|\x83\x7C\n";
    const QByteArray big5 = "{10}{20}\xCA\x7C\xA4\x5CN|\xCA\x7C\n";
    for (const auto& [bytes, charset] : {std::pair{sjis, kShiftJis}, std::pair{big5, kBig5}}) {
        const TSubtitle list = load("a.sub", bytes, charset);
        ASSERT_EQ(list.Count(), 1);
        const TextDecoder decoder(charset, FileEncoding{});
        EXPECT_EQ(list.line(1).TextLines(), (Rows{decoder.utf8(bytes.mid(8, 5).toStdString()),
                                                  decoder.utf8(bytes.mid(14, 2).toStdString())}));
    }
}

TEST_F(Readers, UnicodeFilesWithAByteOrderMarkReadInBothFormats)
{
    // Plain English and Cyrillic-only text hold no byte of 0x80 or more in the wide forms.
    for (const QString& text : {QStringLiteral("Grüße, καλημέρα"), QStringLiteral("Hello there."),
                                QStringLiteral("Привет, мир")}) {
        for (const QString& newline : {QStringLiteral("\n"), QStringLiteral("\r\n")}) {
            const QString srt = "1" + newline + "00:00:01,000 --> 00:00:02,000" + newline + text +
                                newline + newline + "2" + newline +
                                "00:00:03,000 --> 00:00:04,000" + newline + "B" + newline;
            const QString sub = "{10}{20}" + text + "|2" + newline;
            for (const char* encoding : {"UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE"}) {
                auto encode = [&](const QString& s) {
                    auto encoder = QStringEncoder(encoding, QStringEncoder::Flag::WriteBom);
                    return QByteArray(encoder(s));
                };
                for (const auto& [name, bytes] :
                     {std::pair{"a.srt", encode(srt)}, std::pair{"a.sub", encode(sub)}}) {
                    const std::string what = std::string(encoding) + " " + name + " " +
                                             text.toStdString() +
                                             (newline.size() == 2 ? " CRLF" : " LF");
                    // A chosen character set does not override what the mark declares.
                    const TSubtitle list = load(name, bytes, kRussian);
                    ASSERT_EQ(m_outcome, LoadOutcome::Read) << what;
                    ASSERT_GE(list.Count(), 1) << what;
                    EXPECT_EQ(QString::fromStdString(list.line(1).Line1), text) << what;
                    EXPECT_EQ(list.Encoding().description(kRussian),
                              QString(encoding) + " (byte-order mark)");
                }
            }
        }
    }
}

TEST_F(Readers, Utf8WithOrWithoutAMarkNeedsNoWord)
{
    for (const QByteArray& mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        const TSubtitle list = load("a.srt", mark + "1\n00:00:01,000 --> 00:00:02,000\nGrüße\n");
        EXPECT_EQ(list.line(1).Line1, "Grüße");
        EXPECT_EQ(LoadReport(list, "a.srt", kDefault), QString());
    }
}

TEST_F(Readers, GreekCodePageIsDetectedUnderDefaultAndAChosenCharsetWins)
{
    const QString greek[] = {QStringLiteral("Καλημέρα, τι κάνεις σήμερα;"),
                             QStringLiteral("Πολύ καλά, ευχαριστώ. Εσύ;"),
                             QStringLiteral("Θα πάμε στη θάλασσα το απόγευμα."),
                             QStringLiteral("Όχι, έχω δουλειά μέχρι αργά το βράδυ.")};
    QByteArray bytes;
    auto encoder = QStringEncoder("windows-1253");
    for (int n = 0; n < 4; ++n)
        bytes += QByteArray::number(n + 1) + "\r\n00:00:0" + QByteArray::number(n + 1) +
                 ",000 --> 00:00:0" + QByteArray::number(n + 2) + ",000\r\n" +
                 QByteArray(encoder(greek[n])) + "\r\n\r\n";
    const TSubtitle list = load("greek.srt", bytes);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_FALSE(list.Encoding().declared);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(QString::fromStdString(list.line(n + 1).Line1), greek[n])
            << list.Encoding().codePage;
    EXPECT_TRUE(LoadReport(list, "greek.srt", kDefault).startsWith("greek.srt was read as "));
    EXPECT_TRUE(LoadReport(list, "greek.srt", kDefault).contains(" (detected)"));
    EXPECT_EQ(QString::fromStdString(load("greek.srt", bytes, kGreek).line(1).Line1), greek[0]);
    const TSubtitle russian = load("greek.srt", bytes, kRussian);
    EXPECT_EQ(QString::fromStdString(russian.line(1).Line1),
              TextDecoder(kRussian, FileEncoding{}).text(bytes.mid(34, 27).toStdString()));
    EXPECT_EQ(russian.Encoding().description(kRussian), "WINDOWS-1251 (chosen character set)");
    EXPECT_EQ(LoadReport(russian, "greek.srt", kRussian), QString());
}

TEST_F(Readers, ACodePageThatCannotBeDetectedIsSaidToBeAGuess)
{
    // Bytes that no code page the detector knows would hold.
    const QByteArray bytes = "1\r\n00:00:01,000 --> 00:00:02,000\r\n\x81\x8d\x8f\x90\r\n";
    const TSubtitle list = load("odd.srt", bytes);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Encoding().undetected);
    EXPECT_EQ(list.Encoding().description(kDefault), "WINDOWS-1252 (could not be detected)");
    EXPECT_EQ(LoadReport(list, "odd.srt", kDefault),
              "The encoding of odd.srt could not be detected; read as WINDOWS-1252. If the text "
              "looks wrong, choose its character set in the Font Charset list.");
    // A chosen character set is no guess.
    EXPECT_EQ(LoadReport(load("odd.srt", bytes, kGreek), "odd.srt", kGreek), QString());
}

TEST_F(Readers, Iso2022JpIsToldByItsEscapesAndDecoded)
{
    // "こんにちは、世界" and "またね" in ISO-2022-JP: 7-bit, switched by escapes.
    const QByteArray hello = "\x1B$B$3$s$K$A$O!\"@$3&\x1B(B";
    const QByteArray bye = "\x1B$B$^$?$M\x1B(B!";
    for (const auto& [name, bytes] :
         {std::pair{"jp.srt",
                    "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + hello + "\r\n" + bye + "\r\n"},
          std::pair{"jp.sub", "{10}{20}" + hello + "|" + bye + "\r\n"}}) {
        const TSubtitle list = load(name, bytes);
        ASSERT_EQ(list.Count(), 1) << name;
        EXPECT_EQ(list.line(1).TextLines(), (Rows{"こんにちは、世界", "またね!"})) << name;
        EXPECT_EQ(list.Encoding().description(kDefault), "ISO-2022-JP (detected)");
    }
}

TEST_F(Readers, FilesAreRecognisedByWhatTheyHold)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        Rows rows;
    } cases[] = {
        {"no-numbers.srt",
         "00:00:01,000 --> 00:00:02,000\nA\n\n00:00:03,000 --> 00:00:04,000\nB\n",
         {"25-50|A", "75-100|B"}},
        {"blank-first.srt", "\n\n\n1\n00:00:01,000 --> 00:00:02,000\nA\n", {"25-50|A"}},
        {"cr-only.srt",
         "1\r00:00:01,000 --> 00:00:02,000\rA\r\r2\r00:00:03,000 --> 00:00:04,000\rB\r",
         {"25-50|A", "75-100|B"}},
        {"blank-first.sub", "\r\n\r\n{1}{2}A\r\n", {"1-2|A"}},
        {"bom.txt", "\xEF\xBB\xBF{1}{2}A\n", {"1-2|A"}},
        {"cr-only.sub", "{1}{2}A\r{3}{4}B|C\r", {"1-2|A", "3-4|B|C"}},
        {"four-lines.srt", "1\n00:00:01,000 --> 00:00:02,000\n1\n2\n3\n4\n\n", {"25-50|1|2|3|4"}},
    };
    for (const auto& c : cases) {
        const TSubtitle list = load(c.name, c.bytes);
        EXPECT_EQ(m_outcome, LoadOutcome::Read) << c.name;
        EXPECT_EQ(rows(list), c.rows) << c.name;
    }
    // The first time line may stand below a title.
    const TSubtitle titled = load(
        "titled.srt", "My Film\nTranslated by someone\n\n1\n00:00:01,000 --> 00:00:02,000\nA\n");
    EXPECT_EQ(rows(titled), Rows{"25-50|A"});
    EXPECT_EQ(titled.Skipped(),
              (std::vector<SkippedEntry>{{1, "'My Film' has no time line before it"}}));
}

TEST_F(Readers, AssScriptsAreReadUnderAnyNameAsPlainTextEvents)
{
    const QByteArray script =
        "\n[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nFormat: Name, Fontname\n"
        "Style: Default,Arial\n\n[Events]\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\an8}Hello, {\\i1}world{\\i0}\\N"
        "second\\hline\n"
        "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,a note\n"
        "Dialogue: 0,0:00:03.00,0:00:04.50,Default,,0,0,0,,{\\p1}m 0 0 l 9 0 9 9{\\p0}Sign\n"
        "Dialogue: 0,0:00:05.00,x,Default,,0,0,0,,bad time\n";
    const Rows expected{"25-50|Hello, world|second line", "75-112|Sign"};
    // Recognised by its section, whatever the name says.
    for (const char* name : {"film.ass", "film.ssa", "film.txt", "film.srt", "film"}) {
        const TSubtitle list = load(name, script);
        EXPECT_EQ(m_outcome, LoadOutcome::Read) << name;
        EXPECT_EQ(rows(list), expected) << name;
        EXPECT_EQ(list.Skipped().size(), 1u) << name;
    }
    // An SSA script names its own fields; UTF-16 with a mark is decoded like SubRip.
    QByteArray ssa = "[Script Info]\n[Events]\nFormat: Marked, Start, End, Style, Name, "
                     "MarginL, MarginR, MarginV, Effect, Text\nDialogue: Marked=0,0:00:01.00,"
                     "0:00:02.00,*Default,,0000,0000,0000,,Ελληνικά\n";
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray wide = utf16(QString::fromUtf8(ssa));
    EXPECT_EQ(rows(load("greek.ssa", wide)), Rows{"25-50|Ελληνικά"});
    EXPECT_EQ(load("plain.ass", "[Script Infos]\n").Count(), 0);
    EXPECT_EQ(m_outcome, LoadOutcome::UnsupportedFormat);
}

TEST_F(Readers, WebVttCuesAreReadAndTheirTagsDrawnOrDropped)
{
    // Header metadata, NOTE, STYLE and REGION blocks, identifiers, hours left out, settings,
    // voices, colour classes, ruby readings, inline times and references, CRLF line ends.
    const QByteArray vtt =
        "WEBVTT - a film\r\nX-TIMESTAMP-MAP=MPEGTS:900000,LOCAL:00:00:00.000\r\n"
        "\r\nSTYLE\r\n::cue(.loud) { color: red }\r\n\r\nNOTE two\r\nlines\r\n"
        "\r\nREGION\r\nid:r1\r\n\r\nintro\r\n"
        "00:01.000 --> 00:02.000 line:0 align:start\r\n<v Bob>Sign</v>\r\n\r\n"
        "01:00:03.000 --> 01:00:04.000\r\n<i>It</i> <c.yellow.bg_blue>A &amp; B</c>"
        "\r\n<ruby>漢<rt>かん</rt></ruby>字 <01:00:03.500>then\r\n\r\n"
        "00:05.000 --> 00:05.000\r\nhidden\r\n"
        "00:06.000 --> 00:07.000\r\nno blank line before\r\n";
    for (const char* name : {"film.vtt", "film.srt"}) {
        const TSubtitle list = load(name, vtt);
        EXPECT_EQ(m_outcome, LoadOutcome::Read) << name;
        EXPECT_EQ(rows(list), (Rows{"25-50|Sign", "90075-90100|It A & B|漢字 then",
                                    "150-175|no blank line before"}))
            << name;
        EXPECT_EQ(list.HiddenCount(), 1);
        ASSERT_EQ(list.Count(), 3);
        // "line:0 align:start" places the sign top left; the italic and the yellow runs keep
        // their styles.
        EXPECT_EQ(list.line(1).Place, 7);
        EXPECT_EQ(list.line(2).Place, kPlaceUnset);
        ASSERT_EQ(list.line(2).Spans.size(), 2u);
        EXPECT_TRUE(list.line(2).Spans[0].style.italic);
        EXPECT_TRUE(list.line(2).Spans[1].style.colour.has_value());
    }
    // Captions typed as they are spoken: a line of one blank inside a cue, each line repeated
    // while the next is typed, finished lines held in 10 ms cues. Collapsed, each shows once.
    const QByteArray rolling =
        "WEBVTT\nKind: captions\n\n00:01.000 --> 00:02.000\n \n"
        "one<00:01.500><c> two</c>\n\n00:02.000 --> 00:02.010\none two\n \n\n"
        "00:02.010 --> 00:04.000\none two\nthree<00:03.000><c> four</c>\n";
    EXPECT_EQ(rows(load("auto.vtt", rolling)),
              (Rows{"25-50|one two", "50-50|one two", "50-100|one two|three four"}));
    TSubtitle collapsed;
    collapsed.SetRollingCaptions(true);
    collapsed.LoadFromFile(writeFileIn(m_dir, "auto.vtt", rolling), true, FrameRate(25000), 0);
    EXPECT_EQ(rows(collapsed), (Rows{"25-50|one two", "50-100|three four"}));

    // Without its signature a .vtt file is not taken for one.
    load("plain.vtt", "00:01.000 --> 00:02.000\nA\n");
    EXPECT_EQ(m_outcome, LoadOutcome::UnsupportedFormat);
}

TEST_F(Readers, WebVttStyleColoursSpeakersAndTheStreamClock)
{
    // STYLE colours for every cue and per class (overriding a default class), nested classes,
    // voices, a ruby reading and a timestamp map 10 s off.
    const QByteArray vtt =
        "WEBVTT\nX-TIMESTAMP-MAP=LOCAL:00:00:00.000,MPEGTS:900000\n\n"
        "STYLE\n/* a note */\n::cue { color: rgb(0, 0, 255) }\n"
        "::cue(.red), ::cue(.warn) { font-weight: bold; color: #00ff00 }\n\n"
        "00:01.000 --> 00:02.000\n<v Anna>a <c.warn>b <c.yellow>c</c> d</c> <c.red>e</c>\n"
        "<v.loud Ben>f <ruby>g<rt>h</rt></ruby> {\\an8}\n";
    // Each styled stretch as "line:begin-end=RRGGBB".
    const auto colours = [](const SubtitleLine& line) {
        std::vector<std::string> out;
        for (const StyleSpan& span : line.Spans) {
            char text[40];
            const ColorValue c = span.style.colour.value_or(0);
            std::snprintf(text, sizeof text, "%d:%zu-%zu=%02X%02X%02X", span.line, span.begin,
                          span.end, unsigned(redOf(c)), unsigned(greenOf(c)), unsigned(blueOf(c)));
            out.push_back(text);
        }
        return out;
    };
    const TSubtitle plain = load("film.vtt", vtt);
    EXPECT_EQ(rows(plain), (Rows{"25-50|a b c d e|f g {\\an8}"}));
    EXPECT_EQ(plain.line(1).Place, kPlaceUnset);
    EXPECT_EQ(colours(plain.line(1)),
              (Rows{"0:0-2=0000FF", "0:2-4=00FF00", "0:4-5=FFFF00", "0:5-7=00FF00", "0:7-8=0000FF",
                    "0:8-9=00FF00", "1:0-10=0000FF"}));
    // Without a colour for every cue: the end of a class inside another gives the outer colour
    // back and the end of the outermost the window's, on its own line or a later one.
    const TSubtitle nested = load("nested.vtt", "WEBVTT\n\n00:01.000 --> 00:02.000\n"
                                                "<c.red>a<c.blue>b</c>c</c>d\n<c.lime>e<c.blue>f\n"
                                                "g</c>h</c>i<c.red>j<c.x>k</c>l\n");
    EXPECT_EQ(rows(nested), (Rows{"25-50|abcd|ef|ghijkl"}));
    EXPECT_EQ(colours(nested.line(1)),
              (Rows{"0:0-1=FF0000", "0:1-2=0000FF", "0:2-3=FF0000", "1:0-1=00FF00", "1:1-2=0000FF",
                    "2:0-1=0000FF", "2:1-2=00FF00", "2:3-6=FF0000"}));
    EXPECT_EQ(plain.ReadNotes(),
              (QStringList{"Its X-TIMESTAMP-MAP header ties it to a stream clock 10.000 s off; "
                           "the times are kept as written.",
                           "1 cue holds a ruby reading (<rt>); it is left out and the text it "
                           "explains is shown."}));
    TSubtitle asked;
    asked.SetSpeakerNames(true);
    asked.SetTimestampMap(true);
    asked.LoadFromFile(writeFileIn(m_dir, "film.vtt", vtt), true, FrameRate(25000), 0);
    EXPECT_EQ(rows(asked), (Rows{"275-300|Anna: a b c d e|Ben: f g {\\an8}"}));
}

TEST_F(Readers, WebVttCueSettingsPlaceTheCueOnTheKeypad)
{
    // "line" gives the row: a percentage from the top, a line number from the top (0 up) or
    // from the bottom (-1 down); "align", or else "position", the column. Bottom centre is
    // where a cue stands when nothing is said.
    const struct
    {
        const char* settings;
        int place;
    } cases[] = {
        {"line:0", 8},
        {"line:3", 8},
        {"line:4", 5},
        {"line:-1", kPlaceUnset},
        {"line:-3 align:end", 3},
        {"line:33%", 8},
        {"line:34%", 5},
        {"line:66%", 5},
        {"line:67%", kPlaceUnset},
        {"line:50%,center", 5},
        {"align:start", 1},
        {"align:left", 1},
        {"align:end", 3},
        {"align:right", 3},
        {"align:center", kPlaceUnset},
        {"position:34%", 1},
        {"position:35%", kPlaceUnset},
        {"position:66%,line-left", 3},
        {"position:10% align:end", 3},
        {"size:50% position:90% line:0,end", 9},
        {"line:10% align:start", 7},
    };
    for (const auto& c : cases) {
        const TSubtitle list = load("place.vtt", QByteArray("WEBVTT\n\n00:01.000 --> 00:02.000 ") +
                                                     c.settings + "\nText\n");
        ASSERT_EQ(list.Count(), 1) << c.settings;
        EXPECT_EQ(list.line(1).Place, c.place) << c.settings;
    }
}

TEST_F(Readers, WebVttTimestampMapMovesCuesToTheStreamClockWhenAsked)
{
    // The offset is the stream time (90 kHz ticks) less the local time it stands for.
    const struct
    {
        const char* map;
        const char* row;
        const char* note;
    } cases[] = {
        {"MPEGTS:900000,LOCAL:00:00:02.000", "225-250|A",
         "Every cue is moved by 8.000 s to the stream clock of its X-TIMESTAMP-MAP header."},
        {"LOCAL:00:00:00.400,MPEGTS:0", "15-40|A",
         "Every cue is moved by -0.400 s to the stream clock of its X-TIMESTAMP-MAP header."},
        {"MPEGTS:0,LOCAL:00:00:00.000", "25-50|A", nullptr},
        {"LOCAL:00:00:00.000", "25-50|A",
         "Its X-TIMESTAMP-MAP header could not be read; the times are kept as written."},
        {"MPEGTS:12ab,LOCAL:00:00:00.000", "25-50|A",
         "Its X-TIMESTAMP-MAP header could not be read; the times are kept as written."},
    };
    for (const auto& c : cases) {
        TSubtitle list;
        list.SetTimestampMap(true);
        list.LoadFromFile(writeFileIn(m_dir, "map.vtt",
                                      QByteArray("WEBVTT\nX-TIMESTAMP-MAP=") + c.map +
                                          "\n\n00:01.000 --> 00:02.000\nA\n"),
                          true, FrameRate(25000), 0);
        EXPECT_EQ(rows(list), Rows{c.row}) << c.map;
        EXPECT_EQ(list.ReadNotes(), c.note ? QStringList{c.note} : QStringList()) << c.map;
    }
}

TEST_F(Readers, MicroDvdFrameRateHeaderConvertsFrameNumbers)
{
    const TSubtitle list = load("film.sub", "{1}{1}23.976\n{23976}{47952}A\n{0}{}B\n{100}{}C\n"
                                            "{200}{300}D\n{1000}{}E\n");
    EXPECT_EQ(rows(list),
              (Rows{"25000-50000|A", "0-104|B", "104-209|C", "209-313|D", "1043-1168|E"}));
    EXPECT_EQ(list.RateNote(), "frame numbers converted from 23.976 fps to 25 fps");
    EXPECT_EQ(LoadReport(list, "film.sub", kDefault),
              "The file names its own frame rate: frame numbers "
              "converted from 23.976 fps to 25 fps.");

    for (const char* header : {"{0}{0}25", "{1}{1}25,000", "{1}{1}25.0"}) {
        const TSubtitle same = load("same.txt", QByteArray(header) + "\n{10}{20}A\n");
        EXPECT_EQ(rows(same), Rows{"10-20|A"}) << header;
        EXPECT_TRUE(same.RateNote().isEmpty());
    }

    // Only the first entry can name the rate: later, {1}{1}25 is a subtitle reading "25",
    // after a closed entry as after one whose end is still open.
    for (FrameRate rate : {FrameRate(25000), FrameRate(23976)}) {
        const TSubtitle later =
            load("later.sub", "{10}{20}A\n{1}{1}25\n{30}{40}B\n", kDefault, rate);
        EXPECT_EQ(rows(later), (Rows{"10-20|A", "30-40|B"}));
        EXPECT_EQ(later.HiddenCount(), 1);
        EXPECT_TRUE(later.RateNote().isEmpty());
    }
    EXPECT_EQ(rows(load("open.sub", "{10}{}A\n{1}{1}25\n")), (Rows{"10-135|A"}));

    // A frame number that the conversion takes past what a run can hold is skipped and named.
    const TSubtitle huge = load("huge.sub", "{1}{1}23.976\n{0}{2147000000}A\n{10}{20}B\n");
    EXPECT_EQ(rows(huge), Rows{"10-21|B"});
    EXPECT_EQ(huge.Skipped(),
              (std::vector<SkippedEntry>{{2, "frame 2238697030 is out of range at 25 fps"}}));
}

TEST_F(Readers, MicroDvdOpenEndLastsUntilTheNextStartAtMostFiveSeconds)
{
    // 5 s at 25 fps is 125 frames; a next entry starting together does not cut it short.
    EXPECT_EQ(rows(load("open.sub", "{10}{}A\n{60}{70}B\n{100}{}C\n{100}{110}D\n{500}{}E\n")),
              (Rows{"10-60|A", "60-70|B", "100-225|C", "100-110|D", "500-625|E"}));
}

TEST_F(Readers, TimesThatCannotBeShownAsWrittenAreNamed)
{
    // Each case is followed by an entry at 10 s (frame 250) that is always read.
    const struct
    {
        const char* name;
        const char* entry;
        Rows rows;
        const char* report;
    } cases[] = {
        {"reversed.srt",
         "1\n00:00:02,000 --> 00:00:01,000\nR\n\n",
         {"50-175|R"},
         "1 entry of t was shown otherwise than written:\nline 2: subtitle 1: ends before it "
         "starts; shown until the next subtitle starts, at most 5 s"},
        {"reversed.sub",
         "{240}{20}R\n",
         {"240-250|R"},
         "1 entry of t was shown otherwise than written:\nline 1: ends before it starts; shown "
         "until the next subtitle starts, at most 5 s"},
        {"equal.srt",
         "1\n00:00:02,000 --> 00:00:02,000\nnote\n\n",
         {},
         "1 subtitle of t ends where it starts and is not shown."},
        {"equal.sub",
         "{50}{50}note\n{60}{60}note\n",
         {},
         "2 subtitles of t end where they start and are not shown."},
        {"negative.srt",
         "1\n-00:00:01,000 --> 00:00:02,000\nX\n\n",
         {"0-50|X"},
         "1 entry of t was shown otherwise than written:\nline 2: subtitle 1: starts before "
         "00:00:00,000; shown from 00:00:00,000"},
        {"negative.sub",
         "{-25}{50}X\n",
         {"0-50|X"},
         "1 entry of t was shown otherwise than written:\nline 1: starts before 00:00:00,000; "
         "shown from 00:00:00,000"},
        {"before.srt",
         "1\n-00:00:06,840 --> -00:00:05,000\nX\n\n",
         {},
         "1 entry of t could not be read and was skipped:\nline 2: subtitle 1: ends before "
         "00:00:00,000"},
        {"before.sub",
         "{-50}{-25}X\n",
         {},
         "1 entry of t could not be read and was skipped:\nline 1: ends before 00:00:00,000"},
        {"late.srt",
         "1\n26:40:00,000 --> 26:40:01,000\nX\n\n",
         {},
         "1 entry of t could not be read and was skipped:\nline 2: subtitle 1: starts later "
         "than a subtitle stream can hold (before 26:30:43,717)"},
        {"late.sub",
         "{2400000}{2400025}X\n",
         {},
         "1 entry of t could not be read and was skipped:\nline 1: frame 2400000 starts later "
         "than a subtitle stream can hold (before 26:30:43,717) at 25 fps"},
        {"no-millis.srt", "1\n00:00:01 --> 00:00:02\nX\n\n", {"25-50|X"}, ""},
        {"colon-millis.srt", "1\n00:00:01:500 --> 00:00:02:000\nX\n\n", {"38-50|X"}, ""},
    };
    for (const auto& c : cases) {
        const bool srt = QByteArray(c.name).endsWith(".srt");
        const TSubtitle list =
            load(c.name, c.entry + QByteArray(srt ? "2\n00:00:10,000 --> 00:00:11,000\nN\n"
                                                  : "{250}{275}N\n"));
        Rows expected = c.rows;
        expected.push_back("250-275|N");
        EXPECT_EQ(rows(list), expected) << c.name;
        EXPECT_EQ(LoadReport(list, "t", kDefault), c.report) << c.name;
    }
}

TEST_F(Readers, UnreadableEntriesAreSkippedAndNamed)
{
    const TSubtitle srt = load("a.srt", "1\n00:00:01,000 --> 00:00:02,000\nA\n\n"
                                        "2\n00:00:0a,000 --> 00:00:04,000\nB\nB2\n\n"
                                        "3\n100:00:00,000 --> 100:00:01,000\nC\n\n"
                                        "4\n00:00:05,000 --> 00:00:06,000\nD\n\x1A");
    EXPECT_EQ(rows(srt), (Rows{"25-50|A", "125-150|D"}));
    EXPECT_EQ(srt.Skipped(),
              (std::vector<SkippedEntry>{
                  {6, "subtitle 2: '0a' is not a valid integer value"},
                  {11, "subtitle 3: the time 100:00:00,000 is out of range (at most 99:59:59,999)"},
                  {17, "end-of-file mark (Ctrl-Z)"}}));

    const TSubtitle sub = load("a.sub", "{1}{2}A\r\nno frames here\r\n{x}{5}B\r\n{3}{4}C\r\n\x1A");
    EXPECT_EQ(rows(sub), (Rows{"1-2|A", "3-4|C"}));
    EXPECT_EQ(sub.Skipped(),
              (std::vector<SkippedEntry>{{2, "'no frames here' is not a valid integer value"},
                                         {3, "'x' is not a valid integer value"},
                                         {5, "end-of-file mark (Ctrl-Z)"}}));

    const TSubtitle nothing = load("none.sub", "{a}{b}A\n");
    EXPECT_EQ(m_outcome, LoadOutcome::Read);
    EXPECT_EQ(nothing.Count(), 0);
    EXPECT_TRUE(LoadReport(nothing, "none.sub", kDefault)
                    .endsWith("No subtitle could be read from none.sub."));
}

TEST_F(Readers, ReportListsTwentySkippedLinesThenCounts)
{
    QByteArray bytes = "{1}{2}A\n";
    for (int n = 0; n < 25; ++n)
        bytes += "broken\n";
    const QString report = LoadReport(load("many.sub", bytes), "many.sub", kDefault);
    EXPECT_TRUE(report.startsWith("25 entries of many.sub could not be read and were skipped:\n"
                                  "line 2: 'broken' is not a valid integer value\n"));
    EXPECT_TRUE(report.contains("line 21: ")) << report.toStdString();
    EXPECT_FALSE(report.contains("line 22: "));
    EXPECT_TRUE(report.endsWith("\n... and 5 more."));
}

TEST(SubtitleOrder, ShownByStartTimeKeepingFileOrderForEqualStarts)
{
    TSubtitle list;
    for (const char* start : {"50", "10", "30", "10", "0"})
        list.AddLine(start, std::to_string(std::stoi(start) + 5), start, "", "");
    std::vector<ShowTimes> times;
    for (int i = 1; i <= list.Count(); ++i)
        times.push_back({std::stoi(list.line(i).StartFrame), std::stoi(list.line(i).EndFrame)});
    const ShowPlan plan = PlanShowing(times);
    std::vector<std::vector<int>> shown;
    for (const ShowSegment& segment : plan.segments)
        shown.push_back(segment.entries);
    EXPECT_EQ(shown, (std::vector<std::vector<int>>{{4}, {1, 3}, {2}, {0}}));
    EXPECT_EQ(list.line(1).StartFrame, "50") << "the list keeps file order";
}

TEST(SubtitleList, EntriesComeBackExactlyAsStored)
{
    SubtitleLine rich{"-5", "2147483647", std::string("a\0b\xFF\x80", 5), std::string(300, 'x'),
                      ""};
    rich.MoreLines = {"", "four", std::string(70000, 'y')};
    rich.Spans = {{0, 0, 5, {true, false, false}},
                  {1, 128, 300, {false, true, true}},
                  {4, 16383, 70000, {true, true, true}},
                  {2, 1, 2, {false, false, false, makeColor(255, 254, 1)}}};
    rich.Place = 9;
    const SubtitleLine plain{"0", "0", "", "", ""};
    TSubtitle list;
    list.AddEntry(rich);
    list.AddEntry(plain);
    list.AddLine("7", "9", "one", "two", "three");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.line(1), rich);
    EXPECT_EQ(list.line(2), plain);
    SubtitleLine copy = rich;
    list.GetLine(3, copy);
    EXPECT_EQ(copy, (SubtitleLine{"7", "9", "one", "two", "three"})) << "GetLine overwrites all";
    list.Clear();
    list.AddLine("1", "2", "again", "", "");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.line(1).Line1, "again");
}

TEST(TimeCodes, TimeLinesNeedAnArrowAndTwoWellWrittenTimes)
{
    TSubtitle list;
    list.LoadFromData("a.srt",
                      "1\n00:00:01,000 --> 00:00:02,00\nA\n\n"
                      "2\n00:00:03,000 -> 00:00:04,000\nB\n\n"
                      "3\n00:00:0x,000 --> 00:00:06,000\nC\n\n"
                      "4\n00:00:7,000 --> 00:00:08,000\nD\n\n"
                      "5\n00:00:09,000 --> 00:00:10,000\nE\n",
                      true, FrameRate(25000), 0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.line(1).EndFrame, "50");
    EXPECT_EQ(list.line(2).Line1, "E");
    EXPECT_EQ(list.Skipped(), (std::vector<SkippedEntry>{
                                  {6, "'00:00:03,000 -> 00:00:04,000' has no time line before it"},
                                  {10, "subtitle 3: '0x' is not a valid integer value"},
                                  {14, "subtitle 4: '00:00:7,000' is not a time (hh:mm:ss,mmm)"}}));
}

TEST(MicroDvd, LinesSplitAtTheirBracesAndBars)
{
    TSubtitle list;
    list.LoadFromData("a.sub",
                      "{100}{200}Hello|World\n{10}{20}a|b|c|d\n{10}{20}|b\n{1}{2}{y:i}x\nhello\n"
                      "{3}{4\n",
                      true, FrameRate(25000), 0);
    std::vector<std::vector<std::string>> lines;
    for (int i = 1; i <= list.Count(); ++i)
        lines.push_back(list.line(i).TextLines());
    EXPECT_EQ(lines, (std::vector<std::vector<std::string>>{
                         {"Hello", "World"}, {"a", "b", "c", "d"}, {"", "b"}, {"x"}}));
    EXPECT_EQ(list.EmptyCount(), 1) << "a line cut after its end frame has no text";
    EXPECT_EQ(list.Skipped(),
              (std::vector<SkippedEntry>{{5, "'hello' is not a valid integer value"}}));
}

TEST(ForcedMarks, StyleNamesWithTheWordForcedOrSignMarkTheirLines)
{
    const struct
    {
        const char* style;
        bool forced;
    } cases[] = {
        {"Forced", true},          {"Signs", true},      {"sign-top", true},  {"OP_forced", true},
        {"ForcedNarrative", true}, {"SIGNS", true},      {"Default", false},  {"Design", false},
        {"Assignment", false},     {"Signature", false}, {"Enforced", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StyleNameMarksForced(QString::fromLatin1(c.style)), c.forced) << c.style;
}

TEST(ForcedMarks, StreamFileNamesGiveLanguageAndForcedFromTheirEnd)
{
    const struct
    {
        const char* name;
        const char* stem;
        const char* language;
        bool forced;
    } cases[] = {
        {"film.en.srt", "film", "en", false},
        {"film.en.forced.srt", "film", "en", true},
        {"film.fre.FORCED.srt", "film", "fre", true},
        {"film.srt", "film", "", false},
        {"my.film.2019.srt", "my.film.2019", "", false},
        {"film.forced.srt", "film", "", true},
    };
    for (const auto& c : cases) {
        const StreamFileName name = ReadStreamFileName(QString::fromLatin1(c.name));
        EXPECT_EQ(name.stem, QLatin1String(c.stem)) << c.name;
        EXPECT_EQ(name.language, QLatin1String(c.language)) << c.name;
        EXPECT_EQ(name.forced, c.forced) << c.name;
    }
}

TEST_F(Readers, EntriesWithoutTextGiveNoEntryAndAreCounted)
{
    // A subtitle of no text, or of markup alone, in every reader where one can be written; an
    // open end before it still ends where it starts.
    const struct
    {
        const char* name;
        const char* text;
        Rows rows;
        int empty;
    } kFiles[] = {
        {"a.srt",
         "1\n00:00:01,000 --> 00:00:02,000\n\n2\n00:00:03,000 --> 00:00:04,000\n<i></i>\n\n"
         "3\n00:00:05,000 --> 00:00:06,000\nThird\n",
         {"125-150|Third"},
         2},
        {"a.vtt",
         "WEBVTT\n\n00:00.000 --> 27:00.000\n\n00:01.000 --> 00:02.000\nA\n",
         {"25-50|A"},
         1},
        {"a.sub", "{10}{}A\n{20}{30}\n{40}{50}B\n", {"10-20|A", "40-50|B"}, 1},
    };
    for (const auto& file : kFiles) {
        const TSubtitle list = load(file.name, file.text);
        EXPECT_EQ(rows(list), file.rows) << file.name;
        EXPECT_EQ(list.EmptyCount(), file.empty) << file.name;
        EXPECT_TRUE(list.Skipped().empty()) << file.name;
    }
    EXPECT_TRUE(LoadReport(load("a.srt", kFiles[0].text), "a.srt", kDefault)
                    .contains("2 subtitles of a.srt hold no text and are not shown."));
}

TEST_F(Readers, WebVttLooksThatAreNotDrawnAreNamedOncePerFile)
{
    const QByteArray vtt =
        "WEBVTT\n\nSTYLE\n::cue(b) { color: red }\n::cue(.loud) { background-color: blue }\n\n"
        "REGION: id=fred width=40%\n\n"
        "00:01.000 --> 00:02.000 vertical:rl\n<c.bg_yellow>A</c>\n\n"
        "00:03.000 --> 00:04.000 vertical:lr\nB\n\n00:05.000 --> 00:06.000\nC\n";
    const TSubtitle list = load("a.vtt", vtt);
    EXPECT_EQ(rows(list), (Rows{"25-50|A", "75-100|B", "125-150|C"}));
    EXPECT_EQ(list.ReadNotes(),
              (QStringList{"2 cues ask for vertical text (vertical:); they are drawn across.",
                           "Its STYLE rules for ::cue(b) are not used: only ::cue and its "
                           "classes (::cue(.name)) colour the text.",
                           "The background colours it asks for (in a STYLE block or by a bg_ "
                           "class) are not drawn."}));
    EXPECT_EQ(list.Skipped(),
              (std::vector<SkippedEntry>{{7, "'REGION: id=fred width=40%' is a region line of an "
                                             "older WebVTT form; regions are not used"}}));
    // A plain file says nothing of them.
    EXPECT_TRUE(load("b.vtt", "WEBVTT\n\n00:01.000 --> 00:02.000 line:0\nA\n").ReadNotes().empty());
}
