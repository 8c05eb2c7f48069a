#include "platform/StoredValues.h"

#include <QStringList>
#include <limits>

namespace lumelle::platform {

std::optional<int> parseStoredInteger(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return 0;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'+' || t[0] == u'-') {
        negative = t[0] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    // Accumulate as a negative number so that the int minimum fits too.
    long long value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 1LL + std::numeric_limits<int>::max())
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

std::optional<bool> parseStoredBoolean(QStringView text)
{
    const QStringView t = text.trimmed();
    for (const char* yes : {"TRUE", "YES", "Y"}) {
        if (t.compare(QLatin1StringView(yes), Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const char* no : {"FALSE", "NO", "N"}) {
        if (t.compare(QLatin1StringView(no), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (const std::optional<int> number = parseStoredInteger(t))
        return *number != 0;
    return std::nullopt;
}

QString storedBooleanText(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

const std::array<NamedColor, 20>& namedColors()
{
    static const std::array<NamedColor, 20> table = {{
        {"clBlack", makeColor(0, 0, 0)},
        {"clMaroon", makeColor(128, 0, 0)},
        {"clGreen", makeColor(0, 128, 0)},
        {"clOlive", makeColor(128, 128, 0)},
        {"clNavy", makeColor(0, 0, 128)},
        {"clPurple", makeColor(128, 0, 128)},
        {"clTeal", makeColor(0, 128, 128)},
        {"clGray", makeColor(128, 128, 128)},
        {"clSilver", makeColor(192, 192, 192)},
        {"clRed", makeColor(255, 0, 0)},
        {"clLime", makeColor(0, 255, 0)},
        {"clYellow", makeColor(255, 255, 0)},
        {"clBlue", makeColor(0, 0, 255)},
        {"clFuchsia", makeColor(255, 0, 255)},
        {"clAqua", makeColor(0, 255, 255)},
        {"clWhite", makeColor(255, 255, 255)},
        {"clMoneyGreen", makeColor(192, 220, 192)},
        {"clSkyBlue", makeColor(166, 202, 240)},
        {"clCream", makeColor(255, 251, 240)},
        {"clMedGray", makeColor(160, 160, 164)},
    }};
    return table;
}

std::optional<QString> colorName(ColorValue color)
{
    for (const NamedColor& entry : namedColors()) {
        if (entry.value == color)
            return QString::fromLatin1(entry.name);
    }
    return std::nullopt;
}

namespace {

// "clWhite", "white" and "WHITE" all give "white"; "grey" is read as "gray".
QString plainName(QStringView name)
{
    QString plain = name.trimmed().toString().toLower();
    if (plain.startsWith(QLatin1String("cl")))
        plain.remove(0, 2);
    return plain.replace(QLatin1String("grey"), QLatin1String("gray"));
}

} // namespace

std::optional<QString> plainColorName(ColorValue color)
{
    if (std::optional<QString> name = colorName(color))
        return plainName(*name);
    return std::nullopt;
}

std::optional<ColorValue> colorFromName(QStringView name)
{
    const QString plain = plainName(name);
    for (const NamedColor& entry : namedColors()) {
        if (plain == plainName(QString::fromLatin1(entry.name)))
            return entry.value;
    }
    return std::nullopt;
}

QString storedColorText(ColorValue color)
{
    if (std::optional<QString> name = colorName(color))
        return *name;
    return QString::number(color);
}

std::optional<ColorValue> parseStoredColor(QStringView text)
{
    if (std::optional<ColorValue> named = colorFromName(text))
        return named;
    // Only plain RGB values: the colour lists hold nothing else.
    const std::optional<int> number = parseStoredInteger(text);
    if (!number || *number < 0 || *number > 0xFFFFFF)
        return std::nullopt;
    return ColorValue(*number);
}

QString screenSizeKey(const QString& base, QSize screen)
{
    return QStringLiteral("%1(%2x%3)").arg(base).arg(screen.width()).arg(screen.height());
}

QString fourIntegersText(const std::array<int, 4>& values)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(values[0])
        .arg(values[1])
        .arg(values[2])
        .arg(values[3]);
}

std::array<std::optional<int>, 4> parseFourIntegers(QStringView text)
{
    std::array<std::optional<int>, 4> result;
    const QList<QStringView> parts = text.split(u',');
    for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
        if (!parts[i].trimmed().isEmpty())
            result[size_t(i)] = parseStoredInteger(parts[i]);
    }
    return result;
}

} // namespace lumelle::platform
