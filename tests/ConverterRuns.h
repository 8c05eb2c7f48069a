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

// Runs `program` (the converter unless named) with `args`, `input` on its standard input; `env`
// replaces the environment when given (as under cron or ssh, without XDG_RUNTIME_DIR).
inline ConverterRun runConverter(const QStringList& args,
                                 const QProcessEnvironment& env = QProcessEnvironment(),
                                 const QByteArray& input = QByteArray(),
                                 const QString& program = QStringLiteral(LUMELLE_CONVERT_BIN))
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}
