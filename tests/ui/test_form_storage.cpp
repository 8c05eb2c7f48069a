// Settings persistence of the two windows: the file a first run leaves, what a later run reads
// back, the values that are clamped, skipped or appended, the placement keys, and the files
// that may not or cannot be written.
#include "test_settings_fixture.h"

#include "cli/SettingsImport.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryFile>

using namespace lumelle;
using namespace lumelle::testing;

TEST_F(SettingsTest, FirstRunWritesBothSectionsByteForByte)
{
    ASSERT_FALSE(QFile::exists(settingsPath));
    start();
    const QRect mainFrame = form->frameGeometry();
    const QRect dialogFrame = options->frameGeometry();
    EXPECT_TRUE(form->screen()->availableGeometry().contains(dialogFrame)); // wholly on screen
    finish();

    // The wrap setting, the output folder, the output form and the reading of rolling captions
    // come after the keys older files hold.
    const QByteArray expected =
        "[Form1]\r\n" + placementLines(mainFrame) + kMainWindowDefaults +
        "CheckBoxWrap_Checked=FALSE\r\n" + "LabelOutputFolder_Caption=\r\n" +
        "LabelOutputForm_Caption=vobsub\r\n" + "CheckBoxRollingCaptions_Checked=FALSE\r\n" +
        "LabelFrameSize_Caption=1920x1080\r\n" + "\r\n[FormColorOptions]\r\n" +
        placementLines(dialogFrame) + kDialogDefaults + "\r\n";
    EXPECT_EQ(readSettings(), expected);
    EXPECT_TRUE(recorded.entries().empty());
}

TEST_F(SettingsTest, NothingIsWrittenBeforeProgramEndAndNoTemporaryFileStays)
{
    start();
    showOptionsAndDone(options->RadioButtonDVD);
    form->close();
    EXPECT_FALSE(QFile::exists(settingsPath));
    EXPECT_EQ(form->JvAppIniFileStorage.readText("FormColorOptions\\RadioButtonDVD_Checked"),
              QString("TRUE"));
    finish();
    EXPECT_TRUE(QFile::exists(settingsPath));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Lumelle_Settings.ini"});
}

TEST_F(SettingsTest, SecondRunAndTheConverterRestoreEveryStoredChoice)
{
    const QString palPicture = dir.filePath("my pal.bmp");
    start();
    form->LabelImageChangedPAL->setText(palPicture);
    SetItemIndex(form->ComboBoxFps, 3);
    SetItemIndex(form->ComboBoxFontSize, 5);
    SetItemIndex(form->ComboBox7, 0);
    SetItemIndex(form->ComboBox8, 2);
    SetItemIndex(form->ComboBoxAlign, 1);
    SetItemIndex(form->ComboBoxOutlineWidth, 2);
    SetItemIndex(form->ComboBoxVobsubLanguage, 29);
    form->offset->setValue(100);
    form->offset_or->setValue(-8);
    form->JvColorButtonOutline->setColorValue(makeColor(255, 0, 0));
    form->JvColorButtonText->setColorValue(makeColor(255, 255, 0));
    form->ComboBoxOutputForm->setCurrentIndex(form->ComboBoxOutputForm->findData("dvd-sup"));
    form->CheckBoxRollingCaptions->setChecked(true);
    form->ComboBoxFrameSize->setCurrentIndex(form->ComboBoxFrameSize->findText("1280x720"));
    form->move(40, 30);
    options->show();
    options->move(60, 50);
    options->RadioButtonDVD->setChecked(true);
    options->ButtonDone->click(); // resets the colours to the defaults of the set
    form->JvColorButtonAntialias->setColorValue(makeColor(0, 128, 128));
    finish();

    start();
    EXPECT_EQ(form->LabelImageChangedPAL->text(), palPicture);
    EXPECT_EQ(form->LabelImageChangedNTSC->text(), QString());
    EXPECT_EQ(form->ComboBoxFps->currentIndex(), 3);
    EXPECT_EQ(form->ComboBoxFontSize->currentIndex(), 5);
    EXPECT_EQ(form->ComboBox7->currentIndex(), 0);
    EXPECT_EQ(form->ComboBox8->currentIndex(), 2);
    EXPECT_EQ(form->ComboBoxAlign->currentIndex(), 1);
    EXPECT_EQ(form->ComboBoxOutlineWidth->currentIndex(), 2);
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentIndex(), 29);
    EXPECT_EQ(form->offset->value(), 100);
    EXPECT_EQ(form->offset_or->value(), -8);
    EXPECT_EQ(form->LabelOffset->text(), QString("100")); // the change handlers ran
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(0, 128, 128));
    EXPECT_EQ(form->JvColorButtonOutline->colorValue(), makeColor(0, 0, 0));
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    EXPECT_EQ(form->OutputFormKey(), QString("dvd-sup"));
    EXPECT_EQ(form->ComboBoxOutputForm->currentData().toString(), QString("dvd-sup"));
    EXPECT_TRUE(form->CheckBoxRollingCaptions->isChecked());
    EXPECT_EQ(form->OutputFrameSize(), QString("1280x720"));
    EXPECT_EQ(form->ComboBoxFrameSize->currentText(), QString("1280x720"));
    EXPECT_EQ(form->pos(), shownAt(QPoint(40, 30)));
    EXPECT_TRUE(options->RadioButtonDVD->isChecked());
    EXPECT_FALSE(options->RadioButtonPCDVD1->isChecked());
    EXPECT_EQ(form->CurrentPaletteMode(), PaletteMode::DvdOnly);

    // lumelle-convert --settings reads the same file into the same choices.
    ConvertOptions converted;
    QString error;
    ASSERT_TRUE(ApplySettingsFile(settingsPath, converted, error)) << error.toStdString();
    EXPECT_EQ(converted.settings, form->GatherRenderSettings());
    EXPECT_EQ(converted.fpsText, form->ComboBoxFps->currentText());
    EXPECT_EQ(converted.languageText, form->ComboBoxVobsubLanguage->currentText());
    EXPECT_EQ(converted.mode, form->CurrentPaletteMode());

    options->show();
    EXPECT_EQ(options->pos(), QPoint(60, 50));
    options->ButtonDone->click();
}

TEST_F(SettingsTest, ReadOnlyFileIsReadButNeverWritten)
{
    writeSettings("[Form1]\r\ncomboboxfps_itemindex = 0 \r\n");
    ASSERT_TRUE(QFile::setPermissions(settingsPath, QFile::ReadOwner | QFile::ReadGroup));
    start();
    EXPECT_EQ(form->ComboBoxFps->currentIndex(), 0); // key found without regard to case
    EXPECT_TRUE(form->JvAppIniFileStorage.isReadOnly());
    showOptionsAndDone(options->RadioButtonPC);
    finish();
    QFile::setPermissions(settingsPath, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(readSettings(), QByteArray("[Form1]\r\ncomboboxfps_itemindex = 0 \r\n"));
    EXPECT_TRUE(recorded.entries().empty());
}

TEST_F(SettingsTest, UnwritableLocationIsReportedOnceAtCloseAndNothingElseFails)
{
    QTemporaryFile blocker(dir.filePath("not-a-folder-XXXXXX"));
    ASSERT_TRUE(blocker.open());
    settingsPath = blocker.fileName() + "/Lumelle_Settings.ini";
    start();
    showOptionsAndDone(options->RadioButtonDVD);
    EXPECT_TRUE(recorded.entries().empty());
    finish();
    ASSERT_EQ(recorded.entries().size(), 1u);
    EXPECT_TRUE(recorded.texts()[0].contains("could not be written"))
        << recorded.texts()[0].toStdString();
    EXPECT_TRUE(recorded.texts()[0].contains("Lumelle_Settings.ini"));
}

// The Boolean forms of a radio button: words in any case, numbers, and text that is skipped.
class RadioValueTest : public SettingsTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(RadioValueTest, StoredValueDecidesTheCheckedButton)
{
    writeSettings(QByteArray("[FormColorOptions]\r\nRadioButtonPC_Checked=") + GetParam() + "\r\n");
    start();
    const bool readAsTrue = QByteArray(GetParam()) != "maybe";
    EXPECT_EQ(options->RadioButtonPC->isChecked(), readAsTrue);
    EXPECT_EQ(options->RadioButtonPCDVD1->isChecked(), !readAsTrue);
}

INSTANTIATE_TEST_SUITE_P(Values, RadioValueTest,
                         ::testing::Values("yes", "Y", "true", "2", "maybe"));

TEST_F(SettingsTest, LaterTrueRadioWinsAndAllFalseLeavesNoneCheckedWithStandardColours)
{
    writeSettings("[FormColorOptions]\r\nRadioButtonDVD_Checked=TRUE\r\n"
                  "RadioButtonPC_Checked=TRUE\r\n");
    start();
    EXPECT_TRUE(options->RadioButtonPC->isChecked());
    EXPECT_FALSE(options->RadioButtonDVD->isChecked());
    finish();

    writeSettings("[FormColorOptions]\r\nRadioButtonDVD_Checked=FALSE\r\n"
                  "RadioButtonPC_Checked=no\r\nRadioButtonPCDVD1_Checked=0\r\n"
                  "RadioButtonPCDVD2_Checked=N\r\n");
    start();
    for (QRadioButton* radio : {options->RadioButtonPC, options->RadioButtonDVD,
                                options->RadioButtonPCDVD1, options->RadioButtonPCDVD2})
        EXPECT_FALSE(radio->isChecked()) << radio->objectName().toStdString();
    EXPECT_EQ(form->JvColorButtonText->colorCount(), 15);
    EXPECT_EQ(form->CurrentPaletteMode(), PaletteMode::PcDvdTwoPalettes);
}

TEST_F(SettingsTest, OutOfRangeAndUnconvertibleValuesAreClampedOrSkipped)
{
    writeSettings("[Form1]\r\n"
                  "offset_Position=600\r\n"
                  "offset_or_Position=-3\r\n"
                  "ComboBoxFontSize_ItemIndex=99\r\n"
                  "ComboBoxFps_ItemIndex=three\r\n"
                  "ComboBoxAlign_ItemIndex=\r\n"
                  "ComboBox8_ItemIndex=-1\r\n"
                  "JvColorButtonText_ColorValue=clNoSuchColour\r\n"
                  "LabelImageChangedNTSC_Caption=   /pictures/ntsc.bmp   \r\n"
                  "LabelOutputForm_Caption=a-form-of-a-later-version\r\n");
    start();
    EXPECT_EQ(form->offset->value(), 492);
    EXPECT_EQ(form->offset_or->value(), -2); // odd positions move up to the next even one
    EXPECT_EQ(form->ComboBoxFontSize->currentIndex(), 14); // outside the list: the default
    EXPECT_EQ(form->ComboBoxFps->currentIndex(), 2);       // letters: kept
    EXPECT_EQ(form->ComboBoxAlign->currentIndex(), 0);     // empty counts as 0
    EXPECT_EQ(form->ComboBox8->currentIndex(), 0);
    EXPECT_EQ(form->JvColorButtonText->colorValue(), makeColor(255, 255, 255));
    EXPECT_EQ(form->LabelImageChangedNTSC->text(), QString("/pictures/ntsc.bmp"));
    EXPECT_EQ(form->OutputFormKey(), QString("vobsub")); // a form unknown here: the pair
}

TEST_F(SettingsTest, StoredColourMissingFromTheSafeSetIsAppendedAndSelected)
{
    writeSettings("[Form1]\r\nJvColorButtonText_ColorValue=clWhite\r\n"
                  "JvColorButtonOutline_ColorValue=7680\r\n"
                  "\r\n[FormColorOptions]\r\nRadioButtonPCDVD2_Checked=TRUE\r\n");
    start();
    const ColorListWidget* text = form->JvColorButtonText;
    ASSERT_EQ(text->colorCount(), 8);
    EXPECT_EQ(text->colorAt(7), makeColor(255, 255, 255));
    EXPECT_EQ(text->currentIndex(), 7);
    EXPECT_EQ(text->colorValue(), makeColor(255, 255, 255));
    // A safe colour stored by number is found in the list, not appended.
    EXPECT_EQ(form->JvColorButtonOutline->colorCount(), 7);
    EXPECT_EQ(form->JvColorButtonOutline->currentIndex(), 0);
    EXPECT_EQ(form->JvColorButtonAntialias->colorValue(), makeColor(127, 127, 127));
}

TEST_F(SettingsTest, PlacementFromThePlainKeysOnAnotherScreenSize)
{
    writeSettings("[Form1]\r\nPixelsPerInch=" + QByteArray::number(screenDpi()) +
                  "\r\nNormPos(1x1)=300,300,1103,1005\r\nNormPos=20,30,823,735\r\n");
    start();
    EXPECT_EQ(form->pos(), shownAt(QPoint(20, 30)));
}

TEST_F(SettingsTest, PlacementForThisScreenSizeWinsOverThePlainKey)
{
    const QSize size = QGuiApplication::primaryScreen()->size();
    writeSettings("[Form1]\r\nNormPos(" + QByteArray::number(size.width()) + "x" +
                  QByteArray::number(size.height()) +
                  ")=10,12,813,717\r\nNormPos=20,30,823,735\r\n");
    start();
    EXPECT_EQ(form->pos(), shownAt(QPoint(10, 12)));
}

TEST_F(SettingsTest, PlacementIsNotAppliedWithAnotherPixelsPerInch)
{
    start(); // where the window goes without a stored placement
    const QPoint centred = form->pos();
    finish();
    writeSettings("[Form1]\r\nPixelsPerInch=" + QByteArray::number(screenDpi() + 48) +
                  "\r\nNormPos=20,30,823,735\r\nComboBoxFps_ItemIndex=4\r\n");
    start();
    EXPECT_EQ(form->pos(), centred);
    EXPECT_EQ(form->ComboBoxFps->currentIndex(), 4); // the properties are restored all the same
}

TEST_F(SettingsTest, PlacementIsAppliedOnlyWith32By16PixelsOnAScreen)
{
    start(); // where the window goes without a stored placement
    const QPoint centred = form->pos();
    const QSize frame = form->frameGeometry().size();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Wherever it is placed, the shown window is then moved wholly inside the screen.
    const auto inside = [&](QPoint topLeft) { return InsideArea(QRect(topLeft, frame), screen); };
    finish();
    const auto placedAt = [&](QPoint topLeft) {
        writeSettings(QStringLiteral("[Form1]\r\nNormPos=%1,%2,%3,%4\r\n")
                          .arg(topLeft.x())
                          .arg(topLeft.y())
                          .arg(topLeft.x() + frame.width())
                          .arg(topLeft.y() + frame.height())
                          .toLatin1());
        start();
        const QPoint pos = form->pos();
        finish();
        return pos;
    };
    const QPoint corner32x16(screen.right() + 1 - 32, screen.bottom() + 1 - 16);
    EXPECT_EQ(placedAt(corner32x16), inside(corner32x16)) << "32 x 16 pixels on the screen";
    EXPECT_EQ(placedAt({screen.right() + 1 - 20, screen.top()}), centred) << "20 pixels wide";
    EXPECT_EQ(placedAt({screen.left(), screen.bottom() + 1 - 15}), centred) << "15 pixels high";
    EXPECT_EQ(placedAt({-5000, -5000}), centred) << "off every screen";
}

TEST_F(SettingsTest, SavedFlagFollowsRestoreAndSave)
{
    create();
    FormStorage& storage = *form->JvFormStorage;
    EXPECT_EQ(storage.AppStoragePath(), QString("Form1\\"));
    EXPECT_EQ(storage.StoredProps(), MainWindowStoredProps());
    EXPECT_EQ(options->JvFormStorage->AppStoragePath(), QString("FormColorOptions\\"));
    EXPECT_FALSE(storage.savedSinceRestore());
    storage.SaveFormPlacement();
    EXPECT_TRUE(storage.savedSinceRestore());
    storage.RestoreFormPlacement();
    EXPECT_FALSE(storage.savedSinceRestore());

    // A save since the last restore is not repeated at the end: a later change stays unsaved.
    storage.SaveFormPlacement();
    form->offset->setValue(200);
    storage.saveIfRestoredSinceSave();
    EXPECT_EQ(form->JvAppIniFileStorage.readInteger("Form1\\offset_Position", 0), 30);
}

TEST_F(SettingsTest, WindowWithoutSettingsFileKeepsNoStore)
{
    TForm1 plain;
    EXPECT_EQ(plain.JvFormStorage, nullptr);
    TFormColorOptions dialog(&plain, &plain);
    EXPECT_EQ(dialog.JvFormStorage, nullptr);
    EXPECT_FALSE(plain.restoreColorOptionsSettings);
    EXPECT_TRUE(plain.JvAppIniFileStorage.fileName().isEmpty());
}
