// Benchmarks of lumelle_bench: each file registers named subcommands.
#pragma once

#include <QStringList>

namespace lumelle::bench {

using BenchFunction = int (*)(const QStringList& args);

struct BenchRegistrar
{
    BenchRegistrar(const char* name, const char* usage, BenchFunction function);
};

// Peak resident memory of this process so far, in KiB.
long peakRssKiB();
// Seconds since an arbitrary start, monotonic.
double nowSeconds();

} // namespace lumelle::bench
