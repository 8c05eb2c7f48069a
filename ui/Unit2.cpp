#include "ui/Unit2.h"

#include "platform/Licence.h"
#include "platform/Shell.h"
#include "ui/Controls.h"
#include "ui/UpdateCheck.h"
#include "ui/WindowPlacement.h"
#include "vobsub/HelpText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

// The dialog pictures live in a static library: their resource must be registered by hand.
static void initAboutPictures()
{
    Q_INIT_RESOURCE(dialogs);
}

namespace lumelle {

namespace {

const QString kSiteHost = QStringLiteral(LUMELLE_SITE_HOST);

QPushButton* makeLinkButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* button = makeButton(parent, name, caption, place);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

QString SiteAddress()
{
    return QStringLiteral("http://") + kSiteHost + QLatin1Char('/');
}

QString ForumAddress()
{
    return QStringLiteral("http://") + kSiteHost + QStringLiteral("/forum");
}

QString DonationAddress()
{
    return QStringLiteral("http://") + kSiteHost + QStringLiteral("/divx/Donate.html");
}

// The About and usage texts are the window's, translated with its own.
QString AboutText()
{
    return QStringList{
        TForm2::tr("Lumelle convert's txt subtitles to Vobsubs (idx/sub) in order to put them "
                   "in a Dvd Device Player.that supports vobsub subtitles."),
        TForm2::tr("The official site is : %1 .").arg(SiteAddress()),
        TForm2::tr("For any suggestions please visit our forums :  %1").arg(ForumAddress()),
        QString(),
        TForm2::tr("Important Update : Lumelle is NOT a GUI anymore. From now on is an "
                   "standalone application (its old companion program is not used now)"),
    }
        .join(QLatin1Char('\n'));
}

QStringList UsageLines()
{
    return {
        TForm2::tr("Usage : "),
        TForm2::tr("1) Just load your srt. At this time the program looks the width of every "
                   "textual "),
        TForm2::tr("subtitle in order to fit it on the video screen."),
        QString(),
        TForm2::tr("2) If the srt loads correctly then choose the correct fps and press "
                   "'Generate VobSub'. "),
        TForm2::tr("Otherwise try to edit the srt or just pick a smaller font."),
        QString(),
        TForm2::tr("3) Further informations will be Generated in an txt file. Just read them !"),
        QString(),
        TForm2::tr("*Tip : If your vobsub file does not shows up at your movie all just "),
        TForm2::tr("try to move the subtitle upper"),
    };
}

QPixmap AboutPicture()
{
    initAboutPictures();
    return QPixmap(QStringLiteral(":/dialogs/about"));
}

QPixmap DonatePicture()
{
    initAboutPictures();
    return QPixmap(QStringLiteral(":/dialogs/donate"));
}

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    SetWindowFont(this);
    setFixedSize(464, 459);

    buildVersionAndUsage();
    buildThanks();
    buildLinks();
    FormCreate();
    MakeScrollable(this);

    // Centred on the screen; over the main window once shown (showEvent).
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

// The picture, the About text, the version and the usage text.
void TForm2::buildVersionAndUsage()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 81, 81);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Orvane"), {16, 96, 0, 0});

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(96, 8, 353, 105);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextFormat(Qt::PlainText);

    Label3 = makeLabel(this, "Label3", tr("Current version :"), {152, 128, 0, 0}, {.bold = true});
    LabelVersion = makeLabel(this, "LabelVersion", QStringLiteral(LUMELLE_VERSION),
                             {256, 128, 0, 0}, {.bold = true});
    LabelLicence = makeLabel(this, "LabelLicence", platform::licenceName(), {300, 128, 0, 0});
    // A longer caption in the user's language moves the version and the licence along.
    if (const int shift = Label3->geometry().right() + 1 + 4 - LabelVersion->x(); shift > 0) {
        LabelVersion->move(LabelVersion->x() + shift, LabelVersion->y());
        LabelLicence->move(LabelLicence->x() + shift, LabelLicence->y());
    }

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(5, 152, 452, 169);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(UsageLines().join(QLatin1Char('\n')));
}

void TForm2::buildThanks()
{
    Label4 = makeLabel(this, "Label4", tr("Special Thanks to:"), {8, 324, 0, 0});
    Label6 =
        makeLabel(this, "Label6", tr("The Qt Project, whose toolkit draws every window and letter"),
                  {8, 339, 0, 0}, {.bold = true});
    Label5 =
        makeLabel(this, "Label5", tr("FFmpeg and MKVToolNix, which read back every VobSub we make"),
                  {8, 355, 0, 0}, {.bold = true});
    Label7 =
        makeLabel(this, "Label7", tr("The DejaVu and Liberation fonts, the faces on our screens"),
                  {8, 371, 0, 0}, {.bold = true});
}

// The site, version-check and mux buttons and the donate picture, with their handlers.
void TForm2::buildLinks()
{
    ButtonVisitSite =
        makeLinkButton(this, "ButtonVisitSite", tr("Visit the official site %1").arg(kSiteHost),
                       {8, 392, 217, 25});
    ButtonCheckVersion =
        makeLinkButton(this, "ButtonCheckVersion", tr("Check Version"), {240, 392, 217, 25});
    ButtonKestrabind = makeLinkButton(this, "ButtonKestrabind",
                                      tr("Mux Vobsubs (Multilanguage support)"), {8, 424, 217, 25});

    ImageDonate = new QLabel(this);
    ImageDonate->setObjectName(QStringLiteral("ImageDonate"));
    ImageDonate->setGeometry(392, 423, 65, 33);
    ImageDonate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageDonate->setCursor(Qt::PointingHandCursor);
    ImageDonate->setPixmap(DonatePicture());
    ImageDonate->setToolTip(tr("Donate"));
    ImageDonate->installEventFilter(this);

    connect(ButtonVisitSite, &QPushButton::clicked, this, [this] { ButtonVisitSiteClick(); });
    connect(ButtonCheckVersion, &QPushButton::clicked, this, [this] { ButtonCheckVersionClick(); });
    connect(ButtonKestrabind, &QPushButton::clicked, this, [this] { ButtonKestrabindClick(); });
}

void TForm2::FormCreate()
{
    Image1->setPixmap(AboutPicture());
    Label1->setText(AboutText());
    // A language whose text needs another line takes the room above the version.
    Label1->ensurePolished();
    Label1->resize(Label1->width(), std::max(105, Label1->heightForWidth(Label1->width())));
}

void TForm2::ButtonVisitSiteClick()
{
    platform::shell().openAddress(SiteAddress());
}

void TForm2::ButtonCheckVersionClick()
{
    CheckVersion(LabelVersion->text());
}

void TForm2::ButtonKestrabindClick()
{
    platform::shell().openAddress(QString::fromStdString(KestrabindAddress()));
}

void TForm2::ImageDonateClick()
{
    platform::shell().openAddress(DonationAddress());
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    // The donate picture acts as a link: a click with the left button opens the page.
    if (watched == ImageDonate && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            ImageDonate->rect().contains(mouse->position().toPoint())) {
            ImageDonateClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Over the main window and wholly on the screen.
    if (!event->spontaneous()) {
        PlaceOver(this, parentWidget());
        FitToAvailableArea(this);
    }
}

} // namespace lumelle
