#include "settings/FontNames.h"

#include <QFontDatabase>
#include <algorithm>

namespace lumelle {

QStringList InstalledFontNames()
{
    QStringList names = QFontDatabase::families();
    names << QStringLiteral("Default");
    names.removeDuplicates();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

} // namespace lumelle
