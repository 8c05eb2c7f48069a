#include "cli/ConvertHelp.h"

#include "cli/ConvertOptions.h"
#include "cli/OptionTable.h"
#include "cli/OptionValues.h"
#include "render/RenderSettings.h"
#include "subtitle/SubtitleKinds.h"
#include "vobsub/PaletteUses.h"

namespace lumelle {

namespace {

const HelpStatus kHelpStatuses[] = {
    {0, "every file was converted"},
    {1, "a file could not be read, converted or written, the run was aborted, or standard "
        "output could not be written (said on standard error)"},
    {2, "bad usage: an unknown option, a value out of range or no file"},
    {3, "converted, but entries that could not be read or shown were skipped (each is named on "
        "standard error with its line and reason)"},
};

// The uses and their modes; the default mode is marked where it is first named.
QList<HelpPaletteRow> paletteRows()
{
    const PaletteMode defaultMode = ConvertOptions().mode;
    bool marked = false;
    QList<HelpPaletteRow> rows;
    for (const PaletteUse& use : PaletteUses()) {
        QStringList names;
        for (PaletteMode mode : use.modes) {
            QString name = ModeName(mode);
            if (mode == defaultMode && !marked) {
                name += QStringLiteral(" (the default)");
                marked = true;
            }
            names << name;
        }
        rows.append({use.name, Listed(names)});
    }
    return rows;
}

// "SubRip (.srt), MicroDVD (.sub, .txt), WebVTT (.vtt), ASS/SSA (.ass, .ssa), ... and
// EBU STL (.stl)".
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
        QStringLiteral("A FILE that is a folder stands for every subtitle file in it (text known "
                       "by its name and first lines, pictures by their bytes; one already in the "
                       "form written, or named like a text beside it, is left out and named), "
                       "and with --recursive for those of its subfolders too; under --output "
                       "their outputs keep the folder's tree."),
        QStringLiteral("With --stream the files become the streams of one pair, a language each; "
                       "--forced and names like film.LANG.forced.srt mark forced subtitles, which "
                       "players show even with subtitles turned off; --format dvd-sup writes the "
                       ".sup file DVD authoring programs import."),
        QStringLiteral("--format pgs writes a Blu-ray PGS .sup and --format bdn-xml a BDN XML "
                       "index with a PNG picture per subtitle, drawn in full colour with smooth "
                       "edges at --frame-size (1920x1080 unless given); the window's sizes grow "
                       "with the frame's height over 576 rows. The BDN index and its pictures go "
                       "into a folder of their own, NAME_bdn, beside the subtitle file or in the "
                       "--output folder, replaced whole."),
        QStringLiteral("A Blu-ray PGS .sup (known by its bytes, under any name) is converted "
                       "the other way: its pictures, read with their palettes, cropping, "
                       "windows and forced marks, are resized to the output's frame (to the DVD "
                       "frame as --aspect shows it, or to --frame-size) and, for the DVD forms, "
                       "reduced to the four inks, the text keeping its own colour in the "
                       "palette. A damaged stream is read as far as it goes and each fault is "
                       "named with its byte position. A BDN XML index (known by its <BDN> "
                       "element) is read the same way with the PNG pictures beside it, its times "
                       "by its frame rate and drop-frame flag; an event with a bad timecode or a "
                       "missing picture is named and left out, the rest converted."),
        QStringLiteral("DVD subtitles are read too: a VobSub pair (given by its .idx or its .sub, "
                       "the other found beside it by name) with its palette, custom colours, "
                       "delays, forced subtitles, languages and alt names, and a DVD .sup, both "
                       "known by their bytes. Written as a DVD form at their own frame they keep "
                       "each ink, colour and contrast; for Blu-ray they are raised to full colour "
                       "through the palette and contrast, at the DVD frame unless --frame-size "
                       "names another. Every stream of a pair goes into the pair written; a "
                       "form of one stream takes the default one, or the one --stream-index "
                       "names."),
        QStringLiteral(
            "--move and --keep-inside place the pictures read from a PGS or BDN file in the "
            "output's frame: moved by an offset, or kept inside the picture of a "
            "cropped film (2.40, or a rectangle), never out of the frame. --shift, "
            "--speed, --forced-only and --drop-forced change the timing of every "
            "input, text too; a subtitle that then ends before 00:00:00 is left out "
            "and counted as skipped."),
        QStringLiteral("The pair is written beside each subtitle file unless --output is given; a "
                       ".sub input is never overwritten (the pair is then named "
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
                       "colour, outlines and boxes the script's own outline colour (an entry of "
                       "the palette, the nearest when it is full), shadows and character "
                       "edges the antialias colour; transparency and fades become the DVD "
                       "contrast. Animated events (fades, moves, karaoke, SSA banners and "
                       "scrolling text) are drawn again while "
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
    for (const OptionRow& row : OptionTable())
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

} // namespace lumelle
