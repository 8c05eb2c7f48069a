// A line cut into pieces of one font each, shaped for drawing, and the per-thread font cache
// behind them. For the drawing inside render/ only; other code measures through TextShaping.h.
#pragma once

#include "render/RenderSettings.h"
#include "render/TextShaping.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace lumelle {

// A font with its metrics, kept per thread: QFont and QFontMetrics may be used on any thread,
// but not shared between threads while in use.
struct FontEntry
{
    QString name;
    int size;
    FontStyle style;
    QFont font;
    QFontMetrics metrics;
    int ascent;
    int height;
};

// The font of `name` at `style` from this thread's cache; `size` is the font's pixel size. The
// cache keeps a few fonts, the most recently used first.
const FontEntry& fontEntry(const QString& name, int size, FontStyle style);

// A line as it is drawn: its runs of one style each, set side by side. A run is drawn from its
// shaped layout when it has one, else with QPainter::drawText.
struct Piece
{
    QString text;
    const FontEntry* font;
    int width;
    std::unique_ptr<QTextLayout> shaped;
    bool second = false; // drawn in the picture's second text ink
};

// What a line's pieces are made for: measuring alone needs no layout to draw from. Pieces made
// to measure are drawn, if at all, with QPainter::drawText.
enum class PieceUse {
    Measure,
    Draw,
};

struct LinePieces
{
    std::vector<Piece> pieces;
    int width = 0;
    int height = 0;
    int ascent = 0;
};

// `text` as one piece in `f`'s font.
LinePieces plainPieces(const FontEntry& f, const QString& text, PieceUse use);

// The line cut where its style changes; neighbouring stretches of one style are joined, so a
// line of one style is drawn exactly as plain text in that style.
LinePieces styledPieces(const StyledText& styled, const RenderSettings& s, PieceUse use);

// The height a styled line is drawn with: the tallest font among its stretches (a line of one
// style, or an empty one, has its font's height).
int lineHeight(const StyledText& styled, const RenderSettings& s);

} // namespace lumelle
