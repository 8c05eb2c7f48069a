#include "render/WidthCheck.h"

#include "render/Renderer.h"

namespace lumelle {

bool SubtitleFitsWidth(const std::string& line1, const std::string& line2,
                       const RenderSettings& settings)
{
    const auto fits = [&settings](const std::string& text) {
        return MeasureLine(text, settings.fontName, settings.fontSize, settings.fontStyle,
                           settings.charset)
                   .width < kMaxLineWidth;
    };
    return fits(line1) && fits(line2);
}

QString TooLongMessage(const std::string& line1, const std::string& line2, quint8 charset,
                       const char* tail)
{
    return QStringLiteral("The string \r") + DecodeText(line1, charset) + QLatin1Char('\r') +
           DecodeText(line2, charset) + QLatin1Char('\r') + QString::fromLatin1(tail);
}

} // namespace lumelle
