#include "ui/ListValues.h"

#include <QComboBox>
#include <QCoreApplication>

namespace lumelle {

namespace {

// The words among the values of the style, character-set, alignment and font lists; the other
// values are names (code pages, fonts) that read the same in every language.
constexpr const char* kContext = "lumelle::ListValues";
[[maybe_unused]] constexpr const char* kWords[] = {
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Normal"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Bold"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Italic"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Underline"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Bold+Italic"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Bold+Under"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Bold+It+Und"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Italic+Under"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "StrikeOut"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "ARABIC"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "BALTIC"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "DEFAULT"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "EASTEUROPE"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "GREEK"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "HEBREW"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "RUSSIAN"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "SYMBOL"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "THAI"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "TURKISH"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "VIETNAMESE"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "center"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "left"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "right"),
    QT_TRANSLATE_NOOP("lumelle::ListValues", "Default"),
};

bool isWord(const QString& value)
{
    for (const char* word : kWords)
        if (value == QLatin1String(word))
            return true;
    return false;
}

} // namespace

void FillValueList(QComboBox* list, const QStringList& values,
                   QString (*shown)(const QString& value))
{
    for (const QString& value : values)
        list->addItem(shown(value), value);
}

QString ValueOf(const QComboBox* list)
{
    const QVariant value = list->currentData();
    return value.isValid() ? value.toString() : list->currentText();
}

int IndexOfValue(const QComboBox* list, const QString& value)
{
    return list->findData(value);
}

QString ShownListValue(const QString& value)
{
    if (!isWord(value))
        return value;
    return QCoreApplication::translate(kContext, value.toLatin1().constData());
}

QString ShownLanguage(const QString& entry)
{
    // "de GERMAN", with a tab and two capitals after the name for some languages.
    const qsizetype space = entry.indexOf(QLatin1Char(' '));
    if (space < 0)
        return entry;
    qsizetype end = entry.indexOf(QLatin1Char('\t'), space);
    if (end < 0)
        end = entry.size();
    const QByteArray name = entry.mid(space + 1, end - space - 1).toLatin1();
    return entry.left(space + 1) + QCoreApplication::translate("lumelle::Languages", name) +
           entry.mid(end);
}

} // namespace lumelle
