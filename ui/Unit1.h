// The main window: every setting lives in one of its controls; it loads a subtitle file,
// previews any subtitle over a background picture, checks that lines fit the frame and drives
// the generation of the output. Each task is a part the window owns (the layout of the
// controls, the reading of a file, the preview and width check, the file list of the output,
// the output folder, the conversion run, the desktop habits); the handlers here delegate to
// them and carry the steps between them.
#pragma once

#include "platform/IniStore.h"
#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "ui/ConversionRun.h"
#include "ui/LoadedSubtitle.h"
#include "ui/MainWindowControls.h"
#include "ui/OutputFolderChoice.h"
#include "ui/OutputStreams.h"
#include "vobsub/Palette.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumelle {

class ColorListWidget;
class DesktopHabits;
class FormStorage;
class PreviewDrawing;
class SubtitleLoading;
class TForm2;
class TFormColorOptions;

// The controls are the window's own members, named as the settings file and the other windows
// know them; so are the loaded file and its flags.
class TForm1 : public QWidget, public MainWindowControls, public LoadedSubtitle
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The window with its settings kept in `settingsFile`: the store is loaded before the
    // defaults are set and written once, when the window is destroyed. The window of the
    // one-argument constructor keeps no settings.
    TForm1(QWidget* parent, const QString& settingsFile);
    platform::IniStore JvAppIniFileStorage;
    std::unique_ptr<FormStorage> JvFormStorage;

    // The two dialogs, created after this window; the window does not own them.
    void setDialogs(TForm2* about, TFormColorOptions* colorOptions);

    // Set by the defaults button; the colour options dialog resets its choice once.
    bool ColorOptionsResetPending = false;

    // Hooks for the settings store: restoring the colour options dialog and this window at
    // start-up (run by FormActivate in their places when set).
    std::function<void()> restoreColorOptionsSettings;
    std::function<void()> restoreFormSettings;

    // --- Window life
    // The defaults; also the handler of BitBtnSetDefaultValues, which alone resets pictures and
    // the palette choice.
    void FormCreate(QObject* Sender);
    // Start-up steps that need stored settings; runs once, at the first activation.
    void FormActivate();
    void FormClose();
    void FormDestroy();

    // Fills one colour list from the standard or the safe set and selects entry `index`.
    void fillColorBoxes(ColorListWidget* box, int index, bool safe);
    // Fills the three colour lists from one set, each at its own first entry.
    void fillColorLists(bool safe);
    // Busy (false) or idle (true).
    void SetControlsEnabled(bool enabled);
    void BitBtnChangeImageClick();
    // Sizes the preview to the frame of the current frame rate and loads its background.
    void LoadPreviewBackground();
    RenderSettings GatherRenderSettings() const;
    PaletteMode CurrentPaletteMode() const;
    // The character set of ComboBox7: the font's, and the one a file is read in.
    quint8 CurrentCharset() const;

    // --- Preview and width check
    // Draws two lines (UTF-8) as a subtitle is drawn: the sample lines of the preview.
    void DrawPreview(const std::string& line1, const std::string& line2,
                     const RenderSettings& settings);
    void CheckLineWidths();
    // Every line of the entry, broken when the setting allows, against the frame width.
    void CheckEntryWidth(const SubtitleLine& entry, const RenderSettings& settings);
    void ListBox1Click();
    void ComboBoxFontSizeChange();
    void ComboBox7Change();
    void offsetChange();
    void offset_orChange();
    void JvColorButtonAntialiasChange();
    // The preview drawn again with the current settings: the sample, then the selected row.
    void drawSampleAndSelected();
    // The preview picture as last drawn (background plus subtitle).
    const QImage& PreviewPicture() const;

    // --- Loading
    void ButtonLoadSrtClick(QObject* Sender);
    void ComboBoxFpsChange();

    // --- Generation
    void ButtonGenerateClick();

    void ButtonColorOptionsClick();
    void ButtonAboutClick();

    // Runs one handler; an error that ends it is shown with its exact message.
    void RunGuarded(const std::function<void()>& handler);

    // Whether the colour handler may redraw: the main window is the active one.
    bool isMainWindowActive() const;

    // --- Desktop habits
    // Loads `path` as "Load Srt,Sub" does, the file dialog skipped (a dropped file). False when
    // the window is busy or the file is not a subtitle file it reads.
    bool LoadDroppedFile(const QString& path);

    // --- Where the output goes
    // The folder chosen for the output, or empty: beside the subtitle file.
    QString OutputFolder() const;
    void SetOutputFolder(const QString& folder);
    // Asks for a folder; true when one was chosen.
    bool ButtonOutputFolderClick();
    // Whether a file can be made in `folder`; a test may put a stand-in here.
    OutputFolderChoice::FolderCheck folderTakesFiles;

    // --- Output form and languages
    using AddedStream = OutputStreams::AddedStream;
    // The key of the chosen form (as --format names it).
    QString OutputFormKey() const;
    void SetOutputFormKey(const QString& key);
    // The frame a Blu-ray form is written at, as its list names it ("1920x1080").
    QString OutputFrameSize() const;
    void SetOutputFrameSize(const QString& text);
    // Adds `path` as a stream, its language and forced mark read from a name such as
    // "film.fr.forced.srt" (else the loaded file's language). False, after saying why, when
    // the file cannot be read or is already in the list.
    bool AddStreamFile(const QString& path);
    // Asks for a file to add; one that can be read is added.
    void ButtonAddStreamClick();
    // Removes the added file of list row `row` (row 0, the loaded file, stays).
    void RemoveStream(int row);
    const std::vector<AddedStream>& AddedStreams() const;
    // Sets the language or forced mark of list row `row` (the language of row 0 is the
    // Output group's).
    void SetStreamLanguage(int row, const QString& languageText);
    void SetStreamForced(int row, bool forced);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void makeParts();
    // Arranges the controls for the screen the window is on and fits the window to it.
    void fitToScreen();
    void connectHandlers();
    // The file-name box: the loaded file's path scrolled to its end, the whole path (and the
    // folder its last output went to) as its tooltip.
    void showFileStatus(const QString& path);
    // The defaults changed the frame rate, the character set or the reading of rolling
    // captions of a loaded file: read it again.
    void reloadAfterDefaults(const QString& frameRateBefore, quint8 charsetBefore,
                             bool rollingBefore);
    void rollingCaptionsChange();
    // Another output form or Blu-ray frame: the preview and the width check follow it.
    void outputFrameChange();

    std::unique_ptr<SubtitleLoading> m_loading;
    std::unique_ptr<PreviewDrawing> m_preview;
    std::unique_ptr<OutputFolderChoice> m_folder;
    std::unique_ptr<OutputStreams> m_streams;
    std::unique_ptr<ConversionRun> m_run;
    std::unique_ptr<DesktopHabits> m_habits;

    TForm2* m_about = nullptr;
    TFormColorOptions* m_colorOptions = nullptr;
    bool m_activated = false;
};

} // namespace lumelle
