// The Blu-ray forms: run-length rows and segments byte by byte, the palette's colour
// conversion, the objects of a picture, the drawing's scale with the frame, and the .sup and
// BDN XML files as ffmpeg, mkvmerge and ffprobe read them.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "pgs/BdnXmlWriter.h"
#include "pgs/BluRayForm.h"
#include "pgs/ColourIndexing.h"
#include "pgs/PgsSegments.h"
#include "pgs/PgsWriter.h"
#include "platform/Error.h"
#include "reference/PgsStreamCheck.h"
#include "render/ColourRenderer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

using namespace lumelle;
using namespace lumelle::pgs;

namespace {

struct Segment
{
    std::uint32_t pts, dts;
    std::uint8_t type;
    Bytes payload;
};

// The segments of a stream, or a failure when the bytes do not parse as segments.
std::vector<Segment> segmentsOf(const Bytes& b)
{
    std::vector<Segment> out;
    std::size_t at = 0;
    const auto u32 = [&b](std::size_t i) {
        return std::uint32_t(b[i]) << 24 | std::uint32_t(b[i + 1]) << 16 | b[i + 2] << 8 | b[i + 3];
    };
    while (at < b.size()) {
        EXPECT_GE(b.size() - at, kSegmentHeaderSize);
        EXPECT_EQ(b[at], 'P');
        EXPECT_EQ(b[at + 1], 'G');
        const std::size_t size = std::size_t(b[at + 11]) << 8 | b[at + 12];
        EXPECT_LE(at + kSegmentHeaderSize + size, b.size());
        if (::testing::Test::HasFailure())
            return out;
        out.push_back({u32(at + 2), u32(at + 6), b[at + 10],
                       Bytes(b.begin() + std::ptrdiff_t(at + kSegmentHeaderSize),
                             b.begin() + std::ptrdiff_t(at + kSegmentHeaderSize + size))});
        at += kSegmentHeaderSize + size;
    }
    return out;
}

ColourImage drawnBlocks(const QStringList& top, const QStringList& bottom, QSize frame)
{
    RenderSettings s;
    s.frame = frame;
    std::vector<PlacedBlock> blocks;
    const auto block = [](const QStringList& lines, BlockRow row) {
        PlacedBlock b;
        for (const QString& line : lines)
            b.lines.push_back({line, {}});
        b.row = row;
        b.anchor = 0;
        return b;
    };
    if (!bottom.isEmpty())
        blocks.push_back(block(bottom, BlockRow::Bottom));
    if (!top.isEmpty())
        blocks.push_back(block(top, BlockRow::Top));
    ColourImage image;
    EXPECT_TRUE(RenderColourBlocks(image, blocks, s));
    return image;
}

} // namespace

TEST(PgsWriter, RunLengthRowsByteForByte)
{
    std::vector<std::uint8_t> row(3, 0); // 3 transparent
    row.push_back(5);                    // 1 of colour 5
    row.insert(row.end(), 2, 7);         // 2 of colour 7
    row.insert(row.end(), 3, 9);         // 3 of colour 9
    row.insert(row.end(), 70, 0);        // 70 transparent
    row.insert(row.end(), 300, 4);       // 300 of colour 4
    const Bytes expected{
        0x00, 0x03,             // 00 0L: three transparent pixels
        0x05,                   // CC: one pixel of 5
        0x07, 0x07,             // two single pixels cost less than a run
        0x00, 0x83, 0x09,       // 00 8L CC: three of 9
        0x00, 0x40, 70,         // 00 4L LL: 70 transparent
        0x00, 0xC1, 0x2C, 0x04, // 00 CL LL CC: 300 (0x12C) of 4
        0x00, 0x00,             // end of the row
    };
    EXPECT_EQ(RunLengthRows(row, int(row.size()), 1), expected);

    // The short forms hold up to 63 pixels, the long ones from 64 to 16383; a longer run is
    // parted.
    std::vector<std::uint8_t> edges(63, 0); // 63 transparent
    edges.insert(edges.end(), 64, 6);       // 64 of colour 6
    edges.insert(edges.end(), 63, 8);       // 63 of colour 8
    edges.insert(edges.end(), 64, 0);       // 64 transparent
    EXPECT_EQ(RunLengthRows(edges, int(edges.size()), 1),
              (Bytes{0x00, 0x3F,             // 00 0L: 63 transparent
                     0x00, 0xC0, 0x40, 0x06, // 00 CL LL CC: 64 of 6
                     0x00, 0xBF, 0x08,       // 00 8L CC: 63 of 8
                     0x00, 0x40, 0x40,       // 00 4L LL: 64 transparent
                     0x00, 0x00}));
    std::vector<std::uint8_t> wide(16384, 2); // a row of colour 2, then one transparent
    wide.insert(wide.end(), 16384, 0);
    EXPECT_EQ(RunLengthRows(wide, 16384, 2), (Bytes{0x00, 0xFF, 0xFF, 0x02, // 16383 (0x3FFF) of 2
                                                    0x02,                   // and the last one
                                                    0x00, 0x00,             // end of the first row
                                                    0x00, 0x7F, 0xFF,       // 16383 transparent
                                                    0x00, 0x01,             // and the last one
                                                    0x00, 0x00}));
}

TEST(PgsWriter, TicksAndTimecodesCountTheFramesOfTheRate)
{
    const struct
    {
        std::int64_t frame;
        std::int64_t rate;
        std::int64_t ticks; // 90 kHz, rounded: frame x 3600 at 25, x 3753.75 at 24000/1001
        const char* timecode;
    } cases[] = {
        {1, 23976, 3754, "00:00:00:01"},
        // A minute into the film at 23.976 is frame 1439: 59 s and 23 frames of 24. On the
        // exact grid it is 5 401 646.25 ticks; 23.976 as it stands would give 5 401 652.
        {1439, 23976, 5401646, "00:00:59:23"},
        {24, 23976, 90090, "00:00:01:00"},
        {90000, 25000, 324000000, "01:00:00:00"},
        {864023, 24000, 3240086250, "10:00:00:23"},
        // 29.97 and 59.94 count 30 and 60 frames a second, 3003 and 1501.5 ticks a frame (an
        // exact half to the even tick).
        {107892, 29970, 323999676, "00:59:56:12"},
        {59, 59940, 88588, "00:00:00:59"},
        {99, 50000, 178200, "00:00:01:49"},
        {0, 25000, 0, "00:00:00:00"},
    };
    for (const auto& c : cases) {
        const FrameRate rate(c.rate);
        EXPECT_EQ(BluRayTicks(c.frame, rate), c.ticks) << c.frame << " at " << c.rate;
        EXPECT_EQ(BluRayTimecode(c.frame, rate), QLatin1String(c.timecode))
            << c.frame << " at " << c.rate;
    }
    EXPECT_EQ(BluRayTicks(-1, FrameRate(25000)), -1);
    EXPECT_EQ(BluRayTicks(std::int64_t(1) << 50, FrameRate(23976)), kBluRayTickLimit);
    EXPECT_EQ(BluRayTicks(std::int64_t(1) << 38, FrameRate(59940)), kBluRayTickLimit);
}

// A subtitle near the end of an 83-minute film, where 23.976 taken as it stands has drifted
// 5 ms off the video's frames: its frame is the nearest of the exact grid (24000/1001,
// 30000/1001, 60000/1001), its PTS that frame's tick, its BDN timecode that frame's count.
TEST(PgsWriter, LateSubtitlesLandOnTheExactFrameGrid)
{
    const struct
    {
        const char* fps;
        const char* frameSize;
        const char* start; // the subtitle's start in the file
        std::uint32_t pts; // frame x 90 000 x 1001 / (fps x 1.001), rounded
        const char* inTc;  // the frame counted at 24, 30 or 60 a second
    } cases[] = {
        // 4980 s x 24000/1001 = 119 400.60: frame 119 401 (23.976 would say 119 400).
        {"23976", "1920x1080", "01:23:00,000", 448201504, "01:22:55:01"},
        // 4983.4 s x 30000/1001 = 149 352.65: frame 149 353, 3003 ticks a frame.
        {"29970", "1920x1080", "01:23:03,400", 448507059, "01:22:58:13"},
        // 4980.02 s x 60000/1001 = 298 502.51: frame 298 503.
        {"59940", "1280x720", "01:23:00,020", 448202254, "01:22:55:03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fps);
        QTemporaryDir dir;
        const QString srt = dir.filePath("late.srt");
        QFile file(srt);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("1\n%1 --> 01:23:09,000\nNear the end\n")
                       .arg(QLatin1String(c.start))
                       .toUtf8());
        file.close();
        const QStringList rate{"--fps", c.fps, "--frame-size", c.frameSize};
        const ConverterRun pgs =
            runConverter(QStringList{"--format", "pgs"} + rate + QStringList{srt});
        ASSERT_EQ(pgs.exitCode, 0) << pgs.err.toStdString();
        QFile sup(dir.filePath("late.sup"));
        ASSERT_TRUE(sup.open(QIODevice::ReadOnly));
        const QByteArray bytes = sup.readAll();
        const std::vector<Segment> segments = segmentsOf(Bytes(bytes.begin(), bytes.end()));
        ASSERT_FALSE(segments.empty());
        EXPECT_EQ(segments.front().pts, c.pts);

        const ConverterRun bdn =
            runConverter(QStringList{"--format", "bdn-xml"} + rate + QStringList{srt});
        ASSERT_EQ(bdn.exitCode, 0) << bdn.err.toStdString();
        QFile xml(dir.filePath("late_bdn/late.xml"));
        ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
        const QString index = QString::fromUtf8(xml.readAll());
        EXPECT_TRUE(index.contains(QStringLiteral("InTC=\"%1\"").arg(QLatin1String(c.inTc))))
            << index.toStdString();
    }
}

TEST(PgsWriter, PaletteInTvRangeYCrCbBt601ForSdBt709ForHd)
{
    struct Case
    {
        int r, g, b;
        bool hd;
        int y, cr, cb;
    } cases[] = {
        {255, 255, 255, false, 235, 128, 128}, {0, 0, 0, true, 16, 128, 128},
        {255, 0, 0, false, 81, 240, 90},       {255, 0, 0, true, 63, 240, 102},
        {0, 0, 255, false, 41, 110, 240},      {0, 0, 255, true, 32, 118, 240},
    };
    for (const Case& c : cases) {
        const PaletteEntry e = ToPaletteColour(c.r, c.g, c.b, 200, c.hd);
        EXPECT_EQ((std::array<int, 4>{e.y, e.cr, e.cb, e.alpha}),
                  (std::array<int, 4>{c.y, c.cr, c.cb, 200}))
            << c.r << "," << c.g << "," << c.b << (c.hd ? " HD" : " SD");
    }
    EXPECT_TRUE(IsHighDefinition({1280, 720}));
    EXPECT_FALSE(IsHighDefinition({720, 576}));
}

TEST(PgsWriter, DisplaySetsHoldTheirSegmentsInOrderWithTimesAndFragments)
{
    // A bottom object too large for one segment (noise codes poorly) and a small top one.
    IndexedPicture picture;
    picture.palette = {PaletteEntry{}, ToPaletteColour(255, 255, 255, 255, true)};
    IndexedObject bottom{QRect(100, 800, 1000, 200), {}};
    for (int i = 0; i < 1000 * 200; ++i)
        bottom.pixels.push_back(std::uint8_t((i * 7919 / 3) % 2));
    IndexedObject top{QRect(300, 40, 16, 8), std::vector<std::uint8_t>(16 * 8, 1)};
    picture.objects = {top, bottom};
    std::vector<Bytes> coded;
    for (const IndexedObject& o : picture.objects)
        coded.push_back(RunLengthRows(o.pixels, o.box.width(), o.box.height()));
    ASSERT_GT(coded[1].size(), 2 * kMaxSegmentPayload);
    const StreamFrame frame{{1920, 1080}, FrameRateCode(23976)};
    constexpr std::uint32_t kTicks = 900000;

    const DisplaySet set = ShowDisplaySet(picture, coded, frame, 7, true, kTicks);
    ASSERT_LE(set.compositionNumberAt + 2, set.bytes.size());
    EXPECT_EQ(set.bytes[set.compositionNumberAt], 0x00) << "where the composition number lies";
    EXPECT_EQ(set.bytes[set.compositionNumberAt + 1], 0x07);
    const std::vector<Segment> show = segmentsOf(set.bytes);
    ASSERT_FALSE(HasFailure());
    std::vector<int> types;
    for (const Segment& s : show) {
        types.push_back(s.type);
        EXPECT_LE(s.dts, s.pts) << "a segment is decoded before it is presented";
        EXPECT_LE(s.pts, kTicks) << "everything is ready when the picture shows";
    }
    // Composition, windows, palette, the top object, the bottom one in fragments, end.
    const std::size_t last = show.size() - 2; // the bottom object's last fragment
    ASSERT_GE(last, 6u);
    std::vector<int> expected(show.size(), 0x15);
    expected[0] = 0x16, expected[1] = 0x17, expected[2] = 0x14, expected.back() = 0x80;
    EXPECT_EQ(types, expected);
    EXPECT_EQ(show.front().pts, kTicks);
    // Decoding starts in time to clear the plane (1920 x 1080 x 9 / 3200 = 5832 ticks) and decode
    // both objects (16 x 8 x 9 / 1600 -> 1 and 1000 x 200 x 9 / 1600 = 1125).
    EXPECT_EQ(show.front().dts, kTicks - 5832 - 1 - 1125);
    const Bytes& pcs = show.front().payload;
    EXPECT_EQ(Bytes(pcs.begin(), pcs.begin() + 11),
              (Bytes{0x07, 0x80, 0x04, 0x38, // 1920 x 1080
                     0x10,                   // 23.976
                     0x00, 0x07,             // composition 7
                     0x80,                   // epoch start
                     0x00, 0x00,             // no palette update, palette 0
                     0x02}));                // two objects
    EXPECT_EQ(Bytes(pcs.begin() + 11, pcs.end()),
              (Bytes{0x00, 0x00, 0x00, 0x40, 0x01, 0x2C, 0x00, 0x28,    // object 0, forced, 300,40
                     0x00, 0x01, 0x01, 0x40, 0x00, 0x64, 0x03, 0x20})); // object 1, 100,800
    EXPECT_EQ(show[1].payload[0], 2) << "a window per object";
    EXPECT_EQ(show[2].payload.size(), 2u + 5 * picture.palette.size()) << "only used entries";
    // The bottom object's fragments: first and last flags, the length counts the size fields.
    std::size_t data = 0;
    for (std::size_t k = 4; k <= last; ++k) {
        const Bytes& p = show[k].payload;
        EXPECT_EQ(p[1], 1) << "object 1";
        EXPECT_LE(p.size(), kMaxSegmentPayload);
        EXPECT_EQ(p[3], (k == 4 ? kFirstFragment : 0) | (k == last ? kLastFragment : 0));
        data += p.size() - (k == 4 ? 11 : 4);
        if (k == 4) {
            EXPECT_EQ(std::size_t(p[4]) << 16 | std::size_t(p[5]) << 8 | p[6], coded[1].size() + 4);
        }
    }
    EXPECT_EQ(data, coded[1].size());

    const std::vector<Segment> clear = segmentsOf(ClearDisplaySet({top.box}, frame, 8, 950000));
    ASSERT_EQ(clear.size(), 3u);
    EXPECT_EQ(clear[0].pts, 950000u);
    EXPECT_EQ(clear[0].payload[7], kNormalCase);
    EXPECT_EQ(clear[0].payload[10], 0) << "no object: the screen is cleared";
    EXPECT_EQ(clear[1].payload, (Bytes{1, 0, 0x01, 0x2C, 0x00, 0x28, 0x00, 0x10, 0x00, 0x08}));
}

// Workers encode pictures in any order; the writer numbers the display sets in the order it
// writes them, refuses what it did not encode before the file changes, and clears each
// picture's own windows.
TEST(PgsWriter, DisplaySetsAreNumberedInShowOrderAndClearTheirOwnWindows)
{
    const QSize hd(1920, 1080);
    const ColourImage top = drawnBlocks({"At the top"}, {}, hd);
    const ColourImage both = drawnBlocks({"Top"}, {"Bottom", "second"}, hd);
    TimedPicture first{{24, 48, 1}}, second{{96, 120, 2}};
    first.colour = &top;
    second.colour = &both;
    BluRayOptions options;
    options.frameRate = FrameRate(24000);
    PgsWriter writer(options);
    const EncodedPicture later = writer.encode(second);
    const EncodedPicture earlier = writer.encode(first);
    ASSERT_EQ(later.windows, ObjectBoxes(both, hd));
    ASSERT_EQ(later.windows.size(), 2u);
    EXPECT_EQ(later.box, later.windows[0] | later.windows[1]);

    QTemporaryDir dir;
    const QString sup = dir.filePath("film.sup");
    writer.planStreams({2});
    writer.open({sup});
    EXPECT_THROW(writer.write(first.times, EncodedPicture{}), Error);
    writer.write(first.times, earlier);
    writer.write(second.times, later);
    writer.commit();
    QFile file(sup);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(lumelle::testing::FaultText(
                  lumelle::testing::PgsStreamFaults(Bytes(bytes.begin(), bytes.end()))),
              "");
    std::vector<int> numbers;
    std::vector<Bytes> windows;
    for (const Segment& s : segmentsOf(Bytes(bytes.begin(), bytes.end()))) {
        if (s.type == std::uint8_t(SegmentType::Composition))
            numbers.push_back(s.payload[5] << 8 | s.payload[6]);
        if (s.type == std::uint8_t(SegmentType::Window))
            windows.push_back(s.payload);
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3})) << "show, clear, show, clear";
    ASSERT_EQ(windows.size(), 4u);
    EXPECT_EQ(windows[0][0], 1);
    EXPECT_EQ(windows[2][0], 2);
    EXPECT_EQ(windows[1], windows[0]);
    EXPECT_EQ(windows[3], windows[2]);
}

TEST(PgsWriter, TopAndBottomGetAnObjectEachAndColoursFitThePalette)
{
    const QSize hd(1920, 1080);
    const ColourImage both = drawnBlocks({"Top line"}, {"Bottom line", "second"}, hd);
    const std::vector<QRect> boxes = ObjectBoxes(both, hd);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_LT(boxes[0].bottom(), 300);
    EXPECT_GT(boxes[1].top(), 700);
    const ColourImage one = drawnBlocks({}, {"Only a bottom line", "and its second"}, hd);
    EXPECT_EQ(ObjectBoxes(one, hd).size(), 1u) << "two lines close together stay one object";

    // A drawing of thousands of colours comes down to at most 254 and a transparent entry:
    // entry 0xFF stays unused.
    ColourImage many;
    many.box = QRect(10, 10, 200, 100);
    many.argb = QImage(many.box.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            many.argb.setPixel(x, y, qPremultiply(qRgba(x, y * 2, (x * y) % 256, 55 + x)));
    const IndexedPicture indexed = IndexColours(many, ObjectBoxes(many, hd), true);
    EXPECT_LE(indexed.palette.size(), 255u);
    EXPECT_LE(indexed.palette.back().id, 254);
    EXPECT_GT(indexed.palette.size(), 100u) << "the palette is used, not a few colours";
    EXPECT_EQ(indexed.palette[0].alpha, 0) << "entry 0 is transparent";

    // The text edge blends into the video: partly transparent entries exist.
    const IndexedPicture text = IndexColours(both, boxes, true);
    EXPECT_TRUE(std::any_of(text.palette.begin(), text.palette.end(),
                            [](const PaletteEntry& e) { return e.alpha > 0 && e.alpha < 255; }));
    // A tiny drawing still makes an object of the smallest size players take.
    ColourImage dot;
    dot.box = QRect(1915, 500, 2, 2);
    dot.argb = QImage(2, 2, QImage::Format_ARGB32_Premultiplied);
    dot.argb.fill(Qt::white);
    EXPECT_EQ(ObjectBoxes(dot, hd), (std::vector<QRect>{QRect(1912, 497, 8, 8)}));
}

TEST(PgsWriter, ObjectsPartAtAnEighthOfTheFrameAndPalettesHoldTheDrawnColours)
{
    // Two lines of pixels with 135 empty rows between them (1080 / 8) are two objects; with
    // 134 they are one.
    const QSize hd(1920, 1080);
    for (const int gap : {135, 134}) {
        ColourImage lines;
        lines.box = QRect(100, 90, 200, 300);
        lines.argb = QImage(lines.box.size(), QImage::Format_ARGB32_Premultiplied);
        lines.argb.fill(Qt::transparent);
        for (int x = 10; x < 190; ++x) {
            lines.argb.setPixel(x, 20, qRgba(255, 255, 255, 255));
            lines.argb.setPixel(x, 21 + gap, qRgba(255, 255, 255, 255));
        }
        const std::vector<QRect> boxes = ObjectBoxes(lines, hd);
        if (gap == 135) {
            // Each grown to the 8 rows players take, centred on its line.
            EXPECT_EQ(boxes,
                      (std::vector<QRect>{QRect(110, 107, 180, 8), QRect(110, 108 + gap, 180, 8)}));
        } else {
            EXPECT_EQ(boxes, (std::vector<QRect>{QRect(110, 110, 180, gap + 2)}));
        }
    }

    // 254 colours (all a picture may use beside the transparent entry, 0xFF staying unused) are
    // kept as they are, unpremultiplied (premultiplied 128, 0, 0 at 128 is red at half opacity),
    // ordered by alpha, then red; index 0 stays transparent.
    ColourImage few;
    few.box = QRect(0, 0, 254, 2);
    few.argb = QImage(few.box.size(), QImage::Format_ARGB32_Premultiplied);
    few.argb.fill(Qt::transparent);
    for (int g = 0; g < 253; ++g)
        few.argb.setPixel(g, 0, qRgba(g, 255 - g, 0, 255));
    few.argb.setPixel(253, 0, qRgba(128, 0, 0, 128));
    const IndexedPicture kept = IndexColours(few, {few.box}, false);
    ASSERT_EQ(kept.palette.size(), 255u);
    EXPECT_EQ(kept.palette[0].alpha, 0);
    PaletteEntry halfRed = ToPaletteColour(255, 0, 0, 128, false);
    halfRed.id = 1;
    EXPECT_EQ(kept.palette[1], halfRed);
    EXPECT_EQ(kept.objects[0].pixels[253], 1);
    for (int g = 0; g < 253; ++g) {
        PaletteEntry e = ToPaletteColour(g, 255 - g, 0, 255, false);
        e.id = std::uint8_t(g + 2);
        EXPECT_EQ(kept.palette[std::size_t(g + 2)], e) << g;
        EXPECT_EQ(kept.objects[0].pixels[std::size_t(g)], g + 2) << g;
        EXPECT_EQ(kept.objects[0].pixels[std::size_t(254 + g)], 0) << "transparent row";
    }

    // 256 greys are too many: neighbours pair up, each pair in its mean weighted by the pixels
    // (three of 2k, one of 2k + 1: (8k + 1) / 4 rounds to 2k).
    ColourImage many;
    many.box = QRect(0, 0, 512, 1);
    many.argb = QImage(many.box.size(), QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 512; ++x) {
        const int grey = x / 4 * 2 + (x % 4 == 3 ? 1 : 0);
        many.argb.setPixel(x, 0, qRgba(grey, grey, grey, 255));
    }
    const IndexedPicture grouped = IndexColours(many, {many.box}, true);
    ASSERT_EQ(grouped.palette.size(), 129u);
    for (int k = 0; k < 128; ++k) {
        PaletteEntry e = ToPaletteColour(2 * k, 2 * k, 2 * k, 255, true);
        e.id = std::uint8_t(k + 1);
        EXPECT_EQ(grouped.palette[std::size_t(k + 1)], e) << k;
        EXPECT_EQ(grouped.objects[0].pixels[std::size_t(4 * k + 3)], k + 1) << k;
    }

    // Thousands of colours (the colour table grows several times while it is filled) with
    // transparent pixels among them: each pixel gets the index of its group, the groups being
    // the colours with the fewest low bits dropped that leave at most 254, in the groups' order.
    ColourImage wide;
    wide.box = QRect(0, 0, 120, 40);
    wide.argb = QImage(wide.box.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<QRgb> colours;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const QRgb c = (x + y) % 7 == 0 ? 0 : qRgba(x * 2, y * 6, (x + y) % 256, 40 + x);
            wide.argb.setPixel(x, y, qPremultiply(c));
            colours.push_back(qUnpremultiply(qPremultiply(c)));
        }
    }
    const auto groupsAt = [&](int drop) {
        const QRgb mask = (0xFFu >> drop << drop) * 0x01010101u;
        std::vector<QRgb> groups;
        for (const QRgb c : colours)
            if (qAlpha(c) != 0)
                groups.push_back(c & mask);
        std::sort(groups.begin(), groups.end());
        groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
        return groups;
    };
    int drop = 0;
    while (groupsAt(drop).size() > 254)
        ++drop;
    const std::vector<QRgb> groups = groupsAt(drop);
    const IndexedPicture spread = IndexColours(wide, {wide.box}, true);
    ASSERT_EQ(spread.palette.size(), groups.size() + 1);
    const QRgb mask = (0xFFu >> drop << drop) * 0x01010101u;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int expected =
            qAlpha(colours[i]) == 0
                ? 0
                : int(std::lower_bound(groups.begin(), groups.end(), colours[i] & mask) -
                      groups.begin() + 1);
        ASSERT_EQ(spread.objects[0].pixels[i], expected) << "pixel " << i;
    }
}

TEST(PgsWriter, DrawingGrowsWithTheFrameHeight)
{
    const ColourImage sd = drawnBlocks({}, {"Same subtitle", "at two sizes"}, {720, 576});
    const ColourImage hd = drawnBlocks({}, {"Same subtitle", "at two sizes"}, {1920, 1080});
    const QRect a = ObjectBoxes(sd, {720, 576}).front();
    const QRect b = ObjectBoxes(hd, {1920, 1080}).front();
    EXPECT_NEAR(double(b.height()) / a.height(), 1080.0 / 576, 0.12);
    EXPECT_NEAR(double(b.width()) / a.width(), 1080.0 / 576, 0.12);
    // The same share of the picture's height below the text.
    EXPECT_NEAR((1080 - b.bottom()) / 1080.0, (576 - a.bottom()) / 576.0, 0.01);
}

// Glyphs drawn once are kept per thread and placed again: a picture must not depend on what
// the thread drew before it. Each variant is drawn in one order on one thread and in the
// reverse order on a fresh thread; a cache that mixed up sizes, styles, fonts or outline
// widths would give one of them another variant's glyphs.
TEST(PgsWriter, PicturesDoNotDependOnWhatWasDrawnBefore)
{
    struct Variant
    {
        int size;
        FontStyle style;
        int outline;
        QString font;
    };
    const std::vector<Variant> variants{
        {20, {}, 3, "Arial"},
        {28, {}, 3, "Arial"},
        {20, {false, true}, 3, "Arial"},
        {20, {true, false}, 3, "Arial"},
        {20, {}, 2, "Arial"},
        {20, {}, 3, "DejaVu Serif"},
    };
    const auto drawAll = [&variants](bool reversed) {
        std::vector<QImage> pictures(variants.size());
        for (std::size_t n = 0; n < variants.size(); ++n) {
            const std::size_t k = reversed ? variants.size() - 1 - n : n;
            RenderSettings s;
            s.frame = {1920, 1080};
            s.fontSize = variants[k].size;
            s.fontStyle = variants[k].style;
            s.outlineWidth = variants[k].outline;
            s.fontName = variants[k].font;
            ColourImage image;
            PlacedBlock block;
            block.lines = {{"Quick brown fox", {}}, {"jumps 0123456789", {}}};
            EXPECT_TRUE(RenderColourBlocks(image, {block}, s));
            pictures[k] = image.argb.copy();
        }
        return pictures;
    };
    std::vector<QImage> forward, backward;
    std::thread([&] { forward = drawAll(false); }).join();
    std::thread([&] { backward = drawAll(true); }).join();
    for (std::size_t k = 0; k < variants.size(); ++k) {
        EXPECT_FALSE(forward[k].isNull()) << "variant " << k;
        EXPECT_TRUE(forward[k] == backward[k]) << "variant " << k;
        if (k > 0) {
            EXPECT_FALSE(forward[k] == forward[0]) << "variant " << k << " looks like the first";
        }
    }
}

namespace {

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
}

// The frame ffmpeg shows at `seconds` of the .sup laid over mid grey, as RGB bytes.
QByteArray decodedFrame(const QString& sup, double seconds, bool forcedOnly = false)
{
    QStringList args{"-v", "error", "-f", "lavfi", "-i", "color=c=0x808080:s=1920x1080:r=25:d=8"};
    if (forcedOnly)
        args << "-forced_subs_only"
             << "1";
    // Times as the file gives them: ffmpeg would otherwise start the stream at its first picture.
    args << "-copyts"
         << "-i" << sup << "-filter_complex"
         << "[0:v][1:s]overlay=format=rgb"
         << "-ss" << QString::number(seconds) << "-frames:v"
         << "1"
         << "-f"
         << "rawvideo"
         << "-pix_fmt"
         << "rgb24"
         << "pipe:1";
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    ffmpeg.waitForFinished(60000);
    return ffmpeg.readAllStandardOutput();
}

struct Shades
{
    int white = 0, black = 0, between = 0;
};

// White text pixels, black outline pixels and the blended ones between them and the grey.
Shades shadesOf(const QByteArray& rgb)
{
    Shades s;
    for (qsizetype i = 0; i + 2 < rgb.size(); i += 3) {
        const int r = uchar(rgb[i]), g = uchar(rgb[i + 1]), b = uchar(rgb[i + 2]);
        if (r > 250 && g > 250 && b > 250)
            ++s.white;
        else if (r < 5 && g < 5 && b < 5)
            ++s.black;
        else if (r != 0x80 || g != 0x80 || b != 0x80)
            ++s.between;
    }
    return s;
}

} // namespace

TEST(PgsWriter, PlayersReadTheSupAndTheBdnIndex)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("film.srt");
    QFile file(srt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1\n00:00:01,000 --> 00:00:02,000\nFirst subtitle\n\n"
               "2\n00:00:03,000 --> 00:00:05,000\n{\\an8}At the top\n\n"
               "3\n00:00:04,000 --> 00:00:05,000\nAt the bottom meanwhile\n");
    file.close();
    const ConverterRun pgs = runConverter({"--format", "pgs", "--forced", srt});
    ASSERT_EQ(pgs.exitCode, 0) << pgs.err.toStdString();
    const QString sup = dir.filePath("film.sup");
    EXPECT_EQ(lumelle::testing::FaultText(lumelle::testing::PgsFileFaults(sup.toStdString())), "");

    // Four pictures (the top one alone, then with the bottom one) and a clearing at each end
    // that no picture follows at once.
    const QString frames = run("ffprobe", {"-v", "error", "-show_entries",
                                           "subtitle=pts_time,num_rects", "-of", "csv=p=0", sup});
    EXPECT_EQ(frames.split('\n', Qt::SkipEmptyParts),
              (QStringList{"1.000000,1", "2.000000,0", "3.000000,1", "4.000000,2", "5.000000,0"}))
        << frames.toStdString();

    const Shades shown = shadesOf(decodedFrame(sup, 1.5));
    EXPECT_GT(shown.white, 500) << "text";
    EXPECT_GT(shown.black, 500) << "outline";
    EXPECT_GT(shown.between, 200) << "antialiased edges blend with the video";
    const Shades cleared = shadesOf(decodedFrame(sup, 2.5));
    EXPECT_EQ(cleared.white + cleared.black + cleared.between, 0) << "cleared at the end";
    EXPECT_GT(shadesOf(decodedFrame(sup, 1.5, true)).white, 500) << "marked forced";

    // Matroska takes the stream as it is.
    const QString mkv = dir.filePath("film.mkv");
    int status = -1;
    const QString muxed = run("mkvmerge", {"-q", "-o", mkv, sup}, &status);
    EXPECT_EQ(status, 0) << muxed.toStdString();
    EXPECT_TRUE(
        run("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0", mkv})
            .contains("hdmv_pgs_subtitle"));
    EXPECT_EQ(
        run("ffprobe", {"-v", "error", "-show_entries", "packet=pts_time", "-of", "csv=p=0", mkv})
            .split('\n', Qt::SkipEmptyParts)
            .size(),
        5);

    // BDN XML: an event per picture, its PNG with alpha at the frame position the index names.
    const ConverterRun bdn =
        runConverter({"--format", "bdn-xml", "--frame-size", "1280x720", "-r", "59940", srt});
    ASSERT_EQ(bdn.exitCode, 0) << bdn.err.toStdString();
    QFile xml(dir.filePath("film_bdn/film.xml"));
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(xml.readAll());
    EXPECT_TRUE(index.contains("VideoFormat=\"720p\" FrameRate=\"59.94\"")) << "BDN's names";
    EXPECT_TRUE(index.contains("NumberofEvents=\"3\""));
    EXPECT_TRUE(index.contains("InTC=\"00:00:03:00\" OutTC=\"00:00:04:00\""));
    const QImage png(dir.filePath("film_bdn/film_0001.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_TRUE(index.contains(
        QStringLiteral("Width=\"%1\" Height=\"%2\"").arg(png.width()).arg(png.height())));
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0) << "the video shows around the text";
    // The top and the bottom subtitle shown together: one event, a graphic each, each picture
    // only as tall as its own text, where the index places it.
    const QImage top(dir.filePath("film_bdn/film_0003.png")),
        bottom(dir.filePath("film_bdn/film_0003_2.png"));
    ASSERT_FALSE(top.isNull());
    ASSERT_FALSE(bottom.isNull());
    EXPECT_LT(top.height(), 200);
    EXPECT_LT(bottom.height(), 200);
    const qsizetype event = index.indexOf("InTC=\"00:00:04:00\"");
    const QString both = index.mid(event, index.indexOf("</Event>", event) - event);
    EXPECT_EQ(both.count("<Graphic "), 2) << both.toStdString();
    EXPECT_TRUE(both.contains(QStringLiteral("Height=\"%1\"").arg(top.height())));
    EXPECT_TRUE(both.contains("film_0003_2.png"));
}

TEST(PgsWriter, AssScriptsKeepTheirOwnColoursAndFades)
{
    // A red sign where \pos puts it and a white line fading in: drawn by libass in full colour.
    QTemporaryDir dir;
    const QString ass = dir.filePath("signs.ass");
    QFile file(ass);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Script Info]\nScriptType: v4.00+\nPlayResX: 640\nPlayResY: 360\n\n"
               "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, OutlineColour, "
               "Bold, Outline, Shadow, Alignment\n"
               "Style: Default,DejaVu Sans,28,&H00FFFFFF,&H00000000,0,2,0,2\n\n"
               "[Events]\nFormat: Layer, Start, End, Style, Text\n"
               "Dialogue: 0,0:00:01.00,0:00:02.00,Default,{\\pos(100,60)\\c&H0000FF&}SIGN\n"
               "Dialogue: 0,0:00:03.00,0:00:06.00,Default,{\\fad(2000,0)}Fading in\n");
    file.close();
    const ConverterRun run = runConverter({"--format", "pgs", ass});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString sup = dir.filePath("signs.sup");
    EXPECT_EQ(lumelle::testing::FaultText(lumelle::testing::PgsFileFaults(sup.toStdString())), "");
    const QByteArray sign = decodedFrame(sup, 1.5);
    ASSERT_EQ(sign.size(), 1920 * 1080 * 3);
    int red = 0, redNearThePosition = 0;
    for (qsizetype i = 0; i + 2 < sign.size(); i += 3) {
        if (uchar(sign[i]) > 250 && uchar(sign[i + 1]) < 5 && uchar(sign[i + 2]) < 5) {
            ++red;
            const qsizetype pixel = i / 3, x = pixel % 1920, y = pixel / 1920;
            // (100, 60) of a 640x360 script is (300, 180) of the 1080 frame: the foot of the
            // centred word.
            redNearThePosition += std::abs(x - 300) < 200 && y > 60 && y <= 190 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 300);
    EXPECT_EQ(redNearThePosition, red);
    // Half way into the fade no pixel is wholly white yet; after it the text is.
    EXPECT_EQ(shadesOf(decodedFrame(sup, 3.9)).white, 0);
    EXPECT_GT(shadesOf(decodedFrame(sup, 5.5)).white, 300);
}

TEST(PgsWriter, BdnIndexGivesTimecodesLanguageAndPicturesAsAuthoringProgramsReadThem)
{
    QTemporaryDir dir;
    // A minute in, a flash shorter than a frame, and a top line near the hour; a name that
    // must be escaped.
    const QString srt = writeFileIn(dir, "a&b.srt",
                                    "1\n00:01:00,000 --> 00:01:02,000\nAt one minute\n\n"
                                    "2\n00:02:00,000 --> 00:02:00,010\nA flash\n\n"
                                    "3\n00:59:59,000 --> 01:00:01,000\n{\\an8}At the top\n");
    const ConverterRun run =
        runConverter({"--format", "bdn-xml", "-r", "23976", "--language", "fr", "--forced", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QString xml = QString::fromUtf8(readAll(dir.filePath("a&b_bdn/a&b.xml")));
    // Each picture's place and size, checked against its PNG and then left out of the text.
    static const QRegularExpression graphic(QStringLiteral(
        R"re(<Graphic Width="(\d+)" Height="(\d+)" X="(\d+)" Y="(\d+)">([^<]*)<)re"));
    std::vector<QRect> boxes;
    for (auto it = graphic.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QRect box(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                        m.captured(2).toInt());
        const QImage png(dir.filePath("a&b_bdn/" + m.captured(5).replace("&amp;", "&")));
        EXPECT_EQ(png.size(), box.size()) << m.captured(5).toStdString();
        boxes.push_back(box);
    }
    ASSERT_EQ(boxes.size(), 3u);
    for (const QRect& box : boxes)
        EXPECT_NEAR(box.center().x(), 960, 2) << "centred";
    EXPECT_GT(boxes[0].top(), 800);
    EXPECT_LT(boxes[0].bottom(), 1080);
    EXPECT_EQ(boxes[1].bottom(), boxes[0].bottom()) << "both at the bottom";
    EXPECT_LT(boxes[2].bottom(), 300) << "at the top";
    xml.replace(QRegularExpression(R"(<Graphic [^>]*>)"), "<Graphic>");
    // 1:00 is frame 1439 (59 s and 23 frames of 24), 1:02 frame 1487; the flash lasts one
    // frame (2877 to 2878); 59:59 is frame 86290 (3595 s and 10 frames).
    EXPECT_EQ(xml.toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<BDN Version=\"0.93\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xsi:noNamespaceSchemaLocation=\"BD-03-006-0093b BDN File Format.xsd\">\n"
              "  <Description>\n"
              "    <Name Title=\"a&amp;b\" Content=\"\"/>\n"
              "    <Language Code=\"fre\"/>\n"
              "    <Format VideoFormat=\"1080p\" FrameRate=\"23.976\" DropFrame=\"False\"/>\n"
              "    <Events Type=\"Graphic\" FirstEventInTC=\"00:00:59:23\" "
              "LastEventOutTC=\"00:59:57:10\" NumberofEvents=\"3\"/>\n"
              "  </Description>\n"
              "  <Events>\n"
              "    <Event Forced=\"True\" InTC=\"00:00:59:23\" OutTC=\"00:01:01:23\">\n"
              "      <Graphic>a&amp;b_0001.png</Graphic>\n"
              "    </Event>\n"
              "    <Event Forced=\"True\" InTC=\"00:01:59:21\" OutTC=\"00:01:59:22\">\n"
              "      <Graphic>a&amp;b_0002.png</Graphic>\n"
              "    </Event>\n"
              "    <Event Forced=\"True\" InTC=\"00:59:55:10\" OutTC=\"00:59:57:10\">\n"
              "      <Graphic>a&amp;b_0003.png</Graphic>\n"
              "    </Event>\n"
              "  </Events>\n"
              "</BDN>\n");

    // The video format follows the frame's rows and, at 1080, the rate.
    const struct
    {
        const char* size;
        const char* rate;
        const char* format;
    } formats[] = {
        {"1920x1080", "24000", "VideoFormat=\"1080p\" FrameRate=\"24\""},
        {"1920x1080", "25000", "VideoFormat=\"1080i\" FrameRate=\"25\""},
        {"1920x1080", "29970", "VideoFormat=\"1080i\" FrameRate=\"29.97\""},
        {"1280x720", "50000", "VideoFormat=\"720p\" FrameRate=\"50\""},
        {"720x576", "25000", "VideoFormat=\"576i\" FrameRate=\"25\""},
        {"720x480", "29970", "VideoFormat=\"480i\" FrameRate=\"29.97\""},
    };
    for (const auto& f : formats) {
        const ConverterRun one = runConverter(
            {"--format", "bdn-xml", "--frame-size", f.size, "-r", f.rate, "--language", "de", srt});
        ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
        const QString text = QString::fromUtf8(readAll(dir.filePath("a&b_bdn/a&b.xml")));
        EXPECT_TRUE(text.contains(QLatin1String(f.format))) << f.size << " " << f.rate;
        EXPECT_TRUE(text.contains("<Language Code=\"ger\"/>"));
        EXPECT_TRUE(text.contains("<Event Forced=\"False\""));
    }
    EXPECT_EQ(BdnXmlWriter::PicturePath("/x/film.xml", 0, 3), "/x/film_0001.png");
    EXPECT_EQ(BdnXmlWriter::PicturePath("/x/film.xml", 0, 10000), "/x/film_00001.png");
    EXPECT_EQ(BdnXmlWriter::PicturePath("/x/film.xml", 9999, 10000), "/x/film_10000.png");
}

TEST(PgsWriter, WhatAPlayerCannotHoldIsRefusedOrCutToWhatItCan)
{
    // A screen full of small outlined letters codes to more than the megabyte of a player's
    // coded-object buffer.
    QTemporaryDir full;
    const QByteArray row = QByteArray("Wq#@%&").repeated(60);
    QByteArray rows = row;
    for (int i = 1; i < 60; ++i)
        rows += "\\N" + row;
    const QString screen = writeFileIn(
        full, "full.ass",
        "[Script Info]\nScriptType: v4.00+\nPlayResX: 1920\nPlayResY: 1080\n\n"
        "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, OutlineColour, Bold, "
        "Outline, Shadow, Alignment\nStyle: Default,DejaVu Sans,18,&H00FFFFFF,&H00000000,0,1,1,7"
        "\n\n[Events]\nFormat: Layer, Start, End, Style, Text\n"
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,{\\pos(0,0)\\q2}" +
            rows + "\n");
    const ConverterRun tooLarge = runConverter({"--format", "pgs", screen});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.err.contains("Subtitle 1 is too large for a Blu-ray player's picture "
                                      "buffers. Please use a smaller font size or fewer lines."))
        << tooLarge.err.toStdString();
    EXPECT_FALSE(QFile::exists(full.filePath("full.sup")));

    // 2^32 ticks of 90 kHz are 13:15:21.858. At 25 frames a second 13:15:21.800 is frame
    // 1193045 (tick 4 294 962 000); 13:15:21.900 rounds to frame 1193048, past the stamp.
    QTemporaryDir dir;
    const QString late = writeFileIn(dir, "late.srt",
                                     "1\n13:15:21,800 --> 13:15:30,000\nLast\n\n"
                                     "2\n13:15:21,900 --> 13:15:40,000\nToo late\n");
    const ConverterRun refused = runConverter({"--format", "pgs", "-r", "25000", late});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Subtitle 2 starts too late: a Blu-ray .sup file can only "
                                     "hold times before 13:15:21:858."))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("late.sup")));

    const QString last = writeFileIn(dir, "last.srt", "1\n13:15:21,800 --> 13:15:30,000\nLast\n");
    const ConverterRun run = runConverter({"--format", "pgs", "-r", "25000", last});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray sup = readAll(dir.filePath("last.sup"));
    const std::vector<Segment> segments = segmentsOf(Bytes(sup.begin(), sup.end()));
    ASSERT_FALSE(HasFailure());
    ASSERT_GE(segments.size(), 3u);
    EXPECT_EQ(segments.front().pts, 4294962000u);
    // The clearing set: composition, window, end, at the last tick the stamp holds.
    const Segment& clear = segments[segments.size() - 3];
    EXPECT_EQ(clear.type, 0x16);
    EXPECT_EQ(clear.pts, 0xFFFFFFFFu);
}
