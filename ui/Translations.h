// The window's texts in the user's language: the catalogue that matches the system locale,
// built into the program, and Qt's own for its dialogs' buttons where the system has it.
#pragma once

class QCoreApplication;

namespace lumelle {

// Installs the catalogues for the system locale; English (the source texts) when none matches.
void InstallTranslations(QCoreApplication& application);

} // namespace lumelle
