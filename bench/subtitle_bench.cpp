// Reading a film-sized SubRip file: time and peak memory.
#include "Bench.h"
#include "subtitle/Subtitle.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace lumelle::bench {

// Writes a SubRip file of `count` two-line subtitles, two seconds apart.
QString writeSubRipFile(const QString& path, int count)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray chunk;
    for (int i = 0; i < count; ++i) {
        const int s = i * 2;
        chunk += QByteArray::number(i + 1) + "\r\n";
        chunk += QString::asprintf("%02d:%02d:%02d,100 --> %02d:%02d:%02d,900\r\n", s / 3600,
                                   s / 60 % 60, s % 60, s / 3600, s / 60 % 60, s % 60)
                     .toLatin1();
        chunk += "Subtitle number " + QByteArray::number(i + 1) + " of the film,\r\n";
        chunk += "<i>with a second line.</i>\r\n\r\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    return path;
}

namespace {

int readSrt(const QStringList& args)
{
    const int count = args.isEmpty() ? 100000 : args.first().toInt();
    QTemporaryDir dir;
    const QString path = writeSubRipFile(dir.filePath("film.srt"), count);
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
