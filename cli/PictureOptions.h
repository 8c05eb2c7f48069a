// The values of the options that place and time the pictures of every input: --speed,
// --keep-inside and the forced choice, read into the options being parsed.
#pragma once

#include "cli/OptionTable.h"

namespace lumelle {

// --speed FROM:TO, each side a rate of `rates` as people write it (23.976, 25).
QString ApplySpeed(ParseState& state, const QString& value, const QStringList& rates);
// --keep-inside: a film's shape (2.40, 2.39:1, 21:9) or a rectangle WxH+X+Y.
QString ApplyKeepInside(ParseState& state, const QString& value);
// --forced-only or --drop-forced; the two together are refused.
QString ChooseForced(ParseState& state, ForcedChoice choice);

} // namespace lumelle
