#include "render/TextBlock.h"

#include "render/WidthCheck.h"

#include <algorithm>

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

bool fits(const StyledText& line, const RenderSettings& s)
{
    return LineFitsWidth(MeasureStyled(line, s).width);
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
    // The space whose parts' wider one is narrowest.
    qsizetype best = -1;
    int bestWidth = 0;
    for (qsizetype at = line.text.indexOf(QLatin1Char(' ')); at >= 0;
         at = line.text.indexOf(QLatin1Char(' '), at + 1)) {
        const int left = MeasureStyled(slice(line, 0, at), s).width;
        const int right = MeasureStyled(slice(line, at + 1, line.text.size()), s).width;
        const int wider = std::max(left, right);
        if (best < 0 || wider < bestWidth) {
            best = at;
            bestWidth = wider;
        }
    }
    if (best < 0)
        return false;
    return appendBroken(slice(line, 0, best), s, out) &&
           appendBroken(slice(line, best + 1, line.text.size()), s, out);
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

} // namespace lumelle
