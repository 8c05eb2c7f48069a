// Benchmark subcommands of lumelle_bench. Each benchmark file registers its commands with a
// static BenchRegistration; main() lists and runs them by name.
#pragma once

#include <QStringList>
#include <functional>
#include <vector>

namespace lumelle::bench {

struct BenchCommand
{
    const char* name;
    const char* help;
    // Arguments after the command's name; the return value is the process's exit status.
    std::function<int(const QStringList& args)> run;
};

std::vector<BenchCommand>& benchCommands();

struct BenchRegistration
{
    explicit BenchRegistration(BenchCommand command)
    {
        benchCommands().push_back(std::move(command));
    }
};

} // namespace lumelle::bench
