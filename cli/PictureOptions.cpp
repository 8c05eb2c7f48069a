#include "cli/PictureOptions.h"

#include "cli/OptionValues.h"

#include <QRegularExpression>

namespace lumelle {

// --speed FROM:TO, each rate one --fps takes.
QString ApplySpeed(ParseState& state, const QString& value, const QStringList& rates)
{
    const QStringList sides = value.split(QLatin1Char(':'));
    if (sides.size() == 2) {
        const QString from = ListedFrameRate(sides[0], rates),
                      to = ListedFrameRate(sides[1], rates);
        if (rates.contains(from) && rates.contains(to)) {
            state.options.retiming.speedFrom = FrameRate::fromText(from);
            state.options.retiming.speedTo = FrameRate::fromText(to);
            return QString();
        }
    }
    return QStringLiteral("--speed takes two frame rates as FROM:TO, such as 23.976:25, not '%1'")
        .arg(value);
}

// --keep-inside: a film's shape, as a number or as A:B, or a rectangle WxH+X+Y.
QString ApplyKeepInside(ParseState& state, const QString& value)
{
    static const QRegularExpression rectangle(
        QStringLiteral("^(\\d{1,5})x(\\d{1,5})\\+(\\d{1,5})\\+(\\d{1,5})$"));
    static const QRegularExpression shape(
        QStringLiteral("^(\\d{1,2}(?:\\.\\d{1,3})?)(?::(\\d{1,2}(?:\\.\\d{1,3})?))?$"));
    pgs::PicturePlacement& placement = state.options.placement;
    const QString given = value.trimmed();
    if (const auto r = rectangle.match(given); r.hasMatch()) {
        const QRect area(r.captured(3).toInt(), r.captured(4).toInt(), r.captured(1).toInt(),
                         r.captured(2).toInt());
        if (!area.isEmpty()) {
            placement.keepInside = area;
            placement.keepInsideShape = 0;
            return QString();
        }
    } else if (const auto m = shape.match(given); m.hasMatch()) {
        const double over = m.captured(2).isEmpty() ? 1.0 : m.captured(2).toDouble();
        const double ratio = over > 0 ? m.captured(1).toDouble() / over : 0;
        if (ratio >= 1.0 && ratio <= 4.0) {
            placement.keepInsideShape = ratio;
            placement.keepInside = QRect();
            return QString();
        }
    }
    return QStringLiteral("--keep-inside takes a film's shape from 1 to 4 (2.40, 2.39:1, 21:9) "
                          "or a rectangle WxH+X+Y, not '%1'")
        .arg(value);
}

QString ChooseForced(ParseState& state, ForcedChoice choice)
{
    ForcedChoice& chosen = state.options.retiming.forced;
    if (chosen != ForcedChoice::Keep && chosen != choice)
        return QStringLiteral("--forced-only and --drop-forced leave nothing together: give one");
    chosen = choice;
    return QString();
}

} // namespace lumelle
