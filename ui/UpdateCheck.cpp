#include "ui/UpdateCheck.h"

#include "platform/Messages.h"
#include "platform/Shell.h"

namespace lumelle {

void ShowUpdateCheckResult(const UpdateCheckResult& result, const QString& downloadPage)
{
    using Outcome = UpdateCheckResult::Outcome;
    switch (result.outcome) {
    case Outcome::Refused:
        platform::messages().showMessage(QStringLiteral("Max Updaters created"));
        break;
    case Outcome::ServerDown:
        platform::messages().showInformation(QStringLiteral("Server Down. Retry later. Error : ") +
                                             result.detail);
        break;
    case Outcome::Offline:
        platform::messages().showInformation(
            QStringLiteral("You are Offline. Connect to internet and retry. Error : ") +
            result.detail);
        break;
    case Outcome::EmptyPage:
        break;
    case Outcome::UpToDate:
        platform::messages().showMessage(QStringLiteral("No updates found."));
        break;
    case Outcome::UpdateFound:
        if (platform::messages().askYesNo(QStringLiteral("Update Found. Version :") +
                                          result.detail + u'\r' + QStringLiteral("Update Now ?")))
            platform::shell().openAddress(downloadPage);
        break;
    }
}

void CheckVersion(const QString& runningVersion, const UpdateSite& site)
{
    ShowUpdateCheckResult(CheckSite(runningVersion, site), site.downloadPage);
}

} // namespace lumelle
