// Runs the lumelle-convert program built beside the tests and gives what it printed.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ConverterRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the converter with `args`; `env` replaces the environment when given (as under cron or
// ssh, without XDG_RUNTIME_DIR).
inline ConverterRun runConverter(const QStringList& args,
                                 const QProcessEnvironment& env = QProcessEnvironment())
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(QStringLiteral(LUMELLE_CONVERT_BIN), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}
