// The documentation of lumelle-convert as data, and its --help layout: the manual pages print
// the same document in their own markup.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <span>

namespace lumelle {

// The documentation of the converter as data, printed by --help and into the manual pages.
// Every option comes from the one option table the parser reads: its ranges and defaults are
// those the parser checks against and starts from.
struct HelpOption
{
    const char* shortName; // or null
    const char* longName;
    const char* value; // the value's placeholder, or null for a switch
    QString text;
    // The option's default as it would be given on the command line; empty when it has none
    // to give (a switch, a folder, or a default that no value names).
    QString defaultValue;
};
struct HelpStatus
{
    int code;
    const char* text;
};
// Which palette mode suits a player or use.
struct HelpPaletteRow
{
    const char* use;
    QString modes;
};
struct HelpDocument
{
    QStringList description;
    QList<HelpOption> options;
    std::span<const HelpStatus> statuses;
    QList<HelpPaletteRow> palette;
};
HelpDocument ConvertHelpDocument();
// "-o, --output DIR", or "    --list" for an option without a short name.
QString HelpOptionLabel(const HelpOption& option);

// The text of --help: the document wrapped to 79 columns.
QString ConvertHelpText();

} // namespace lumelle
