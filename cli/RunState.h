// What one run of lumelle-convert keeps from its start to its exit status, handed to each of
// its steps: the options, the names its inputs are shown by, the state of standard output,
// Qt's messages and the texts a stop prints. The flags a signal handler reads are not here
// but in Interruption.cpp, the one place the handler can reach.
#pragma once

#include "cli/ConvertOptions.h"
#include "cli/Interruption.h"
#include "cli/PrivateInputs.h"
#include "cli/QtMessages.h"
#include "cli/StandardOutput.h"

namespace lumelle {

struct RunState
{
    // First: the standard files are guarded before anything else is opened.
    StandardOutput output;
    PrivateInputs inputs;
    QtMessages qtMessages;
    StopTexts stopTexts;
    ConvertOptions options;
};

} // namespace lumelle
