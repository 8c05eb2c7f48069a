// Text lines in the renderer's fonts: the font every measurement and drawing uses, a line's
// styled stretches, and the width and height a line is drawn with.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"

#include <QFont>
#include <QString>
#include <vector>

namespace lumelle {

struct LineSize
{
    int width;
    int height;
};

// The font every measurement and drawing uses: the family (fontconfig resolves "Arial" to
// Liberation Sans), the point size as pixels at 96 dpi, the style, and unsmoothed glyphs.
QFont RenderFont(const QString& fontName, int fontSize, FontStyle style);

// Advance width of the whole line and the cell height (ascent + descent) of the font. An empty
// line is measured as one space.
LineSize MeasureText(const QString& text, const QString& fontName, int fontSize, FontStyle style);

// A stretch [begin, end) of a text line drawn in `style` on top of the settings' style.
struct TextRun
{
    qsizetype begin = 0;
    qsizetype end = 0;
    TextStyle style;
};

// One text line with its styled stretches (sorted, not overlapping; the rest of the
// line is plain).
struct StyledText
{
    QString text;
    std::vector<TextRun> runs;
};

// The settings' style with a stretch's own style added (italic in a Bold setting is bold
// italic).
FontStyle CombinedStyle(FontStyle base, TextStyle extra);

// Measures a styled line: the runs are set side by side, each in its own style, so the width
// is the sum of their advances. A line without runs measures as MeasureText does.
LineSize MeasureStyled(const StyledText& line, const RenderSettings& s);

} // namespace lumelle
