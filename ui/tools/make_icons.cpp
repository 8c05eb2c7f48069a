// Writes the program icon into an icon-theme tree at the sizes desktops look for:
// FOLDER/hicolor/NxN/apps/lumelle.png. Run at build time; the tree is installed as it is.
#include "ui/Artwork.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: lumelle_make_icons FOLDER\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QStringLiteral("%1/hicolor/%2x%2/apps").arg(root, QString::number(size));
        const QString file = folder + QStringLiteral("/lumelle.png");
        if (!QDir().mkpath(folder) || !lumelle::ProgramIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
