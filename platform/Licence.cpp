#include "platform/Licence.h"

namespace lumelle::platform {

QString licenceName()
{
    return QStringLiteral("MIT licence (Expat)");
}

QString versionText(const QString& program)
{
    return QStringLiteral("%1 %2\nCopyright (c) 2026 The Lumelle developers\n"
                          "Released under the %3: you may use, copy, change and pass it on;\n"
                          "it comes without any warranty.\n")
        .arg(program, QStringLiteral(LUMELLE_VERSION), licenceName());
}

} // namespace lumelle::platform
