// The font names the window offers: the installed families and "Default", each once, sorted
// without regard to case.
#pragma once

#include <QStringList>

namespace lumelle {

QStringList InstalledFontNames();

} // namespace lumelle
