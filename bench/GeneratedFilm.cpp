#include "Bench.h"

#include <QFile>

namespace lumelle::bench {

namespace {

QByteArray subRipTime(qint64 ms)
{
    return QString::asprintf("%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60,
                             ms / 1000 % 60, ms % 1000)
        .toLatin1();
}

} // namespace

QString writeGeneratedFilm(const QString& path, const GeneratedFilm& film)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray chunk;
    for (int i = 0; i < film.count; ++i) {
        const qint64 start = film.firstStartMs + qint64(i) * film.periodMs;
        chunk += QByteArray::number(i + 1) + "\r\n" + subRipTime(start) + " --> " +
                 subRipTime(start + film.shownMs) + "\r\n";
        chunk += "Subtitle number " + QByteArray::number(i + 1) + " of the " + film.title + ",\r\n";
        chunk += film.secondLine + "\r\n\r\n";
        // Written a megabyte at a time, so that a large film never sits whole in memory.
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    return f.error() == QFileDevice::NoError ? path : QString();
}

} // namespace lumelle::bench
