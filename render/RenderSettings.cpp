#include "render/RenderSettings.h"

#include "subtitle/TextDecoding.h"

#include <array>

// The pictures live in the core library's resources; a static library's resource object is
// linked only when something refers to its initialiser, so the look-ups below call it.
static void initCoreResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace lumelle {

namespace {

struct StyleEntry
{
    const char* name;
    FontStyle style;
};

// List order is part of the settings file: the file stores the index.
const std::array<StyleEntry, 9> kStyles{{
    {"Normal", {}},
    {"Bold", {true, false, false, false}},
    {"Italic", {false, true, false, false}},
    {"Underline", {false, false, true, false}},
    {"Bold+Italic", {true, true, false, false}},
    {"Bold+Under", {true, false, true, false}},
    {"Bold+It+Und", {true, true, true, false}},
    {"Italic+Under", {false, true, true, false}},
    {"StrikeOut", {false, false, false, true}},
}};

constexpr int kFrameWidth = 720;
constexpr int kPalHeight = 576;
constexpr int kNtscHeight = 480;
// Distance kept between a line and a frame edge: 8 pixels to the side, 40 below the offset.
constexpr int kSideMargin = 8;
constexpr int kBottomMargin = 40;

} // namespace

const QStringList& StyleNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const auto& entry : kStyles)
            list << QString::fromLatin1(entry.name);
        return list;
    }();
    return names;
}

const QStringList& CharsetNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const auto& entry : Charsets())
            list << QString::fromLatin1(entry.name);
        return list;
    }();
    return names;
}

const QList<quint8>& CharsetNumbers()
{
    static const QList<quint8> numbers = [] {
        QList<quint8> list;
        for (const auto& entry : Charsets())
            list << entry.number;
        return list;
    }();
    return numbers;
}

const QStringList& FontSizeTexts()
{
    static const QStringList texts = [] {
        QStringList list;
        for (int size = 6; size <= 30; ++size)
            list << QString::number(size);
        for (int size = 32; size <= 50; size += 2)
            list << QString::number(size);
        return list;
    }();
    return texts;
}

const QStringList& OutlineWidthTexts()
{
    static const QStringList texts{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    return texts;
}

const QStringList& AlignNames()
{
    static const QStringList names{QStringLiteral("center"), QStringLiteral("left"),
                                   QStringLiteral("right")};
    return names;
}

const QStringList& FrameRateTexts()
{
    static const QStringList texts{QStringLiteral("23976"), QStringLiteral("24000"),
                                   QStringLiteral("25000"), QStringLiteral("29970"),
                                   QStringLiteral("30000")};
    return texts;
}

FontStyle FontStyleFromName(const QString& name)
{
    for (const auto& entry : kStyles) {
        if (name == QLatin1String(entry.name))
            return entry.style;
    }
    return FontStyle{};
}

quint8 FontCharsetFromName(const QString& name)
{
    for (const auto& entry : Charsets()) {
        if (name == QLatin1String(entry.name))
            return entry.number;
    }
    return kDefaultCharset;
}

VideoStandard VideoStandardFromFps(const QString& fpsText)
{
    return fpsText == QLatin1String("25000") ? VideoStandard::PAL : VideoStandard::NTSC;
}

int frameWidth(VideoStandard)
{
    return kFrameWidth;
}

int frameHeight(VideoStandard standard)
{
    return standard == VideoStandard::PAL ? kPalHeight : kNtscHeight;
}

void EnsureBuiltInPictures()
{
    static const bool registered = (initCoreResources(), true);
    Q_UNUSED(registered);
}

QString PreviewPictureResource(VideoStandard standard)
{
    EnsureBuiltInPictures();
    return standard == VideoStandard::PAL ? QStringLiteral(":/PreviewPal720x576")
                                          : QStringLiteral(":/PreviewNtsc720x480");
}

QString OutputPictureResource(VideoStandard standard)
{
    EnsureBuiltInPictures();
    return standard == VideoStandard::PAL ? QStringLiteral(":/BluePal720x576")
                                          : QStringLiteral(":/BlueNtsc720x480");
}

QImage OutputBackground(VideoStandard standard)
{
    QImage image(frameWidth(standard), frameHeight(standard), QImage::Format_RGB32);
    image.fill(QColor(redOf(kBackgroundBlue), greenOf(kBackgroundBlue), blueOf(kBackgroundBlue)));
    return image;
}

namespace {

int scaled(int length, double scale)
{
    return scale == 1.0 ? length : qRound(length * scale);
}

} // namespace

QSize OutputFrameSize(const RenderSettings& s)
{
    if (s.frame.isValid())
        return s.frame;
    return {frameWidth(s.videoStandard), frameHeight(s.videoStandard)};
}

double FrameScale(const RenderSettings& s)
{
    return s.frame.isValid() ? s.frame.height() / double(kPalHeight) : 1.0;
}

int ScaledLength(const RenderSettings& s, int length)
{
    return scaled(length, FrameScale(s));
}

int FontPixelSize(const RenderSettings& s)
{
    const double scale = FrameScale(s);
    return scale == 1.0 ? PixelSizeForPoints(s.fontSize) : qRound(s.fontSize * 96.0 / 72.0 * scale);
}

int MaxLineWidth(const RenderSettings& s)
{
    // Two side margins and the room of the outline on either side.
    constexpr int kDvdRoom = kFrameWidth - kMaxLineWidth;
    return OutputFrameSize(s).width() - ScaledLength(s, kDvdRoom);
}

int LineX(const QString& align, int frameWidth, int lineWidth, double scale)
{
    if (align == QLatin1String("center"))
        return frameWidth / 2 - lineWidth / 2;
    if (align == QLatin1String("left"))
        return scaled(kSideMargin, scale);
    return frameWidth - lineWidth - scaled(kSideMargin, scale);
}

int FirstLineY(int frameHeight, int h1, int offset, double scale)
{
    return frameHeight - h1 - scaled(kBottomMargin, scale) - scaled(offset, scale);
}

int TopLineY(int offset, double scale)
{
    return scaled(kBottomMargin, scale) + scaled(offset, scale);
}

int LineBelowY(int yAbove, int h, int offset_or)
{
    return yAbove + h - offset_or;
}

int PixelSizeForPoints(int points)
{
    return qRound(points * 96.0 / 72.0);
}

bool DrawnInSecondInk(const RenderSettings& s, const std::optional<ColorValue>& asked)
{
    if (!s.secondText)
        return false;
    if (!asked)
        return s.secondText->plain;
    const ColorValue second = s.secondText->colour;
    if (*asked == second || *asked == s.textColor)
        return *asked == second;
    const auto distance = [&](ColorValue c) {
        const int r = redOf(c) - redOf(*asked), g = greenOf(c) - greenOf(*asked),
                  b = blueOf(c) - blueOf(*asked);
        return r * r + g * g + b * b;
    };
    return distance(second) < distance(s.textColor);
}

} // namespace lumelle
