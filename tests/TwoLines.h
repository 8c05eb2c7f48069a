// Two plain text lines (UTF-8) measured and drawn as the run draws a subtitle of two lines.
#pragma once

#include "render/LayerRenderer.h"
#include "render/TextShaping.h"

#include <string>

namespace lumelle::testing {

inline StyledText PlainLine(const std::string& text)
{
    return StyledText{QString::fromStdString(text), {}};
}

inline bool RenderTwoLines(SubtitleImage& image, const std::string& line1, const std::string& line2,
                           const RenderSettings& s)
{
    return RenderSubtitleBlock(image, {PlainLine(line1), PlainLine(line2)}, 0, s);
}

inline LineSize MeasureUtf8(const std::string& text, const RenderSettings& s)
{
    return MeasureText(QString::fromStdString(text), s.fontName, s.fontSize, s.fontStyle);
}

} // namespace lumelle::testing
