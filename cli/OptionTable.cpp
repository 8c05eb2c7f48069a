#include "cli/OptionTable.h"

#include "cli/OptionValues.h"
#include "cli/PictureOptions.h"
#include "cli/SettingsImport.h"
#include "pgs/BluRayForm.h"
#include "platform/LineText.h"
#include "platform/StoredValues.h"
#include "settings/SettingsTable.h"
#include "subtitle/ForcedMarks.h"
#include "vobsub/Languages.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace lumelle {

namespace {

// The display shapes --aspect takes, the default first.
const QStringList& aspectTexts()
{
    static const QStringList texts{QStringLiteral("16:9"), QStringLiteral("4:3")};
    return texts;
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

// The colour names the options take: the window's standard set in its order, then the rest.
const QStringList& colourNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (ColorValue colour : StandardColours())
            list << ColourText(colour);
        for (const platform::NamedColor& named : platform::namedColors()) {
            const QString name = ColourText(named.value);
            if (!list.contains(name))
                list << name;
        }
        return list;
    }();
    return names;
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
    for (const NamedMode& m : NamedModes()) {
        if (value.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
            state.options.mode = m.mode;
            return QString();
        }
    }
    return QStringLiteral("palette must be %1, not '%2'").arg(Listed(ModeNames()), value);
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
    state.options.languageGiven = true;
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
            return QStringLiteral("format must be %1, not '%2'").arg(Listed(FormatNames()), value);
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
        QStringList{ColourText(safe[kAntialiasColourIndex]), ColourText(safe[kOutlineColourIndex]),
                    ColourText(safe[kTextColourIndex])}
            .join(QStringLiteral(" / "));
    QStringList modes;
    for (const NamedMode& m : NamedModes()) {
        QString note = QString::fromLatin1(m.note);
        if (note.contains(QLatin1String("%1")))
            note = note.arg(safeDefaults);
        if (QLatin1String(m.name) == row.defaultText())
            note += QStringLiteral(", the default");
        modes << QStringLiteral("%1 (%2)").arg(QLatin1String(m.name), note);
    }
    return Listed(modes) + QStringLiteral("; for mpv, VLC, ffmpeg-based players and Matroska "
                                          "files pick pc");
}

// A help text whose "%1" is the row's choices or range and "%2" its default.
QString withRange(const OptionRow& row, const char* text, const char* lastJoin = " or ")
{
    const QString range = row.isNumber() ? QStringLiteral("%1 to %2").arg(row.min).arg(row.max)
                                         : Listed(row.choices(), lastJoin);
    return QString::fromLatin1(text).arg(range, row.defaultText());
}

const OptionRow kOptions[] = {
    {"-r", "--fps", "RATE", "frame rate", convertFrameRates, 0, 0,
     [](const ConvertOptions& o) { return o.fpsText; },
     [](const OptionRow& row) {
         return withRange(row,
                          "frame rate: %1 (%2), in thousandths of a frame a second, or "
                          "as 25, 23.976, 29.97 or 24000/1001",
                          ", ") +
                QStringLiteral("; for the DVD forms %1 gives PAL %2, every other rate NTSC %3; "
                               "the Blu-ray forms take %4")
                    .arg(palRate(), frameSize(VideoStandard::PAL), frameSize(VideoStandard::NTSC),
                         Listed(BluRayFrameRateTexts()));
     },
     [](ParseState& s, const QString& v) {
         s.options.fpsText = v;
         s.options.fpsGiven = true;
         s.options.settings.videoStandard = VideoStandardFromFps(v);
         return QString();
     },
     [](const QString& v) { return ListedFrameRate(v, convertFrameRates()); }},
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
     [](const ConvertOptions& o) { return ColourText(o.settings.textColor); },
     [](const OptionRow& row) { return QStringLiteral("text colour (%1)").arg(row.defaultText()); },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.textColor, s.textSet);
     },
     nullptr, colourNames},
    {nullptr, "--outline-color", "C", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return ColourText(o.settings.outlineColor); },
     [](const OptionRow& row) {
         return QStringLiteral("outline colour (%1)").arg(row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.outlineColor, s.outlineSet);
     },
     nullptr, colourNames},
    {nullptr, "--antialias-color", "C", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return ColourText(o.settings.antialiasColor); },
     [](const OptionRow& row) {
         return QStringLiteral("antialias ring colour (%1); C is a name (%2; in any case, \"cl\" "
                               "in front allowed), #RRGGBB or R,G,B")
             .arg(row.defaultText(), colourNames().join(QStringLiteral(", ")));
     },
     [](ParseState& s, const QString& v) {
         return applyColour(v, s.options.settings.antialiasColor, s.antialiasSet);
     },
     nullptr, colourNames},
    {nullptr, "--palette", "MODE", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return ModeName(o.mode); }, paletteHelp, applyPalette, nullptr,
     ModeNames},
    {nullptr, "--language", "CODE", nullptr, nullptr, 0, 0,
     [](const ConvertOptions& o) { return o.languageText.left(2); },
     [](const OptionRow& row) {
         return QStringLiteral("language of the stream: an ISO 639-1 code (en) or the ISO 639-2 "
                               "code of a language of the window's list (eng), written as its "
                               "two letters; without it, the one a name like film.LANG.srt "
                               "gives, else the one the text is written in, else %1")
             .arg(row.defaultText());
     },
     applyLanguage, nullptr, LanguageCodes},
    {nullptr, "--stream", "[LANG:]FILE", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "make one pair with a stream per --stream, in the order given, instead of a pair "
             "per FILE; LANG as for --language, or taken from a name like film.LANG.srt. A name "
             "like film.LANG.forced.srt makes a forced stream. The pair is named after the first "
             "file without its language part (film.idx); a file without subtitles is left out");
     },
     applyStream, nullptr, nullptr, OfferedFiles::Inputs},
    {nullptr, "--alt", "NAME", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("the name players show for the --stream given just before");
     },
     [](ParseState& s, const QString& v) {
         StreamInput* stream = lastStream(s);
         if (!stream)
             return QStringLiteral("--alt names the --stream given before it; none was");
         if (HoldsControlCharacter(v))
             return QStringLiteral("--alt \"%1\" holds a control character, which the index "
                                   "line cannot hold")
                 .arg(ReadableText(v));
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
    {nullptr, "--shift", "TIME", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "move every subtitle by TIME, earlier when negative: -1.5s, +200ms, 00:00:01,500 "
             "(after --speed, in the output's time); a subtitle that then ends before 00:00:00 is "
             "left out and counted as skipped, one that starts before it shows from 00:00:00");
     },
     [](ParseState& s, const QString& v) {
         if (!ReadShiftTime(v, s.options.retiming.shiftMs))
             return QStringLiteral("cannot read the time '%1' (use -1.5s, +200ms or "
                                   "00:00:01,500, at most a day)")
                 .arg(v);
         return QString();
     }},
    {nullptr, "--speed", "FROM:TO", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("change the speed from one frame rate to another, times and "
                               "durations multiplied by FROM/TO: 23.976:25 makes a track for a PAL "
                               "release of a 23.976 film; the rates as --fps takes them");
     },
     [](ParseState& s, const QString& v) { return ApplySpeed(s, v, convertFrameRates()); }},
    {nullptr, "--forced-only", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("convert only the forced subtitles (those the file marks forced, "
                               "or all with --forced)");
     },
     [](ParseState& s, const QString&) { return ChooseForced(s, ForcedChoice::Only); }},
    {nullptr, "--drop-forced", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("leave the forced subtitles out and convert the others");
     },
     [](ParseState& s, const QString&) { return ChooseForced(s, ForcedChoice::Drop); }},
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
                    "Matroska take; one stream) or bdn-xml (a folder NAME_bdn holding NAME.xml, "
                    "the "
                    "BDN index of times in timecodes of the frame rate, and a PNG picture with "
                    "alpha per subtitle, NAME_0001.png...)")
             .arg(row.defaultText());
     },
     applyFormat, nullptr, FormatNames},
    {nullptr, "--frame-size", "WxH", "frame size", BluRayFrameSizeTexts, 0, 0, nullptr,
     [](const OptionRow& row) {
         return QStringLiteral("the frame of --format pgs and bdn-xml: %1 (the first when not "
                               "given). The font size, outline width, offsets and margins are "
                               "meant for a 576-row frame and grow with the frame's height "
                               "(x 1.875 at 1080 rows), so a subtitle takes the same share of "
                               "the picture's height at every size; long lines are checked and "
                               "broken at the frame's width. With --fps it names a video "
                               "format of Blu-ray: %2; any other pair is refused")
             .arg(Listed(row.choices()), BluRayFormatList());
     },
     [](ParseState& s, const QString& v) {
         s.options.frameSizeText = v;
         return QString();
     }},
    {nullptr, "--aspect", "SHAPE", "display shape", aspectTexts, 0, 0,
     [](const ConvertOptions& o) { return aspectTexts()[o.wideDvd ? 0 : 1]; },
     [](const OptionRow& row) {
         return QStringLiteral("the display shape of a DVD form made from Blu-ray pictures: %1 "
                               "(%2). DVD pixels are not square, so the pictures are resized "
                               "to the DVD frame as that shape shows it, letters kept round: "
                               "16:9 fills the frame, 4:3 shows a wide picture letterboxed")
             .arg(Listed(row.choices()), row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.wideDvd = v == aspectTexts()[0];
         return QString();
     }},
    {nullptr, "--move", "X,Y", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("move pictures read from a PGS file by X pixels right and Y down "
                               "(negative: left, up) in the output's frame, never out of it; "
                               "text is placed by --align and --offset");
     },
     [](ParseState& s, const QString& v) {
         static const QRegularExpression pair(
             QStringLiteral("^\\s*([+-]?\\d{1,5})\\s*,\\s*([+-]?\\d{1,5})\\s*$"));
         const auto m = pair.match(v);
         if (!m.hasMatch())
             return QStringLiteral("--move takes X,Y in pixels, such as 0,-60, not '%1'").arg(v);
         s.options.placement.move = QPoint(m.captured(1).toInt(), m.captured(2).toInt());
         return QString();
     }},
    {nullptr, "--keep-inside", "AREA", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral(
             "keep pictures read from a PGS file inside the picture of a cropped film: its shape "
             "(2.40, 2.39:1, 1.85, 21:9), centred in the output's frame as that shows, or a "
             "rectangle WxH+X+Y of the frame; a picture outside it moves the least that brings it "
             "in");
     },
     ApplyKeepInside},
    {nullptr, "--brightness", "PERCENT", "brightness", nullptr, 1, 100,
     [](const ConvertOptions& o) { return QString::number(o.brightness); },
     [](const OptionRow& row) {
         return QStringLiteral(
                    "show every subtitle colour at PERCENT of its light (%1 to %2, default %3), "
                    "white included, for HDR video on which full-white subtitles glare: a player "
                    "that shows subtitle white at 600 nits shows it at 200 with 33. Applied to "
                    "the colours written (the palette, the pictures' colours), for every input")
             .arg(row.min)
             .arg(row.max)
             .arg(row.defaultText());
     },
     [](ParseState& s, const QString& v) {
         s.options.brightness = v.toInt();
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
         // "-" reads as standard output, which cannot take a pair of files and a help file.
         if (v == QStringLiteral("-"))
             return QStringLiteral("--output - cannot write to standard output: the output is "
                                   "several files; name a folder (./- for one called '-')");
         s.options.outputFolder = v;
         return QString();
     },
     nullptr, nullptr, OfferedFiles::Folders},
    {nullptr, "--settings", "FILE", nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("take the settings from the window's settings file; options given "
                               "after it override them");
     },
     applySettings, nullptr, nullptr, OfferedFiles::SettingsFiles},
    {nullptr, "--stream-index", "N", "stream index", nullptr, 0, kLastSubpictureStream, nullptr,
     [](const OptionRow& row) {
         return QStringLiteral("of a VobSub pair read with several streams, convert only stream "
                               "N (%1 to %2, the \"index: N\" of its .idx); without it every "
                               "stream goes into a pair written, and a form of one stream takes "
                               "the pair's default stream")
             .arg(row.min)
             .arg(row.max);
     },
     [](ParseState& s, const QString& v) {
         s.options.streamIndex = v.toInt();
         return QString();
     }},
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
    {"-R", "--recursive", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("a FILE that is a folder stands for the subtitle files in it and "
                               "in its subfolders (without it: only those in it); under --output "
                               "they keep the folder's tree");
     },
     [](ParseState& s, const QString&) {
         s.options.recursive = true;
         return QString();
     }},
    {"-n", "--no-overwrite", nullptr, nullptr, nullptr, 0, 0, nullptr,
     [](const OptionRow&) {
         return QStringLiteral("replace no file: a subtitle file whose outputs exist already is "
                               "not converted (and said so), and a help file already there stays; "
                               "without it an earlier pair of ours is replaced");
     },
     [](ParseState& s, const QString&) {
         s.options.noOverwrite = true;
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

} // namespace

std::span<const OptionRow> OptionTable()
{
    return kOptions;
}

const OptionRow* FindOption(const QString& name)
{
    for (const OptionRow& row : kOptions) {
        if ((row.shortName && name == QLatin1String(row.shortName)) ||
            name == QLatin1String(row.longName))
            return &row;
    }
    return nullptr;
}

} // namespace lumelle
