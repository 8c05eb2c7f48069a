// The window's texts in the user's language: the catalogue that matches the system locale,
// built into the program, and Qt's own for its dialogs' buttons where the system has it.
#pragma once

#include <QLocale>
#include <memory>

class QCoreApplication;
class QTranslator;

namespace lumelle {

// Installs the catalogues for the system locale; English (the source texts) when none matches.
void InstallTranslations(QCoreApplication& application);

// The window's own catalogue for `locale`, as the program carries it; none for a language it
// has no catalogue of (English, whose texts are the sources).
std::unique_ptr<QTranslator> WindowCatalogue(const QLocale& locale);

} // namespace lumelle
