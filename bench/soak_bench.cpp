// A whole film through lumelle-convert as a separate process: wall time and the converter's
// peak memory for a short and a long file, then ffprobe reads the long pair back.
#include "Bench.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumelle::bench {

namespace {

// Subtitles every 900 ms, each shown for 800 ms, so that 100 000 of them end within the
// 26.5 hours a time stamp can hold; two lines of film-like width each.
QString writeSoakFile(const QString& path, int count)
{
    return writeGeneratedFilm(
        path, {count, 0, 900, 800, "long film", "<i>with a second line of text.</i>"});
}

struct SoakRun
{
    bool ok = false;
    double seconds = 0;
    long peakKiB = 0; // the converter's own peak resident memory
};

// Runs the converter with fork/exec and wait4, which gives that one child's peak memory (a
// QProcess could not tell it apart from other children).
SoakRun convert(const QString& srt, const QString& outFolder)
{
    const QByteArray program = QFile::encodeName(converterPath());
    const QByteArray output = QFile::encodeName(outFolder);
    const QByteArray input = QFile::encodeName(srt);
    SoakRun run;
    const double start = nowSeconds();
    const pid_t child = fork();
    if (child < 0)
        return run;
    if (child == 0) {
        // Quiet: the converter's summary line is not part of the figures (if /dev/null cannot
        // be opened, the line is printed and the figures stay the same).
        if (!std::freopen("/dev/null", "w", stdout))
            std::perror("/dev/null");
        char* const argv[] = {const_cast<char*>(program.constData()), const_cast<char*>("--output"),
                              const_cast<char*>(output.constData()),
                              const_cast<char*>(input.constData()), nullptr};
        execv(program.constData(), argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return run;
    run.seconds = nowSeconds() - start;
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// ffprobe's packet times of the pair: they must be `count` and strictly increasing.
bool probeIncreasing(const QString& idx, int count, QString& said)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-show_entries", "packet=pts_time", "-of", "csv=p=0", idx});
    if (!probe.waitForFinished(-1) || probe.exitCode() != 0) {
        said = QStringLiteral("ffprobe failed: ") +
               QString::fromLocal8Bit(probe.readAllStandardError());
        return false;
    }
    const QList<QByteArray> lines = probe.readAllStandardOutput().split('\n');
    int packets = 0;
    double last = -1;
    bool increasing = true;
    for (const QByteArray& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const double t = line.toDouble();
        if (t <= last)
            increasing = false;
        last = t;
        ++packets;
    }
    said = QStringLiteral("ffprobe lists %1 packets, %2, last at %3 s")
               .arg(packets)
               .arg(increasing ? QStringLiteral("in increasing order")
                               : QStringLiteral("NOT in increasing order"))
               .arg(last, 0, 'f', 3);
    return packets == count && increasing;
}

int soak(const QStringList& args)
{
    const int count = args.isEmpty() ? 100000 : args.first().toInt();
    if (count < 1) {
        std::fprintf(stderr, "soak: COUNT must be a positive number\n");
        return 2;
    }
    if (!QFileInfo(converterPath()).isExecutable()) {
        std::fprintf(stderr, "soak: %s not found\n", qPrintable(converterPath()));
        return 2;
    }
    QTemporaryDir dir;
    // The short film first, as the measure the long one is compared with.
    const QList<int> sizes = count > 1500 ? QList<int>{1500, count} : QList<int>{count};
    bool ok = true;
    for (const int n : sizes) {
        const QString folder = dir.filePath(QString::number(n));
        QDir().mkpath(folder);
        const QString srt = writeSoakFile(folder + "/film.srt", n);
        const SoakRun run = convert(srt, folder);
        const qint64 subSize = QFileInfo(folder + "/film.sub").size();
        std::printf("soak: %6d subtitles: %s in %.2f s (%.0f subtitles/s), converter peak RSS "
                    "%.1f MiB, .sub %.1f MiB\n",
                    n, run.ok ? "converted" : "FAILED", run.seconds, n / run.seconds,
                    run.peakKiB / 1024.0, subSize / 1048576.0);
        std::fflush(stdout);
        ok = ok && run.ok;
        if (n == count && run.ok) {
            QString said;
            const bool probed = probeIncreasing(folder + "/film.idx", n, said);
            std::printf("soak: %s\n", qPrintable(said));
            ok = ok && probed;
        }
    }
    return ok ? 0 : 1;
}

BenchRegistrar registerSoak("soak", "[COUNT=100000]  (and 1500 first)", soak);

} // namespace
} // namespace lumelle::bench
