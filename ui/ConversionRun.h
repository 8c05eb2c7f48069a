// The main window's conversion run: the checks before it starts, the request and the progress
// shown while it goes (the bar, the pictures in the preview), a second press that stops it, and
// what the end says: notes on files left as they were, the help text and the folder written.
#pragma once

#include "ui/PreviewThrottle.h"
#include "vobsub/Palette.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <functional>

class QWidget;

namespace lumelle {

struct GenerationCallbacks;
struct GenerationRequest;
struct GenerationResult;
struct LoadedSubtitle;
struct MainWindowControls;
struct OutputChoices;
class OutputFolderChoice;
class OutputStreams;
class PreviewDrawing;

// True when no generation run is active or the active one has been asked to stop. Every press
// of the Generate button inverts it first.
extern bool RunStopped;

class ConversionRun
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    // What a run needs of the window around it.
    struct Window
    {
        // The window, closed after a run during which a close was asked for.
        QWidget* widget = nullptr;
        // The busy state (false) or idle (true).
        std::function<void(bool enabled)> setControlsEnabled;
        // The palette choice of the colour options dialog.
        std::function<PaletteMode()> paletteMode;
        // The file-name box shows the loaded file again, with where its output went.
        std::function<void()> showFileStatus;
    };

    // Every part named outlives this.
    ConversionRun(MainWindowControls& controls, LoadedSubtitle& loaded, PreviewDrawing& preview,
                  OutputStreams& streams, OutputFolderChoice& folder, Window window);

    // A press of the Generate button: starts a run, or asks the active one to stop before its
    // next subtitle. Returns when the run has ended, idle again.
    void press();
    // The window is asked to close: true when a run is active; it is asked to stop, and the
    // window closes once the run has closed its files.
    bool holdClose();
    // The folder the last complete run wrote into, when it was made from `file`; else empty.
    QString outputFolderOf(const QString& file) const;

private:
    // What must hold before a run starts; each refusal is said while the window is still idle.
    bool mayStart();
    // A press that is the second half of a double click on the button that started the run.
    bool isDoubleClickOfStart() const;
    GenerationRequest request();
    OutputChoices choices() const;
    GenerationCallbacks callbacks();
    // The end of a run, however it ends: idle again, and a close asked for meanwhile carried
    // out.
    void finish();
    // The end of a run: any note on files left as they were, then the help text with a button
    // that opens the output's folder.
    void showResult(const GenerationResult& result);
    // What a finished run of a form without a help text wrote: how many pictures, at which
    // frame and rate, and the files.
    QString writtenText(const GenerationResult& result) const;

    MainWindowControls& m_controls;
    LoadedSubtitle& m_loaded;
    PreviewDrawing& m_preview;
    OutputStreams& m_streams;
    OutputFolderChoice& m_folder;
    Window m_window;

    bool m_closeAfterRun = false;
    QElapsedTimer m_started;
    PreviewThrottle m_throttle;
    bool m_showNextPicture = false;
    QString m_lastOutputFolder;
    // The subtitle file of the last complete run, which m_lastOutputFolder belongs to.
    QString m_lastRunFile;
};

} // namespace lumelle
