// The text forms of the values kept in the settings file: integers, Booleans, colours (by name
// where the colour has one) and the window-placement keys. Pure functions, shared by the
// settings store, the windows and the command-line converter.
#pragma once

#include "platform/Colour.h"

#include <QSize>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace lumelle::platform {

// A decimal integer with an optional sign; blanks around it are ignored and an empty text
// counts as 0. Anything else, or a number outside the int range, is not convertible.
std::optional<int> parseStoredInteger(QStringView text);

// "TRUE", "YES", "Y" and "FALSE", "NO", "N" in any case; any other text is read as a decimal
// integer, non-zero meaning true. Not convertible otherwise.
std::optional<bool> parseStoredBoolean(QStringView text);
// "TRUE" or "FALSE".
QString storedBooleanText(bool value);

// The named colours, with their values (red in the lowest byte): the one table of colour
// names, read by the settings file and by the converter's colour options.
struct NamedColor
{
    const char* name; // as the settings file writes it: "clWhite"
    ColorValue value;
};
const std::array<NamedColor, 20>& namedColors();

// The name of a colour as the settings file writes it ("clWhite"), or nothing when the colour
// has none.
std::optional<QString> colorName(ColorValue color);
// The same name without "cl", in lower case ("white"), as the converter's help shows it.
std::optional<QString> plainColorName(ColorValue color);
// A colour name in any case, with or without "cl" ("clWhite", "white", "WHITE"), "grey" for
// "gray"; nothing when the name is unknown.
std::optional<ColorValue> colorFromName(QStringView name);
// The colour's name when it has one, else its decimal value: (0, 30, 0) gives "7680".
QString storedColorText(ColorValue color);
// A colour name or a decimal value from 0 to 0xFFFFFF; anything else is not convertible.
std::optional<ColorValue> parseStoredColor(QStringView text);

// The key of a placement value for one screen size: "NormPos" and 1024 x 768 give
// "NormPos(1024x768)".
QString screenSizeKey(const QString& base, QSize screen);
// Four integers as a placement value: "left,top,right,bottom".
QString fourIntegersText(const std::array<int, 4>& values);
// The four integers of a placement value; a missing or non-numeric one is empty, so that the
// caller can put its own fallback in its place.
std::array<std::optional<int>, 4> parseFourIntegers(QStringView text);

} // namespace lumelle::platform
