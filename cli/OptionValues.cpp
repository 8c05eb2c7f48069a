#include "cli/OptionValues.h"

#include "platform/StoredValues.h"
#include "vobsub/Languages.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace lumelle {

namespace {

const NamedMode kModes[] = {
    {"pc", PaletteMode::PcOnly, "RGB palette"},
    {"dvd", PaletteMode::DvdOnly, "Y/Cr/Cb palette"},
    {"two", PaletteMode::PcDvdTwoPalettes, "both"},
    {"safe", PaletteMode::PcDvdSafePalette, "RGB palette; default colours %1"},
};

} // namespace

std::span<const NamedMode> NamedModes()
{
    return kModes;
}

QString ModeName(PaletteMode mode)
{
    for (const NamedMode& m : kModes) {
        if (m.mode == mode)
            return QLatin1String(m.name);
    }
    return QString();
}

bool ParseColour(const QString& text, ColorValue& colour)
{
    if (const std::optional<ColorValue> named = platform::colorFromName(text)) {
        colour = *named;
        return true;
    }
    const QString t = text.trimmed().toLower();
    static const QRegularExpression hex(
        QStringLiteral("^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$"));
    if (const auto m = hex.match(t); m.hasMatch()) {
        colour = makeColor(m.captured(1).toInt(nullptr, 16), m.captured(2).toInt(nullptr, 16),
                           m.captured(3).toInt(nullptr, 16));
        return true;
    }
    const QStringList parts = t.split(QLatin1Char(','));
    if (parts.size() == 3) {
        int rgb[3];
        for (int i = 0; i < 3; ++i) {
            if (!ReadWholeNumber(parts[i], rgb[i]) || rgb[i] < 0 || rgb[i] > 255)
                return false;
        }
        colour = makeColor(rgb[0], rgb[1], rgb[2]);
        return true;
    }
    return false;
}

QString ColourText(ColorValue colour)
{
    if (const std::optional<QString> name = platform::plainColorName(colour))
        return *name;
    return QStringLiteral("%1,%2,%3").arg(redOf(colour)).arg(greenOf(colour)).arg(blueOf(colour));
}

bool ReadWholeNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

QString ListedFrameRate(const QString& text, const QStringList& rates)
{
    const QString given = text.trimmed();
    double perSecond = 0;
    bool ok = false;
    if (const qsizetype slash = given.indexOf(QLatin1Char('/')); slash > 0) {
        bool denominatorOk = false;
        const qint64 numerator = given.left(slash).toLongLong(&ok);
        const qint64 denominator = given.mid(slash + 1).toLongLong(&denominatorOk);
        ok = ok && denominatorOk && numerator > 0 && denominator > 0;
        if (ok)
            perSecond = double(numerator) / double(denominator);
    } else if (given.contains(QLatin1Char('.'))) {
        perSecond = given.toDouble(&ok);
    } else {
        const int whole = given.toInt(&ok);
        // Thousands and more are thousandths already: the list takes them as they are.
        ok = ok && whole > 0 && whole < 1000;
        perSecond = whole;
    }
    if (!ok || !(perSecond > 0))
        return text;
    for (const QString& rate : rates) {
        if (std::abs(perSecond * 1000.0 - rate.toDouble()) <= 5.0)
            return rate;
    }
    return text;
}

bool ReadShiftTime(const QString& text, long long& milliseconds)
{
    static const QRegularExpression unit(QStringLiteral("^([+-]?)(\\d+(?:\\.\\d*)?)(ms|s)$"));
    static const QRegularExpression clock(
        QStringLiteral("^([+-]?)(\\d{1,2}):(\\d{2}):(\\d{2})(?:[,.](\\d{1,3}))?$"));
    constexpr long long kDay = 24LL * 3600 * 1000;
    const QString given = text.trimmed();
    long long value = 0;
    QString sign;
    if (const auto m = unit.match(given); m.hasMatch()) {
        sign = m.captured(1);
        const double number = m.captured(2).toDouble();
        const double scaled = m.captured(3) == QLatin1String("s") ? number * 1000.0 : number;
        if (!(scaled <= double(kDay)))
            return false;
        value = std::llround(scaled);
    } else if (const auto c = clock.match(given); c.hasMatch()) {
        sign = c.captured(1);
        const int minutes = c.captured(3).toInt(), seconds = c.captured(4).toInt();
        if (minutes > 59 || seconds > 59)
            return false;
        const QString fraction = c.captured(5).leftJustified(3, QLatin1Char('0'));
        value = ((c.captured(2).toLongLong() * 60 + minutes) * 60 + seconds) * 1000 +
                fraction.toLongLong();
    } else {
        return false;
    }
    if (value > kDay)
        return false;
    milliseconds = sign == QLatin1String("-") ? -value : value;
    return true;
}

QString Listed(const QStringList& items, const char* lastJoin)
{
    if (items.size() < 2)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) +
           QLatin1String(lastJoin) + items.last();
}

const QStringList& ModeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const NamedMode& m : NamedModes())
            list << QLatin1String(m.name);
        return list;
    }();
    return names;
}

const QStringList& LanguageCodes()
{
    static const QStringList codes = [] {
        QStringList list;
        for (const QString& entry : VobsubLanguageNames()) {
            const QString code = entry.left(2);
            if (!list.contains(code) && !IndexLanguageCode(code).isEmpty())
                list << code;
        }
        return list;
    }();
    return codes;
}

const QStringList& FormatNames()
{
    static const QStringList names{QStringLiteral("vobsub"), QStringLiteral("dvd-sup"),
                                   QStringLiteral("vobsub,dvd-sup"), QStringLiteral("pgs"),
                                   QStringLiteral("bdn-xml")};
    return names;
}

} // namespace lumelle
