#include "update/Updater.h"

#include "platform/Error.h"
#include "platform/Messages.h"
#include "platform/Shell.h"

namespace lumelle {

namespace {

int g_updaterCount = 0;

const QString kServerDownError = QStringLiteral("404 Not Found");

} // namespace

TUpdater::TUpdater() : m_http(platform::makeHttpClient())
{
    ++g_updaterCount;
}

TUpdater::~TUpdater()
{
    --g_updaterCount;
}

int UpdaterCount()
{
    return g_updaterCount;
}

std::unique_ptr<TUpdater> CreateUpdater()
{
    if (g_updaterCount > 0) {
        platform::messages().showMessage(QStringLiteral("Max Updaters created"));
        return nullptr;
    }
    return std::unique_ptr<TUpdater>(new TUpdater());
}

QString TUpdater::GetPage(const QString& host, const QString& path, int port)
{
    m_http->setHost(host);
    m_http->setPort(port);
    const QString address =
        QStringLiteral("http://") + host + u':' + QString::number(port) + u'/' + path;
    try {
        return m_http->get(address);
    } catch (const Error& e) {
        const QString text = e.message() == kServerDownError
                                 ? QStringLiteral("Server Down. Retry later. Error : ")
                                 : QStringLiteral("You are Offline. Connect to internet and "
                                                  "retry. Error : ");
        platform::messages().showInformation(text + e.message());
        return QString();
    }
}

void TUpdater::CheckForUpdate(const QString& runningVersion, const QString& host,
                              const QString& path, const QString& downloadPage, int port)
{
    const QString reply = GetPage(host, path, port);
    if (reply.isEmpty())
        return;
    if (reply == runningVersion) {
        platform::messages().showMessage(QStringLiteral("No updates found."));
        return;
    }
    const QString question =
        QStringLiteral("Update Found. Version :") + reply + u'\r' + QStringLiteral("Update Now ?");
    if (platform::messages().askYesNo(question))
        platform::shell().openAddress(downloadPage);
}

UpdateSite officialUpdateSite()
{
    const QString host = QStringLiteral(LUMELLE_SITE_HOST);
    return {host, kVersionPagePort, QStringLiteral("divx/Versions/LumelleVersion.html"),
            QStringLiteral("http://") + host + QStringLiteral("/divx/SoftwareLumelle.html")};
}

void CheckVersion(const QString& runningVersion, const UpdateSite& site)
{
    const std::unique_ptr<TUpdater> updater = CreateUpdater();
    if (!updater)
        return;
    updater->CheckForUpdate(runningVersion, site.host, site.versionPath, site.downloadPage,
                            site.port);
}

} // namespace lumelle
