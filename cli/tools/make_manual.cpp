// Writes the manual pages lumelle-convert.1 and lumelle.1 into the folder given, at build time.
#include "cli/Manual.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: lumelle_make_manual FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const struct
    {
        const char* name;
        QString text;
    } pages[] = {{"lumelle-convert.1", lumelle::ConvertManualPage()},
                 {"lumelle.1", lumelle::WindowManualPage()}};
    for (const auto& page : pages) {
        QFile file(folder.filePath(QLatin1String(page.name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(page.text.toUtf8()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
