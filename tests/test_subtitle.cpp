#include "TestFiles.h"
#include "doubles/RecordingMessages.h"
#include "platform/Error.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TimeCodes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(LUMELLE_TEST_DATA "/subtitle/") + QString::fromUtf8(name);
}

// Writes `bytes` to a file named `name` in a fresh temporary folder kept by the fixture.
class SubtitleFiles : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeFileIn(m_dir, name, bytes);
    }

    // Loads `path` into a fresh list at `rate` and returns it; outcomes go to m_outcomes.
    TSubtitle load(const QString& path, FrameRate rate = FrameRate(25000))
    {
        TSubtitle list;
        m_outcomes.push_back(list.LoadFromFile(path, true, rate, 0));
        return list;
    }

    QTemporaryDir m_dir;
    std::vector<LoadOutcome> m_outcomes;
};

SubtitleLine entry(const TSubtitle& list, int i)
{
    SubtitleLine l;
    list.GetLine(i, l);
    return l;
}

} // namespace

TEST(TimeCodes, FramesToTimeTruncatesEveryPart)
{
    EXPECT_EQ(TSubtitle::FramesToTime(25, FrameRate(25000)), "00:00:01:000");
    EXPECT_EQ(TSubtitle::FramesToTime(0, FrameRate(25000)), "00:00:00:000");
    EXPECT_EQ(TSubtitle::FramesToTime(1, FrameRate(25000)), "00:00:00:040");
    EXPECT_EQ(TSubtitle::FramesToTime(1, FrameRate(23976)), "00:00:00:041");
    EXPECT_EQ(TSubtitle::FramesToTime(1, FrameRate(30000)), "00:00:00:033");
    EXPECT_EQ(TSubtitle::FramesToTime(1, FrameRate(29970)), "00:00:00:033");
    EXPECT_EQ(TSubtitle::FramesToTime(3, FrameRate(29970)), "00:00:00:100");
    EXPECT_EQ(TSubtitle::FramesToTime(1439, FrameRate(23976)), "00:01:00:018");
    EXPECT_EQ(TSubtitle::FramesToTime(90000, FrameRate(25000)), "01:00:00:000");
    EXPECT_EQ(TSubtitle::FramesToTime(9000000, FrameRate(25000)), "100:00:00:000");
}

TEST(TimeCodes, ExactDecimalArithmeticAvoidsBinaryRoundingErrors)
{
    // 3 / 25 s is 120 ms exactly; a binary double lands just below and would give 119.
    EXPECT_EQ(TSubtitle::FramesToTime(3, FrameRate(25000)), "00:00:00:120");
    EXPECT_EQ(TSubtitle::FramesToTime(1501, FrameRate(25000)), "00:01:00:040");
}

TEST(TimeCodes, ExactRatesRunOnTheNtscFrameGridOthersStayAsNamed)
{
    const struct
    {
        std::int64_t named, frames, seconds;
    } cases[] = {{23976, 24000, 1001}, {29970, 30000, 1001}, {59940, 60000, 1001},
                 {25000, 25000, 1000}, {24000, 24000, 1000}, {23975, 23975, 1000},
                 {0, 0, 1000}};
    for (const auto& c : cases) {
        const FrameRate exact = FrameRate(c.named).exact();
        EXPECT_EQ(exact.frames(), c.frames) << c.named;
        EXPECT_EQ(exact.seconds(), c.seconds) << c.named;
        EXPECT_EQ(exact.framesPer1000Seconds(), c.named) << "keeps its name";
    }
    // 83 minutes: 4980 s x 23.976 = 119 400.48, x 24000/1001 = 119 400.60.
    EXPECT_EQ(FramesOfMillis(4'980'000, FrameRate(23976)), 119400);
    EXPECT_EQ(FramesOfMillis(4'980'000, FrameRate(23976).exact()), 119401);
    EXPECT_TRUE(StartFitsStream(119401, FrameRate(23976).exact()));
    EXPECT_EQ(TSubtitle::FramesToTime(119401, FrameRate(23976).exact()), "01:23:00:016");
}

TEST(TimeCodes, ZeroRateIsAnErrorCarryingTheMessage)
{
    try {
        TSubtitle::FramesToTime(7, FrameRate(0));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "0 Fps !!!");
    }
}

TEST(TimeCodes, SubRipTimesGoToTheNearestFrameHalvesToEven)
{
    const auto startFrame = [](const char* time, std::int64_t rate) {
        TSubtitle list;
        list.LoadFromData("a.srt", QByteArray("1\n") + time + " --> 99:00:00,000\nx\n", true,
                          FrameRate(rate), 0);
        return list.Count() == 1 ? list.line(1).StartFrame : std::string("(skipped)");
    };
    EXPECT_EQ(startFrame("00:00:01,000", 25000), "25");
    EXPECT_EQ(startFrame("01:02:03,456", 25000), "93086");
    EXPECT_EQ(startFrame("00:01:00,000", 23976), "1439");
    EXPECT_EQ(startFrame("00:00:02,500", 29970), "75");
    EXPECT_EQ(startFrame("00:00:01.500", 24000), "36") << "a full stop reads as a comma";
    EXPECT_EQ(startFrame("00:00:02,500", 25000), "62");
    EXPECT_EQ(startFrame("00:00:01,500", 25000), "38");
    // 20 ms and 60 ms are exact halves in decimal terms: even neighbours.
    EXPECT_EQ(startFrame("00:00:00,020", 25000), "0");
    EXPECT_EQ(startFrame("00:00:00,060", 25000), "2");
}

TEST(TimeCodes, MalformedTimeIsAnErrorNamingTheText)
{
    try {
        MillisOfTime("00:0a:01,000");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'0a' is not a valid integer value");
    }
    // Minutes and seconds are two digits each, the fraction at most three.
    for (const char* time : {"00:00:5,000", "00:0:05,000", "00:00:05,0000", "00:05,000"}) {
        try {
            MillisOfTime(time);
            ADD_FAILURE() << time << " was read";
        } catch (const ConversionError&) {
            ADD_FAILURE() << time << ": not a number error";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a time (hh:mm:ss,mmm)").arg(time));
        }
    }
    EXPECT_EQ(MillisOfTime("00:00:75,000"), 75000) << "seconds past 59 add up";
    EXPECT_THROW(StrToInt(""), ConversionError);
    EXPECT_THROW(StrToInt("99999999999"), ConversionError);
    EXPECT_THROW(StrToInt("2147483648"), ConversionError);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("0100"), 100);
}

TEST(SubtitleList, AddCountGetAndClear)
{
    TSubtitle list;
    list.AddLine("1", "2", "a", "b", "c");
    list.AddLine("3", "4", "d", "", "");
    EXPECT_EQ(list.Count(), 2);
    SubtitleLine l;
    list.GetLine(2, l);
    EXPECT_EQ(l, (SubtitleLine{"3", "4", "d", "", ""}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(SubtitleFiles, WellFormedSubRipGivesOneEntryPerSubtitle)
{
    TSubtitle list = load(dataFile("three.srt"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(entry(list, 1), (SubtitleLine{"25", "50", "One line", "", ""}));
    // The markup is gone from the text and kept as a style.
    EXPECT_EQ(entry(list, 2),
              (SubtitleLine{"75", "112", "Two", "lines", "", {}, {{0, 0, 3, {.italic = true}}}}));
    // Coordinates after the end time are ignored; a fourth text line is kept after the third.
    EXPECT_EQ(entry(list, 3), (SubtitleLine{"93086", "93125", "A", "B", "C", {"D (fourth line)"}}));
    EXPECT_EQ(m_outcomes, std::vector{LoadOutcome::Read});
}

TEST_F(SubtitleFiles, SubtitleWithoutTextIsCountedAndKeepsTheNext)
{
    const QString path = write("a.srt", "1\n00:00:01,000 --> 00:00:02,000\n\n"
                                        "2\n00:00:03,000 --> 00:00:04,000\nSecond\n\n");
    TSubtitle list = load(path);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.EmptyCount(), 1);
    EXPECT_EQ(entry(list, 1), (SubtitleLine{"75", "100", "Second", "", ""}));
}

TEST_F(SubtitleFiles, OneLineSubtitleWithoutBlankLineKeepsTheNext)
{
    const QString path = write("a.srt", "1\n00:00:01,000 --> 00:00:02,000\nFirst\n"
                                        "2\n00:00:03,000 --> 00:00:04,000\nSecond\n"
                                        "00:00:05,000 --> 00:00:06,000\n42\nThird\n");
    TSubtitle list = load(path);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(entry(list, 1).Line1, "First");
    EXPECT_EQ(entry(list, 1).Line2, "");
    EXPECT_EQ(entry(list, 2).Line1, "Second");
    // A number not followed by a time line is ordinary text.
    EXPECT_EQ(entry(list, 3), (SubtitleLine{"125", "150", "42", "Third", ""}));
}

TEST_F(SubtitleFiles, CarriageReturnLineFeedOrEitherAloneEndsALine)
{
    // CR LF, a CR alone inside the text (an old Mac line end) and no final line break.
    const QString path = write("a.SRT", "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\rB\r\nC");
    TSubtitle list = load(path);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(entry(list, 1), (SubtitleLine{"25", "50", "A", "B", "C"}));

    const QString crOnly = write("b.srt", "1\r00:00:01,000 --> 00:00:02,000\rA\r");
    EXPECT_EQ(load(crOnly).Count(), 1);
    EXPECT_EQ(m_outcomes, (std::vector{LoadOutcome::Read, LoadOutcome::Read}));
}

TEST_F(SubtitleFiles, BytesAboveAsciiAreReadInTheCodePageTheFileIsFoundIn)
{
    TSubtitle list = load(dataFile("bytes.srt"));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(entry(list, 1).Line1, ToUtf8("Caf\xe9 \xc3\xa9 \xff", list.Encoding().codePage));
    EXPECT_TRUE(IsValidUtf8(entry(list, 1).Line1));
}

TEST_F(SubtitleFiles, RecognitionByExtensionAndContent)
{
    const QByteArray srt = "1\n00:00:01,000 --> 00:00:02,000\nA\n";
    const QByteArray mdvd = "{1}{2}A\n";
    EXPECT_EQ(load(write("ok.Srt", srt)).Count(), 1);
    EXPECT_EQ(load(write("ok.TXT", mdvd)).Count(), 1);
    EXPECT_EQ(m_outcomes, std::vector(2, LoadOutcome::Read));

    // A .txt file is read by what it holds; a .sub file holds MicroDVD text only.
    const TSubtitle txt = load(write("srt.txt", srt));
    ASSERT_EQ(txt.Count(), 1);
    EXPECT_EQ(entry(txt, 1).StartFrame, "25");
    load(write("mdvd.srt", mdvd));
    load(write("srt.sub", srt));
    load(write("noext", srt));
    load(write("binary.sub", QByteArray("\x00\x00\x01\xba\x44", 5)));
    load(m_dir.filePath("missing.srt"));
    m_outcomes.erase(m_outcomes.begin(), m_outcomes.begin() + 3);
    EXPECT_EQ(m_outcomes, std::vector(5, LoadOutcome::UnsupportedFormat));
}

TEST_F(SubtitleFiles, UnsupportedFileLeavesTheListAlone)
{
    TSubtitle list;
    list.AddLine("1", "2", "keep", "", "");
    EXPECT_EQ(list.LoadFromFile(write("x.srt", "nothing here\n"), true, FrameRate(25000), 0),
              LoadOutcome::UnsupportedFormat);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(SubtitleFiles, ByteOrderMarkBeforeTheFirstLineIsIgnored)
{
    // SubRip: the mark sits in the ignored first line. MicroDVD: it is skipped.
    EXPECT_EQ(load(write("a.srt", "\xEF\xBB\xBF"
                                  "1\n00:00:01,000 --> 00:00:02,000\nA\n"))
                  .Count(),
              1);
    TSubtitle mdvd = load(write("a.sub", "\xEF\xBB\xBF{10}{20}A\n"));
    ASSERT_EQ(mdvd.Count(), 1);
    EXPECT_EQ(entry(mdvd, 1), (SubtitleLine{"10", "20", "A", "", ""}));
}

TEST_F(SubtitleFiles, MicroDvdFramesStandAsTheyAre)
{
    TSubtitle list = load(dataFile("microdvd.sub"), FrameRate(23976));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(entry(list, 1), (SubtitleLine{"100", "200", "Hello", "World", ""}));
    EXPECT_EQ(entry(list, 2),
              (SubtitleLine{"100", "250", "Styled", "", "", {}, {{0, 0, 6, {.italic = true}}}}));
    EXPECT_EQ(entry(list, 3), (SubtitleLine{"10", "20", "a", "b", "c", {"d"}}));
    EXPECT_EQ(entry(list, 4), (SubtitleLine{"10", "20", "", "b", ""}));

    // The header names the file's rate, the same as the chosen one: it is no subtitle.
    TSubtitle txt = load(dataFile("microdvd.txt"), FrameRate(23976));
    ASSERT_EQ(txt.Count(), 1);
    EXPECT_EQ(entry(txt, 1).StartFrame, "25");
    EXPECT_EQ(entry(txt, 1).Line1, "Text line");
    EXPECT_TRUE(txt.RateNote().isEmpty());
}

TEST_F(SubtitleFiles, MicroDvdSkipsEmptyAndBlankLines)
{
    TSubtitle list = load(write("a.sub", "{1}{2}A\n\n   \n{3}{4}B\n\n"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(entry(list, 2).Line1, "B");
}

TEST_F(SubtitleFiles, UnreadableEntryIsSkippedWithItsLineAndReason)
{
    TSubtitle list = load(write("a.sub", "{1}{2}A\n{3}{4}B\nnot a subtitle\n{5}{6}C\n"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Skipped(),
              (std::vector<SkippedEntry>{{3, "'not a subtitle' is not a valid integer value"}}));

    TSubtitle srt = load(write("b.srt", "1\n00:00:01,000 --> 00:00:02,000\nA\n\n"
                                        "2\n00:00:0x,000 --> 00:00:04,000\nB\n"));
    EXPECT_EQ(srt.Count(), 1);
    EXPECT_EQ(srt.Skipped(),
              (std::vector<SkippedEntry>{{6, "subtitle 2: '0x' is not a valid integer value"}}));

    TSubtitle huge = load(write("c.sub", "{99999999999}{1}A\n"));
    EXPECT_EQ(huge.Count(), 0);
    EXPECT_EQ(huge.Skipped(),
              (std::vector<SkippedEntry>{{1, "'99999999999' is not a valid integer value"}}));
}

TEST_F(SubtitleFiles, FrameRateAndOffsetApply)
{
    const QString path = write("a.srt", "1\n00:00:01,000 --> 00:00:02,000\nA\n");
    EXPECT_EQ(entry(load(path, FrameRate(23976)), 1).StartFrame, "24");
    TSubtitle list;
    ASSERT_EQ(list.LoadFromFile(path, true, FrameRate(25000), 100), LoadOutcome::Read);
    EXPECT_EQ(entry(list, 1).StartFrame, "125");
    ASSERT_EQ(list.LoadFromFile(write("b.sub", "{0100}{0200}A\n"), false, FrameRate(25000), 10),
              LoadOutcome::Read);
    EXPECT_EQ(list.Count(), 2) << "without clear-first entries are appended";
    EXPECT_EQ(entry(list, 2).StartFrame, "110");
}

TEST_F(SubtitleFiles, HundredThousandEntriesAreAllAccountedFor)
{
    // One every 2 s: those starting before 26:30:43,717 are read, the rest (up to 55 h) are
    // skipped and named.
    TSubtitle list = load(write("big.srt", numberedSrt(100000, 500, "\r\n")));
    ASSERT_EQ(list.Count(), 47722);
    EXPECT_EQ(entry(list, 47722), (SubtitleLine{"2386050", "2386062", "Line 47721", "", ""}));
    EXPECT_EQ(list.Skipped().size(), std::size_t(100000 - 47722));
}
