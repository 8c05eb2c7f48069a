#include "ui/RunNotes.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <optional>
#include <vector>

namespace lumelle {

namespace {

constexpr const char* kContext = "lumelle::RunNotes";

// How one %N of a form is shown: as it stands (a file name, a number, a character), as a note
// of its own (a reason, a kind of file, a list of numbers), as a list of notes joined by ", ",
// or as file names joined by " and ".
enum class Part { AsItIs, Note, List, Names };

// Two file names, as the core joins them.
constexpr const char* kTwoNames = QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1 and %2");

struct NoteForm
{
    const char* english;
    std::vector<Part> parts; // one per %N, in the order of N
    bool inHelp = false;     // also a line of the help text
    // Only a frame around a note of its own ("NAME: note"): it applies when that note is of a
    // known form, so that an unknown note with a colon in it is left whole.
    bool frame = false;
};

// The forms the core writes its notes in, the most particular first: a later, looser form
// ("%1: %2") must not take a note an earlier one knows.
const std::vector<NoteForm>& noteForms()
{
    using P = Part;
    static const std::vector<NoteForm> forms = {
        // Outputs that were not replaced, and why; where the output went instead.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1 The %2 was written as %3."),
         {P::Note, P::Note, P::Names}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1 was left as it is: %2."), {P::AsItIs, P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "it is an input or an earlier output of this run"),
         {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "it is not a regular file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "it is not a folder"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "it holds \"%1\", which is not a file of the set"),
         {P::AsItIs}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "it is not %1"), {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "a help file of this program"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "a VobSub file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "a DVD .sup file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "PNG picture"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "BDN XML file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "Blu-ray PGS file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "pair"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "files"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", ".sup file"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "index"), {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "file"), {}},
        // The streams of a pair of several languages, in the help text.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Streams of this pair: %1. mkvmerge marks every stream default unless "
                           "told: mkvmerge -o OUTPUT.mkv VIDEO%2 %3"),
         {P::List, P::AsItIs, P::AsItIs},
         true},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1 (default)"), {P::AsItIs}},
        // Colours a picture cannot show as asked.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitle %1 asks for more than one text colour in one picture and is "
                           "drawn in one of them."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitles %1 ask for more than one text colour in one picture and are "
                           "drawn in one of them."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitle %1 asks for more text colours than a DVD picture can show "
                           "(three inks: outline and two text colours) and is drawn in the "
                           "nearest of them."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitles %1 ask for more text colours than a DVD picture can show "
                           "(three inks: outline and two text colours) and are drawn in the "
                           "nearest of them."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitle %1 asks for colours beyond the 16 of the palette and is "
                           "drawn in the nearest colour it holds."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitles %1 ask for colours beyond the 16 of the palette and are "
                           "drawn in the nearest colour it holds."),
         {P::Note}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1 and %2 more"), {P::AsItIs, P::AsItIs}},
        // Characters no installed font draws.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "1 subtitle holds characters that no installed font can draw; they "
                           "show as empty boxes. Install a font for their script (the README "
                           "names the Debian packages):"),
         {}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "%1 subtitles hold characters that no installed font can draw; they "
                           "show as empty boxes. Install a font for their script (the README "
                           "names the Debian packages):"),
         {P::AsItIs}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "subtitle %1: %2"), {P::AsItIs, P::AsItIs}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "... and %1 more."), {P::AsItIs}},
        // Blu-ray timing.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "Subtitle %1 is shown %2 ms after its start: a Blu-ray player needs "
                           "that long to decode the first picture."),
         {P::AsItIs, P::AsItIs}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "%1 steps of animated subtitles are left out: a Blu-ray player could "
                           "not decode them before they end."),
         {P::AsItIs}},
        {QT_TRANSLATE_NOOP("lumelle::RunNotes",
                           "%1 pictures are shown up to %2 ms after their start: a Blu-ray "
                           "player needs the time to decode each after the one before."),
         {P::AsItIs, P::AsItIs}},
        // A note of one of several files, behind the file's name.
        {QT_TRANSLATE_NOOP("lumelle::RunNotes", "%1: %2"), {P::AsItIs, P::Note}, false, true},
    };
    return forms;
}

// A form as a pattern: its text word for word, each %N one part of at least one character.
QRegularExpression patternOf(const NoteForm& form, std::vector<int>& order)
{
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    const QString english = QString::fromUtf8(form.english);
    QString pattern = QStringLiteral("^");
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : marker.globalMatch(english)) {
        pattern += QRegularExpression::escape(english.mid(from, m.capturedStart() - from));
        pattern += QStringLiteral("(.+?)");
        order.push_back(m.captured(1).toInt());
        from = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(english.mid(from)) + QLatin1Char('$');
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

struct CompiledForm
{
    const NoteForm* form;
    QRegularExpression pattern;
    std::vector<int> order; // the N of each captured part, in the order they stand
};

const std::vector<CompiledForm>& compiledForms()
{
    static const std::vector<CompiledForm> compiled = [] {
        std::vector<CompiledForm> all;
        for (const NoteForm& form : noteForms()) {
            std::vector<int> order;
            QRegularExpression pattern = patternOf(form, order);
            all.push_back({&form, std::move(pattern), std::move(order)});
        }
        return all;
    }();
    return compiled;
}

std::optional<QString> knownLine(const QString& line, int depth, bool helpOnly = false);

// `text` in the user's language: a known note translated, any other as it stands.
QString shownText(const QString& text, int depth)
{
    return knownLine(text, depth).value_or(text);
}

QString shownPart(const QString& text, Part part, int depth)
{
    switch (part) {
    case Part::AsItIs:
        return text;
    case Part::Note:
        return shownText(text, depth + 1);
    case Part::List: {
        QStringList items = text.split(QStringLiteral(", "));
        for (QString& item : items)
            item = shownText(item, depth + 1);
        return items.join(QStringLiteral(", "));
    }
    case Part::Names: {
        const QStringList names = text.split(QStringLiteral(" and "));
        QString joined = names.front();
        for (qsizetype i = 1; i < names.size(); ++i)
            joined = QCoreApplication::translate(kContext, kTwoNames).arg(joined, names[i]);
        return joined;
    }
    }
    return text;
}

// `translated` with each %N replaced by the shown part N of `match`, all at once, so that a
// part holding "%1" is not filled again.
QString filled(const QString& translated, const CompiledForm& compiled,
               const QRegularExpressionMatch& match, int depth)
{
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    const NoteForm& form = *compiled.form;
    QString shown;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : marker.globalMatch(translated)) {
        shown += translated.mid(from, m.capturedStart() - from);
        const int n = m.captured(1).toInt();
        QString part = m.captured(0);
        for (std::size_t i = 0; i < compiled.order.size(); ++i) {
            if (compiled.order[i] == n && std::size_t(n - 1) < form.parts.size()) {
                part = shownPart(match.captured(int(i) + 1), form.parts[std::size_t(n - 1)], depth);
                break;
            }
        }
        shown += part;
        from = m.capturedEnd();
    }
    return shown + translated.mid(from);
}

// `line` in the user's language when it is of a known form (with `helpOnly`, of a form of the
// help text); nothing otherwise.
std::optional<QString> knownLine(const QString& line, int depth, bool helpOnly)
{
    // Parts of parts are few; the bound keeps a strange text from going round for long.
    constexpr int kDeepest = 4;
    if (line.isEmpty() || depth > kDeepest)
        return std::nullopt;
    for (const CompiledForm& compiled : compiledForms()) {
        const NoteForm& form = *compiled.form;
        if (helpOnly && !form.inHelp)
            continue;
        const QRegularExpressionMatch match = compiled.pattern.match(line);
        if (!match.hasMatch())
            continue;
        if (form.frame) {
            // The framed note is the last part.
            if (!knownLine(match.captured(match.lastCapturedIndex()), depth + 1))
                continue;
        }
        return filled(QCoreApplication::translate(kContext, form.english), compiled, match, depth);
    }
    return std::nullopt;
}

// Each line of `text` shown in the user's language; a line may end in a carriage return too.
QString shownLines(const QString& text, bool helpOnly)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const bool cr = line.endsWith(QLatin1Char('\r'));
        const QString bare = cr ? line.chopped(1) : line;
        line =
            knownLine(bare, 0, helpOnly).value_or(bare) + (cr ? QStringLiteral("\r") : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString ShownNote(const QString& note)
{
    return shownLines(note, false);
}

QString ShownHelpText(const QString& help)
{
    return shownLines(help, true);
}

QStringList ShownNotes(const QStringList& notes)
{
    QStringList shown;
    for (const QString& note : notes)
        shown << ShownNote(note);
    return shown;
}

} // namespace lumelle
