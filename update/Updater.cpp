#include "update/Updater.h"

#include "platform/Error.h"

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
    if (g_updaterCount > 0)
        return nullptr;
    return std::unique_ptr<TUpdater>(new TUpdater());
}

UpdateCheckResult CompareVersion(const QString& runningVersion, const QString& page)
{
    using Outcome = UpdateCheckResult::Outcome;
    if (page.isEmpty())
        return {Outcome::EmptyPage, QString()};
    if (page == runningVersion)
        return {Outcome::UpToDate, QString()};
    return {Outcome::UpdateFound, page};
}

UpdateCheckResult FetchFailure(const QString& error)
{
    using Outcome = UpdateCheckResult::Outcome;
    return {error == kServerDownError ? Outcome::ServerDown : Outcome::Offline, error};
}

QString TUpdater::GetPage(const QString& host, const QString& path, int port, const QString& scheme)
{
    m_http->setHost(host);
    m_http->setPort(port);
    const QString address =
        scheme + QStringLiteral("://") + host + u':' + QString::number(port) + u'/' + path;
    return m_http->get(address);
}

UpdateCheckResult TUpdater::CheckForUpdate(const QString& runningVersion, const QString& host,
                                           const QString& path, int port, const QString& scheme)
{
    try {
        return CompareVersion(runningVersion, GetPage(host, path, port, scheme));
    } catch (const Error& e) {
        return FetchFailure(e.message());
    }
}

UpdateSite officialUpdateSite()
{
    const QString host = QStringLiteral(LUMELLE_SITE_HOST);
    return {host, kVersionPagePort, QStringLiteral("divx/Versions/LumelleVersion.html"),
            QStringLiteral("https://") + host + QStringLiteral("/divx/SoftwareLumelle.html")};
}

UpdateCheckResult CheckSite(const QString& runningVersion, const UpdateSite& site)
{
    const std::unique_ptr<TUpdater> updater = CreateUpdater();
    if (!updater)
        return {UpdateCheckResult::Outcome::Refused, QString()};
    return updater->CheckForUpdate(runningVersion, site.host, site.versionPath, site.port,
                                   site.scheme);
}

} // namespace lumelle
