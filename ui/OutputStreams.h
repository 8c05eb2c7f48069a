// The main window's column right of the preview: the output form, and the files of more
// languages written as further streams of the same output beside the loaded one, each with its
// language and forced mark; read again and checked before a run, then drawn with the loaded
// file as one source.
#pragma once

#include "render/RenderSettings.h"
#include "vobsub/VobSubWriter.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QWidget;

namespace lumelle {

struct MainWindowControls;
class PictureSource;
class TSubtitle;

class OutputStreams
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    // A file added to the loaded one: its subtitles become a stream of the same output.
    struct AddedStream
    {
        QString file;
        QString languageText; // an entry of the Language list
        bool forced = false;  // every subtitle of it is shown even with subtitles turned off
    };

    // Works on the column's controls in `controls`; `window` (their window) asks for files
    // and holds the connections. Both outlive this.
    OutputStreams(QWidget* window, MainWindowControls& controls);
    ~OutputStreams();
    // The column's own controls answer the user from now on.
    void connectControls();

    // The key of the chosen form (as --format names it).
    QString formKey() const;
    void setFormKey(const QString& key);
    // The Blu-ray frame ("1920x1080"); an unknown text gives the first of the list. The list
    // is offered while a Blu-ray form is chosen.
    void setFrameSizeText(const QString& text);

    // Adds `path` as a stream, its language and forced mark read from a name such as
    // "film.fr.forced.srt" (else the loaded file's language). False, after saying why, when
    // the file cannot be read or is already in the list.
    bool addFile(const QString& path);
    // Asks for a file to add; one that can be read is added.
    void askForFile();
    // Removes the added file of list row `row` (row 0, the loaded file, stays).
    void remove(int row);
    // The language or forced mark of list row `row` (the language of row 0 is the Output
    // group's).
    void setLanguage(int row, const QString& languageText);
    void setForced(int row, bool forced);
    const std::vector<AddedStream>& added() const { return m_added; }
    // Whether every subtitle of the loaded file is marked forced.
    bool loadedForced() const { return m_loadedForced; }
    // The list names `loaded`, the file the window has loaded (empty: none, or one refused);
    // added files that belong to another file go. A file of `pictures` takes none.
    void followLoadedFile(const QString& loaded, bool pictures = false);

    // Before a run: reads every added file and checks its lines against the frame; false
    // after saying what stops it.
    bool readyForRun(const RenderSettings& settings);
    // The files read for the run, which outlive it; none when no file was added.
    bool several() const { return !m_lists.empty(); }
    // The pictures of the loaded file alone, or of every file as the streams of one output.
    std::shared_ptr<PictureSource> pictureSource(const TSubtitle& loaded,
                                                 const RenderSettings& settings) const;
    // One entry per file (the loaded one first, in `loadedLanguage`) when files were added;
    // empty for the loaded file alone.
    std::vector<VobSubStream> streams(const QString& loadedLanguage) const;
    // The added files, which a run must never write over.
    QStringList addedFiles() const;

private:
    // The list's rows again from the loaded file and the added ones; `row` selected.
    void fillRows(int row);
    // The editors under the list show the selected row.
    void showSelected();

    QWidget* m_window;
    MainWindowControls& m_controls;
    std::vector<AddedStream> m_added;
    std::vector<std::unique_ptr<TSubtitle>> m_lists;
    bool m_loadedForced = false;
    bool m_loadedPictures = false;
    // The loaded file the added ones go with, which the list names.
    QString m_addedTo;
};

} // namespace lumelle
