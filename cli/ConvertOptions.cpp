#include "cli/ConvertOptions.h"

#include "platform/IniStore.h"
#include "render/FontNames.h"
#include "render/Renderer.h"
#include "render/WidthCheck.h"
#include "vobsub/Languages.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

struct NamedColour
{
    const char* name;
    ColorValue value;
};

// The fifteen colours of the window's standard list, by their plain names.
const NamedColour kColourNames[] = {
    {"black", makeColor(0, 0, 0)},       {"gray", makeColor(128, 128, 128)},
    {"white", makeColor(255, 255, 255)}, {"maroon", makeColor(128, 0, 0)},
    {"green", makeColor(0, 128, 0)},     {"olive", makeColor(128, 128, 0)},
    {"navy", makeColor(0, 0, 128)},      {"purple", makeColor(128, 0, 128)},
    {"teal", makeColor(0, 128, 128)},    {"silver", makeColor(192, 192, 192)},
    {"red", makeColor(255, 0, 0)},       {"lime", makeColor(0, 255, 0)},
    {"yellow", makeColor(255, 255, 0)},  {"fuchsia", makeColor(255, 0, 255)},
    {"aqua", makeColor(0, 255, 255)},
};

struct NamedMode
{
    const char* name;
    PaletteMode mode;
};
const NamedMode kModes[] = {
    {"pc", PaletteMode::PcOnly},
    {"dvd", PaletteMode::DvdOnly},
    {"two", PaletteMode::PcDvdTwoPalettes},
    {"safe", PaletteMode::PcDvdSafePalette},
};

// Options whose value is one entry of a list of the window.
struct ListOption
{
    const char* shortName;
    const char* longName;
    const char* what;
    const QStringList& (*items)();
    void (*apply)(ConvertOptions&, const QString&);
};

const ListOption kListOptions[] = {
    {"-r", "--fps", "frame rate", FrameRateTexts,
     [](ConvertOptions& o, const QString& v) {
         o.fpsText = v;
         o.settings.videoStandard = VideoStandardFromFps(v);
     }},
    {"-s", "--size", "font size", FontSizeTexts,
     [](ConvertOptions& o, const QString& v) { o.settings.fontSize = v.toInt(); }},
    {nullptr, "--style", "style", StyleNames,
     [](ConvertOptions& o, const QString& v) { o.settings.fontStyle = FontStyleFromName(v); }},
    {nullptr, "--charset", "character set", CharsetNames,
     [](ConvertOptions& o, const QString& v) { o.settings.charset = FontCharsetFromName(v); }},
    {nullptr, "--outline", "outline width", OutlineWidthTexts,
     [](ConvertOptions& o, const QString& v) { o.settings.outlineWidth = v.toInt(); }},
    {nullptr, "--align", "alignment", AlignNames,
     [](ConvertOptions& o, const QString& v) { o.settings.align = v; }},
};

const ListOption* findListOption(const QString& arg)
{
    for (const ListOption& option : kListOptions) {
        if ((option.shortName && arg == QLatin1String(option.shortName)) ||
            arg == QLatin1String(option.longName))
            return &option;
    }
    return nullptr;
}

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// The option's value, or an error naming the option.
struct Args
{
    QStringList list;
    int pos = 1;
    QString error;

    bool more() const { return pos < list.size(); }
    QString next() { return list.at(pos++); }
    bool value(const QString& option, QString& out)
    {
        if (pos >= list.size()) {
            error = QStringLiteral("option %1 needs a value").arg(option);
            return false;
        }
        out = list.at(pos++);
        return true;
    }
};

} // namespace

bool ParseColour(const QString& text, ColorValue& colour)
{
    QString t = text.trimmed().toLower();
    if (t.startsWith(QLatin1String("cl")))
        t = t.mid(2);
    if (t == QLatin1String("grey"))
        t = QStringLiteral("gray");
    for (const NamedColour& named : kColourNames) {
        if (t == QLatin1String(named.name)) {
            colour = named.value;
            return true;
        }
    }
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
            if (!parseInt(parts[i], rgb[i]) || rgb[i] < 0 || rgb[i] > 255)
                return false;
        }
        colour = makeColor(rgb[0], rgb[1], rgb[2]);
        return true;
    }
    return false;
}

ParseOutcome ParseConvertOptions(const QStringList& arguments, ConvertOptions& options,
                                 QString& error)
{
    Args args;
    args.list = arguments;
    bool textSet = false, outlineSet = false, antialiasSet = false;
    auto fail = [&](const QString& message) {
        error = message;
        return ParseOutcome::Error;
    };

    while (args.more()) {
        const QString arg = args.next();
        QString v;
        auto needValue = [&]() { return args.value(arg, v); };
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            return ParseOutcome::Help;
        } else if (arg == QLatin1String("--list")) {
            options.listOnly = true;
        } else if (const ListOption* listOption = findListOption(arg)) {
            // A value that must be one entry of the window's list.
            if (!needValue())
                return fail(args.error);
            const QStringList& items = listOption->items();
            if (!items.contains(v))
                return fail(
                    QStringLiteral("%1 must be one of %2, not '%3'")
                        .arg(QLatin1String(listOption->what), items.join(QStringLiteral(", ")), v));
            listOption->apply(options, v);
        } else if (arg == QLatin1String("-f") || arg == QLatin1String("--font")) {
            if (!needValue())
                return fail(args.error);
            options.settings.fontName = v;
        } else if (arg == QLatin1String("--offset")) {
            int n = 0;
            if (!needValue())
                return fail(args.error);
            if (!parseInt(v, n) || n < 8 || n > 492)
                return fail(
                    QStringLiteral("offset must be a whole number from 8 to 492, not '%1'").arg(v));
            options.settings.offset = n;
        } else if (arg == QLatin1String("--offset-or")) {
            int n = 0;
            if (!needValue())
                return fail(args.error);
            if (!parseInt(v, n) || n < -14 || n > 0)
                return fail(
                    QStringLiteral("line gap must be a whole number from -14 to 0, not '%1'")
                        .arg(v));
            // Like the window's track bar: an odd value moves up to the next even one.
            options.settings.offset_or = (n % 2 != 0) ? n + 1 : n;
        } else if (arg == QLatin1String("--text-color") ||
                   arg == QLatin1String("--outline-color") ||
                   arg == QLatin1String("--antialias-color")) {
            ColorValue c = 0;
            if (!needValue())
                return fail(args.error);
            if (!ParseColour(v, c))
                return fail(QStringLiteral("cannot read the colour '%1' (use a name such as white, "
                                           "#RRGGBB or R,G,B)")
                                .arg(v));
            if (arg == QLatin1String("--text-color")) {
                options.settings.textColor = c;
                textSet = true;
            } else if (arg == QLatin1String("--outline-color")) {
                options.settings.outlineColor = c;
                outlineSet = true;
            } else {
                options.settings.antialiasColor = c;
                antialiasSet = true;
            }
        } else if (arg == QLatin1String("--palette")) {
            if (!needValue())
                return fail(args.error);
            bool found = false;
            for (const NamedMode& m : kModes) {
                if (v == QLatin1String(m.name)) {
                    options.mode = m.mode;
                    found = true;
                }
            }
            if (!found)
                return fail(
                    QStringLiteral("palette must be pc, dvd, two or safe, not '%1'").arg(v));
        } else if (arg == QLatin1String("--language")) {
            if (!needValue())
                return fail(args.error);
            static const QRegularExpression code(QStringLiteral("^[a-z]{2}$"));
            if (!code.match(v).hasMatch())
                return fail(
                    QStringLiteral("language must be a two-letter code such as en, not '%1'")
                        .arg(v));
            options.languageText = v;
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            if (!needValue())
                return fail(args.error);
            options.outputFolder = v;
        } else if (arg == QLatin1String("--settings")) {
            if (!needValue())
                return fail(args.error);
            options.settingsFile = v;
            QString settingsError;
            if (!ApplySettingsFile(v, options, settingsError))
                return fail(settingsError);
            // The file's colours are the window's choice; options after it may still change them.
            textSet = outlineSet = antialiasSet = true;
        } else if (arg == QLatin1String("--")) {
            while (args.more())
                options.files << args.next();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return fail(QStringLiteral("unknown option %1").arg(arg));
        } else {
            options.files << arg;
        }
    }

    // The safe palette offers other colours; its defaults stand where none was given.
    if (options.mode == PaletteMode::PcDvdSafePalette) {
        if (!antialiasSet)
            options.settings.antialiasColor = makeColor(127, 127, 127);
        if (!outlineSet)
            options.settings.outlineColor = makeColor(0, 30, 0);
        if (!textSet)
            options.settings.textColor = makeColor(255, 230, 20);
    }
    if (options.files.isEmpty())
        return fail(QStringLiteral("no subtitle file given"));
    return ParseOutcome::Run;
}

QString ConvertHelpText()
{
    return QStringLiteral(
        "Usage: lumelle-convert [options] FILE...\n"
        "Converts SubRip (.srt) and MicroDVD (.sub, .txt) subtitle files into VobSub pairs\n"
        "(.idx and .sub) with the help file, as the window's \"Generate Vobsub\" does.\n"
        "The pair is written beside each subtitle file unless --output is given; a MicroDVD\n"
        ".sub input is never overwritten (the pair is then named NAME_vobsub.idx/.sub).\n"
        "Every line is checked against the 680-pixel width first; a file with a line too wide\n"
        "is refused and nothing is written for it.\n"
        "\n"
        "Options (defaults are those of the window):\n"
        "  -r, --fps RATE           frame rate: 23976, 24000, 25000, 29970, 30000 (25000);\n"
        "                           25000 gives PAL 720x576, every other rate NTSC 720x480\n"
        "  -f, --font NAME          font name (Arial)\n"
        "  -s, --size POINTS        font size: 6 to 30, then 32 to 50 in steps of 2 (20)\n"
        "      --style NAME         Normal, Bold, Italic, Underline, Bold+Italic, Bold+Under,\n"
        "                           Bold+It+Und, Italic+Under, StrikeOut (Normal)\n"
        "      --charset NAME       how the subtitle's bytes are read: ANSI, ARABIC, BALTIC,\n"
        "                           CHINESEBIG5, DEFAULT (UTF-8 when valid), EASTEUROPE, GB2312,\n"
        "                           GREEK, HANGEUL, HEBREW, JOHAB, MAC, OEM, RUSSIAN, SHIFTJIS,\n"
        "                           SYMBOL, THAI, TURKISH, VIETNAMESE (DEFAULT)\n"
        "      --outline N          outline width in pixels: 2, 3 or 4 (3)\n"
        "      --align A            center, left or right (center)\n"
        "      --offset N           bottom of the first line above the frame's bottom, minus 40\n"
        "                           pixels: 8 to 492 (30)\n"
        "      --offset-or N        gap between the two lines: -14 to 0, even (-4)\n"
        "      --text-color C       text colour (white)\n"
        "      --outline-color C    outline colour (black)\n"
        "      --antialias-color C  antialias ring colour (gray)\n"
        "                           C is a name (black, gray, white, maroon, green, olive, navy,\n"
        "                           purple, teal, silver, red, lime, yellow, fuchsia, aqua),\n"
        "                           #RRGGBB or R,G,B\n"
        "      --palette MODE       pc (RGB palette), dvd (Y/Cr/Cb palette), two (both, the\n"
        "                           default) or safe (RGB palette; default colours 127,127,127\n"
        "                           / 0,30,0 / 255,230,20)\n"
        "      --language CODE      two-letter language code of the stream (el)\n"
        "  -o, --output DIR         write the pair and the help file into DIR\n"
        "      --settings FILE      take the settings from the window's settings file; options\n"
        "                           given after it override them\n"
        "      --list               only print the subtitles as read; write nothing\n"
        "  -h, --help               show this text\n"
        "\n"
        "Ctrl+C stops a conversion after the current subtitle; the pair then holds every\n"
        "subtitle finished so far. The exit status is 0 when every file was converted.\n");
}

bool ApplySettingsFile(const QString& path, ConvertOptions& options, QString& error)
{
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("settings file %1 does not exist").arg(path);
        return false;
    }
    platform::IniStore store;
    QString loadError;
    if (!store.load(path, &loadError)) {
        error = loadError;
        return false;
    }
    // Each stored list index picks the entry of the same list the window shows; an index
    // outside the list, or a value that cannot be read, leaves that setting as it was.
    const auto pick = [&store](const char* key,
                               const QStringList& items) -> std::optional<QString> {
        const std::optional<int> index =
            store.tryReadInteger(QStringLiteral("Form1\\") + QLatin1String(key));
        if (!index || *index < 0 || *index >= items.size())
            return std::nullopt;
        return items.at(*index);
    };
    RenderSettings& s = options.settings;
    QStringList fonts = InstalledFontNames();
    fonts.prepend(QStringLiteral("Arial"));
    if (const auto v = pick("ComboBox5_ItemIndex", fonts))
        s.fontName = *v;
    if (const auto v = pick("ComboBoxFontSize_ItemIndex", FontSizeTexts()))
        s.fontSize = v->toInt();
    if (const auto v = pick("ComboBox7_ItemIndex", CharsetNames()))
        s.charset = FontCharsetFromName(*v);
    if (const auto v = pick("ComboBox8_ItemIndex", StyleNames()))
        s.fontStyle = FontStyleFromName(*v);
    if (const auto v = pick("ComboBoxAlign_ItemIndex", AlignNames()))
        s.align = *v;
    if (const auto v = pick("ComboBoxFps_ItemIndex", FrameRateTexts())) {
        options.fpsText = *v;
        s.videoStandard = VideoStandardFromFps(*v);
    }
    if (const auto v = pick("ComboBoxOutlineWidth_ItemIndex", OutlineWidthTexts()))
        s.outlineWidth = v->toInt();
    if (const auto v = pick("ComboBoxVobsubLanguage_ItemIndex", VobsubLanguageNames()))
        options.languageText = *v;
    if (const auto c =
            store.tryReadColor(QStringLiteral("Form1\\JvColorButtonAntialias_ColorValue")))
        s.antialiasColor = *c;
    if (const auto c = store.tryReadColor(QStringLiteral("Form1\\JvColorButtonOutline_ColorValue")))
        s.outlineColor = *c;
    if (const auto c = store.tryReadColor(QStringLiteral("Form1\\JvColorButtonText_ColorValue")))
        s.textColor = *c;
    if (const auto n = store.tryReadInteger(QStringLiteral("Form1\\offset_Position")))
        s.offset = std::clamp(*n, 8, 492);
    if (const auto n = store.tryReadInteger(QStringLiteral("Form1\\offset_or_Position"))) {
        const int gap = std::clamp(*n, -14, 0);
        s.offset_or = gap % 2 != 0 ? gap + 1 : gap;
    }
    // The radio buttons in their stored order; the last one stored as checked wins.
    const struct
    {
        const char* key;
        PaletteMode mode;
    } radios[] = {{"RadioButtonDVD_Checked", PaletteMode::DvdOnly},
                  {"RadioButtonPC_Checked", PaletteMode::PcOnly},
                  {"RadioButtonPCDVD1_Checked", PaletteMode::PcDvdTwoPalettes},
                  {"RadioButtonPCDVD2_Checked", PaletteMode::PcDvdSafePalette}};
    for (const auto& radio : radios) {
        const std::optional<bool> checked =
            store.tryReadBoolean(QStringLiteral("FormColorOptions\\") + QLatin1String(radio.key));
        if (checked && *checked)
            options.mode = radio.mode;
    }
    return true;
}

QString FirstTooWideSubtitle(const TSubtitle& list, const RenderSettings& settings)
{
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& l = list.line(i);
        if (!SubtitleFitsWidth(l.Line1, l.Line2, settings))
            return TooLongMessage(l.Line1, l.Line2, settings.charset, kTooLongAfterLoad);
    }
    return QString();
}

} // namespace lumelle
