#include "settings/SettingsTable.h"

#include "settings/FontNames.h"

namespace lumelle {

const std::array<StandardColour, 15>& StandardColours()
{
    static const std::array<StandardColour, 15> colours{{
        {"black", makeColor(0, 0, 0)},
        {"gray", makeColor(128, 128, 128)},
        {"white", makeColor(255, 255, 255)},
        {"maroon", makeColor(128, 0, 0)},
        {"green", makeColor(0, 128, 0)},
        {"olive", makeColor(128, 128, 0)},
        {"navy", makeColor(0, 0, 128)},
        {"purple", makeColor(128, 0, 128)},
        {"teal", makeColor(0, 128, 128)},
        {"silver", makeColor(192, 192, 192)},
        {"red", makeColor(255, 0, 0)},
        {"lime", makeColor(0, 255, 0)},
        {"yellow", makeColor(255, 255, 0)},
        {"fuchsia", makeColor(255, 0, 255)},
        {"aqua", makeColor(0, 255, 255)},
    }};
    return colours;
}

const std::array<ColorValue, 7>& SafeColours()
{
    static const std::array<ColorValue, 7> colours{
        makeColor(0, 30, 0),    makeColor(127, 127, 127), makeColor(255, 230, 20),
        makeColor(80, 130, 30), makeColor(255, 200, 255), makeColor(29, 80, 15),
        makeColor(0, 55, 0),
    };
    return colours;
}

QStringList FontListNames()
{
    QStringList names = InstalledFontNames();
    names.prepend(QStringLiteral("Arial"));
    return names;
}

namespace {

QString storedProp(const char* controlName, const char* property)
{
    return QLatin1String(controlName) + QLatin1Char('.') + QLatin1String(property);
}

} // namespace

const QStringList& MainWindowStoredProps()
{
    static const QStringList props = {
        storedProp(control::kPicturePal, "Caption"),
        storedProp(control::kPictureNtsc, "Caption"),
        storedProp(control::kFontName, "ItemIndex"),
        storedProp(control::kFontSize, "ItemIndex"),
        storedProp(control::kCharset, "ItemIndex"),
        storedProp(control::kStyle, "ItemIndex"),
        storedProp(control::kAlign, "ItemIndex"),
        storedProp(control::kFps, "ItemIndex"),
        storedProp(control::kOutlineWidth, "ItemIndex"),
        storedProp(control::kLanguage, "ItemIndex"),
        storedProp(control::kAntialiasColour, "ColorValue"),
        storedProp(control::kOutlineColour, "ColorValue"),
        storedProp(control::kTextColour, "ColorValue"),
        storedProp(control::kOffset, "Position"),
        storedProp(control::kLineGap, "Position"),
        // Added after the keys of older settings files, which read the same and keep their order.
        storedProp(control::kWrapLines, "Checked"),
    };
    return props;
}

const QStringList& ColorOptionsStoredProps()
{
    static const QStringList props = {
        storedProp(control::kPaletteDvd, "Checked"),
        storedProp(control::kPalettePc, "Checked"),
        storedProp(control::kPaletteTwo, "Checked"),
        storedProp(control::kPaletteSafe, "Checked"),
    };
    return props;
}

QString SettingsKey(const QString& section, const QString& name)
{
    return section + QLatin1Char('\\') + name;
}

QString SettingsKey(const QString& section, const QString& controlName, const QString& property)
{
    return SettingsKey(section, controlName + QLatin1Char('_') + property);
}

} // namespace lumelle
