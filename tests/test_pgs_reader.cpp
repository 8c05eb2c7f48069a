// Reading Blu-ray PGS streams: hand-made streams with every feature of the format, damaged
// ones, our own writer's output, and the conversion of a stream into the other forms.
#include "ConverterRuns.h"
#include "cli/ConvertOptions.h"
#include "pgs/InkReduction.h"
#include "pgs/PgsPictureSource.h"
#include "pgs/PgsReader.h"
#include "pgs/PicturePlacement.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;
using namespace lumelle::pgs;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, int v)
{
    b.push_back(std::uint8_t(v >> 8));
    b.push_back(std::uint8_t(v));
}

// One segment: "PG", PTS 4, DTS 4 (0), type 1, size 2, payload.
Bytes segment(std::uint8_t type, std::uint32_t pts, const Bytes& payload)
{
    Bytes b{'P', 'G'};
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(std::uint8_t(pts >> shift));
    b.insert(b.end(), 4, 0);
    b.push_back(type);
    put16(b, int(payload.size()));
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

struct Placed
{
    int id, window, flags, x, y;
    QRect crop; // used with flags & 0x80
};

// Composition: width 2, height 2, rate 1, number 2, state 1, palette update 1, palette id 1,
// object count 1, then per object id 2, window 1, flags 1, x 2, y 2 (+ crop x, y, w, h 2 each).
Bytes composition(std::uint32_t pts, int state, bool paletteUpdate, int paletteId,
                  const std::vector<Placed>& objects)
{
    Bytes p;
    put16(p, 1920);
    put16(p, 1080);
    p.push_back(0x10);
    put16(p, 0);
    p.push_back(std::uint8_t(state));
    p.push_back(paletteUpdate ? 0x80 : 0x00);
    p.push_back(std::uint8_t(paletteId));
    p.push_back(std::uint8_t(objects.size()));
    for (const Placed& o : objects) {
        put16(p, o.id);
        p.push_back(std::uint8_t(o.window));
        p.push_back(std::uint8_t(o.flags));
        put16(p, o.x);
        put16(p, o.y);
        if (o.flags & 0x80) {
            put16(p, o.crop.x());
            put16(p, o.crop.y());
            put16(p, o.crop.width());
            put16(p, o.crop.height());
        }
    }
    return segment(0x16, pts, p);
}

// Windows: count 1, per window id 1, x 2, y 2, w 2, h 2.
Bytes windows(std::uint32_t pts, const std::vector<std::pair<int, QRect>>& list)
{
    Bytes p{std::uint8_t(list.size())};
    for (const auto& [id, r] : list) {
        p.push_back(std::uint8_t(id));
        put16(p, r.x());
        put16(p, r.y());
        put16(p, r.width());
        put16(p, r.height());
    }
    return segment(0x17, pts, p);
}

// Palette: id 1, version 1, entries of id, Y, Cr, Cb, alpha.
Bytes palette(std::uint32_t pts, int id, const std::vector<std::array<int, 5>>& entries)
{
    Bytes p{std::uint8_t(id), 0};
    for (const auto& e : entries)
        for (int v : e)
            p.push_back(std::uint8_t(v));
    return segment(0x14, pts, p);
}

// An object of `w` x `h` pixels of index `left` in its left half and `right` in its right
// half: per row a run "00 C0|hi lo colour" (long run of a colour) for each half, then 00 00.
Bytes objectRows(int w, int h, int left, int right)
{
    Bytes rows;
    for (int y = 0; y < h; ++y) {
        for (int colour : {left, right}) {
            rows.push_back(0);
            rows.push_back(std::uint8_t(0xC0 | ((w / 2) >> 8)));
            rows.push_back(std::uint8_t((w / 2) & 0xFF));
            rows.push_back(std::uint8_t(colour));
        }
        rows.push_back(0);
        rows.push_back(0);
    }
    return rows;
}

// Object, in two fragments: id 2, version 1, sequence flags 1; the first has the data length
// 3 (rows + 4), width 2, height 2.
Bytes object(std::uint32_t pts, int id, int w, int h, const Bytes& rows)
{
    const std::size_t half = rows.size() / 2;
    Bytes first;
    put16(first, id);
    first.push_back(0);
    first.push_back(0x80);
    const std::size_t length = rows.size() + 4;
    first.push_back(std::uint8_t(length >> 16));
    put16(first, int(length & 0xFFFF));
    put16(first, w);
    put16(first, h);
    first.insert(first.end(), rows.begin(), rows.begin() + std::ptrdiff_t(half));
    Bytes last;
    put16(last, id);
    last.push_back(0);
    last.push_back(0x40);
    last.insert(last.end(), rows.begin() + std::ptrdiff_t(half), rows.end());
    Bytes b = segment(0x15, pts, first);
    const Bytes second = segment(0x15, pts, last);
    b.insert(b.end(), second.begin(), second.end());
    return b;
}

Bytes endSegment(std::uint32_t pts)
{
    return segment(0x80, pts, {});
}

void append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// White (Y 235), black (Y 16), red (BT.709 Y 63 Cr 240 Cb 102), all opaque.
const std::array<int, 5> kWhite{1, 235, 128, 128, 255};
const std::array<int, 5> kBlack{2, 16, 128, 128, 255};
const std::array<int, 5> kRedAtWhite{1, 63, 240, 102, 255};

// Every feature at once: an epoch with two objects in two windows, the second cropped and
// forced; a palette update turns the white red; an acquisition point repeats the screen;
// an empty composition hides it.
Bytes fullStream()
{
    Bytes s;
    append(s, composition(90000, 0x80, false, 0,
                          {{1, 0, 0x00, 100, 800, {}}, {2, 1, 0xC0, 1000, 900, {30, 5, 40, 20}}}));
    append(s, windows(90000, {{0, QRect(100, 800, 200, 50)}, {1, QRect(1000, 900, 40, 20)}}));
    append(s, palette(90000, 0, {kWhite, kBlack}));
    append(s, object(90000, 1, 200, 50, objectRows(200, 50, 1, 2)));
    append(s, object(90000, 2, 100, 40, objectRows(100, 40, 2, 1)));
    append(s, endSegment(90000));
    // The palette update at 2 s: the same objects, entry 1 now red.
    append(s, composition(180000, 0x00, true, 0,
                          {{1, 0, 0x00, 100, 800, {}}, {2, 1, 0xC0, 1000, 900, {30, 5, 40, 20}}}));
    append(s, palette(180000, 0, {kRedAtWhite}));
    append(s, endSegment(180000));
    // The acquisition point at 3 s repeats everything.
    append(s, composition(270000, 0x40, false, 0,
                          {{1, 0, 0x00, 100, 800, {}}, {2, 1, 0xC0, 1000, 900, {30, 5, 40, 20}}}));
    append(s, windows(270000, {{0, QRect(100, 800, 200, 50)}, {1, QRect(1000, 900, 40, 20)}}));
    append(s, palette(270000, 0, {kRedAtWhite, kBlack}));
    append(s, object(270000, 1, 200, 50, objectRows(200, 50, 1, 2)));
    append(s, object(270000, 2, 100, 40, objectRows(100, 40, 2, 1)));
    append(s, endSegment(270000));
    append(s, composition(360000, 0x00, false, 0, {}));
    append(s, endSegment(360000));
    return s;
}

QRgb pixelAt(const ColourImage& image, int x, int y)
{
    return qUnpremultiply(image.argb.pixel(x - image.box.x(), y - image.box.y()));
}

} // namespace

TEST(PgsReader, EveryFeatureOfAHandMadeStreamIsReplayed)
{
    const Bytes s = fullStream();
    const ReadStream read = ReadPgs(s.data(), s.size());
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.frame, QSize(1920, 1080));
    ASSERT_EQ(read.displays.size(), 2u); // the acquisition point changes nothing
    EXPECT_EQ(read.displays[0].start, 90000);
    EXPECT_EQ(read.displays[0].end, 180000);
    EXPECT_EQ(read.displays[1].start, 180000);
    EXPECT_EQ(read.displays[1].end, 360000);
    EXPECT_TRUE(read.displays[0].forced());

    ColourImage first, second;
    ComposeDisplay(read.displays[0], first);
    ComposeDisplay(read.displays[1], second);
    // The cropped object shows its 40 x 20 part from (30, 5) at its place.
    EXPECT_EQ(first.box, QRect(100, 800, 200, 50) | QRect(1000, 900, 40, 20));
    EXPECT_EQ(pixelAt(first, 100, 800), qRgba(255, 255, 255, 255));
    EXPECT_EQ(pixelAt(first, 299, 849), qRgba(0, 0, 0, 255));
    EXPECT_EQ(pixelAt(first, 1000, 900), qRgba(0, 0, 0, 255)); // column 30: the left half
    EXPECT_EQ(pixelAt(first, 1019, 919), qRgba(0, 0, 0, 255));
    EXPECT_EQ(pixelAt(first, 1020, 900), qRgba(255, 255, 255, 255)); // column 50: the right
    // The update turns entry 1 red and leaves entry 2.
    const QRgb red = pixelAt(second, 100, 800);
    EXPECT_GT(qRed(red), 240);
    EXPECT_LT(qGreen(red), 20);
    EXPECT_EQ(pixelAt(second, 299, 849), qRgba(0, 0, 0, 255));
}

TEST(PgsReader, ColoursReadBackInTheirMatrix)
{
    // BT.601 for standard definition, BT.709 for high; white and black in TV range.
    EXPECT_EQ(ShownColour(235, 128, 128, 255, true), qRgba(255, 255, 255, 255));
    EXPECT_EQ(ShownColour(16, 128, 128, 7, false), qRgba(0, 0, 0, 7));
    EXPECT_GE(qRed(ShownColour(81, 240, 90, 255, false)), 254);
    EXPECT_LT(qGreen(ShownColour(81, 240, 90, 255, false)), 5);
}

TEST(PgsReader, DamagedStreamsAreReadAsFarAsTheyGoAndNameWhere)
{
    const Bytes whole = fullStream();
    struct Row
    {
        const char* what;
        Bytes bytes;
        std::size_t displays;
        QString problem;
    };
    // The first composition: header 13, fields 11, two objects 8 each, one crop 8.
    Bytes garbage(whole.begin(), whole.begin() + 48);
    const Bytes junk{1, 2, 3, 'P', 'X'};
    Bytes rest(whole.begin() + 48, whole.end());
    Bytes withJunk = garbage;
    append(withJunk, junk);
    append(withJunk, rest);
    const Bytes cut(whole.begin(), whole.end() - 20);      // into the last composition's fields
    const Bytes headerCut(whole.begin(), whole.end() - 5); // into the end segment's header
    Bytes unknown = composition(90000, 0x80, false, 0, {{7, 0, 0, 10, 10, {}}});
    append(unknown, endSegment(90000));
    const std::vector<Row> rows{
        {"junk between segments", withJunk, 2,
         QStringLiteral("no segment at byte 48: 5 bytes skipped")},
        {"cut in a segment", cut, 2, QStringLiteral("the segment at byte 2281 is cut off")},
        {"cut in a header", headerCut, 2, QStringLiteral("the stream breaks off at byte 2305")},
        {"unknown object", unknown, 0,
         QStringLiteral("shows object 7, which the stream never gave")},
        {"not a stream", Bytes(30, 0xAA), 0, QStringLiteral("no segment at byte 0")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ReadStream read = ReadPgs(row.bytes.data(), row.bytes.size());
        EXPECT_EQ(read.displays.size(), row.displays);
        ASSERT_FALSE(read.problems.empty());
        EXPECT_TRUE(read.problems.front().message.contains(row.problem))
            << read.problems.front().message.toStdString();
    }
}

TEST(PgsReader, DamagedRowsKeepWhatDecodedAndEndlessPicturesGetAnEnd)
{
    Bytes s = composition(0, 0x80, false, 0, {{1, 0, 0, 0, 0, {}}});
    append(s, palette(0, 0, {kWhite}));
    // Row 0 whole (4 pixels of 1), row 1 runs past the width.
    append(s, object(0, 1, 4, 2, {0, 0x84, 1, 0, 0, 0, 0x86, 1, 0, 0}));
    append(s, endSegment(0));
    const ReadStream read = ReadPgs(s.data(), s.size());
    ASSERT_EQ(read.displays.size(), 1u);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_TRUE(read.problems[0].message.contains(QStringLiteral("object 1 at byte 52")))
        << read.problems[0].message.toStdString();
    ColourImage image;
    ComposeDisplay(read.displays[0], image);
    EXPECT_EQ(pixelAt(image, 3, 0), qRgba(255, 255, 255, 255));
    EXPECT_EQ(qAlpha(image.argb.pixel(0, 1)), 0);

    // Never hidden: it shows five seconds, and the source says so.
    PgsPictureSource source(std::make_shared<ReadStream>(read), {});
    source.useForm({});
    source.plan([](int, int) {});
    EXPECT_EQ(source.times(0).end - source.times(0).start, 125);
    EXPECT_EQ(source.notes().size(), 1);
}

// An object in one segment, as most encoders write them: id 2, version 1, sequence 0xC0 (first
// and last), length 3, width 2, height 2, the rows.
Bytes wholeObject(std::uint32_t pts, int id, int w, int h, const Bytes& rows)
{
    Bytes p;
    put16(p, id);
    p.push_back(0);
    p.push_back(0xC0);
    const std::size_t length = rows.size() + 4;
    p.push_back(std::uint8_t(length >> 16));
    put16(p, int(length & 0xFFFF));
    put16(p, w);
    put16(p, h);
    p.insert(p.end(), rows.begin(), rows.end());
    return segment(0x15, pts, p);
}

TEST(PgsReader, SinglePixelRowsReadTheSameFromAFileAndFromMemory)
{
    // Rows of single-pixel bytes between runs, as smooth edges are coded: row 0 "1 2 (2 of 0)
    // 2", row 1 "(4 of 1) 2"; a second display shows a copy of the object cropped to x 1..3;
    // a third, an object whose row 1 has one pixel too many.
    const Bytes rows{1, 2, 0, 2, 2, 0, 0, 0, 0x80 | 4, 1, 2, 0, 0};
    Bytes s = composition(0, 0x80, false, 0, {{1, 0, 0, 0, 0, {}}});
    append(s, palette(0, 0, {kWhite, kBlack}));
    append(s, wholeObject(0, 1, 5, 2, rows));
    append(s, endSegment(0));
    append(s, composition(90000, 0x80, false, 0, {{1, 0, 0x80, 10, 20, {1, 0, 3, 2}}}));
    append(s, palette(90000, 0, {kWhite, kBlack}));
    append(s, wholeObject(90000, 1, 5, 2, rows));
    append(s, endSegment(90000));
    append(s, composition(180000, 0x80, false, 0, {{1, 0, 0, 0, 0, {}}}));
    append(s, palette(180000, 0, {kWhite, kBlack}));
    append(s, wholeObject(180000, 1, 5, 2, {1, 2, 0, 2, 2, 0, 0, 1, 1, 1, 1, 1, 2, 0, 0}));
    append(s, endSegment(180000));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edges.sup"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(s.data()), qint64(s.size()));
    file.close();
    const ReadStream fromFile = ReadPgsFile(path);
    Bytes copy = s;
    const ReadStream fromMemory = ReadPgs(copy.data(), copy.size());
    // What was read from memory holds its own bytes: the caller's may go.
    std::fill(copy.begin(), copy.end(), 0xFF);
    copy.clear();
    copy.shrink_to_fit();
    ASSERT_TRUE(QFile::remove(path));

    for (const ReadStream* read : {&fromFile, &fromMemory}) {
        ASSERT_EQ(read->displays.size(), 3u);
        ASSERT_EQ(read->problems.size(), 1u);
        EXPECT_TRUE(read->problems[0].message.contains(QStringLiteral("object 1 at")));
        const ReadObject& object = *read->displays[0].objects[0].object;
        EXPECT_TRUE(object.whole);
        EXPECT_EQ(object.uses[0], 2u);
        EXPECT_EQ(object.uses[1], 5u);
        EXPECT_EQ(object.uses[2], 3u);
        ColourImage image;
        ComposeDisplay(read->displays[0], image);
        ASSERT_EQ(image.box, QRect(0, 0, 5, 2));
        const QRgb white = qRgba(255, 255, 255, 255), black = qRgba(0, 0, 0, 255);
        EXPECT_EQ(pixelAt(image, 0, 0), white);
        EXPECT_EQ(pixelAt(image, 1, 0), black);
        for (int x = 2; x < 4; ++x)
            EXPECT_EQ(qAlpha(image.argb.pixel(x, 0)), 0) << x;
        EXPECT_EQ(pixelAt(image, 4, 0), black);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixelAt(image, x, 1), white) << x;
        EXPECT_EQ(pixelAt(image, 4, 1), black);
        // The crop keeps columns 1 to 3, drawn at 10, 20.
        ComposeDisplay(read->displays[1], image);
        ASSERT_EQ(image.box, QRect(10, 20, 3, 2));
        EXPECT_EQ(pixelAt(image, 10, 20), black);
        EXPECT_EQ(qAlpha(image.argb.pixel(1, 0)), 0);
        EXPECT_EQ(pixelAt(image, 12, 21), white);
        // The damaged row stops at the pixel past the width: row 0 stays, row 1 is see-through.
        const ReadObject& damaged = *read->displays[2].objects[0].object;
        EXPECT_FALSE(damaged.whole);
        ComposeDisplay(read->displays[2], image);
        EXPECT_EQ(pixelAt(image, 4, 0), black);
        EXPECT_EQ(qAlpha(image.argb.pixel(0, 1)), 0);
    }
}

TEST(PgsReader, AnAcquisitionPointWithTheSameBytesChangesNothing)
{
    // The same screen sent again in a fresh epoch (new objects, equal bytes) is one picture;
    // one whose bytes differ in a pixel is a picture of its own.
    const Bytes rows{1, 2, 0, 0, 0, 0x80 | 2, 2, 0, 0};
    Bytes other = rows;
    other[0] = 2;
    Bytes s;
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t pts = std::uint32_t(i) * 90000;
        append(s, composition(pts, 0x80, false, 0, {{1, 0, 0, 0, 0, {}}}));
        append(s, palette(pts, 0, {kWhite, kBlack}));
        append(s, wholeObject(pts, 1, 2, 2, i < 2 ? rows : other));
        append(s, endSegment(pts));
    }
    const ReadStream read = ReadPgs(s.data(), s.size());
    ASSERT_EQ(read.displays.size(), 2u);
    EXPECT_EQ(read.displays[0].end, 180000);
    EXPECT_TRUE(read.problems.empty());
}

TEST(PgsPictureSource, FramesFitTheDisplayShape)
{
    struct Row
    {
        QSize from, to;
        double shape;
        QRectF fitted;
    };
    const std::vector<Row> rows{
        {{1920, 1080}, {720, 576}, 16.0 / 9, {0, 0, 720, 576}},       // anamorphic 16:9
        {{1920, 1080}, {720, 480}, 4.0 / 3, {0, 60, 720, 360}},       // letterboxed in 4:3
        {{1920, 1080}, {1280, 720}, 16.0 / 9, {0, 0, 1280, 720}},     // 1080 to 720
        {{1440, 1080}, {1920, 1080}, 16.0 / 9, {240, 0, 1440, 1080}}, // pillarboxed
    };
    for (const Row& row : rows)
        EXPECT_EQ(FittedFrame(row.from, row.to, row.shape), row.fitted);
}

TEST(PgsPictureSource, DvdPicturesKeepTheirInksAndPlace)
{
    const Bytes s = fullStream();
    PgsPictureSource source(std::make_shared<ReadStream>(ReadPgs(s.data(), s.size())), {});
    source.useForm({});
    source.plan([](int, int) {});
    ASSERT_EQ(source.count(), 2);
    EXPECT_EQ(source.times(0).start, 25);
    EXPECT_TRUE(source.times(0).forced);
    source.startWorkers(1);
    const TimedPicture picture = source.draw(0, 0);
    ASSERT_NE(picture.layers, nullptr);
    // 1920x1080 onto 720x576: x by 0.375, y by 0.5333; row 800 -> 426.7, 849 -> 453.
    EXPECT_EQ(picture.bandTop, 426);
    const LayerMasks& m = *picture.layers;
    const auto layer = [&](int x, int y) {
        const std::uint64_t bit = std::uint64_t(1) << (x % 64);
        return ((m.lowRow(y)[x / 64] & bit) ? 1 : 0) | ((m.highRow(y)[x / 64] & bit) ? 2 : 0);
    };
    EXPECT_EQ(layer(40, 435), 3);  // the white half: text
    EXPECT_EQ(layer(105, 435), 1); // the black half: outline
    EXPECT_EQ(layer(300, 435), 0); // between the objects: transparent
    // The red of the second picture has a palette entry of its own.
    ASSERT_EQ(source.palette().extra.size(), 1u);
    EXPECT_EQ(redOf(source.palette().extra[0]), 255);

    // At 4:3 the wide picture is letterboxed: rows 72 to 504, y by 0.4; row 800 -> 392.
    PgsSourceSettings square;
    square.wide = false;
    PgsPictureSource boxed(std::make_shared<ReadStream>(ReadPgs(s.data(), s.size())), square);
    boxed.useForm({});
    boxed.plan([](int, int) {});
    boxed.startWorkers(1);
    EXPECT_EQ(boxed.draw(0, 0).bandTop, 392);
}

TEST(PgsPictureSource, ColourPicturesAreResizedToTheWritersFrame)
{
    const Bytes s = fullStream();
    PgsPictureSource source(std::make_shared<ReadStream>(ReadPgs(s.data(), s.size())), {});
    source.useForm({true, QSize(1280, 720)});
    source.plan([](int, int) {});
    source.startWorkers(1);
    const TimedPicture picture = source.draw(0, 0);
    ASSERT_NE(picture.colour, nullptr);
    // (100, 800)-(1040, 920) by two thirds.
    EXPECT_EQ(picture.colour->box, QRect(QPoint(66, 533), QPoint(693, 613)));
    EXPECT_EQ(picture.colour->argb.size(), picture.colour->box.size());
}

TEST(PicturePlacement, PicturesMoveStayInsideTheFilmAndNeverLeaveTheFrame)
{
    // A 2.40 film fills 800 rows of a 1080p frame, 427 of an anamorphic 16:9 DVD frame and
    // 320 of a 4:3 one; a 4:3 film in a 16:9 frame fills the middle columns.
    EXPECT_EQ(PictureArea({1920, 1080}, 16.0 / 9, 2.40), QRect(0, 140, 1920, 800));
    EXPECT_EQ(PictureArea({720, 576}, 16.0 / 9, 2.40), QRect(0, 74, 720, 427));
    EXPECT_EQ(PictureArea({720, 576}, 4.0 / 3, 2.40), QRect(0, 128, 720, 320));
    EXPECT_EQ(PictureArea({1920, 1080}, 16.0 / 9, 4.0 / 3), QRect(240, 0, 1440, 1080));

    const QSize hd(1920, 1080);
    const QRect bottom(600, 950, 700, 100); // rows 950 to 1049: below a 2.40 film's picture
    struct Row
    {
        QPoint move;
        double shape;
        QRect area;
        QRect placed;
    };
    const std::vector<Row> rows{
        {{0, 0}, 2.40, {}, {600, 840, 700, 100}},             // up to the picture's last row, 939
        {{0, -200}, 2.40, {}, {600, 750, 700, 100}},          // already inside once moved
        {{50, 0}, 0, {}, {650, 950, 700, 100}},               // moved only
        {{0, 100}, 0, {}, {600, 980, 700, 100}},              // held at the frame's bottom
        {{-900, 0}, 0, {}, {0, 950, 700, 100}},               // and its left edge
        {{0, 0}, 0, {0, 0, 1920, 900}, {600, 800, 700, 100}}, // a rectangle given
        {{0, 0}, 0, {0, 0, 500, 50}, {0, 0, 700, 100}},       // larger: centred, yet in the frame
    };
    for (const Row& row : rows) {
        PicturePlacement p;
        p.move = row.move;
        p.keepInsideShape = row.shape;
        p.keepInside = row.area;
        EXPECT_EQ(PlacedBox(bottom, hd, 16.0 / 9, p), row.placed)
            << row.move.x() << "," << row.move.y();
    }

    // Through the source: 1080 to 720 puts the first picture at rows 533 to 613; moved 200
    // down it is held at the frame's bottom, kept inside a 2.40 film (rows 93 to 625) it ends
    // on row 625.
    const Bytes s = fullStream();
    const auto boxOf = [&](QPoint move, double shape) {
        PgsSourceSettings settings;
        settings.placement.move = move;
        settings.placement.keepInsideShape = shape;
        PgsPictureSource source(std::make_shared<ReadStream>(ReadPgs(s.data(), s.size())),
                                settings);
        source.useForm({true, QSize(1280, 720)});
        source.plan([](int, int) {});
        source.startWorkers(1);
        const TimedPicture picture = source.draw(0, 0);
        EXPECT_EQ(picture.colour->argb.size(), picture.colour->box.size());
        return picture.colour->box;
    };
    EXPECT_EQ(boxOf({0, 200}, 0), QRect(66, 639, 628, 81));
    EXPECT_EQ(boxOf({0, 200}, 2.40), QRect(66, 545, 628, 81));
    EXPECT_EQ(boxOf({-10, 0}, 0), QRect(56, 533, 628, 81));
}

TEST(PicturePlacement, OptionsAreReadOrRefusedByName)
{
    const struct
    {
        const char* option;
        const char* given;
        bool taken;
    } cases[] = {
        {"--move", "0,-60", true},        {"--move", "+10, 20", true},
        {"--move", "10", false},          {"--move", "a,b", false},
        {"--keep-inside", "2.40", true},  {"--keep-inside", "2.39:1", true},
        {"--keep-inside", "21:9", true},  {"--keep-inside", "1920x800+0+140", true},
        {"--keep-inside", "0.5", false},  {"--keep-inside", "0x800+0+140", false},
        {"--keep-inside", "wide", false},
    };
    for (const auto& c : cases) {
        ConvertOptions o;
        QString error;
        const ParseOutcome outcome =
            ParseConvertOptions({"lumelle-convert", c.option, c.given, "a.sup"}, o, error);
        EXPECT_EQ(outcome, c.taken ? ParseOutcome::Run : ParseOutcome::Error) << c.given;
        if (!c.taken) {
            EXPECT_TRUE(error.contains(QString("'%1'").arg(c.given))) << error.toStdString();
        }
    }
    ConvertOptions o;
    QString error;
    ParseConvertOptions({"lumelle-convert", "--keep-inside", "21:9", "--move", "0,-60", "a.sup"}, o,
                        error);
    EXPECT_DOUBLE_EQ(o.placement.keepInsideShape, 21.0 / 9);
    EXPECT_EQ(o.placement.move, QPoint(0, -60));
}

TEST(InkReduction, EdgesTakeTheRingAndAlphaTheContrast)
{
    // One row: text, a colour halfway, outline, a faint edge, a half-opaque edge.
    ColourImage image;
    image.box = QRect(10, 21, 5, 1);
    image.argb = QImage(5, 1, QImage::Format_ARGB32_Premultiplied);
    const QRgb row[5] = {qRgba(255, 255, 255, 255), qRgba(128, 128, 128, 255), qRgba(0, 0, 0, 255),
                         qRgba(0, 0, 0, 40), qRgba(0, 0, 0, 150)};
    for (int x = 0; x < 5; ++x)
        image.argb.setPixel(x, 0, row[x]);
    LayerMasks masks;
    const LayerInks inks{makeColor(255, 255, 255), makeColor(0, 0, 0), makeColor(128, 128, 128)};
    InkBand band = ReduceToInks(image, QSize(720, 576), {}, inks, masks);
    EXPECT_EQ(band.top, 20);
    EXPECT_EQ(band.height, 2);
    const auto layer = [&](int x) {
        const std::uint64_t bit = std::uint64_t(1) << x;
        return ((masks.lowRow(21)[0] & bit) ? 1 : 0) | ((masks.highRow(21)[0] & bit) ? 2 : 0);
    };
    EXPECT_EQ(layer(10), 3);
    EXPECT_EQ(layer(11), 2);
    EXPECT_EQ(layer(12), 1);
    EXPECT_EQ(layer(13), 0);
    EXPECT_EQ(layer(14), 2);
    // The whole picture half see-through: every ink shows at half contrast.
    for (int x = 0; x < 5; ++x)
        image.argb.setPixel(x, 0, qPremultiply(qRgba(255, 255, 255, 128)));
    band = ReduceToInks(image, QSize(720, 576), {}, inks, masks);
    EXPECT_EQ(band.opacity[2], 8);
    // The rows of the last picture were cleared: only this one's text remains.
    EXPECT_EQ(masks.lowRow(21)[0] & masks.highRow(21)[0], std::uint64_t(0x1F) << 10);
}

TEST(InkReduction, GreysBetweenTheInksSplitAtATenthAndNineTenthsOfTheWay)
{
    // Opaque greys from black outline to white text lie at v * 256 / 255 of the way (out of
    // 256): 77 is still outline, 78 and 178 the ring, 179 text.
    ColourImage image;
    image.box = QRect(0, 0, 4, 1);
    image.argb = QImage(4, 1, QImage::Format_ARGB32_Premultiplied);
    const int greys[4] = {77, 78, 178, 179};
    for (int x = 0; x < 4; ++x)
        image.argb.setPixel(x, 0, qRgba(greys[x], greys[x], greys[x], 255));
    LayerMasks masks;
    const LayerInks inks{makeColor(255, 255, 255), makeColor(0, 0, 0), makeColor(128, 128, 128)};
    ReduceToInks(image, QSize(720, 576), {}, inks, masks);
    const auto layer = [&](int x) {
        const std::uint64_t bit = std::uint64_t(1) << x;
        return ((masks.lowRow(0)[0] & bit) ? 1 : 0) | ((masks.highRow(0)[0] & bit) ? 2 : 0);
    };
    EXPECT_EQ(layer(0), 1);
    EXPECT_EQ(layer(1), 2);
    EXPECT_EQ(layer(2), 2);
    EXPECT_EQ(layer(3), 3);
    // Outline and text of one colour: everything opaque is text.
    ReduceToInks(image, QSize(720, 576), {qRgb(9, 9, 9), qRgb(9, 9, 9)}, inks, masks);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(layer(x), 3) << x;
}

TEST(PgsConversion, OurOwnStreamConvertsToEveryFormUnderAnyName)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath(QStringLiteral("film.srt"));
    QFile out(srt);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("1\n00:00:01,000 --> 00:00:03,500\nWelcome\n\n2\n00:00:04,000 --> 00:00:06,000\n"
              "Second line\n");
    out.close();
    ConverterRun run = runConverter({srt, QStringLiteral("--format"), QStringLiteral("pgs")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Under a name that says nothing of its kind.
    const QString sup = dir.filePath(QStringLiteral("track.bin"));
    ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("film.sup")), sup));
    const ReadStream read = ReadPgsFile(sup);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.displays.size(), 2u);
    EXPECT_EQ(read.displays[0].start, 90000);
    EXPECT_EQ(read.displays[0].end, 316800); // 3.5 s on the frame: 88 frames at 25
    EXPECT_EQ(read.displays[1].start, 360000);

    for (const char* form : {"vobsub", "dvd-sup", "bdn-xml", "pgs"}) {
        SCOPED_TRACE(form);
        const QString folder = dir.filePath(QString::fromLatin1(form));
        QDir().mkpath(folder);
        run = runConverter({sup, QStringLiteral("--format"), QString::fromLatin1(form),
                            QStringLiteral("-o"), folder});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("2 subtitles"))) << run.out.toStdString();
    }
    // ffmpeg reads the VobSub pair made from it: two pictures.
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_packets"),
                 QStringLiteral("-show_entries"), QStringLiteral("stream=nb_read_packets"),
                 QStringLiteral("-of"), QStringLiteral("csv=p=0"),
                 dir.filePath(QStringLiteral("vobsub/track.idx"))});
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.readAllStandardOutput().trimmed(), QByteArray("2"));
    // ffmpeg's pictures of the stream (resized to the DVD frame) and of the pair made from it
    // look alike round the text (SSIM 0.91 here; the pair's inks are the window's colours, so
    // it stays below that of two drawings of one picture); a picture six rows off falls under.
    const QString band =
        QStringLiteral("color=c=black:s=1920x1080:d=5[b];[b][0:s]overlay=eof_action=repeat,"
                       "scale=720:576:flags=area,crop=400:60:160:470,format=gray[a];"
                       "color=c=black:s=720x576:d=5[c];[c][1:s]overlay=eof_action=repeat,"
                       "crop=400:60:160:470,format=gray[d];[a][d]ssim");
    QProcess ssim;
    ssim.start(QStringLiteral("ffmpeg"),
               {QStringLiteral("-i"), sup, QStringLiteral("-i"),
                dir.filePath(QStringLiteral("vobsub/track.idx")), QStringLiteral("-filter_complex"),
                band, QStringLiteral("-ss"), QStringLiteral("2"), QStringLiteral("-frames:v"),
                QStringLiteral("1"), QStringLiteral("-f"), QStringLiteral("null"),
                QStringLiteral("-")});
    ASSERT_TRUE(ssim.waitForFinished(60000));
    const QString log = QString::fromLocal8Bit(ssim.readAllStandardError());
    const qsizetype all = log.indexOf(QStringLiteral("All:"));
    ASSERT_GE(all, 0) << log.toStdString();
    EXPECT_GT(log.mid(all + 4, 8).toDouble(), 0.9) << log.mid(all).toStdString();
    // The stream rewritten as PGS reads back with the same times.
    const ReadStream again = ReadPgsFile(dir.filePath(QStringLiteral("pgs/track.sup")));
    ASSERT_EQ(again.displays.size(), 2u);
    EXPECT_EQ(again.displays[1].start, 360000);
    EXPECT_EQ(again.frame, QSize(1920, 1080));
}

TEST(PgsConversion, DamageIsNamedAndTheInputStays)
{
    QTemporaryDir dir;
    Bytes s = fullStream();
    s.resize(s.size() - 20);
    const QString sup = dir.filePath(QStringLiteral("film.sup"));
    QFile out(sup);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(s.data()), qint64(s.size()));
    out.close();
    // Written as PGS beside itself: the input is never replaced.
    const ConverterRun run = runConverter({sup, QStringLiteral("--format"), QStringLiteral("pgs")});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("warning: the segment at byte 2281 is cut off")))
        << run.err.toStdString();
    QFile in(sup);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(),
              QByteArray(reinterpret_cast<const char*>(s.data()), qsizetype(s.size())));
}
