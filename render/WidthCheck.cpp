#include "render/WidthCheck.h"

#include "render/Renderer.h"
#include "render/TextBlock.h"

namespace lumelle {

bool SubtitleFitsWidth(const std::string& line1, const std::string& line2,
                       const RenderSettings& settings)
{
    const auto fits = [&settings](const std::string& text) {
        return LineFitsWidth(MeasureLine(text, settings.fontName, settings.fontSize,
                                         settings.fontStyle, settings.charset)
                                 .width);
    };
    return fits(line1) && fits(line2);
}

int FirstTooWideEntry(const TSubtitle& list, RenderSettings settings)
{
    settings.fileEncoding = list.Encoding();
    for (int i = 1; i <= list.Count(); ++i) {
        if (!EntryFitsWidth(list.line(i), settings))
            return i;
    }
    return 0;
}

QString ShownLine(const std::string& bytes, quint8 charset)
{
    return ShownLine(bytes, charset, FileEncoding{});
}

QString ShownLine(const std::string& bytes, quint8 charset, const FileEncoding& encoding)
{
    // Decode a little more than is shown, never the whole of a huge line.
    const std::size_t head = std::size_t(kShownLineLimit) * 4 + 4;
    if (bytes.size() <= head) {
        QString text = DecodeText(bytes, charset, encoding);
        if (text.size() <= kShownLineLimit)
            return text;
        return text.left(kShownLineLimit) + QStringLiteral("...");
    }
    return DecodeText(bytes.substr(0, head), charset, encoding).left(kShownLineLimit) +
           QStringLiteral("...");
}

QString TooLongMessage(const std::string& line1, const std::string& line2, quint8 charset,
                       const char* tail, const FileEncoding& encoding)
{
    return QStringLiteral("The string \r") + ShownLine(line1, charset, encoding) +
           QLatin1Char('\r') + ShownLine(line2, charset, encoding) + QLatin1Char('\r') +
           QString::fromLatin1(tail);
}

} // namespace lumelle
