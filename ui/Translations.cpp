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

std::unique_ptr<QTranslator> WindowCatalogue(const QLocale& locale)
{
    initTranslations();
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(locale, QStringLiteral("lumelle"), QStringLiteral("_"),
                         QStringLiteral(":/translations")))
        return nullptr;
    return catalogue;
}

void InstallTranslations(QCoreApplication& application)
{
    const QLocale locale;
    if (std::unique_ptr<QTranslator> own = WindowCatalogue(locale)) {
        own->setParent(&application);
        application.installTranslator(own.release());
    }
    // Qt's own texts (Yes, No, Cancel, the file dialog) come from the system's catalogues.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(qt);
    else
        delete qt;
}

} // namespace lumelle
