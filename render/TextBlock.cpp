#include "render/TextBlock.h"

#include "render/LayerRenderer.h"
#include "render/WidthCheck.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <map>

namespace lumelle {

namespace {

// Lines longer than this are never broken: no sensible subtitle line is, and measuring every
// break point of a huge line would take very long.
constexpr qsizetype kLongestBreakableLine = 2000;

// A text line with the entry's spans on it turned into runs of its UTF-16 text. Where spans
// overlap, their styles add up.
StyledText styledLine(const std::string& utf8, int lineIndex, const std::vector<StyleSpan>& spans)
{
    StyledText line{QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), {}};
    std::vector<std::size_t> cuts{0, utf8.size()};
    bool styled = false;
    for (const StyleSpan& span : spans) {
        if (span.line != lineIndex || span.begin >= span.end || span.style == TextStyle())
            continue;
        styled = true;
        cuts.push_back(std::min(span.begin, utf8.size()));
        cuts.push_back(std::min(span.end, utf8.size()));
    }
    if (!styled)
        return line;
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    // Where each cut falls in the UTF-16 text: one unit per character, two past U+FFFF.
    std::vector<qsizetype> at(cuts.size(), 0);
    qsizetype units = 0;
    std::size_t byte = 0;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        for (; byte < cuts[i]; ++byte) {
            const auto c = static_cast<unsigned char>(utf8[byte]);
            if ((c & 0xC0) != 0x80)
                units += c >= 0xF0 ? 2 : 1;
        }
        at[i] = std::min(units, line.text.size());
    }
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        TextStyle style;
        for (const StyleSpan& span : spans) {
            if (span.line == lineIndex && span.begin <= cuts[i] && span.end >= cuts[i + 1]) {
                style.italic = style.italic || span.style.italic;
                style.bold = style.bold || span.style.bold;
                style.underline = style.underline || span.style.underline;
                if (span.style.colour)
                    style.colour = span.style.colour;
            }
        }
        if (style != TextStyle())
            line.runs.push_back({at[i], at[i + 1], style});
    }
    return line;
}

// The part [begin, end) of a line with its runs cut to it.
StyledText slice(const StyledText& line, qsizetype begin, qsizetype end)
{
    StyledText part{line.text.mid(begin, end - begin), {}};
    for (const TextRun& run : line.runs) {
        const qsizetype b = std::max(run.begin, begin);
        const qsizetype e = std::min(run.end, end);
        if (e > b)
            part.runs.push_back({b - begin, e - begin, run.style});
    }
    return part;
}

// A place a line may be broken at: the first part ends at leftEnd, the second begins at
// rightBegin (a space between them is dropped).
struct Break
{
    qsizetype leftEnd;
    qsizetype rightBegin;
};

// Where `text` may be broken: at each space, as words are parted; a line without spaces
// (Chinese, Japanese, a long address) at the line-break opportunities of Unicode's rules
// (UAX #14), between ideographs and after a slash, never inside a word.
std::vector<Break> breaksOf(const QString& text)
{
    std::vector<Break> breaks;
    for (qsizetype at = text.indexOf(QLatin1Char(' ')); at >= 0;
         at = text.indexOf(QLatin1Char(' '), at + 1))
        breaks.push_back({at, at + 1});
    if (!breaks.empty())
        return breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size();
         at = finder.toNextBoundary()) {
        if (finder.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity)
            breaks.push_back({at, at});
    }
    return breaks;
}

bool fits(const StyledText& line, const RenderSettings& s)
{
    return LineFitsWidth(MeasureStyled(line, s).width, s);
}

// Appends `line`, broken until every part fits; false when that cannot be done.
bool appendBroken(const StyledText& line, const RenderSettings& s, std::vector<StyledText>& out)
{
    if (fits(line, s)) {
        out.push_back(line);
        return true;
    }
    if (!s.wrapLongLines || line.text.size() > kLongestBreakableLine)
        return false;
    // The break whose parts' wider one is narrowest.
    std::optional<Break> best;
    int bestWidth = 0;
    for (const Break& at : breaksOf(line.text)) {
        const int left = MeasureStyled(slice(line, 0, at.leftEnd), s).width;
        const int right = MeasureStyled(slice(line, at.rightBegin, line.text.size()), s).width;
        const int wider = std::max(left, right);
        if (!best || wider < bestWidth) {
            best = at;
            bestWidth = wider;
        }
    }
    if (!best)
        return false;
    return appendBroken(slice(line, 0, best->leftEnd), s, out) &&
           appendBroken(slice(line, best->rightBegin, line.text.size()), s, out);
}

} // namespace

std::vector<StyledText> EntryTextLines(const SubtitleLine& entry)
{
    std::vector<StyledText> lines;
    const std::vector<std::string> texts = entry.TextLines();
    lines.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        lines.push_back(styledLine(texts[i], int(i), entry.Spans));
    return lines;
}

std::optional<std::vector<StyledText>> FitLinesToWidth(const std::vector<StyledText>& lines,
                                                       const RenderSettings& s)
{
    std::vector<StyledText> out;
    for (const StyledText& line : lines) {
        if (!appendBroken(line, s, out))
            return std::nullopt;
    }
    return out;
}

std::string LinesAfterFirst(const SubtitleLine& entry)
{
    const std::vector<std::string> lines = entry.TextLines();
    std::string rest;
    for (std::size_t i = 1; i < lines.size(); ++i)
        rest += (i > 1 ? "\r" : "") + lines[i];
    return rest;
}

bool EntryFitsWidth(const SubtitleLine& entry, const RenderSettings& s)
{
    return FitLinesToWidth(EntryTextLines(entry), s).has_value();
}

bool EntryFitsWhenWrapped(const SubtitleLine& entry, RenderSettings s)
{
    if (s.wrapLongLines)
        return false; // already broken where it could be
    s.wrapLongLines = true;
    return EntryFitsWidth(entry, s);
}

std::vector<StyledText> StackedLines(const std::vector<SubtitleLine>& entries,
                                     const RenderSettings& s, int& anchor)
{
    std::vector<StyledText> lines;
    anchor = 0;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        std::vector<StyledText> text = EntryTextLines(*it);
        // Without breaking, a line is given as it stands whether it fits or not: nothing to
        // measure.
        std::optional<std::vector<StyledText>> fitted;
        if (s.wrapLongLines)
            fitted = FitLinesToWidth(text, s);
        const std::vector<StyledText>& shown = fitted ? *fitted : text;
        anchor = int(lines.size());
        lines.insert(lines.end(), shown.begin(), shown.end());
    }
    while (lines.size() < 2)
        lines.push_back(StyledText());
    return lines;
}

namespace {

// The row and column of a keypad place; unset places go to the bottom at `align`.
std::pair<BlockRow, QString> rowAndColumn(int place, const QString& align)
{
    if (place < 1 || place > 9)
        return {BlockRow::Bottom, align};
    static const QString kColumns[3] = {QStringLiteral("left"), QStringLiteral("center"),
                                        QStringLiteral("right")};
    const BlockRow rows[3] = {BlockRow::Bottom, BlockRow::Middle, BlockRow::Top};
    return {rows[(place - 1) / 3], kColumns[(place - 1) % 3]};
}

std::vector<StyledText> shownLines(const SubtitleLine& entry, const RenderSettings& s)
{
    std::vector<StyledText> text = EntryTextLines(entry);
    if (!s.wrapLongLines)
        return text;
    std::optional<std::vector<StyledText>> fitted = FitLinesToWidth(text, s);
    return fitted ? std::move(*fitted) : text;
}

} // namespace

std::vector<PlacedBlock> PlacedBlocks(const std::vector<SubtitleLine>& entries,
                                      const RenderSettings& s)
{
    // Entries without a place of their own are drawn exactly as StackedLines stacks them.
    std::vector<PlacedBlock> blocks;
    if (std::all_of(entries.begin(), entries.end(),
                    [](const SubtitleLine& e) { return e.Place == kPlaceUnset; })) {
        blocks.push_back({{}, 0, BlockRow::Bottom, s.align});
        blocks.back().lines = StackedLines(entries, s, blocks.back().anchor);
        return blocks;
    }
    std::vector<int> places;
    for (const SubtitleLine& entry : entries) {
        const int place = entry.Place >= 1 && entry.Place <= 9 ? entry.Place : kPlaceUnset;
        if (std::find(places.begin(), places.end(), place) == places.end())
            places.push_back(place);
    }
    for (int place : places) {
        std::vector<SubtitleLine> here;
        for (const SubtitleLine& entry : entries) {
            const int own = entry.Place >= 1 && entry.Place <= 9 ? entry.Place : kPlaceUnset;
            if (own == place)
                here.push_back(entry);
        }
        auto [row, column] = rowAndColumn(place, s.align);
        PlacedBlock block{{}, 0, row, column};
        if (row == BlockRow::Bottom) {
            block.lines = StackedLines(here, s, block.anchor);
        } else {
            // Top to bottom: at the top the first entry comes first; in the middle the last.
            if (row == BlockRow::Middle)
                std::reverse(here.begin(), here.end());
            for (const SubtitleLine& entry : here) {
                const std::vector<StyledText> lines = shownLines(entry, s);
                block.lines.insert(block.lines.end(), lines.begin(), lines.end());
            }
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

namespace {

// How many characters of `entries` ask for each text colour (the plain ones for the settings'
// text colour), and the colours in the order first met, so that ties keep the file's order.
struct ColourCounts
{
    std::map<ColorValue, std::size_t> characters;
    std::vector<ColorValue> order;
};

ColourCounts countTextColours(const std::vector<SubtitleLine>& entries, const RenderSettings& s)
{
    ColourCounts counts;
    const auto count = [&](ColorValue colour, std::size_t n) {
        if (n == 0)
            return;
        if (counts.characters.find(colour) == counts.characters.end())
            counts.order.push_back(colour);
        counts.characters[colour] += n;
    };
    for (const SubtitleLine& entry : entries) {
        const std::vector<std::string> texts = entry.TextLines();
        for (std::size_t line = 0; line < texts.size(); ++line) {
            // Bytes of the line asking for each colour; the rest, spaces aside, is plain.
            const std::string& text = texts[line];
            std::vector<bool> coloured(text.size(), false);
            for (const StyleSpan& span : entry.Spans) {
                if (span.line != int(line) || !span.style.colour)
                    continue;
                const std::size_t end = std::min(span.end, text.size());
                for (std::size_t i = span.begin; i < end; ++i)
                    coloured[i] = true;
                count(*span.style.colour, end > span.begin ? end - span.begin : 0);
            }
            std::size_t plain = 0;
            for (std::size_t i = 0; i < text.size(); ++i)
                plain += !coloured[i] && text[i] != ' ' ? 1 : 0;
            count(s.textColor, plain);
        }
    }
    return counts;
}

// The colour of `counts` with the most characters, `except` left out; the first met of equals.
std::optional<ColorValue> mostUsed(const ColourCounts& counts,
                                   std::optional<ColorValue> except = std::nullopt)
{
    std::optional<ColorValue> best;
    for (ColorValue colour : counts.order) {
        if (colour != except &&
            (!best || counts.characters.at(colour) > counts.characters.at(*best)))
            best = colour;
    }
    return best;
}

} // namespace

ColorValue PictureTextColour(const std::vector<SubtitleLine>& entries, const RenderSettings& s,
                             bool& mixed)
{
    const ColourCounts counts = countTextColours(entries, s);
    mixed = counts.characters.size() > 1;
    if (counts.characters.empty() || counts.characters.count(s.textColor))
        return s.textColor;
    return *mostUsed(counts);
}

PictureInks PictureTextInks(const std::vector<SubtitleLine>& entries, const RenderSettings& s)
{
    const ColourCounts counts = countTextColours(entries, s);
    PictureInks inks;
    inks.colours = counts.characters.size();
    inks.text = mostUsed(counts).value_or(s.textColor);
    if (const std::optional<ColorValue> second = mostUsed(counts, inks.text)) {
        // Plain text goes with the ink nearer to the window's text colour.
        RenderSettings two = s;
        two.textColor = inks.text;
        two.secondText = SecondTextInk{*second, false};
        inks.second = SecondTextInk{*second, DrawnInSecondInk(two, s.textColor)};
    }
    return inks;
}

RenderSettings WithPictureInks(const RenderSettings& s, const PictureInks& inks)
{
    RenderSettings drawn = s;
    drawn.textColor = inks.text;
    drawn.secondText = inks.second;
    return drawn;
}

bool DrawEntries(QImage& surface, const std::vector<SubtitleLine>& entries, const RenderSettings& s,
                 QSize frame)
{
    const RenderSettings shown = WithPictureInks(s, PictureTextInks(entries, s));
    return DrawSubtitleBlocks(surface, PlacedBlocks(entries, shown), shown, frame);
}

} // namespace lumelle
