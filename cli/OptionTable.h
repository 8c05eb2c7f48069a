// The converter's options, a row each: the parser, --help and the manual pages all read this
// one table, so that the help can never drift from what the parser takes and checks.
#pragma once

#include "cli/ConvertOptions.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace lumelle {

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

// The files shell completion offers for an option's value.
enum class OfferedFiles {
    None,
    Folders,       // folders only (--output)
    Inputs,        // subtitle files and folders, as FILE takes them
    SettingsFiles, // the window's settings files (.ini) and folders
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
    // Turns a value as people write it into the spelling of the row's choices before the checks
    // ("23.976" into "23976"); null when values are taken as written.
    QString (*spelling)(const QString& value) = nullptr;
    // The words shell completion offers for a value the row checks in `apply` rather than
    // against its choices (--palette); null when it offers the choices, or nothing.
    const QStringList& (*offered)() = nullptr;
    OfferedFiles files = OfferedFiles::None;

    bool isNumber() const { return min < max; }
    // The words shell completion offers for the value: `offered`, else the choices.
    QStringList completions() const
    {
        return offered ? offered() : choices ? choices() : QStringList();
    }
    QString defaultText() const { return shown ? shown(ConvertOptions()) : QString(); }
};

// Every option, in the order the help shows them.
std::span<const OptionRow> OptionTable();

// The row named `name` ("--fps" or "-r"); names are matched exactly, as getopt_long does.
const OptionRow* FindOption(const QString& name);

} // namespace lumelle
