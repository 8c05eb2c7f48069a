// How the converter's option values are named and read: palette modes, colours, whole numbers
// and lists of choices, the same words in the parser, its messages and the help.
#pragma once

#include "vobsub/Palette.h"

#include <QString>
#include <QStringList>
#include <span>

namespace lumelle {

// A palette mode by the name --palette takes, and what it writes.
struct NamedMode
{
    const char* name;
    PaletteMode mode;
    const char* note; // "%1" stands for the mode's default colours where it has its own
};
// The modes in the order the help names them.
std::span<const NamedMode> NamedModes();
// The name --palette takes for `mode`.
QString ModeName(PaletteMode mode);
// The names of every mode, in the order of NamedModes.
const QStringList& ModeNames();

// The two-letter codes of the window's language list that --language takes.
const QStringList& LanguageCodes();

// What --format takes: a DVD form or both of them, or one Blu-ray form.
const QStringList& FormatNames();

// A colour given as a name ("white", "clWhite"), "#RRGGBB" or "R,G,B"; false when unreadable.
bool ParseColour(const QString& text, ColorValue& colour);
// `colour` as an option would give it: its plain name, else "R,G,B".
QString ColourText(ColorValue colour);

// A whole number, spaces around it allowed; false when `text` is none.
bool ReadWholeNumber(const QString& text, int& value);

// A frame rate as people write it, in the thousandths of a frame a second that `rates` lists:
// "25" and "25.0" give "25000", "23.976", "23.98" and "24000/1001" give "23976" (a rate in frames
// a second is taken within 0.005 of a listed one). Thousandths ("25000") and anything unreadable
// come back as given, for the list check to take or refuse.
QString ListedFrameRate(const QString& text, const QStringList& rates);

// A time to shift by as people write it: "-1.5s", "+200ms", "00:00:01,500" (or with a point),
// a sign allowed before each. False when `text` is none of these or beyond a day.
bool ReadShiftTime(const QString& text, long long& milliseconds);

// "a, b or c" (`lastJoin` " or "), or "a, b, c" (`lastJoin` ", ").
QString Listed(const QStringList& items, const char* lastJoin = " or ");

} // namespace lumelle
