#include "render/TextShaping.h"

#include "render/ShapedLine.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace lumelle {

namespace {

QFont renderFontPixels(const QString& fontName, int pixelSize, FontStyle style)
{
    QFont font(fontName);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    // Two-level glyphs: the only colours in a drawing are the ones it paints.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

const FontEntry& fontEntry(const QString& name, int size, FontStyle style)
{
    constexpr std::size_t kMaxEntries = 16;
    thread_local std::vector<std::unique_ptr<FontEntry>> cache;
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if ((*it)->size == size && (*it)->style == style && (*it)->name == name) {
            // Most recently used first, so a run with one font finds it at once.
            std::rotate(cache.begin(), it, it + 1);
            return *cache.front();
        }
    }
    if (cache.size() >= kMaxEntries)
        cache.pop_back();
    QFont font = renderFontPixels(name, size, style);
    QFontMetrics metrics(font);
    const int ascent = metrics.ascent();
    const int height = metrics.ascent() + metrics.descent();
    cache.insert(cache.begin(), std::unique_ptr<FontEntry>(new FontEntry{name, size, style, font,
                                                                         metrics, ascent, height}));
    return *cache.front();
}

namespace {

// Lines longer than this many characters are measured piece by piece: the font engine's
// fixed-point advance overflows past about 33 million pixels, and laying out millions of
// characters at once takes gigabytes.
constexpr qsizetype kMeasurePiece = 4096;
// Far wider than any frame; a long line's measuring stops once it gets this wide.
constexpr qint64 kWidthCeiling = 1 << 20;

LineSize measure(const FontEntry& f, const QString& text)
{
    // An empty line has the height of a space and the width of one.
    if (text.size() <= kMeasurePiece)
        return {f.metrics.horizontalAdvance(text.isEmpty() ? QStringLiteral(" ") : text), f.height};
    qint64 width = 0;
    for (qsizetype at = 0; at < text.size() && width < kWidthCeiling;) {
        qsizetype length = std::min(kMeasurePiece, text.size() - at);
        // Never part a surrogate pair.
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate())
            --length;
        width += f.metrics.horizontalAdvance(text.mid(at, length));
        at += length;
    }
    return {int(std::min(width, kWidthCeiling)), f.height};
}

// Whether `text` can be shaped once for both its width and its drawing (shapeOnce): not empty,
// not long, and free of what QPainter::drawText and a text layout treat differently (controls,
// tabs, line and paragraph separators, objects; QFontMetrics measures only up to U+009C).
bool shapesOnce(const QString& text)
{
    if (text.isEmpty() || text.size() > kMeasurePiece)
        return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029 || u == 0xFFFC;
    });
}

// The paragraph direction QPainter::drawText lays text out in: a new painter's (in Qt 6 the
// text's own, Qt::LayoutDirectionAuto).
Qt::LayoutDirection drawTextDirection()
{
    static const Qt::LayoutDirection direction = [] {
        QImage probe(1, 1, QImage::Format_Alpha8);
        QPainter painter(&probe);
        return painter.layoutDirection();
    }();
    return direction;
}

// `text` shaped once in `f`'s font, laid out as QPainter::drawText lays it out: one line without
// wrapping, from the pen to the right, in the direction drawText gives the text. Its advance,
// rounded as QFontMetrics::horizontalAdvance rounds it, goes to `width` (the line's natural
// width would add the overhang of its last glyph). Null when the text did not come out as one
// whole line.
std::unique_ptr<QTextLayout> shapeOnce(const FontEntry& f, const QString& text, int& width)
{
    auto layout = std::make_unique<QTextLayout>(text, f.font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(drawTextDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout->setTextOption(option);
    // Keep the shaped glyphs after the layout ends, for drawing.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid())
        line.setLineWidth(qreal(kWidthCeiling));
    layout->endLayout();
    if (layout->lineCount() != 1 || line.textStart() != 0 || line.textLength() != text.size())
        return nullptr;
    width = qRound(line.horizontalAdvance());
    return layout;
}
// A run for drawing is shaped once when it can be; other runs are measured as `measure` does.
// Underlined runs are not shaped once: a layout draws the underlines of neighbouring script
// runs at one common depth and thickness, where QPainter::drawText gives each its own font's.
Piece makePiece(QString text, const FontEntry& f, PieceUse use)
{
    Piece piece{std::move(text), &f, 0, nullptr};
    if (use == PieceUse::Draw && !f.font.underline() && shapesOnce(piece.text))
        piece.shaped = shapeOnce(f, piece.text, piece.width);
    if (!piece.shaped)
        piece.width = measure(f, piece.text).width;
    return piece;
}

// Calls add(begin, end, style, second) for each non-empty stretch of the line in order: the
// plain text in the settings' style, the runs in that style with their own added; `second`
// when the stretch is drawn in the second text ink.
template <typename Add>
void forEachStretch(const StyledText& styled, const RenderSettings& s, Add add)
{
    const qsizetype size = styled.text.size();
    const bool plainSecond = DrawnInSecondInk(s, std::nullopt);
    const auto stretch = [&](qsizetype begin, qsizetype end, FontStyle style, bool second) {
        if (end > begin)
            add(begin, end, style, second);
    };
    qsizetype at = 0;
    for (const TextRun& run : styled.runs) {
        const qsizetype begin = std::clamp(run.begin, at, size);
        const qsizetype end = std::clamp(run.end, begin, size);
        stretch(at, begin, s.fontStyle, plainSecond);
        stretch(begin, end, CombinedStyle(s.fontStyle, run.style),
                DrawnInSecondInk(s, run.style.colour));
        at = end;
    }
    stretch(at, size, s.fontStyle, plainSecond);
}

} // namespace

LinePieces plainPieces(const FontEntry& f, const QString& text, PieceUse use)
{
    LinePieces line;
    line.pieces.push_back(makePiece(text, f, use));
    line.width = line.pieces.front().width;
    line.height = f.height;
    line.ascent = f.ascent;
    return line;
}

LinePieces styledPieces(const StyledText& styled, const RenderSettings& s, PieceUse use)
{
    struct Part
    {
        QString text;
        FontStyle style;
        bool second;
    };
    std::vector<Part> parts;
    forEachStretch(styled, s, [&](qsizetype begin, qsizetype end, FontStyle style, bool second) {
        if (!parts.empty() && parts.back().style == style && parts.back().second == second)
            parts.back().text += styled.text.mid(begin, end - begin);
        else
            parts.push_back({styled.text.mid(begin, end - begin), style, second});
    });
    if (parts.size() <= 1) {
        const FontStyle style = parts.empty() ? s.fontStyle : parts.front().style;
        LinePieces line =
            plainPieces(fontEntry(s.fontName, FontPixelSize(s), style), styled.text, use);
        line.pieces.front().second = !parts.empty() && parts.front().second;
        return line;
    }
    // A long line may be cut into very many runs: keep no layouts for them, so that what such a
    // line holds grows with its text alone.
    if (styled.text.size() > kMeasurePiece)
        use = PieceUse::Measure;
    LinePieces line;
    qint64 width = 0;
    for (Part& part : parts) {
        const FontEntry& f = fontEntry(s.fontName, FontPixelSize(s), part.style);
        line.pieces.push_back(makePiece(std::move(part.text), f, use));
        line.pieces.back().second = part.second;
        width += line.pieces.back().width;
        line.height = std::max(line.height, f.height);
        line.ascent = std::max(line.ascent, f.ascent);
    }
    line.width = int(std::min(width, kWidthCeiling));
    return line;
}

int lineHeight(const StyledText& styled, const RenderSettings& s)
{
    int height = 0;
    bool any = false;
    forEachStretch(styled, s, [&](qsizetype, qsizetype, FontStyle style, bool) {
        height = std::max(height, fontEntry(s.fontName, FontPixelSize(s), style).height);
        any = true;
    });
    return any ? height : fontEntry(s.fontName, FontPixelSize(s), s.fontStyle).height;
}

FontStyle CombinedStyle(FontStyle base, TextStyle extra)
{
    base.bold = base.bold || extra.bold;
    base.italic = base.italic || extra.italic;
    base.underline = base.underline || extra.underline;
    return base;
}

LineSize MeasureStyled(const StyledText& line, const RenderSettings& s)
{
    const LinePieces pieces = styledPieces(line, s, PieceUse::Measure);
    return {pieces.width, pieces.height};
}

QFont RenderFont(const QString& fontName, int fontSize, FontStyle style)
{
    return renderFontPixels(fontName, PixelSizeForPoints(fontSize), style);
}

LineSize MeasureText(const QString& text, const QString& fontName, int fontSize, FontStyle style)
{
    return measure(fontEntry(fontName, PixelSizeForPoints(fontSize), style), text);
}

} // namespace lumelle
