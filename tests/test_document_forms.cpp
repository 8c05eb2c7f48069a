// The subtitle forms read as documents or blocks: TTML (DFXP, IMSC 1 text, iTunes .itt), SAMI
// and EBU STL; and a SAMI file of two languages converted into one pair of two streams.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "subtitle/EbuStl.h"
#include "subtitle/FileKind.h"
#include "subtitle/Subtitle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

using Rows = std::vector<std::string>;

class DocumentForms : public ::testing::Test
{
protected:
    TSubtitle load(const char* name, const QByteArray& bytes, const std::string& languageClass = {})
    {
        TSubtitle list;
        list.SetLanguageClass(languageClass);
        m_outcome = list.LoadFromFile(writeFileIn(m_dir, QString::fromUtf8(name), bytes), true,
                                      FrameRate(25000), 0, 1);
        return list;
    }
    // "start-end@place|line|line" per entry.
    static Rows rows(const TSubtitle& list)
    {
        Rows out;
        for (int i = 1; i <= list.Count(); ++i) {
            const SubtitleLine l = list.line(i);
            std::string row = l.StartFrame + "-" + l.EndFrame + "@" + std::to_string(l.Place);
            for (const std::string& text : l.TextLines())
                row += "|" + text;
            out.push_back(row);
        }
        return out;
    }
    static std::string skipped(const TSubtitle& list)
    {
        std::string out;
        for (const SkippedEntry& s : list.Skipped())
            out += std::to_string(s.lineNumber) + ": " + s.reason.toStdString() + "\n";
        return out;
    }

    QTemporaryDir m_dir;
    LoadOutcome m_outcome = LoadOutcome::UnsupportedFormat;
};

QByteArray tt(const QByteArray& rootAttributes, const QByteArray& inside,
              const QByteArray& ns = "http://www.w3.org/ns/ttml")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tt xmlns=\"" + ns + "\" xmlns:tts=\"" +
           ns + "#styling\" xmlns:ttp=\"" + ns + "#parameter\" " + rootAttributes + ">\n" + inside +
           "\n</tt>\n";
}

TextStyle styled(bool italic, bool bold, bool underline, std::optional<ColorValue> colour = {})
{
    return {italic, bold, underline, colour};
}

} // namespace

TEST_F(DocumentForms, EveryTtmlVariantAndTimeFormIsRead)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        Rows rows;
    } cases[] = {
        // Clock times with fractions, nested div times counted from their parent.
        {"a.ttml",
         tt("", "<body><div begin=\"10s\"><p begin=\"00:00:01.000\" end=\"00:00:02.5\">A</p>"
                "<p begin=\"00:00:04\" dur=\"1s\">B</p></div></body>"),
         {"275-312@0|A", "350-375@0|B"}},
        // DFXP's older namespace, offset times in h, m, s and ms.
        {"a.dfxp",
         tt("",
            "<body><div><p begin=\"0.01h\" end=\"0.7m\">A</p><p begin=\"40000ms\" "
            "end=\"41s\">B</p></div></body>",
            "http://www.w3.org/2006/10/ttaf1"),
         {"900-1050@0|A", "1000-1025@0|B"}},
        // IMSC with frames at 30000/1001: frame 15 of second 1 is 1.5005 s.
        {"imsc.ttml",
         tt("ttp:frameRate=\"30\" ttp:frameRateMultiplier=\"1000 1001\"",
            "<body><p begin=\"00:00:01:15\" end=\"90f\">A</p></body>"),
         {"38-75@0|A"}},
        // iTunes Timed Text counts ticks; a sub-frame after the frames: 2.5 s is frame 62.5, to 62.
        {"a.itt",
         tt("ttp:tickRate=\"10000000\" ttp:frameRate=\"25\" ttp:subFrameRate=\"2\"",
            "<body><p begin=\"10000000t\" end=\"00:00:02:12.1\">A</p></body>"),
         {"25-62@0|A"}},
        // An end past the parent's is cut to it.
        {"x.xml",
         tt("", "<body><div begin=\"1s\" end=\"2s\"><p end=\"5s\">A <br/> B</p></div></body>"),
         {"25-50@0|A|B"}},
    };
    for (const auto& c : cases) {
        const TSubtitle list = load(c.name, c.bytes);
        EXPECT_EQ(m_outcome, LoadOutcome::Read) << c.name;
        EXPECT_EQ(list.Kind(), FileKind::Ttml) << c.name;
        EXPECT_EQ(rows(list), c.rows) << c.name;
        EXPECT_EQ(skipped(list), "") << c.name;
    }
    // An .xml file of another root is not TTML.
    EXPECT_EQ(KindOfText(QStringLiteral("b.xml"), "<?xml version=\"1.0\"?><BDN/>"),
              FileKind::Unknown);
    EXPECT_EQ(KindOfText(QStringLiteral("b.xml"), "<!-- x --><tt:tt xmlns:tt=\"u\"/>"),
              FileKind::Ttml);
}

TEST_F(DocumentForms, TtmlStylesAndRegionsAreDrawnAsTheySay)
{
    const QByteArray head =
        "<head><styling><style xml:id=\"base\" tts:color=\"white\" tts:fontSize=\"80%\"/>"
        "<style xml:id=\"yellow\" style=\"base\" tts:color=\"#FFFF00FF\"/></styling>"
        "<layout><region xml:id=\"top\" tts:origin=\"10% 5%\" tts:extent=\"80% 20%\">"
        "<style tts:textAlign=\"center\"/></region>"
        "<region xml:id=\"low\" tts:origin=\"0px 800px\" tts:extent=\"1920px 200px\" "
        "tts:displayAlign=\"after\"/>"
        "<region xml:id=\"mid\" tts:displayAlign=\"center\" tts:textAlign=\"left\"/></layout>"
        "</head>";
    const TSubtitle list =
        load("s.ttml",
             tt("xml:lang=\"fr-CA\" tts:extent=\"1920px 1080px\"",
                head + "<body style=\"base\"><div>"
                       "<p begin=\"1s\" end=\"2s\" region=\"top\" style=\"yellow\">Go <span "
                       "tts:fontStyle=\"italic\">now</span></p>"
                       "<p begin=\"3s\" end=\"4s\" region=\"low\" tts:textAlign=\"end\"><span "
                       "tts:fontWeight=\"bold\" tts:textDecoration=\"underline\">B</span> c</p>"
                       "<p begin=\"5s\" end=\"6s\" region=\"mid\" tts:color=\"rgb(255,0,0)\">R</p>"
                       "<p begin=\"7s\" end=\"8s\">  plain \n  text  </p></div></body>"));
    EXPECT_EQ(rows(list),
              (Rows{"25-50@8|Go now", "75-100@3|B c", "125-150@4|R", "175-200@0|plain text"}));
    const ColorValue yellow = makeColor(255, 255, 0);
    EXPECT_EQ(list.line(1).Spans,
              (std::vector<StyleSpan>{{0, 0, 3, styled(false, false, false, yellow)},
                                      {0, 3, 6, styled(true, false, false, yellow)}}));
    EXPECT_EQ(list.line(2).Spans, (std::vector<StyleSpan>{{0, 0, 1, styled(false, true, true)}}));
    EXPECT_EQ(
        list.line(3).Spans,
        (std::vector<StyleSpan>{{0, 0, 1, styled(false, false, false, makeColor(255, 0, 0))}}));
    // White is the window's text colour: no span.
    EXPECT_TRUE(list.line(4).Spans.empty());
    EXPECT_EQ(list.DeclaredLanguage(), "fr");
    ASSERT_EQ(list.ReadNotes().size(), 1);
    EXPECT_TRUE(list.ReadNotes()[0].contains("tts:fontSize styles are not used"));
}

TEST_F(DocumentForms, TtmlDocumentTypesAreRefusedAndBadPartsNamed)
{
    // An entity defined in a document type would be expanded, an external one fetched.
    for (const QByteArray& doctype :
         {QByteArray("<!DOCTYPE tt [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"),
          QByteArray("<!DOCTYPE tt [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>")}) {
        const TSubtitle list =
            load("d.ttml", "<?xml version=\"1.0\"?>\n" + doctype +
                               "\n<tt xmlns=\"http://www.w3.org/ns/ttml\"><body><p begin=\"1s\" "
                               "end=\"2s\">&b;&x;</p></body></tt>");
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(skipped(list), "2: the file declares a document type (<!DOCTYPE>); TTML needs "
                                 "none, and its entities are not read\n");
    }
    // Spans nested past all reason are passed over, not read down to the end of the stack.
    const TSubtitle deep =
        load("deep.ttml",
             tt("", "<body><p begin=\"1s\" end=\"2s\">A" + QByteArray("<span>").repeated(100000) +
                        "B" + QByteArray("</span>").repeated(100000) + "</p></body>"));
    EXPECT_EQ(rows(deep), (Rows{"25-50@0|A"}));
    EXPECT_TRUE(
        deep.ReadNotes().contains("Its elements nested deeper than 64 levels are left out."));

    const TSubtitle list = load(
        "b.ttml", tt("", "<body>\n<p begin=\"1s\" end=\"2s\">A</p>\n<p begin=\"soon\" end=\"3s\">B"
                         "</p>\n<p xml:id=\"open\" begin=\"4s\">C</p>\n<p begin=\"5s\" "
                         "end=\"6s\">D</p>\n<p begin=\"7s\" end=\"8s\">E</b>\n</body>"));
    EXPECT_EQ(rows(list), (Rows{"25-50@0|A", "125-150@0|D"}));
    EXPECT_EQ(skipped(list),
              "5: subtitle 2: begin=\"soon\" is no TTML time\n"
              "6: subtitle open: has no end (neither it nor what holds it gives an end or a dur)\n"
              "8: XML error: Opening and ending tag mismatch.; the rest of the file is not read\n");
}

namespace {

constexpr char kTwoLanguages[] =
    "<SAMI>\r\n<HEAD><TITLE>Film</TITLE>\r\n<STYLE TYPE=\"text/css\">\r\n<!--\r\n"
    "P { font-family: Arial; }\r\n.ENCC { Name: English; lang: en-US; }\r\n"
    ".KRCC { Name: Korean; lang: ko-KR; }\r\n-->\r\n</STYLE></HEAD>\r\n<BODY>\r\n"
    "<SYNC Start=1000><P Class=ENCC>Hello <font color=\"#ff0000\">red</font><br>world\r\n"
    "<SYNC Start=1000><P Class=KRCC>\xEC\x95\x88\xEB\x85\x95\r\n"
    "<SYNC Start=2000><P Class=ENCC>&nbsp;\r\n"
    "<SYNC Start=2500><P Class=KRCC>&nbsp;\r\n"
    "<SYNC Start=later><P Class=ENCC>lost\r\n"
    "<SYNC Start=4000><P Class=ENCC><i>Next</i>\r\n"
    "<SYNC Start=5000><P Class=ENCC>&nbsp;\r\n</BODY></SAMI>\r\n";

} // namespace

TEST_F(DocumentForms, SamiIsReadOneLanguageClassAtATime)
{
    const TSubtitle english = load("film.smi", kTwoLanguages);
    EXPECT_EQ(english.Kind(), FileKind::Sami);
    EXPECT_EQ(english.LanguageClasses(),
              (std::vector<TSubtitle::LanguageClass>{{"ENCC", "en"}, {"KRCC", "ko"}}));
    EXPECT_EQ(rows(english), (Rows{"25-50@0|Hello red|world", "100-125@0|Next"}));
    EXPECT_EQ(
        english.line(1).Spans,
        (std::vector<StyleSpan>{{0, 6, 9, styled(false, false, false, makeColor(255, 0, 0))}}));
    EXPECT_EQ(english.DeclaredLanguage(), "en");
    EXPECT_EQ(skipped(english), "15: <SYNC> has no Start time in milliseconds ('later')\n");

    const TSubtitle korean = load("film.smi", kTwoLanguages, "krcc");
    EXPECT_EQ(rows(korean), (Rows{"25-62@0|\xEC\x95\x88\xEB\x85\x95"}));
    EXPECT_EQ(korean.DeclaredLanguage(), "ko");

    // A file without classes is one stream; its last subtitle shows for 5 s.
    const TSubtitle plain = load("p.sami", "<sami><body><sync start=500>One<sync start=700ms>"
                                           "Two</body></sami>");
    EXPECT_EQ(rows(plain), (Rows{"12-18@0|One", "18-142@0|Two"}));
    EXPECT_TRUE(plain.LanguageClasses().size() == 1);
    ASSERT_EQ(plain.Changed().size(), 1);
    EXPECT_EQ(KindOfText(QStringLiteral("x.smi"), "<HTML><SAMI>"), FileKind::Unknown);
}

namespace {

// An EBU STL general block: code page 850, `format` ("STL25.01"), teletext, `table`,
// `language`, programme start `tcp`.
QByteArray stlGeneral(const QByteArray& format, const QByteArray& table, const QByteArray& language,
                      const QByteArray& tcp)
{
    QByteArray g(int(kGsiBlockBytes), ' ');
    g.replace(0, 3, "850").replace(3, 8, format).replace(11, 1, "1").replace(12, 2, table);
    g.replace(14, 2, language).replace(253, 2, "23").replace(256, 8, tcp);
    return g;
}

// A text block: subtitle `number`, extension `ebn`, times h m s f, row, justification.
QByteArray stlText(int number, int ebn, std::array<int, 4> in, std::array<int, 4> out, int row,
                   int justification, const QByteArray& text, bool comment = false)
{
    QByteArray b(int(kTtiBlockBytes), char(0x8F));
    b[0] = 1;
    b[1] = char(number & 0xFF); // SN, least significant byte first
    b[2] = char(number >> 8);
    b[3] = char(ebn);
    b[4] = 0;
    for (int i = 0; i < 4; ++i) {
        b[5 + i] = char(in[std::size_t(i)]);
        b[9 + i] = char(out[std::size_t(i)]);
    }
    b[13] = char(row);
    b[14] = char(justification);
    b[15] = char(comment ? 1 : 0);
    b.replace(16, text.size(), text);
    return b;
}

} // namespace

TEST_F(DocumentForms, EbuStlBlocksAreJoinedColouredAndPlaced)
{
    const QByteArray file =
        stlGeneral("STL25.01", "00", "0F", "10000000") +
        // Double-height teletext rows 20 and 22, the second in yellow; "\xC8u" is u umlaut.
        stlText(1, 0xFF, {10, 0, 1, 0}, {10, 0, 2, 12}, 20, 2,
                "\x0D\x0B\x0B\x07Gr\xC8u\xFB\x0A\x0A\x8A\x8A\x0D\x0B\x0B\x03Jaune\x0A\x0A") +
        // Two blocks of one subtitle, joined; italics; top left.
        stlText(2, 0x00, {10, 0, 3, 0}, {10, 0, 4, 0}, 2, 1, "\x80Haut ") +
        stlText(2, 0xFE, {10, 0, 3, 0}, {10, 0, 4, 0}, 2, 1, "user data") +
        stlText(2, 0xFF, {10, 0, 3, 0}, {10, 0, 4, 0}, 2, 1, "gauche\x81") +
        stlText(3, 0xFF, {10, 0, 5, 25}, {10, 0, 6, 0}, 20, 2, "bad frames") +
        stlText(4, 0xFF, {10, 0, 7, 0}, {10, 0, 8, 0}, 12, 3, "note", true) +
        stlText(5, 0xFF, {10, 0, 9, 0}, {10, 0, 10, 0}, 12, 3, "Milieu") + "\x01\x02";
    const TSubtitle list = load("f.stl", file);
    EXPECT_EQ(list.Kind(), FileKind::EbuStl);
    EXPECT_EQ(rows(list), (Rows{"25-62@2|Gr\xC3\xBC\xC3\x9F|Jaune", "75-100@7|Haut gauche",
                                "225-250@6|Milieu"}));
    EXPECT_EQ(
        list.line(1).Spans,
        (std::vector<StyleSpan>{{1, 0, 5, styled(false, false, false, makeColor(255, 255, 0))}}));
    EXPECT_EQ(list.line(2).Spans, (std::vector<StyleSpan>{{0, 0, 11, styled(true, false, false)}}));
    EXPECT_EQ(list.DeclaredLanguage(), "fr");
    EXPECT_EQ(skipped(list), "5: subtitle 3 (text block 5 at byte 1536): time code 10:00:05:25 is "
                             "not valid at 25 frames a second\n"
                             "8: text block 8 at byte 1920 is cut off after 2 bytes\n");
    EXPECT_EQ(list.ReadNotes().size(), 3); // the programme start, a comment, double height

    // 30 frames a second, Cyrillic, no programme start: times as written.
    const TSubtitle cyrillic =
        load("c.stl", stlGeneral("STL30.01", "01", "56", "xxxxxxxx") +
                          stlText(1, 0xFF, {0, 0, 1, 15}, {0, 0, 2, 0}, 22, 0, "\xBC\xD8\xE0"));
    EXPECT_EQ(rows(cyrillic), (Rows{"38-50@0|\xD0\x9C\xD0\xB8\xD1\x80"}));
    EXPECT_EQ(cyrillic.DeclaredLanguage(), "ru");
    EXPECT_EQ(skipped(load("short.stl", stlGeneral("STL25.01", "00", "09", "00000000").left(500))),
              "1: the general information block is cut off after 500 bytes\n");
}

TEST(SamiConversion, EachLanguageClassBecomesAStreamOfOnePair)
{
    QTemporaryDir dir;
    const QString file = writeFileIn(dir, QStringLiteral("film.smi"), kTwoLanguages);
    const ConverterRun run = runConverter({QStringLiteral("-q"), file});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString(); // an entry was skipped
    const QString idx = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("film.idx"))));
    EXPECT_TRUE(idx.contains(QStringLiteral("id: en, index: 0")));
    EXPECT_TRUE(idx.contains(QStringLiteral("id: ko, index: 1")));
    EXPECT_EQ(idx.count(QStringLiteral("timestamp:")), 3);
}

TEST(SamiConversion, AStreamOfAGivenLanguageTakesItsClass)
{
    QTemporaryDir dir;
    const QString file = writeFileIn(dir, QStringLiteral("film.smi"), kTwoLanguages);
    const ConverterRun run = runConverter(
        {QStringLiteral("-q"), QStringLiteral("--stream"), QStringLiteral("ko:") + file});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    const QString idx = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("film.idx"))));
    EXPECT_TRUE(idx.contains(QStringLiteral("id: ko, index: 0")));
    // The Korean class has one subtitle, the English one two.
    EXPECT_EQ(idx.count(QStringLiteral("timestamp:")), 1);
}
