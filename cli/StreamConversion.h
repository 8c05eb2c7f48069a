// --stream: the files of the command line converted into one pair with a stream each.
#pragma once

#include "cli/RunReports.h"
#include "cli/RunState.h"

namespace lumelle {

// Converts the --stream files into one pair with a stream each. Each file is read, reported
// and checked on its own, and a file that cannot be read or has a line too wide refuses the
// whole pair; a file without subtitles is left out. Returns the exit status.
int ConvertStreams(const RunState& run, FileReport& report);

} // namespace lumelle
