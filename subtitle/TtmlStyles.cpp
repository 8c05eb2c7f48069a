#include "subtitle/TtmlStyles.h"

#include <QColor>
#include <QRegularExpression>

namespace lumelle {

void TtmlStyle::overlay(const TtmlStyle& over)
{
    if (over.colourSet) {
        colourSet = true;
        colour = over.colour;
    }
    for (auto [mine, theirs] :
         {std::pair{&italic, &over.italic}, {&bold, &over.bold}, {&underline, &over.underline}}) {
        if (*theirs)
            *mine = *theirs;
    }
    for (auto [mine, theirs] : {std::pair{&textAlign, &over.textAlign},
                                {&displayAlign, &over.displayAlign},
                                {&origin, &over.origin},
                                {&extent, &over.extent}}) {
        if (!theirs->isEmpty())
            *mine = *theirs;
    }
}

TextStyle TtmlStyle::textStyle() const
{
    return {italic.value_or(false), bold.value_or(false), underline.value_or(false), colour};
}

bool TtmlColour(QStringView text, std::optional<ColorValue>& colour)
{
    static const QRegularExpression kFunction(QStringLiteral(
        "^rgba?\\(\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\)$"));
    const QString value = text.trimmed().toString();
    int red = 0, green = 0, blue = 0, alpha = 255;
    if (const auto m = kFunction.match(value); m.hasMatch()) {
        red = std::min(255, m.captured(1).toInt());
        green = std::min(255, m.captured(2).toInt());
        blue = std::min(255, m.captured(3).toInt());
        alpha = m.hasCaptured(4) ? std::min(255, m.captured(4).toInt()) : 255;
    } else {
        // QColor reads eight digits as #aarrggbb; TTML writes the alpha last.
        QString name = value;
        if (name.size() == 9 && name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            alpha = name.mid(7).toInt(&ok, 16);
            if (!ok)
                return false;
            name.truncate(7);
        }
        const QColor parsed = QColor::fromString(name);
        if (!parsed.isValid())
            return false;
        red = parsed.red(), green = parsed.green(), blue = parsed.blue();
        alpha = std::min(alpha, parsed.alpha());
    }
    colour.reset();
    if (alpha > 0 && !(red == 255 && green == 255 && blue == 255))
        colour = makeColor(red, green, blue);
    return true;
}

namespace {

// "italic", "oblique", "normal"; "bold", "normal"; "underline", "noUnderline", "none".
void readDrawn(const QString& name, const QString& value, TtmlStyle& style)
{
    if (name == QLatin1String("fontStyle"))
        style.italic = value == QLatin1String("italic") || value == QLatin1String("oblique");
    else if (name == QLatin1String("fontWeight"))
        style.bold = value == QLatin1String("bold");
    else if (name == QLatin1String("textDecoration")) {
        if (value.contains(QLatin1String("noUnderline")) || value == QLatin1String("none"))
            style.underline = false;
        else if (value.contains(QLatin1String("underline")))
            style.underline = true;
    }
}

} // namespace

void ReadStyleAttributes(const QXmlStreamAttributes& attributes, TtmlStyle& style,
                         QStringList& unused)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (!attribute.namespaceUri().toString().contains(QLatin1String("#styling")))
            continue;
        const QString name = attribute.name().toString();
        const QString value = attribute.value().trimmed().toString();
        if (name == QLatin1String("color")) {
            std::optional<ColorValue> colour;
            if (TtmlColour(value, colour)) {
                style.colourSet = true;
                style.colour = colour;
            }
        } else if (name == QLatin1String("fontStyle") || name == QLatin1String("fontWeight") ||
                   name == QLatin1String("textDecoration")) {
            readDrawn(name, value, style);
        } else if (name == QLatin1String("textAlign")) {
            style.textAlign = value;
        } else if (name == QLatin1String("displayAlign")) {
            style.displayAlign = value;
        } else if (name == QLatin1String("origin")) {
            style.origin = value;
        } else if (name == QLatin1String("extent")) {
            style.extent = value;
        } else if (const QString shown = QStringLiteral("tts:") + name; !unused.contains(shown)) {
            unused << shown;
        }
    }
}

namespace {

// The second length of a pair ("10% 80%", "0px 864px", "2c 13c") as a share of the frame's
// height; nullopt when it cannot be measured.
std::optional<double> heightShare(const QString& pair, const TtmlFrame& frame)
{
    const QStringList parts = pair.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    static const QRegularExpression kLength(QStringLiteral("^([+-]?\\d+(?:\\.\\d+)?)(%|px|c)$"));
    const auto m = kLength.match(parts[1]);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = m.captured(1).toDouble();
    if (m.captured(2) == QLatin1String("%"))
        return value / 100;
    if (m.captured(2) == QLatin1String("c"))
        return value / frame.rows;
    if (frame.height > 0)
        return value / frame.height;
    return std::nullopt;
}

// The row of the place: 0 bottom, 1 middle, 2 top; -1 when the style says nothing of it.
int rowOf(const TtmlStyle& style, const TtmlFrame& frame)
{
    const auto top = heightShare(style.origin, frame);
    const QString& align = style.displayAlign;
    if (!top && align.isEmpty())
        return -1;
    // The region spans the frame when it gives no origin; the text stands at its top, middle
    // or bottom as the display alignment says ("before" when it says nothing).
    const double from = top.value_or(0.0);
    const double height = heightShare(style.extent, frame).value_or(top ? 1.0 - from : 1.0);
    const double share = align == QLatin1String("after")    ? 1.0
                         : align == QLatin1String("center") ? 0.5
                                                            : 0.0;
    const double y = from + height * share;
    return y > 2.0 / 3.0 ? 0 : y >= 1.0 / 3.0 ? 1 : 2;
}

} // namespace

int TtmlPlace(const TtmlStyle& style, const TtmlFrame& frame)
{
    int row = rowOf(style, frame);
    const QString& align = style.textAlign;
    int column = 1; // centred when only the row is given, as players show such text
    if (align == QLatin1String("left") || align == QLatin1String("start"))
        column = 0;
    else if (align == QLatin1String("right") || align == QLatin1String("end"))
        column = 2;
    else if (align != QLatin1String("center") && row < 0)
        return kPlaceUnset;
    if (row < 0)
        row = 0;
    return 1 + row * 3 + column;
}

} // namespace lumelle
