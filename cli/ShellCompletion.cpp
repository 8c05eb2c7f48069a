#include "cli/ShellCompletion.h"

#include "cli/OptionTable.h"
#include "subtitle/SubtitleKinds.h"

namespace lumelle {

namespace {

// A word in single quotes, as the shell reads it back unchanged.
QString quoted(const QString& word)
{
    QString text = word;
    text.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// "-r|--fps": the names of a row as a case pattern.
QString namePattern(const OptionRow& row)
{
    QString pattern = QLatin1String(row.longName);
    if (row.shortName)
        pattern = QLatin1String(row.shortName) + QLatin1Char('|') + pattern;
    return pattern;
}

QString filesFunctionCall(const QStringList& extensions)
{
    return QStringLiteral("_lumelle_convert_files %1")
        .arg(quoted(extensions.join(QLatin1Char(' '))));
}

// The case branch that completes the value of `row`: its words, its files, or nothing for a
// value of the user's own (a font name, a number), so that no file name is offered in its place.
QString valueBranch(const OptionRow& row)
{
    QString action;
    switch (row.files) {
    case OfferedFiles::Folders:
        action = QStringLiteral("mapfile -t COMPREPLY < <(compgen -d -- \"$cur\")\n"
                                "            compopt -o filenames 2>/dev/null");
        break;
    case OfferedFiles::Inputs:
        action = filesFunctionCall(InputExtensions());
        break;
    case OfferedFiles::SettingsFiles:
        action = filesFunctionCall({QStringLiteral("ini")});
        break;
    case OfferedFiles::None:
        if (const QStringList words = row.completions(); !words.isEmpty()) {
            QStringList quotedWords;
            for (const QString& word : words)
                quotedWords << quoted(word);
            action =
                QStringLiteral("_lumelle_convert_words %1").arg(quotedWords.join(QLatin1Char(' ')));
        }
        break;
    }
    if (action.isEmpty())
        return QStringLiteral("        %1)\n            return 0 ;;\n").arg(namePattern(row));
    return QStringLiteral("        %1)\n            %2\n            return 0 ;;\n")
        .arg(namePattern(row), action);
}

const char kHelpers[] =
    R"(# bash completion for lumelle-convert: its options, the values each takes and the files it reads.
# Written from the converter's option table when the program is built.

# The words given that start with the word being completed.
_lumelle_convert_words()
{
    mapfile -t COMPREPLY < <(compgen -W "$*" -- "$cur")
}

# Folders, and the files whose extension (in any case) is one of the words of $1.
_lumelle_convert_files()
{
    local name extension
    COMPREPLY=()
    while IFS= read -r name; do
        extension=${name##*.}
        if [[ -d $name ]] || [[ $name == *.* && " $1 " == *" ${extension,,} "* ]]; then
            COMPREPLY+=("$name")
        fi
    done < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
}

_lumelle_convert()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash splits --name=value at the "=": the value is completed as after --name.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    case $prev in
)";

} // namespace

QStringList InputExtensions()
{
    QStringList extensions;
    for (const QString& extension : SubtitleExtensions())
        extensions << extension.toLower();
    // The picture files read beside the text ones: PGS and DVD .sup, a VobSub pair's .idx.
    for (const char* picture : {"sup", "idx"}) {
        if (!extensions.contains(QLatin1String(picture)))
            extensions << QString::fromLatin1(picture);
    }
    return extensions;
}

QString BashCompletionScript()
{
    QString script = QLatin1String(kHelpers);
    QStringList names;
    for (const OptionRow& row : OptionTable()) {
        if (row.valueName)
            script += valueBranch(row);
        if (row.shortName)
            names << QLatin1String(row.shortName);
        names << QLatin1String(row.longName);
    }
    script += QStringLiteral("    esac\n"
                             "    if [[ $cur == -* ]]; then\n"
                             "        _lumelle_convert_words %1\n"
                             "        return 0\n"
                             "    fi\n"
                             "    %2\n"
                             "}\n"
                             "complete -F _lumelle_convert lumelle-convert\n")
                  .arg(names.join(QLatin1Char(' ')), filesFunctionCall(InputExtensions()));
    return script;
}

} // namespace lumelle
