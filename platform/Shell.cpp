#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace lumelle::platform {

bool DesktopShell::openAddress(const QString& address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

template <> Shell& Replaceable<Shell>::standard()
{
    static DesktopShell desktop;
    return desktop;
}

} // namespace lumelle::platform
