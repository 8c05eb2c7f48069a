#include "ui/Unit1.h"

#include "convert/GenerationRun.h"
#include "convert/JoinedSource.h"
#include "convert/TextSource.h"
#include "platform/Error.h"
#include "platform/FontSmoothing.h"
#include "platform/Messages.h"
#include "render/Picture.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "settings/SettingsTable.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/LoadReport.h"
#include "subtitle/SubtitleKinds.h"
#include "subtitle/TextDecoding.h"
#include "ui/Artwork.h"
#include "ui/ColorListWidget.h"
#include "ui/Controls.h"
#include "ui/FileNameBox.h"
#include "ui/FormStorage.h"
#include "ui/OutputForms.h"
#include "ui/PreviewView.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/WindowPlacement.h"
#include "vobsub/Languages.h"
#include "vobsub/VobSubWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

namespace lumelle {

bool RunStopped = true;

const char* const TForm1::SampleLine1 = "Ostravel.";
const char* const TForm1::SampleLine2 = "Ostra Valley";

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
QString generateCaption()
{
    return TForm1::tr("Generate Vobsub");
}
QString abortCaption()
{
    return TForm1::tr("Abort");
}
QString noFileStatus()
{
    return TForm1::tr("Load SRT");
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

QComboBox* makeList(QWidget* parent, const char* name, int x, int y, int width,
                    const QStringList& items)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->addItems(items);
    list->setGeometry(x, y, width, 21);
    // The drop-down may be wider than the closed list so that long entries can be read.
    list->view()->setMinimumWidth(width);
    return list;
}

QSlider* makeTrackBar(QWidget* parent, const char* name, Qt::Orientation orientation, int min,
                      int max, int position, QRect place)
{
    auto* bar = new QSlider(orientation, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(min, max);
    bar->setValue(position);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setTickPosition(QSlider::NoTicks);
    // The smallest value at the top, as a vertical track bar counts.
    if (orientation == Qt::Vertical)
        bar->setInvertedAppearance(true);
    bar->setGeometry(place);
    return bar;
}

// A button that shows its two-line caption as a picture, the caption's words as its tip.
QPushButton* makePictureButton(QWidget* parent, const char* name, const QString& line1,
                               const QString& line2, QRect place)
{
    auto* button = makeButton(parent, name, QString(), place);
    button->setIcon(QIcon(ButtonFace(line1, line2)));
    button->setIconSize(QSize(46, 20));
    button->setToolTip(line1 + QLatin1Char(' ') + line2);
    return button;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place);
    return group;
}

} // namespace

void SetItemIndex(QComboBox* list, int index)
{
    QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

TForm1::TForm1(QWidget* parent) : TForm1(parent, QString()) {}

TForm1::TForm1(QWidget* parent, const QString& settingsFile) : QWidget(parent)
{
    setObjectName(QLatin1String(kMainWindowSection));
    setWindowTitle(mainCaption());
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetWindowFont(this);
    // The layout of the controls, with the output folder's row under the preview and the column
    // of the output form and languages on the right; on a screen too small for it the window is
    // made smaller and the controls scroll (FitToAvailableArea).
    setFixedSize(1063, 732);
    // Group boxes with the caption on the frame line and lists with a narrow arrow, so that
    // the controls fit the small places of the layout.
    // A style sheet decides the fonts of the children, so the window font is named here too.
    setStyleSheet(QStringLiteral(
        "QWidget { font-family: \"MS Sans Serif\"; font-size: 11px; }"
        "QPushButton#ButtonGenerate, QPushButton#ButtonLoadSrt { font-weight: bold; }"
        "QComboBox { padding-left: 3px; padding-right: 0px; }"
        "QComboBox::drop-down { width: 13px; }"
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: 0px; padding: 0 2px; }"));

    const QString patterns =
        QStringLiteral("*.") + SubtitleExtensions().join(QStringLiteral(";*."));
    OpenDialogsub.Filter = patterns + QLatin1Char('|') + patterns;
    OpenDialogImagePAL.Title = tr("Load 720x576 PAL image");
    OpenDialogImagePAL.Filter = tr("Load your PAL 720x576 BMP|*.bmp");
    OpenDialogImageNTSC.Title = tr("Load 720x480 NTSC image");
    OpenDialogImageNTSC.Filter = tr("Load your NTSC 720x480 BMP|*.bmp");

    buildControls();
    // The colour lists start with the standard set and their designed values; the activation
    // at start-up fills them again for the stored palette choice.
    fillColorLists(false);
    LoadSettingsStore(JvAppIniFileStorage, settingsFile);
    FormCreate(this);
    connectHandlers();
    connectDesktopHabits();
    MakeScrollable(this);
    // After the controls found their place in the scroll area, which orders them anew.
    setKeyboardOrder();
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

void TForm1::setDialogs(TForm2* about, TFormColorOptions* colorOptions)
{
    m_about = about;
    m_colorOptions = colorOptions;
}

void TForm1::buildControls()
{
    buildRunControls();
    buildInputGroup();
    buildOutputGroup();
    buildRenderGroup();
    buildColorsGroup();
    buildSettingsGroup();
    buildWrapCheckBox();
    buildOutputFolderRow();
    buildPairColumn();
}

// The preview, the subtitle list, the run's button and bar, and the hidden picture names.
void TForm1::buildRunControls()
{
    preview = new PreviewView(this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setGeometry(40, 126, 297, 260);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(648, 68, 153, 52);
    ListBox1->setFrameShape(QFrame::Box);
    ListBox1->setUniformItemSizes(true);

    ButtonGenerate =
        makeButton(this, "ButtonGenerate", generateCaption(), QRect(538, 90, 106, 23), true);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(538, 75, 106, 15);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    // "N of M" while a run goes and after it; nothing before the first.
    ProgressBar1->setTextVisible(true);
    ProgressBar1->setFormat(QString());
    ProgressBar1->setAlignment(Qt::AlignCenter);
    ProgressBar1->setToolTip(tr("ProgressBar"));

    LabelImageChangedPAL = makeLabel(this, control::kPicturePal, QString(), {43, 456, 0, 0});
    LabelImageChangedPAL->resize(46, 13);
    LabelImageChangedPAL->hide();
    LabelImageChangedNTSC = makeLabel(this, control::kPictureNtsc, QString(), {51, 488, 0, 0});
    LabelImageChangedNTSC->resize(46, 13);
    LabelImageChangedNTSC->hide();
}

void TForm1::buildInputGroup()
{
    GroupBoxInput = makeGroup(this, "GroupBoxInput", tr("Input"), {8, 4, 169, 57});
    EditLoadSrt = new FileNameBox(noFileStatus(), GroupBoxInput);
    EditLoadSrt->setObjectName(QStringLiteral("EditLoadSrt"));
    EditLoadSrt->setGeometry(8, 16, 89, 15);
    EditLoadSrt->setEnabled(false);
    EditLoadSrt->setFrame(false);
    EditLoadSrt->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #808080; }"));
    ButtonLoadSrt =
        makeButton(GroupBoxInput, "ButtonLoadSrt", tr("Load Srt,Sub"), {8, 34, 89, 18}, true);
    Label2 = makeLabel(GroupBoxInput, "Label2", tr("Fps"), {104, 16, 0, 0});
    ComboBoxFps = makeList(GroupBoxInput, control::kFps, 104, 30, 57, FrameRateTexts());
}

void TForm1::buildOutputGroup()
{
    GroupBoxOutput = makeGroup(this, "GroupBoxOutput", tr("Output"), {184, 4, 97, 57});
    Label14 = makeLabel(GroupBoxOutput, "Label14", tr("Language "), {8, 16, 0, 0});
    ComboBoxVobsubLanguage =
        makeList(GroupBoxOutput, control::kLanguage, 8, 30, 81, VobsubLanguageNames());
    ComboBoxVobsubLanguage->view()->setMinimumWidth(170);
}

// The font, its size and style, the alignment, the offsets and the outline width.
void TForm1::buildRenderGroup()
{
    GroupBoxRender = makeGroup(this, "GroupBoxRender", tr("Render Fonts"), {8, 64, 521, 57});
    Label8 = makeLabel(GroupBoxRender, "Label8", tr("Font Name"), {8, 16, 0, 0});
    ComboBox5 = makeList(GroupBoxRender, control::kFontName, 8, 30, 81, {});
    ComboBox5->view()->setMinimumWidth(200);
    Label11 = makeLabel(GroupBoxRender, "Label11", tr("Font Charset"), {104, 16, 0, 0});
    ComboBox7 = makeList(GroupBoxRender, control::kCharset, 104, 30, 81, CharsetNames());
    ComboBox7->view()->setMinimumWidth(110);
    Label12 = makeLabel(GroupBoxRender, "Label12", tr("Font Style"), {200, 16, 0, 0});
    ComboBox8 = makeList(GroupBoxRender, control::kStyle, 200, 30, 81, StyleNames());
    Label9 = makeLabel(GroupBoxRender, "Label9", tr("Font Size"), {292, 16, 0, 0});
    ComboBoxFontSize = makeList(GroupBoxRender, control::kFontSize, 292, 30, 40, FontSizeTexts());
    LabelAlign = makeLabel(GroupBoxRender, "LabelAlign", tr("Align"), {346, 16, 0, 0});
    ComboBoxAlign = makeList(GroupBoxRender, control::kAlign, 346, 30, 55, AlignNames());
    Label10 = makeLabel(GroupBoxRender, "Label10", tr("Offsets"), {412, 14, 0, 0});
    offset = makeTrackBar(GroupBoxRender, control::kOffset, Qt::Horizontal, kOffsetMin, kOffsetMax,
                          kOffsetDefault, {400, 36, 60, 17});
    offset_or = makeTrackBar(GroupBoxRender, control::kLineGap, Qt::Vertical, kLineGapMin,
                             kLineGapMax, kLineGapDefault, {458, 8, 15, 46});
    // Only even gaps: steps of 2, so that every key press and groove click reaches the next one.
    offset_or->setSingleStep(2);
    offset_or->setPageStep(2);
    // The thumb stands where the second line goes: 0 (the lines close together) at the top,
    // -14 (the second line lowest) at the bottom, so that Down moves both down.
    offset_or->setInvertedAppearance(false);
    LabelOffset = makeLabel(GroupBoxRender, "LabelOffset", QStringLiteral("30"), {411, 25, 0, 0});
    LabelOffset->setEnabled(false);
    LabelOffset_Or =
        makeLabel(GroupBoxRender, "LabelOffset_Or", QStringLiteral("-4"), {441, 25, 0, 0});
    LabelOffset_Or->setEnabled(false);
    Label13 = makeLabel(GroupBoxRender, "Label13", tr("Outline"), {480, 16, 0, 0});
    ComboBoxOutlineWidth =
        makeList(GroupBoxRender, control::kOutlineWidth, 480, 30, 36, OutlineWidthTexts());
}

// "Wrap long lines": on the Render Fonts group's frame, beside its title.
void TForm1::buildWrapCheckBox()
{
    CheckBoxWrap = new QCheckBox(tr("Wrap long lines"), GroupBoxRender);
    CheckBoxWrap->setObjectName(QLatin1String(control::kWrapLines));
    CheckBoxWrap->setAutoFillBackground(true);
    CheckBoxWrap->setToolTip(
        tr("Break lines too wide for the frame at a space instead of refusing them"));
    CheckBoxWrap->adjustSize();
    // On the frame line only: the labels of the lists start at row 14.
    CheckBoxWrap->setGeometry(100, 0, CheckBoxWrap->width(), 14);
}

void TForm1::buildColorsGroup()
{
    GroupBoxColors = makeGroup(this, "GroupBoxColors", tr("Colors"), {288, 4, 241, 57});
    auto makeColorList = [this](const char* name, int x) {
        auto* list = new ColorListWidget(GroupBoxColors);
        list->setObjectName(QLatin1String(name));
        list->setGeometry(x, 30, 41, 22);
        list->view()->setMinimumWidth(41);
        return list;
    };
    Label3 = makeLabel(GroupBoxColors, "Label3", tr("Antialias"), {8, 16, 0, 0});
    JvColorButtonAntialias = makeColorList(control::kAntialiasColour, 8);
    Label4 = makeLabel(GroupBoxColors, "Label4", tr("Outine"), {56, 16, 0, 0});
    JvColorButtonOutline = makeColorList(control::kOutlineColour, 56);
    Label5 = makeLabel(GroupBoxColors, "Label5", tr("Text"), {104, 16, 0, 0});
    JvColorButtonText = makeColorList(control::kTextColour, 104);
    ButtonColorOptions = makeButton(GroupBoxColors, "ButtonColorOptions", tr("Color Options"),
                                    {152, 20, 81, 25}, false);
}

void TForm1::buildSettingsGroup()
{
    GroupBoxSettings =
        makeGroup(this, "GroupBoxSettings", tr("General Settings"), {536, 4, 257, 57});
    BitBtnSetDefaultValues = makePictureButton(GroupBoxSettings, "BitBtnSetDefaultValues",
                                               tr("Set Default"), tr("Values"), {19, 20, 54, 25});
    BitBtnChangeImage = makePictureButton(GroupBoxSettings, "BitBtnChangeImage", tr("Change"),
                                          tr("Images"), {104, 20, 54, 25});
    ButtonAbout =
        makeButton(GroupBoxSettings, "ButtonAbout", tr("About"), {187, 20, 54, 25}, false);
}

void TForm1::connectHandlers()
{
    auto bind = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this, [this, handler] { RunGuarded(handler); });
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
    connectPairColumn();
}

void TForm1::RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Error& error) {
        platform::messages().showMessage(error.message());
    } catch (const std::bad_alloc&) {
        platform::messages().showMessage(tr("Not enough memory to finish this."));
    } catch (const std::exception& error) {
        platform::messages().showMessage(QString::fromLocal8Bit(error.what()));
    }
}

// ---------------------------------------------------------------- window life

void TForm1::FormCreate(QObject* Sender)
{
    const QString frameRateBefore = ComboBoxFps->currentText();
    const quint8 charsetBefore = CurrentCharset();
    SetItemIndex(ComboBoxFps, FrameRateTexts().indexOf(QLatin1String(kDefaultFrameRate)));
    SetItemIndex(ComboBoxVobsubLanguage,
                 VobsubLanguageNames().indexOf(QLatin1String(kDefaultLanguage)));
    // The render lists start at the defaults the converter uses too.
    const RenderSettings defaults;
    SetItemIndex(ComboBoxFontSize, FontSizeTexts().indexOf(QString::number(defaults.fontSize)));
    SetItemIndex(ComboBox7, CharsetNumbers().indexOf(defaults.charset));
    SetItemIndex(ComboBox8, 0); // "Normal", the default style
    SetItemIndex(ComboBoxAlign, AlignNames().indexOf(defaults.align));
    // Track bars raise their change handlers whenever the position moves.
    offset->setValue(defaults.offset);
    offset_or->setValue(defaults.offset_or);
    {
        QSignalBlocker quiet(CheckBoxWrap);
        CheckBoxWrap->setChecked(defaults.wrapLongLines);
    }
    SetItemIndex(ComboBoxOutlineWidth,
                 OutlineWidthTexts().indexOf(QString::number(defaults.outlineWidth)));
    preview->setGeometry(40, 126, 720, 576);
    {
        QSignalBlocker quiet(ComboBox5);
        ComboBox5->clear();
        ComboBox5->addItems(FontListNames());
        ComboBox5->setCurrentIndex(0);
    }
    LabelOffset->setText(QString::number(offset->value()));
    LabelOffset->adjustSize();
    LabelOffset_Or->setText(QString::number(offset_or->value()));
    LabelOffset_Or->adjustSize();

    if (Sender == BitBtnSetDefaultValues) {
        LabelImageChangedPAL->setText(QString());
        LabelImageChangedNTSC->setText(QString());
        SetOutputFolder(QString());
        SetOutputFormKey(QString());
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
    // A file named on the command line may be loaded already: its subtitle stays in view.
    showPreviewOfSelected();
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
    }
    if (event->type() == QEvent::Show && !event->spontaneous())
        FitToAvailableArea(this);
    bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        RunGuarded([this] { FormActivate(); });
        // The second restore may have moved the window again, and the window manager's frame
        // is known now.
        FitToAvailableArea(this);
        // The focus is seen from the start, not only after the first Tab.
        setAttribute(Qt::WA_KeyboardFocusChange);
        ButtonLoadSrt->setFocus(Qt::OtherFocusReason);
    }
    return handled;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!RunStopped) {
        // A run is active: ask it to stop; the window closes once the run has closed its files.
        RunStopped = true;
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    if (JvFormStorage)
        JvFormStorage->SaveFormPlacement();
    FormClose();
    event->accept();
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
    ButtonGenerate->setText(enabled ? generateCaption() : abortCaption());
}

void TForm1::BitBtnChangeImageClick()
{
    if (OpenDialogImagePAL.Execute(this) && acceptPicturePath(OpenDialogImagePAL.FileName)) {
        LabelImageChangedPAL->setText(OpenDialogImagePAL.FileName);
        LoadPreviewBackground();
    }
    if (OpenDialogImageNTSC.Execute(this) && acceptPicturePath(OpenDialogImageNTSC.FileName)) {
        LabelImageChangedNTSC->setText(OpenDialogImageNTSC.FileName);
        LoadPreviewBackground();
    }
}

void TForm1::LoadPreviewBackground()
{
    const VideoStandard standard = VideoStandardFromFps(ComboBoxFps->currentText());
    const int width = frameWidth(standard);
    const int height = frameHeight(standard);
    preview->setGeometry(40, 126, width, height);

    const QString userPicture = standard == VideoStandard::PAL ? LabelImageChangedPAL->text()
                                                               : LabelImageChangedNTSC->text();
    QImage picture;
    if (!userPicture.isEmpty() && QFileInfo::exists(userPicture))
        picture.load(userPicture);
    // A picture that is gone or cannot be read gives way to the built-in one.
    if (picture.isNull())
        picture.load(PreviewPictureResource(standard));
    if (picture.isNull()) {
        picture = QImage(width, height, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    // Text is placed at frame coordinates, so a picture of another size is fitted to the frame.
    if (picture.size() != QSize(width, height))
        picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_previewPicture = picture;
    preview->setPicture(m_previewPicture);
}

RenderSettings TForm1::GatherRenderSettings() const
{
    RenderSettings s;
    s.fontName = ComboBox5->currentText();
    s.fontSize = StrToInt(ComboBoxFontSize->currentText().toStdString());
    s.fontStyle = FontStyleFromName(ComboBox8->currentText());
    s.charset = FontCharsetFromName(ComboBox7->currentText());
    s.outlineWidth = StrToInt(ComboBoxOutlineWidth->currentText().toStdString());
    s.align = ComboBoxAlign->currentText();
    s.offset = offset->value();
    s.offset_or = offset_or->value();
    s.textColor = JvColorButtonText->colorValue();
    s.outlineColor = JvColorButtonOutline->colorValue();
    s.antialiasColor = JvColorButtonAntialias->colorValue();
    s.videoStandard = VideoStandardFromFps(ComboBoxFps->currentText());
    s.wrapLongLines = CheckBoxWrap->isChecked();
    return s;
}

PaletteMode TForm1::CurrentPaletteMode() const
{
    return m_colorOptions ? m_colorOptions->paletteMode() : PaletteMode::PcDvdTwoPalettes;
}

quint8 TForm1::CurrentCharset() const
{
    return FontCharsetFromName(ComboBox7->currentText());
}

// ---------------------------------------------------------------- preview and width check

void TForm1::DrawPreview(const std::string& line1, const std::string& line2,
                         const RenderSettings& settings)
{
    DrawEntryPreview(SubtitleLine{std::string(), std::string(), line1, line2, std::string()},
                     settings);
}

void TForm1::ReportTooWide(const std::string& line1, const std::string& line2)
{
    reportTooWide(0, line1, line2);
}

void TForm1::reportTooWide(int number, const std::string& line1, const std::string& line2)
{
    LinesFit = false;
    if (SubtitleLoaded) {
        showTooWide(number, line1, line2, kTooLongAfterFontChange);
    } else {
        {
            QSignalBlocker quiet(ListBox1);
            ListBox1->clear();
        }
        showTooWide(number, line1, line2, kTooLongAfterLoad);
    }
}

void TForm1::showTooWide(int number, const std::string& line1, const std::string& line2,
                         const char* tail)
{
    QString text = TooLongMessage(line1, line2, tail);
    if (number > 0) {
        text += QStringLiteral("\r\r") + tr("This is subtitle %1.").arg(number) + QLatin1Char(' ');
        text += CheckBoxWrap->isChecked()
                    ? tr("Even with \"Wrap long lines\" a word of it is wider than the frame.")
                    : tr("Tick \"Wrap long lines\" to break it at a space instead.");
    }
    platform::messages().showMessage(text);
}

// Every line of the entry, broken when the setting allows, against the frame width.
void TForm1::CheckEntryWidth(const SubtitleLine& entry, const RenderSettings& settings)
{
    checkEntryWidth(0, entry, settings);
}

void TForm1::checkEntryWidth(int number, const SubtitleLine& entry, const RenderSettings& settings)
{
    if (EntryFitsWidth(entry, settings)) {
        LinesFit = true;
        return;
    }
    reportTooWide(number, entry.Line1, LinesAfterFirst(entry));
}

// The selected subtitle as the output draws it: every line, its styles, broken when allowed,
// and placed inside the frame.
void TForm1::DrawEntryPreview(const SubtitleLine& entry, const RenderSettings& settings)
{
    drawEntryPreview(0, entry, settings);
}

void TForm1::drawEntryPreview(int number, const SubtitleLine& entry, const RenderSettings& settings)
{
    LoadPreviewBackground();
    if (!EntryFitsWidth(entry, settings)) {
        LinesFit = false;
        showTooWide(number, entry.Line1, LinesAfterFirst(entry), kTooLongInPreview);
        return;
    }
    LinesFit = true;
    if (!DrawEntries(m_previewPicture, {entry}, settings, preview->size())) {
        LinesFit = false;
        platform::messages().showMessage(
            tr("The subtitle is taller than the frame. Please use a smaller font size."));
    }
    preview->setPicture(m_previewPicture);
}

void TForm1::CheckLineWidths()
{
    // libass places a script's lines: no width check applies.
    const int count = Subtitle && !m_assScript ? Subtitle->Count() : 0;
    LinesFit = LinesFit || m_assScript;
    const RenderSettings settings = GatherRenderSettings();
    for (int i = 1; i <= count; ++i) {
        checkEntryWidth(i, Subtitle->line(i), settings);
        if (!LinesFit)
            break;
    }
    if (LinesFit) {
        platform::messages().showMessage(loadedMessage());
        showFileStatus(OpenDialogsub.FileName);
        SubtitleLoaded = true;
    }
}

void TForm1::drawSelected()
{
    if (!SubtitleLoaded || !Subtitle)
        return;
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= Subtitle->Count())
        return;
    if (m_assPreview)
        drawScriptEntry(Subtitle->line(row + 1));
    else
        drawEntryPreview(row + 1, Subtitle->line(row + 1), GatherRenderSettings());
}

void TForm1::drawScriptEntry(const SubtitleLine& entry)
{
    LoadPreviewBackground();
    // The middle of the event, when a fade has come in fully.
    const FrameRate rate = FrameRate::fromText(ComboBoxFps->currentText());
    const std::int64_t middle =
        (std::int64_t(StrToInt(entry.StartFrame)) + StrToInt(entry.EndFrame)) / 2;
    const long long ms = middle * 1'000'000 / rate.divisor();
    if (m_previewPicture.size() == m_assPreview->frame())
        m_assPreview->draw(m_previewPicture, ms);
    preview->setPicture(m_previewPicture);
}

void TForm1::showScriptStyles(bool script)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             ComboBox5, ComboBoxFontSize, ComboBox8, ComboBoxOutlineWidth, ComboBoxAlign, offset,
             offset_or, CheckBoxWrap, JvColorButtonText}) {
        if (!control)
            continue;
        if (script && !m_plainToolTips.contains(control))
            m_plainToolTips.insert(control, control->toolTip());
        control->setEnabled(!script);
        control->setToolTip(script ? tr("The styles of the ASS/SSA script decide this.")
                                   : m_plainToolTips.value(control, control->toolTip()));
    }
    if (!script)
        m_plainToolTips.clear();
}

void TForm1::drawSampleAndSelected()
{
    DrawPreview(SampleLine1, SampleLine2, GatherRenderSettings());
    drawSelected();
}

void TForm1::ListBox1Click()
{
    drawSelected();
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

void TForm1::fillListRows()
{
    if (!Subtitle)
        return;
    QSignalBlocker quiet(ListBox1);
    const int row = ListBox1->currentRow();
    ListBox1->clear();
    for (int i = 1; i <= Subtitle->Count(); ++i) {
        const SubtitleLine& line = Subtitle->line(i);
        QString text = ShownLine(line.Line1);
        if (!line.Line2.empty())
            text += QLatin1Char('|') + ShownLine(line.Line2);
        ListBox1->addItem(text);
    }
    if (row >= 0 && row < ListBox1->count())
        ListBox1->setCurrentRow(row);
}

void TForm1::ButtonLoadSrtClick(QObject* Sender)
{
    SubtitleLoaded = false;
    LinesFit = false;
    EditLoadSrt->setText(noFileStatus());
    if (qobject_cast<QAbstractButton*>(Sender))
        OpenDialogsub.Execute(this);
    const QString fileName = OpenDialogsub.FileName;
    if (fileName.isEmpty())
        return;
    // Let the window repaint where the dialog was before the reading starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    setWindowTitle(loadingCaption());
    CaptionRestorer restore(this, mainCaption());
    {
        QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
    }
    Subtitle = std::make_unique<TSubtitle>();
    Subtitle->SetLanguageHint(LanguageCodeOf(ComboBoxVobsubLanguage->currentText()));
    m_assPreview.reset();
    m_assScript.reset();
    const bool script = KindOfFile(fileName) == FileKind::Ass;
    if (script) {
        const VideoStandard standard = VideoStandardFromFps(ComboBoxFps->currentText());
        m_assScript = std::make_shared<const AssScript>(
            ReadAssScript(fileName, CurrentCharset(), Subtitle->LanguageHint()));
        m_assPreview = std::make_unique<AssPreview>(
            *m_assScript, QSize(frameWidth(standard), frameHeight(standard)));
    }
    showScriptStyles(script);
    Subtitle->SetRollingCaptions(CheckBoxRollingCaptions->isChecked());
    if (Subtitle->LoadFromFile(fileName, true, FrameRate::fromText(ComboBoxFps->currentText()), 0,
                               CurrentCharset()) == LoadOutcome::UnsupportedFormat)
        platform::messages().showMessage(QString::fromLatin1(kUnsupportedFormatMessage));
    else if (const QString report = LoadReport(*Subtitle, fileName, CurrentCharset());
             !report.isEmpty())
        platform::messages().showMessage(report);
    if (Subtitle->Count() > 0) {
        fillListRows();
        QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(0);
    }
    CheckLineWidths();
    // Nothing of the previous file stays on the preview: the first subtitle of this one, or
    // the bare background when it could not be used.
    if (SubtitleLoaded)
        drawSelected();
    else
        LoadPreviewBackground();
    streamsFollowLoadedFile();
}

void TForm1::ComboBoxFpsChange()
{
    LoadPreviewBackground();
    if (!OpenDialogsub.FileName.isEmpty()) {
        Subtitle.reset();
        ButtonLoadSrtClick(ComboBoxFps);
    }
}

// ---------------------------------------------------------------- generation

void TForm1::ButtonGenerateClick()
{
    if (!RunStopped && isDoubleClickOfRunStart())
        return;
    RunStopped = !RunStopped;
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->setFormat(QString());
    if (RunStopped) {
        // A run is active and handles events: it stops before its next subtitle.
        platform::messages().showMessage(tr("Operation Aborted"));
        return;
    }
    // A refusal is read with the window idle, the button reading "Generate Vobsub".
    if (!runMayStart()) {
        RunStopped = true;
        return;
    }
    SetControlsEnabled(false);
    m_runStarted.start();

    // However the run ends, it ends idle, with the flag back and a pending close carried out.
    struct BackToIdle
    {
        TForm1* form;
        ~BackToIdle() { form->finishRun(); }
    } backToIdle{this};

    // A single subtitle still gets a range, so that the bar does not turn into a busy sign.
    ProgressBar1->setMaximum(std::max(Subtitle->Count() - 1, 1));

    GenerationResult result;
    try {
        result = RunGeneration(generationRequest(), generationCallbacks());
    } catch (...) {
        showPreviewOfSelected();
        throw;
    }
    showPreviewOfSelected();
    // The end is read with the window idle; a close asked for during the run waits for it.
    RunStopped = true;
    SetControlsEnabled(true);
    showRunResult(result);
}

bool TForm1::runMayStart()
{
    if (!SubtitleLoaded || !Subtitle) {
        platform::messages().showMessage(tr("Please load an Srt/Sub/Txt subtitle."));
        return false;
    }
    if (!LinesFit) {
        platform::messages().showMessage(tr("Please use smaller font."));
        return false;
    }
    return allSubtitlesFit() && addedStreamsReady() && outputFolderUsable();
}

void TForm1::showPreviewOfSelected()
{
    if (SubtitleLoaded && Subtitle && ListBox1->currentRow() >= 0)
        drawSelected();
    else
        LoadPreviewBackground();
}

void TForm1::finishRun()
{
    RunStopped = true;
    SetControlsEnabled(true);
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

GenerationRequest TForm1::generationRequest()
{
    GenerationRequest request;
    request.source = pictureSource(GatherRenderSettings());
    request.writer = OutputFormOf(OutputFormKey()).writer(outputChoices());
    request.subtitleFile = OpenDialogsub.FileName;
    // Several files: the output is named after the loaded one without its language part.
    if (!m_streamLists.empty()) {
        request.subtitleFile = JoinedPairNameFile(OpenDialogsub.FileName);
        // The output is no longer named after the loaded file, which must still never be
        // written over (a MicroDVD "film.sub" beside a pair named "film").
        request.otherInputs << OpenDialogsub.FileName;
        for (const AddedStream& stream : m_addedStreams)
            request.otherInputs << stream.file;
    }
    request.outputFolder = OutputFolder();
    return request;
}

// Before each subtitle: the stop flag, the events (a second press) and the bar; after each
// drawing: the picture in the preview.
GenerationCallbacks TForm1::generationCallbacks()
{
    GenerationCallbacks callbacks;
    m_previewThrottle.start();
    callbacks.beforeSubtitle = [this](int index, int count) {
        if (RunStopped)
            return false;
        m_showNextPicture = m_previewThrottle.shouldShow(index == count);
        // A second press of the button is handled here and only flips RunStopped; the
        // subtitle in hand is still finished.
        QCoreApplication::processEvents();
        ProgressBar1->setMaximum(std::max(count - 1, 1));
        ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
        ProgressBar1->setFormat(tr("%1 of %2").arg(index).arg(count));
        return true;
    };
    // Abort keeps the finished subtitles, asking first when they would replace an earlier
    // pair; closing the window keeps the earlier pair.
    callbacks.keepFinished = [this](int written, bool replacesEarlier) {
        if (!replacesEarlier)
            return true;
        if (m_closeAfterRun)
            return false;
        return platform::messages().askYesNo(
            tr("Keep the %1 subtitles written so far? The earlier pair will be "
               "replaced.")
                .arg(written));
    };
    callbacks.pictureWanted = [this](int, int) { return m_showNextPicture; };
    callbacks.afterRender = [this](const SubtitleImage& image) {
        m_previewPicture = image.pixels;
        preview->setGeometry(40, 126, image.pixels.width(), image.pixels.height());
        preview->setPicture(m_previewPicture);
    };
    return callbacks;
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

} // namespace lumelle
