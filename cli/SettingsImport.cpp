#include "cli/SettingsImport.h"

#include "platform/IniStore.h"
#include "platform/SystemNames.h"
#include "settings/SettingsTable.h"
#include "vobsub/Languages.h"

#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

QString mainWindowKey(const char* controlName, const char* property)
{
    return SettingsKey(QLatin1String(kMainWindowSection), QLatin1String(controlName),
                       QLatin1String(property));
}

// Each stored list index picks the entry of the same list the window shows; an index outside
// the list, or a value that cannot be read, leaves that setting as it was.
std::optional<QString> storedListEntry(const platform::IniStore& store, const char* controlName,
                                       const QStringList& items)
{
    const std::optional<int> index = store.tryReadInteger(mainWindowKey(controlName, "ItemIndex"));
    if (!index || *index < 0 || *index >= items.size())
        return std::nullopt;
    return items.at(*index);
}

void readStoredLists(const platform::IniStore& store, ConvertOptions& options)
{
    RenderSettings& s = options.settings;
    if (const auto v = storedListEntry(store, control::kFontName, FontListNames()))
        s.fontName = *v;
    if (const auto v = storedListEntry(store, control::kFontSize, FontSizeTexts()))
        s.fontSize = v->toInt();
    if (const auto v = storedListEntry(store, control::kCharset, CharsetNames()))
        s.charset = FontCharsetFromName(*v);
    if (const auto v = storedListEntry(store, control::kStyle, StyleNames()))
        s.fontStyle = FontStyleFromName(*v);
    if (const auto v = storedListEntry(store, control::kAlign, AlignNames()))
        s.align = *v;
    if (const auto v = storedListEntry(store, control::kFps, FrameRateTexts())) {
        options.fpsText = *v;
        s.videoStandard = VideoStandardFromFps(*v);
    }
    if (const auto v = storedListEntry(store, control::kOutlineWidth, OutlineWidthTexts()))
        s.outlineWidth = v->toInt();
    if (const auto v = storedListEntry(store, control::kLanguage, VobsubLanguageNames()))
        options.languageText = *v;
}

// The colours as stored, and the track bar positions held in the bars' ranges.
void readStoredColoursAndOffsets(const platform::IniStore& store, RenderSettings& s)
{
    if (const auto c = store.tryReadColor(mainWindowKey(control::kAntialiasColour, "ColorValue")))
        s.antialiasColor = *c;
    if (const auto c = store.tryReadColor(mainWindowKey(control::kOutlineColour, "ColorValue")))
        s.outlineColor = *c;
    if (const auto c = store.tryReadColor(mainWindowKey(control::kTextColour, "ColorValue")))
        s.textColor = *c;
    if (const auto n = store.tryReadInteger(mainWindowKey(control::kOffset, "Position")))
        s.offset = std::clamp(*n, kOffsetMin, kOffsetMax);
    if (const auto n = store.tryReadInteger(mainWindowKey(control::kLineGap, "Position")))
        s.offset_or = EvenLineGap(std::clamp(*n, kLineGapMin, kLineGapMax));
}

// The radio buttons in their stored order; the last one stored as checked wins.
void readStoredPaletteMode(const platform::IniStore& store, ConvertOptions& options)
{
    const struct
    {
        const char* controlName;
        PaletteMode mode;
    } radios[] = {{control::kPaletteDvd, PaletteMode::DvdOnly},
                  {control::kPalettePc, PaletteMode::PcOnly},
                  {control::kPaletteTwo, PaletteMode::PcDvdTwoPalettes},
                  {control::kPaletteSafe, PaletteMode::PcDvdSafePalette}};
    for (const auto& radio : radios) {
        const std::optional<bool> checked = store.tryReadBoolean(
            SettingsKey(QLatin1String(kColorOptionsSection), QLatin1String(radio.controlName),
                        QStringLiteral("Checked")));
        if (checked && *checked)
            options.mode = radio.mode;
    }
}

// The window's "Wrap long lines" box; files written before it existed leave the default.
void readStoredWrap(const platform::IniStore& store, RenderSettings& settings)
{
    const std::optional<bool> checked = store.tryReadBoolean(
        SettingsKey(QLatin1String(kMainWindowSection), QLatin1String(control::kWrapLines),
                    QStringLiteral("Checked")));
    if (checked)
        settings.wrapLongLines = *checked;
}

} // namespace

bool ApplySettingsFile(const QString& path, ConvertOptions& options, QString& error)
{
    const NameKind kind = KindOfName(path);
    if (kind != NameKind::File) {
        error =
            QString::fromLatin1(kind != NameKind::Missing ? "settings file %1 is not a regular file"
                                                          : "settings file %1 does not exist")
                .arg(ReadableName(path));
        return false;
    }
    platform::IniStore store;
    QString loadError;
    if (!store.load(path, &loadError)) {
        error = loadError;
        return false;
    }
    readStoredLists(store, options);
    readStoredColoursAndOffsets(store, options.settings);
    readStoredPaletteMode(store, options);
    readStoredWrap(store, options.settings);
    return true;
}

} // namespace lumelle
