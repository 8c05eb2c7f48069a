// Conversions of files of pictures as a user meets them: a pair given by both its files, an
// NTSC track that stays NTSC, folders of every kind of subtitle, our own Y/Cr/Cb palettes read
// back, --brightness, and pictures decoded by ffmpeg from input and output compared by SSIM.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "cli/Brightness.h"
#include "pgs/PgsReader.h"
#include "vobsub/IndexReader.h"
#include "vobsub/Palette.h"
#include "vobsub/VobSubReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

const QByteArray kTwoLines = "1\n00:00:01,000 --> 00:00:03,500\nWelcome to the film\n\n2\n"
                             "00:00:04,000 --> 00:00:06,000\nA second, longer line\n";

// Converts `srt` (written as NAME.srt in `folder`) with `args` into `folder`; the run's outcome.
ConverterRun made(const QString& folder, const QString& name, const QStringList& args)
{
    QDir().mkpath(folder);
    const QString srt = QDir(folder).filePath(name + QStringLiteral(".srt"));
    writeFile(srt, kTwoLines);
    ConverterRun run = runConverter(QStringList{srt, QStringLiteral("-q")} + args);
    QFile::remove(srt);
    return run;
}

// The files a --json run converted, by name within `folder`.
QStringList convertedFiles(const ConverterRun& run, const QString& folder)
{
    QStringList found;
    for (const QJsonValue& file :
         QJsonDocument::fromJson(run.out.toUtf8()).object().value("files").toArray())
        found << QFileInfo(file.toObject().value("file").toString())
                     .absoluteFilePath()
                     .mid(QFileInfo(folder).absoluteFilePath().size() + 1);
    return found;
}

QStringList paletteOf(const QByteArray& idx)
{
    for (const QByteArray& line : idx.split('\n'))
        if (line.startsWith("palette: "))
            return QString::fromLatin1(line.mid(9).trimmed()).split(QStringLiteral(", "));
    return {};
}

} // namespace

TEST(BitmapConversions, APairGivenByBothItsFilesIsConvertedOnceInEitherOrder)
{
    QTemporaryDir dir;
    const QString films = dir.filePath("films");
    ASSERT_EQ(made(films, "film", {}).exitCode, 0);
    const QString idx = films + "/film.idx", sub = films + "/film.sub";
    const QByteArray idxBefore = readAll(idx), subBefore = readAll(sub);
    for (const QStringList& order : {QStringList{sub, idx}, QStringList{idx, sub}}) {
        SCOPED_TRACE(order.join(' ').toStdString());
        const QString out = dir.filePath("out");
        QDir(out).removeRecursively();
        const ConverterRun run =
            runConverter(order + QStringList{"--json", "--format", "pgs", "-o", out});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(convertedFiles(run, films), QStringList{QFileInfo(order[0]).fileName()});
        EXPECT_TRUE(QFileInfo::exists(out + "/film.sup"));
    }
    // Into its own form beside itself, the pair read stays and the new one takes another name.
    const ConverterRun beside = runConverter({sub, idx});
    EXPECT_EQ(beside.exitCode, 0) << beside.err.toStdString();
    EXPECT_EQ(readAll(idx), idxBefore);
    EXPECT_EQ(readAll(sub), subBefore);
    EXPECT_EQ(readAll(films + "/film_vobsub.sub"), subBefore);
}

TEST(BitmapConversions, AnNtscTrackStaysNtscUnlessFpsSaysOtherwise)
{
    QTemporaryDir dir;
    const QString films = dir.filePath("films");
    ASSERT_EQ(made(films, "film", {"--fps", "29.97"}).exitCode, 0);
    const QString idx = films + "/film.idx";
    ASSERT_TRUE(readAll(idx).contains("size: 720x480"));

    // Kept as it is: the same pictures at the same times, not redrawn for a PAL frame.
    ConverterRun run = runConverter({idx, "-o", dir.filePath("same")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(dir.filePath("same/film.idx")), readAll(idx));
    EXPECT_EQ(readAll(dir.filePath("same/film.sub")), readAll(films + "/film.sub"));

    // PGS at the DVD frame, at 29.97 (the frame-rate code of the video descriptor, 0x40).
    run = runConverter({idx, "--format", "pgs", "-o", dir.filePath("pgs")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pgs::ReadStream pgs = pgs::ReadPgsFile(dir.filePath("pgs/film.sup"));
    EXPECT_EQ(pgs.frame, QSize(720, 480));
    const QByteArray sup = readAll(dir.filePath("pgs/film.sup"));
    ASSERT_GT(sup.size(), 19);
    // "PG", two stamps, the segment type, its size, then width, height and the rate's code.
    EXPECT_EQ(uchar(sup[10]), 0x16); // the first segment: a presentation composition
    EXPECT_EQ(uchar(sup[17]), 0x40) << "frame rate code of 29.97";

    // --fps given wins: a PAL pair.
    run = runConverter({idx, "--fps", "25", "-o", dir.filePath("pal")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(readAll(dir.filePath("pal/film.idx")).contains("size: 720x576"));
}

TEST(BitmapConversions, TimingOptionsMoveDvdPicturesToo)
{
    QTemporaryDir dir;
    const QString films = dir.filePath("films");
    ASSERT_EQ(made(films, "film", {}).exitCode, 0);
    ConverterRun run =
        runConverter({films + "/film.idx", "--format", "pgs", "-o", dir.filePath("still")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = runConverter(
        {films + "/film.idx", "--shift", "2s", "--format", "pgs", "-o", dir.filePath("moved")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pgs::ReadStream still = pgs::ReadPgsFile(dir.filePath("still/film.sup"));
    const pgs::ReadStream moved = pgs::ReadPgsFile(dir.filePath("moved/film.sup"));
    ASSERT_EQ(still.displays.size(), 2u);
    ASSERT_EQ(moved.displays.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(moved.displays[i].start - still.displays[i].start, 2 * 90000);
        EXPECT_EQ(moved.displays[i].end - still.displays[i].end, 2 * 90000);
    }
}

TEST(BitmapConversions, AFolderConvertsEverySubtitleInputNotInTheFormWritten)
{
    QTemporaryDir dir;
    const QString films = dir.filePath("films");
    ASSERT_EQ(made(films, "pair", {}).exitCode, 0);                      // pair.idx, pair.sub
    ASSERT_EQ(made(films, "blu", {"--format", "pgs"}).exitCode, 0);      // blu.sup
    ASSERT_EQ(made(films, "disc", {"--format", "dvd-sup"}).exitCode, 0); // disc.sup
    ASSERT_EQ(made(dir.filePath("bdn"), "set", {"--format", "bdn-xml"}).exitCode, 0);
    writeFile(films + "/text.srt", kTwoLines);
    ASSERT_EQ(runConverter({"-q", films + "/text.srt"}).exitCode, 0); // text.idx, text.sub
    QStringList inputs;
    for (const QString& name : QDir(films).entryList(QDir::Files))
        if (!name.startsWith("Lumelle_Help_File")) // the help file is an output, written again
            inputs << name;
    QMap<QString, QByteArray> before;
    for (const QString& name : inputs)
        before[name] = readAll(films + "/" + name);

    // To PGS: the pair once, the DVD .sup and the text; the PGS stream stays, as the earlier
    // outputs of the text do.
    ConverterRun run =
        runConverter({"--json", "--format", "pgs", "-o", dir.filePath("pgs"), films});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(convertedFiles(run, films), QStringList({"disc.sup", "pair.idx", "text.srt"}));
    EXPECT_TRUE(run.err.contains(films + "/blu.sup: left out: it is a Blu-ray PGS stream already"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(films + "/text.idx: left out: it bears the name of a text"))
        << run.err.toStdString();

    // Beside the inputs, as VobSub: the pair is left alone, nothing read is replaced.
    run = runConverter({"--json", films});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(convertedFiles(run, films), QStringList({"blu.sup", "disc.sup", "text.srt"}));
    EXPECT_TRUE(run.err.contains(films + "/pair.idx: left out: it is a VobSub pair already"))
        << run.err.toStdString();
    for (const QString& name : inputs)
        EXPECT_EQ(readAll(films + "/" + name), before[name]) << name.toStdString();
    EXPECT_TRUE(QFileInfo::exists(films + "/blu.idx"));
    EXPECT_FALSE(QFileInfo::exists(films + "/pair_vobsub.idx"));

    // A folder holding a BDN index (in the folder of its own it is written to) converts it with
    // its pictures.
    const QString bdn = dir.filePath("bdn/set_bdn");
    run = runConverter({"--json", "--format", "pgs", "-R", dir.filePath("bdn")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(convertedFiles(run, dir.filePath("bdn")), QStringList({"set_bdn/set.xml"}));
    EXPECT_EQ(pgs::ReadPgsFile(bdn + "/set.sup").displays.size(), 2u);
}

TEST(IndexReader, OurYCrCbPalettesReadBackAsTheColoursWritten)
{
    // Every palette the writer can make in a Y/Cr/Cb mode reads back as colours it would write
    // the same way: the window's defaults, saturated colours, and twelve extra entries.
    const std::vector<OutputColours> sets = {
        {makeColor(128, 128, 128), makeColor(0, 0, 0), makeColor(255, 255, 255)},
        {makeColor(1, 148, 60),
         makeColor(255, 0, 0),
         makeColor(255, 255, 0),
         {makeColor(0, 255, 0), makeColor(0, 0, 254), makeColor(255, 0, 255),
          makeColor(0, 255, 255), makeColor(17, 34, 51), makeColor(200, 100, 50),
          makeColor(254, 254, 254), makeColor(3, 3, 3), makeColor(90, 10, 200),
          makeColor(250, 240, 230), makeColor(128, 0, 0), makeColor(0, 128, 0)}},
    };
    for (PaletteMode mode : {PaletteMode::DvdOnly, PaletteMode::PcDvdTwoPalettes}) {
        for (const OutputColours& colours : sets) {
            const std::string written = PaletteLine(mode, colours);
            const QByteArray idx = QByteArray("# VobSub index file, v7 (do not modify this line!)\n"
                                              "size: 720x576\n") +
                                   QByteArray::fromStdString(written) +
                                   "\n# Custom colors(transp idxs and the four colors)\n" +
                                   QByteArray::fromStdString(CustomColourLine(mode, colours)) +
                                   "\nid: en, index: 0\n";
            const IndexContents read = ReadIndexText(idx);
            EXPECT_TRUE(read.yCrCbPalette);
            std::string again = "palette: ";
            for (std::size_t i = 0; i < 16; ++i) {
                const QRgb c = read.colours.palette[i];
                const bool filler = i >= 4 + colours.extra.size();
                again += (i ? ", " : "") +
                         (filler ? ToRgbHex(makeColor(qRed(c), qGreen(c), qBlue(c)))
                                 : ToYCrCbHex(makeColor(qRed(c), qGreen(c), qBlue(c))));
            }
            EXPECT_EQ(again, written);
        }
    }
    // White, black and the window's grey come back exactly.
    const IndexContents defaults = ReadIndexText(
        "# VobSub index file, v7 (do not modify this line!)\npalette: 80807F, 008080, FF807F, "
        "1D6BFF, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, "
        "000000, 000000\n# Custom colors(transp idxs and the four colors)\n");
    EXPECT_EQ(defaults.colours.palette[0], qRgb(128, 128, 128));
    EXPECT_EQ(defaults.colours.palette[1], qRgb(0, 0, 0));
    EXPECT_EQ(defaults.colours.palette[2], qRgb(255, 255, 255));
    EXPECT_EQ(defaults.colours.palette[3], qRgb(0, 0, 255));
    EXPECT_EQ(defaults.colours.palette[4], qRgb(0, 0, 0));
    // Another program's index with the same entries is RGB as it says.
    const IndexContents foreign = ReadIndexText(
        "# VobSub index file, v7 (do not modify this line!)\npalette: 80807F, 008080, FF807F, "
        "1D6BFF, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, "
        "000000, 000000\n# Custom colours (transp idxs and the four colours)\n");
    EXPECT_FALSE(foreign.yCrCbPalette);
    EXPECT_EQ(foreign.colours.palette[2], qRgb(0xFF, 0x80, 0x7F));
}

TEST(IndexReader, ADvdOnlyPairConvertsInItsOwnColours)
{
    QTemporaryDir dir;
    const QString films = dir.filePath("films");
    ASSERT_EQ(made(films, "film", {"--palette", "dvd", "--text-color", "#FFFF00"}).exitCode, 0);
    const DvdRead read = ReadVobSubFiles(VobSubFilesOf(films + "/film.idx"));
    EXPECT_EQ(read.palette[2], qRgb(255, 255, 0));
    EXPECT_EQ(read.palette[3], qRgb(0, 0, 255));
    // Through PGS, the text is yellow, not the colour the Y/Cr/Cb digits make read as RGB.
    const ConverterRun run =
        runConverter({films + "/film.idx", "--format", "pgs", "-o", dir.filePath("pgs")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pgs::ReadStream stream = pgs::ReadPgsFile(dir.filePath("pgs/film.sup"));
    ASSERT_FALSE(stream.displays.empty());
    ColourImage image;
    pgs::ComposeDisplay(stream.displays[0], image);
    int yellow = 0;
    for (int y = 0; y < image.argb.height(); ++y)
        for (int x = 0; x < image.argb.width(); ++x) {
            const QRgb p = qUnpremultiply(image.argb.pixel(x, y));
            yellow += qAlpha(p) == 255 && qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) < 20;
        }
    EXPECT_GT(yellow, 100);
}

TEST(Brightness, ColoursShowAtTheShareOfLightAsked)
{
    EXPECT_TRUE(BrightnessScale(100).changesNothing());
    const BrightnessScale quarter(25);
    EXPECT_FALSE(quarter.changesNothing());
    // A quarter of the light: 255 x 0.25^(1/2.2) = 135.8.
    EXPECT_EQ(quarter.component(255), 136);
    EXPECT_EQ(quarter.component(0), 0);
    EXPECT_NEAR(std::pow(quarter.component(200) / 200.0, 2.2), 0.25, 0.01);

    QTemporaryDir dir;
    // In the palette of a pair, the custom colours and the help file alike.
    ASSERT_EQ(made(dir.filePath("dim"), "film", {"--brightness", "25"}).exitCode, 0);
    const QByteArray idx = readAll(dir.filePath("dim/film.idx"));
    EXPECT_TRUE(idx.contains("custom colors: ON, tridx: 1000, colors: 0000FF, 888888, 000000, "
                             "444444"))
        << idx.toStdString();
    ASSERT_EQ(made(dir.filePath("pc"), "film", {"--brightness", "25", "--palette", "pc"}).exitCode,
              0);
    EXPECT_EQ(paletteOf(readAll(dir.filePath("pc/film.idx"))).mid(0, 4),
              QStringList({"444444", "000000", "888888", "0000FF"}));
    // In the pictures of a PGS stream: the brightest ink is the dimmed white.
    ASSERT_EQ(made(dir.filePath("pgs"), "film", {"--brightness", "25", "--format", "pgs"}).exitCode,
              0);
    const pgs::ReadStream dimmed = pgs::ReadPgsFile(dir.filePath("pgs/film.sup"));
    ASSERT_FALSE(dimmed.displays.empty());
    ColourImage image;
    pgs::ComposeDisplay(dimmed.displays[0], image);
    int brightest = 0;
    for (int y = 0; y < image.argb.height(); ++y)
        for (int x = 0; x < image.argb.width(); ++x)
            if (qAlpha(image.argb.pixel(x, y)) == 255)
                brightest = std::max(brightest, qGreen(image.argb.pixel(x, y)));
    EXPECT_NEAR(brightest, 136, 3);
    // Pictures read from a file are dimmed too: the yellow text of a PGS stream, which keeps an
    // entry of its own in the palette, shows at half the light in the pair made from it,
    // 255 x 0.5^(1/2.2) = 186.
    ASSERT_EQ(made(dir.filePath("bright"), "film", {"--format", "pgs", "--text-color", "#FFFF00"})
                  .exitCode,
              0);
    const ConverterRun run = runConverter({dir.filePath("bright/film.sup"), "--brightness", "50",
                                           "--palette", "pc", "-o", dir.filePath("fromPgs")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const DvdRead pair = ReadVobSubFiles(VobSubFilesOf(dir.filePath("fromPgs/film.idx")));
    ASSERT_FALSE(pair.streams.empty());
    int shownBrightest = 0;
    for (const DvdPicture& p : pair.streams[0].pictures)
        for (int v = 1; v < 4; ++v)
            if (qAlpha(pair.shown(p, v)) > 0 && qBlue(pair.shown(p, v)) < 40)
                shownBrightest = std::max(shownBrightest, qRed(pair.shown(p, v)));
    EXPECT_NEAR(shownBrightest, 186, 4);
    // Out of range, refused before anything is written.
    const ConverterRun refused =
        runConverter({dir.filePath("pgs/film.sup"), "--brightness", "0", "-o", dir.filePath("no")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("no/film.idx")));
}

namespace {

// The frame ffmpeg shows at 2 s of the subtitles of `file` laid over mid grey at `frame`,
// scaled to 1024x576 (the shape a 16:9 picture shows at) in grey levels; empty on failure.
QByteArray decodedGrey(const QString& file, QSize frame, QString& problem)
{
    QProcess ffmpeg;
    ffmpeg.start(
        "ffmpeg",
        {"-v", "error", "-f", "lavfi", "-i",
         QStringLiteral("color=c=0x808080:s=%1x%2:r=25:d=4").arg(frame.width()).arg(frame.height()),
         "-i", file, "-filter_complex",
         "[0:v][1:s]overlay,scale=1024:576:flags=bicubic,format=gray", "-ss", "2", "-frames:v", "1",
         "-f", "rawvideo", "pipe:1"});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        problem = "ffmpeg failed: " + QString::fromLocal8Bit(ffmpeg.readAllStandardError());
        return {};
    }
    QByteArray grey = ffmpeg.readAllStandardOutput();
    if (grey.size() != 1024 * 576) {
        problem = QStringLiteral("decoded frame has %1 bytes").arg(grey.size());
        return {};
    }
    return grey;
}

// The mean SSIM of 8x8 windows (every 4 pixels) of two 1024x576 grey frames, over the rows and
// columns where either differs from the background, with a margin of 8.
double ssimOfSubtitles(const QByteArray& a, const QByteArray& b)
{
    constexpr int w = 1024, h = 576;
    int top = h, bottom = -1, left = w, right = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = y * w + x;
            if (std::abs(uchar(a[i]) - 128) > 8 || std::abs(uchar(b[i]) - 128) > 8) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
        }
    if (bottom < 0)
        return 1.0;
    top = std::max(0, top - 8), left = std::max(0, left - 8);
    bottom = std::min(h - 8, bottom + 8), right = std::min(w - 8, right + 8);
    const double c1 = 6.5025, c2 = 58.5225; // (0.01 x 255)^2, (0.03 x 255)^2
    double sum = 0;
    int windows = 0;
    for (int y = top; y <= bottom; y += 4)
        for (int x = left; x <= right; x += 4) {
            double ma = 0, mb = 0, va = 0, vb = 0, cov = 0;
            for (int dy = 0; dy < 8; ++dy)
                for (int dx = 0; dx < 8; ++dx) {
                    const int i = (y + dy) * w + x + dx;
                    ma += uchar(a[i]), mb += uchar(b[i]);
                }
            ma /= 64, mb /= 64;
            for (int dy = 0; dy < 8; ++dy)
                for (int dx = 0; dx < 8; ++dx) {
                    const int i = (y + dy) * w + x + dx;
                    const double da = uchar(a[i]) - ma, db = uchar(b[i]) - mb;
                    va += da * da, vb += db * db, cov += da * db;
                }
            va /= 63, vb /= 63, cov /= 63;
            sum +=
                ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    return sum / windows;
}

} // namespace

// What ffmpeg shows of a track and of the track converted, scaled alike, looks the same: the
// SSIM of the subtitles' area stays above what the measured conversions reach less a margin
// (four hard-edged inks at DVD size against smooth 1080 pictures score well below 1), and above
// that of a frame without them.
TEST(BitmapConversions, DecodedInputAndOutputAgreeBySsim)
{
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
        GTEST_SKIP() << "ffmpeg is missing (Debian package ffmpeg)";
    QTemporaryDir dir;
    ASSERT_EQ(made(dir.filePath("pgs"), "film", {"--format", "pgs", "--size", "28"}).exitCode, 0);
    // ffmpeg shows an index's palette as RGB and leaves custom colours out: the pairs are PC ones.
    ASSERT_EQ(made(dir.filePath("dvd"), "film", {"--palette", "pc"}).exitCode, 0);
    struct Case
    {
        const char* name;
        QString input;
        QSize inputFrame;
        QStringList options;
        QString output;
        QSize outputFrame;
        double threshold;
    };
    const Case cases[] = {
        {"PGS to VobSub",
         dir.filePath("pgs/film.sup"),
         QSize(1920, 1080),
         {"--palette", "pc"},
         dir.filePath("toDvd/film.idx"),
         QSize(720, 576),
         0.65}, // measured 0.720
        {"VobSub to PGS",
         dir.filePath("dvd/film.idx"),
         QSize(720, 576),
         {"--format", "pgs", "--frame-size", "1920x1080"},
         dir.filePath("toPgs/film.sup"),
         QSize(1920, 1080),
         0.93}, // measured 0.984
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ConverterRun run =
            runConverter(QStringList{c.input, "-o", QFileInfo(c.output).path()} + c.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QString problem;
        const QByteArray in = decodedGrey(c.input, c.inputFrame, problem);
        ASSERT_FALSE(in.isEmpty()) << problem.toStdString();
        const QByteArray out = decodedGrey(c.output, c.outputFrame, problem);
        ASSERT_FALSE(out.isEmpty()) << problem.toStdString();
        const double ssim = ssimOfSubtitles(in, out);
        std::printf("%s: SSIM %.4f\n", c.name, ssim);
        EXPECT_GE(ssim, c.threshold);
        // The check can fail: against the bare background the same area scores far lower.
        const QByteArray bare(1024 * 576, char(128));
        const double none = ssimOfSubtitles(in, bare);
        std::printf("%s: SSIM %.4f without the subtitles\n", c.name, none);
        EXPECT_LT(none, c.threshold - 0.1); // measured 0.350 and 0.361
    }
}
