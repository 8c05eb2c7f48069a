#include "ui/Unit3.h"

#include "platform/Shell.h"
#include "settings/SettingsTable.h"
#include "ui/Controls.h"
#include "ui/FormStorage.h"
#include "ui/Unit1.h"
#include "ui/WindowPlacement.h"
#include "vobsub/HelpText.h"
#include "vobsub/PaletteUses.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <algorithm>

// The dialog pictures live in a static library: their resource must be registered by hand.
static void initDialogPictures()
{
    Q_INIT_RESOURCE(dialogs);
}

namespace lumelle {

namespace {

QRadioButton* makeRadio(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(QLatin1String(name));
    QFont font = radio->font();
    font.setBold(true);
    radio->setFont(font);
    radio->setGeometry(place);
    return radio;
}

QString useName(PlayerUse use)
{
    switch (use) {
    case PlayerUse::StandAlonePlayers:
        return TFormColorOptions::tr("stand-alone DVD and DivX players");
    case PlayerUse::DvdAuthoring:
        return TFormColorOptions::tr("DVD authoring");
    case PlayerUse::SoftwarePlayers:
        return TFormColorOptions::tr(
            "mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge");
    case PlayerUse::CustomColourPlayers:
        return TFormColorOptions::tr("players with the custom-colour extension");
    }
    return QString();
}

} // namespace

QString PlayersNote(PaletteMode mode)
{
    QStringList right;
    bool software = false;
    for (const PaletteUse& use : PaletteUses()) {
        if (!ShowsRight(use, mode))
            continue;
        right << useName(use.use);
        software = software || use.use == PlayerUse::SoftwarePlayers;
    }
    QString note = TFormColorOptions::tr("Shows the colours right in: %1.")
                       .arg(right.join(TFormColorOptions::tr("; ")));
    // The Y/Cr/Cb palette taken for RGB: the surprise a user meets first.
    if (!software)
        note +=
            QLatin1Char(' ') + TFormColorOptions::tr("mpv, VLC and ffmpeg show white text pink.");
    return note;
}

QPixmap ColorExamplePicture()
{
    initDialogPictures();
    return QPixmap(QStringLiteral(":/dialogs/colors"));
}

TFormColorOptions::TFormColorOptions(TForm1* mainWindow, QWidget* parent)
    : QDialog(parent), m_mainWindow(mainWindow)
{
    setObjectName(QLatin1String(kColorOptionsSection));
    setWindowTitle(tr("Color Options"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    SetWindowFont(this);

    GroupBox1 = new QGroupBox(tr("Select Method"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 449, 501);
    buildExample();
    buildPaletteChoices();
    buildInfoAndButtons();
    arrangeFor(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    // Over the main window until it is shown (and later moved by the user).
    PlaceOver(this, m_mainWindow);
    connectStorage();
    MakeScrollable(this);
}

// The colour example and the question above the choices.
void TFormColorOptions::buildExample()
{
    Label7 = makeLabel(GroupBox1, "Label7", tr("Colors Example"), {169, 16, 100, 13});
    Label7->adjustSize();
    // The 70 x 70 picture is shown unscaled in the top-left corner of its 73 x 73 box.
    colors = makeLabel(GroupBox1, "colors", QString(), {168, 30, 73, 73});

    Iwant = makeLabel(GroupBox1, "Iwant", tr("I want to use the vobsub on :"), {96, 120, 300, 20});
    // In a style sheet, so that one inherited from the main window cannot override it.
    Iwant->setStyleSheet(
        QStringLiteral("QLabel { color: red; font-weight: bold; font-size: 16px; }"));
    Iwant->adjustSize();
}

namespace {

// Between a choice and what follows it, and between the groups and the buttons.
constexpr int kGap = 7;
// The dialog's edges beside the groups, and the left edge of the groups' contents.
constexpr int kMargin = 8;
constexpr int kRightMargin = 5;
constexpr int kIndent = 16;
// The width of a column of choices, and the designed group and Info text widths. The one-line
// explanation of two palettes wraps only where a language needs more than the column.
constexpr int kColumnWidth = 415;
constexpr int kGroupWidth = 449;
constexpr int kInfoTextLeft = 24;
constexpr int kInfoTextWidth = 370;
constexpr int kDesignedInfoHeight = 81;
// Under the question, where the choices begin as designed.
constexpr int kDesignedChoicesTop = 152;

struct DesignedChoice
{
    int radioWidth;
    QSize text;
};
const DesignedChoice kDesignedChoices[] = {
    {73, {362, 26}}, {89, {403, 39}}, {313, {kColumnWidth, 13}}, {273, {415, 39}}};

// A word-wrapped label at `at`, `width` wide and as tall as its text needs, at least `height`.
int placeText(QLabel* label, QPoint at, int width, int height)
{
    label->ensurePolished();
    label->setGeometry(at.x(), at.y(), width, std::max(height, label->heightForWidth(width)));
    return label->geometry().bottom() + 1;
}

// A button of at least `width`, wide enough for its caption.
int buttonWidth(QPushButton* button, int width)
{
    button->ensurePolished();
    return std::max(width, button->sizeHint().width());
}

} // namespace

QSize TFormColorOptions::arrangeFor(QSize room)
{
    QSize size = arrangeColumns(1);
    if (size.width() > room.width() || size.height() > room.height()) {
        const QSize wide = arrangeColumns(2);
        // Two columns where they fit the screen's width; there they scroll less, if at all.
        if (wide.width() <= room.width())
            size = wide;
        else
            size = arrangeColumns(1);
    }
    QWidget* parent = GroupBox1->parentWidget();
    parent->setFixedSize(size);
    return size;
}

// The colour example and the question, above the choices as designed; with two columns the
// question stands beside the picture. Gives the top of the choices.
int TFormColorOptions::placeExample(int columns)
{
    Iwant->ensurePolished();
    Iwant->adjustSize();
    Label7->adjustSize();
    if (columns == 1) {
        Label7->move(169, 16);
        colors->move(168, 30);
        Iwant->move(96, 120);
        return std::max(kDesignedChoicesTop, Iwant->geometry().bottom() + 1 + kGap);
    }
    Label7->move(kIndent, 16);
    colors->move(kIndent, 30);
    Iwant->move(colors->geometry().right() + 1 + 3 * kGap,
                colors->geometry().bottom() + 1 - Iwant->height());
    return colors->geometry().bottom() + 1 + kGap;
}

// One choice at `at`: its button as wide as its caption, its explanation and its players' note
// under it, each as tall as its text needs. Gives the bottom of the note.
int TFormColorOptions::placeChoice(int index, QPoint at)
{
    QRadioButton* const radios[] = {RadioButtonPC, RadioButtonDVD, RadioButtonPCDVD1,
                                    RadioButtonPCDVD2};
    QLabel* const texts[] = {Label1, Label2, Label3, Label4};
    QLabel* const notes[] = {LabelPlayersPC, LabelPlayersDVD, LabelPlayersTwo, LabelPlayersSafe};
    const DesignedChoice& designed = kDesignedChoices[index];
    QRadioButton* radio = radios[index];
    radio->ensurePolished();
    const QSize hint = radio->sizeHint();
    radio->setGeometry(at.x(), at.y(), std::max(designed.radioWidth, hint.width()),
                       std::max(17, hint.height()));
    const int textBottom =
        placeText(texts[index], at + QPoint(0, 24), designed.text.width(), designed.text.height());
    return placeText(notes[index], {at.x(), textBottom + 2}, kColumnWidth, 13);
}

// The Info group at `top`, `width` wide and as tall as its text needs. Gives its bottom.
int TFormColorOptions::placeInfo(int top, int width)
{
    const int textWidth = width == kGroupWidth ? kInfoTextWidth : width - kInfoTextLeft - kIndent;
    const int textBottom = placeText(Label5, {kInfoTextLeft, 24}, textWidth, 39);
    GroupBoxInfo->setGeometry(kMargin, top, width,
                              std::max(kDesignedInfoHeight, textBottom + 2 * kGap));
    return GroupBoxInfo->geometry().bottom() + 1;
}

// The choices one under the other (or two by two, in reading order), the groups as tall as
// they need and the buttons under them.
QSize TFormColorOptions::arrangeColumns(int columns)
{
    int widest = 0;
    for (QRadioButton* radio :
         {RadioButtonPC, RadioButtonDVD, RadioButtonPCDVD1, RadioButtonPCDVD2}) {
        radio->ensurePolished();
        widest = std::max(widest, radio->sizeHint().width());
    }
    const int column = std::max(kColumnWidth, widest);
    const int groupWidth = std::max(kGroupWidth, columns * (column + kIndent) + kIndent + 2);
    int y = placeExample(columns);
    for (int first = 0; first < 4; first += columns) {
        int bottom = y;
        for (int i = first; i < std::min(4, first + columns); ++i)
            bottom =
                std::max(bottom, placeChoice(i, {kIndent + (i - first) * (column + kIndent), y}));
        y = bottom + kGap;
    }
    GroupBox1->setGeometry(kMargin, kMargin, groupWidth, y);
    const int buttons = placeInfo(GroupBox1->geometry().bottom() + 1 + kGap, groupWidth) + kGap;
    const int right = kMargin + groupWidth;
    ButtonDownloadIfo->setGeometry(kMargin, buttons, buttonWidth(ButtonDownloadIfo, 89), 25);
    const int doneWidth = buttonWidth(ButtonDone, 89);
    ButtonDone->setGeometry(right - doneWidth, buttons, doneWidth, 25);
    return QSize(right + kRightMargin, buttons + ButtonDone->height() + kGap);
}

// The four palette choices, each with its explanation and the players it shows right in; two
// palettes is the default.
void TFormColorOptions::buildPaletteChoices()
{
    auto playersLabel = [this](const char* name, PaletteMode mode, int y) {
        QLabel* label =
            makeLabel(GroupBox1, name, PlayersNote(mode), {16, y, 415, 13}, {.wordWrap = true});
        label->setStyleSheet(QStringLiteral("QLabel { color: #1e5a1e; }"));
        return label;
    };
    RadioButtonPC = makeRadio(GroupBox1, control::kPalettePc, tr("PC ONLY"), {16, 152, 73, 17});
    Label1 = makeLabel(GroupBox1, "Label1",
                       tr("RGB palette is generated. Standard vobsub. This solution "
                          "will not display the correct colors on the most of the "
                          "dvd devices that support sub/idx subtitles"),
                       {16, 176, 362, 26}, {.wordWrap = true});
    LabelPlayersPC = playersLabel("LabelPlayersPC", PaletteMode::PcOnly, 204);

    RadioButtonDVD = makeRadio(GroupBox1, control::kPaletteDvd, tr("DVD ONLY"), {16, 238, 89, 17});
    Label2 = makeLabel(GroupBox1, "Label2",
                       tr("YCRCB palette is generated. This solution works on well on "
                          "standalone dvd devices that support sub/idx but does not "
                          "render correctly the colors on pc . In order to watch the "
                          "subtitles on pc enable poligonize on directvobsub filter. "),
                       {16, 262, 403, 39}, {.wordWrap = true});
    LabelPlayersDVD = playersLabel("LabelPlayersDVD", PaletteMode::DvdOnly, 303);

    RadioButtonPCDVD1 =
        makeRadio(GroupBox1, control::kPaletteTwo,
                  tr("PC + DVD By using two palettes (recommended)"), {16, 337, 313, 17});
    Label3 =
        makeLabel(GroupBox1, "Label3",
                  tr("Both palettes are being generated. Most recommended solution at this time. "),
                  {16, 361, 357, 13}, {.wordWrap = true});
    LabelPlayersTwo = playersLabel("LabelPlayersTwo", PaletteMode::PcDvdTwoPalettes, 376);

    RadioButtonPCDVD2 =
        makeRadio(GroupBox1, control::kPaletteSafe, tr("PC + DVD By using an safe color palette"),
                  {16, 410, 273, 17});
    Label4 = makeLabel(GroupBox1, "Label4",
                       tr("Hybrid palette is generated. Since RGB and YCRCB have some "
                          "similar colors, an palette that is indipendent from "
                          "RGB/YCRCB can be found. This solution offers strange colors "
                          "and you might notice a small color difference playing the "
                          "subtitles from pc to dvd."),
                       {16, 434, 415, 39}, {.wordWrap = true});
    LabelPlayersSafe = playersLabel("LabelPlayersSafe", PaletteMode::PcDvdSafePalette, 475);
    RadioButtonPCDVD1->setChecked(true);
}

void TFormColorOptions::buildInfoAndButtons()
{
    GroupBoxInfo = new QGroupBox(tr("Info"), this);
    GroupBoxInfo->setObjectName(QStringLiteral("GroupBoxInfo"));
    GroupBoxInfo->setGeometry(8, 516, 449, 81);
    Label5 = makeLabel(GroupBoxInfo, "Label5",
                       tr("Some DVD Devices may want the original IFO in order to get "
                          "correct colors! In this case use the 'PC + DVD By using "
                          "two palettes' and download the ifo below. Further "
                          "instuctions will be generated on the "
                          "Lumelle_Help_File.txt"),
                       {24, 24, 370, 39}, {.wordWrap = true});

    ButtonDownloadIfo = makeButton(this, "ButtonDownloadIfo", tr("Download Ifo"), {8, 604, 89, 25});
    ButtonDone = makeButton(this, "ButtonDone", tr("Done"), {368, 604, 89, 25});
    connect(ButtonDownloadIfo, &QPushButton::clicked, this, [this] { ButtonDownloadIfoClick(); });
    connect(ButtonDone, &QPushButton::clicked, this, [this] { ButtonDoneClick(); });
}

void TFormColorOptions::connectStorage()
{
    if (m_mainWindow && m_mainWindow->JvFormStorage) {
        JvFormStorage = std::make_unique<FormStorage>(
            this, &m_mainWindow->JvAppIniFileStorage, QLatin1String(kColorOptionsSection),
            ColorOptionsStoredProps(), FormStorage::Kind::Dialog);
        m_mainWindow->restoreColorOptionsSettings = [this] {
            JvFormStorage->RestoreFormPlacement();
        };
    }
}

TFormColorOptions::~TFormColorOptions()
{
    FinishSettings();
}

FormStorage* TFormColorOptions::liveStorage() const
{
    // The store belongs to the main window: once that is gone there is nothing to write to.
    return m_mainWindow ? JvFormStorage.get() : nullptr;
}

void TFormColorOptions::FinishSettings()
{
    if (FormStorage* storage = liveStorage())
        storage->saveIfRestoredSinceSave();
    JvFormStorage.reset();
    if (m_mainWindow)
        m_mainWindow->restoreColorOptionsSettings = nullptr;
}

PaletteMode TFormColorOptions::paletteMode() const
{
    if (RadioButtonPC->isChecked())
        return PaletteMode::PcOnly;
    if (RadioButtonDVD->isChecked())
        return PaletteMode::DvdOnly;
    if (RadioButtonPCDVD2->isChecked())
        return PaletteMode::PcDvdSafePalette;
    return PaletteMode::PcDvdTwoPalettes;
}

void TFormColorOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Brought back from the taskbar is not a new showing.
    if (event->spontaneous())
        return;
    // Arranged for its screen first, so that it is placed at the size it shows at: first over
    // the main window, afterwards where it was last closed; always wholly on the screen, so
    // that Done is never out of reach on a small one.
    arrangeFor(AvailableClientRoom(this));
    FitToAvailableArea(this);
    if (!m_placed)
        PlaceOver(this, m_mainWindow);
    m_placed = true;
    if (FormStorage* storage = liveStorage())
        storage->RestoreFormPlacement();
    FitToAvailableArea(this);
    FormActivate();
}

void TFormColorOptions::FormActivate()
{
    colors->setPixmap(ColorExamplePicture());
    // The defaults button of the main window wins over the stored choice, once.
    if (m_mainWindow && m_mainWindow->ColorOptionsResetPending) {
        RadioButtonPCDVD1->setChecked(true);
        m_mainWindow->ColorOptionsResetPending = false;
    }
}

void TFormColorOptions::ApplyPaletteMode(QObject*)
{
    if (!m_mainWindow)
        return;
    const bool safe = RadioButtonPCDVD2->isChecked();
    m_mainWindow->fillColorLists(safe);
    m_mainWindow->drawSampleAndSelected();
}

void TFormColorOptions::FormClose()
{
    ApplyPaletteMode(this);
}

void TFormColorOptions::ButtonDoneClick()
{
    accept();
}

void TFormColorOptions::ButtonDownloadIfoClick()
{
    platform::shell().openAddress(QString::fromStdString(IfoDownloadAddress()));
}

void TFormColorOptions::done(int result)
{
    // Saved while still on screen, so that the placement is where the user left it.
    if (FormStorage* storage = liveStorage())
        storage->SaveFormPlacement();
    QDialog::done(result);
    if (m_mainWindow)
        m_mainWindow->RunGuarded([this] { FormClose(); });
}

} // namespace lumelle
