// The main window: every setting lives in one of its controls; it loads a subtitle file,
// previews any subtitle over a background picture, checks that lines fit the frame and drives
// the generation of the VobSub pair.
#pragma once

#include "ass/AssSource.h"
#include "platform/IniStore.h"
#include "platform/widgets/FileDialogs.h"
#include "render/RenderSettings.h"
#include "settings/FontNames.h"
#include "subtitle/Subtitle.h"
#include "ui/PreviewThrottle.h"
#include "vobsub/Palette.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;

namespace lumelle {

class ColorListWidget;
struct GenerationCallbacks;
struct GenerationRequest;
struct GenerationResult;
struct OutputChoices;
class PictureSource;
class FormStorage;
class PreviewView;
class TForm2;
class TFormColorOptions;

// True when no generation run is active or the active one has been asked to stop. Every press
// of the Generate button inverts it first.
extern bool RunStopped;

class TForm1 : public QWidget
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

    // --- Controls outside the group boxes
    PreviewView* preview;
    QListWidget* ListBox1;
    QPushButton* ButtonGenerate;
    QProgressBar* ProgressBar1;
    QLabel* LabelImageChangedPAL;
    QLabel* LabelImageChangedNTSC;

    // --- Input
    QGroupBox* GroupBoxInput;
    QLineEdit* EditLoadSrt;
    QPushButton* ButtonLoadSrt;
    QLabel* Label2;
    QComboBox* ComboBoxFps;

    // --- Output
    QGroupBox* GroupBoxOutput;
    QLabel* Label14;
    QComboBox* ComboBoxVobsubLanguage;

    // --- Render Fonts
    QGroupBox* GroupBoxRender;
    QLabel* Label8;
    QComboBox* ComboBox5;
    QLabel* Label11;
    QComboBox* ComboBox7;
    QLabel* Label12;
    QComboBox* ComboBox8;
    QLabel* Label9;
    QComboBox* ComboBoxFontSize;
    QLabel* LabelAlign;
    QComboBox* ComboBoxAlign;
    QLabel* Label10;
    QSlider* offset;
    QSlider* offset_or;
    QLabel* LabelOffset;
    QLabel* LabelOffset_Or;
    QLabel* Label13;
    QComboBox* ComboBoxOutlineWidth;
    QCheckBox* CheckBoxWrap = nullptr;

    // --- Colors
    QGroupBox* GroupBoxColors;
    QLabel* Label3;
    ColorListWidget* JvColorButtonAntialias;
    QLabel* Label4;
    ColorListWidget* JvColorButtonOutline;
    QLabel* Label5;
    ColorListWidget* JvColorButtonText;
    QPushButton* ButtonColorOptions;

    // --- General Settings
    QGroupBox* GroupBoxSettings;
    QPushButton* BitBtnSetDefaultValues;
    QPushButton* BitBtnChangeImage;
    QPushButton* ButtonAbout;

    // --- Where the pair goes: a row under the preview. The chosen folder is kept in the hidden
    // label (stored in the settings file); empty means beside the subtitle file.
    QGroupBox* GroupBoxOutputFolder = nullptr;
    QLabel* LabelOutputFolder = nullptr;
    QLineEdit* EditOutputFolder = nullptr;
    QPushButton* ButtonOutputFolder = nullptr;
    QPushButton* ButtonOutputBeside = nullptr;

    // --- A column right of the preview: the output form, the files of more languages written
    // into the same pair, and how WebVTT captions are read. The chosen form's key is kept in
    // the hidden label (stored in the settings file).
    QGroupBox* GroupBoxPair = nullptr;
    QComboBox* ComboBoxOutputForm = nullptr;
    QLabel* LabelOutputForm = nullptr;
    // Row 0 is the loaded file, in the language of the Output group; then the files added.
    QListWidget* ListStreams = nullptr;
    QComboBox* ComboBoxStreamLanguage = nullptr;
    QCheckBox* CheckBoxStreamForced = nullptr;
    QPushButton* ButtonAddStream = nullptr;
    QPushButton* ButtonRemoveStream = nullptr;
    QCheckBox* CheckBoxRollingCaptions = nullptr;

    // --- Dialogs without a face
    platform::TOpenDialog OpenDialogsub;
    platform::TOpenDialog OpenDialogImagePAL;
    platform::TOpenDialog OpenDialogImageNTSC;

    // A file is loaded and every line of it passed the width check.
    bool SubtitleLoaded = false;
    // The most recent width check or preview drawing passed.
    bool LinesFit = false;
    // Set by the defaults button; the colour options dialog resets its choice once.
    bool ColorOptionsResetPending = false;

    // The current subtitle list; none before the first load.
    std::unique_ptr<TSubtitle> Subtitle;
    // When the loaded file is an ASS/SSA script: its text, drawn by libass, and the preview's
    // renderer. Its styles decide fonts, sizes, places and text colours.
    std::shared_ptr<const AssScript> m_assScript;
    std::unique_ptr<AssPreview> m_assPreview;

    // Hooks for the settings store: restoring the colour options dialog and this window at
    // start-up (run by FormActivate in their places when set).
    std::function<void()> restoreColorOptionsSettings;
    std::function<void()> restoreFormSettings;

    static const char* const SampleLine1;
    static const char* const SampleLine2;

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
    void CheckEntryWidth(const SubtitleLine& entry, const RenderSettings& settings);
    void ReportTooWide(const std::string& line1, const std::string& line2);
    void DrawEntryPreview(const SubtitleLine& entry, const RenderSettings& settings);
    void ListBox1Click();
    void ComboBoxFontSizeChange();
    void ComboBox7Change();
    void offsetChange();
    void offset_orChange();
    void JvColorButtonAntialiasChange();
    // The preview drawn again with the current settings: the sample, then the selected row.
    void drawSampleAndSelected();
    // The preview picture as last drawn (background plus subtitle).
    const QImage& PreviewPicture() const { return m_previewPicture; }

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
    // Whether a dropped file's name ends in one of the subtitle extensions.
    static bool IsSubtitleFileName(const QString& path);
    // The folder the last complete run wrote its pair into; empty before the first.
    QString LastOutputFolder() const { return m_lastOutputFolder; }

    // --- Where the pair goes
    // The folder chosen for the pair, or empty: beside the subtitle file.
    QString OutputFolder() const;
    void SetOutputFolder(const QString& folder);
    // Asks for a folder; true when one was chosen.
    bool ButtonOutputFolderClick();
    // The folder the next run writes into: the chosen one, else the subtitle file's.
    QString EffectiveOutputFolder() const;
    // Whether a file can be made in `folder`; a test may put a stand-in here.
    std::function<bool(const QString& folder)> folderTakesFiles;

    // --- Output form and languages
    // A file added to the loaded one: its subtitles become a stream of the same output.
    struct AddedStream
    {
        QString file;
        QString languageText; // an entry of the Language list
        bool forced = false;  // every subtitle of it is shown even with subtitles turned off
    };
    // The key of the chosen form (as --format names it).
    QString OutputFormKey() const;
    void SetOutputFormKey(const QString& key);
    // Adds `path` as a stream, its language and forced mark read from a name such as
    // "film.fr.forced.srt" (else the loaded file's language). False, after saying why, when
    // the file cannot be read or is already in the list.
    bool AddStreamFile(const QString& path);
    // Asks for a file to add; one that can be read is added.
    void ButtonAddStreamClick();
    // Removes the added file of list row `row` (row 0, the loaded file, stays).
    void RemoveStream(int row);
    const std::vector<AddedStream>& AddedStreams() const { return m_addedStreams; }
    // Whether every subtitle of the loaded file is marked forced.
    bool LoadedFileForced() const { return m_loadedForced; }
    // Sets the language or forced mark of list row `row` (the language of row 0 is the
    // Output group's).
    void SetStreamLanguage(int row, const QString& languageText);
    void SetStreamForced(int row, bool forced);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildRunControls();
    void buildInputGroup();
    void buildOutputGroup();
    void buildRenderGroup();
    void buildColorsGroup();
    void buildSettingsGroup();
    void buildWrapCheckBox();
    void connectHandlers();
    void drawSelected();
    void fillListRows();
    GenerationRequest generationRequest();
    GenerationCallbacks generationCallbacks();
    // The end of a run, however it ends: idle again, and a close asked for meanwhile carried out.
    void finishRun();
    // What must hold before a run starts; each refusal is said while the window is still idle.
    bool runMayStart();
    // The output folder can take the pair, or the user chose one that can.
    bool outputFolderUsable();
    // The preview background with the selected subtitle over it, when a file is loaded. A run
    // draws its output pictures into the preview, on the blue that the preview keys out; this
    // brings the background back after it.
    void showPreviewOfSelected();
    // The refusal of a subtitle too wide for the frame: the text of the check, the subtitle's
    // number (0: the sample) and what would make it fit.
    void showTooWide(int number, const std::string& line1, const std::string& line2,
                     const char* tail);
    void buildOutputFolderRow();
    // The checks and drawings above with the number of the subtitle concerned (0: none).
    void reportTooWide(int number, const std::string& line1, const std::string& line2);
    void checkEntryWidth(int number, const SubtitleLine& entry, const RenderSettings& settings);
    void drawEntryPreview(int number, const SubtitleLine& entry, const RenderSettings& settings);
    // The keyboard walks the controls top to bottom, left to right.
    void setKeyboardOrder();
    // A press that is the second half of a double click on the button that started the run.
    bool isDoubleClickOfRunStart() const;
    // Refuses the run, with the width message, when a subtitle does not fit the current settings.
    bool allSubtitlesFit();
    // The end of a run: any note on files left as they were, then the help text with a button
    // that opens the folder of the pair.
    void showRunResult(const GenerationResult& result);
    // The file-name box: the loaded file's path scrolled to its end, the whole path (and the
    // last output folder) as its tooltip.
    void showFileStatus(const QString& path);
    // The defaults changed the frame rate, the character set or the reading of rolling
    // captions of a loaded file: read it again.
    void reloadAfterDefaults(const QString& frameRateBefore, quint8 charsetBefore,
                             bool rollingBefore);
    // A picture path the settings file can keep (one line); otherwise a message and false.
    bool acceptPicturePath(const QString& path);
    void connectDesktopHabits();
    void buildPairColumn();
    void connectPairColumn();
    // The list's rows again from the loaded file and the added ones; `row` selected.
    void fillStreamRows(int row);
    // The editors under the list show the selected row.
    void showSelectedStream();
    // A file other than the one the added files belong to was loaded: they go.
    void streamsFollowLoadedFile();
    void rollingCaptionsChange();
    // Reads every added file and checks its lines against the frame, before a run; false
    // after saying what stops it.
    bool addedStreamsReady();
    // The pictures of the run and what its writer is told.
    std::shared_ptr<PictureSource> pictureSource(const RenderSettings& settings);
    OutputChoices outputChoices() const;
    // The files of a run with added streams, read by addedStreamsReady; they outlive the run.
    std::vector<std::unique_ptr<TSubtitle>> m_streamLists;
    std::vector<AddedStream> m_addedStreams;
    bool m_loadedForced = false;
    // The loaded file the added ones go with.
    QString m_streamsFile;

    TForm2* m_about = nullptr;
    TFormColorOptions* m_colorOptions = nullptr;
    QImage m_previewPicture;
    bool m_activated = false;
    bool m_closeAfterRun = false;
    QElapsedTimer m_runStarted;
    PreviewThrottle m_previewThrottle;
    bool m_showNextPicture = false;
    int m_rowAtPress = -1;
    QString m_lastOutputFolder;
    // The subtitle file of the last complete run, which m_lastOutputFolder belongs to.
    QString m_lastRunFile;
    // The controls a script's styles override, and their own tooltips while no script is loaded.
    QHash<QWidget*, QString> m_plainToolTips;
    // Disables the controls a script's styles override (with a tooltip saying so), or gives
    // them back.
    void showScriptStyles(bool script);
    // Draws the selected event of the script over the background picture.
    void drawScriptEntry(const SubtitleLine& entry);
};

// Selects a list entry from code without raising the list's change handler.
void SetItemIndex(QComboBox* list, int index);

} // namespace lumelle
