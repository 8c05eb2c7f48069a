#include "cli/StoppableRun.h"

#include "cli/Interruption.h"
#include "cli/ProgressBar.h"
#include "cli/TerminalText.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace lumelle {

namespace {

ProgressBar terminalBar(const QString& file, const ConvertOptions& options)
{
    return ProgressBar(ShownPath(QFileInfo(file).fileName()), !options.quiet && isatty(2),
                       [](const QByteArray& bytes) {
                           PrintBytes(stderr, bytes);
                           std::fflush(stderr);
                       });
}

} // namespace

GenerationResult RunStoppable(const GenerationRequest& request, const QString& file,
                              const ConvertOptions& options)
{
    ProgressBar bar = terminalBar(file, options);
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [&bar](int index, int count) {
        SetWriting(true);
        if (StopRequested())
            return false;
        bar.show(index, count);
        return true;
    };
    callbacks.keepFinished = [](int, bool) { return false; };
    // From here the temporary files may be open: a stop ends the run, which removes them.
    SetWriting(true);
    GenerationResult result = RunGeneration(request, callbacks);
    bar.finish();
    return result;
}

} // namespace lumelle
