// The ASS source apart from the converter: any frame size (the full-colour forms draw at
// 1920x1080), libass's images sorted into layers and blended in full colour pixel by pixel,
// the colours of a script written for BT.709 video and the events that show.
#include "ass/AssEventColours.h"
#include "ass/AssSource.h"
#include "vobsub/SubpictureEncoder.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <list>
#include <optional>
#include <set>
#include <tuple>

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

// A chain of libass images built by hand: each a mask of rows at a place, in one colour
// (0xRRGGBBAA, AA the transparency).
struct Drawn
{
    int type;
    int x, y;
    std::uint32_t rgba;
    std::vector<std::vector<unsigned char>> mask;
};
constexpr int kChar = ASS_Image::IMAGE_TYPE_CHARACTER;
constexpr int kOutline = ASS_Image::IMAGE_TYPE_OUTLINE;
constexpr int kShadow = ASS_Image::IMAGE_TYPE_SHADOW;

class Images
{
public:
    explicit Images(const std::vector<Drawn>& drawn)
    {
        for (const Drawn& d : drawn) {
            std::vector<unsigned char>& bitmap = m_bitmaps.emplace_back();
            for (const auto& row : d.mask)
                bitmap.insert(bitmap.end(), row.begin(), row.end());
            ASS_Image image{};
            image.w = int(d.mask.front().size());
            image.h = int(d.mask.size());
            image.stride = image.w;
            image.bitmap = bitmap.data();
            image.color = d.rgba;
            image.dst_x = d.x;
            image.dst_y = d.y;
            image.type = decltype(image.type)(d.type);
            m_images.push_back(image);
        }
        for (std::size_t i = 0; i + 1 < m_images.size(); ++i)
            m_images[i].next = &m_images[i + 1];
    }
    const ASS_Image* first() const { return m_images.empty() ? nullptr : &m_images.front(); }

private:
    std::list<std::vector<unsigned char>> m_bitmaps;
    std::vector<ASS_Image> m_images;
};

// The layers as text, a row each: '.' background, 'o' outline, 'a' antialias, 'T' text.
std::vector<std::string> layerRows(const LayerMasks& masks)
{
    std::vector<std::string> rows;
    for (int y = 0; y < masks.height; ++y) {
        std::string row;
        for (int x = 0; x < masks.width; ++x) {
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            const int layer =
                (masks.lowRow(y)[x / 64] & bit ? 1 : 0) | (masks.highRow(y)[x / 64] & bit ? 2 : 0);
            row += ".oaT"[layer];
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(AssSource, ImagesGoToTheLayerOfTheirKindAndTheirBandAndOpacityFollow)
{
    const ColorValue yellow = makeColor(255, 255, 0), black = 0, grey = makeColor(128, 128, 128);
    const AssInks inks{yellow, black, grey};
    const std::vector<unsigned char> five(5, 255);
    const struct
    {
        QSize frame;
        std::vector<Drawn> images;
        std::vector<std::string> rows;
        AssBand band;
    } cases[] = {
        // A shadow (in the text's yellow: the kind decides, not the colour), an outline over
        // it (in grey), letters over the outline: a pixel is text from half coverage on, an
        // edge from a quarter. Near-black letters take the outline ink (karaoke's second
        // colour); cyan (0x00FFFF, not yellow: libass gives RGB) is nearest the grey. Images
        // are clipped to the frame, their masks read from their own corner.
        {{8, 6},
         {{kShadow, 4, 3, 0xFFFF0000, {five, five}},
          {kOutline, 1, 1, 0x80808000, {five, five, five}},
          {kChar, 1, 2, 0xFFFF0000, {{255, 128, 127, 64, 63}}},
          {kChar, -1, 5, 0x0A0A0A00, {{255, 0, 255}, {255, 255, 255}}},
          {kChar, 3, 5, 0x00FFFF00, {{255, 255}}}},
         {"........", ".ooooo..", ".TTaao..", ".oooooaa", "....aaaa", ".o.aa..."},
         {0, 6, {15, 15, 15}}},
        // Faded images: each layer's opacity is its most opaque image's (outline 145 of 255:
        // 9 of 15, shadow 191: 11, text 127: 7); a mask measured against its layer's opacity
        // is drawn whole.
        {{8, 3},
         {{kOutline, 0, 1, 0x0000006E, {{255, 255}}},
          {kShadow, 2, 1, 0x00000040, {{255, 255}}},
          {kChar, 4, 1, 0xFFFF0080, {{255, 255}}}},
         {"........", "ooaaTT..", "........"},
         {0, 2, {9, 11, 7}}},
        // Beside an opaque letter a half-transparent one is only an edge, and the letters'
        // edges give the antialias layer their opacity; so does a shadow alone. The band
        // starts on the even row above.
        {{8, 4},
         {{kChar, 0, 3, 0xFFFF0000, {{255, 255}}}, {kChar, 2, 3, 0xFFFF0080, {{255, 255}}}},
         {"........", "........", "........", "TTaa...."},
         {2, 2, {0, 15, 15}}},
        {{8, 4},
         {{kShadow, 6, 1, 0x00000020, {{255}, {255}}}},
         {"........", "......a.", "......a.", "........"},
         {0, 3, {0, 13, 0}}},
        // Nothing inside the frame: an empty band, and nothing left of the drawing before.
        {{8, 4},
         {{kChar, 8, 0, 0xFFFF0000, {{255}}}, {kChar, 0, 4, 0xFFFF0000, {{255}}}},
         {"........", "........", "........", "........"},
         {0, 0, {15, 15, 15}}},
        // Past the 64 pixels of a mask word.
        {{70, 1},
         {{kChar, 63, 0, 0xFFFF0000, {{255, 255, 255}}}},
         {std::string(63, '.') + "TTT" + std::string(4, '.')},
         {0, 1, {0, 15, 15}}},
    };
    LayerMasks masks;
    std::vector<std::uint8_t> scratch;
    int n = 0;
    for (const auto& c : cases) {
        // One set of masks for every case: each drawing clears what the one before left.
        const Images images(c.images);
        const AssBand band =
            AssImagesToLayers(images.first(), c.frame, inks, YCBCR_NONE, masks, scratch);
        EXPECT_EQ(layerRows(masks), c.rows) << "case " << n;
        EXPECT_EQ(band.top, c.band.top) << "case " << n;
        EXPECT_EQ(band.height, c.band.height) << "case " << n;
        if (band.height > 0) {
            EXPECT_EQ(band.opacity, c.band.opacity) << "case " << n;
        }
        EXPECT_EQ(masks.colours[0], kBackgroundBlue);
        EXPECT_EQ(masks.colours[1], black);
        EXPECT_EQ(masks.colours[2], grey);
        EXPECT_EQ(masks.colours[3], yellow);
        ++n;
    }
}

TEST(AssSource, ABlurredEdgeWithoutAnOutlineIsSeeThroughNotARing)
{
    const ColorValue white = makeColor(255, 255, 255), black = 0, grey = makeColor(128, 128, 128);
    AssInks inks{white, black, grey};
    inks.blurred = true;
    const std::vector<unsigned char> edge{255, 128, 127, 64, 63, 0};
    const struct
    {
        const char* what;
        std::vector<Drawn> images;
        std::string row;
        std::array<std::uint8_t, 3> opacity;
    } cases[] = {
        // Alone, the edge keeps its place but shows at its own coverage (96 of 255: 6 of 15),
        // less than half, as libass's fading halo is; a faded text fades its edge too.
        {"alone", {{kChar, 0, 0, 0xFFFFFF00, {edge}}}, "TTaa....", {0, 6, 15}},
        {"faded", {{kChar, 0, 0, 0xFFFFFF80, {edge}}}, "TTaa....", {0, 3, 7}},
        // Between the text and an outline it stays the opaque ring.
        {"outlined",
         {{kOutline, 0, 0, 0x00000000, {std::vector<unsigned char>(8, 255)}},
          {kChar, 0, 0, 0xFFFFFF00, {edge}}},
         "TTaaoooo",
         {15, 15, 15}},
        // A shadow holds the antialias layer: a see-through edge would fade it, so the edge
        // keeps the opaque ring, as libass's blend of text and shadow shows it.
        {"shadowed",
         {{kShadow, 3, 0, 0x00000000, {{255, 255, 255, 255}}}, {kChar, 0, 0, 0xFFFFFF00, {edge}}},
         "TTaaaaa.",
         {0, 15, 15}},
        {"shadow beside",
         {{kShadow, 6, 0, 0x00000000, {{255}}}, {kChar, 0, 0, 0xFFFFFF00, {edge}}},
         "TTaa..a.",
         {0, 15, 15}},
    };
    LayerMasks masks;
    std::vector<std::uint8_t> scratch;
    for (const auto& c : cases) {
        const Images images(c.images);
        const AssBand band =
            AssImagesToLayers(images.first(), QSize(8, 1), inks, YCBCR_NONE, masks, scratch);
        EXPECT_EQ(layerRows(masks), std::vector<std::string>{c.row}) << c.what;
        EXPECT_EQ(band.opacity, c.opacity) << c.what;
    }
    // Sharp text keeps the opaque ring with or without an outline.
    inks.blurred = false;
    const Images sharp({{kChar, 0, 0, 0xFFFFFF00, {edge}}});
    EXPECT_EQ(
        AssImagesToLayers(sharp.first(), QSize(8, 1), inks, YCBCR_NONE, masks, scratch).opacity,
        (std::array<std::uint8_t, 3>{0, 15, 15}));
    EXPECT_EQ(layerRows(masks), std::vector<std::string>{"TTaa...."});
}

TEST(AssSource, ImagesBlendInFullColourInsideTheBoxTheyDrawOn)
{
    // Opaque red, half of a blue over it and beside it, and a faded green partly left of the
    // frame: straight blends of the mask's coverage times the colour's opacity.
    const Images images({{kChar, 2, 1, 0xFF000000, {{255, 255}, {255, 255}}},
                         {kOutline, 3, 2, 0x0000FF00, {{128, 128}}},
                         {kShadow, -1, 3, 0x00FF0080, {{255, 255}}}});
    ColourImage image;
    DrawAssColourImage(images.first(), QSize(8, 4), YCBCR_NONE, image);
    EXPECT_EQ(image.box, QRect(0, 1, 5, 3));
    ASSERT_EQ(image.argb.size(), QSize(5, 3));
    std::vector<QRgb> pixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            pixels.push_back(image.argb.pixel(x, y));
    const QRgb none = 0, red = qRgba(255, 0, 0, 255);
    // Blue at 128 of 255 over red: (255 x 127 + 127) / 255 = 127 red, 128 blue, opaque; over
    // nothing, premultiplied: 128 blue at 128 alpha. Green at (255 x 127 + 127) / 255 = 127.
    const QRgb blueOverRed = qRgba(127, 0, 128, 255), blueAlone = qRgba(0, 0, 128, 128);
    const QRgb green = qRgba(0, 127, 0, 127);
    EXPECT_EQ(pixels, (std::vector<QRgb>{none, none, red, red, none,              //
                                         none, none, red, blueOverRed, blueAlone, //
                                         green, none, none, none, none}));

    // On an opaque frame the same images leave it opaque.
    QImage frame(8, 4, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 0));
    BlendAssImages(images.first(), frame, YCBCR_NONE);
    EXPECT_EQ(frame.pixel(4, 2), qRgb(0, 0, 128));
    EXPECT_EQ(frame.pixel(0, 3), qRgb(0, 127, 0));
    EXPECT_EQ(frame.pixel(1, 3), qRgb(0, 0, 0));

    // Nothing inside the frame: an empty box.
    const Images outside({{kChar, 9, 0, 0xFF000000, {{255}}}});
    DrawAssColourImage(outside.first(), QSize(8, 4), YCBCR_NONE, image);
    EXPECT_TRUE(image.box.isEmpty());
}

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
    const struct
    {
        const char* header;
        const char* text;
        ColorValue shown;
    } cases[] = {
        {"", "Red", makeColor(255, 0, 0)},
        {"YCbCr Matrix: TV.601\n", "Red", makeColor(255, 0, 0)},
        {"YCbCr Matrix: None\n", "Red", makeColor(255, 0, 0)},
        // Coded as BT.601 by older renderers, decoded as BT.709 by the player.
        {"YCbCr Matrix: TV.709\n", "Red", makeColor(255, 25, 0)},
        // An override colour is &HBBGGRR&: blue FF, green 80, red 00.
        {"", "{\\c&HFF8000&}Sky", makeColor(0, 128, 255)},
        {"", "{\\1c&H00FFFF&}Yellow", makeColor(255, 255, 0)},
    };
    for (const auto& c : cases) {
        const QByteArray event =
            QByteArray("Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,") + c.text + "\n";
        AssPictureSource source(
            std::make_shared<const AssScript>(scriptOf(c.header, event.constData())),
            AssSourceSettings());
        source.plan([](int, int) {});
        ASSERT_EQ(source.palette().extra.size(), 1u) << c.header << c.text;
        EXPECT_EQ(source.palette().extra[0], c.shown) << c.header << c.text;
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
        // Ends before it starts or as it starts, blank text, a comment: nothing to show.
        {"[Script Info]\nScriptType: v4.00+\n[Events]\n"
         "Dialogue: 0,0:00:02.00,0:00:01.00,Default,,0,0,0,,Back\n"
         "Dialogue: 0,0:00:03.00,0:00:03.00,Default,,0,0,0,,Never\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\i1} \\N\n"
         "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Note\n",
         0},
        // An event whose time libass cannot read ("0:00:10:00", which it would draw from zero)
        // is skipped by the list and not drawn; one the list reads in other letters is, and a
        // line of too few fields before it leaves the next in its place.
        {"[Script Info]\nScriptType: v4.00+\n[Events]\n"
         "Dialogue: 0,0:00:10:00,0:00:12.00,Default,,0,0,0,,Colon\n"
         "Dialogue: 0,0:00:01.00\n"
         "dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Lower\n",
         1},
        // An event of no length inside another does not cut it in two.
        {"[Script Info]\nScriptType: v4.00+\n[Events]\n"
         "Dialogue: 0,0:00:01.00,0:00:04.00,Default,,0,0,0,,Long\n"
         "Dialogue: 0,0:00:02.00,0:00:02.00,Default,,0,0,0,,Never\n",
         1},
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

TEST(AssSource, LettersAskForTheTextAndOutlineColoursOfTheirOverrides)
{
    const AssStyleLook style{0xFFFFFF00u, 0x00000000u, true};
    const std::uint32_t red = 0xFF000000u, green = 0x00A00000u;
    using Runs = std::vector<std::tuple<std::uint32_t, std::optional<std::uint32_t>, std::size_t>>;
    const struct
    {
        const char* text;
        Runs runs;
    } cases[] = {
        {"Plain", {{0xFFFFFF00u, 0u, 5}}},
        // \3c sets the outline, a bare \3c gives the style's back, \r the whole look.
        {"{\\3c&H00A000&}Ab{\\c&H0000FF&}cd{\\3c}e{\\r}f",
         {{0xFFFFFF00u, green, 2}, {red, green, 2}, {red, 0u, 1}, {0xFFFFFF00u, 0u, 1}}},
        // Letters without a border ask for no outline colour; a bare \bord is the style's.
        {"{\\bord0}No {\\bord}yes", {{0xFFFFFF00u, std::nullopt, 2}, {0xFFFFFF00u, 0u, 3}}},
        // A colour inside an animation is not where it starts.
        {"{\\t(\\3c&H00A000&)}x", {{0xFFFFFF00u, 0u, 1}}},
    };
    for (const auto& c : cases) {
        Runs runs;
        for (const AssColourRun& run : AssColourRuns(c.text, style))
            runs.emplace_back(run.text, run.outline, run.letters);
        EXPECT_EQ(runs, c.runs) << c.text;
    }
    EXPECT_EQ(AssColourRuns("{\\bord2}x", {0xFFFFFF00u, 0x00000000u, false}).front().outline,
              std::optional<std::uint32_t>(0u));
}

TEST(AssSource, AScriptsOutlineColourHasItsOwnInkAndBannersMove)
{
    // A yellow sign with a dark-blue outline (&H00602000: blue 0x60, green 0x20), and an SSA
    // banner crossing the frame.
    const auto script = std::make_shared<const AssScript>(scriptOf(
        "PlayResX: 720\nPlayResY: 576\n",
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\c&H00FFFF&\\3c&H602000&}SIGN\n"
        "Dialogue: 0,0:00:03.00,0:00:07.00,Default,,0,0,0,Banner;5,Moving on\n"));
    AssSourceSettings settings;
    settings.picturesPerSecond = 2;
    AssPictureSource source(script, settings);
    source.useForm(PictureForm{});
    source.plan([](int, int) {});
    const ColorValue darkBlue = makeColor(0, 0x20, 0x60);
    const std::vector<ColorValue>& extra = source.palette().extra;
    EXPECT_NE(std::find(extra.begin(), extra.end(), darkBlue), extra.end());
    source.startWorkers(1);
    const TimedPicture sign = source.draw(0, 0);
    EXPECT_EQ(sign.layers->colours[1], darkBlue);
    EXPECT_GT(layerCounts(*sign.layers)[1], 100);

    // The banner is drawn again as it moves: several pictures, each somewhere else.
    ASSERT_GT(source.count(), 4);
    std::set<int> lefts;
    for (int i = 1; i < source.count(); ++i) {
        const LayerMasks& masks = *source.draw(i, 0).layers;
        int left = masks.width;
        for (int y = masks.firstDirty; y <= masks.lastDirty; ++y)
            for (int x = 0; x < masks.width; ++x)
                if ((masks.lowRow(y)[x / 64] | masks.highRow(y)[x / 64]) >> (x % 64) & 1)
                    left = std::min(left, x);
        lefts.insert(left);
    }
    EXPECT_GT(lefts.size(), 3u);
}

TEST(AssSource, BlurredLettersWithoutAnOutlineFadeAtTheirEdge)
{
    // The same words sharp and blurred, with and without an outline; \be blurs as \blur does,
    // and a zero blur is none.
    const auto script = std::make_shared<const AssScript>(
        scriptOf("PlayResX: 720\nPlayResY: 576\n",
                 "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\bord0}Soft words\n"
                 "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,{\\bord0\\blur2}Soft words\n"
                 "Dialogue: 0,0:00:05.00,0:00:06.00,Default,,0,0,0,,{\\bord0\\be2}Soft words\n"
                 "Dialogue: 0,0:00:07.00,0:00:08.00,Default,,0,0,0,,{\\blur2}Soft words\n"
                 "Dialogue: 0,0:00:09.00,0:00:10.00,Default,,0,0,0,,{\\bord0\\blur0}Soft "
                 "words\n"));
    AssPictureSource source(script, AssSourceSettings());
    source.useForm(PictureForm{});
    source.plan([](int, int) {});
    ASSERT_EQ(source.count(), 5);
    source.startWorkers(1);
    const std::array<int, 5> ring{15, 6, 6, 15, 15};
    for (int i = 0; i < 5; ++i) {
        const TimedPicture picture = source.draw(i, 0);
        EXPECT_EQ(picture.opacity[1], ring[std::size_t(i)]) << "picture " << i;
        EXPECT_EQ(picture.opacity[2], 15) << "picture " << i;
        EXPECT_GT(layerCounts(*picture.layers)[3], 200) << "picture " << i;
    }
}

TEST(AssSource, LayersLieWhereTheWriterShowsLibassPicture)
{
    // The DVD encoder shows column x at x - 1: the layers hold each pixel one column right.
    const auto script = std::make_shared<const AssScript>(scriptOf(
        "PlayResX: 720\nPlayResY: 576\n", "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,I\n"));
    const auto firstColumn = [&](int shift) {
        AssPictureSource source(script, AssSourceSettings());
        PictureForm form;
        form.columnShift = shift;
        source.useForm(form);
        source.plan([](int, int) {});
        source.startWorkers(1);
        const LayerMasks& masks = *source.draw(0, 0).layers;
        int left = masks.width;
        for (int y = masks.firstDirty; y <= masks.lastDirty; ++y)
            for (int x = 0; x < masks.width; ++x)
                if ((masks.lowRow(y)[x / 64] | masks.highRow(y)[x / 64]) >> (x % 64) & 1)
                    left = std::min(left, x);
        // What the window shows as the DVD shows it stays in libass's place.
        const QImage& shown = source.drawShown(0).pixels;
        int shownLeft = shown.width();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != qRgb(0, 0, 255))
                    shownLeft = std::min(shownLeft, x);
        return std::pair(left, shownLeft);
    };
    const auto [plainLeft, plainShown] = firstColumn(0);
    const auto [shiftedLeft, shiftedShown] = firstColumn(kCodedColumnShift);
    EXPECT_EQ(shiftedLeft, plainLeft + 1);
    EXPECT_EQ(shiftedShown, plainShown);
    EXPECT_EQ(plainShown, plainLeft);
}
