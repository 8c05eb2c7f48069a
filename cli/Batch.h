// The whole run of the converter: every file of the command line converted (or listed) in
// turn, or the --stream files into one pair, and the --json summary of what became of them.
#pragma once

#include "cli/RunState.h"

namespace lumelle {

// Makes the text a stop prints before the batch has prepared its first file: every file of
// the command line not converted. Nothing is open yet, so a stop then ends the program.
void PrepareStopBeforeBatch(RunState& run);

// Converts (or lists) every file of the command line in turn; gives the exit status of the
// whole run: 1 when a file failed, else 3 when entries were skipped, else 0.
int ConvertAll(RunState& run);

} // namespace lumelle
