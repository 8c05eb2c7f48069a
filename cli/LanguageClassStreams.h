// A SAMI file that holds several languages becomes one pair with a stream per language class.
#pragma once

#include "cli/RunState.h"

#include <vector>

namespace lumelle {

// One stream per language class of `file` when it is a SAMI file of several, each labelled
// with the class's language (else the one its text is written in, else the stored default);
// empty for every other file.
std::vector<StreamInput> LanguageClassStreams(const QString& file, const RunState& run);

} // namespace lumelle
