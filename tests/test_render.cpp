// The subtitle image: placement of the lines, the band, the four colours, the rings around the
// glyphs, and the one-draw outline against drawing the line at every offset.
#include "TwoLines.h"
#include "render/BlockLayout.h"
#include "render/LayerRenderer.h"
#include "render/TextShaping.h"

#include <QFontInfo>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

using namespace lumelle;
using lumelle::testing::MeasureUtf8;
using lumelle::testing::RenderTwoLines;

namespace {

constexpr QRgb kBlue = 0xFF0000FF;

QRgb rgbOf(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// The outline drawn the plain way: the line drawn in the outline colour at every offset of the
// (2w+1) square, in the antialias colour at every offset of the 3 x 3 square, then once in the
// text colour.
void drawAtEveryOffset(QImage& surface, const QString& text, int x, int y, const RenderSettings& s)
{
    const QFont font = RenderFont(s.fontName, s.fontSize, s.fontStyle);
    const int ascent = QFontMetrics(font).ascent();
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    auto pass = [&](ColorValue colour, int radius) {
        painter.setPen(QColor(rgbOf(colour)));
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                painter.drawText(QPoint(x + dx, y + dy + ascent), text);
    };
    pass(s.outlineColor, s.outlineWidth);
    pass(s.antialiasColor, 1);
    pass(s.textColor, 0);
}

QImage blueFrame(int w = 720, int h = 576)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBlue);
    return image;
}

// Pixel positions where two images differ, for a readable failure.
QString firstDifferences(const QImage& a, const QImage& b)
{
    QStringList out;
    for (int y = 0; y < a.height() && out.size() < 5; ++y)
        for (int x = 0; x < a.width() && out.size() < 5; ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out << QStringLiteral("(%1,%2): %3 vs %4")
                           .arg(x)
                           .arg(y)
                           .arg(a.pixel(x, y), 8, 16)
                           .arg(b.pixel(x, y), 8, 16);
    return out.join(QStringLiteral("; "));
}

std::set<QRgb> coloursOf(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        colours.insert(line, line + image.width());
    }
    return colours;
}

constexpr TextStyle kItalicRun{true, false, false};
constexpr TextStyle kBoldRun{false, true, false};
constexpr TextStyle kUnderlineRun{false, false, true};

RenderSettings distinctColours()
{
    RenderSettings s;
    s.textColor = makeColor(255, 230, 20);
    s.antialiasColor = makeColor(127, 127, 127);
    s.outlineColor = makeColor(0, 30, 0);
    return s;
}

} // namespace

TEST(RenderFont, ArialResolvesToLiberationSansAtNinetySixDpi)
{
    const QFont font = RenderFont(QStringLiteral("Arial"), 20, {});
    EXPECT_EQ(font.pixelSize(), 27);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    const QFont styled = RenderFont(QStringLiteral("Arial"), 6, FontStyleFromName("Bold+It+Und"));
    EXPECT_EQ(styled.pixelSize(), 8);
    EXPECT_TRUE(styled.bold() && styled.italic() && styled.underline() && !styled.strikeOut());
}

TEST(MeasureText, HeightIsTheCellAndEmptyLineIsASpace)
{
    const QFont font = RenderFont(QStringLiteral("Arial"), 20, {});
    const QFontMetrics metrics(font);
    const LineSize empty = MeasureText(QString::fromStdString(""), QStringLiteral("Arial"), 20, {});
    EXPECT_EQ(empty.height, metrics.ascent() + metrics.descent());
    EXPECT_EQ(empty.width,
              MeasureText(QString::fromStdString(" "), QStringLiteral("Arial"), 20, {}).width);
    EXPECT_GT(empty.width, 0);
    // Every line of a font has the same height, whatever its letters.
    EXPECT_EQ(MeasureText(QString::fromStdString("gyp"), QStringLiteral("Arial"), 20, {}).height,
              empty.height);
}

TEST(MeasureText, WidthsOfKnownAdvancesSoThe680LimitIsMeasurable)
{
    // Liberation Sans (Arial's metrics) at 27 pixels: "0" advances 1139/2048 em, "l" 455/2048
    // and the space 569/2048, that is 961, 383 and 480 sixty-fourths of a pixel. The line's
    // width is the sum of those, rounded to whole pixels.
    auto width = [](const std::string& text) {
        return MeasureText(QString::fromStdString(text), QStringLiteral("Arial"), 20, {}).width;
    };
    EXPECT_EQ(width("0"), 15);
    EXPECT_EQ(width(std::string(10, '0')), 150);              // 9610/64 = 150.16
    EXPECT_EQ(width(std::string(40, '0')), 601);              // 38440/64 = 600.63
    EXPECT_EQ(width(std::string(42, '0') + "llllllll"), 679); // 43426/64 = 678.53
    // 40 zeros, 2 l and 9 spaces: 43526/64 = 680.09, the first width that is too wide.
    EXPECT_EQ(width("0000 0000 0000 0000 0000 0000 0000 0000 0000 0000ll"), 680);
    // The size is in points at 96 dpi: 40 points is 53 pixels, about twice as wide.
    EXPECT_EQ(
        MeasureText(QString::fromStdString("0000000000"), QStringLiteral("Arial"), 40, {}).width,
        295);
}

TEST(DrawOutlinedText, EqualsDrawingTheLineAtEveryOffset)
{
    struct Case
    {
        const char* text;
        const char* style;
        int size;
        int outline;
        int x, y;
    };
    const Case cases[] = {
        {"Ostravel.", "Normal", 20, 3, 200, 470},
        {"Ostra Valley", "Bold", 20, 2, 180, 505},
        {"Jy\xc3\xa9g, quick fox!", "Italic", 24, 4, 100, 300},
        {"Underlined words", "Underline", 18, 3, 40, 100},
        {"Bold italic", "Bold+Italic", 30, 4, 300, 200},
        {"Bold under", "Bold+Under", 14, 2, 10, 20},
        {"All three", "Bold+It+Und", 50, 4, 120, 400},
        {"Italic under", "Italic+Under", 8, 3, 600, 50},
        {"Struck out", "StrikeOut", 20, 4, 250, 250},
        // Cut off at every edge of the frame, including negative positions.
        {"Cut at the left edge", "Italic", 20, 4, -60, 10},
        {"Cut at the right edge", "Bold+It+Und", 26, 3, 560, 560},
        {"Above the top", "StrikeOut", 20, 4, 300, -20},
        {"\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac "
         "\xd0\xa0\xd1\x83\xd1\x81\xd1\x81\xd0\xba\xd0\xb8\xd0\xb9",
         "Normal", 22, 3, 50, 350},
        {"\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a \xd7\xa2\xd7\x91\xd7\xa8\xd7\x99\xd7\xaa", "Bold", 22, 3,
         150, 150},
    };
    for (const Case& c : cases) {
        RenderSettings s = distinctColours();
        s.fontSize = c.size;
        s.fontStyle = FontStyleFromName(QString::fromLatin1(c.style));
        s.outlineWidth = c.outline;
        QImage fast = blueFrame();
        QImage plain = blueFrame();
        DrawOutlinedText(fast, QString::fromUtf8(c.text), c.x, c.y, s);
        drawAtEveryOffset(plain, QString::fromUtf8(c.text), c.x, c.y, s);
        EXPECT_TRUE(fast == plain) << c.text << ": " << firstDifferences(fast, plain).toStdString();
        EXPECT_NE(fast, blueFrame()) << c.text;
    }
}

TEST(DrawOutlinedText, EqualsDrawingAtEveryOffsetForOtherFontsSizesAndPlaces)
{
    // Fixed pseudo-random cases over the installed families, every style, sizes from the
    // smallest to the largest and places that cut the line at every frame edge.
    const QStringList families{"Arial",           "DejaVu Sans", "DejaVu Serif", "Liberation Serif",
                               "Liberation Mono", "Default"};
    const std::string texts[] = {"Quick brown fox",
                                 "Wait... what?!",
                                 "MMMM iiii",
                                 "\xc3\x85ngstr\xc3\xb6m \xc3\x87"
                                 "a",
                                 "(1/2) [x] {y}",
                                 "f"};
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % std::uint32_t(n));
    };
    int drawn = 0;
    for (int i = 0; i < 36; ++i) {
        RenderSettings s = distinctColours();
        s.fontName = families[i % families.size()];
        s.fontStyle = FontStyleFromName(StyleNames()[next(StyleNames().size())]);
        s.fontSize = FontSizeTexts()[next(FontSizeTexts().size())].toInt();
        s.outlineWidth = 2 + next(3);
        const std::string& text = texts[next(6)];
        const int x = next(800) - 60;
        const int y = next(560) - 40;
        QImage fast = blueFrame(720, 480);
        QImage plain = blueFrame(720, 480);
        DrawOutlinedText(fast, QString::fromStdString(text), x, y, s);
        drawAtEveryOffset(plain, QString::fromStdString(text), x, y, s);
        EXPECT_TRUE(fast == plain)
            << s.fontName.toStdString() << " " << s.fontSize << " " << text << " at " << x << ","
            << y << ": " << firstDifferences(fast, plain).toStdString();
        drawn += fast != blueFrame(720, 480);
    }
    EXPECT_GE(drawn, 28) << "most cases draw inside the frame";
}

TEST(RenderSubtitleBlock, EqualsPlainDrawingOfBothLinesSecondOverFirst)
{
    // No gap between the lines and a wide outline: the second line's outline and ring paint
    // over the first line's descenders.
    RenderSettings s = distinctColours();
    s.offset_or = 0;
    s.outlineWidth = 4;
    const std::string line1 = "gjqpy descenders";
    const std::string line2 = "\xc3\x89\xc3\x85\xc3\x8a TALL \xc3\x80\xc3\x94";
    SubtitleImage image;
    RenderTwoLines(image, line1, line2, s);

    const LineSize size1 = MeasureUtf8(line1, s);
    const LineSize size2 = MeasureUtf8(line2, s);
    QImage plain = blueFrame();
    const int y1 = FirstLineY(576, size1.height, s.offset);
    const int y2 = LineBelowY(y1, size2.height, s.offset_or);
    drawAtEveryOffset(plain, QString::fromUtf8(line1), LineX("center", 720, size1.width), y1, s);
    drawAtEveryOffset(plain, QString::fromUtf8(line2), LineX("center", 720, size2.width), y2, s);
    EXPECT_TRUE(image.pixels == plain) << firstDifferences(image.pixels, plain).toStdString();

    // The overlap really happened: pixels of the first line's drawing were painted over by
    // the second line.
    QImage firstOnly = blueFrame();
    drawAtEveryOffset(firstOnly, QString::fromStdString(line1), LineX("center", 720, size1.width),
                      y1, s);
    int covered = 0;
    for (int y = 0; y < 576; ++y)
        for (int x = 0; x < 720; ++x)
            if (firstOnly.pixel(x, y) != kBlue && image.pixels.pixel(x, y) != firstOnly.pixel(x, y))
                ++covered;
    EXPECT_GT(covered, 0);
}

// The text-coloured pixels of a drawing.
QImage textPixels(const QImage& surface, const RenderSettings& s)
{
    QImage mask(surface.size(), QImage::Format_Alpha8);
    mask.fill(0);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == rgbOf(s.textColor))
                mask.setPixel(x, y, qRgba(0, 0, 0, 255));
    return mask;
}

// A styled line as the renderer draws it, the plain way: the stretches between and in the
// runs, each measured with QFontMetrics and drawn with QPainter::drawText at the pen, the pen
// moved by the measured width, the line placed in a 720 x 576 frame by the measured sum as a
// first line. The glyph pixels go to `mask`; returns the measured width.
int drawSideBySide(const StyledText& line, const RenderSettings& s, QImage& mask)
{
    std::vector<std::pair<QString, FontStyle>> stretches;
    qsizetype at = 0;
    for (const TextRun& run : line.runs) {
        stretches.emplace_back(line.text.mid(at, run.begin - at), s.fontStyle);
        stretches.emplace_back(line.text.mid(run.begin, run.end - run.begin),
                               CombinedStyle(s.fontStyle, run.style));
        at = run.end;
    }
    stretches.emplace_back(line.text.mid(at), s.fontStyle);
    int width = 0, ascent = 0, height = 0;
    for (const auto& [text, style] : stretches) {
        const QFontMetrics metrics(RenderFont(s.fontName, s.fontSize, style));
        width += metrics.horizontalAdvance(text);
        ascent = std::max(ascent, metrics.ascent());
        height = std::max(height, metrics.ascent() + metrics.descent());
    }
    mask = QImage(720, 576, QImage::Format_Alpha8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(Qt::black);
    int x = LineX(s.align, 720, width);
    const int baseline = FirstLineY(576, height, s.offset) + ascent;
    for (const auto& [text, style] : stretches) {
        const QFont font = RenderFont(s.fontName, s.fontSize, style);
        painter.setFont(font);
        painter.drawText(QPoint(x, baseline), text);
        x += QFontMetrics(font).horizontalAdvance(text);
    }
    return width;
}

TEST(DrawSubtitleBlock, StyledLineIsItsRunsMeasuredAndDrawnSideBySide)
{
    // Lines that start right to left, runs in scripts drawn from other fonts, trailing spaces
    // (they count in the width), a tab, an underlined run, and a long line of many runs.
    std::vector<StyledText> lines = {
        {QString::fromUtf8("Plain start, italic middle, bold end  "),
         {{13, 26, kItalicRun}, {28, 36, kBoldRun}}},
        {QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d and \xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a "
                           "then Latin"),
         {{8, 14, kItalicRun}}},
        {QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e \xe0\xb9\x84\xe0\xb8\x97\xe0\xb8"
                           "\xa2 \xed\x95\x9c\xea\xb5\xad\xec\x96\xb4 mixed"),
         {{4, 7, kBoldRun}}},
        {QStringLiteral("Tab\there, underlined run, plain"), {{10, 20, kUnderlineRun}}},
    };
    StyledText longLine{QStringLiteral("Wavy lines ").repeated(400), {}};
    for (qsizetype at = 0; at + 4 < longLine.text.size(); at += 22)
        longLine.runs.push_back({at, at + 4, at % 44 ? kItalicRun : kBoldRun});
    lines.push_back(longLine);
    for (const StyledText& line : lines) {
        RenderSettings s = distinctColours();
        s.fontSize = 30;
        QImage drawn = blueFrame();
        ASSERT_TRUE(DrawSubtitleBlock(drawn, {line, StyledText()}, 0, s, QSize(720, 576)));
        QImage expected;
        const int width = drawSideBySide(line, s, expected);
        const QImage got = textPixels(drawn, s);
        const std::string shown = line.text.left(40).toStdString();
        EXPECT_TRUE(got == expected)
            << shown << ": " << firstDifferences(got, expected).toStdString();
        QImage empty(720, 576, QImage::Format_Alpha8);
        empty.fill(0);
        EXPECT_NE(got, empty) << shown;
        EXPECT_EQ(MeasureStyled(line, s).width, width) << shown;
    }
}

TEST(RenderSubtitleBlock, HoldsOnlyBlueAndTheThreeColoursForEveryStyleAndOutline)
{
    for (const QString& style : StyleNames()) {
        for (int outline : {2, 3, 4}) {
            RenderSettings s = distinctColours();
            s.fontStyle = FontStyleFromName(style);
            s.outlineWidth = outline;
            SubtitleImage image;
            RenderTwoLines(image, "Wolves & jaguars, 1984!", "\xc3\x89t\xc3\xa9 \xc3\xa0 Paris", s);
            const std::set<QRgb> expected{kBlue, rgbOf(s.textColor), rgbOf(s.antialiasColor),
                                          rgbOf(s.outlineColor)};
            EXPECT_EQ(coloursOf(image.pixels), expected) << style.toStdString() << " " << outline;
            EXPECT_EQ(image.pixels.format(), QImage::Format_RGB32);
        }
    }
}

TEST(RenderSubtitleBlock, RingsAroundAVerticalStroke)
{
    // The middle row of a capital I crosses one vertical stroke: outline ring of w - 1 pixels,
    // one antialias pixel, the stroke in text colour, one antialias pixel, the outline ring.
    for (int w : {2, 3, 4}) {
        RenderSettings s = distinctColours();
        s.outlineWidth = w;
        SubtitleImage image;
        RenderTwoLines(image, "I", "", s);
        const LineSize size = MeasureUtf8("I", s);
        const int y1 = FirstLineY(576, size.height, s.offset);
        const int row = y1 + size.height / 2;
        QString pattern;
        for (int x = 0; x < 720; ++x) {
            const QRgb p = image.pixels.pixel(x, row);
            pattern += p == kBlue                     ? QLatin1Char('.')
                       : p == rgbOf(s.textColor)      ? QLatin1Char('T')
                       : p == rgbOf(s.antialiasColor) ? QLatin1Char('a')
                       : p == rgbOf(s.outlineColor)   ? QLatin1Char('o')
                                                      : QLatin1Char('?');
        }
        const QString trimmed = QString(pattern).remove(QLatin1Char('.'));
        const QString ring = QString(w - 1, QLatin1Char('o')) + QLatin1Char('a');
        const QString ringAfter = QLatin1Char('a') + QString(w - 1, QLatin1Char('o'));
        ASSERT_TRUE(trimmed.startsWith(ring)) << trimmed.toStdString();
        ASSERT_TRUE(trimmed.endsWith(ringAfter)) << trimmed.toStdString();
        const QString stroke = trimmed.mid(ring.size(), trimmed.size() - 2 * ring.size());
        EXPECT_GE(stroke.size(), 2);
        EXPECT_EQ(stroke, QString(stroke.size(), QLatin1Char('T'))) << trimmed.toStdString();
        // One unbroken run, centred on the frame as the line is.
        EXPECT_EQ(pattern.indexOf(trimmed), pattern.indexOf(QLatin1Char('o')));
    }
}

TEST(RenderSubtitleBlock, BandStartsOnAnEvenRowAndCoversBothLines)
{
    RenderSettings s;
    const int h = MeasureUtf8("", s).height;
    SubtitleImage image;
    // Choose the offset that puts y1 on 475 and on 476.
    s.offset = 576 - h - 40 - 475;
    RenderTwoLines(image, "Odd", "row", s);
    EXPECT_EQ(image.bandTop, 474);
    EXPECT_EQ(image.bandHeight, h + h + 4 + 6);
    s.offset -= 1;
    RenderTwoLines(image, "Even", "row", s);
    EXPECT_EQ(image.bandTop, 476);
    s.offset_or = 0;
    RenderTwoLines(image, "Even", "row", s);
    EXPECT_EQ(image.bandHeight, h + h + 6);

    // A one-line subtitle keeps the band of two lines and sits at y1.
    s = RenderSettings{};
    SubtitleImage one, two;
    RenderTwoLines(one, "Same first line", "", s);
    RenderTwoLines(two, "Same first line", "second", s);
    EXPECT_EQ(one.bandTop, two.bandTop);
    EXPECT_EQ(one.bandHeight, two.bandHeight);
    const int y1 = FirstLineY(576, h, s.offset);
    for (int y = 0; y < y1 + h + s.outlineWidth; ++y)
        for (int x = 0; x < 720; ++x)
            ASSERT_EQ(one.pixels.pixel(x, y), two.pixels.pixel(x, y)) << x << "," << y;
}

TEST(RenderSubtitleBlock, BandLeavingTheFrameIsMovedInsideKeepingTheTopEven)
{
    RenderSettings s;
    SubtitleImage image;
    // Large letters at the default place would run past the last row: moved up by whole pairs
    // of rows until the band ends inside.
    s.fontSize = 50;
    const int h = MeasureUtf8("", s).height;
    ASSERT_TRUE(RenderTwoLines(image, "Big", "Letters", s));
    const int y1 = 576 - h - 40 - s.offset;
    const int top = y1 - (y1 & 1);
    ASSERT_GT(top + 2 * h + 4 + 6, 576);
    EXPECT_EQ(image.bandHeight, 2 * h + 4 + 6);
    EXPECT_EQ(image.bandTop % 2, 0);
    EXPECT_LE(image.bandTop + image.bandHeight, 576);
    EXPECT_GE(image.bandTop + image.bandHeight, 575);

    // NTSC with the lines pushed above the top: moved down to row 0, whole.
    s.videoStandard = VideoStandard::NTSC;
    s.offset = 492;
    ASSERT_TRUE(RenderTwoLines(image, "High", "up", s));
    EXPECT_EQ(image.pixels.height(), 480);
    EXPECT_EQ(image.bandTop, 0);
    EXPECT_EQ(image.bandHeight, 2 * h + 4 + 6);

    // A block taller than the frame is not drawn.
    const std::vector<StyledText> tall(12, lumelle::testing::PlainLine("LINE"));
    EXPECT_FALSE(RenderSubtitleBlock(image, tall, 0, s));
    EXPECT_FALSE(BlockFitsFrame(tall, s));
    EXPECT_TRUE(BlockFitsFrame({tall[0], tall[1]}, s));
}

TEST(RenderSubtitleBlock, EmptyLinesLeaveTheFrameBlueWithABand)
{
    RenderSettings s;
    SubtitleImage image;
    RenderTwoLines(image, "", "", s);
    const int h = MeasureUtf8("", s).height;
    EXPECT_EQ(coloursOf(image.pixels), std::set<QRgb>{kBlue});
    EXPECT_EQ(image.bandHeight, 2 * h + 4 + 6);
    // An underlined style draws no stroke for an empty line either.
    s.fontStyle = FontStyleFromName("Underline");
    RenderTwoLines(image, "", "", s);
    EXPECT_EQ(coloursOf(image.pixels), std::set<QRgb>{kBlue});
}

TEST(RenderSubtitleBlock, ReusedImageKeepsNothingOfTheLastSubtitle)
{
    RenderSettings s;
    SubtitleImage reused;
    RenderTwoLines(reused, "A first subtitle, rather long", "with two lines", s);
    const uchar* buffer = reused.pixels.constBits();
    RenderTwoLines(reused, "Short", "", s);
    EXPECT_EQ(reused.pixels.constBits(), buffer) << "the buffer is reused";
    SubtitleImage fresh;
    RenderTwoLines(fresh, "Short", "", s);
    EXPECT_TRUE(reused.pixels == fresh.pixels);

    // Someone else drew on the picture (the window shows it, a test marks it): the next call
    // still starts from an all-blue frame.
    {
        QPainter painter(&reused.pixels);
        painter.fillRect(0, 0, 50, 50, Qt::red);
    }
    reused.pixels.setPixel(700, 570, qRgb(1, 2, 3));
    RenderTwoLines(reused, "Short", "", s);
    EXPECT_TRUE(reused.pixels == fresh.pixels);

    // A shared copy is left as it was.
    const QImage shown = reused.pixels;
    RenderTwoLines(reused, "Different", "text", s);
    EXPECT_TRUE(shown == fresh.pixels);
    EXPECT_FALSE(reused.pixels == fresh.pixels);

    // Switching the standard gives a frame of the other size.
    s.videoStandard = VideoStandard::NTSC;
    RenderTwoLines(reused, "Short", "", s);
    EXPECT_EQ(reused.pixels.size(), QSize(720, 480));
}

TEST(DrawOutlinedText, DrawsOnPicturesOfOtherFormats)
{
    RenderSettings s = distinctColours();
    QImage rgb888(720, 480, QImage::Format_RGB888);
    rgb888.fill(Qt::darkGreen);
    DrawOutlinedText(rgb888, QStringLiteral("Preview"), 100, 300, s);
    QImage expected(720, 480, QImage::Format_RGB32);
    expected.fill(Qt::darkGreen);
    drawAtEveryOffset(expected, QStringLiteral("Preview"), 100, 300, s);
    EXPECT_EQ(rgb888.format(), QImage::Format_RGB32);
    EXPECT_TRUE(rgb888 == expected) << firstDifferences(rgb888, expected).toStdString();
}

// With two text inks the glyphs of the stretch asking for the second colour are drawn in it and
// the rest in the text colour; together they are exactly the glyphs of the stretches drawn side
// by side, and the layers hold what the pixels show.
TEST(RenderSubtitleBlock, SecondInkStretchTakesItsColourAndKeepsTheGlyphs)
{
    RenderSettings one = distinctColours();
    one.outlineWidth = 2;
    const ColorValue green = makeColor(40, 220, 60);
    RenderSettings two = one;
    two.secondText = SecondTextInk{green, false};
    // The asked-for stretch in the middle, so that text lies on both sides of it.
    const QString text = QStringLiteral("left GREEN WORDS right");
    const qsizetype begin = text.indexOf(QStringLiteral("GREEN"));
    const qsizetype end = begin + QStringLiteral("GREEN WORDS").size();
    TextStyle asked;
    asked.colour = green;
    const StyledText line{text, {TextRun{begin, end, asked}}};
    const std::vector<StyledText> lines{line, StyledText{}};

    QImage glyphs;
    drawSideBySide(line, one, glyphs);
    SubtitleImage inked;
    ASSERT_TRUE(RenderSubtitleBlock(inked, lines, 0, two));
    const QRgb textRgb = rgbOf(one.textColor), greenRgb = rgbOf(green);
    int firstGreen = 720, lastGreen = -1, texts = 0, greens = 0;
    for (int y = 0; y < 576; ++y) {
        for (int x = 0; x < 720; ++x) {
            const QRgb p = inked.pixels.pixel(x, y);
            ASSERT_EQ(qAlpha(glyphs.pixel(x, y)) != 0, p == textRgb || p == greenRgb)
                << "glyph pixels differ at " << x << "," << y;
            if (p == greenRgb) {
                ++greens;
                firstGreen = std::min(firstGreen, x);
                lastGreen = std::max(lastGreen, x);
            }
            texts += p == textRgb ? 1 : 0;
            // Layer 3 text, layer 2 the second ink (in the ring's place), as painted.
            const int layer = int((inked.masks.lowRow(y)[x / 64] >> (x % 64)) & 1) |
                              int((inked.masks.highRow(y)[x / 64] >> (x % 64)) & 1) << 1;
            ASSERT_EQ(inked.masks.colours[layer] == green, p == greenRgb) << x << "," << y;
            ASSERT_EQ(layer == 3, p == textRgb) << x << "," << y;
        }
    }
    EXPECT_GT(greens, 100);
    EXPECT_GT(texts, 100);
    // Text pixels on both sides of the green stretch, none inside its columns.
    int textLeft = 0, textRight = 0, textInside = 0;
    for (int y = 0; y < 576; ++y) {
        for (int x = 0; x < 720; ++x) {
            if (inked.pixels.pixel(x, y) != textRgb)
                continue;
            (x < firstGreen ? textLeft : x > lastGreen ? textRight : textInside) += 1;
        }
    }
    EXPECT_GT(textLeft, 0);
    EXPECT_GT(textRight, 0);
    EXPECT_EQ(textInside, 0);
}
