#include "ui/MainWindowLayout.h"

#include "pgs/BluRayForm.h"
#include "settings/SettingsTable.h"
#include "subtitle/SubtitleKinds.h"
#include "ui/Artwork.h"
#include "ui/ColorListWidget.h"
#include "ui/Controls.h"
#include "ui/FileNameBox.h"
#include "ui/ListValues.h"
#include "ui/OutputForms.h"
#include "ui/PreviewView.h"
#include "vobsub/Languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace lumelle {

namespace {

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

// A list of values, each shown in the user's language.
QComboBox* makeValueList(QWidget* parent, const char* name, int x, int y, int width,
                         const QStringList& values, QString (*shown)(const QString&))
{
    QComboBox* list = makeList(parent, name, x, y, width, {});
    FillValueList(list, values, shown);
    return list;
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

// Makes the controls group by group, in the order the window has always made them: the order
// of the children decides which of two overlapping controls is drawn on top.
struct Builder
{
    QWidget* window;
    MainWindowControls& c;

    void buildRunControls();
    void buildInputGroup();
    void buildOutputGroup();
    void buildRenderGroup();
    void buildWrapCheckBox();
    void buildColorsGroup();
    void buildSettingsGroup();
    void buildOutputFolderRow();
    void buildPairColumn();
    void buildFrameSizeRow();

    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)
};

// The preview, the subtitle list, the run's button and bar, and the hidden picture names.
void Builder::buildRunControls()
{
    c.preview = new PreviewView(window);
    c.preview->setObjectName(QStringLiteral("preview"));
    c.preview->setGeometry(40, 126, 297, 260);

    c.ListBox1 = new QListWidget(window);
    c.ListBox1->setObjectName(QStringLiteral("ListBox1"));
    c.ListBox1->setGeometry(648, 68, 153, 52);
    c.ListBox1->setFrameShape(QFrame::Box);
    c.ListBox1->setUniformItemSizes(true);

    c.ButtonGenerate = makeButton(window, "ButtonGenerate", MainWindowLayout::generateCaption(),
                                  QRect(538, 90, 106, 23), true);

    c.ProgressBar1 = new QProgressBar(window);
    c.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    c.ProgressBar1->setGeometry(538, 75, 106, 15);
    c.ProgressBar1->setRange(0, 100);
    c.ProgressBar1->setValue(0);
    // "N of M" while a run goes and after it; nothing before the first.
    c.ProgressBar1->setTextVisible(true);
    c.ProgressBar1->setFormat(QString());
    c.ProgressBar1->setAlignment(Qt::AlignCenter);
    c.ProgressBar1->setToolTip(tr("ProgressBar"));

    c.LabelImageChangedPAL = makeLabel(window, control::kPicturePal, QString(), {43, 456, 0, 0});
    c.LabelImageChangedPAL->resize(46, 13);
    c.LabelImageChangedPAL->hide();
    c.LabelImageChangedNTSC = makeLabel(window, control::kPictureNtsc, QString(), {51, 488, 0, 0});
    c.LabelImageChangedNTSC->resize(46, 13);
    c.LabelImageChangedNTSC->hide();
}

void Builder::buildInputGroup()
{
    c.GroupBoxInput = makeGroup(window, "GroupBoxInput", tr("Input"), {8, 4, 169, 57});
    c.EditLoadSrt = new FileNameBox(MainWindowLayout::noFileStatus(), c.GroupBoxInput);
    c.EditLoadSrt->setObjectName(QStringLiteral("EditLoadSrt"));
    c.EditLoadSrt->setGeometry(8, 16, 89, 15);
    c.EditLoadSrt->setEnabled(false);
    c.EditLoadSrt->setFrame(false);
    c.EditLoadSrt->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #808080; }"));
    c.ButtonLoadSrt =
        makeButton(c.GroupBoxInput, "ButtonLoadSrt", tr("Load Srt,Sub"), {8, 34, 89, 18}, true);
    c.Label2 = makeLabel(c.GroupBoxInput, "Label2", tr("Fps"), {104, 16, 0, 0});
    c.ComboBoxFps = makeList(c.GroupBoxInput, control::kFps, 104, 30, 57, FrameRateTexts());
}

void Builder::buildOutputGroup()
{
    c.GroupBoxOutput = makeGroup(window, "GroupBoxOutput", tr("Output"), {184, 4, 97, 57});
    c.Label14 = makeLabel(c.GroupBoxOutput, "Label14", tr("Language "), {8, 16, 0, 0});
    c.ComboBoxVobsubLanguage = makeValueList(c.GroupBoxOutput, control::kLanguage, 8, 30, 81,
                                             VobsubLanguageNames(), &ShownLanguage);
    c.ComboBoxVobsubLanguage->view()->setMinimumWidth(170);
}

// The font, its size and style, the alignment, the offsets and the outline width.
void Builder::buildRenderGroup()
{
    c.GroupBoxRender = makeGroup(window, "GroupBoxRender", tr("Render Fonts"), {8, 64, 521, 57});
    c.Label8 = makeLabel(c.GroupBoxRender, "Label8", tr("Font Name"), {8, 16, 0, 0});
    c.ComboBox5 = makeList(c.GroupBoxRender, control::kFontName, 8, 30, 81, {});
    c.ComboBox5->view()->setMinimumWidth(200);
    c.Label11 = makeLabel(c.GroupBoxRender, "Label11", tr("Font Charset"), {104, 16, 0, 0});
    c.ComboBox7 = makeValueList(c.GroupBoxRender, control::kCharset, 104, 30, 81, CharsetNames(),
                                &ShownListValue);
    c.ComboBox7->view()->setMinimumWidth(110);
    c.Label12 = makeLabel(c.GroupBoxRender, "Label12", tr("Font Style"), {200, 16, 0, 0});
    c.ComboBox8 = makeValueList(c.GroupBoxRender, control::kStyle, 200, 30, 81, StyleNames(),
                                &ShownListValue);
    c.Label9 = makeLabel(c.GroupBoxRender, "Label9", tr("Font Size"), {292, 16, 0, 0});
    c.ComboBoxFontSize =
        makeList(c.GroupBoxRender, control::kFontSize, 292, 30, 40, FontSizeTexts());
    c.LabelAlign = makeLabel(c.GroupBoxRender, "LabelAlign", tr("Align"), {346, 16, 0, 0});
    c.ComboBoxAlign = makeValueList(c.GroupBoxRender, control::kAlign, 346, 30, 55, AlignNames(),
                                    &ShownListValue);
    c.Label10 = makeLabel(c.GroupBoxRender, "Label10", tr("Offsets"), {412, 14, 0, 0});
    c.offset = makeTrackBar(c.GroupBoxRender, control::kOffset, Qt::Horizontal, kOffsetMin,
                            kOffsetMax, kOffsetDefault, {400, 36, 60, 17});
    c.offset_or = makeTrackBar(c.GroupBoxRender, control::kLineGap, Qt::Vertical, kLineGapMin,
                               kLineGapMax, kLineGapDefault, {458, 8, 15, 46});
    // Only even gaps: steps of 2, so that every key press and groove click reaches the next one.
    c.offset_or->setSingleStep(2);
    c.offset_or->setPageStep(2);
    // The thumb stands where the second line goes: 0 (the lines close together) at the top,
    // -14 (the second line lowest) at the bottom, so that Down moves both down.
    c.offset_or->setInvertedAppearance(false);
    c.LabelOffset =
        makeLabel(c.GroupBoxRender, "LabelOffset", QStringLiteral("30"), {411, 25, 0, 0});
    c.LabelOffset->setEnabled(false);
    c.LabelOffset_Or =
        makeLabel(c.GroupBoxRender, "LabelOffset_Or", QStringLiteral("-4"), {441, 25, 0, 0});
    c.LabelOffset_Or->setEnabled(false);
    c.Label13 = makeLabel(c.GroupBoxRender, "Label13", tr("Outline"), {480, 16, 0, 0});
    c.ComboBoxOutlineWidth =
        makeList(c.GroupBoxRender, control::kOutlineWidth, 480, 30, 36, OutlineWidthTexts());
}

// "Wrap long lines": on the Render Fonts group's frame, beside its title.
void Builder::buildWrapCheckBox()
{
    c.CheckBoxWrap = new QCheckBox(tr("Wrap long lines"), c.GroupBoxRender);
    c.CheckBoxWrap->setObjectName(QLatin1String(control::kWrapLines));
    c.CheckBoxWrap->setAutoFillBackground(true);
    c.CheckBoxWrap->setToolTip(
        tr("Break lines too wide for the frame at a space instead of refusing them"));
    c.CheckBoxWrap->adjustSize();
    // On the frame line only: the labels of the lists start at row 14.
    c.CheckBoxWrap->setGeometry(100, 0, c.CheckBoxWrap->width(), 14);
}

void Builder::buildColorsGroup()
{
    c.GroupBoxColors = makeGroup(window, "GroupBoxColors", tr("Colors"), {288, 4, 241, 57});
    auto makeColorList = [this](const char* name, int x) {
        auto* list = new ColorListWidget(c.GroupBoxColors);
        list->setObjectName(QLatin1String(name));
        list->setGeometry(x, 30, 41, 22);
        list->view()->setMinimumWidth(41);
        return list;
    };
    c.Label3 = makeLabel(c.GroupBoxColors, "Label3", tr("Antialias"), {8, 16, 0, 0});
    c.JvColorButtonAntialias = makeColorList(control::kAntialiasColour, 8);
    c.Label4 = makeLabel(c.GroupBoxColors, "Label4", tr("Outine"), {56, 16, 0, 0});
    c.JvColorButtonOutline = makeColorList(control::kOutlineColour, 56);
    c.Label5 = makeLabel(c.GroupBoxColors, "Label5", tr("Text"), {104, 16, 0, 0});
    c.JvColorButtonText = makeColorList(control::kTextColour, 104);
    c.ButtonColorOptions = makeButton(c.GroupBoxColors, "ButtonColorOptions", tr("Color Options"),
                                      {152, 20, 81, 25}, false);
}

void Builder::buildSettingsGroup()
{
    c.GroupBoxSettings =
        makeGroup(window, "GroupBoxSettings", tr("General Settings"), {536, 4, 257, 57});
    c.BitBtnSetDefaultValues = makePictureButton(c.GroupBoxSettings, "BitBtnSetDefaultValues",
                                                 tr("Set Default"), tr("Values"), {19, 20, 54, 25});
    c.BitBtnChangeImage = makePictureButton(c.GroupBoxSettings, "BitBtnChangeImage", tr("Change"),
                                            tr("Images"), {104, 20, 54, 25});
    c.ButtonAbout =
        makeButton(c.GroupBoxSettings, "ButtonAbout", tr("About"), {187, 20, 54, 25}, false);
}

// Under the preview, across the window: where the pair goes.
void Builder::buildOutputFolderRow()
{
    // A frameless group: one row that the busy state greys as a whole.
    c.GroupBoxOutputFolder = new QGroupBox(window);
    c.GroupBoxOutputFolder->setObjectName(QStringLiteral("GroupBoxOutputFolder"));
    c.GroupBoxOutputFolder->setFlat(true);
    c.GroupBoxOutputFolder->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    c.GroupBoxOutputFolder->setGeometry(0, 704, 803, 26);
    auto* caption = makeLabel(c.GroupBoxOutputFolder, "LabelOutputFolderCaption",
                              tr("Output folder:"), {40, 7, 0, 0});
    const int fieldLeft = caption->geometry().right() + 6;
    c.EditOutputFolder = new QLineEdit(c.GroupBoxOutputFolder);
    c.EditOutputFolder->setObjectName(QStringLiteral("EditOutputFolder"));
    c.EditOutputFolder->setReadOnly(true);
    c.EditOutputFolder->setPlaceholderText(tr("beside the subtitle file"));
    c.EditOutputFolder->setGeometry(fieldLeft, 3, 544 - fieldLeft, 20);
    c.ButtonOutputFolder = makeButton(c.GroupBoxOutputFolder, "ButtonOutputFolder",
                                      tr("Choose Folder..."), {550, 2, 104, 22});
    c.ButtonOutputBeside = makeButton(c.GroupBoxOutputFolder, "ButtonOutputBeside",
                                      tr("Beside Subtitle"), {658, 2, 102, 22});
    c.LabelOutputFolder = makeLabel(window, control::kOutputFolder, QString(), {51, 520, 0, 0});
    c.LabelOutputFolder->resize(46, 13);
    c.LabelOutputFolder->hide();
}

void Builder::buildPairColumn()
{
    c.GroupBoxPair = new QGroupBox(tr("Output Form and Languages"), window);
    c.GroupBoxPair->setObjectName(QStringLiteral("GroupBoxPair"));
    c.GroupBoxPair->setGeometry(808, 4, 247, 398);

    makeLabel(c.GroupBoxPair, "LabelOutputFormCaption", tr("Write"), {8, 16, 0, 0});
    c.ComboBoxOutputForm = new QComboBox(c.GroupBoxPair);
    c.ComboBoxOutputForm->setObjectName(QStringLiteral("ComboBoxOutputForm"));
    for (const OutputForm& form : OutputForms())
        c.ComboBoxOutputForm->addItem(form.name(), QString::fromLatin1(form.key));
    c.ComboBoxOutputForm->setGeometry(8, 30, 231, 21);
    c.LabelOutputForm = makeLabel(window, control::kOutputForm, QString(), {51, 552, 0, 0});
    c.LabelOutputForm->resize(46, 13);
    c.LabelOutputForm->hide();

    makeLabel(c.GroupBoxPair, "LabelStreamsCaption", tr("Languages in the output"), {8, 60, 0, 0});
    c.ListStreams = new QListWidget(c.GroupBoxPair);
    c.ListStreams->setObjectName(QStringLiteral("ListStreams"));
    c.ListStreams->setGeometry(8, 74, 231, 150);
    c.ListStreams->setToolTip(
        tr("Each file becomes one subtitle stream; players choose the first one first.\r"
           "Delete removes the selected file."));

    makeLabel(c.GroupBoxPair, "LabelStreamLanguage", tr("Language"), {8, 232, 0, 0});
    c.ComboBoxStreamLanguage = new QComboBox(c.GroupBoxPair);
    c.ComboBoxStreamLanguage->setObjectName(QStringLiteral("ComboBoxStreamLanguage"));
    FillValueList(c.ComboBoxStreamLanguage, VobsubLanguageNames(), &ShownLanguage);
    c.ComboBoxStreamLanguage->setGeometry(8, 246, 121, 21);
    c.ComboBoxStreamLanguage->view()->setMinimumWidth(170);
    c.CheckBoxStreamForced = new QCheckBox(tr("Forced"), c.GroupBoxPair);
    c.CheckBoxStreamForced->setObjectName(QStringLiteral("CheckBoxStreamForced"));
    c.CheckBoxStreamForced->setToolTip(
        tr("Shown even when the viewer turned subtitles off (foreign dialogue, signs)"));
    c.CheckBoxStreamForced->setGeometry(140, 248, 99, 17);

    c.ButtonAddStream =
        makeButton(c.GroupBoxPair, "ButtonAddStream", tr("Add File..."), {8, 276, 112, 23});
    c.ButtonRemoveStream =
        makeButton(c.GroupBoxPair, "ButtonRemoveStream", tr("Remove"), {127, 276, 112, 23});

    auto* note = makeLabel(c.GroupBoxPair, "LabelStreamsNote",
                           tr("Several languages need the VobSub pair: a .sup file holds one."),
                           {8, 306, 231, 28}, {false, true});
    note->setEnabled(false);

    c.CheckBoxRollingCaptions =
        new QCheckBox(tr("WebVTT: rolling captions shown once"), c.GroupBoxPair);
    c.CheckBoxRollingCaptions->setObjectName(QLatin1String(control::kRollingCaptions));
    c.CheckBoxRollingCaptions->setToolTip(
        tr("WebVTT captions typed as they are spoken repeat every line in the next cue: read "
           "them so that each line shows once"));
    c.CheckBoxRollingCaptions->setGeometry(8, 344, 231, 17);
    buildFrameSizeRow();
}

// Under the column's other choices: the frame a Blu-ray form is written at, which the DVD forms
// do not choose (their frame is the video standard's).
void Builder::buildFrameSizeRow()
{
    makeLabel(c.GroupBoxPair, "LabelFrameSizeCaption", tr("Blu-ray frame"), {8, 374, 0, 0});
    c.ComboBoxFrameSize =
        makeList(c.GroupBoxPair, "ComboBoxFrameSize", 118, 370, 121, BluRayFrameSizeTexts());
    c.ComboBoxFrameSize->setToolTip(
        tr("The frame size of the video the Blu-ray subtitles go with: they are drawn, checked "
           "and written at it"));
    c.LabelFrameSize = makeLabel(window, control::kFrameSize, QString(), {51, 584, 0, 0});
    c.LabelFrameSize->resize(46, 13);
    c.LabelFrameSize->hide();
}

} // namespace

QString MainWindowLayout::generateCaption()
{
    return tr("Generate Vobsub");
}

QString MainWindowLayout::abortCaption()
{
    return tr("Abort");
}

QString MainWindowLayout::noFileStatus()
{
    return tr("Load SRT");
}

void MainWindowLayout::build(QWidget* window, MainWindowControls& controls)
{
    window->setWindowIcon(ProgramIcon());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetWindowFont(window);
    // The layout of the controls, with the output folder's row under the preview and the column
    // of the output form and languages on the right; arrangeFor gives the window its size.
    // Group boxes with the caption on the frame line and lists with a narrow arrow, so that
    // the controls fit the small places of the layout.
    // A style sheet decides the fonts of the children, so the window font is named here too.
    window->setStyleSheet(QStringLiteral(
        "QWidget { font-family: \"MS Sans Serif\"; font-size: 11px; }"
        "QPushButton#ButtonGenerate, QPushButton#ButtonLoadSrt { font-weight: bold; }"
        "QComboBox { padding-left: 3px; padding-right: 0px; }"
        "QComboBox::drop-down { width: 13px; }"
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: 0px; padding: 0 2px; }"));

    // Pictures are read by what the file holds: their usual names are offered, and any file
    // may be chosen.
    const QString patterns = QStringLiteral("*.") +
                             SubtitleExtensions().join(QStringLiteral(";*.")) +
                             QStringLiteral(";*.sup;*.idx");
    controls.OpenDialogsub.Filter =
        patterns + QLatin1Char('|') + patterns + QLatin1Char('|') + tr("All files") + "|*";
    controls.OpenDialogImagePAL.Title = tr("Load 720x576 PAL image");
    controls.OpenDialogImagePAL.Filter = tr("Load your PAL 720x576 BMP|*.bmp");
    controls.OpenDialogImageNTSC.Title = tr("Load 720x480 NTSC image");
    controls.OpenDialogImageNTSC.Filter = tr("Load your NTSC 720x480 BMP|*.bmp");

    Builder builder{window, controls};
    builder.buildRunControls();
    builder.buildInputGroup();
    builder.buildOutputGroup();
    builder.buildRenderGroup();
    builder.buildColorsGroup();
    builder.buildSettingsGroup();
    builder.buildWrapCheckBox();
    builder.buildOutputFolderRow();
    builder.buildPairColumn();
    fitTexts(controls);
    arrangeFor(controls, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void MainWindowLayout::setDefaults(MainWindowControls& c)
{
    SetItemIndex(c.ComboBoxFps, FrameRateTexts().indexOf(QLatin1String(kDefaultFrameRate)));
    SetItemIndex(c.ComboBoxVobsubLanguage,
                 VobsubLanguageNames().indexOf(QLatin1String(kDefaultLanguage)));
    // The render lists start at the defaults the converter uses too.
    const RenderSettings defaults;
    SetItemIndex(c.ComboBoxFontSize, FontSizeTexts().indexOf(QString::number(defaults.fontSize)));
    SetItemIndex(c.ComboBox7, CharsetNumbers().indexOf(defaults.charset));
    SetItemIndex(c.ComboBox8, 0); // "Normal", the default style
    SetItemIndex(c.ComboBoxAlign, AlignNames().indexOf(defaults.align));
    // Track bars raise their change handlers whenever the position moves.
    c.offset->setValue(defaults.offset);
    c.offset_or->setValue(defaults.offset_or);
    {
        QSignalBlocker quiet(c.CheckBoxWrap);
        c.CheckBoxWrap->setChecked(defaults.wrapLongLines);
    }
    SetItemIndex(c.ComboBoxOutlineWidth,
                 OutlineWidthTexts().indexOf(QString::number(defaults.outlineWidth)));
    c.preview->setFrameSize(QSize(720, 576));
    {
        QSignalBlocker quiet(c.ComboBox5);
        c.ComboBox5->clear();
        FillValueList(c.ComboBox5, FontListNames(), &ShownListValue);
        c.ComboBox5->setCurrentIndex(0);
    }
    c.LabelOffset->setText(QString::number(c.offset->value()));
    c.LabelOffset->adjustSize();
    c.LabelOffset_Or->setText(QString::number(c.offset_or->value()));
    c.LabelOffset_Or->adjustSize();
}

void MainWindowLayout::setKeyboardOrder(const MainWindowControls& c)
{
    // Row by row as the window shows them: the four groups of the top row, the Render Fonts
    // group with the run's button and the list beside it, the output folder's row, then the
    // column of the output form and languages on the right.
    const QList<QWidget*> order = {c.ButtonLoadSrt,
                                   c.ComboBoxFps,
                                   c.ComboBoxVobsubLanguage,
                                   c.JvColorButtonAntialias,
                                   c.JvColorButtonOutline,
                                   c.JvColorButtonText,
                                   c.ButtonColorOptions,
                                   c.BitBtnSetDefaultValues,
                                   c.BitBtnChangeImage,
                                   c.ButtonAbout,
                                   c.CheckBoxWrap,
                                   c.ComboBox5,
                                   c.ComboBox7,
                                   c.ComboBox8,
                                   c.ComboBoxFontSize,
                                   c.ComboBoxAlign,
                                   c.offset,
                                   c.offset_or,
                                   c.ComboBoxOutlineWidth,
                                   c.ButtonGenerate,
                                   c.ListBox1,
                                   c.EditOutputFolder,
                                   c.ButtonOutputFolder,
                                   c.ButtonOutputBeside,
                                   c.ComboBoxOutputForm,
                                   c.ListStreams,
                                   c.ComboBoxStreamLanguage,
                                   c.CheckBoxStreamForced,
                                   c.ButtonAddStream,
                                   c.ButtonRemoveStream,
                                   c.CheckBoxRollingCaptions,
                                   c.ComboBoxFrameSize};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace lumelle
