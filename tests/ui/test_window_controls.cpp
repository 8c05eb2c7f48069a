// The main window's controls, defaults, colour lists and window-life steps.
#include "../AssScripts.h"
#include "MainWindowFixture.h"

#include "platform/FontSmoothing.h"
#include "settings/FontNames.h"
#include "settings/SettingsTable.h"
#include "ui/WindowPlacement.h"
#include "vobsub/Languages.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

using namespace lumelle;
using namespace lumelle::testing;

TEST(ColorList, SettingAMissingColourAppendsItAndRaisesChanged)
{
    ColorListWidget list;
    list.addColor(makeColor(0, 0, 0));
    list.addColor(makeColor(128, 128, 128));
    int changes = 0;
    QObject::connect(&list, &ColorListWidget::changed, [&] { ++changes; });

    list.setColorValue(makeColor(128, 128, 128));
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_EQ(changes, 1);
    list.setColorValue(makeColor(128, 128, 128));
    EXPECT_EQ(changes, 1) << "the same value again changes nothing";

    list.setColorValue(makeColor(255, 255, 255));
    EXPECT_EQ(list.colorCount(), 3);
    EXPECT_EQ(list.currentIndex(), 2);
    EXPECT_EQ(list.colorAt(2), makeColor(255, 255, 255));
    EXPECT_EQ(changes, 2);

    // A pick by the user always reports, and sets the value to the entry's colour.
    emit list.activated(0);
    EXPECT_EQ(list.colorValue(), makeColor(0, 0, 0));
    EXPECT_EQ(changes, 3);
}

TEST(ColorList, FirstEntryWithTheColourIsSelected)
{
    ColorListWidget list;
    list.addColor(makeColor(1, 2, 3));
    list.addColor(makeColor(9, 9, 9));
    list.addColor(makeColor(1, 2, 3));
    list.setColorValue(makeColor(1, 2, 3));
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.colorCount(), 3);
}

TEST_F(MainWindowTest, ControlsStartWithTheirDefaultsAndEntries)
{
    EXPECT_EQ(form->windowTitle(), QString("Lumelle By Orvane"));
    EXPECT_EQ(form->height(), 732) << "the layout with the output folder's row";
    EXPECT_GE(form->width(), 1063) << "and the output form's column";
    EXPECT_EQ(form->ComboBoxFps->currentText(), QString("25000"));
    EXPECT_EQ(form->ComboBoxFps->count(), 5);

    ASSERT_EQ(form->ComboBoxVobsubLanguage->count(), 136);
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentText(), QString("el GREEK"));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->itemText(2), QString("aa AFAR\tAA"));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->itemText(135), QString("zu ZULU"));
    EXPECT_EQ(VobsubLanguageNames().filter("\t").size(), 3);

    ASSERT_EQ(form->ComboBoxFontSize->count(), 35);
    EXPECT_EQ(form->ComboBoxFontSize->itemText(24), QString("30"));
    EXPECT_EQ(form->ComboBoxFontSize->itemText(25), QString("32"));
    EXPECT_EQ(form->ComboBoxFontSize->itemText(34), QString("50"));
    EXPECT_EQ(form->ComboBoxFontSize->currentText(), QString("20"));
    EXPECT_EQ(form->ComboBox7->count(), 19);
    EXPECT_EQ(form->ComboBox7->currentText(), QString("DEFAULT"));
    EXPECT_EQ(form->ComboBox8->count(), 9);
    EXPECT_EQ(form->ComboBox8->currentText(), QString("Normal"));
    EXPECT_EQ(form->ComboBoxAlign->currentText(), QString("center"));
    EXPECT_EQ(form->ComboBoxOutlineWidth->currentText(), QString("3"));
    EXPECT_EQ(form->offset->value(), 30);
    EXPECT_EQ(form->offset_or->value(), -4);
    EXPECT_EQ(form->ComboBox5->itemText(0), QString("Arial"));
    EXPECT_EQ(form->ComboBox5->currentIndex(), 0);
    EXPECT_TRUE(form->ComboBox5->findText("Default") > 0);

    EXPECT_EQ(form->EditLoadSrt->text(), QString("Load SRT"));
    EXPECT_FALSE(form->EditLoadSrt->isEnabled());
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));
    EXPECT_EQ(form->ButtonLoadSrt->text(), QString("Load Srt,Sub"));
    // Groups and lists keep their designed places, widened where a text needs more.
    EXPECT_EQ(form->GroupBoxColors->pos(), QPoint(288, 4));
    EXPECT_GE(form->GroupBoxColors->width(), 241);
    EXPECT_EQ(form->offset_or->size(), QSize(15, 46));
    EXPECT_EQ(form->preview->geometry(), QRect(40, 126, 720, 576));
    EXPECT_TRUE(form->findChild<QLabel*>("Label4")->text() == "Outine");
    EXPECT_EQ(
        form->OpenDialogsub.Filter,
        QString("*.srt;*.sub;*.txt;*.vtt;*.ass;*.ssa;*.mpl;*.sbv;*.ttml;*.dfxp;*.itt;*.xml;"
                "*.smi;*.sami;*.stl;*.sup;*.idx|*.srt;*.sub;*.txt;*.vtt;*.ass;*.ssa;*.mpl;"
                "*.sbv;*.ttml;*.dfxp;*.itt;*.xml;*.smi;*.sami;*.stl;*.sup;*.idx|All files|*"));
    EXPECT_FALSE(form->SubtitleLoaded);
    EXPECT_FALSE(form->LinesFit);
    EXPECT_TRUE(RunStopped);
}

TEST(WindowFit, AWindowTallerOrWiderThanTheScreenIsCutAndScrolls)
{
    const QMargins frame(1, 30, 1, 1);
    struct Case
    {
        QSize available;
        QSize expected;
    } cases[] = {
        {{1366, 768}, {803, 732}}, // fits whole
        {{1280, 690}, {818, 659}}, // 1920x1080 at 150 %: shorter, wider by the scroll bar
        {{960, 510}, {818, 479}},  // 200 %
        {{700, 900}, {698, 747}},  // narrower: taller by the scroll bar
        {{600, 400}, {598, 369}},  // both
    };
    for (const Case& c : cases)
        EXPECT_EQ(FittedClientSize({803, 732}, c.available, frame, 15), c.expected)
            << c.available.width() << "x" << c.available.height();
}

TEST_F(MainWindowTest, TheWrapBoxCoversNoLabelOfItsGroup)
{
    for (QLabel* label : form->GroupBoxRender->findChildren<QLabel*>())
        EXPECT_FALSE(form->CheckBoxWrap->geometry().intersects(label->geometry()))
            << label->objectName().toStdString();
}

TEST_F(MainWindowTest, FontListHoldsDefaultAndFamiliesOnceSortedWithoutCase)
{
    const QStringList names = InstalledFontNames();
    EXPECT_EQ(names.count("Default"), 1);
    for (qsizetype i = 1; i < names.size(); ++i)
        EXPECT_LE(QString::compare(names[i - 1], names[i], Qt::CaseInsensitive), 0) << i;
}

TEST_F(MainWindowTest, ColourListsOfBothSets)
{
    EXPECT_EQ(form->JvColorButtonAntialias->colorCount(), 15);
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(128, 128, 128));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 0, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    EXPECT_EQ(form->JvColorButtonText->colorAt(14), makeColor(0, 255, 255));

    // The safe palette chosen in the colour options dialog: closing it refills all three.
    options->RadioButtonPCDVD2->setChecked(true);
    options->done(QDialog::Accepted);
    EXPECT_EQ(form->JvColorButtonAntialias->colorCount(), 7);
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(127, 127, 127));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 30, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 230, 20));
    EXPECT_EQ(form->JvColorButtonText->colorAt(6), makeColor(0, 55, 0));
    EXPECT_EQ(form->CurrentPaletteMode(), PaletteMode::PcDvdSafePalette);

    // A colour the safe set lacks is appended and selected.
    form->JvColorButtonText->setColorValue(makeColor(255, 255, 255));
    EXPECT_EQ(form->JvColorButtonText->colorCount(), 8);
    EXPECT_EQ(form->GatherRenderSettings().textColor, makeColor(255, 255, 255));

    options->RadioButtonPC->setChecked(true);
    options->done(QDialog::Accepted);
    EXPECT_EQ(form->JvColorButtonText->colorCount(), 15);
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    EXPECT_EQ(form->CurrentPaletteMode(), PaletteMode::PcOnly);
}

TEST_F(MainWindowTest, OffsetOrNeverRestsOnAnOddPosition)
{
    form->offset_or->setValue(-3);
    EXPECT_EQ(form->offset_or->value(), -2);
    form->offset_or->setValue(-13);
    EXPECT_EQ(form->offset_or->value(), -12);
    EXPECT_EQ(form->LabelOffset_Or->text(), QString("-12"));
    form->offset_or->setValue(-1);
    EXPECT_EQ(form->offset_or->value(), 0);
    form->offset->setValue(600);
    EXPECT_EQ(form->offset->value(), 492) << "a position outside the range is clamped";
    EXPECT_EQ(form->LabelOffset->text(), QString("492"));
    EXPECT_EQ(form->GatherRenderSettings().offset_or, 0);
}

TEST_F(MainWindowTest, DefaultsButtonResetsControlsPicturesAndPaletteChoice)
{
    const QStringList fontsAtStart = [&] {
        QStringList all;
        for (int i = 0; i < form->ComboBox5->count(); ++i)
            all << form->ComboBox5->itemText(i);
        return all;
    }();
    SetItemIndex(form->ComboBoxFontSize, 3);
    SetItemIndex(form->ComboBoxVobsubLanguage, 0);
    form->offset->setValue(100);
    form->offset_or->setValue(-10);
    form->LabelImageChangedPAL->setText("/nowhere/pal.bmp");
    form->LabelImageChangedNTSC->setText("/nowhere/ntsc.bmp");
    options->RadioButtonDVD->setChecked(true);
    form->SetOutputFormKey("dvd-sup");
    form->CheckBoxRollingCaptions->setChecked(true);

    form->BitBtnSetDefaultValues->click();
    form->BitBtnSetDefaultValues->click();

    EXPECT_EQ(form->OutputFormKey(), QString("vobsub"));
    EXPECT_EQ(form->ComboBoxOutputForm->currentData().toString(), QString("vobsub"));
    EXPECT_FALSE(form->CheckBoxRollingCaptions->isChecked());

    EXPECT_EQ(form->ComboBoxFontSize->currentText(), QString("20"));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentIndex(), 41);
    EXPECT_EQ(form->offset->value(), 30);
    EXPECT_EQ(form->offset_or->value(), -4);
    EXPECT_EQ(form->LabelOffset->text(), QString("30"));
    EXPECT_TRUE(form->LabelImageChangedPAL->text().isEmpty());
    EXPECT_TRUE(form->LabelImageChangedNTSC->text().isEmpty());
    EXPECT_TRUE(options->RadioButtonPCDVD1->isChecked());
    EXPECT_TRUE(form->ColorOptionsResetPending);
    QStringList fontsNow;
    for (int i = 0; i < form->ComboBox5->count(); ++i)
        fontsNow << form->ComboBox5->itemText(i);
    EXPECT_EQ(fontsNow, fontsAtStart) << "the font list is refilled, not doubled";
    EXPECT_EQ(form->preview->size(), QSize(720, 576)) << "the PAL frame after the defaults";
}

TEST_F(MainWindowTest, BusyStateDisablesGroupsAndListButNotTheButton)
{
    form->SetControlsEnabled(false);
    EXPECT_FALSE(form->GroupBoxInput->isEnabled());
    EXPECT_FALSE(form->GroupBoxRender->isEnabled());
    EXPECT_FALSE(form->GroupBoxSettings->isEnabled());
    EXPECT_FALSE(form->ListBox1->isEnabled());
    EXPECT_FALSE(form->ComboBoxFps->isEnabled());
    EXPECT_TRUE(form->ButtonGenerate->isEnabled());
    EXPECT_TRUE(form->ProgressBar1->isEnabled());
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Abort"));
    form->SetControlsEnabled(true);
    EXPECT_TRUE(form->GroupBoxOutput->isEnabled());
    EXPECT_TRUE(form->GroupBoxColors->isEnabled());
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));
}

TEST_F(MainWindowTest, ChangeImagesAsksForBothPicturesAndFallsBackToBuiltIn)
{
    QImage red(720, 576, QImage::Format_RGB32);
    red.fill(QColor(200, 0, 0));
    const QString pal = dir.filePath("pal.bmp");
    ASSERT_TRUE(red.save(pal));

    dialogs.queueFile(pal);
    dialogs.queueCancel();
    form->BitBtnChangeImage->click();
    ASSERT_EQ(dialogs.requests().size(), 2u);
    EXPECT_EQ(dialogs.requests()[0].title, QString("Load 720x576 PAL image"));
    EXPECT_EQ(dialogs.requests()[1].title, QString("Load 720x480 NTSC image"));
    EXPECT_EQ(dialogs.requests()[1].filter, QString("Load your NTSC 720x480 BMP|*.bmp"));
    EXPECT_EQ(form->LabelImageChangedPAL->text(), pal);
    EXPECT_TRUE(form->LabelImageChangedNTSC->text().isEmpty());
    EXPECT_EQ(form->PreviewPicture().pixel(100, 100), qRgb(200, 0, 0));

    // Cancelling the PAL dialog still offers the NTSC one.
    dialogs.queueCancel();
    dialogs.queueCancel();
    form->BitBtnChangeImage->click();
    EXPECT_EQ(dialogs.requests().size(), 4u);

    // A picture that has gone gives way to the built-in one; the path stays.
    QFile::remove(pal);
    form->LoadPreviewBackground();
    EXPECT_EQ(form->LabelImageChangedPAL->text(), pal);
    EXPECT_NE(form->PreviewPicture().pixel(100, 100), qRgb(200, 0, 0));
    EXPECT_EQ(form->PreviewPicture().size(), QSize(720, 576));
}

TEST_F(MainWindowTest, ActivationRunsOnceAndClosingSwitchesSmoothingOn)
{
    platform::SetFontSmoothing(true);
    if (!showActive())
        GTEST_SKIP() << "the platform gives no activation";
    EXPECT_FALSE(platform::FontSmoothingEnabled()) << "switched off at activation";

    // Changes made after start stay when the window is activated again.
    form->JvColorButtonText->setColorValue(makeColor(255, 0, 0));
    options->show();
    options->activateWindow();
    QApplication::processEvents();
    options->hide();
    form->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 0, 0));

    form->close();
    EXPECT_TRUE(platform::FontSmoothingEnabled());
}

TEST_F(MainWindowTest, PreviewKeysOutTheBottomLeftColour)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage shown = KeyOutBottomLeftColour(picture);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(3, 2)), 0);
    EXPECT_EQ(shown.pixel(1, 1), qRgba(255, 255, 255, 255));
}

TEST_F(MainWindowTest, ColourChangeRedrawsOnlyWhileTheWindowIsActive)
{
    form->LoadPreviewBackground();
    const QImage bare = form->PreviewPicture();
    ASSERT_FALSE(form->isActiveWindow());
    form->JvColorButtonText->setColorValue(makeColor(255, 0, 0));
    EXPECT_EQ(form->PreviewPicture(), bare) << "an inactive window draws nothing";

    if (!showActive())
        GTEST_SKIP() << "the platform gives no activation";
    form->LoadPreviewBackground();
    const QImage background = form->PreviewPicture();
    form->JvColorButtonText->setColorValue(makeColor(0, 255, 0));
    EXPECT_NE(form->PreviewPicture(), background) << "the sample is drawn in the new colour";
}

namespace {

// Puts a mark before every text that passes through a catalogue, so that a text that does not
// stands out.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QChar(0x27E6) + QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

TEST(Translations, EveryTextOfTheMainWindowAndColourOptionsIsMarked)
{
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    QStringList unmarked;
    {
        TForm1 form;
        TFormColorOptions options(&form, &form);
        auto check = [&](const QObject* owner, const char* what, const QString& text) {
            static const QRegularExpression letters(QStringLiteral("[A-Za-z]"));
            if (text.contains(letters) && !text.startsWith(QChar(0x27E6)))
                unmarked << owner->objectName() + "." + what + ": " + text;
        };
        for (QWidget* window : std::initializer_list<QWidget*>{&form, &options}) {
            check(window, "title", window->windowTitle());
            for (QWidget* control : window->findChildren<QWidget*>()) {
                // Hidden labels that hold a stored value (a path, a form's key) show no text.
                auto* label = qobject_cast<QLabel*>(control);
                if (label && !MainWindowStoredProps().contains(label->objectName() + ".Caption"))
                    check(label, "text", label->text());
                if (auto* button = qobject_cast<QAbstractButton*>(control))
                    check(button, "text", button->text());
                if (auto* group = qobject_cast<QGroupBox*>(control))
                    check(group, "title", group->title());
                if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                    check(edit, "text", edit->text());
                    check(edit, "placeholder", edit->placeholderText());
                }
                check(control, "tooltip", control->toolTip());
            }
        }
    }
    QCoreApplication::removeTranslator(&marking);
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join('\n').toStdString();
}

namespace {

// Records the context of every text looked up, and translates none.
class ContextRecorder : public QTranslator
{
public:
    QString translate(const char* context, const char*, const char*, int) const override
    {
        contexts.insert(QString::fromLatin1(context));
        return QString();
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QString> contexts;
};

// The contexts the window's catalogue holds.
QSet<QString> catalogueContexts()
{
    QFile file(QStringLiteral(LUMELLE_SOURCE_DIR "/translations/lumelle_de.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> names;
    static const QRegularExpression name(QStringLiteral("<context>\\s*<name>([^<]+)</name>"));
    for (const QRegularExpressionMatch& match : name.globalMatch(QString::fromUtf8(file.readAll())))
        names.insert(match.captured(1));
    return names;
}

} // namespace

// The window's texts are spread over the parts that show them; each must be looked up under a
// context the catalogues have, or it stays English in every language.
TEST_F(MainWindowTest, EveryTextIsLookedUpUnderACatalogueContext)
{
    const QSet<QString> catalogue = catalogueContexts();
    ASSERT_TRUE(catalogue.contains(QStringLiteral("lumelle::TForm1")));
    ContextRecorder recorder;
    QCoreApplication::installTranslator(&recorder);
    destroyWindows();
    createWindows();
    ASSERT_TRUE(showActive());
    // A script, a line too wide, then one that fits and a run, an error, the folder dialog and
    // the defaults: the texts of the loading, the width check, the run, the handler guard and
    // the output folder.
    loadFile(write("signs.ass", TestAssScript()));
    loadFile(write("wide.srt",
                   "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + QByteArray(200, 'W') + "\r\n\r\n"));
    loadFile(write("film.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n"));
    form->ButtonGenerate->click();
    form->RunGuarded([] { throw std::bad_alloc(); });
    form->ButtonOutputFolderClick();
    form->BitBtnSetDefaultValues->click();
    QCoreApplication::removeTranslator(&recorder);
    // Qt's own texts (its contexts start with Q) come from Qt's catalogues.
    for (const QString& context : recorder.contexts) {
        if (!context.startsWith(QLatin1Char('Q'))) {
            EXPECT_TRUE(catalogue.contains(context)) << context.toStdString();
        }
    }
    EXPECT_TRUE(recorder.contexts.contains(QStringLiteral("lumelle::TForm1")));
}
