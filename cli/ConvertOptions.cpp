#include "cli/ConvertOptions.h"

#include "pgs/BluRayForm.h"
#include "platform/IniStore.h"
#include "platform/StoredValues.h"
#include "platform/SystemNames.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "settings/SettingsTable.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/SubtitleKinds.h"
#include "vobsub/Languages.h"
#include "vobsub/ProgramStream.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

// The palette modes by the names the option takes, and what each writes.
struct NamedMode
{
    const char* name;
    PaletteMode mode;
    const char* note;
};
const NamedMode kModes[] = {
    {"pc", PaletteMode::PcOnly, "RGB palette"},
    {"dvd", PaletteMode::DvdOnly, "Y/Cr/Cb palette"},
    {"two", PaletteMode::PcDvdTwoPalettes, "both"},
    {"safe", PaletteMode::PcDvdSafePalette, "RGB palette; default colours %1"},
};

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// The options being read, and which colours were chosen so far: the safe palette's defaults
// stand only where no colour was given.
struct ParseState
{
    ConvertOptions& options;
    bool textSet = false;
    bool outlineSet = false;
    bool antialiasSet = false;
    std::optional<ParseOutcome> stop; // --help or --version: the arguments after it are not read
    QString defaultStream;            // --default-stream as given, read once every stream is
};

// One row of the option table: the parser, --help and the manual pages all read it.
struct OptionRow
{
    const char* shortName; // or null
    const char* longName;
    const char* valueName; // the value's placeholder, or null for a switch
    // What the value is, in messages ("frame rate"); null when any value goes.
    const char* what;
    // The values taken: the entries of a list of the window, or whole numbers from min to max.
    const QStringList& (*choices)();
    int min;
    int max;
    // The option's value in `options` as it would be given; null when it has none to give.
    QString (*shown)(const ConvertOptions& options);
    // The help text; it reads the row's choices, range and default.
    QString (*help)(const OptionRow& row);
    // Takes a value that passed the row's checks (the number as read for a range; nothing for
    // a switch); gives the problem with it, or an empty text.
    QString (*apply)(ParseState& state, const QString& value);

    bool isNumber() const { return min < max; }
    QString defaultText() const { return shown ? shown(ConvertOptions()) : QString(); }
};

// "a, b or c" (`lastJoin` " or "), or "a, b, c" (`lastJoin` ", ").
QString listed(const QStringList& items, const char* lastJoin = " or ")
{
    if (items.size() < 2)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) +
           QLatin1String(lastJoin) + items.last();
}

// Whole numbers in runs of one step: "6 to 30, then 32 to 50 in steps of 2".
QString numberRuns(const QStringList& texts)
{
    QStringList runs;
    qsizetype at = 0;
    while (at < texts.size()) {
        const int first = texts[at].toInt();
        qsizetype end = at + 1;
        const int step = end < texts.size() ? texts[end].toInt() - first : 1;
        while (end < texts.size() && texts[end].toInt() - texts[end - 1].toInt() == step)
            ++end;
        QString run = texts[at];
        if (end - at > 1)
            run += QStringLiteral(" to ") + texts[end - 1];
        if (step != 1 && end - at > 1)
            run += QStringLiteral(" in steps of %1").arg(step);
        runs << run;
        at = end;
    }
    return runs.join(QStringLiteral(", then "));
}

QString colourText(ColorValue colour)
{
    if (const std::optional<QString> name = platform::plainColorName(colour))
        return *name;
    return QStringLiteral("%1,%2,%3").arg(redOf(colour)).arg(greenOf(colour)).arg(blueOf(colour));
}

// The colour names the options take: the window's standard set in its order, then the rest.
QString colourNames()
{
    QStringList names;
    for (ColorValue colour : StandardColours())
        names << colourText(colour);
    for (const platform::NamedColor& named : platform::namedColors()) {
        const QString name = colourText(named.value);
        if (!names.contains(name))
            names << name;
    }
    return names.join(QStringLiteral(", "));
}

QString modeName(PaletteMode mode)
{
    for (const NamedMode& m : kModes) {
        if (m.mode == mode)
            return QLatin1String(m.name);
    }
    return QString();
}

QString styleName(const FontStyle& style)
{
    for (const QString& name : StyleNames()) {
        if (FontStyleFromName(name) == style)
            return name;
    }
    return QString();
}

QString charsetName(quint8 charset)
{
    const qsizetype index = CharsetNumbers().indexOf(charset);
    return index < 0 ? QString() : CharsetNames().at(index);
}

QString frameSize(VideoStandard standard)
{
    return QStringLiteral("%1x%2").arg(frameWidth(standard)).arg(frameHeight(standard));
}

// The frame rate that gives PAL; every other rate gives NTSC.
QString palRate()
{
    for (const QString& rate : FrameRateTexts()) {
        if (VideoStandardFromFps(rate) == VideoStandard::PAL)
            return rate;
    }
    return QString();
}

QString applyColour(const QString& value, ColorValue& colour, bool& chosen)
{
    if (!ParseColour(value, colour))
        return QStringLiteral(
                   "cannot read the colour '%1' (use a name such as white, #RRGGBB or R,G,B)")
            .arg(value);
    chosen = true;
    return QString();
}

QString applyPalette(ParseState& state, const QString& value)
{
    QStringList names;
    for (const NamedMode& m : kModes) {
        if (value.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
            state.options.mode = m.mode;
            return QString();
        }
        names << QLatin1String(m.name);
    }
    return QStringLiteral("palette must be %1, not '%2'").arg(listed(names), value);
}

// The two letters the index holds for `value`, or the refusal naming the nearest codes.
QString languageCode(const QString& value, QString& code)
{
    code = IndexLanguageCode(value);
    if (!code.isEmpty())
        return QString();
    return QStringLiteral("'%1' is not a language code; nearest: %2 (ISO 639-1 codes such as en, "
                          "or ISO 639-2 codes such as eng)")
        .arg(value, NearestLanguageCodes(value, 5).join(QStringLiteral(", ")));
}

QString applyLanguage(ParseState& state, const QString& value)
{
    return languageCode(value, state.options.languageText);
}

// --stream [LANG:]FILE: the language before a colon, else the one the name gives
// (film.LANG.srt); a name ending .forced.srt makes a forced stream.
QString applyStream(ParseState& state, const QString& value)
{
    static const QRegularExpression prefix(QStringLiteral("^([A-Za-z]{2,3}):(.+)$"));
    StreamInput stream;
    stream.file = value;
    QString language;
    if (const auto m = prefix.match(value); m.hasMatch()) {
        language = m.captured(1);
        stream.file = m.captured(2);
    }
    const StreamFileName name = ReadStreamFileName(QFileInfo(stream.file).fileName());
    stream.forced = name.forced;
    if (language.isEmpty()) {
        if (name.language.isEmpty() || IndexLanguageCode(name.language).isEmpty())
            return QStringLiteral("--stream %1: its name gives no language code; say it as "
                                  "LANG:%1")
                .arg(stream.file);
        language = name.language;
    }
    if (const QString problem = languageCode(language, stream.code); !problem.isEmpty())
        return problem;
    state.options.streams.push_back(stream);
    return QString();
}

// The stream given just before; null when none was.
StreamInput* lastStream(ParseState& state)
{
    return state.options.streams.empty() ? nullptr : &state.options.streams.back();
}

// "vobsub", "dvd-sup" or both, comma-separated; or "pgs" or "bdn-xml" alone.
QString applyFormat(ParseState& state, const QString& value)
{
    bool pair = false, sup = false;
    ConvertOptions& o = state.options;
    o.writePgs = value == QLatin1String("pgs");
    o.writeBdn = value == QLatin1String("bdn-xml");
    if (WritesBluRay(o)) {
        o.writePair = o.writeSup = false;
        return QString();
    }
    for (const QString& form : value.split(QLatin1Char(','))) {
        if (form == QLatin1String("vobsub"))
            pair = true;
        else if (form == QLatin1String("dvd-sup"))
            sup = true;
        else
            return QStringLiteral("format must be vobsub, dvd-sup, vobsub,dvd-sup, pgs or "
                                  "bdn-xml, not '%1'")
                .arg(value);
    }
    o.writePair = pair;
    o.writeSup = sup;
    return QString();
}

// The frame rates of every form: the window's list, then the Blu-ray rates it has not.
const QStringList& convertFrameRates()
{
    static const QStringList rates = [] {
        QStringList list = FrameRateTexts();
        for (const QString& rate : BluRayFrameRateTexts())
            if (!list.contains(rate))
                list << rate;
        return list;
    }();
    return rates;
}

// The checks that need the form known: the frame size and rate suit it.
QString checkForm(const ConvertOptions& o)
{
    if (!WritesBluRay(o)) {
        if (!o.frameSizeText.isEmpty())
            return QStringLiteral("--frame-size is for --format pgs or bdn-xml; a DVD's frame "
                                  "follows the frame rate");
        if (!FrameRateTexts().contains(o.fpsText))
            return QStringLiteral("frame rate %1 is for --format pgs or bdn-xml; a DVD takes %2")
                .arg(o.fpsText, listed(FrameRateTexts()));
        return QString();
    }
    if (!BluRayFrameRateTexts().contains(o.fpsText))
        return QStringLiteral("frame rate %1 has no Blu-ray video; --format %2 takes %3")
            .arg(o.fpsText, o.writePgs ? QStringLiteral("pgs") : QStringLiteral("bdn-xml"),
                 listed(BluRayFrameRateTexts()));
    if (o.streams.size() > 1)
        return QStringLiteral("a Blu-ray subtitle file holds one stream: --format %1 takes one "
                              "--stream (convert each file on its own)")
            .arg(o.writePgs ? QStringLiteral("pgs") : QStringLiteral("bdn-xml"));
    return QString();
}

// --default-stream: a stream's language code or its number from 1.
QString applyDefaultStream(ParseState& state)
{
    const std::vector<StreamInput>& streams = state.options.streams;
    const QString& value = state.defaultStream;
    if (value.isEmpty())
        return QString();
    if (streams.empty())
        return QStringLiteral("--default-stream picks one of the --stream files; none was given");
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= int(streams.size())) {
        state.options.defaultStream = number - 1;
        return QString();
    }
    const QString code = IndexLanguageCode(value);
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (!code.isEmpty() && streams[i].code == code) {
            state.options.defaultStream = int(i);
            return QString();
        }
    }
    return QStringLiteral("--default-stream %1 names no stream: give the language code of one or "
                          "its number from 1 to %2")
        .arg(value)
        .arg(streams.size());
}

// The checks that need every option read: --stream makes one pair of its files alone.
QString checkStreams(ParseState& state)
{
    ConvertOptions& o = state.options;
    if (o.streams.empty())
        return applyDefaultStream(state);
    if (o.listOnly) {
        for (const StreamInput& stream : o.streams)
            o.files << stream.file;
        o.streams.clear();
        return QString();
    }
    if (!o.files.isEmpty())
        return QStringLiteral("--stream makes one pair of the files it names; convert %1 in "
                              "another run")
            .arg(o.files.front());
    if (o.writeSup && o.streams.size() > 1)
        return QStringLiteral("a .sup file holds one stream: --format dvd-sup takes one --stream "
                              "(for a .sup per language, convert each file on its own)");
    if (o.streams.size() > std::size_t(kMaxSubpictureStreams))
        return QStringLiteral("a pair holds at most %1 streams").arg(kMaxSubpictureStreams);
    return applyDefaultStream(state);
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

// "pc (RGB palette), dvd (Y/Cr/Cb palette), two (both, the default) or safe (...)".
QString paletteHelp(const OptionRow& row)
{
    const std::array<ColorValue, 7>& safe = SafeColours();
    const QString safeDefaults =
        QStringList{colourText(safe[kAntialiasColourIndex]), colourText(safe[kOutlineColourIndex]),
                    colourText(safe[kTextColourIndex])}
            .join(QStringLiteral(" / "));
    QStringList modes;
    for (const NamedMode& m : kModes) {
        QString note = QString::fromLatin1(m.note);
        if (note.contains(QLatin1String("%1")))
            note = note.arg(safeDefaults);
        if (QLatin1String(m.name) == row.defaultText())
            note += QStringLiteral(", the default");
        modes << QStringLiteral("%1 (%2)").arg(QLatin1String(m.name), note);
    }
    return listed(modes) + QStringLiteral("; for mpv, VLC, ffmpeg-based players and Matroska "
                                          "files pick pc");
}

// A help text whose "%1" is the row's choices or range and "%2" its default.
QString withRange(const OptionRow& row, const char* text, const char* lastJoin = " or ")
{
    const QString range = row.isNumber() ? QStringLiteral("%1 to %2").arg(row.min).arg(row.max)
                                         : listed(row.choices(), lastJoin);
    return QString::fromLatin1(text).arg(range, row.defaultText());
}

const OptionRow kOptions[] = {
    {"-r", "--fps", "RATE", "frame rate", convertFrameRates, 0, 0,
     [](const ConvertOptions& o) { return o.fpsText; },
     [](const OptionRow& row) {
         return withRange(row, "frame rate: %1 (%2)", ", ") +
                QStringLiteral("; for the DVD forms %1 gives PAL %2, every other rate NTSC %3; "
                               "the Blu-ray forms take %4")
                    .arg(palRate(), frameSize(VideoStandard::PAL), frameSize(VideoStandard::NTSC),
                         listed(BluRayFrameRateTexts()));
     },
     [](ParseState& s, const QString& v) {
         s.options.fpsText = v;
         s.options.settings.videoStandard = VideoStandardFromFps(v);
         return QString();
     }},
    {"-f", "--font", "NAME", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return o.settings.fontName; },
     [](const OptionRow& row) {
         return QStringLiteral("font name (%1); an installed family, \"Arial\" or \"Default\", "
                               "without regard to case")
             .arg(row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.settings.fontName = v;
         return QString();
     }},
    {"-s", "--size", "POINTS", "font size", FontSizeTexts, 0, 0,
     [](const ConvertOptions& o) { return QString::number(o.settings.fontSize); },
     [](const OptionRow& row) {
         return QStringLiteral("font size: %1 (%2)")
             .arg(numberRuns(row.choices()), row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.settings.fontSize = v.toInt();
         return QString();
     }},
    {nullptr, "--style", "NAME", "style", StyleNames, 0, 0,
     [](const ConvertOptions& o) { return styleName(o.settings.fontStyle); },
     [](const OptionRow& row) { return withRange(row, "%1 (%2)", ", "); },
     [](ParseState& s, const QString& v) {
         s.options.settings.fontStyle = FontStyleFromName(v);
         return QString();
     }},
    {nullptr, "--charset", "NAME", "character set", CharsetNames, 0, 0,
     [](const ConvertOptions& o) { return charsetName(o.settings.charset); },
     [](const OptionRow& row) {
         QStringList names = row.choices();
         for (QString& name : names) {
             if (name == QLatin1String("DEFAULT"))
                 name += QStringLiteral(" (UTF-8 when valid)");
         }
         return QStringLiteral("how the subtitle's bytes are read: %1 (%2)")
             .arg(names.join(QStringLiteral(", ")), row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.settings.charset = FontCharsetFromName(v);
         return QString();
     }},
    {nullptr, "--outline", "N", "outline width", OutlineWidthTexts, 0, 0,
     [](const ConvertOptions& o) { return QString::number(o.settings.outlineWidth); },
     [](const OptionRow& row) { return withRange(row, "outline width in pixels: %1 (%2)"); },
     [](ParseState& s, const QString& v) {
         s.options.settings.outlineWidth = v.toInt();
         return QString();
     }},
    {nullptr, "--align", "A", "alignment", AlignNames, 0, 0,
     [](const ConvertOptions& o) { return o.settings.align; },
     [](const OptionRow& row) { return withRange(row, "%1 (%2)"); },
     [](ParseState& s, const QString& v) {
         s.options.settings.align = v;
         return QString();
     }},
    {nullptr, "--offset", "N", "offset", nullptr, kOffsetMin, kOffsetMax,
     [](const ConvertOptions& o) { return QString::number(o.settings.offset); },
     [](const OptionRow& row) {
         return withRange(row, "bottom of the first line above the frame's bottom, minus 40 "
                               "pixels: %1 (%2)");
     },
     [](ParseState& s, const QString& v) {
         s.options.settings.offset = v.toInt();
         return QString();
     }},
    {nullptr, "--offset-or", "N", "line gap", nullptr, kLineGapMin, kLineGapMax,
     [](const ConvertOptions& o) { return QString::number(o.settings.offset_or); },
     [](const OptionRow& row) {
         return withRange(row, "gap between the two lines: %1, even (%2)");
     },
     [](ParseState& s, const QString& v) {
         s.options.settings.offset_or = EvenLineGap(v.toInt());
         return QString();
     }},
    {nullptr, "--wrap", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "break lines too wide for the frame at a space instead of refusing the file");
     },
     [](ParseState& s, const QString&) {
         s.options.settings.wrapLongLines = true;
         return QString();
     }},
    {nullptr, "--text-color", "C", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return colourText(o.settings.textColor); },
     [](const OptionRow& row) { return QStringLiteral("text colour (%1)").arg(row.defaultText()); },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.textColor, s.textSet);
     }},
    {nullptr, "--outline-color", "C", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return colourText(o.settings.outlineColor); },
     [](const OptionRow& row) {
         return QStringLiteral("outline colour (%1)").arg(row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.outlineColor, s.outlineSet);
     }},
    {nullptr, "--antialias-color", "C", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return colourText(o.settings.antialiasColor); },
     [](const OptionRow& row) {
         return QStringLiteral("antialias ring colour (%1); C is a name (%2; in any case, \"cl\" "
                               "in front allowed), #RRGGBB or R,G,B")
             .arg(row.defaultText(), colourNames());
     },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.antialiasColor, s.antialiasSet);
     }},
    {nullptr, "--palette", "MODE", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return modeName(o.mode); }, paletteHelp, applyPalette},
    {nullptr, "--language", "CODE", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return o.languageText.left(2); },
     [](const OptionRow& row) {
         return QStringLiteral("language of the stream: an ISO 639-1 code (en) or the ISO 639-2 "
                               "code of a language of the window's list (eng), written as its "
                               "two letters (%1)")
             .arg(row.defaultText());
     },
     applyLanguage},
    {nullptr, "--stream", "[LANG:]FILE", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "make one pair with a stream per --stream, in the order given, instead of a pair "
             "per FILE; LANG as for --language, or taken from a name like film.LANG.srt. A name "
             "like film.LANG.forced.srt makes a forced stream. The pair is named after the first "
             "file without its language part (film.idx); a file without subtitles is left out");
     },
     applyStream},
    {nullptr, "--alt", "NAME", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("the name players show for the --stream given just before");
     },
     [](ParseState& s, const QString& v) {
         StreamInput* stream = lastStream(s);
         if (!stream)
             return QStringLiteral("--alt names the --stream given before it; none was");
         stream->alt = v;
         return QString();
     }},
    {nullptr, "--forced", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "mark every subtitle forced, so that players show it even with subtitles turned "
             "off: those of the --stream given just before, or, before any --stream, those of "
             "every FILE");
     },
     [](ParseState& s, const QString&) {
         if (StreamInput* stream = lastStream(s))
             stream->forced = true;
         else
             s.options.forced = true;
         return QString();
     }},
    {nullptr, "--default-stream", "S", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("the stream players pick first: its language code or its number "
                               "from 1 (the first)");
     },
     [](ParseState& s, const QString& v) {
         s.defaultStream = v;
         return QString();
     }},
    {nullptr, "--format", "FORM", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) {
         if (o.writePgs)
             return QStringLiteral("pgs");
         if (o.writeBdn)
             return QStringLiteral("bdn-xml");
         QStringList forms;
         if (o.writePair)
             forms << QStringLiteral("vobsub");
         if (o.writeSup)
             forms << QStringLiteral("dvd-sup");
         return forms.join(QLatin1Char(','));
     },
     [](const OptionRow& row) {
         return QStringLiteral(
                    "what is written: vobsub (the .idx/.sub pair), dvd-sup (NAME.sup, the "
                    "subpicture units DVD authoring programs import, each behind an \"SP\" "
                    "header with its time; one stream) or vobsub,dvd-sup for both (%1); or a "
                    "Blu-ray form, drawn in full colour with smooth edges at --frame-size: pgs "
                    "(NAME.sup, the presentation graphics stream Blu-ray authoring programs and "
                    "Matroska take; one stream) or bdn-xml (NAME.xml, the BDN index of times in "
                    "timecodes of the frame rate, and a PNG picture with alpha per subtitle, "
                    "NAME_0001.png...)")
             .arg(row.defaultText());
     },
     applyFormat},
    {nullptr, "--frame-size", "WxH", "frame size", BluRayFrameSizeTexts, 0, 0, nullptr,
     [](const OptionRow& row) {
         return QStringLiteral("the frame of --format pgs and bdn-xml: %1 (the first when not "
                               "given). The font size, outline width, offsets and margins are "
                               "meant for a 576-row frame and grow with the frame's height "
                               "(x 1.875 at 1080 rows), so a subtitle takes the same share of "
                               "the picture's height at every size; long lines are checked and "
                               "broken at the frame's width")
             .arg(listed(row.choices()));
     },
     [](ParseState& s, const QString& v) {
         s.options.frameSizeText = v;
         return QString();
     }},
    {"-o", "--output", "DIR", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "write the pair and the help file into DIR, which is created when it does not "
             "exist; for a subtitle read from standard input (FILE -) it names the pair "
             "instead: -o out/film writes out/film.idx and out/film.sub");
     },
     [](ParseState& s, const QString& v) {
         // An empty name would quietly mean the subtitle file's folder.
         if (v.isEmpty())
             return QStringLiteral("--output needs a folder name, not an empty one");
         s.options.outputFolder = v;
         return QString();
     }},
    {nullptr, "--settings", "FILE", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("take the settings from the window's settings file; options given "
                               "after it override them");
     },
     applySettings},
    {"-j", "--jobs", "N", "jobs", nullptr, 1, kMaxJobs, nullptr,
     [](const OptionRow& row) {
         return QStringLiteral("check line widths, draw and encode on N threads (default: one per "
                               "processor core; %1 does everything in turn); the output is the "
                               "same for any N")
             .arg(row.min);
     },
     [](ParseState& s, const QString& v) {
         s.options.jobs = v.toInt();
         return QString();
     }},
    {nullptr, "--no-help-file", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("write the pair only, without Lumelle_Help_File.txt");
     },
     [](ParseState& s, const QString&) {
         s.options.helpFile = false;
         return QString();
     }},
    {nullptr, "--animation-steps", "N", "pictures a second", nullptr, 1, 50,
     [](const ConvertOptions& o) { return QString::number(o.animationSteps); },
     [](const OptionRow& row) {
         return QStringLiteral("draw an animated ASS/SSA event (a fade, a move, karaoke) again "
                               "at most N times a second while it changes (%1 to %2, default "
                               "%3)")
             .arg(row.min)
             .arg(row.max)
             .arg(row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.animationSteps = v.toInt();
         return QString();
     }},
    {nullptr, "--rolling-captions", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("WebVTT captions that repeat each line as the next is typed (the "
                               "automatic captions of video sites) show each line once");
     },
     [](ParseState& s, const QString&) {
         s.options.rollingCaptions = true;
         return QString();
     }},
    {nullptr, "--speaker-names", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("WebVTT voice tags (<v Anna>) put the speaker's name before the "
                               "words (\"Anna: ...\")");
     },
     [](ParseState& s, const QString&) {
         s.options.speakerNames = true;
         return QString();
     }},
    {nullptr, "--timestamp-map", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("WebVTT captions cut from a stream are moved by the offset of their "
                               "X-TIMESTAMP-MAP header, for a video that keeps the stream's clock "
                               "(without it, the times stay as written)");
     },
     [](ParseState& s, const QString&) {
         s.options.timestampMap = true;
         return QString();
     }},
    {nullptr, "--list", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("only print the subtitles as read; write nothing");
     },
     [](ParseState& s, const QString&) {
         s.options.listOnly = true;
         return QString();
     }},
    {"-q", "--quiet", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) { return QStringLiteral("print nothing but problems"); },
     [](ParseState& s, const QString&) {
         s.options.quiet = true;
         return QString();
     }},
    {nullptr, "--json", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("print a summary for scripts on standard output instead of a line "
                               "per file: per file the subtitles written, the entries skipped "
                               "and the paths written");
     },
     [](ParseState& s, const QString&) {
         s.options.json = true;
         return QString();
     }},
    {"-V", "--version", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) { return QStringLiteral("print the version and licence and stop"); },
     [](ParseState& s, const QString&) {
         s.stop = ParseOutcome::Version;
         return QString();
     }},
    {"-h", "--help", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) { return QStringLiteral("show this text"); },
     [](ParseState& s, const QString&) {
         s.stop = ParseOutcome::Help;
         return QString();
     }},
};

// The row named `name` ("--fps" or "-r"); names are matched exactly, as getopt_long does.
const OptionRow* findOption(const QString& name)
{
    for (const OptionRow& row : kOptions) {
        if ((row.shortName && name == QLatin1String(row.shortName)) ||
            name == QLatin1String(row.longName))
            return &row;
    }
    return nullptr;
}

// Checks `value` against the row's list or range; the problem, or an empty text.
QString checkedValue(const OptionRow& row, QString& value)
{
    if (row.choices) {
        // Without regard to case, as font and colour names are; the list's spelling is kept.
        const QStringList& items = row.choices();
        const auto at = std::find_if(items.begin(), items.end(), [&](const QString& item) {
            return item.compare(value, Qt::CaseInsensitive) == 0;
        });
        if (at == items.end())
            return QStringLiteral("%1 must be one of %2, not '%3'")
                .arg(QLatin1String(row.what), items.join(QStringLiteral(", ")), value);
        value = *at;
    } else if (row.isNumber()) {
        int number = 0;
        if (!parseInt(value, number) || number < row.min || number > row.max)
            return QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
                .arg(QLatin1String(row.what), QString::number(row.min), QString::number(row.max),
                     value);
        value = QString::number(number);
    }
    return QString();
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
            if (!parseInt(parts[i], rgb[i]) || rgb[i] < 0 || rgb[i] > 255)
                return false;
        }
        colour = makeColor(rgb[0], rgb[1], rgb[2]);
        return true;
    }
    return false;
}

QSize BluRayFrameOf(const ConvertOptions& options)
{
    return BluRayFrameSize(options.frameSizeText.isEmpty() ? BluRayFrameSizeTexts().front()
                                                           : options.frameSizeText);
}

ParseOutcome ParseConvertOptions(const QStringList& arguments, ConvertOptions& options,
                                 QString& error)
{
    ParseState state{options};
    auto fail = [&](const QString& message) {
        error = message;
        return ParseOutcome::Error;
    };

    // Takes option `row`, given as `name`: its value is `attached` ("--fps=25000", "-r25000")
    // or else the next argument. False, with `error` set, on a problem.
    qsizetype pos = 1;
    auto take = [&](const OptionRow& row, const QString& name,
                    const std::optional<QString>& attached) {
        QString value;
        if (!row.valueName && attached) {
            error = QStringLiteral("option %1 takes no value").arg(name);
            return false;
        }
        if (row.valueName) {
            if (!attached && pos >= arguments.size()) {
                error = QStringLiteral("option %1 needs a value").arg(name);
                return false;
            }
            value = attached ? *attached : arguments.at(pos++);
            if (const QString problem = checkedValue(row, value); !problem.isEmpty()) {
                error = problem;
                return false;
            }
        }
        error = row.apply(state, value);
        return error.isEmpty();
    };

    while (pos < arguments.size()) {
        const QString arg = arguments.at(pos++);
        if (arg == QLatin1String("--")) {
            options.files << arguments.mid(pos);
            break;
        }
        if (arg.startsWith(QLatin1String("--"))) {
            // A long option, its value after "=" or in the next argument.
            const qsizetype equals = arg.indexOf(QLatin1Char('='));
            const QString name = equals < 0 ? arg : arg.left(equals);
            const OptionRow* row = findOption(name);
            if (!row)
                return fail(QStringLiteral("unknown option %1").arg(name));
            if (!take(*row, name,
                      equals < 0 ? std::nullopt : std::optional<QString>(arg.mid(equals + 1))))
                return ParseOutcome::Error;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            // Short options, bundled ("-qj2"): one that takes a value takes the rest of the
            // argument, or the next argument when nothing is left.
            for (qsizetype at = 1; at < arg.size() && !state.stop; ++at) {
                const QString name = QStringLiteral("-") + arg.at(at);
                const OptionRow* row = findOption(name);
                if (!row)
                    return fail(QStringLiteral("unknown option %1").arg(name));
                const QString rest = arg.mid(at + 1);
                const bool takesRest = row->valueName && !rest.isEmpty();
                if (!take(*row, name, takesRest ? std::optional<QString>(rest) : std::nullopt))
                    return ParseOutcome::Error;
                if (takesRest)
                    break;
            }
        } else {
            options.files << arg; // "-" is standard input
        }
        if (state.stop)
            return *state.stop;
    }

    applySafePaletteDefaults(state);
    if (const QString problem = checkForm(options); !problem.isEmpty())
        return fail(problem);
    if (const QString problem = checkStreams(state); !problem.isEmpty())
        return fail(problem);
    if (options.json && options.listOnly)
        return fail(QStringLiteral("--json sums up conversions; it cannot go with --list"));
    if (options.files.isEmpty() && options.streams.empty())
        return fail(QStringLiteral("no subtitle file given"));
    if (options.files.contains(QLatin1String(kStandardInput))) {
        // A subtitle read from standard input has no name of its own: --output names its pair.
        if (options.files.size() > 1)
            return fail(QStringLiteral("- (standard input) must be the only subtitle file"));
        if (options.outputFolder.isEmpty() && !options.listOnly)
            return fail(QStringLiteral("- (standard input) needs --output NAME to name the pair"));
    }
    return ParseOutcome::Run;
}

namespace {

const HelpStatus kHelpStatuses[] = {
    {0, "every file was converted"},
    {1, "a file could not be read, converted or written, the run was aborted, or standard "
        "output could not be written (said on standard error)"},
    {2, "bad usage: an unknown option, a value out of range or no file"},
    {3, "converted, but entries that could not be read or shown were skipped (each is named on "
        "standard error with its line and reason)"},
};

// Which palette modes suit a use, the better first.
struct PaletteUse
{
    const char* use;
    PaletteMode modes[2];
};
const PaletteUse kPaletteUses[] = {
    {"stand-alone DVD and DivX players", {PaletteMode::PcDvdTwoPalettes, PaletteMode::DvdOnly}},
    {"DVD authoring", {PaletteMode::DvdOnly, PaletteMode::PcDvdTwoPalettes}},
    {"mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge",
     {PaletteMode::PcOnly, PaletteMode::PcDvdSafePalette}},
    {"players with the custom-colour extension",
     {PaletteMode::PcDvdTwoPalettes, PaletteMode::PcOnly}},
};

// The uses and their modes; the default mode is marked where it is first named.
QList<HelpPaletteRow> paletteRows()
{
    const PaletteMode defaultMode = ConvertOptions().mode;
    bool marked = false;
    QList<HelpPaletteRow> rows;
    for (const PaletteUse& use : kPaletteUses) {
        QStringList names;
        for (PaletteMode mode : use.modes) {
            QString name = modeName(mode);
            if (mode == defaultMode && !marked) {
                name += QStringLiteral(" (the default)");
                marked = true;
            }
            names << name;
        }
        rows.append({use.use, listed(names)});
    }
    return rows;
}

// "SubRip (.srt), MicroDVD (.sub, .txt), WebVTT (.vtt) and ASS/SSA (.ass, .ssa)".
QString subtitleKinds()
{
    return SubtitleKindsText(QStringLiteral("%1 (%2)"), QStringLiteral(", "),
                             QStringLiteral(" and "));
}

QStringList helpDescription()
{
    return {
        QStringLiteral("Converts %1 subtitle files into VobSub pairs (.idx and .sub) with the help "
                       "file, as the window's \"Generate Vobsub\" does.")
            .arg(subtitleKinds()),
        QStringLiteral("With --stream the files become the streams of one pair, a language each; "
                       "--forced and names like film.LANG.forced.srt mark forced subtitles, which "
                       "players show even with subtitles turned off; --format dvd-sup writes the "
                       ".sup file DVD authoring programs import."),
        QStringLiteral("--format pgs writes a Blu-ray PGS .sup and --format bdn-xml a BDN XML "
                       "index with a PNG picture per subtitle, drawn in full colour with smooth "
                       "edges at --frame-size (1920x1080 unless given); the window's sizes grow "
                       "with the frame's height over 576 rows."),
        QStringLiteral("The pair is written beside each subtitle file unless --output is given; a "
                       "MicroDVD .sub input is never overwritten (the pair is then named "
                       "NAME_vobsub.idx/.sub). Every line is checked against the %1-pixel width "
                       "(of a DVD frame; wider at the Blu-ray sizes) first; a file with a line too "
                       "wide is refused and nothing is written for it. A file or folder name that "
                       "is not UTF-8 (a Latin-1 caf\\xE9.srt) gives outputs named with the same "
                       "bytes; printed lines and --json show such a byte as \\xE9.")
            .arg(kMaxLineWidth),
        QStringLiteral("An ASS/SSA script (known by its [Script Info] section, under any name) is "
                       "drawn by libass as players draw it: its styles, fonts (those it carries "
                       "too), places, colours and drawings, at the frame size of the frame rate; "
                       "fonts that had to be replaced are named. Characters take the text "
                       "colour, outlines and boxes the outline colour, shadows and character "
                       "edges the antialias colour; transparency and fades become the DVD "
                       "contrast. Animated events (fades, moves, karaoke) are drawn again while "
                       "they change, at most --animation-steps times a second. Style names with "
                       "the word forced, sign or signs mark their events forced."),
        QStringLiteral("Ctrl+C or a kill (SIGINT, SIGTERM) stops a conversion after the current "
                       "subtitle and removes its temporary files: the earlier pair stays as it "
                       "was. Only the window's Abort button keeps the subtitles finished so far. A "
                       "stopped batch prints \"Operation Aborted\", names each file not converted "
                       "(\"FILE: not converted\") and exits with 1; --json still prints its "
                       "summary, those files marked \"aborted\"."),
    };
}

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
    HelpDocument doc{helpDescription(), {}, kHelpStatuses, paletteRows()};
    for (const OptionRow& row : kOptions)
        doc.options.append(
            {row.shortName, row.longName, row.valueName, row.help(row), row.defaultText()});
    return doc;
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
    QString text = QStringLiteral("Usage: lumelle-convert [options] FILE...\n"
                                  "       lumelle-convert [options] -o NAME - < FILE\n");
    for (const QString& paragraph : doc.description)
        text += QLatin1Char('\n') + hangingParagraph(QString(), paragraph);
    text += QStringLiteral("\nOptions (defaults are those of the window):\n");
    for (const HelpOption& option : doc.options)
        text += hangingParagraph(
            QStringLiteral("  %1").arg(HelpOptionLabel(option)).leftJustified(27), option.text);
    text += QStringLiteral("\nWhich palette mode? The default shows white text pink in mpv, VLC "
                           "and ffmpeg:\n");
    for (const HelpPaletteRow& row : doc.palette)
        text += hangingParagraph(QStringLiteral("  %1: ").arg(row.modes), QLatin1String(row.use));
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
