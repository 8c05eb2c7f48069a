// The colour options dialog: its controls, the colour example, closing by "Done" or the close
// box, the safe palette, the reset by the main window's defaults button, and the IFO link.
#include "test_settings_fixture.h"

#include "vobsub/HelpText.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

const QList<ColorValue> kSafeSet = {
    makeColor(0, 30, 0),    makeColor(127, 127, 127), makeColor(255, 230, 20),
    makeColor(80, 130, 30), makeColor(255, 200, 255), makeColor(29, 80, 15),
    makeColor(0, 55, 0),
};

// The same three windows and doubles as the settings tests.
class ColorOptionsTest : public SettingsTest
{};

} // namespace

TEST_F(ColorOptionsTest, ColourOptionsControlsAndTexts)
{
    create();
    EXPECT_EQ(options->windowTitle(), QString("Color Options"));
    EXPECT_EQ(options->width(), 462);
    // The dialog ends 7 pixels under its buttons, which stand 7 under the Info group.
    EXPECT_EQ(options->height(), options->ButtonDone->geometry().bottom() + 8);
    EXPECT_EQ(options->ButtonDone->y(), options->GroupBoxInfo->geometry().bottom() + 8);
    EXPECT_EQ(options->GroupBoxInfo->y(), options->GroupBox1->geometry().bottom() + 8);
    EXPECT_TRUE(options->windowFlags() & Qt::Tool);
    EXPECT_EQ(options->GroupBox1->title(), QString("Select Method"));
    EXPECT_EQ(options->GroupBox1->pos(), QPoint(8, 8));
    EXPECT_EQ(options->GroupBoxInfo->size(), QSize(449, 81));
    EXPECT_EQ(options->Label7->text(), QString("Colors Example"));
    EXPECT_EQ(options->Iwant->text(), QString("I want to use the vobsub on :"));
    EXPECT_EQ(options->RadioButtonPC->text(), QString("PC ONLY"));
    EXPECT_EQ(options->RadioButtonDVD->text(), QString("DVD ONLY"));
    EXPECT_EQ(options->RadioButtonPCDVD1->text(),
              QString("PC + DVD By using two palettes (recommended)"));
    EXPECT_EQ(options->RadioButtonPCDVD2->text(),
              QString("PC + DVD By using an safe color palette"));
    EXPECT_TRUE(options->RadioButtonPCDVD1->isChecked());
    EXPECT_TRUE(options->RadioButtonPC->font().bold());
    EXPECT_EQ(options->Label3->text(),
              QString("Both palettes are being generated. Most recommended solution at this "
                      "time. "));
    EXPECT_EQ(options->Label2->text(),
              QString("YCRCB palette is generated. This solution works on well on standalone dvd "
                      "devices that support sub/idx but does not render correctly the colors on "
                      "pc . In order to watch the subtitles on pc enable poligonize on "
                      "directvobsub filter. "));
    EXPECT_TRUE(options->Label5->text().endsWith("Further instuctions will be generated on the "
                                                 "Lumelle_Help_File.txt"));
    EXPECT_EQ(options->ButtonDownloadIfo->geometry(), QRect(8, options->ButtonDone->y(), 89, 25));
    EXPECT_EQ(options->ButtonDone->size(), QSize(89, 25));
    // Every explanation stays inside the group box, whatever the font needs, and above what
    // follows it.
    const QWidget* column[] = {
        options->RadioButtonPC,     options->Label1, options->LabelPlayersPC,
        options->RadioButtonDVD,    options->Label2, options->LabelPlayersDVD,
        options->RadioButtonPCDVD1, options->Label3, options->LabelPlayersTwo,
        options->RadioButtonPCDVD2, options->Label4, options->LabelPlayersSafe};
    for (std::size_t i = 0; i < std::size(column); ++i) {
        const int bottom = i + 1 < std::size(column) ? column[i + 1]->geometry().top() - 1
                                                     : options->GroupBox1->height();
        EXPECT_LE(column[i]->geometry().bottom(), bottom) << column[i]->objectName().toStdString();
    }
}

// Beside each choice, the players that show it right, from the table the converter's help
// prints; the modes with a Y/Cr/Cb palette warn of the pink in mpv.
TEST_F(ColorOptionsTest, EachChoiceNamesThePlayersThatShowItRight)
{
    create();
    EXPECT_EQ(options->LabelPlayersPC->text(),
              QString("Shows the colours right in: mpv, VLC, ffmpeg-based players, Matroska "
                      "files made with mkvmerge; players with the custom-colour extension."));
    EXPECT_EQ(options->LabelPlayersDVD->text(),
              QString("Shows the colours right in: stand-alone DVD and DivX players; DVD "
                      "authoring. mpv, VLC and ffmpeg show white text pink."));
    EXPECT_EQ(options->LabelPlayersTwo->text(),
              QString("Shows the colours right in: stand-alone DVD and DivX players; DVD "
                      "authoring; players with the custom-colour extension. mpv, VLC and ffmpeg "
                      "show white text pink."));
    EXPECT_EQ(options->LabelPlayersSafe->text(),
              QString("Shows the colours right in: mpv, VLC, ffmpeg-based players, Matroska "
                      "files made with mkvmerge."));
}

TEST_F(ColorOptionsTest, ColourExampleIsLoadedAtEachShowing)
{
    create();
    EXPECT_TRUE(options->colors->pixmap().isNull());
    options->show();
    const QImage picture = options->colors->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(70, 70));
    EXPECT_LE(picture.colorCount(), 256);
    EXPECT_EQ(QColor(picture.pixel(0, 69)), QColor(255, 0, 0));      // the field
    EXPECT_EQ(QColor(picture.pixel(22, 40)), QColor(255, 255, 255)); // the T
    EXPECT_EQ(QColor(picture.pixel(16, 40)), QColor(128, 128, 128)); // its one-pixel ring
    EXPECT_EQ(QColor(picture.pixel(14, 40)), QColor(0, 0, 0));       // its outline
    options->ButtonDone->click();
    options->colors->clear();
    options->show();
    EXPECT_FALSE(options->colors->pixmap().isNull());
    options->ButtonDone->click();
}

TEST_F(ColorOptionsTest, DoneWithoutChangesResetsTheColoursToTheSetsDefaults)
{
    start();
    form->JvColorButtonAntialias->setColorValue(makeColor(0, 0, 128));
    form->JvColorButtonOutline->setColorValue(makeColor(255, 0, 0));
    form->JvColorButtonText->setColorValue(makeColor(255, 255, 0));
    showOptionsAndDone();
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(128, 128, 128));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 0, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    EXPECT_EQ(form->JvColorButtonText->colorCount(), 15);
    EXPECT_FALSE(options->isVisible());
}

TEST_F(ColorOptionsTest, SafePaletteOffersTheSevenSafeColoursAndBack)
{
    start();
    showOptionsAndDone(options->RadioButtonPCDVD2);
    for (ColorListWidget* list :
         {form->JvColorButtonAntialias, form->JvColorButtonOutline, form->JvColorButtonText})
        EXPECT_EQ(coloursOf(list), kSafeSet);
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(127, 127, 127));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 30, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 230, 20));
    EXPECT_EQ(form->CurrentPaletteMode(), PaletteMode::PcDvdSafePalette);

    showOptionsAndDone(options->RadioButtonDVD);
    EXPECT_EQ(form->JvColorButtonText->colorCount(), 15);
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(128, 128, 128));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 0, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
}

TEST_F(ColorOptionsTest, CloseBoxActsLikeDoneAndSavesTheChoice)
{
    start();
    form->JvColorButtonText->setColorValue(makeColor(255, 0, 0));
    options->show();
    options->move(70, 80);
    options->RadioButtonPC->setChecked(true);
    EXPECT_TRUE(options->close());
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    const platform::IniStore& store = form->JvAppIniFileStorage;
    EXPECT_EQ(store.readText("FormColorOptions\\RadioButtonPC_Checked"), QString("TRUE"));
    EXPECT_EQ(store.readText("FormColorOptions\\RadioButtonPCDVD1_Checked"), QString("FALSE"));
    EXPECT_TRUE(store.readText("FormColorOptions\\NormPos").startsWith("70,80,"));
    EXPECT_TRUE(options->JvFormStorage->savedSinceRestore());
}

TEST_F(ColorOptionsTest, DefaultsButtonResetWinsOverTheStoredChoiceOnce)
{
    writeSettings("[FormColorOptions]\r\nRadioButtonDVD_Checked=TRUE\r\n");
    start();
    ASSERT_TRUE(options->RadioButtonDVD->isChecked());

    form->BitBtnSetDefaultValues->click();
    EXPECT_TRUE(options->RadioButtonPCDVD1->isChecked());
    EXPECT_TRUE(form->ColorOptionsResetPending);

    // The showing restores DVD from the store, then the pending reset wins.
    options->show();
    EXPECT_TRUE(options->RadioButtonPCDVD1->isChecked());
    EXPECT_FALSE(form->ColorOptionsResetPending);
    options->ButtonDone->click();
    EXPECT_EQ(form->JvAppIniFileStorage.readText("FormColorOptions\\RadioButtonPCDVD1_Checked"),
              QString("TRUE"));
    EXPECT_EQ(form->JvAppIniFileStorage.readText("FormColorOptions\\RadioButtonDVD_Checked"),
              QString("FALSE"));

    // Only once: a choice made now is restored at the next showing.
    showOptionsAndDone(options->RadioButtonDVD);
    options->show();
    EXPECT_TRUE(options->RadioButtonDVD->isChecked());
    options->ButtonDone->click();
}

TEST_F(ColorOptionsTest, ColourOptionsButtonShowsTheDialogModallyAndDoneEndsIt)
{
    start();
    bool sawModal = false;
    QTimer::singleShot(0, options.get(), [&] {
        sawModal = options->isVisible() && options->isModal();
        options->RadioButtonPCDVD2->setChecked(true);
        options->ButtonDone->click();
    });
    form->ButtonColorOptions->click();
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 230, 20));
}

TEST_F(ColorOptionsTest, DownloadIfoOpensTheIfoAddress)
{
    create();
    options->ButtonDownloadIfo->click();
    EXPECT_EQ(shell.opened(), QStringList{QString::fromStdString(IfoDownloadAddress())});
}
