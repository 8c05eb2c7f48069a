#include "cli/ConvertOptions.h"

#include "platform/IniStore.h"
#include "render/Renderer.h"
#include "render/SettingsTable.h"
#include "render/WidthCheck.h"
#include "vobsub/Languages.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

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

// A value that must be one entry of the window's list; the problem, or an empty text.
QString applyListOption(const ListOption& option, ConvertOptions& options, const QString& value)
{
    const QStringList& items = option.items();
    if (!items.contains(value))
        return QStringLiteral("%1 must be one of %2, not '%3'")
            .arg(QLatin1String(option.what), items.join(QStringLiteral(", ")), value);
    option.apply(options, value);
    return QString();
}

// The options being read, and which colours were chosen so far: the safe palette's defaults
// stand only where no colour was given.
struct ParseState
{
    ConvertOptions& options;
    bool textSet = false;
    bool outlineSet = false;
    bool antialiasSet = false;
};

// Options with a free value; `apply` checks the value and returns the problem, or an empty text.
struct ValueOption
{
    const char* shortName;
    const char* longName;
    QString (*apply)(ParseState&, const QString&);
};

QString applyColour(const QString& value, ColorValue& colour, bool& chosen)
{
    if (!ParseColour(value, colour))
        return QStringLiteral(
                   "cannot read the colour '%1' (use a name such as white, #RRGGBB or R,G,B)")
            .arg(value);
    chosen = true;
    return QString();
}

// A whole number from `min` to `max` into `number`; the problem, or an empty text.
QString readWholeNumber(const QString& value, const char* what, int min, int max, int& number)
{
    if (parseInt(value, number) && number >= min && number <= max)
        return QString();
    return QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
        .arg(QLatin1String(what), QString::number(min), QString::number(max), value);
}

QString applyOffset(ParseState& state, const QString& value)
{
    int n = 0;
    const QString problem = readWholeNumber(value, "offset", kOffsetMin, kOffsetMax, n);
    if (problem.isEmpty())
        state.options.settings.offset = n;
    return problem;
}

QString applyLineGap(ParseState& state, const QString& value)
{
    int n = 0;
    const QString problem = readWholeNumber(value, "line gap", kLineGapMin, kLineGapMax, n);
    if (problem.isEmpty())
        state.options.settings.offset_or = EvenLineGap(n);
    return problem;
}

QString applyPalette(ParseState& state, const QString& value)
{
    for (const NamedMode& m : kModes) {
        if (value == QLatin1String(m.name)) {
            state.options.mode = m.mode;
            return QString();
        }
    }
    return QStringLiteral("palette must be pc, dvd, two or safe, not '%1'").arg(value);
}

QString applyLanguage(ParseState& state, const QString& value)
{
    static const QRegularExpression code(QStringLiteral("^[a-z]{2}$"));
    if (!code.match(value).hasMatch())
        return QStringLiteral("language must be a two-letter code such as en, not '%1'").arg(value);
    state.options.languageText = value;
    return QString();
}

QString applySettings(ParseState& state, const QString& value)
{
    state.options.settingsFile = value;
    QString problem;
    if (!ApplySettingsFile(value, state.options, problem))
        return problem;
    // The file's colours are the window's choice; options after it may still change them.
    state.textSet = state.outlineSet = state.antialiasSet = true;
    return QString();
}

const ValueOption kValueOptions[] = {
    {"-f", "--font",
     [](ParseState& s, const QString& v) {
         s.options.settings.fontName = v;
         return QString();
     }},
    {nullptr, "--offset", applyOffset},
    {nullptr, "--offset-or", applyLineGap},
    {nullptr, "--text-color",
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.textColor, s.textSet);
     }},
    {nullptr, "--outline-color",
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.outlineColor, s.outlineSet);
     }},
    {nullptr, "--antialias-color",
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.antialiasColor, s.antialiasSet);
     }},
    {nullptr, "--palette", applyPalette},
    {nullptr, "--language", applyLanguage},
    {"-o", "--output",
     [](ParseState& s, const QString& v) {
         s.options.outputFolder = v;
         return QString();
     }},
    {nullptr, "--settings", applySettings},
};

template <typename Option, std::size_t N>
const Option* findOption(const Option (&table)[N], const QString& arg)
{
    for (const Option& option : table) {
        if ((option.shortName && arg == QLatin1String(option.shortName)) ||
            arg == QLatin1String(option.longName))
            return &option;
    }
    return nullptr;
}

const ListOption* findListOption(const QString& arg)
{
    return findOption(kListOptions, arg);
}

const ValueOption* findValueOption(const QString& arg)
{
    return findOption(kValueOptions, arg);
}

// The safe palette offers other colours; its defaults stand where none was given.
void applySafePaletteDefaults(ParseState& state)
{
    if (state.options.mode != PaletteMode::PcDvdSafePalette)
        return;
    RenderSettings& s = state.options.settings;
    if (!state.antialiasSet)
        s.antialiasColor = SafeColours()[kAntialiasColourIndex];
    if (!state.outlineSet)
        s.outlineColor = SafeColours()[kOutlineColourIndex];
    if (!state.textSet)
        s.textColor = SafeColours()[kTextColourIndex];
}

} // namespace

bool ParseColour(const QString& text, ColorValue& colour)
{
    QString t = text.trimmed().toLower();
    if (t.startsWith(QLatin1String("cl")))
        t = t.mid(2);
    if (t == QLatin1String("grey"))
        t = QStringLiteral("gray");
    for (const StandardColour& named : StandardColours()) {
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
    ParseState state{options};
    auto fail = [&](const QString& message) {
        error = message;
        return ParseOutcome::Error;
    };

    while (args.more()) {
        const QString arg = args.next();
        QString value;
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help"))
            return ParseOutcome::Help;
        if (arg == QLatin1String("--list")) {
            options.listOnly = true;
        } else if (arg == QLatin1String("--")) {
            while (args.more())
                options.files << args.next();
        } else if (const ListOption* listOption = findListOption(arg)) {
            if (!args.value(arg, value))
                return fail(args.error);
            if (const QString problem = applyListOption(*listOption, options, value);
                !problem.isEmpty())
                return fail(problem);
        } else if (const ValueOption* valueOption = findValueOption(arg)) {
            if (!args.value(arg, value))
                return fail(args.error);
            if (const QString problem = valueOption->apply(state, value); !problem.isEmpty())
                return fail(problem);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return fail(QStringLiteral("unknown option %1").arg(arg));
        } else {
            options.files << arg;
        }
    }

    applySafePaletteDefaults(state);
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

} // namespace

bool ApplySettingsFile(const QString& path, ConvertOptions& options, QString& error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        error = QString::fromLatin1(info.exists() ? "settings file %1 is not a regular file"
                                                  : "settings file %1 does not exist")
                    .arg(path);
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
