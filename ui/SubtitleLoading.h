// The main window's reading of a subtitle file: the list read in the chosen frame rate,
// character set and language, an ASS/SSA script kept for libass, what the reading could not
// use said at once, and the subtitle list box filled.
#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>

class QWidget;

namespace lumelle {

struct LoadedSubtitle;
struct MainWindowControls;

class SubtitleLoading
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    // Reads with the settings of `controls` into `loaded`; both outlive this.
    SubtitleLoading(MainWindowControls& controls, LoadedSubtitle& loaded);

    // Reads `fileName` into a new list, in place of the one before, and fills the list box with
    // its rows, the first selected. The width check is the caller's.
    void read(const QString& fileName);

    // The list box's rows again from the list, the selected row kept.
    void fillListRows();

private:
    // Disables the controls a script's styles override, or that do not apply to pictures (with
    // a tooltip saying so), or gives them back.
    void showOverriddenControls(bool script, bool pictures);
    // Reads a file of pictures: its stream players pick first, what could not be read said.
    void readPictures(const QString& fileName);
    // Sets the Language list to the language of the loaded pictures' stream, if it names one.
    void showStreamLanguage();
    // Sets the Language list to what the loaded file's name or text tells, if either does.
    void showFoundLanguage(const QString& fileName);

    MainWindowControls& m_controls;
    LoadedSubtitle& m_loaded;
    // The controls disabled for a script or pictures, and their own tooltips while neither is
    // loaded.
    QHash<QWidget*, QString> m_plainToolTips;
};

} // namespace lumelle
