// The window's side of the update check: runs it and tells the user what it found.
#pragma once

#include "update/Updater.h"

namespace lumelle {

// Shows what a check found: "No updates found.", the question whether to update (Yes opens
// `downloadPage`), the fetch failure in an information box, or nothing for an empty page.
void ShowUpdateCheckResult(const UpdateCheckResult& result, const QString& downloadPage);

// The "Check Version" button of the About window: one check against the site, then its result.
void CheckVersion(const QString& runningVersion, const UpdateSite& site = officialUpdateSite());

} // namespace lumelle
