// What reading a Blu-ray stream costs: the generated film written as a 1080p PGS .sup by the
// converter, then that stream converted to VobSub and to 720p PGS by the converter as a user
// runs it, timed on the wall and in processor time (which a busy machine does not inflate).
#include "Bench.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace lumelle::bench {

namespace {

// Processor seconds of the children that ended so far.
double childSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool convert(const QStringList& args)
{
    QProcess converter;
    converter.start(converterPath(), args);
    return converter.waitForFinished(-1) && converter.exitStatus() == QProcess::NormalExit &&
           converter.exitCode() == 0;
}

int pgsRead(const QStringList& args)
{
    const int count = argInt(args, 0, 1500);
    QTemporaryDir dir;
    GeneratedFilm film;
    film.count = count;
    film.title = "film";
    film.secondLine = "and a second line of it";
    const QString srt = writeGeneratedFilm(dir.filePath("film.srt"), film);
    if (srt.isEmpty() || !convert({"-q", "--format", "pgs", "-o", dir.filePath("in"), srt}))
        return 1;
    const QString sup = dir.filePath("in/film.sup");
    std::printf("pgs-read: %d pictures, 1920x1080 PGS\n", count);
    std::printf("  %-34s %10s %10s %14s\n", "conversion", "wall ms", "cpu ms", "pictures/s");
    const QList<std::pair<const char*, QStringList>> runs{
        {"PGS to VobSub", {"--format", "vobsub"}},
        {"PGS to VobSub, --aspect 4:3", {"--format", "vobsub", "--aspect", "4:3"}},
        {"PGS 1080 to PGS 720", {"--format", "pgs", "--frame-size", "1280x720"}},
    };
    for (const auto& [name, form] : runs) {
        const QString out = dir.filePath(QString::number(qHash(form.join(' '))));
        const double wall = nowSeconds(), cpu = childSeconds();
        if (!convert(QStringList{"-q", "-o", out, sup} + form)) {
            std::printf("  %-34s FAILED\n", name);
            return 1;
        }
        const double wallSeconds = nowSeconds() - wall, cpuSeconds = childSeconds() - cpu;
        std::printf("  %-34s %10.1f %10.1f %14.0f\n", name, wallSeconds * 1e3, cpuSeconds * 1e3,
                    count / wallSeconds);
    }
    return 0;
}

const BenchRegistrar registerPgsRead("pgs-read",
                                     "[COUNT=1500]  a 1080p PGS stream converted to VobSub "
                                     "and to 720p PGS",
                                     pgsRead);

} // namespace

} // namespace lumelle::bench
