#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The catalogues live in a static library: their resource must be registered by hand.
static void initTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace lumelle {

void InstallTranslations(QCoreApplication& application)
{
    initTranslations();
    const QLocale locale;
    auto* own = new QTranslator(&application);
    if (own->load(locale, QStringLiteral("lumelle"), QStringLiteral("_"),
                  QStringLiteral(":/translations")))
        application.installTranslator(own);
    else
        delete own;
    // Qt's own texts (Yes, No, Cancel, the file dialog) come from the system's catalogues.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(qt);
    else
        delete qt;
}

} // namespace lumelle
