// The settings store: an in-memory INI document read from and written to the settings file
// whole. Sections and keys keep their order and compare without regard to case; values are
// kept as the bytes of the file, so 8-bit text passes through unchanged.
#pragma once

#include "platform/Colour.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace lumelle::platform {

// The name of the settings file.
inline constexpr char kSettingsFileName[] = "Lumelle_Settings.ini";
// A settings file larger than this is no settings file of ours: it is neither read nor
// overwritten.
inline constexpr qint64 kMaxSettingsFileSize = 4 << 20;

// Where the settings file lives: in the executable's folder when that folder is writable or
// already holds the file, otherwise in the user's configuration folder.
QString settingsFilePath();
// The same choice for given folders.
QString settingsFilePathIn(const QString& executableFolder, const QString& configFolder);

class IniStore
{
public:
    IniStore() = default;

    // Reads the file into memory and remembers its name. A missing file gives an empty store.
    // A file we may not write to (no write permission for us, or none for its owner) makes
    // the store read-only. An existing file that cannot be read leaves the store empty and
    // read-only, so that it is never overwritten (also a folder, FIFO, device or a file larger
    // than kMaxSettingsFileSize); the result is then false and errorText
    // (when given) says why.
    bool load(const QString& fileName, QString* errorText = nullptr);

    // Writes the whole document to the remembered file: first to a temporary file in the same
    // folder, then renamed over the old one, creating the folder when missing. Does nothing
    // (and succeeds) when there is no file name or the store is read-only. On failure the old
    // file is untouched, the result is false and errorText (when given) holds the message.
    bool write(QString* errorText = nullptr) const;

    // The document from and to the bytes of a file.
    void setContent(const QByteArray& bytes);
    QByteArray content() const;
    void clear();

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isLoaded() const { return m_loaded; }

    // Value operations at a path "Section\Key", split at the last backslash. The try-forms
    // give nothing when the key is missing or its value cannot be converted; the others give
    // the default then. Writing into a read-only store does nothing.
    bool exists(const QString& path) const;

    std::optional<int> tryReadInteger(const QString& path) const;
    int readInteger(const QString& path, int defaultValue) const
    {
        return tryReadInteger(path).value_or(defaultValue);
    }
    void writeInteger(const QString& path, int value);

    // Texts are read trimmed; bytes that are not valid UTF-8 are read as Latin-1. Written as
    // UTF-8, so a file path in any script comes back unchanged.
    std::optional<QString> tryReadText(const QString& path) const;
    QString readText(const QString& path, const QString& defaultValue = {}) const
    {
        return tryReadText(path).value_or(defaultValue);
    }
    bool writeText(const QString& path, const QString& value);

    std::optional<bool> tryReadBoolean(const QString& path) const;
    bool readBoolean(const QString& path, bool defaultValue) const
    {
        return tryReadBoolean(path).value_or(defaultValue);
    }
    void writeBoolean(const QString& path, bool value);

    std::optional<ColorValue> tryReadColor(const QString& path) const;
    ColorValue readColor(const QString& path, ColorValue defaultValue) const
    {
        return tryReadColor(path).value_or(defaultValue);
    }
    void writeColor(const QString& path, ColorValue value);

    // The raw bytes of a value, untrimmed as written in memory.
    std::optional<QByteArray> rawValue(const QString& path) const;
    // Every write ends here. A value the file cannot keep on its key's line (see canHold) is
    // not written and the stored value stays; the result says whether it was written.
    bool writeRawValue(const QString& path, const QByteArray& value);

    // False for a text holding a line break: the break would end the value and leave the rest
    // as a stray line of the section.
    static bool canHold(QStringView text);

    // Section names in document order, and the keys of one section (lines without "=" are
    // not keys).
    QStringList sectionNames() const;
    QStringList keys(const QString& section) const;

private:
    struct Line
    {
        QByteArray key;
        QByteArray value;
        bool hasValue = true; // a line without "=" is kept as it stands
    };
    struct Section
    {
        QByteArray name;
        std::vector<Line> lines;
    };

    const Section* findSection(const QByteArray& name) const;
    const Line* findLine(const QString& path) const;

    std::vector<Section> m_sections;
    QString m_fileName;
    bool m_readOnly = false;
    bool m_loaded = false;
};

} // namespace lumelle::platform
