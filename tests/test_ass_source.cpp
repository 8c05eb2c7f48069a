// The ASS source apart from the converter: any frame size (the full-colour forms draw at
// 1920x1080), the full-colour blend, and the colours of a script written for BT.709 video.
#include "ass/AssSource.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

AssScript scriptOf(const char* header, const char* events)
{
    return AssScriptOfData(
        QByteArray("[Script Info]\nScriptType: v4.00+\n") + header +
        "\n[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, "
        "Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
        "Encoding\nStyle: Default,DejaVu Sans,40,&H000000FF,&H000000FF,&H00000000,&H00000000,"
        "0,0,0,0,100,100,0,0,1,2,0,5,10,10,20,1\n\n[Events]\nFormat: Layer, Start, End, Style, "
        "Name, MarginL, MarginR, MarginV, Effect, Text\n" +
        events);
}

} // namespace

TEST(AssSource, DrawsAtTheFrameSizeItIsGivenInLayersAndInFullColour)
{
    const auto script = std::make_shared<const AssScript>(
        scriptOf("PlayResX: 1920\nPlayResY: 1080\n",
                 "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\pos(1700,1000)}HD\n"));
    AssSourceSettings settings;
    settings.frame = QSize(1920, 1080);
    AssPictureSource source(script, settings);
    source.plan([](int, int) {});
    ASSERT_EQ(source.count(), 1);
    EXPECT_EQ(source.times(0).start, 25);
    EXPECT_EQ(source.times(0).end, 50);
    source.startWorkers(1);
    const TimedPicture picture = source.draw(0, 0);
    ASSERT_EQ(picture.layers->width, 1920);
    ASSERT_EQ(picture.layers->height, 1080);
    EXPECT_GT(picture.bandTop, 950);
    EXPECT_LT(picture.bandTop + picture.bandHeight, 1050);
    EXPECT_EQ(picture.layers->colours[3], makeColor(255, 0, 0));

    // The same frame blended in full colour: opaque red where the letters are, nothing far
    // from them.
    AssRendering rendering(*script, QSize(1920, 1080));
    QImage argb(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    argb.fill(Qt::transparent);
    BlendAssImages(rendering.render(1500), argb);
    int opaqueRed = 0, strays = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            opaqueRed += p == qRgba(255, 0, 0, 255);
            strays += qAlpha(p) != 0 && (std::abs(x - 1700) > 100 || std::abs(y - 1000) > 60);
        }
    }
    EXPECT_GT(opaqueRed, 150);
    EXPECT_EQ(strays, 0);
}

TEST(AssSource, ColoursOfAScriptForBt709VideoAreShownAsItsViewersSawThem)
{
    const char* event = "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Red\n";
    const struct
    {
        const char* header;
        ColorValue shown;
    } cases[] = {
        {"", makeColor(255, 0, 0)},
        {"YCbCr Matrix: TV.601\n", makeColor(255, 0, 0)},
        {"YCbCr Matrix: None\n", makeColor(255, 0, 0)},
        // Coded as BT.601 by older renderers, decoded as BT.709 by the player.
        {"YCbCr Matrix: TV.709\n", makeColor(255, 25, 0)},
    };
    for (const auto& c : cases) {
        AssPictureSource source(std::make_shared<const AssScript>(scriptOf(c.header, event)),
                                AssSourceSettings());
        source.plan([](int, int) {});
        ASSERT_EQ(source.palette().extra.size(), 1u) << c.header;
        EXPECT_EQ(source.palette().extra[0], c.shown) << c.header;
    }
}

TEST(AssSource, ScriptsWrittenLooselyStillGiveTheirPictures)
{
    const struct
    {
        const char* text;
        int pictures;
    } cases[] = {
        // No ScriptType and no styles section: read as ASS with the default style.
        {"[Script Info]\n[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,NoStyle,,0,0,0,,Hello\n", 1},
        {"[Script Info]\nTitle: nothing yet\n", 0},
        // Ends before it starts, blank text, a comment: nothing to show.
        {"[Script Info]\nScriptType: v4.00+\n[Events]\n"
         "Dialogue: 0,0:00:02.00,0:00:01.00,Default,,0,0,0,,Back\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\i1} \\N\n"
         "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Note\n",
         0},
    };
    for (const auto& c : cases) {
        AssPictureSource source(std::make_shared<const AssScript>(AssScriptOfData(c.text)),
                                AssSourceSettings());
        source.plan([](int, int) {});
        EXPECT_EQ(source.count(), c.pictures) << c.text;
    }
}

TEST(AssSource, LettersKeepTheirShapeWhateverPlayResTheScriptWasWrittenFor)
{
    // The width and height of the drawn "O" (no outline), from its layers.
    const auto sizeOfO = [](int playX, int playY) {
        const QByteArray header =
            QStringLiteral("PlayResX: %1\nPlayResY: %2\n").arg(playX).arg(playY).toLatin1();
        const QByteArray event = QStringLiteral("Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,"
                                                ",{\\bord0\\fs%1}O\n")
                                     .arg(playY / 3)
                                     .toLatin1();
        AssPictureSource source(
            std::make_shared<const AssScript>(scriptOf(header.constData(), event.constData())),
            AssSourceSettings());
        source.plan([](int, int) {});
        source.startWorkers(1);
        const LayerMasks& masks = *source.draw(0, 0).layers;
        int left = masks.width, right = -1, top = masks.height, bottom = -1;
        for (int y = 0; y < masks.height; ++y) {
            for (int x = 0; x < masks.width; ++x) {
                const std::uint64_t bit = std::uint64_t(1) << (x % 64);
                if ((masks.lowRow(y)[x / 64] & bit) && (masks.highRow(y)[x / 64] & bit)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
            }
        }
        return QSize(right - left + 1, bottom - top + 1);
    };
    const QSize own = sizeOfO(720, 576);
    ASSERT_GT(own.height(), 100);
    // A 4:3 and a 16:9 script on the 5:4 PAL frame: the same shape (a pixel of tolerance).
    for (const QSize play : {QSize(640, 480), QSize(1920, 1080)}) {
        const QSize other = sizeOfO(play.width(), play.height());
        EXPECT_NEAR(other.width(), own.width(), 2) << play.width();
        EXPECT_NEAR(other.height(), own.height(), 2) << play.width();
    }
}

namespace {

// How many pixels of each layer (0..3) a picture's masks hold.
std::array<int, 4> layerCounts(const LayerMasks& m)
{
    std::array<int, 4> n{0, 0, 0, 0};
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            ++n[((m.lowRow(y)[x / 64] & bit) ? 1 : 0) | ((m.highRow(y)[x / 64] & bit) ? 2 : 0)];
        }
    return n;
}

} // namespace

TEST(AssSource, ASecondTextColourTakesTheAntialiasInkAndBlackTextKeepsItsOwn)
{
    // The style's text is red (&H000000FF); one event colours its first word white, one is
    // black without an outline.
    const auto script = std::make_shared<const AssScript>(
        scriptOf("PlayResX: 720\nPlayResY: 576\n",
                 "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\c&HFFFFFF&}White{\\c} "
                 "and the rest red\n"
                 "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,{\\c&H000000&\\bord0}Black "
                 "words\n"));
    AssSourceSettings settings;
    AssPictureSource source(script, settings);
    source.plan([](int, int) {});
    EXPECT_TRUE(source.notes().isEmpty()) << source.notes().join("\n").toStdString();
    ASSERT_EQ(source.count(), 2);
    source.startWorkers(1);
    const TimedPicture two = source.draw(0, 0);
    EXPECT_EQ(two.layers->colours[3], makeColor(255, 0, 0)) << "most letters keep the text ink";
    EXPECT_EQ(two.layers->colours[2], makeColor(255, 255, 255)) << "the second colour";
    const std::array<int, 4> twoCounts = layerCounts(*two.layers);
    EXPECT_GT(twoCounts[2], 200);
    EXPECT_GT(twoCounts[3], twoCounts[2]);
    EXPECT_EQ(source.palette().extra, (std::vector<ColorValue>{makeColor(255, 0, 0)}));

    const TimedPicture black = source.draw(1, 0);
    EXPECT_EQ(black.layers->colours[3], makeColor(0, 0, 0));
    EXPECT_GT(layerCounts(*black.layers)[3], 300);
    EXPECT_EQ(black.opacity[2], 15) << "the text shows wholly";
}
