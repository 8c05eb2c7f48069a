// lumelle_bench COMMAND [ARGS...]: runs one benchmark and prints its figures.
#include "bench/Bench.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lumelle::bench {

std::vector<BenchCommand>& benchCommands()
{
    static std::vector<BenchCommand> commands;
    return commands;
}

} // namespace lumelle::bench

namespace {

void usage()
{
    std::printf("usage: lumelle_bench COMMAND [ARGS...]\n\ncommands:\n");
    auto commands = lumelle::bench::benchCommands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const auto& command : commands)
        std::printf("  %-16s %s\n", command.name, command.help);
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        usage();
        return args.size() < 2 ? 2 : 0;
    }
    for (const auto& command : lumelle::bench::benchCommands()) {
        if (args[1] == QLatin1String(command.name))
            return command.run(args.mid(2));
    }
    std::fprintf(stderr, "unknown command: %s\n\n", qPrintable(args[1]));
    usage();
    return 2;
}
