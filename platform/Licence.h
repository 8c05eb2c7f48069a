// The licence Lumelle is released under, and the version text both programs print.
#pragma once

#include <QString>

namespace lumelle::platform {

// "MIT licence (Expat)": the licence as the About window and --version name it.
QString licenceName();

// What `PROGRAM --version` prints: the program and version, the copyright line and the licence.
QString versionText(const QString& program);

} // namespace lumelle::platform
