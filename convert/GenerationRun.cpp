#include "convert/GenerationRun.h"

#include "convert/UnitPipeline.h"
#include "output/OutputFiles.h"
#include "platform/SystemNames.h"

#include <algorithm>
#include <optional>

namespace lumelle {

OutputPlan PlannedOutputs(const GenerationRequest& request)
{
    return PlanOutputs(request.subtitleFile, request.outputFolder, request.writer->outputs());
}

GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks)
{
    Q_ASSERT(request.source && request.writer);
    PictureSource& source = *request.source;
    PictureWriter& writer = *request.writer;
    const OutputPlan planned = PlannedOutputs(request);
    const QStringList inputs = QStringList{request.subtitleFile} + request.otherInputs;
    const OutputSet& set = writer.outputs();
    const OutputLock lock(LockedPlace(planned.files, set));
    GenerationResult result;
    const QStringList paths = SafeOutputs(planned.files, set, inputs, result.notes);
    // A set moved aside (NAME_vobsub.*) may be another run's planned set: hold it too.
    std::optional<OutputLock> movedLock;
    if (LockedPlace(paths, set) != LockedPlace(planned.files, set))
        movedLock.emplace(LockedPlace(paths, set));
    RemoveLeftoverParts(paths);
    source.useForm(writer.form());
    source.plan([&writer](int startFrame, int number) { writer.checkStart(startFrame, number); });
    writer.planStreams(source.picturesPerStream());

    writer.usePalette(source.palette());
    result.notes << source.notes();
    result.outputs = paths;
    result.merged = source.merged();
    result.skipped = source.skipped();
    // Whatever ends the run before the files are put in place removes the temporary ones.
    struct Discard
    {
        PictureWriter& writer;
        ~Discard() { writer.discard(); }
    } discard{writer};
    writer.open(paths);
    const int count = source.count();
    const int jobs = std::min(WorkerCount(request.jobs), std::max(count, 1));
    source.startWorkers(jobs);
    PipelineSteps steps;
    steps.before = [&](int k) {
        return !callbacks.beforeSubtitle || callbacks.beforeSubtitle(k + 1, count);
    };
    steps.make = [&](int k, int worker) { return writer.encode(source.draw(k, worker)); };
    steps.take = [&](int k, EncodedPicture& encoded) {
        if (callbacks.afterRender &&
            (!callbacks.pictureWanted || callbacks.pictureWanted(k + 1, count)))
            callbacks.afterRender(source.drawShown(k));
        writer.write(source.times(k), encoded);
        ++result.written;
    };
    result.aborted = RunInOrder(count, jobs, steps).stopped;
    // An aborted run puts its finished pictures in place when the caller keeps them; one that
    // finished none leaves the earlier files as they were. On an error the temporary files go.
    bool keep = !result.aborted;
    if (result.aborted && result.written > 0) {
        const bool replacesEarlier = std::any_of(paths.begin(), paths.end(), [](const QString& p) {
            return KindOfName(p) != NameKind::Missing;
        });
        keep = !callbacks.keepFinished || callbacks.keepFinished(result.written, replacesEarlier);
    }
    if (keep) {
        writer.commit();
        result.committed = true;
    }
    if (!result.aborted)
        writer.finish(planned.folder, inputs, result);
    return result;
}

} // namespace lumelle
