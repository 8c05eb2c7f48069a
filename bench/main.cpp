// lumelle_bench SUBCOMMAND [ARGS]: runs one benchmark and prints its figures.
#include "Bench.h"

#include <QDir>
#include <QGuiApplication>
#ifdef LUMELLE_BENCH_WITH_UI
#include <QApplication>
#endif
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>

namespace lumelle::bench {

namespace {
struct Entry
{
    const char* usage;
    BenchFunction function;
};
std::map<std::string, Entry>& registry()
{
    static std::map<std::string, Entry> table;
    return table;
}
} // namespace

BenchRegistrar::BenchRegistrar(const char* name, const char* usage, BenchFunction function)
{
    registry()[name] = Entry{usage, function};
}

QString converterPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lumelle-convert"));
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double nowSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int argInt(const QStringList& args, int index, int fallback)
{
    bool ok = false;
    const int value = index < args.size() ? args[index].toInt(&ok) : 0;
    return ok && value > 0 ? value : fallback;
}

void stageLine(const char* name, double seconds, int count, const char* note)
{
    std::printf("  %-24s %8.1f us per subtitle  %8.1f ms in all  %s\n", name, seconds * 1e6 / count,
                seconds * 1e3, note);
}

} // namespace lumelle::bench

int main(int argc, char** argv)
{
    using namespace lumelle::bench;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The window benchmark needs the widgets of a full application.
#ifdef LUMELLE_BENCH_WITH_UI
    QApplication app(argc, argv);
#else
    QGuiApplication app(argc, argv);
#endif
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || !registry().count(args.first().toStdString())) {
        std::fprintf(stderr, "usage: lumelle_bench COMMAND [ARGS]\n");
        for (const auto& [name, entry] : registry())
            std::fprintf(stderr, "  %s %s\n", name.c_str(), entry.usage);
        return 2;
    }
    const Entry entry = registry().at(args.takeFirst().toStdString());
    return entry.function(args);
}
