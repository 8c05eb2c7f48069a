// The update check: fetch the version page of the maker's web site, compare it with the
// running version and offer the download page when they differ. The reply is only compared
// and shown as text.
#pragma once

#include "platform/Http.h"

#include <QString>
#include <memory>

namespace lumelle {

// The port of the version page.
inline constexpr int kVersionPagePort = 80;

class TUpdater
{
public:
    ~TUpdater();
    TUpdater(const TUpdater&) = delete;
    TUpdater& operator=(const TUpdater&) = delete;

    // The body of "http://host:port/path", or an empty text when the fetch failed; the
    // failure has then been shown in an information box.
    QString GetPage(const QString& host, const QString& path, int port);

    // Fetches the version page and talks to the user: "No updates found." when it holds
    // exactly the running version, otherwise the question whether to update, which opens the
    // download page on Yes.
    void CheckForUpdate(const QString& runningVersion, const QString& host, const QString& path,
                        const QString& downloadPage, int port = kVersionPagePort);

private:
    TUpdater();
    friend std::unique_ptr<TUpdater> CreateUpdater();

    std::unique_ptr<platform::HttpClient> m_http;
};

// The number of live updaters (at most one).
int UpdaterCount();

// A new updater with a new HTTP client, or nothing after "Max Updaters created" when one is
// alive already.
std::unique_ptr<TUpdater> CreateUpdater();

// Where the check asks and where it sends the user.
struct UpdateSite
{
    QString host;
    int port = kVersionPagePort;
    QString versionPath;  // without a leading "/"
    QString downloadPage; // full address
};

// The maker's site: the configured host, its version page and download page.
UpdateSite officialUpdateSite();

// The "Check Version" button of the About window: one updater, one check against the site.
void CheckVersion(const QString& runningVersion, const UpdateSite& site = officialUpdateSite());

} // namespace lumelle
