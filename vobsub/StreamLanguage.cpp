#include "vobsub/StreamLanguage.h"

#include "subtitle/CodePageGuess.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/TextLanguage.h"
#include "vobsub/Languages.h"

namespace lumelle {

QString LanguageTextFor(const QString& code)
{
    const QString index = IndexLanguageCode(code);
    if (index.isEmpty())
        return QString();
    // The list shows some languages under an older code ("iw" for Hebrew): its entry is found
    // by name, which both codes share.
    const QString name = LanguageName(index).toUpper();
    for (const QString& entry : VobsubLanguageNames()) {
        const QString entryCode = entry.section(QLatin1Char(' '), 0, 0);
        const QString entryName =
            entry.section(QLatin1Char(' '), 1).section(QLatin1Char('\t'), 0, 0);
        if (entryCode == index || entryName == name)
            return entry;
    }
    return index;
}

QString NameLanguageText(const QString& fileName)
{
    const StreamFileName name = ReadStreamFileName(fileName);
    return name.language.isEmpty() ? QString() : LanguageTextFor(name.language);
}

StreamLanguage FindStreamLanguage(const QString& fileName, const TSubtitle& list,
                                  const QString& storedDefault)
{
    if (const QString named = NameLanguageText(fileName); !named.isEmpty())
        return {named, LanguageSource::Name};
    const QString declared = LanguageTextFor(QString::fromStdString(list.DeclaredLanguage()));
    if (!declared.isEmpty())
        return {declared, LanguageSource::Declared};
    const QString told = LanguageTextFor(QString::fromStdString(IdentifyListLanguage(list)));
    if (!told.isEmpty())
        return {told, LanguageSource::Text};
    return {storedDefault, LanguageSource::Default};
}

QString LanguageNote(const StreamLanguage& language)
{
    static const char* const kFrom[] = {nullptr, "from the name", "from the text",
                                        "the stored default: neither the name nor the text "
                                        "tells (--language names it)",
                                        "as the file declares it"};
    const char* from = kFrom[int(language.source)];
    if (!from)
        return QString();
    const QString code = QString::fromStdString(LanguageCodeOf(language.languageText));
    const QString name = LanguageName(code.isEmpty() ? language.languageText : code);
    return QStringLiteral("language: %1, %2").arg(name, QLatin1String(from));
}

} // namespace lumelle
