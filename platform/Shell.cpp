#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace lumelle::platform {

namespace {

DesktopShell g_desktop;
Shell* g_current = &g_desktop;

} // namespace

void DesktopShell::openAddress(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

Shell& shell()
{
    return *g_current;
}

Shell* setShell(Shell* replacement)
{
    Shell* previous = g_current == &g_desktop ? nullptr : g_current;
    g_current = replacement ? replacement : &g_desktop;
    return previous;
}

} // namespace lumelle::platform
