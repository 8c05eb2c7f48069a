#include "cli/ConvertOptions.h"

#include "platform/IniStore.h"
#include "render/Renderer.h"
#include "settings/SettingsTable.h"
#include "render/TextBlock.h"
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
    {"-j", "--jobs",
     [](ParseState& s, const QString& v) {
         return readWholeNumber(v, "jobs", 1, kMaxJobs, s.options.jobs);
     }},
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

// The switch `arg` names, or null.
bool* switchFor(const QString& arg, ConvertOptions& options)
{
    const struct
    {
        const char* shortName;
        const char* longName;
        bool ConvertOptions::*member;
    } switches[] = {{"-q", "--quiet", &ConvertOptions::quiet},
                    {nullptr, "--json", &ConvertOptions::json}};
    for (const auto& s : switches) {
        if ((s.shortName && arg == QLatin1String(s.shortName)) || arg == QLatin1String(s.longName))
            return &(options.*s.member);
    }
    return nullptr;
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
        if (arg == QLatin1String("--version"))
            return ParseOutcome::Version;
        if (arg == QLatin1String("--list")) {
            options.listOnly = true;
        } else if (arg == QLatin1String("--wrap")) {
            options.settings.wrapLongLines = true;
        } else if (bool* on = switchFor(arg, options)) {
            *on = true;
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
    if (options.json && options.listOnly)
        return fail(QStringLiteral("--json sums up conversions; it cannot go with --list"));
    if (options.files.isEmpty())
        return fail(QStringLiteral("no subtitle file given"));
    return ParseOutcome::Run;
}

namespace {

// The converter's documentation as data: --help and both manual pages are printed from it.
const HelpOption kHelpOptions[] = {
    {"-r", "--fps", "RATE",
     "frame rate: 23976, 24000, 25000, 29970, 30000 (25000); 25000 gives PAL 720x576, every "
     "other rate NTSC 720x480"},
    {"-f", "--font", "NAME",
     "font name (Arial); an installed family, \"Arial\" or \"Default\", without regard to case"},
    {"-s", "--size", "POINTS", "font size: 6 to 30, then 32 to 50 in steps of 2 (20)"},
    {nullptr, "--style", "NAME",
     "Normal, Bold, Italic, Underline, Bold+Italic, Bold+Under, Bold+It+Und, Italic+Under, "
     "StrikeOut (Normal)"},
    {nullptr, "--charset", "NAME",
     "how the subtitle's bytes are read: ANSI, ARABIC, BALTIC, CHINESEBIG5, DEFAULT (UTF-8 when "
     "valid), EASTEUROPE, GB2312, GREEK, HANGEUL, HEBREW, JOHAB, MAC, OEM, RUSSIAN, SHIFTJIS, "
     "SYMBOL, THAI, TURKISH, VIETNAMESE (DEFAULT)"},
    {nullptr, "--outline", "N", "outline width in pixels: 2, 3 or 4 (3)"},
    {nullptr, "--align", "A", "center, left or right (center)"},
    {nullptr, "--offset", "N",
     "bottom of the first line above the frame's bottom, minus 40 pixels: 8 to 492 (30)"},
    {nullptr, "--offset-or", "N", "gap between the two lines: -14 to 0, even (-4)"},
    {nullptr, "--wrap", nullptr,
     "break lines too wide for the frame at a space instead of refusing the file"},
    {nullptr, "--text-color", "C", "text colour (white)"},
    {nullptr, "--outline-color", "C", "outline colour (black)"},
    {nullptr, "--antialias-color", "C",
     "antialias ring colour (gray); C is a name (black, gray, white, maroon, green, olive, navy, "
     "purple, teal, silver, red, lime, yellow, fuchsia, aqua), #RRGGBB or R,G,B"},
    {nullptr, "--palette", "MODE",
     "pc (RGB palette), dvd (Y/Cr/Cb palette), two (both, the default) or safe (RGB palette; "
     "default colours 127,127,127 / 0,30,0 / 255,230,20); for mpv, VLC, ffmpeg-based players "
     "and Matroska files pick pc"},
    {nullptr, "--language", "CODE", "two-letter language code of the stream (el)"},
    {"-o", "--output", "DIR",
     "write the pair and the help file into DIR, which is created when it does not exist"},
    {nullptr, "--settings", "FILE",
     "take the settings from the window's settings file; options given after it override them"},
    {"-j", "--jobs", "N",
     "check line widths, draw and encode on N threads (default: one per processor core; 1 "
     "does everything in turn); the output is the same for any N"},
    {nullptr, "--list", nullptr, "only print the subtitles as read; write nothing"},
    {"-q", "--quiet", nullptr, "print nothing but problems"},
    {nullptr, "--json", nullptr,
     "print a summary for scripts on standard output instead of a line per file: per file the "
     "subtitles written, the entries skipped and the paths written"},
    {nullptr, "--version", nullptr, "print the version and stop"},
    {"-h", "--help", nullptr, "show this text"},
};

const HelpStatus kHelpStatuses[] = {
    {0, "every file was converted"},
    {1, "a file could not be read, converted or written, or the run was aborted"},
    {2, "bad usage: an unknown option, a value out of range or no file"},
    {3, "converted, but entries that could not be read were skipped (each is named on standard "
        "error with its line and reason)"},
};

const HelpPaletteRow kPaletteRows[] = {
    {"stand-alone DVD and DivX players", "two (the default) or dvd"},
    {"DVD authoring", "dvd or two"},
    {"mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge", "pc or safe"},
    {"players with the custom-colour extension", "two or pc"},
};

const char* const kHelpDescription[] = {
    "Converts SubRip (.srt) and MicroDVD (.sub, .txt) subtitle files into VobSub pairs (.idx and "
    ".sub) with the help file, as the window's \"Generate Vobsub\" does.",
    "The pair is written beside each subtitle file unless --output is given; a MicroDVD .sub "
    "input is never overwritten (the pair is then named NAME_vobsub.idx/.sub). Every line is "
    "checked against the 680-pixel width first; a file with a line too wide is refused and "
    "nothing is written for it.",
    "Ctrl+C stops a conversion after the current subtitle; the pair then holds every subtitle "
    "finished so far.",
};

// `text` broken into lines of at most `width` characters at spaces.
QStringList wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// `text` wrapped to 79 columns, each line after `lead` indented as far as `lead` is long.
QString hangingParagraph(const QString& lead, const QString& text)
{
    const int indent = int(lead.size());
    QString out;
    const QStringList lines = wrapped(text, 79 - indent);
    for (int i = 0; i < lines.size(); ++i)
        out += (i == 0 ? lead : QString(indent, QLatin1Char(' '))) + lines[i] + QLatin1Char('\n');
    return out;
}

} // namespace

HelpDocument ConvertHelpDocument()
{
    return {kHelpDescription, kHelpOptions, kHelpStatuses, kPaletteRows};
}

QString HelpOptionLabel(const HelpOption& option)
{
    QString label = option.shortName ? QLatin1String(option.shortName) + QStringLiteral(", ")
                                     : QStringLiteral("    ");
    label += QLatin1String(option.longName);
    if (option.value)
        label += QLatin1Char(' ') + QLatin1String(option.value);
    return label;
}

QString ConvertHelpText()
{
    const HelpDocument doc = ConvertHelpDocument();
    QString text = QStringLiteral("Usage: lumelle-convert [options] FILE...\n");
    for (const char* paragraph : doc.description)
        text += QLatin1Char('\n') + hangingParagraph(QString(), QLatin1String(paragraph));
    text += QStringLiteral("\nOptions (defaults are those of the window):\n");
    for (const HelpOption& option : doc.options)
        text += hangingParagraph(
            QStringLiteral("  %1").arg(HelpOptionLabel(option)).leftJustified(27), option.text);
    text += QStringLiteral("\nWhich palette mode? The default shows white text pink in mpv, VLC "
                           "and ffmpeg:\n");
    for (const HelpPaletteRow& row : doc.palette)
        text += hangingParagraph(QStringLiteral("  %1: ").arg(QLatin1String(row.mode)),
                                 QLatin1String(row.use));
    text += QStringLiteral("\nExit status:\n");
    for (const HelpStatus& status : doc.statuses)
        text += hangingParagraph(QStringLiteral("  %1  ").arg(status.code), status.text);
    return text;
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
    readStoredWrap(store, options.settings);
    return true;
}

QString FirstTooWideSubtitle(const TSubtitle& list, RenderSettings settings, int threads)
{
    const int first = FirstTooWideEntry(list, settings, threads);
    if (first == 0)
        return QString();
    const SubtitleLine& l = list.line(first);
    QString message = TooLongMessage(l.Line1, LinesAfterFirst(l), kTooLongAfterLoad);
    if (EntryFitsWhenWrapped(l, settings))
        message += QStringLiteral("\r--wrap would break the line to fit.");
    return message;
}

} // namespace lumelle
