#include "ui/UpdateCheck.h"

#include "platform/Messages.h"
#include "platform/Shell.h"

#include <QCoreApplication>

namespace lumelle {

void ShowUpdateCheckResult(const UpdateCheckResult& result, const QString& downloadPage)
{
    using Outcome = UpdateCheckResult::Outcome;
    switch (result.outcome) {
    case Outcome::Refused:
        platform::messages().showMessage(
            QCoreApplication::translate("lumelle::UpdateCheck", "Max Updaters created"));
        break;
    case Outcome::ServerDown:
        platform::messages().showInformation(
            QCoreApplication::translate("lumelle::UpdateCheck",
                                        "Server Down. Retry later. Error : ") +
            result.detail);
        break;
    case Outcome::Offline:
        platform::messages().showInformation(
            QCoreApplication::translate(
                "lumelle::UpdateCheck",
                "You are Offline. Connect to internet and retry. Error : ") +
            result.detail);
        break;
    case Outcome::EmptyPage:
        break;
    case Outcome::UpToDate:
        platform::messages().showMessage(
            QCoreApplication::translate("lumelle::UpdateCheck", "No updates found."));
        break;
    case Outcome::UpdateFound:
        if (platform::messages().askYesNo(
                QCoreApplication::translate("lumelle::UpdateCheck", "Update Found. Version :") +
                result.detail + u'\r' +
                QCoreApplication::translate("lumelle::UpdateCheck", "Update Now ?")))
            platform::shell().openAddress(downloadPage);
        break;
    }
}

void CheckVersion(const QString& runningVersion, const UpdateSite& site)
{
    ShowUpdateCheckResult(CheckSite(runningVersion, site), site.downloadPage);
}

} // namespace lumelle
