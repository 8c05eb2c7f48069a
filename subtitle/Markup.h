// Removes the markup of subtitle text lines and keeps the styles it asks for.
#pragma once

#include "subtitle/Subtitle.h"

#include <string>
#include <vector>

namespace lumelle {

// Text lines without markup and the styled stretches in them (StyleSpan::line counts from the
// first line of `lines`).
struct MarkedText
{
    std::vector<std::string> lines;
    std::vector<StyleSpan> spans;
    int place = kPlaceUnset; // the first position mark found
};

// Appends the lines of one raw text line to `out`, with all markup removed: HTML-like tags
// "<...>" of the SubRip family (any case, with attributes; <i>, <b> and <u> set styles,
// <font color="..."> a colour by name or #RRGGBB), "{\...}" override blocks (\i1, \b1, \u1 and
// their 0 forms set styles, \c&HBBGGRR& a colour, \r resets, \an1..\an9 and the older \a1..\a11
// place the subtitle), "\N" and "\n" as line breaks and "\h" as a space. HTML character references
// ("&amp;", "&lt;", "&#233;", "&#xE9;") become their characters; an "&" that starts none stays.
// With `microDvd` also MicroDVD control codes "{x:...}" anywhere ({y:i}, {y:b}, {y:u} styles,
// {c:$BBGGRR} a colour, {P:1} at the top, {P:0} at the bottom) and a leading "/" (italic). A "<" or
// "{" that opens no tag stays text. `style` carries the style from line to line (an <i> may close
// on a later line). `raw` is UTF-8, so every mark found in it is a whole character.
void AppendMarkedLine(const std::string& raw, bool microDvd, TextStyle& style, MarkedText& out);

// The style that MicroDVD codes "{Y:...}" and "{C:$BBGGRR}" (upper-case: for every line of the
// subtitle) ask for in `raw`, those codes removed from it.
TextStyle TakeWholeSubtitleStyle(std::string& raw);

// Fills the text fields and the spans of `entry` from `marked`, without its empty lines at the
// end.
void SetTextLines(SubtitleLine& entry, MarkedText&& marked);

} // namespace lumelle
