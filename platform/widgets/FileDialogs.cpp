#include "platform/widgets/FileDialogs.h"

#include "platform/SystemNames.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace lumelle::platform {

namespace {

class QtFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                        const QString& filter,
                                        const QString& currentFileName) override
    {
        QString start =
            currentFileName.isEmpty() ? QString() : QFileInfo(currentFileName).absoluteFilePath();
        QString chosen =
            QFileDialog::getOpenFileName(parent, title, start, QtFilterFromList(filter));
        if (chosen.isEmpty())
            return std::nullopt;
        // Qt's dialog gives U+FFFD for a byte of a name that is not UTF-8.
        return FromQtName(chosen);
    }

    std::optional<QString> existingFolder(QWidget* parent, const QString& title,
                                          const QString& startFolder) override
    {
        QString chosen = QFileDialog::getExistingDirectory(parent, title, startFolder);
        if (chosen.isEmpty())
            return std::nullopt;
        // Qt's dialog gives U+FFFD for a byte of a name that is not UTF-8.
        return FromQtName(chosen);
    }
};

} // namespace

template <> FileDialogs& Replaceable<FileDialogs>::standard()
{
    static QtFileDialogs qtDialogs;
    return qtDialogs;
}

QString QtFilterFromList(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

bool TOpenDialog::Execute(QWidget* parent)
{
    std::optional<QString> chosen = fileDialogs().openFileName(parent, Title, Filter, FileName);
    if (!chosen)
        return false;
    FileName = *chosen;
    return true;
}

} // namespace lumelle::platform
