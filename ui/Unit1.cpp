#include "ui/Unit1.h"

#include "output/OutputFiles.h"
#include "platform/FontSmoothing.h"
#include "platform/Messages.h"
#include "platform/SystemNames.h"
#include "render/Picture.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "settings/SettingsTable.h"
#include "subtitle/FileKind.h"
#include "ui/ColorListWidget.h"
#include "ui/DesktopHabits.h"
#include "ui/FormStorage.h"
#include "ui/HandlerGuard.h"
#include "ui/MainWindowLayout.h"
#include "ui/PreviewDrawing.h"
#include "ui/PreviewView.h"
#include "ui/SubtitleLoading.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

namespace lumelle {

namespace {

// The window's own texts, in the user's language.
QString mainCaption()
{
    return TForm1::tr("Lumelle By Orvane");
}
QString loadingCaption()
{
    return TForm1::tr("Lumelle By Orvane Loading Subtitle...");
}
QString checkingCaption()
{
    return TForm1::tr("Lumelle By Orvane Checking Subtitle Length...");
}
QString loadedMessage()
{
    return TForm1::tr("Subtitle Style Modified/Loaded Successfully");
}

// Restores a caption when a handler ends, however it ends.
class CaptionRestorer
{
public:
    CaptionRestorer(QWidget* window, const QString& caption) : m_window(window), m_caption(caption)
    {}
    ~CaptionRestorer() { m_window->setWindowTitle(m_caption); }
    CaptionRestorer(const CaptionRestorer&) = delete;
    CaptionRestorer& operator=(const CaptionRestorer&) = delete;

private:
    QWidget* m_window;
    QString m_caption;
};

} // namespace

TForm1::TForm1(QWidget* parent) : TForm1(parent, QString()) {}

TForm1::TForm1(QWidget* parent, const QString& settingsFile)
    : QWidget(parent), folderTakesFiles(FolderTakesFiles)
{
    setObjectName(QLatin1String(kMainWindowSection));
    setWindowTitle(mainCaption());
    MainWindowLayout::build(this, *this);
    makeParts();
    // The colour lists start with the standard set and their designed values; the activation
    // at start-up fills them again for the stored palette choice.
    fillColorLists(false);
    LoadSettingsStore(JvAppIniFileStorage, settingsFile);
    FormCreate(this);
    connectHandlers();
    m_habits->connectControls();
    MakeScrollable(this);
    // After the controls found their place in the scroll area, which orders them anew.
    MainWindowLayout::setKeyboardOrder(*this);
    if (!settingsFile.isEmpty()) {
        JvFormStorage = std::make_unique<FormStorage>(
            this, &JvAppIniFileStorage, QLatin1String(kMainWindowSection), MainWindowStoredProps(),
            FormStorage::Kind::MainWindow);
        restoreFormSettings = [this] { JvFormStorage->RestoreFormPlacement(); };
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect desk = screen->availableGeometry();
        move(desk.center() - QPoint(width() / 2, height() / 2));
    }
}

TForm1::~TForm1()
{
    // Program end: the colour options dialog saves first, then this window, each only when it
    // was restored after its last save; then the file is written once.
    for (TFormColorOptions* dialog : findChildren<TFormColorOptions*>())
        dialog->FinishSettings();
    if (JvFormStorage)
        JvFormStorage->saveIfRestoredSinceSave();
    FormDestroy();
    WriteSettingsStore(JvAppIniFileStorage);
}

void TForm1::makeParts()
{
    m_loading = std::make_unique<SubtitleLoading>(*this, *this);
    m_preview = std::make_unique<PreviewDrawing>(*this, *this);
    m_folder = std::make_unique<OutputFolderChoice>(this, *this, folderTakesFiles);
    m_streams = std::make_unique<OutputStreams>(this, *this);
    ConversionRun::Window window;
    window.widget = this;
    window.setControlsEnabled = [this](bool enabled) { SetControlsEnabled(enabled); };
    window.paletteMode = [this] { return CurrentPaletteMode(); };
    window.showFileStatus = [this] { showFileStatus(OpenDialogsub.FileName); };
    m_run = std::make_unique<ConversionRun>(*this, *this, *m_preview, *m_streams, *m_folder,
                                            std::move(window));
    DesktopHabits::Handlers habits;
    habits.loadFile = [this] { RunGuarded([this] { ButtonLoadSrtClick(this); }); };
    habits.drawSelectedRow = [this] { RunGuarded([this] { ListBox1Click(); }); };
    m_habits = std::make_unique<DesktopHabits>(this, *this, std::move(habits));
}

void TForm1::setDialogs(TForm2* about, TFormColorOptions* colorOptions)
{
    m_about = about;
    m_colorOptions = colorOptions;
}

void TForm1::connectHandlers()
{
    auto bind = [this](auto* sender, auto signal, std::function<void()> handler) {
        BindShowingErrors(sender, signal, this, std::move(handler));
    };
    bind(ListBox1, &QListWidget::currentRowChanged, [this] { ListBox1Click(); });
    bind(ButtonGenerate, &QPushButton::clicked, [this] { ButtonGenerateClick(); });
    bind(ButtonLoadSrt, &QPushButton::clicked, [this] { ButtonLoadSrtClick(ButtonLoadSrt); });
    bind(ComboBoxFps, &QComboBox::currentIndexChanged, [this] { ComboBoxFpsChange(); });
    for (QComboBox* list : {ComboBox5, ComboBox8, ComboBoxFontSize, ComboBoxOutlineWidth})
        bind(list, &QComboBox::currentIndexChanged, [this] { ComboBoxFontSizeChange(); });
    bind(ComboBox7, &QComboBox::currentIndexChanged, [this] { ComboBox7Change(); });
    bind(CheckBoxWrap, &QCheckBox::toggled, [this] { ComboBoxFontSizeChange(); });
    bind(ComboBoxAlign, &QComboBox::currentIndexChanged, [this] { offsetChange(); });
    bind(offset, &QSlider::valueChanged, [this] { offsetChange(); });
    bind(offset_or, &QSlider::valueChanged, [this] { offset_orChange(); });
    for (ColorListWidget* list : {JvColorButtonAntialias, JvColorButtonOutline, JvColorButtonText})
        bind(list, &ColorListWidget::changed, [this] { JvColorButtonAntialiasChange(); });
    bind(ButtonColorOptions, &QPushButton::clicked, [this] { ButtonColorOptionsClick(); });
    bind(BitBtnSetDefaultValues, &QPushButton::clicked,
         [this] { FormCreate(BitBtnSetDefaultValues); });
    bind(BitBtnChangeImage, &QPushButton::clicked, [this] { BitBtnChangeImageClick(); });
    bind(ButtonAbout, &QPushButton::clicked, [this] { ButtonAboutClick(); });
    bind(ButtonOutputFolder, &QPushButton::clicked, [this] { ButtonOutputFolderClick(); });
    connect(ButtonOutputBeside, &QPushButton::clicked, this,
            [this] { SetOutputFolder(QString()); });
    bind(ButtonAddStream, &QPushButton::clicked, [this] { ButtonAddStreamClick(); });
    bind(CheckBoxRollingCaptions, &QCheckBox::toggled, [this] { rollingCaptionsChange(); });
    m_streams->connectControls();
    // After the column's own handlers, which keep the chosen form and frame in their labels.
    bind(ComboBoxOutputForm, &QComboBox::currentIndexChanged, [this] { outputFrameChange(); });
    bind(ComboBoxFrameSize, &QComboBox::currentIndexChanged, [this] { outputFrameChange(); });
}

void TForm1::RunGuarded(const std::function<void()>& handler)
{
    RunShowingErrors(handler);
}

// ---------------------------------------------------------------- window life

void TForm1::FormCreate(QObject* Sender)
{
    const QString frameRateBefore = ComboBoxFps->currentText();
    const quint8 charsetBefore = CurrentCharset();
    MainWindowLayout::setDefaults(*this);

    if (Sender == BitBtnSetDefaultValues) {
        LabelImageChangedPAL->setText(QString());
        LabelImageChangedNTSC->setText(QString());
        SetOutputFolder(QString());
        SetOutputFormKey(QString());
        SetOutputFrameSize(QString());
        LoadPreviewBackground();
        if (m_colorOptions) {
            m_colorOptions->RadioButtonPCDVD1->setChecked(true);
            m_colorOptions->ApplyPaletteMode(Sender);
        }
        ColorOptionsResetPending = true;
        const bool rollingBefore = CheckBoxRollingCaptions->isChecked();
        {
            QSignalBlocker quiet(CheckBoxRollingCaptions);
            CheckBoxRollingCaptions->setChecked(false);
        }
        reloadAfterDefaults(frameRateBefore, charsetBefore, rollingBefore);
    }
}

void TForm1::reloadAfterDefaults(const QString& frameRateBefore, quint8 charsetBefore,
                                 bool rollingBefore)
{
    // Frame numbers were counted at the old rate and the text read in the old character set:
    // both would be wrong under the new ones.
    if (OpenDialogsub.FileName.isEmpty())
        return;
    if (ComboBoxFps->currentText() != frameRateBefore)
        ComboBoxFpsChange();
    else if (CurrentCharset() != charsetBefore)
        ComboBox7Change();
    else if (CheckBoxRollingCaptions->isChecked() != rollingBefore)
        rollingCaptionsChange();
}

void TForm1::FormActivate()
{
    if (restoreColorOptionsSettings)
        restoreColorOptionsSettings();
    bool safe = m_colorOptions && m_colorOptions->RadioButtonPCDVD2->isChecked();
    fillColorLists(safe);
    if (restoreFormSettings)
        restoreFormSettings();
    SetOutputFolder(OutputFolder());
    SetOutputFormKey(LabelOutputForm->text());
    SetOutputFrameSize(LabelFrameSize->text());
    // A file named on the command line may be loaded already: its subtitle stays in view.
    m_preview->showSelectedOrBackground();
    if (platform::FontSmoothingEnabled())
        platform::SetFontSmoothing(false);
}

void TForm1::FormClose()
{
    if (!platform::FontSmoothingEnabled())
        platform::SetFontSmoothing(true);
}

void TForm1::FormDestroy()
{
    if (!platform::FontSmoothingEnabled())
        platform::SetFontSmoothing(true);
}

bool TForm1::event(QEvent* event)
{
    // Restored when shown (not when brought back from the taskbar).
    if (event->type() == QEvent::Show && !event->spontaneous() && JvFormStorage) {
        RunGuarded([this] { JvFormStorage->RestoreFormPlacement(); });
        SetOutputFolder(OutputFolder());
        SetOutputFormKey(LabelOutputForm->text());
        SetOutputFrameSize(LabelFrameSize->text());
    }
    if (event->type() == QEvent::Show && !event->spontaneous())
        fitToScreen();
    bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        RunGuarded([this] { FormActivate(); });
        // The second restore may have moved the window again, and the window manager's frame
        // is known now.
        fitToScreen();
        // The focus is seen from the start, not only after the first Tab.
        setAttribute(Qt::WA_KeyboardFocusChange);
        ButtonLoadSrt->setFocus(Qt::OtherFocusReason);
    }
    return handled;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A run is active: it is asked to stop; the window closes once the run has closed its files.
    if (m_run->holdClose()) {
        event->ignore();
        return;
    }
    if (JvFormStorage)
        JvFormStorage->SaveFormPlacement();
    FormClose();
    event->accept();
}

void TForm1::fitToScreen()
{
    MainWindowLayout::arrangeFor(*this, AvailableClientRoom(this));
    FitToAvailableArea(this);
}

bool TForm1::isMainWindowActive() const
{
    return isActiveWindow();
}

void TForm1::fillColorLists(bool safe)
{
    fillColorBoxes(JvColorButtonAntialias, kAntialiasColourIndex, safe);
    fillColorBoxes(JvColorButtonOutline, kOutlineColourIndex, safe);
    fillColorBoxes(JvColorButtonText, kTextColourIndex, safe);
}

void TForm1::fillColorBoxes(ColorListWidget* box, int index, bool safe)
{
    box->clearColors();
    if (safe) {
        for (ColorValue colour : SafeColours())
            box->addColor(colour);
    } else {
        for (ColorValue colour : StandardColours())
            box->addColor(colour);
    }
    box->selectIndex(index);
    box->setColorValue(box->colorAt(index));
}

void TForm1::SetControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             GroupBoxInput, GroupBoxOutput, GroupBoxColors, GroupBoxSettings, GroupBoxRender,
             ListBox1, GroupBoxOutputFolder, GroupBoxPair})
        control->setEnabled(enabled);
    ButtonGenerate->setText(enabled ? MainWindowLayout::generateCaption()
                                    : MainWindowLayout::abortCaption());
}

void TForm1::BitBtnChangeImageClick()
{
    m_preview->choosePictures(this);
}

void TForm1::LoadPreviewBackground()
{
    m_preview->loadBackground();
}

RenderSettings TForm1::GatherRenderSettings() const
{
    return RenderSettingsOf(*this);
}

PaletteMode TForm1::CurrentPaletteMode() const
{
    return m_colorOptions ? m_colorOptions->paletteMode() : PaletteMode::PcDvdTwoPalettes;
}

quint8 TForm1::CurrentCharset() const
{
    return CharsetOf(*this);
}

// ---------------------------------------------------------------- preview and width check

void TForm1::DrawPreview(const std::string& line1, const std::string& line2,
                         const RenderSettings& settings)
{
    m_preview->drawEntry(0, SubtitleLine{std::string(), std::string(), line1, line2, std::string()},
                         settings);
}

void TForm1::CheckEntryWidth(const SubtitleLine& entry, const RenderSettings& settings)
{
    m_preview->checkEntry(0, entry, settings);
}

void TForm1::CheckLineWidths()
{
    if (!m_preview->checkAllLines())
        return;
    platform::messages().showMessage(loadedMessage());
    showFileStatus(OpenDialogsub.FileName);
    SubtitleLoaded = true;
}

void TForm1::showFileStatus(const QString& path)
{
    const QString shown = ReadableName(path);
    EditLoadSrt->setText(shown);
    // The end of the path, the file's own name, is what a narrow box should show.
    EditLoadSrt->setCursorPosition(int(shown.size()));
    QString tip = QDir::toNativeSeparators(shown);
    // Only a run made from this very file tells where its output went.
    if (const QString folder = m_run->outputFolderOf(path); !folder.isEmpty())
        tip += QLatin1Char('\n') + tr("Last VobSub pair written to %1")
                                       .arg(ReadableName(QDir::toNativeSeparators(folder)));
    EditLoadSrt->setToolTip(tip);
}

void TForm1::drawSampleAndSelected()
{
    m_preview->drawSampleAndSelected();
}

const QImage& TForm1::PreviewPicture() const
{
    return m_preview->picture();
}

void TForm1::ListBox1Click()
{
    m_preview->drawSelected();
}

void TForm1::ComboBoxFontSizeChange()
{
    drawSampleAndSelected();
    if (SubtitleLoaded) {
        setWindowTitle(checkingCaption());
        CaptionRestorer restore(this, mainCaption());
        CheckLineWidths();
    }
}

void TForm1::ComboBox7Change()
{
    // The file's text is read in the chosen character set: read it again, as a frame-rate
    // change does.
    if (!OpenDialogsub.FileName.isEmpty()) {
        Subtitle.reset();
        ButtonLoadSrtClick(ComboBox7); // draws the preview again
        return;
    }
    drawSampleAndSelected();
}

void TForm1::offsetChange()
{
    drawSampleAndSelected();
    LabelOffset->setText(QString::number(offset->value()));
    LabelOffset->adjustSize();
}

void TForm1::offset_orChange()
{
    const int position = offset_or->value();
    if (EvenLineGap(position) != position) {
        // Only even gaps: moving there runs this handler again with the even position, which
        // draws; drawing here as well would only repeat it (and any message) once more.
        offset_or->setValue(EvenLineGap(position));
        return;
    }
    drawSampleAndSelected();
    LabelOffset_Or->setText(QString::number(position));
    LabelOffset_Or->adjustSize();
}

void TForm1::JvColorButtonAntialiasChange()
{
    if (isMainWindowActive())
        drawSampleAndSelected();
}

// ---------------------------------------------------------------- loading

void TForm1::ButtonLoadSrtClick(QObject* Sender)
{
    SubtitleLoaded = false;
    LinesFit = false;
    EditLoadSrt->setText(MainWindowLayout::noFileStatus());
    if (qobject_cast<QAbstractButton*>(Sender))
        OpenDialogsub.Execute(this);
    const QString fileName = OpenDialogsub.FileName;
    if (fileName.isEmpty())
        return;
    // Let the window repaint where the dialog was before the reading starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    setWindowTitle(loadingCaption());
    CaptionRestorer restore(this, mainCaption());
    m_loading->read(fileName);
    CheckLineWidths();
    // Nothing of the previous file stays on the preview: the first subtitle of this one, or
    // the bare background when it could not be used.
    if (SubtitleLoaded)
        m_preview->drawSelected();
    else
        LoadPreviewBackground();
    // A file refused by the width check is not named as the output's first stream.
    m_streams->followLoadedFile(SubtitleLoaded ? fileName : QString(), bool(pictures));
}

void TForm1::ComboBoxFpsChange()
{
    LoadPreviewBackground();
    if (!OpenDialogsub.FileName.isEmpty()) {
        Subtitle.reset();
        ButtonLoadSrtClick(ComboBoxFps);
    }
}

void TForm1::outputFrameChange()
{
    // A file read but refused as too wide for the old frame may fit the new one: it is read and
    // checked again, as a frame-rate change does.
    if (!SubtitleLoaded && Subtitle && Subtitle->Count() > 0 && !OpenDialogsub.FileName.isEmpty()) {
        Subtitle.reset();
        ButtonLoadSrtClick(ComboBoxOutputForm);
        return;
    }
    // The preview takes the new frame's size; the lines are measured in it.
    LoadPreviewBackground();
    ComboBoxFontSizeChange();
}

void TForm1::rollingCaptionsChange()
{
    // Only WebVTT captions roll: another kind of file reads the same either way.
    if (Subtitle && Subtitle->Kind() == FileKind::WebVtt) {
        Subtitle.reset();
        ButtonLoadSrtClick(CheckBoxRollingCaptions);
    }
}

// ---------------------------------------------------------------- generation

void TForm1::ButtonGenerateClick()
{
    m_run->press();
}

// ---------------------------------------------------------------- dialogs

void TForm1::ButtonColorOptionsClick()
{
    if (m_colorOptions)
        m_colorOptions->exec();
}

void TForm1::ButtonAboutClick()
{
    if (m_about)
        m_about->exec();
}

// ---------------------------------------------------------------- desktop habits

bool TForm1::LoadDroppedFile(const QString& path)
{
    return m_habits->loadDroppedFile(path);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    m_habits->dragEnter(event);
}

void TForm1::dropEvent(QDropEvent* event)
{
    m_habits->drop(event);
}

// ---------------------------------------------------------------- where the output goes

QString TForm1::OutputFolder() const
{
    return m_folder->folder();
}

void TForm1::SetOutputFolder(const QString& folder)
{
    m_folder->setFolder(folder);
}

bool TForm1::ButtonOutputFolderClick()
{
    return m_folder->choose();
}

// ---------------------------------------------------------------- output form and languages

QString TForm1::OutputFormKey() const
{
    return m_streams->formKey();
}

void TForm1::SetOutputFormKey(const QString& key)
{
    m_streams->setFormKey(key);
}

QString TForm1::OutputFrameSize() const
{
    return LabelFrameSize->text();
}

void TForm1::SetOutputFrameSize(const QString& text)
{
    m_streams->setFrameSizeText(text);
}

bool TForm1::AddStreamFile(const QString& path)
{
    return m_streams->addFile(path);
}

void TForm1::ButtonAddStreamClick()
{
    m_streams->askForFile();
}

void TForm1::RemoveStream(int row)
{
    m_streams->remove(row);
}

const std::vector<TForm1::AddedStream>& TForm1::AddedStreams() const
{
    return m_streams->added();
}

void TForm1::SetStreamLanguage(int row, const QString& languageText)
{
    m_streams->setLanguage(row, languageText);
}

void TForm1::SetStreamForced(int row, bool forced)
{
    m_streams->setForced(row, forced);
}

} // namespace lumelle
