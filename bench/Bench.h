// Benchmarks of lumelle_bench: each file registers named subcommands.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lumelle::bench {

using BenchFunction = int (*)(const QStringList& args);

struct BenchRegistrar
{
    BenchRegistrar(const char* name, const char* usage, BenchFunction function);
};

// A SubRip film of `count` two-line subtitles: subtitle N (from 1) starts at
// firstStartMs + (N - 1) * periodMs and is shown for shownMs; its lines are
// "Subtitle number N of the <title>," and secondLine.
struct GeneratedFilm
{
    int count = 0;
    qint64 firstStartMs = 0;
    qint64 periodMs = 2000;
    qint64 shownMs = 800;
    QByteArray title;
    QByteArray secondLine;
};
// Writes the film to `path`; returns the path, or nothing when the file could not be written.
QString writeGeneratedFilm(const QString& path, const GeneratedFilm& film);

// lumelle-convert, expected beside lumelle_bench in the build folder.
QString converterPath();

// Peak resident memory of this process so far, in KiB.
long peakRssKiB();
// Seconds since an arbitrary start, monotonic.
double nowSeconds();

// Argument `index` of a subcommand as a positive number; `fallback` when it is missing or not one.
int argInt(const QStringList& args, int index, int fallback);
// One line of a stage table: the cost per subtitle and in all, and a note.
void stageLine(const char* name, double seconds, int count, const char* note = "");

} // namespace lumelle::bench
