#include "cli/Manual.h"

#include "cli/ConvertHelp.h"
#include "platform/IniStore.h"
#include "platform/Licence.h"
#include "subtitle/SubtitleKinds.h"
#include "vobsub/HelpText.h"

namespace lumelle {

namespace {

// `text` as man(7) source: backslashes and hyphens escaped, and a control character at the
// start of a line made literal.
QString roff(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\e");
        else if (c == QLatin1Char('-'))
            out += QStringLiteral("\\-");
        else
            out += c;
    }
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

QString bold(const char* text)
{
    return QStringLiteral("\\fB%1\\fR").arg(roff(QLatin1String(text)));
}

// The title line, dated with the release, and the NAME section.
QString heading(const char* name, const char* title)
{
    return QStringLiteral(".TH %1 1 \"%2\" \"Lumelle %3\" \"User Commands\"\n.SH NAME\n%4\n")
        .arg(QString::fromLatin1(name).toUpper(), QStringLiteral(LUMELLE_RELEASE_DATE),
             QStringLiteral(LUMELLE_VERSION), roff(QLatin1String(title)));
}

QString section(const char* title)
{
    return QStringLiteral(".SH \"%1\"\n").arg(QLatin1String(title));
}

QString paragraph(const QString& text)
{
    return QStringLiteral(".PP\n%1\n").arg(roff(text));
}

QString taggedParagraph(const QString& tag, const QString& text)
{
    return QStringLiteral(".TP\n%1\n%2\n").arg(tag, roff(text));
}

// "SubRip .srt, MicroDVD .sub or .txt, WebVTT .vtt, ASS/SSA .ass or .ssa, ..., EBU STL .stl".
QString subtitleKinds()
{
    return SubtitleKindsText(QStringLiteral("%1 %2"), QStringLiteral(" or "), QStringLiteral(", "));
}

QString paletteSection()
{
    QString text = section("WHICH PALETTE MODE?") +
                   paragraph(QStringLiteral(
                       "The default mode writes Y/Cr/Cb values in the palette line and the "
                       "chosen RGB colours as custom colours. Players that read only the "
                       "palette line, such as mpv, VLC and every player built on ffmpeg, show "
                       "white text pink with a teal outline in that mode and in dvd mode. Pick "
                       "the mode by where the subtitles are shown:"));
    for (const HelpPaletteRow& row : ConvertHelpDocument().palette)
        text += taggedParagraph(roff(QLatin1String(row.use)), row.modes);
    return text;
}

QString settingsFileSection()
{
    return section("FILES") +
           taggedParagraph(
               QStringLiteral("\\fI~/.config/Lumelle/%1\\fR")
                   .arg(roff(QLatin1String(platform::kSettingsFileName))),
               QStringLiteral("The window's settings. A settings file beside the program is used "
                              "instead when that folder is writable and the program is not "
                              "installed, or when the file is already there.")) +
           taggedParagraph(QStringLiteral("\\fI%1\\fR").arg(roff(QLatin1String(kHelpFileName))),
                           QStringLiteral("Written beside each VobSub pair: the Y/Cr/Cb values to "
                                          "enter in an IFO editor and the files made."));
}

QString environmentSection(bool window)
{
    QString text = section("ENVIRONMENT");
    if (!window)
        text += taggedParagraph(
            bold("TMPDIR"),
            QStringLiteral("Where the private folder for a subtitle read from standard input, and "
                           "for names the system cannot decode, is made (/tmp when unset). The "
                           "temporary files and the lock of a pair are made beside the pair."));
    text += taggedParagraph(
        bold("XDG_CONFIG_HOME"),
        QStringLiteral("The folder of the window's settings file, in its subfolder Lumelle "
                       "(~/.config when unset)."));
    text += taggedParagraph(
        bold("QT_QPA_PLATFORM"),
        window ? QStringLiteral("The Qt platform the window is shown on, such as xcb or wayland; "
                                "chosen by Qt when unset.")
               : QStringLiteral("The Qt platform that draws the text; offscreen when unset, so "
                                "that no display is needed."));
    return text;
}

QString reportingBugsSection()
{
    return section("REPORTING BUGS") +
           paragraph(QStringLiteral("Report bugs on the forum at https://%1/forum, with the "
                                    "subtitle file and the command or settings used.")
                         .arg(QStringLiteral(LUMELLE_SITE_HOST)));
}

QString copyrightSection()
{
    return section("COPYRIGHT") +
           paragraph(QStringLiteral("Copyright (c) 2026 The Lumelle developers. Released under "
                                    "the %1.")
                         .arg(platform::licenceName()));
}

} // namespace

QString ConvertManualPage()
{
    const HelpDocument doc = ConvertHelpDocument();
    QString page = heading("lumelle-convert",
                           "lumelle-convert - convert text subtitles into VobSub (.idx/.sub) "
                           "pairs or Blu-ray PGS and BDN XML subtitles");
    page += section("SYNOPSIS") +
            QStringLiteral(".B lumelle\\-convert\n[\\fIoptions\\fR] \\fIFILE\\fR...\n.br\n"
                           ".B lumelle\\-convert\n[\\fIoptions\\fR] \\fB\\-o\\fR \\fINAME\\fR "
                           "\\fB\\-\\fR < \\fIFILE\\fR\n");
    page += section("DESCRIPTION");
    for (const QString& text : doc.description)
        page += paragraph(text);
    page += section("OPTIONS");
    for (const HelpOption& option : doc.options) {
        QString tag = option.shortName ? bold(option.shortName) + QStringLiteral(", ") : QString();
        tag += bold(option.longName);
        if (option.value)
            tag += QStringLiteral(" \\fI%1\\fR").arg(roff(QLatin1String(option.value)));
        page += taggedParagraph(tag, option.text);
    }
    page += paletteSection();
    page += section("EXIT STATUS");
    for (const HelpStatus& status : doc.statuses)
        page += taggedParagraph(QStringLiteral("\\fB%1\\fR").arg(status.code), status.text);
    page += section("EXAMPLES") +
            QStringLiteral(".nf\nlumelle\\-convert \\-\\-fps 23976 \\-\\-palette pc film.srt\n"
                           "lumelle\\-convert \\-\\-settings ~/.config/Lumelle/%1 \\-o out *.srt\n"
                           "lumelle\\-convert \\-\\-stream en:film.en.srt \\-\\-stream "
                           "fr:film.fr.srt \\-\\-alt Fran\\(,cais\n"
                           "    \\-\\-stream film.en.forced.srt \\-\\-default\\-stream fr "
                           "\\-o out\n"
                           "lumelle\\-convert \\-\\-format vobsub,dvd\\-sup \\-\\-forced "
                           "signs.srt\n"
                           "lumelle\\-convert \\-\\-fps 23976 \\-\\-animation\\-steps 5 "
                           "anime.ass\n"
                           "lumelle\\-convert \\-\\-format pgs \\-\\-fps 23976 film.srt\n"
                           "lumelle\\-convert \\-\\-format bdn\\-xml \\-\\-frame\\-size "
                           "1280x720 \\-\\-fps 50000 film.srt\n"
                           "lumelle\\-convert \\-\\-format vobsub \\-\\-fps 23976 "
                           "bluray.sup\n"
                           "lumelle\\-convert \\-\\-format pgs \\-\\-frame\\-size "
                           "1280x720 \\-\\-fps 23976 \\-o out bluray.sup\n"
                           "lumelle\\-convert \\-\\-format pgs \\-\\-frame\\-size "
                           "1920x1080 \\-o out dvd.idx\n"
                           "lumelle\\-convert \\-\\-stream\\-index 1 \\-\\-format "
                           "dvd\\-sup dvd.idx\n"
                           "lumelle\\-convert \\-\\-format pgs \\-\\-fps 23976 "
                           "film_bdn/film.xml\n"
                           "lumelle\\-convert \\-\\-format vobsub \\-\\-keep\\-inside "
                           "2.40 bluray.sup\n"
                           "lumelle\\-convert \\-\\-fps 25 \\-\\-speed 23.976:25 "
                           "film.srt\n"
                           "lumelle\\-convert \\-\\-shift \\-1.5s \\-\\-forced\\-only "
                           "film.srt\n"
                           "lumelle\\-convert \\-\\-format pgs \\-\\-brightness 33 "
                           "\\-o out uhd.sup\n"
                           ".fi\n")
                .arg(roff(QLatin1String(platform::kSettingsFileName)));
    page += environmentSection(false);
    page += settingsFileSection();
    page += taggedParagraph(
        QStringLiteral("\\fI/usr/share/bash\\-completion/completions/lumelle\\-convert\\fR"),
        QStringLiteral("Completes the options, the values each takes and the subtitle files and "
                       "folders it reads in bash; written from the same table as this page."));
    page += reportingBugsSection() + copyrightSection();
    page += section("SEE ALSO") + QStringLiteral(".BR lumelle (1)\n");
    return page;
}

QString WindowManualPage()
{
    QString page = heading("lumelle", "lumelle - turn text subtitles into DVD bitmap subtitles "
                                      "(VobSub)");
    page += section("SYNOPSIS") +
            QStringLiteral(".B lumelle\n[\\fB\\-h\\fR|\\fB\\-V\\fR] [\\fIFILE\\fR]\n");
    page +=
        section("DESCRIPTION") +
        paragraph(
            QStringLiteral(
                "Lumelle turns a text subtitle file (%1) into DVD bitmap subtitles in the VobSub "
                "form: an .idx index and a .sub MPEG-2 program stream. Pick the frame rate, font, "
                "outline, position and colours, preview any line over a picture, and press "
                "\"Generate Vobsub\". The pair is written beside the subtitle file; the subtitle "
                "file itself is never overwritten.")
                .arg(subtitleKinds())) +
        paragraph(QStringLiteral(
            "A second press of the button (then captioned \"Abort\") stops the run after the "
            "current subtitle and keeps the subtitles finished so far; when that would replace "
            "an earlier pair, the window asks first (\"Keep the N subtitles written so far? The "
            "earlier pair will be replaced.\"). Closing the window during a run keeps the "
            "earlier pair.")) +
        paragraph(QStringLiteral("lumelle-convert(1) does the same without the window, for "
                                 "scripts and whole folders."));
    page += section("OPTIONS") +
            taggedParagraph(QStringLiteral("\\fIFILE\\fR"),
                            QStringLiteral("A subtitle file to load at start, as if chosen with "
                                           "\"Load Srt,Sub\"; the desktop entry passes the file "
                                           "opened. A name that starts with - follows --.")) +
            taggedParagraph(bold("-h") + QStringLiteral(", ") + bold("--help"),
                            QStringLiteral("Print a short usage text and stop.")) +
            taggedParagraph(bold("-V") + QStringLiteral(", ") + bold("--version"),
                            QStringLiteral("Print the version and licence and stop.")) +
            paragraph(QStringLiteral("Qt's own options, such as -platform NAME and -style NAME, "
                                     "are taken as well."));
    page += paletteSection();
    page += environmentSection(true);
    page += settingsFileSection();
    page += reportingBugsSection() + copyrightSection();
    page += section("SEE ALSO") + QStringLiteral(".BR lumelle\\-convert (1)\n");
    return page;
}

} // namespace lumelle
