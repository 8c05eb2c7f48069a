// The settings that decide how a subtitle looks in the frame, the fixed name tables that turn
// the window's list texts into font parameters, the two video standards and the placement of
// a line in the frame.
#pragma once

#include "platform/Colour.h"
#include "settings/SettingsTable.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace lumelle {

enum class VideoStandard { PAL, NTSC };

struct FontStyle
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontStyle&) const = default;
};

// The second text colour of a picture that shows two: it takes the antialias ink, and the
// one-pixel ring round every glyph is drawn in the outline colour instead. `plain`: the text
// that asks for no colour of its own is drawn in it.
struct SecondTextInk
{
    ColorValue colour = 0;
    bool plain = false;

    bool operator==(const SecondTextInk&) const = default;
};

struct RenderSettings
{
    QString fontName = QStringLiteral("Arial");
    int fontSize = 20; // points
    FontStyle fontStyle;
    // The font's GDI character set, "DEFAULT" (1) unless chosen; a subtitle file is read in
    // its code page (TSubtitle::LoadFromFile).
    quint8 charset = 1;
    int outlineWidth = 3;
    QString align = QStringLiteral("center");
    int offset = kOffsetDefault;
    int offset_or = kLineGapDefault;
    ColorValue textColor = makeColor(255, 255, 255);
    ColorValue outlineColor = makeColor(0, 0, 0);
    ColorValue antialiasColor = makeColor(128, 128, 128);
    VideoStandard videoStandard = VideoStandard::PAL;
    // Lines too wide for the frame are broken at a space instead of being refused.
    bool wrapLongLines = false;
    // The frame the output is drawn in; empty: the DVD frame of the video standard. The sizes
    // above (font size, outline width, offsets) and the margins are meant for a 576-row frame
    // and grow or shrink with this frame's height (FrameScale).
    QSize frame;
    // Set for a picture that shows a second text colour.
    std::optional<SecondTextInk> secondText;

    bool operator==(const RenderSettings&) const = default;
};

// True when text asking for `asked` (none: the window's text colour) is drawn in the second
// text ink of `s`: it asks for that colour, or for one nearer to it than to s.textColor.
bool DrawnInSecondInk(const RenderSettings& s, const std::optional<ColorValue>& asked);

// The style list ("Normal", "Bold", ... "StrikeOut") and the character-set list ("ANSI", ...
// "VIETNAMESE") in list order; settings files store indexes into them.
const QStringList& StyleNames();
const QStringList& CharsetNames();
// The GDI character-set number of each entry of CharsetNames(), in the same order.
const QList<quint8>& CharsetNumbers();
// The other fixed lists of the render controls: font sizes "6".."30", "32".."50"; outline
// widths "2", "3", "4"; alignments "center", "left", "right"; frame rates "23976".."30000".
const QStringList& FontSizeTexts();
const QStringList& OutlineWidthTexts();
const QStringList& AlignNames();
const QStringList& FrameRateTexts();

// Exact, case-sensitive look-ups. A name outside the table gives the regular style or
// character set 1 ("DEFAULT").
FontStyle FontStyleFromName(const QString& name);
quint8 FontCharsetFromName(const QString& name);

// "25000" is PAL; every other frame-rate text is NTSC.
VideoStandard VideoStandardFromFps(const QString& fpsText);
int frameWidth(VideoStandard standard);
int frameHeight(VideoStandard standard);

// Registers the built-in pictures with Qt's resource system (done by the two look-ups below
// as well); call it before loading one by a path of your own.
void EnsureBuiltInPictures();
// Built-in pictures as Qt resource paths: ":/PreviewPal720x576", ":/PreviewNtsc720x480",
// ":/BluePal720x576", ":/BlueNtsc720x480".
QString PreviewPictureResource(VideoStandard standard);
QString OutputPictureResource(VideoStandard standard);
// The output background made in code: frame-sized, Format_RGB32, every pixel pure blue. The
// same content as the OutputPictureResource picture, without decoding a file.
QImage OutputBackground(VideoStandard standard);

// The widest line the DVD frame takes is narrower than this.
constexpr int kMaxLineWidth = 680;

// The frame `s` draws in: s.frame, or the DVD frame of its video standard.
QSize OutputFrameSize(const RenderSettings& s);
// How much larger than on a 576-row frame the window's sizes are drawn: the frame's height over
// 576 for a chosen frame, 1 for the DVD frame (whose sizes the window shows as they are).
double FrameScale(const RenderSettings& s);
// A length of the window's (pixels on a 576-row frame) in the frame of `s`, to the nearest pixel.
int ScaledLength(const RenderSettings& s, int length);
// The font's pixel size in the frame of `s`: its points at 96 dots per inch, scaled.
int FontPixelSize(const RenderSettings& s);
// The widest line the frame of `s` takes: the frame's width less the two side margins and the
// room the outline needs (680 pixels on a 720-pixel frame), scaled.
int MaxLineWidth(const RenderSettings& s);

// Placement of a line's text cell (top-left corner) in a frame of frameWidth x frameHeight; the
// margins and the offset are lengths of a 576-row frame, multiplied by `scale`.
// Nothing is clamped: results may lie outside the frame.
int LineX(const QString& align, int frameWidth, int lineWidth, double scale = 1.0);
int FirstLineY(int frameHeight, int h1, int offset, double scale = 1.0);
// The first line of a subtitle placed at the top: its cell starts as far below the top edge as
// a lone bottom line's cell ends above the bottom edge.
int TopLineY(int offset, double scale = 1.0);
// The line under a line at `yAbove` when it is `h` high: offset_or is the gap between them.
int LineBelowY(int yAbove, int h, int offset_or);

// The pixel size of a font of `points` points at 96 dots per inch, to the nearest integer.
int PixelSizeForPoints(int points);

} // namespace lumelle
