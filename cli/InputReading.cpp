#include "cli/InputReading.h"

#include "cli/FolderInputs.h"
#include "cli/TerminalText.h"
#include "platform/SystemNames.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"

#include <QFileInfo>

namespace lumelle {

namespace {

// Says on standard error how `file` was read: its encoding, a frame-rate conversion, one
// warning per skipped entry and their count. False, after saying why, when no entry at all
// could be read.
bool reportLoad(const TSubtitle& list, const QString& file, const RunState& run)
{
    const ConvertOptions& options = run.options;
    const QString name = run.inputs.shownName(file);
    // A listing always names the encoding; a conversion when it was declared or detected.
    const FileEncoding& encoding = list.Encoding();
    const quint8 charset = options.settings.charset;
    if (encoding.guessedUnder(charset))
        PrintLine(stderr, QStringLiteral("%1: warning: the encoding could not be detected; read "
                                         "as %2 (name the right one with --charset)")
                              .arg(name, QString::fromStdString(encoding.codePage)));
    else if (options.listOnly || encoding.worthNaming(charset))
        PrintLine(stderr,
                  QStringLiteral("%1: read as %2").arg(name, encoding.description(charset)));
    if (!list.RateNote().isEmpty())
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, list.RateNote()));
    for (const QString& note : list.ReadNotes())
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, note));
    for (const SkippedEntry& skipped : list.Skipped())
        PrintLine(stderr, QStringLiteral("%1:%2: warning: skipped: %3")
                              .arg(name, QString::number(skipped.lineNumber), skipped.reason));
    if (!list.Skipped().empty())
        PrintLine(stderr, QStringLiteral("%1: %2 skipped")
                              .arg(name, Counted(list.Skipped().size(), "entry", "entries")));
    for (const SkippedEntry& changed : list.Changed())
        PrintLine(stderr, QStringLiteral("%1:%2: warning: %3")
                              .arg(name, QString::number(changed.lineNumber), changed.reason));
    if (list.HiddenCount() == 1)
        PrintLine(stderr, QStringLiteral("%1: 1 entry ends where it starts: not shown").arg(name));
    else if (list.HiddenCount() > 1)
        PrintLine(stderr, QStringLiteral("%1: %2 entries end where they start: not shown")
                              .arg(name, QString::number(list.HiddenCount())));
    if (list.EmptyCount() > 0)
        PrintLine(stderr,
                  QStringLiteral("%1: %2 no text: not shown")
                      .arg(name, list.EmptyCount() == 1
                                     ? QStringLiteral("1 entry holds")
                                     : QStringLiteral("%1 entries hold").arg(list.EmptyCount())));
    if (list.Count() > 0)
        return true;
    PrintError(QStringLiteral("%1: no subtitle could be read").arg(name));
    return false;
}

} // namespace

void PrepareReading(TSubtitle& list, const ConvertOptions& options, std::string languageCode)
{
    list.SetLanguageHint(std::move(languageCode));
    list.SetRollingCaptions(options.rollingCaptions);
    list.SetSpeakerNames(options.speakerNames);
    list.SetTimestampMap(options.timestampMap);
}

std::string ReadingLanguage(const QString& file, const ConvertOptions& options)
{
    if (options.languageGiven)
        return LanguageCodeOf(options.languageText);
    // The stored default language is no sign of what the file holds: only its name is.
    return LanguageCodeOf(NameLanguageText(QFileInfo(file).fileName()));
}

StreamLanguage LanguageOfInput(const QString& file, const TSubtitle& list, const RunState& run)
{
    const ConvertOptions& options = run.options;
    if (options.languageGiven)
        return {options.languageText, LanguageSource::Given};
    const StreamLanguage found =
        FindStreamLanguage(QFileInfo(file).fileName(), list, options.languageText);
    // A listing names every language beside its rows; a conversion the one the text told,
    // the only one the user may not foresee, with its summary.
    const QString note =
        QStringLiteral("%1: %2").arg(run.inputs.shownName(file), LanguageNote(found));
    if (options.listOnly)
        PrintLine(stderr, note);
    else if (!options.quiet && !options.json && found.source == LanguageSource::Text)
        PrintLine(stdout, note);
    return found;
}

bool ReadInput(TSubtitle& list, const QString& file, const RunState& run, bool* emptyRead)
{
    const ConvertOptions& options = run.options;
    const QString name = run.inputs.shownName(file);
    const NameKind kind = KindOfName(file);
    if (kind == NameKind::Missing) {
        PrintError(QStringLiteral("%1: No such file").arg(name));
        return false;
    }
    if (kind != NameKind::File) {
        // A folder of the batch that held no subtitle file stays in the list; a --stream takes
        // files only.
        QString what = QStringLiteral("is not a regular file");
        if (kind == NameKind::Folder)
            what = options.streams.empty() ? NoSubtitleFileIn(options.recursive)
                                           : QStringLiteral("is a folder");
        PrintError(QStringLiteral("%1: %2").arg(name, what));
        return false;
    }
    if (list.LoadFromFile(file, true, RunFrameRate(options), 0, options.settings.charset) ==
        LoadOutcome::Read) {
        if (emptyRead)
            *emptyRead = list.Count() == 0;
        return reportLoad(list, file, run);
    }
    PrintError(QStringLiteral("%1: %2").arg(name, QString::fromLatin1(kUnsupportedFormatMessage)));
    return false;
}

} // namespace lumelle
