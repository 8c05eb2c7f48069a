// Round trips through real decoders: an .idx/.sub pair built from hand-made four-colour
// pictures is read back by ffprobe, decoded by ffmpeg's dvdsub decoder and muxed by mkvmerge.
// The tools are required (the test script installs them); a missing tool fails the test.
#include "reference/PixelEncoder.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/SubpictureEncoder.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

constexpr FrameRate kRate(25000); // PAL, 720x576
constexpr int kWidth = 720;
constexpr int kHeight = 576;

const ColorValue kText = makeColor(255, 255, 255);
const ColorValue kOutline = makeColor(200, 0, 0);
const ColorValue kAntialias = makeColor(0, 160, 0);
const OutputColours kColours{kAntialias, kOutline, kText};
// What the decoder shows where a subtitle is transparent: the colour of the picture beneath.
const QRgb kCanvas = qRgb(40, 40, 40);
const char* kCanvasOption = "0x282828";

struct TestSubtitle
{
    int startFrame;
    int endFrame;
    int bandTop;
    int bandHeight;
    QImage image;
    std::size_t unitSize = 0;
};

QImage blueFrame()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    return image;
}

QRgb rgbOf(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

void fillRect(QImage& image, int x, int y, int w, int h, ColorValue colour)
{
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            image.setPixel(col, row, rgbOf(colour));
}

// A text-like block: text inside an antialias ring inside an outline, plus a run of more
// than 511 pixels and single pixels of every class.
QImage drawnBlock()
{
    QImage image = blueFrame();
    fillRect(image, 96, 436, 210, 28, kOutline);
    fillRect(image, 99, 439, 204, 22, kAntialias);
    fillRect(image, 100, 440, 202, 20, kText);
    fillRect(image, 30, 480, 660, 3, kText);
    for (int x = 40; x < 700; x += 7)
        fillRect(image, x, 490, 1, 1, x % 3 == 0 ? kOutline : kAntialias);
    return image;
}

// One-pixel columns cycling through all classes: every run has length 1, so the unit grows
// past 18 211 bytes and needs more than 9 packs.
QImage busyBand(int top, int height)
{
    QImage image = blueFrame();
    const ColorValue cycle[4] = {kBackgroundBlue, kText, kOutline, kAntialias};
    for (int row = top; row < top + height; ++row)
        for (int x = 2; x < 716; ++x)
            image.setPixel(x, row, rgbOf(cycle[(x + row) % 4]));
    return image;
}

// Runs of pseudo-random length and colour, some of them drawn in a colour that matches no
// user colour (coded as background).
QImage randomRuns(int top, int height)
{
    QImage image = blueFrame();
    const ColorValue colours[5] = {kBackgroundBlue, kText, kOutline, kAntialias,
                                   makeColor(1, 2, 3)};
    std::uint32_t state = 12345;
    auto next = [&] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (int row = top; row < top + height; ++row) {
        int x = 2;
        while (x < 716) {
            const int length = next() % 10 == 0 ? int(next() % 300) + 1 : int(next() % 20) + 1;
            const ColorValue colour = colours[next() % 5];
            for (int i = 0; i < length && x < 716; ++i, ++x)
                image.setPixel(x, row, rgbOf(colour));
        }
    }
    return image;
}

QString findTool(const char* name)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    EXPECT_FALSE(path.isEmpty()) << name << " is not installed (scripts/deps.sh installs it)";
    return path;
}

struct ToolResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolResult runTool(const char* name, const QStringList& arguments)
{
    ToolResult result;
    const QString program = findTool(name);
    if (program.isEmpty())
        return result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << name << " did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

class VobSubRoundTrip : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());
        s_subtitles = new std::vector<TestSubtitle>{
            {25, 75, 430, 66, drawnBlock()},          // 1 s .. 3 s
            {100, 200, 100, 64, busyBand(100, 64)},   // 4 s .. 8 s, above 18 211 bytes
            {225, 250, 420, 80, blueFrame()},         // 9 s .. 10 s, nothing drawn
            {275, 300, 300, 80, randomRuns(300, 80)}, // 11 s .. 12 s
        };
        QFile idx(idxPath());
        QFile sub(subPath());
        ASSERT_TRUE(idx.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sub.open(QIODevice::WriteOnly));
        WriteIndexHeader(idx, FrameRate(25000), PaletteMode::PcOnly, kColours, "en ENGLISH");
        std::uint32_t PackCount = 0;
        int number = 1;
        for (TestSubtitle& s : *s_subtitles) {
            const std::vector<std::uint8_t> unit =
                EncodeSubpicture(s.image, s.bandTop, s.bandHeight, kColours, s.startFrame,
                                 s.endFrame, kRate, number);
            s.unitSize = unit.size();
            WriteIndexEntry(idx, s.startFrame, FrameRate(25000), PackCount);
            WriteSubtitlePacks(sub, unit, s.startFrame, kRate, number, PackCount);
            ++number;
        }
    }
    static void TearDownTestSuite()
    {
        delete s_subtitles;
        s_subtitles = nullptr;
        delete s_dir;
        s_dir = nullptr;
    }

    static QString idxPath() { return s_dir->filePath("pair.idx"); }
    static QString subPath() { return s_dir->filePath("pair.sub"); }

    static QTemporaryDir* s_dir;
    static std::vector<TestSubtitle>* s_subtitles;
};

QTemporaryDir* VobSubRoundTrip::s_dir = nullptr;
std::vector<TestSubtitle>* VobSubRoundTrip::s_subtitles = nullptr;

} // namespace

TEST_F(VobSubRoundTrip, PairHoldsAUnitThatNeedsMoreThanNinePacks)
{
    EXPECT_GT(s_subtitles->at(1).unitSize, 18211u);
    EXPECT_GT(PackCountFor(s_subtitles->at(1).unitSize), 9u);
    EXPECT_EQ(QFile(subPath()).size() % 2048, 0);
}

TEST_F(VobSubRoundTrip, FfprobeListsOnePacketPerSubtitleWithOurTimesAndDurations)
{
    // Packets: start time from the .idx, size from the unit's own size field.
    const ToolResult packets =
        runTool("ffprobe", {"-v", "error", "-show_entries", "packet=pts_time,size", "-of",
                            "csv=p=0", idxPath()});
    ASSERT_EQ(packets.exitCode, 0) << packets.err.toStdString();
    EXPECT_TRUE(packets.err.isEmpty()) << packets.err.toStdString();
    QStringList expected;
    for (const TestSubtitle& s : *s_subtitles)
        expected << QStringLiteral("%1,%2")
                        .arg(s.startFrame / 25.0, 0, 'f', 6)
                        .arg(qulonglong(s.unitSize));
    EXPECT_EQ(QString::fromLatin1(packets.out).trimmed().toStdString(),
              expected.join('\n').toStdString());

    // Decoded subtitles: ffmpeg turns the hide delay into end_display_time in milliseconds.
    // The empty subtitle decodes to nothing visible, and ffmpeg drops it.
    const ToolResult frames =
        runTool("ffprobe", {"-v", "error", "-show_frames", "-of", "compact=p=0", idxPath()});
    ASSERT_EQ(frames.exitCode, 0) << frames.err.toStdString();
    QStringList decodedFrames;
    for (const QString& line : QString::fromLatin1(frames.out).split('\n', Qt::SkipEmptyParts)) {
        QMap<QString, QString> field;
        for (const QString& pair : line.split('|')) {
            const qsizetype equals = pair.indexOf('=');
            if (equals > 0)
                field.insert(pair.left(equals), pair.mid(equals + 1));
        }
        decodedFrames << QStringList{field.value("pts_time"), field.value("start_display_time"),
                                     field.value("end_display_time"), field.value("num_rects")}
                             .join(',');
    }
    QStringList expectedFrames;
    for (const TestSubtitle& s : *s_subtitles) {
        if (s.bandTop == 420) // the empty one
            continue;
        const int delay = StopDelay(s.startFrame, s.endFrame, kRate);
        const int endMs = delay * 1024 / 90;
        const int trueMs = (s.endFrame - s.startFrame) * 40;
        EXPECT_NEAR(endMs, trueMs, 6) << s.startFrame;
        expectedFrames
            << QStringLiteral("%1,0,%2,1").arg(s.startFrame / 25.0, 0, 'f', 6).arg(endMs);
    }
    EXPECT_EQ(decodedFrames.join('\n').toStdString(), expectedFrames.join('\n').toStdString());
}

TEST_F(VobSubRoundTrip, FfmpegDecodesTheSamePixelClasses)
{
    // Each subtitle is laid over a grey 25 fps picture in RGB (no chroma subsampling), and one
    // frame from the middle of each is taken, plus one between the first two subtitles, when
    // nothing may show.
    constexpr int kGapFrame = 90; // 3.6 s: after the first subtitle's end, before the second
    std::vector<int> frameNumbers;
    QStringList terms;
    for (const TestSubtitle& s : *s_subtitles)
        frameNumbers.push_back((s.startFrame + s.endFrame) / 2);
    frameNumbers.insert(frameNumbers.begin() + 1, kGapFrame);
    for (int n : frameNumbers)
        terms << QStringLiteral("eq(n\\,%1)").arg(n);
    const QString filter =
        QStringLiteral("[0:v][1:s]overlay=format=rgb,select='%1'").arg(terms.join('+'));
    const ToolResult decoded = runTool(
        "ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                   QStringLiteral("color=c=%1:s=720x576:r=25:d=13,format=rgb24").arg(kCanvasOption),
                   "-i", idxPath(), "-filter_complex", filter, "-fps_mode", "passthrough", "-f",
                   "rawvideo", "-pix_fmt", "rgb24", "pipe:1"});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    const qsizetype frameBytes = qsizetype(kWidth) * kHeight * 3;
    ASSERT_EQ(decoded.out.size(), frameBytes * qsizetype(frameNumbers.size()));

    auto decodedClass = [](const std::uint8_t* p) {
        const QRgb rgb = qRgb(p[0], p[1], p[2]);
        if (rgb == kCanvas)
            return int(kPixelBackground);
        if (rgb == rgbOf(kText))
            return int(kPixelText);
        if (rgb == rgbOf(kOutline))
            return int(kPixelOutline);
        if (rgb == rgbOf(kAntialias))
            return int(kPixelAntialias);
        return -1;
    };

    const TestSubtitle nothing{0, 0, 0, 0, blueFrame()};
    std::vector<const TestSubtitle*> shown;
    for (const TestSubtitle& s : *s_subtitles)
        shown.push_back(&s);
    shown.insert(shown.begin() + 1, &nothing);

    for (std::size_t f = 0; f < shown.size(); ++f) {
        const TestSubtitle& s = *shown[f];
        const auto* frame = reinterpret_cast<const std::uint8_t*>(decoded.out.constData()) +
                            frameBytes * qsizetype(f);
        int mismatches = 0;
        int drawn = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                // The coded row describes source columns 1 .. 718, then one more pixel of the
                // last run, then the end-of-line background at column 719.
                int expected = kPixelBackground;
                if (y >= s.bandTop && y < s.bandTop + s.bandHeight && x < kWidth - 1) {
                    const QRgb src = s.image.pixel(std::min(x + 1, kWidth - 2), y);
                    expected = ClassifyPixel(qRed(src), qGreen(src), qBlue(src), kColours);
                }
                const int actual = decodedClass(frame + (qsizetype(y) * kWidth + x) * 3);
                drawn += actual > 0;
                if (actual != expected && ++mismatches <= 5)
                    ADD_FAILURE() << "frame " << frameNumbers[f] << " at (" << x << ", " << y
                                  << "): decoded class " << actual << ", expected " << expected;
            }
        }
        EXPECT_EQ(mismatches, 0) << "frame " << frameNumbers[f];
        if (&s == &nothing || s.bandTop == 420)
            EXPECT_EQ(drawn, 0);
        else
            EXPECT_GT(drawn, 1000) << "frame " << frameNumbers[f];
    }
}

TEST_F(VobSubRoundTrip, MkvmergeMuxesThePairWithoutWarnings)
{
    const QString mkv = s_dir->filePath("pair.mkv");
    const ToolResult mux = runTool("mkvmerge", {"-o", mkv, idxPath()});
    // Exit code 1 means warnings, 2 errors.
    EXPECT_EQ(mux.exitCode, 0) << mux.out.toStdString() << mux.err.toStdString();
    EXPECT_FALSE(mux.out.contains("Warning")) << mux.out.toStdString();
    EXPECT_FALSE(mux.out.contains("Error")) << mux.out.toStdString();

    // mkvmerge takes each block's duration from the unit's hide delay.
    const ToolResult packets =
        runTool("ffprobe", {"-v", "error", "-show_entries", "packet=pts_time,duration_time", "-of",
                            "csv=p=0", mkv});
    ASSERT_EQ(packets.exitCode, 0) << packets.err.toStdString();
    const QStringList lines = QString::fromLatin1(packets.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), qsizetype(s_subtitles->size()));
    for (std::size_t i = 0; i < s_subtitles->size(); ++i) {
        const TestSubtitle& s = s_subtitles->at(i);
        const QStringList fields = lines[qsizetype(i)].split(',');
        ASSERT_EQ(fields.size(), 2) << lines[qsizetype(i)].toStdString();
        EXPECT_DOUBLE_EQ(fields[0].toDouble(), s.startFrame / 25.0);
        const double delaySeconds = StopDelay(s.startFrame, s.endFrame, kRate) * 1024 / 90000.0;
        EXPECT_NEAR(fields[1].toDouble(), delaySeconds, 0.0011) << i;
    }

    const ToolResult identify = runTool("mkvmerge", {"-J", mkv});
    ASSERT_EQ(identify.exitCode, 0);
    EXPECT_TRUE(identify.out.contains("\"codec_id\": \"S_VOBSUB\"")) << identify.out.toStdString();
    EXPECT_TRUE(identify.out.contains("\"language_ietf\": \"en\"")) << identify.out.toStdString();
}
