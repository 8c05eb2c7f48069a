// Reading BDN XML indexes with their PNG pictures: timecodes at every rate, with and without
// drop frames, our own writer's index read back and converted, and damaged indexes.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "bdn/BdnReader.h"
#include "pgs/PgsReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;
using namespace lumelle::bdn;

TEST(BdnReader, TimecodesCountTheFramesOfTheRateAndSkipDroppedNumbers)
{
    const struct
    {
        const char* rate;
        bool drop;
        const char* timecode;
        long long frame; // -1: refused
    } cases[] = {
        {"25", false, "00:00:01:00", 25},
        {"25", false, "01:00:00:24", 90024},
        {"25", false, "00:00:01:25", -1}, // no frame 25 in a second of 25
        {"23.976", false, "00:00:01:23", 47},
        {"23.976", false, "00:00:01:24", -1},
        {"29.97", false, "00:01:00:00", 1800},
        {"29.97", true, "00:01:00;02", 1800}, // 00;00 and 00;01 are skipped
        {"29.97", true, "00:01:00;00", -1},
        {"29.97", true, "00:10:00;00", 17982}, // every tenth minute keeps them
        {"29.97", true, "01:00:00;00", 107892},
        {"59.94", true, "00:01:00;04", 3600},
        {"25", true, "00:01:00:00", 1500}, // drop frames only at 29.97 and 59.94
        {"25", false, "1:00:00:00", -1},
        {"25", false, "00:60:00:00", -1},
        {"25", false, "", -1},
    };
    for (const auto& c : cases) {
        long long numerator = 0, denominator = 0;
        ASSERT_TRUE(BdnRate(c.rate, numerator, denominator)) << c.rate;
        EXPECT_EQ(BdnTimecodeFrame(c.timecode, numerator, denominator, c.drop), c.frame)
            << c.rate << " " << c.timecode;
    }
    long long n = 0, d = 0;
    EXPECT_FALSE(BdnRate("23.98", n, d));
    EXPECT_TRUE(
        LooksLikeBdn("<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<BDN Version=\"0.93\">"));
    EXPECT_FALSE(LooksLikeBdn("<?xml version=\"1.0\"?><BDNX/>"));
    EXPECT_FALSE(LooksLikeBdn("1\n00:00:01,000 --> 00:00:02,000\n<BDN>\n"));
}

namespace {

// A BDN index of two subtitles, the second forced, written by the converter at 25 fps into
// `dir`/film_bdn; its path.
QString writtenIndex(const QTemporaryDir& dir)
{
    const QString srt = writeFileIn(dir, "film.srt",
                                    "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
                                    "2\n00:00:04,000 --> 00:00:06,480\n{\\an8}Two\n\n");
    const ConverterRun run = runConverter({"--format", "bdn-xml", "--fps", "25", srt});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return dir.filePath("film_bdn/film.xml");
}

} // namespace

TEST(BdnReader, OurOwnIndexReadsBackAndConvertsToPgsAndVobSubUnderAnyName)
{
    QTemporaryDir dir;
    const QString written = writtenIndex(dir);
    // Under a name that says nothing of its kind, beside its pictures.
    const QString xml = dir.filePath("film_bdn/index.dat");
    ASSERT_TRUE(QFile::rename(written, xml));
    const BdnIndex index = ReadBdnFile(xml);
    EXPECT_TRUE(index.problems.isEmpty()) << index.problems.join("\n").toStdString();
    EXPECT_EQ(index.frame, QSize(1920, 1080));
    ASSERT_EQ(index.events.size(), 2u);
    EXPECT_EQ(index.events[0].start, 90000);
    EXPECT_EQ(index.events[0].end, 180000);
    EXPECT_EQ(index.events[1].start, 360000);
    EXPECT_EQ(index.events[1].end, 583200); // 6.48 s: frame 162
    ASSERT_EQ(index.events[0].graphics.size(), 1u);
    const QRect first = index.events[0].graphics[0].box;
    EXPECT_GT(first.top(), 540);                           // at the bottom
    EXPECT_LT(index.events[1].graphics[0].box.top(), 540); // {\an8}: at the top
    EXPECT_EQ(qRed(index.events[0].inks.text), 255);       // white text
    EXPECT_EQ(qRed(index.events[0].inks.outline), 0);      // black outline

    ColourImage drawn;
    BdnPictures(std::make_shared<BdnIndex>(index))->compose(0, drawn);
    EXPECT_EQ(drawn.box, first);

    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    ConverterRun run = runConverter({"--format", "pgs", "--fps", "25", "-o", out, xml});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pgs::ReadStream pgs = pgs::ReadPgsFile(out + "/index.sup");
    ASSERT_EQ(pgs.displays.size(), 2u);
    EXPECT_EQ(pgs.displays[0].start, 90000);
    EXPECT_EQ(pgs.displays[1].start, 360000);
    EXPECT_EQ(pgs.displays[0].box(), first); // the same frame: each picture where it was

    // The timing options hold for pictures too.
    run = runConverter({"--format", "vobsub", "--fps", "25", "--shift", "+500ms", "-o", out, xml});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile idx(out + "/index.idx");
    ASSERT_TRUE(idx.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(idx.readAll());
    EXPECT_TRUE(text.contains("timestamp: 00:00:01:480, ")) << text.toStdString(); // 12 frames
    EXPECT_TRUE(text.contains("timestamp: 00:00:04:480, ")) << text.toStdString();
}

TEST(BdnReader, DamagedEventsAreNamedAndTheRestConverted)
{
    QTemporaryDir dir;
    const QString xml = writtenIndex(dir);
    QFile file(xml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    // The first event's picture goes missing; then a third event with a bad timecode.
    ASSERT_TRUE(QFile::remove(dir.filePath("film_bdn/film_0001.png")));
    bytes.replace("</Events>\n</BDN>",
                  "<Event Forced=\"False\" InTC=\"00:00:09:30\" OutTC=\"00:00:10:00\">"
                  "<Graphic Width=\"10\" Height=\"10\" X=\"0\" Y=\"0\">film_0002.png</Graphic>"
                  "</Event>\n</Events>\n</BDN>");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    const ConverterRun run = runConverter({"--format", "vobsub", "--fps", "25", "-o", out, xml});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("event 1 (line 12): the picture \"film_0001.png\" cannot be "
                                 "read, left out"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("event 3")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("the timecode \"00:00:09:30\" cannot be read"));
    EXPECT_TRUE(run.out.contains("1 subtitle")) << run.out.toStdString();
    QFile idx(out + "/film.idx");
    ASSERT_TRUE(idx.open(QIODevice::ReadOnly));
    EXPECT_EQ(idx.readAll().count("timestamp: "), 1);
    QFile again(xml);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes); // the input is never written over
}
