// The DVD language list of the main window: a two-letter code, a blank and the name.
#pragma once

#include <QStringList>

namespace lumelle {

const QStringList& VobsubLanguageNames();

} // namespace lumelle
