// One conversion run under the converter's progress bar, stopped by Ctrl+C or SIGTERM.
#pragma once

#include "cli/ConvertOptions.h"
#include "convert/GenerationRun.h"

#include <QString>

namespace lumelle {

// Runs `request` with a progress bar for `file` on standard error when it is a terminal and
// the run is not quiet. Ctrl+C or SIGTERM stops it after the subtitle in hand and keeps
// nothing: only the window's Abort keeps the finished subtitles.
GenerationResult RunStoppable(const GenerationRequest& request, const QString& file,
                              const ConvertOptions& options);

} // namespace lumelle
