// The manual pages of lumelle-convert and of the window program, in man(7) markup, printed from
// the same tables as `lumelle-convert --help`.
#pragma once

#include <QString>

namespace lumelle {

QString ConvertManualPage();
QString WindowManualPage();

} // namespace lumelle
