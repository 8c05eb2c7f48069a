// The update check: fetch the version page of the maker's web site and compare it with the
// running version. The outcome says what happened; the window decides what to show and offers
// the download page.
#pragma once

#include "platform/Http.h"

#include <QString>
#include <memory>

namespace lumelle {

// The scheme and port of the version page: the answer decides what the user is sent to
// download, so it is asked over https.
inline constexpr char kVersionPageScheme[] = "https";
inline constexpr int kVersionPagePort = 443;

// What one check found.
struct UpdateCheckResult
{
    enum class Outcome {
        Refused,     // another updater is alive ("Max Updaters created")
        ServerDown,  // the version page is missing (404 Not Found)
        Offline,     // any other failure of the fetch
        EmptyPage,   // the page holds nothing: nothing to say
        UpToDate,    // the page holds exactly the running version
        UpdateFound, // the page holds anything else
    };
    Outcome outcome;
    QString detail; // the fetch's error text, or the page of an UpdateFound

    bool operator==(const UpdateCheckResult&) const = default;
};

// The comparison of a fetched page with the running version, byte for byte: an older number,
// the same number written differently or a trailing line break all count as an update.
UpdateCheckResult CompareVersion(const QString& runningVersion, const QString& page);
// The outcome of a failed fetch with error text `error`.
UpdateCheckResult FetchFailure(const QString& error);

class TUpdater
{
public:
    ~TUpdater();
    TUpdater(const TUpdater&) = delete;
    TUpdater& operator=(const TUpdater&) = delete;

    // The body of "scheme://host:port/path". A failed fetch throws Error with the client's text.
    QString GetPage(const QString& host, const QString& path, int port,
                    const QString& scheme = QLatin1String(kVersionPageScheme));

    // Fetches the version page and compares it with the running version.
    UpdateCheckResult CheckForUpdate(const QString& runningVersion, const QString& host,
                                     const QString& path, int port = kVersionPagePort,
                                     const QString& scheme = QLatin1String(kVersionPageScheme));

private:
    TUpdater();
    friend std::unique_ptr<TUpdater> CreateUpdater();

    std::unique_ptr<platform::HttpClient> m_http;
};

// The number of live updaters (at most one).
int UpdaterCount();

// A new updater with a new HTTP client, or nothing when one is alive already.
std::unique_ptr<TUpdater> CreateUpdater();

// Where the check asks and where it sends the user.
struct UpdateSite
{
    QString host;
    int port = kVersionPagePort;
    QString versionPath;                                // without a leading "/"
    QString downloadPage;                               // full address
    QString scheme = QLatin1String(kVersionPageScheme); // "http" only for a local test server
};

// The maker's site: the configured host, its version page and download page.
UpdateSite officialUpdateSite();

// One updater, one check against the site; Refused when an updater is alive already.
UpdateCheckResult CheckSite(const QString& runningVersion, const UpdateSite& site);

} // namespace lumelle
