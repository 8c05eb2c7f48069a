#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace lumelle::platform {

void DesktopShell::openAddress(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

template <> Shell& Replaceable<Shell>::standard()
{
    static DesktopShell desktop;
    return desktop;
}

} // namespace lumelle::platform
