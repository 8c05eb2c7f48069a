#include "settings/SettingsTable.h"

#include "platform/StoredValues.h"
#include "settings/FontNames.h"

namespace lumelle {

const std::array<ColorValue, 15>& StandardColours()
{
    static const std::array<ColorValue, 15> colours = [] {
        // By the names of the one colour table, in the order the lists show them.
        const char* const names[15] = {"clBlack", "clGray", "clWhite",  "clMaroon",  "clGreen",
                                       "clOlive", "clNavy", "clPurple", "clTeal",    "clSilver",
                                       "clRed",   "clLime", "clYellow", "clFuchsia", "clAqua"};
        std::array<ColorValue, 15> values{};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = platform::colorFromName(QString::fromLatin1(names[i])).value();
        return values;
    }();
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
        storedProp(control::kOutputFolder, "Caption"),
        storedProp(control::kOutputForm, "Caption"),
        storedProp(control::kRollingCaptions, "Checked"),
        storedProp(control::kFrameSize, "Caption"),
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
