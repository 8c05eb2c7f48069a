// Reading DVD subtitles back: a pair made by hand with what our writer never puts in (custom
// colours, delays, several streams, a start delay, units cut across packs, damage), our own
// pairs and .sup files read back whole, and their conversion into every form.
#include "ConverterRuns.h"
#include "pgs/DvdPictureSource.h"
#include "pgs/PgsReader.h"
#include "vobsub/DvdSup.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/SubpictureDecoder.h"
#include "vobsub/VobSubReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, int v)
{
    b.push_back(std::uint8_t(v >> 8));
    b.push_back(std::uint8_t(v));
}

// A unit of a 16 x 4 picture at (100, 400): rows 0 and 2 are 8 pixels of value 1 and 8 of
// value 2 (codes 8x4+1 = 0x21, 8x4+2 = 0x22), rows 1 and 3 are 4 pixels of value 3 (0x13)
// and the end-of-line code (00 00) filling the row with 0.
Bytes handMadeUnit(int startDelay, int stopDelay, bool forced)
{
    Bytes u;
    put16(u, 0);  // 0: unit size, set below
    put16(u, 14); // 2: first control sequence
    for (int row = 0; row < 2; ++row)
        u.insert(u.end(), {0x21, 0x22}); // 4: top field, rows 0 and 2
    for (int row = 0; row < 2; ++row)
        u.insert(u.end(), {0x13, 0x00, 0x00}); // 8: bottom field, rows 1 and 3
    put16(u, startDelay);                      // 14: delay
    put16(u, 38);                              // 16: next sequence
    if (forced)
        u.push_back(0x00); // forced start
    else
        u.push_back(0x01);                 // start
    u.insert(u.end(), {0x03, 0x47, 0x90}); // entries: value 3 -> 4, 2 -> 7, 1 -> 9, 0 -> 0
    u.insert(u.end(), {0x04, 0xF8, 0xF0}); // contrast: 3 -> 15, 2 -> 8, 1 -> 15, 0 -> 0
    u.insert(u.end(), {0x05, 0x06, 0x40, 0x73, 0x19, 0x01, 0x93}); // x 100..115, y 400..403
    u.insert(u.end(), {0x06, 0x00, 0x04, 0x00, 0x08});             // field offsets 4 and 8
    u.push_back(0xFF);                                             // 37: end
    put16(u, stopDelay);                                           // 38: delay
    put16(u, 38);                                                  // 40: the last sequence
    u.insert(u.end(), {0x02, 0xFF});                               // 42: stop, end
    u[0] = 0;
    u[1] = std::uint8_t(u.size());
    return u;
}

// One pack: the MPEG-2 pack header with `stuffing` bytes, then one private-stream-1 PES
// packet of substream 0x20 + `stream` carrying `piece`, with a PTS when `pts` >= 0.
Bytes pack(const Bytes& piece, int stream, long long pts, int stuffing = 0)
{
    Bytes p{0x00, 0x00, 0x01, 0xBA, 0x44, 0x02, 0xC4,
            0x82, 0x04, 0xA9, 0x01, 0x89, 0xC3, std::uint8_t(0xF8 | stuffing)};
    p.insert(p.end(), std::size_t(stuffing), 0xFF);
    p.insert(p.end(), {0x00, 0x00, 0x01, 0xBD});
    const int header = pts >= 0 ? 5 : 0;
    put16(p, 3 + header + 1 + int(piece.size())); // PES length
    p.insert(p.end(), {0x81, std::uint8_t(pts >= 0 ? 0x80 : 0x00), std::uint8_t(header)});
    if (pts >= 0)
        for (std::uint8_t b : PtsBytes(std::uint64_t(pts)))
            p.push_back(b);
    p.push_back(std::uint8_t(0x20 + stream));
    p.insert(p.end(), piece.begin(), piece.end());
    return p;
}

Bytes& operator+=(Bytes& a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct HandMadePair
{
    Bytes sub;
    QByteArray idx;
    std::size_t damageAt = 0;
};

// Stream 0 (en): a forced unit with a start delay; after 37 damaged bytes a second unit cut
// across two packs with a pack of stream 1 (fr) between them; an index line past the end.
HandMadePair handMadePair(bool customColours)
{
    HandMadePair pair;
    Bytes& s = pair.sub;
    const Bytes first = pack(handMadeUnit(88, 176, true), 0, 90000, 3);
    s = first;
    pair.damageAt = s.size();
    s.insert(s.end(), 37, 0x5A);
    const std::size_t second = s.size();
    const Bytes unit = handMadeUnit(0, 88, false);
    const Bytes head(unit.begin(), unit.begin() + 20), tail(unit.begin() + 20, unit.end());
    s += pack(head, 0, 270000);
    const std::size_t french = s.size();
    s += pack(handMadeUnit(0, 100, false), 1, 225000);
    s += pack(tail, 0, -1);
    const auto hex = [](std::size_t v) {
        return QByteArray::number(qulonglong(v), 16).rightJustified(9, '0');
    };
    QByteArray& t = pair.idx;
    t = "# VobSub index file, v7 (do not modify this line!)\r\nsize: 720x576\r\npalette: ";
    for (int i = 0; i < 16; ++i)
        t += (i ? ", " : "") + QByteArray(i == 9   ? "FF0000"
                                          : i == 7 ? "00FF00"
                                          : i == 4 ? "0000FF"
                                                   : "101010");
    t += customColours
             ? "\r\ncustom colors: ON, tridx: 0100, colors: 000000, FFFF00, 00FFFF, FF00FF\r\n"
             : "\r\ncustom colors: OFF, tridx: 0000, colors: 000000, 000000, 000000, 000000\r\n";
    t += "langidx: 1\r\nid: en, index: 0\r\ntimestamp: 00:00:01:000, filepos: 000000000\r\n"
         "delay: 00:00:02:000\r\ntimestamp: 00:00:03:000, filepos: " +
         hex(second) +
         "\r\ntimestamp: 00:00:09:000, filepos: 000fff800\r\n"
         "\r\nid: fr, index: 1\r\nalt: Fran\xc3\xa7"
         "ais\r\ntimestamp: 00:00:02:500, filepos: " +
         hex(french) + "\r\n";
    return pair;
}

QByteArray bytesOf(const Bytes& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString messages(const DvdRead& read)
{
    QStringList all;
    for (const DvdProblem& p : read.problems)
        all << p.message;
    return all.join(QLatin1Char('\n'));
}

} // namespace

TEST(VobSubReader, HandMadePairWithEveryFeature)
{
    const HandMadePair pair = handMadePair(false);
    const DvdRead read = ReadVobSub(pair.idx, pair.sub.data(), pair.sub.size());
    EXPECT_EQ(read.frame, QSize(720, 576));
    ASSERT_EQ(read.streams.size(), 2u);
    EXPECT_EQ(read.defaultStream, 1); // langidx: 1
    const DvdStream& en = read.streams[0];
    EXPECT_EQ(en.code, QStringLiteral("en"));
    EXPECT_EQ(read.streams[1].alt, QStringLiteral("Français"));
    ASSERT_EQ(en.pictures.size(), 2u);
    // 1 s, then the start delay of 88 units of 1024 ticks; hidden 176 units after the time.
    EXPECT_EQ(en.pictures[0].start, 90000 + 88 * 1024);
    EXPECT_EQ(en.pictures[0].end, 90000 + 176 * 1024);
    EXPECT_TRUE(en.pictures[0].forced);
    // 3 s and the delay of 2 s before it; joined from two packs with another stream's between.
    EXPECT_EQ(en.pictures[1].start, 450000);
    EXPECT_EQ(en.pictures[1].end, 450000 + 88 * 1024);
    EXPECT_FALSE(en.pictures[1].forced);
    EXPECT_EQ(read.streams[1].pictures.at(0).start, 225000);

    const DvdPicture& p = en.pictures[1];
    EXPECT_EQ(p.area, QRect(100, 400, 16, 4));
    const auto at = [&](int x, int y) { return int(p.pixels[std::size_t(y * 16 + x)]); };
    EXPECT_EQ(at(0, 0), 1);
    EXPECT_EQ(at(8, 2), 2);
    EXPECT_EQ(at(3, 1), 3);
    EXPECT_EQ(at(4, 3), 0);
    // Value 1 shows palette entry 9, value 2 entry 7 at contrast 8, value 0 not at all.
    EXPECT_EQ(read.shown(p, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(read.shown(p, 2), qRgba(0, 255, 0, 8 * 17));
    EXPECT_EQ(qAlpha(read.shown(p, 0)), 0);

    // The damage and the index line that points past the end are named by position.
    const QString said = messages(read);
    EXPECT_TRUE(
        said.contains(QStringLiteral("no pack at byte %1: 37 bytes skipped").arg(pair.damageAt)))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("line 10: stream 0 has no subtitle at byte 16775168")))
        << said.toStdString();
}

TEST(VobSubReader, CustomColoursReplaceThePaletteAndTridxHides)
{
    const HandMadePair pair = handMadePair(true);
    const DvdRead read = ReadVobSub(pair.idx, pair.sub.data(), pair.sub.size());
    const DvdPicture& p = read.streams.at(0).pictures.at(0);
    EXPECT_EQ(read.shown(p, 1), qRgba(255, 255, 0, 0)); // tridx 0100: value 1 transparent
    EXPECT_EQ(read.shown(p, 2), qRgba(0, 255, 255, 8 * 17));
    EXPECT_EQ(read.shown(p, 3), qRgba(255, 0, 255, 255));
}

TEST(VobSubReader, DamagedUnitsKeepWhatDecoded)
{
    HandMadePair pair = handMadePair(false);
    // The first unit's size claims more than its packs hold, so the next time stamp ends it.
    pair.sub[14 + 3 + 6 + 3 + 5 + 1 + 1] = 0x60;
    const DvdRead read = ReadVobSub(pair.idx, pair.sub.data(), pair.sub.size());
    EXPECT_TRUE(
        messages(read).contains(QStringLiteral("the subtitle at byte 0 is cut off before byte")))
        << messages(read).toStdString();
    ASSERT_EQ(read.streams.at(0).pictures.size(), 2u);
    EXPECT_EQ(read.streams[0].pictures[0].area, QRect(100, 400, 16, 4));
    // An area no frame has is kept to the largest frame, and named.
    Bytes unit = handMadeUnit(0, 88, false);
    unit[27] = 0x4F; // x2 4095
    unit[28] = 0xFF;
    UnitFault fault;
    const DvdPicture huge = DecodeSubpicture(unit.data(), unit.size(), fault);
    EXPECT_EQ(fault.what, QStringLiteral("its area (3996x4) is larger than any frame"));
    EXPECT_EQ(huge.area, QRect(100, 400, 1920, 4));
    // A .sub cut inside a packet still gives the pictures before it.
    const DvdRead cut = ReadVobSub(QByteArray(), pair.sub.data(), pair.sub.size() - 5);
    EXPECT_TRUE(messages(cut).contains(QStringLiteral("is cut off")))
        << messages(cut).toStdString();
    EXPECT_GE(cut.streams.size(), 1u);
}

TEST(VobSubReader, OurOwnPairAndSupReadBackWholeAndConvertBackByteForByte)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath(QStringLiteral("film.srt"));
    writeFile(srt, "1\n00:00:01,000 --> 00:00:03,500\nWelcome\n\n2\n00:00:04,000 --> "
                   "00:00:06,000\nSecond line\n");
    ConverterRun run = runConverter({srt, QStringLiteral("--forced"), QStringLiteral("--format"),
                                     QStringLiteral("vobsub,dvd-sup")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString idx = dir.filePath(QStringLiteral("film.idx"));
    const DvdRead pair = ReadVobSubFiles(VobSubFilesOf(idx));
    EXPECT_TRUE(pair.problems.empty()) << messages(pair).toStdString();
    ASSERT_EQ(pair.streams.size(), 1u);
    ASSERT_EQ(pair.streams[0].pictures.size(), 2u);
    EXPECT_EQ(pair.streams[0].pictures[0].start, 90000);
    EXPECT_EQ(pair.streams[0].pictures[1].start, 360000);
    EXPECT_TRUE(pair.streams[0].pictures[1].forced);
    // The .sup holds the same pictures at the same times.
    const DvdRead sup = ReadDvdSupFile(dir.filePath(QStringLiteral("film.sup")));
    ASSERT_EQ(sup.streams.at(0).pictures.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(sup.streams[0].pictures[i].pixels, pair.streams[0].pictures[i].pixels);
        EXPECT_EQ(sup.streams[0].pictures[i].end, pair.streams[0].pictures[i].end);
    }
    // Written again as a pair, under any name, the pictures come out as they went in.
    const QString renamed = dir.filePath(QStringLiteral("track.dat"));
    QFile::copy(dir.filePath(QStringLiteral("film.sub")),
                dir.filePath(QStringLiteral("track.sub")));
    QFile::copy(idx, renamed);
    QDir().mkpath(dir.filePath(QStringLiteral("alone")));
    run = runConverter({dir.filePath(QStringLiteral("track.sub")), QStringLiteral("-o"),
                        dir.filePath(QStringLiteral("alone"))});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString(); // without its index: greys, and said
    EXPECT_TRUE(run.err.contains(QStringLiteral("no .idx beside it"))) << run.err.toStdString();
    // The index under a name of its own finds its .sub by the name they share.
    QFile::remove(dir.filePath(QStringLiteral("track.sub")));
    QFile::copy(dir.filePath(QStringLiteral("film.sub")),
                dir.filePath(QStringLiteral("track.SUB")));
    QDir().mkpath(dir.filePath(QStringLiteral("again")));
    run = runConverter({renamed, QStringLiteral("-o"), dir.filePath(QStringLiteral("again"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("again/track.sub"))),
              readFile(dir.filePath(QStringLiteral("film.sub"))));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("again/track.idx"))), readFile(idx));
    // The .sup, which holds no palette, shows our own entries in the options' colours: the
    // pair made from it is the pair made from the text.
    QDir().mkpath(dir.filePath(QStringLiteral("fromsup")));
    run = runConverter({dir.filePath(QStringLiteral("film.sup")), QStringLiteral("-o"),
                        dir.filePath(QStringLiteral("fromsup"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("fromsup/film.sub"))),
              readFile(dir.filePath(QStringLiteral("film.sub"))));
    // Beside itself, the pair read is kept and the new one goes beside it.
    const QByteArray before = readFile(idx);
    run = runConverter({idx});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readFile(idx), before);
}

TEST(DvdPictureSource, FullColourThroughPaletteAndContrast)
{
    const HandMadePair pair = handMadePair(false);
    auto read = std::make_shared<DvdRead>(ReadVobSub(pair.idx, pair.sub.data(), pair.sub.size()));
    pgs::DvdPictureSource source(read, 0, {});
    source.useForm({true, QSize(720, 576)});
    source.plan([](int, int) {});
    ASSERT_EQ(source.count(), 2);
    EXPECT_TRUE(source.times(0).forced);
    EXPECT_EQ(source.times(1).start, 125); // 5 s at 25 frames a second
    source.startWorkers(1);
    const TimedPicture picture = source.draw(1, 0);
    ASSERT_NE(picture.colour, nullptr);
    EXPECT_EQ(picture.colour->box, QRect(100, 400, 16, 4));
    const QImage& argb = picture.colour->argb;
    EXPECT_EQ(qUnpremultiply(argb.pixel(0, 0)), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(argb.pixel(8, 0)), 8 * 17); // value 2 at contrast 8
    EXPECT_EQ(qAlpha(argb.pixel(10, 1)), 0);

    // Kept as four inks at its own frame: each value in its layer, its colour in the palette.
    pgs::DvdPictureSource kept(read, 0, {});
    kept.useForm({});
    kept.plan([](int, int) {});
    kept.startWorkers(1);
    const TimedPicture inks = kept.draw(1, 0);
    ASSERT_NE(inks.layers, nullptr);
    EXPECT_EQ(inks.bandTop, 400);
    EXPECT_EQ(inks.bandHeight, 4);
    EXPECT_EQ(inks.layers->colours[3], makeColor(255, 0, 0)); // value 1: the text
    EXPECT_EQ(inks.opacity[0], 8);                            // value 2: the outline
    const auto layer = [&](int x, int y) {
        const std::uint64_t bit = std::uint64_t(1) << (x % 64);
        return ((inks.layers->lowRow(y)[x / 64] & bit) ? 1 : 0) |
               ((inks.layers->highRow(y)[x / 64] & bit) ? 2 : 0);
    };
    // One column right of where it was read: the encoder shows layer column x + 1 at x.
    EXPECT_EQ(layer(101, 400), 3);
    EXPECT_EQ(layer(109, 400), 1);
    EXPECT_EQ(layer(101, 401), 2);
    EXPECT_EQ(layer(100, 400), 0);
    const auto& extra = kept.palette().extra;
    EXPECT_NE(std::find(extra.begin(), extra.end(), makeColor(255, 0, 0)), extra.end());
}

TEST(DvdConversion, StreamsOfAPairIntoEveryForm)
{
    QTemporaryDir dir;
    const HandMadePair pair = handMadePair(false);
    const QString idx = dir.filePath(QStringLiteral("film.idx"));
    writeFile(idx, pair.idx);
    writeFile(dir.filePath(QStringLiteral("film.sub")), bytesOf(pair.sub));
    // Both streams into one pair, with their languages, names and the default kept.
    QDir().mkpath(dir.filePath(QStringLiteral("pair")));
    ConverterRun run =
        runConverter({idx, QStringLiteral("-o"), dir.filePath(QStringLiteral("pair"))});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString(); // the damage is named
    EXPECT_TRUE(run.err.contains(QStringLiteral("film.sub: no pack at byte")))
        << run.err.toStdString();
    const QByteArray written = readFile(dir.filePath(QStringLiteral("pair/film.idx")));
    EXPECT_TRUE(written.contains("id: en, index: 0")) << written.toStdString();
    EXPECT_TRUE(written.contains("id: fr, index: 1"));
    EXPECT_TRUE(written.contains("alt: Fran\xc3\xa7"
                                 "ais"));
    EXPECT_TRUE(written.contains("langidx: 1"));
    // ffmpeg finds both streams in the pair written, with their subtitles.
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_packets"),
                 QStringLiteral("-show_entries"), QStringLiteral("stream=nb_read_packets"),
                 QStringLiteral("-of"), QStringLiteral("csv=p=0"),
                 dir.filePath(QStringLiteral("pair/film.idx"))});
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.readAllStandardOutput().simplified(), QByteArray("2 1"));
    // A form of one stream takes the default stream, or the one asked for.
    for (const char* form : {"pgs", "bdn-xml", "dvd-sup"}) {
        SCOPED_TRACE(form);
        const QString out = dir.filePath(QString::fromLatin1(form));
        QDir().mkpath(out);
        run = runConverter({idx, QStringLiteral("--format"), QString::fromLatin1(form),
                            QStringLiteral("-o"), out});
        EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("the default one, 1 (fr), is converted")))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral(": 1 subtitle -> "))) << run.out.toStdString();
    }
    run = runConverter({idx, QStringLiteral("--stream-index"), QStringLiteral("0"),
                        QStringLiteral("--format"), QStringLiteral("pgs"), QStringLiteral("-o"),
                        dir.filePath(QStringLiteral("pgs"))});
    EXPECT_TRUE(run.out.contains(QStringLiteral("2 subtitles"))) << run.out.toStdString();
    const pgs::ReadStream sup = pgs::ReadPgsFile(dir.filePath(QStringLiteral("pgs/film.sup")));
    ASSERT_EQ(sup.displays.size(), 2u);
    EXPECT_TRUE(sup.displays[0].forced());
    EXPECT_EQ(sup.frame, QSize(720, 576));
    run = runConverter({idx, QStringLiteral("--stream-index"), QStringLiteral("5")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("no stream 5; its streams: 0 (en), 1 (fr)")))
        << run.err.toStdString();
}

// Text drawn as VobSub and then made PGS covers what the same text drawn as PGS covers.
TEST(DvdConversion, TextThroughVobSubOverlapsTextDrawnAsPgs)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath(QStringLiteral("film.srt"));
    writeFile(srt, "1\n00:00:01,000 --> 00:00:03,500\nWelcome to the film\n\n2\n00:00:04,000 --> "
                   "00:00:06,000\nA second, longer line of text\n");
    const QString viaDvd = dir.filePath(QStringLiteral("dvd")),
                  direct = dir.filePath(QStringLiteral("direct"));
    QDir().mkpath(viaDvd);
    QDir().mkpath(direct);
    ASSERT_EQ(runConverter({srt, QStringLiteral("-o"), viaDvd}).exitCode, 0);
    ConverterRun run =
        runConverter({viaDvd + QStringLiteral("/film.idx"), QStringLiteral("--format"),
                      QStringLiteral("pgs"), QStringLiteral("-o"), viaDvd});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = runConverter({srt, QStringLiteral("--format"), QStringLiteral("pgs"),
                        QStringLiteral("--frame-size"), QStringLiteral("720x576"),
                        QStringLiteral("-o"), direct});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pgs::ReadStream a = pgs::ReadPgsFile(viaDvd + QStringLiteral("/film.sup"));
    const pgs::ReadStream b = pgs::ReadPgsFile(direct + QStringLiteral("/film.sup"));
    ASSERT_EQ(a.displays.size(), 2u);
    ASSERT_EQ(b.displays.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.displays[i].start, b.displays[i].start);
        ColourImage x, y;
        pgs::ComposeDisplay(a.displays[i], x);
        pgs::ComposeDisplay(b.displays[i], y);
        // Ink: a pixel at least a quarter opaque (smooth edges count), in frame coordinates.
        const auto ink = [](const ColourImage& c, QPoint p) {
            return c.box.contains(p) && qAlpha(c.argb.pixel(p - c.box.topLeft())) >= 64;
        };
        // The share of each drawing's ink that the other covers: the two renderers draw the
        // same glyphs with and without smoothing, so a pixel or so of edge differs.
        long long both = 0, inX = 0, inY = 0;
        const QRect all = x.box | y.box;
        for (int py = all.top(); py <= all.bottom(); ++py)
            for (int px = all.left(); px <= all.right(); ++px) {
                const bool p = ink(x, {px, py}), q = ink(y, {px, py});
                both += p && q;
                inX += p;
                inY += q;
            }
        ASSERT_GT(inX, 0);
        ASSERT_GT(inY, 0);
        EXPECT_GE(double(both) / double(inX), 0.9) << both << " of " << inX;
        EXPECT_GE(double(both) / double(inY), 0.9) << both << " of " << inY;
    }
}

TEST(DvdSupReader, DamageAndTimesPastTheClockAreNamed)
{
    Bytes s = SupPacket(handMadeUnit(0, 88, true), 90000);
    const std::size_t damage = s.size();
    s.insert(s.end(), 5, 0x00);
    const std::size_t far = s.size();
    s += SupPacket(handMadeUnit(0, 88, false), std::uint64_t(1) << 40);
    s += SupPacket(handMadeUnit(0, 88, false), 450000);
    s.resize(s.size() - 4); // the last unit loses its closing sequence
    const DvdRead read = ReadDvdSup(s.data(), s.size());
    ASSERT_EQ(read.streams.size(), 1u);
    const auto& pictures = read.streams[0].pictures;
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_TRUE(pictures[0].forced);
    EXPECT_EQ(pictures[0].start, 90000);
    EXPECT_EQ(pictures[1].start, 450000);
    EXPECT_EQ(pictures[1].area, QRect(100, 400, 16, 4)); // its rows were whole
    const QString said = messages(read);
    EXPECT_TRUE(
        said.contains(QStringLiteral("no subtitle at byte %1: 5 bytes skipped").arg(damage)))
        << said.toStdString();
    EXPECT_TRUE(said.contains(
        QStringLiteral("the subtitle at byte %1 starts past 26:30:43,717 and is left out")
            .arg(far)))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("is cut off"))) << said.toStdString();
}
