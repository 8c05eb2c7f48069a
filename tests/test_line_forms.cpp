// The line-based forms told from MicroDVD by what they hold: MPL2, SubViewer 2 and YouTube SBV.
#include "TestFiles.h"
#include "subtitle/FileKind.h"
#include "subtitle/Subtitle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

using Rows = std::vector<std::string>;

class LineForms : public ::testing::Test
{
protected:
    TSubtitle load(const char* name, const QByteArray& bytes)
    {
        TSubtitle list;
        m_outcome = list.LoadFromFile(writeFileIn(m_dir, QString::fromUtf8(name), bytes), true,
                                      FrameRate(25000), 0, 1);
        return list;
    }
    static Rows rows(const TSubtitle& list)
    {
        Rows out;
        for (int i = 1; i <= list.Count(); ++i) {
            const SubtitleLine l = list.line(i);
            std::string row = l.StartFrame + "-" + l.EndFrame;
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

constexpr char kSubViewerWithHeader[] = "[INFORMATION]\r\n[TITLE]Film\r\n[AUTHOR]\r\n"
                                        "[END INFORMATION]\r\n[SUBTITLE]\r\n"
                                        "[COLF]&HFFFFFF,[STYLE]bd,[SIZE]18,[FONT]Arial\r\n"
                                        "00:00:01.00,00:00:02.50\r\nOne[br]Two\r\n\r\n"
                                        "00:00:03.00,00:00:04.00\r\nThree[BR]\r\n";

} // namespace

TEST_F(LineForms, EachVariantIsRecognisedByWhatItHoldsAndRead)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        FileKind kind;
        Rows rows;
    } cases[] = {
        // Tenths of a second: 2.5 s is frame 62.5, to the even 62.
        {"a.txt",
         "[10][25]Hello|/World\n[30][40]B\n",
         FileKind::Mpl2,
         {"25-62|Hello|World", "75-100|B"}},
        {"a.mpl", "\n  [10][20] A \r\n", FileKind::Mpl2, {"25-50| A "}},
        {"mpl2.sub", "[10][20]A\n", FileKind::Mpl2, {"25-50|A"}},
        {"a.sub", kSubViewerWithHeader, FileKind::SubViewer, {"25-62|One|Two", "75-100|Three"}},
        {"bare.sub", "00:00:01.00,00:00:02.00\r\nA\r\n", FileKind::SubViewer, {"25-50|A"}},
        {"a.sbv",
         "0:00:01.000,0:00:02.000\nA\n10:30, we meet\n\n0:00:03.000,0:00:04.000\n<i>C</i>\n",
         FileKind::Sbv,
         {"25-50|A|10:30, we meet", "75-100|C"}},
        // A time line with no blank line before it starts the next subtitle.
        {"sbv.txt",
         "0:00:01.000,0:00:02.000\nA\n0:00:03.000,0:00:04.000\nB",
         FileKind::Sbv,
         {"25-50|A", "75-100|B"}},
        // MicroDVD keeps its ".sub" and ".txt" files.
        {"micro.sub", "{1}{2}[10][20]A\n", FileKind::MicroDvd, {"1-2|[10][20]A"}},
    };
    for (const auto& c : cases) {
        const TSubtitle list = load(c.name, c.bytes);
        EXPECT_EQ(m_outcome, LoadOutcome::Read) << c.name;
        EXPECT_EQ(list.Kind(), c.kind) << c.name;
        EXPECT_EQ(rows(list), c.rows) << c.name;
        EXPECT_EQ(skipped(list), "") << c.name;
    }
    for (const char* name : {"plain.sbv", "plain.mpl", "plain.sub"})
        EXPECT_EQ(KindOfText(QString::fromLatin1(name), "Just words\n[x] and more\n"),
                  FileKind::Unknown)
            << name;
}

TEST_F(LineForms, ItalicsOfMpl2AndTheUnusedTagsOfSubViewerAreKept)
{
    const TSubtitle mpl2 = load("a.txt", "[10][20]Hello|/World\n");
    ASSERT_EQ(mpl2.Count(), 1);
    TextStyle italic;
    italic.italic = true;
    EXPECT_EQ(mpl2.line(1).Spans, (std::vector<StyleSpan>{{1, 0, 5, italic}}));

    const TSubtitle styled = load("a.sub", kSubViewerWithHeader);
    ASSERT_EQ(styled.ReadNotes().size(), 1);
    EXPECT_TRUE(styled.ReadNotes()[0].contains("font tags were not used"));
    EXPECT_TRUE(load("b.sub", "00:00:01.00,00:00:02.00\nA\n").ReadNotes().isEmpty());
}

TEST_F(LineForms, BadLinesAreNamedWithTheirPositionAndTheRestRead)
{
    const TSubtitle mpl2 = load("a.txt", "[10][20]A\nnot a line\n[x][30]B\n[40][]C\n[40][50]D\n");
    EXPECT_EQ(rows(mpl2), (Rows{"25-50|A", "100-125|D"}));
    EXPECT_EQ(skipped(mpl2), "2: 'not a line' has no [start][end] times\n"
                             "3: subtitle 2: 'x' is not a valid integer value\n"
                             "4: subtitle 3: '' is not a valid integer value\n");

    const TSubtitle sbv = load("a.sbv", "0:00:01.000,0:00:02.000\nA\n\n"
                                        "0:00:0x.000,0:00:04.000\nB\n\nstray\nlines\n\n"
                                        "0:00:05.000,0:00:06.000\nC\n\x1A");
    EXPECT_EQ(rows(sbv), (Rows{"25-50|A", "125-150|C"}));
    EXPECT_EQ(skipped(sbv), "4: subtitle 2: '0x' is not a valid integer value\n"
                            "7: 'stray' has no time line before it\n"
                            "12: end-of-file mark (Ctrl-Z)\n");
}
