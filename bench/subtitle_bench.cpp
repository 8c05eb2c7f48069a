// Reading a film-sized SubRip file: time and peak memory.
#include "Bench.h"
#include "subtitle/Subtitle.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace lumelle::bench {

namespace {

int readSrt(const QStringList& args)
{
    const int count = args.isEmpty() ? 100000 : args.first().toInt();
    QTemporaryDir dir;
    // One subtitle every 0.9 s: 100 000 of them start before 26:30:43, the latest start a
    // stream can hold, so every one is read.
    const QString path = writeGeneratedFilm(
        dir.filePath("film.srt"), {count, 100, 900, 800, "film", "<i>with a second line.</i>"});
    const double size = double(QFileInfo(path).size());
    const long before = peakRssKiB();
    const double start = nowSeconds();
    TSubtitle list;
    list.LoadFromFile(path, true, FrameRate(25000), 0);
    const double seconds = nowSeconds() - start;
    const long after = peakRssKiB();
    std::printf("read-srt: %d subtitles, file %.1f MiB, read in %.3f s, peak RSS %.1f MiB "
                "(%.1f MiB before reading, growth %.2f x file size)\n",
                list.Count(), size / 1048576.0, seconds, after / 1024.0, before / 1024.0,
                (after - before) * 1024.0 / size);
    return list.Count() == count ? 0 : 1;
}

BenchRegistrar registerReadSrt("read-srt", "[COUNT=100000]", readSrt);

} // namespace
} // namespace lumelle::bench
