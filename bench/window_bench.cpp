// The window's generation run beside lumelle-convert on the same generated film: the window is
// created offscreen, shown, loads the film as a dropped file and runs "Generate Vobsub"; the
// converter runs as its own process. Each is run several times and the best time counts.
#ifdef LUMELLE_BENCH_WITH_UI
#include "Bench.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace lumelle::bench {

namespace {

// Wall time of one converter process over `srt`, output in `folder`; negative on failure.
double convertOnce(const QString& srt, const QString& folder)
{
    QProcess converter;
    converter.setStandardOutputFile(QProcess::nullDevice());
    const double start = nowSeconds();
    converter.start(converterPath(), {QStringLiteral("--output"), folder, srt});
    if (!converter.waitForFinished(-1) || converter.exitCode() != 0)
        return -1;
    return nowSeconds() - start;
}

struct WindowTimes
{
    double load = -1; // reading and the width check of the load
    double run = -1;  // the press of Generate to the end of the run
};

// One window: loads `srt` as a dropped file and generates; both steps timed.
WindowTimes windowOnce(const QString& srt)
{
    WindowTimes times;
    TForm1 form;
    form.show();
    QApplication::processEvents();
    double start = nowSeconds();
    if (!form.LoadDroppedFile(srt) || !form.SubtitleLoaded)
        return times;
    times.load = nowSeconds() - start;
    start = nowSeconds();
    form.ButtonGenerate->click();
    times.run = nowSeconds() - start;
    return times;
}

int windowRun(const QStringList& args)
{
    const int count = args.isEmpty() ? 1500 : args.value(0).toInt();
    const int rounds = args.size() > 1 ? args.value(1).toInt() : 3;
    if (count < 1 || rounds < 1) {
        std::fprintf(stderr, "window-run: COUNT and ROUNDS must be positive numbers\n");
        return 2;
    }
    if (!QFileInfo(converterPath()).isExecutable()) {
        std::fprintf(stderr, "window-run: %s not found\n", qPrintable(converterPath()));
        return 2;
    }
    QTemporaryDir dir;
    const QString srt =
        writeGeneratedFilm(dir.filePath("film.srt"),
                           {count, 0, 900, 800, "long film", "<i>with a second line of text.</i>"});
    const QString converted = dir.filePath(QStringLiteral("converted"));
    QDir().mkpath(converted);

    double bestConverter = 1e9;
    double bestRun = 1e9;
    double bestLoad = 1e9;
    // Taken in turns, so that a busy moment of the machine does not favour one side.
    for (int round = 0; round < rounds; ++round) {
        const double converter = convertOnce(srt, converted);
        const WindowTimes window = windowOnce(srt);
        if (converter < 0 || window.run < 0) {
            std::fprintf(stderr, "window-run: a run failed\n");
            return 1;
        }
        std::printf("window-run: round %d: converter %.3f s, window load %.3f s + run %.3f s\n",
                    round + 1, converter, window.load, window.run);
        bestConverter = std::min(bestConverter, converter);
        bestRun = std::min(bestRun, window.run);
        bestLoad = std::min(bestLoad, window.load);
    }
    std::printf("window-run: %d subtitles, best of %d: lumelle-convert %.3f s (whole process), "
                "window run %.3f s (Generate to end), ratio %.2f; window load %.3f s, load + run "
                "%.3f s, ratio %.2f\n",
                count, rounds, bestConverter, bestRun, bestRun / bestConverter, bestLoad,
                bestLoad + bestRun, (bestLoad + bestRun) / bestConverter);
    return 0;
}

BenchRegistrar registerWindowRun("window-run", "[COUNT=1500] [ROUNDS=3]", windowRun);

} // namespace
} // namespace lumelle::bench
#endif
