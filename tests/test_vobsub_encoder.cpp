// Subpicture units: pixel classes, run building, nibble codes, fields and control sequences.
#include "reference/PixelEncoder.h"
#include "vobsub/SubpictureEncoder.h"

#include "platform/Error.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Runs = std::vector<lumelle::Run>;

const ColorValue kText = makeColor(255, 255, 255);
const ColorValue kOutline = makeColor(0, 0, 0);
const ColorValue kAntialias = makeColor(128, 128, 128);
const OutputColours kColours{kAntialias, kOutline, kText};

QImage blueFrame(int height = 576)
{
    QImage image(720, height, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    return image;
}

void paint(QImage& image, int row, int x, int count, ColorValue colour)
{
    for (int i = 0; i < count; ++i)
        image.setPixel(x + i, row, qRgb(redOf(colour), greenOf(colour), blueOf(colour)));
}

// 100 background, 3 outline, 1 antialias, 5 text, 1 antialias, 3 outline, 607 background.
void paintWorkedRow(QImage& image, int row)
{
    paint(image, row, 100, 3, kOutline);
    paint(image, row, 103, 1, kAntialias);
    paint(image, row, 104, 5, kText);
    paint(image, row, 109, 1, kAntialias);
    paint(image, row, 110, 3, kOutline);
}

std::vector<Run> runsOfRow(const QImage& image, int row)
{
    return RowRuns(image.constScanLine(row), image.width(), 4, kColours);
}

Bytes nibblesOf(const Run& run)
{
    Bytes nibbles;
    AppendRunNibbles(nibbles, run);
    return nibbles;
}

const Bytes kBackgroundRow{0x03, 0xFC, 0x03, 0xFC, 0x03, 0x44, 0x00, 0x00};
const Bytes kWorkedRow{0x01, 0x8C, 0xE7, 0x15, 0x7E, 0x03, 0xFC,
                       0x03, 0xFC, 0x01, 0x84, 0x00, 0x00};

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count)
{
    return Bytes(bytes.begin() + std::ptrdiff_t(from),
                 bytes.begin() + std::ptrdiff_t(from + count));
}

} // namespace

TEST(SubpictureEncoder, ClassifyPixelLetsTheLastMatchWin)
{
    EXPECT_EQ(ClassifyPixel(255, 255, 255, kColours), kPixelText);
    EXPECT_EQ(ClassifyPixel(0, 0, 0, kColours), kPixelOutline);
    EXPECT_EQ(ClassifyPixel(128, 128, 128, kColours), kPixelAntialias);
    EXPECT_EQ(ClassifyPixel(0, 0, 255, kColours), kPixelBackground);
    EXPECT_EQ(ClassifyPixel(10, 20, 30, kColours), kPixelBackground); // matches nothing

    // Text beats outline beats antialias; pure blue beats every user colour.
    const OutputColours same{makeColor(9, 9, 9), makeColor(9, 9, 9), makeColor(9, 9, 9)};
    EXPECT_EQ(ClassifyPixel(9, 9, 9, same), kPixelText);
    const OutputColours outlineIsAntialias{makeColor(9, 9, 9), makeColor(9, 9, 9), kText};
    EXPECT_EQ(ClassifyPixel(9, 9, 9, outlineIsAntialias), kPixelOutline);
    const OutputColours allBlue{kBackgroundBlue, kBackgroundBlue, kBackgroundBlue};
    EXPECT_EQ(ClassifyPixel(0, 0, 255, allBlue), kPixelBackground);
}

TEST(SubpictureEncoder, AllBackgroundRowIsOneRunOf719)
{
    const QImage image = blueFrame();
    const Runs runs = runsOfRow(image, 0);
    ASSERT_EQ(runs, (Runs{{719, 0}}));
    // Codes 255, 255 and 209 of value 0, then the end-of-line code.
    EXPECT_EQ(EncodeRow(runs), kBackgroundRow);
}

TEST(SubpictureEncoder, WorkedRowGivesItsRunsAndBytes)
{
    QImage image = blueFrame();
    paintWorkedRow(image, 7);
    const Runs runs = runsOfRow(image, 7);
    // The first run is one shorter than the 100 background pixels; lengths add up to 719.
    EXPECT_EQ(runs, (Runs{{99, 0}, {3, 2}, {1, 3}, {5, 1}, {1, 3}, {3, 2}, {607, 0}}));
    // Nibbles 0 1 8 C | E | 7 | 1 5 | 7 | E | 0 3 F C | 0 3 F C | 0 1 8 4 (22, even: no filler).
    EXPECT_EQ(EncodeRow(runs), kWorkedRow);
}

TEST(SubpictureEncoder, RunsFollowRawBytesNotClasses)
{
    QImage image = blueFrame();
    // Two different raw colours that both classify as background: two neighbouring runs of 0.
    paint(image, 0, 300, 10, makeColor(10, 20, 30));
    EXPECT_EQ(runsOfRow(image, 0), (Runs{{299, 0}, {10, 0}, {410, 0}}));
}

TEST(SubpictureEncoder, LastColumnIsNeverExaminedAndColumnZeroOnlyOnAChange)
{
    QImage image = blueFrame();
    paint(image, 0, 719, 1, kText); // column 719: not looked at
    EXPECT_EQ(runsOfRow(image, 0), (Runs{{719, 0}}));

    // Columns 0 and 1 differ: the first run keeps length 0 and takes the class of column 0.
    paint(image, 1, 0, 1, kText);
    EXPECT_EQ(runsOfRow(image, 1), (Runs{{0, 1}, {719, 0}}));
    // That empty run writes no code, so the row is the plain all-background row: a left-aligned
    // italic line can reach the left edge this way, and the unit must stay decodable.
    EXPECT_EQ(EncodeRow(runsOfRow(image, 1)), EncodeRow(runsOfRow(image, 0)));
    EXPECT_NO_THROW(EncodeSubpicture(image, 0, 2, kColours, 0, 50, FrameRate(25000), 1));
}

TEST(SubpictureEncoder, RunCodesSplitAt255AndUseNibbleWidthsByLength)
{
    using N = Bytes;
    EXPECT_EQ(nibblesOf({3, 1}), (N{0xD}));                 // 3*4+1 = 13
    EXPECT_EQ(nibblesOf({1, 3}), (N{0x7}));                 // 7
    EXPECT_EQ(nibblesOf({4, 0}), (N{0x1, 0x0}));            // 16
    EXPECT_EQ(nibblesOf({15, 2}), (N{0x3, 0xE}));           // 62
    EXPECT_EQ(nibblesOf({16, 3}), (N{0x0, 0x4, 0x3}));      // 67
    EXPECT_EQ(nibblesOf({63, 0}), (N{0x0, 0xF, 0xC}));      // 252
    EXPECT_EQ(nibblesOf({64, 1}), (N{0x0, 0x1, 0x0, 0x1})); // 257
    EXPECT_EQ(nibblesOf({255, 0}), (N{0x0, 0x3, 0xF, 0xC}));
    EXPECT_EQ(nibblesOf({256, 1}), (N{0x0, 0x3, 0xF, 0xD, 0x5}));
    EXPECT_EQ(nibblesOf({510, 1}), (N{0x0, 0x3, 0xF, 0xD, 0x0, 0x3, 0xF, 0xD}));
    EXPECT_EQ(nibblesOf({511, 1}), (N{0x0, 0x3, 0xF, 0xD, 0x0, 0x3, 0xF, 0xD, 0x5}));
    EXPECT_EQ(nibblesOf({719, 0}), (N{0x0, 0x3, 0xF, 0xC, 0x0, 0x3, 0xF, 0xC, 0x0, 0x3, 0x4, 0x4}));
}

TEST(SubpictureEncoder, OddNibbleCountGetsOneZeroNibbleBeforeTheEndOfLine)
{
    EXPECT_EQ(EncodeRow({{3, 1}}), (Bytes{0xD0, 0x00, 0x00}));
    EXPECT_EQ(EncodeRow({{3, 1}, {3, 2}}), (Bytes{0xDE, 0x00, 0x00}));
    EXPECT_EQ(EncodeRow({{3, 1}, {4, 0}}), (Bytes{0xD1, 0x00, 0x00, 0x00}));
}

TEST(SubpictureEncoder, HideDelayIsRoundedHalfToEvenAndClamped)
{
    EXPECT_EQ(StopDelay(0, 50, FrameRate(25000)), 176);      // 2 s
    EXPECT_EQ(StopDelay(100, 150, FrameRate(25000)), 176);   // only the difference counts
    EXPECT_EQ(StopDelay(0, 32, FrameRate(25000)), 112);      // 112.5 -> 112
    EXPECT_EQ(StopDelay(0, 96, FrameRate(25000)), 338);      // 337.5 -> 338
    EXPECT_EQ(StopDelay(0, 1, FrameRate(23976)), 4);         // 3.67
    EXPECT_EQ(StopDelay(0, 18592, FrameRate(25000)), 65362); // 65362.5 -> even
    EXPECT_EQ(StopDelay(0, 18641, FrameRate(25000)), 65535); // 65534.77
    EXPECT_EQ(StopDelay(0, 18642, FrameRate(25000)), 65535); // 65538: the longest the field holds
    EXPECT_EQ(StopDelay(0, 20000, FrameRate(25000)), 65535); // not 70312 mod 65536
    EXPECT_EQ(StopDelay(50, 0, FrameRate(25000)), 0); // end before start: not a wrapped huge delay
    EXPECT_EQ(StopDelay(0, 2'000'000'000'000'000LL, FrameRate(25000)), 65535); // no overflow
}

TEST(SubpictureEncoder, EmptySubtitleUnitByteForByte)
{
    const QImage image = blueFrame();
    const Bytes unit = EncodeSubpicture(image, 420, 80, kColours, 0, 50, FrameRate(25000), 1);
    // D = 2 + 80 x 8 + 2 = 644 (even): size D + 32 = 676.
    ASSERT_EQ(unit.size(), 676u);
    EXPECT_EQ(slice(unit, 0, 6), (Bytes{0x02, 0xA4,    // unit size 676
                                        0x02, 0x86,    // first control sequence at D + 2 = 646
                                        0x00, 0x00})); // the area's opening zero bytes
    for (int row = 0; row < 80; ++row)
        EXPECT_EQ(slice(unit, 6 + 8 * std::size_t(row), 8), kBackgroundRow) << row;
    const Bytes controls{
        0x00, 0x00,             // 646: delay 0 (the area's closing zero bytes)
        0x02, 0x9E,             // next sequence at D + 26 = 670
        0x01,                   // start display
        0x03, 0x01, 0x23,       // colours: values 3,2,1,0 -> slots 0,1,2,3
        0x04, 0xFF, 0xF0,       // contrast: 3,2,1 opaque, 0 transparent
        0x05, 0x00, 0x02, 0xCF, // display area x1 0, x2 719
        0x1A, 0x41, 0xF3,       //   y1 420, y2 499
        0x06, 0x00, 0x06,       // top field at 6
        0x01, 0x46,             //   bottom field at 6 + 40 x 8 = 326
        0xFF,                   // end of sequence
        0x00, 0xB0,             // 670: delay 176 (50 frames at 25 fps)
        0x02, 0x9E,             // next sequence: itself, the last
        0x02,                   // stop display
        0xFF,                   // end of sequence
    };
    EXPECT_EQ(slice(unit, 646, 30), controls);
}

TEST(SubpictureEncoder, ForcedUnitDiffersOnlyInItsStartCommand)
{
    const Bytes fields(16, 0x00); // two rows of any bytes: the commands are what matter
    const Bytes plain = SubpictureUnit(fields, 8, 720, 420, 2, 0, 50, FrameRate(25000), 1);
    const Bytes forced =
        SubpictureUnit(fields, 8, 720, 420, 2, 0, 50, FrameRate(25000), 1, InkSlots{}, true);
    // D = 2 + 16 + 2 = 20; the first sequence at D + 2 = 22, its first command at 26.
    ASSERT_EQ(forced.size(), plain.size());
    EXPECT_EQ(plain[26], 0x01) << "start display";
    EXPECT_EQ(forced[26], 0x00) << "forced start display";
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i != 26) {
            EXPECT_EQ(forced[i], plain[i]) << i;
        }
    }
}

TEST(SubpictureEncoder, SetColourCommandNamesEachInksPaletteSlot)
{
    const Bytes fields(16, 0x00);
    // A second text colour in slot 4 for value 3, the outline in 1, the text in 5.
    const Bytes unit = SubpictureUnit(fields, 8, 720, 420, 2, 0, 50, FrameRate(25000), 1,
                                      InkSlots{.text = 5, .outline = 1, .antialias = 4});
    // D = 20; the first sequence's commands from 26: start display, then set colour.
    EXPECT_EQ(slice(unit, 27, 3), (Bytes{0x03, 0x41, 0x53})) << "values 3, 2 | 1, 0";
    const Bytes plain = SubpictureUnit(fields, 8, 720, 420, 2, 0, 50, FrameRate(25000), 1);
    EXPECT_EQ(slice(plain, 27, 3), (Bytes{0x03, 0x01, 0x23}));
}

TEST(SubpictureEncoder, FieldsHoldEvenRowsThenOddRows)
{
    QImage image = blueFrame();
    paintWorkedRow(image, 2);
    paintWorkedRow(image, 4);
    const Bytes unit = EncodeSubpicture(image, 2, 3, kColours, 0, 25, FrameRate(25000), 1);
    // Top field: rows 2 and 4 (26 bytes) from offset 6; bottom field: row 3 from 32.
    EXPECT_EQ(slice(unit, 6, 13), kWorkedRow);
    EXPECT_EQ(slice(unit, 19, 13), kWorkedRow);
    EXPECT_EQ(slice(unit, 32, 8), kBackgroundRow);
    // D = 2 + 26 + 8 + 2 = 38; field offsets 6 and 32 in the 0x06 command at D + 20.
    EXPECT_EQ(slice(unit, 38 + 20, 5), (Bytes{0x06, 0x00, 0x06, 0x00, 0x20}));
    // Display area y1 2, y2 4.
    EXPECT_EQ(slice(unit, 38 + 13, 7), (Bytes{0x05, 0x00, 0x02, 0xCF, 0x00, 0x20, 0x04}));
}

TEST(SubpictureEncoder, OddAreaGetsATrailingFillByte)
{
    QImage image = blueFrame();
    paintWorkedRow(image, 0);
    const Bytes unit = EncodeSubpicture(image, 0, 2, kColours, 0, 50, FrameRate(25000), 1);
    // D = 2 + 13 + 8 + 2 = 25 (odd): size D + 33 = 58, ending in two 0xFF.
    ASSERT_EQ(unit.size(), 58u);
    EXPECT_EQ(slice(unit, 0, 4), (Bytes{0x00, 0x3A, 0x00, 0x1B})); // size 58, control at 27
    EXPECT_EQ(slice(unit, 51, 7), (Bytes{0x00, 0xB0, 0x00, 0x33, 0x02, 0xFF, 0xFF}));
}

TEST(SubpictureEncoder, ReadsThe24BitBytesWhateverTheImageFormat)
{
    QImage image = blueFrame();
    paintWorkedRow(image, 10);
    paint(image, 11, 5, 600, kText);
    const Bytes fromRgb32 = EncodeSubpicture(image, 10, 2, kColours, 0, 50, FrameRate(25000), 1);
    const QImage rgb888 = image.convertToFormat(QImage::Format_RGB888);
    const QImage bgr888 = image.convertToFormat(QImage::Format_BGR888);
    EXPECT_EQ(EncodeSubpicture(rgb888, 10, 2, kColours, 0, 50, FrameRate(25000), 1), fromRgb32);
    EXPECT_EQ(EncodeSubpicture(bgr888, 10, 2, kColours, 0, 50, FrameRate(25000), 1), fromRgb32);
}

TEST(SubpictureEncoder, BandRowOutsideTheImageIsRefused)
{
    const QImage image = blueFrame(480);
    auto messageOf = [&](int top, int height) {
        try {
            EncodeSubpicture(image, top, height, kColours, 0, 50, FrameRate(29970), 1);
        } catch (const Error& e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_EQ(messageOf(420, 61), "Scan line index out of range"); // last row 480
    EXPECT_EQ(messageOf(-4, 60), "Scan line index out of range");
    EXPECT_EQ(messageOf(420, 60), QString()); // last row 479 is fine
}

TEST(SubpictureEncoder, UnitAbove65535BytesIsRefusedNamingTheSubtitle)
{
    // One-pixel columns cycling through all four classes: 718 one-nibble codes per row, about
    // 361 bytes a row; 200 rows give some 72 000 bytes. Columns 0 and 1 stay background, as
    // the renderer leaves them.
    QImage image = blueFrame();
    const ColorValue cycle[4] = {kBackgroundBlue, kText, kOutline, kAntialias};
    for (int row = 0; row < 200; ++row)
        for (int x = 2; x < 719; ++x)
            paint(image, row, x, 1, cycle[x % 4]);
    try {
        EncodeSubpicture(image, 0, 200, kColours, 0, 50, FrameRate(25000), 17);
        FAIL() << "a unit above 65535 bytes was accepted";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Subtitle 17 needs ")) << e.message().toStdString();
        EXPECT_TRUE(e.message().endsWith("Please use smaller font.")) << e.message().toStdString();
    }
    // 150 rows fit (about 54 000 bytes).
    EXPECT_LE(EncodeSubpicture(image, 0, 150, kColours, 0, 50, FrameRate(25000), 17).size(),
              65535u);
}

TEST(SubpictureEncoder, ZeroFrameRateIsRefused)
{
    EXPECT_THROW(EncodeSubpicture(blueFrame(), 420, 80, kColours, 0, 50, FrameRate(0), 1), Error);
}
