// Planning what the stream shows when: a generated film, then the same film under one
// subtitle that spans it all (a title or watermark line), which puts every subtitle into one
// overlap to cut.
#include "Bench.h"
#include "convert/ShowPlan.h"
#include "subtitle/Subtitle.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace lumelle::bench {

namespace {

std::vector<ShowTimes> framesOf(const TSubtitle& list)
{
    std::vector<ShowTimes> frames;
    frames.reserve(std::size_t(list.Count()));
    for (int i = 1; i <= list.Count(); ++i)
        frames.push_back({StrToInt(list.line(i).StartFrame), StrToInt(list.line(i).EndFrame)});
    return frames;
}

void timePlan(const char* what, const std::vector<ShowTimes>& frames)
{
    const double start = nowSeconds();
    const ShowPlan plan = PlanShowing(frames);
    const double seconds = nowSeconds() - start;
    std::printf("  %-28s %8zu subtitles  %8zu pictures  %8d merged  %9.1f ms\n", what,
                frames.size(), plan.segments.size(), plan.merged, seconds * 1e3);
}

int showPlan(const QStringList& args)
{
    const int count = args.isEmpty() ? 40000 : args.first().toInt();
    if (count < 1) {
        std::fprintf(stderr, "show-plan: COUNT must be at least 1\n");
        return 2;
    }
    QTemporaryDir dir;
    const GeneratedFilm film{count, 0, 900, 800, "long film", "<i>with a second line of text.</i>"};
    const QString path = writeGeneratedFilm(dir.filePath("film.srt"), film);
    TSubtitle list;
    if (path.isEmpty() || list.LoadFromFile(path, true, FrameRate(25000), 0) != LoadOutcome::Read)
        return 1;
    std::vector<ShowTimes> frames = framesOf(list);
    std::printf("show-plan: %d subtitles, PAL\n", count);
    timePlan("film", frames);
    // The spanning subtitle comes last in the file, as an added watermark line would.
    frames.push_back({frames.front().start, frames.back().end});
    timePlan("film under one long subtitle", frames);
    return 0;
}

const BenchRegistrar registerShowPlan("show-plan",
                                      "[COUNT=40000]  plan a film, then under one long subtitle",
                                      showPlan);

} // namespace
} // namespace lumelle::bench
