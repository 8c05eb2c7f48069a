// The memory of one window between runs: its placement and a list of named control properties,
// saved into and restored from one section of the settings store.
#pragma once

#include "platform/IniStore.h"
#include "settings/SettingsTable.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace lumelle {

class FormStorage
{
public:
    // The main window stands for the whole program: a minimized program is stored and
    // restored as its minimized state.
    enum class Kind { MainWindow, Dialog };

    static constexpr int kFormVersion = 0;

    // `store` belongs to the caller and must outlive this object.
    FormStorage(QWidget* form, platform::IniStore* store, const QString& section,
                QStringList storedProps, Kind kind);

    // The section followed by a backslash, the prefix of every key of this window.
    QString AppStoragePath() const { return SettingsKey(m_section, QString()); }
    const QStringList& StoredProps() const { return m_storedProps; }
    platform::IniStore* store() const { return m_store; }

    // Writes the form version, the placement keys and every stored property that exists.
    void SaveFormPlacement();
    // Reads them back into the window; missing keys and values that cannot be converted leave
    // what is there.
    void RestoreFormPlacement();

    // False from a restore until the next save (and before either has happened).
    bool savedSinceRestore() const { return m_saved; }
    // The save at program end: only when the window was restored after its last save.
    void saveIfRestoredSinceSave();

    // What this platform reports for the window, as stored: show state 1 normal, 2 minimized,
    // 3 maximized; the normal rectangle as left, top, right, bottom of the frame.
    int currentShowCmd() const;
    QRect normalFrameRect() const;
    QSize screenSize() const;
    int pixelsPerInch() const;

private:
    // The key of one value of this window.
    QString key(const QString& name) const { return SettingsKey(m_section, name); }
    void savePlacement();
    void restorePlacement();
    void moveTo(QPoint topLeft);
    void applyShowCmd(int showCmd);
    void saveProperty(const QString& entry);
    void restoreProperty(const QString& entry);
    QObject* findControl(const QString& name) const;

    QPointer<QWidget> m_form;
    platform::IniStore* m_store;
    QString m_section;
    QStringList m_storedProps;
    Kind m_kind;
    bool m_saved = false;
};

// Loads the settings store from `fileName` (nothing when empty). A file that exists but cannot
// be read is reported in a message and left alone.
void LoadSettingsStore(platform::IniStore& store, const QString& fileName);
// Writes the store at program end; a failure is reported in one message. True on success.
bool WriteSettingsStore(const platform::IniStore& store);

} // namespace lumelle
