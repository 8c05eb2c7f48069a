// Faults a user meets in the main window and its dialogs, driven as a user would, and the
// desktop habits: a dropped file, Ctrl+O, the visible file name and the output folder.
#include "MainWindowFixture.h"
#include "test_settings_fixture.h"

#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "ui/FileNameBox.h"
#include "ui/PreviewThrottle.h"
#include "ui/WindowPlacement.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QUrl>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

const QString kLoaded = QStringLiteral("Subtitle Style Modified/Loaded Successfully");

// `count` one-line subtitles, one a second.
QByteArray subtitles(int count, const QByteArray& text = "line")
{
    QByteArray srt;
    for (int i = 0; i < count; ++i)
        srt += QByteArray::number(i + 1) + "\r\n00:00:" + QByteArray::number(10 + i) +
               ",000 --> 00:00:" + QByteArray::number(10 + i) + ",500\r\n" + text + "\r\n\r\n";
    return srt;
}

// Sets QApplication's double-click interval for one scope.
struct DoubleClickInterval
{
    explicit DoubleClickInterval(int ms) : saved(QApplication::doubleClickInterval())
    {
        QApplication::setDoubleClickInterval(ms);
    }
    ~DoubleClickInterval() { QApplication::setDoubleClickInterval(saved); }
    int saved;
};

// A press and release of the left button on `row` of the list, as a mouse gives them.
void clickRow(QListWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QWidget* viewport = list->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

} // namespace

TEST_F(MainWindowTest, DefaultsThatChangeTheFrameRateReadALoadedFileAgain)
{
    SetItemIndex(form->ComboBoxFps, form->ComboBoxFps->findText("23976"));
    loadFile(write("film.srt", "1\r\n00:01:00,000 --> 00:01:01,000\r\nHello\r\n\r\n"));
    ASSERT_EQ(form->Subtitle->line(1).StartFrame, std::string("1439"));
    recorded.clear();

    form->BitBtnSetDefaultValues->click();
    EXPECT_EQ(form->ComboBoxFps->currentText(), QString("25000"));
    EXPECT_EQ(form->Subtitle->line(1).StartFrame, std::string("1500"))
        << "frames counted at 23.976 would be written as if at 25 fps";
    EXPECT_TRUE(recorded.texts().contains(kLoaded));
    EXPECT_TRUE(form->SubtitleLoaded);

    // Defaults that leave the rate as it is do not read the file again.
    recorded.clear();
    form->BitBtnSetDefaultValues->click();
    EXPECT_FALSE(recorded.texts().contains(kLoaded));
}

TEST_F(MainWindowTest, GenerateChecksEverySubtitleAgainstTheCurrentSettings)
{
    const std::string wide(20, 'W');
    RenderSettings big = form->GatherRenderSettings();
    big.fontSize = 50;
    const SubtitleLine wideEntry{"1", "2", wide, "", ""};
    ASSERT_TRUE(EntryFitsWidth(wideEntry, form->GatherRenderSettings()));
    ASSERT_FALSE(EntryFitsWidth(wideEntry, big));
    loadFile(write("wide.srt", subtitles(1, "short") + "2\r\n00:00:20,000 --> 00:00:21,000\r\n" +
                                   QByteArray::fromStdString(wide) + "\r\n\r\n"));
    ASSERT_TRUE(form->SubtitleLoaded);

    // The font change refuses the wide line; then a row that fits is drawn, which passes.
    form->ComboBoxFontSize->setCurrentIndex(form->ComboBoxFontSize->findText("50"));
    ASSERT_FALSE(form->LinesFit);
    form->ListBox1Click();
    ASSERT_TRUE(form->LinesFit);
    recorded.clear();

    form->ButtonGenerate->click();
    const QString expected = QStringLiteral("The string \r") + QString::fromStdString(wide) +
                             "\r\r" + "is too long. Please use a smaler font size." +
                             "\r\rThis is subtitle 2. Tick \"Wrap long lines\" to break it at "
                             "a space instead.";
    EXPECT_EQ(recorded.texts(), QStringList{expected});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("wide.idx"))) << "nothing is written";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("wide.sub")));
    EXPECT_FALSE(form->LinesFit);
    EXPECT_TRUE(RunStopped);
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));
}

TEST_F(MainWindowTest, ASecondPressWithinADoubleClickDoesNotAbortTheRun)
{
    loadFile(write("twice.srt", subtitles(12)));
    recorded.clear();
    const DoubleClickInterval interval(400);
    bool pressed = false;
    QTimer::singleShot(0, form.get(), [&] {
        pressed = true;
        form->ButtonGenerate->click(); // at the first subtitle, well within 400 ms
    });
    form->ButtonGenerate->click();
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(recorded.texts().contains("Operation Aborted"));
    EXPECT_EQ(QString::fromLatin1(readAll(dir.filePath("twice.idx"))).count("timestamp: "), 12);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Lumelle_Help_File.txt")));
    EXPECT_TRUE(RunStopped);
}

TEST_F(MainWindowTest, AClickOnTheSelectedRowDrawsIt)
{
    loadFile(write("rows.srt", subtitles(2, "Visible text")));
    form->show();
    QApplication::processEvents();
    // The bare background, as a change of picture leaves it.
    form->LoadPreviewBackground();
    const QImage background = form->PreviewPicture();
    ASSERT_EQ(form->ListBox1->currentRow(), 0);

    clickRow(form->ListBox1, 0);
    EXPECT_NE(form->PreviewPicture(), background) << "the first row is drawn when clicked";

    // After a run the preview picture is back with the selected subtitle over it, not the
    // last output picture on blue.
    const QImage firstRow = form->PreviewPicture();
    form->ButtonGenerate->click();
    EXPECT_EQ(form->PreviewPicture(), firstRow);

    // A click that changes the row draws it once, with one message when it is refused.
    form->ComboBoxFontSize->setCurrentIndex(form->ComboBoxFontSize->findText("6"));
    recorded.clear();
    clickRow(form->ListBox1, 1);
    EXPECT_EQ(form->ListBox1->currentRow(), 1);
    EXPECT_TRUE(recorded.texts().isEmpty());
}

TEST_F(MainWindowTest, TheLineGapMovesByTwoEitherWay)
{
    QSlider* gap = form->offset_or;
    ASSERT_EQ(gap->value(), -4);
    gap->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(gap->value(), -6);
    gap->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(gap->value(), -8);
    gap->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(gap->value(), -6);
    gap->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(gap->value(), -4);
    EXPECT_EQ(form->LabelOffset_Or->text(), QString("-4"));

    // Down moves the thumb down and the second line down (a larger gap), Up the other way.
    auto thumbTop = [gap] {
        QStyleOptionSlider option;
        option.initFrom(gap);
        option.orientation = gap->orientation();
        option.minimum = gap->minimum();
        option.maximum = gap->maximum();
        option.sliderPosition = gap->sliderPosition();
        option.sliderValue = gap->value();
        // A vertical QSlider shows its maximum at the top unless its appearance is inverted.
        option.upsideDown = !gap->invertedAppearance();
        return gap->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, gap)
            .top();
    };
    const int before = thumbTop();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(gap, &down);
    EXPECT_EQ(gap->value(), -6) << "the second line one step lower";
    EXPECT_GT(thumbTop(), before) << "the thumb lower";
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(gap, &up);
    EXPECT_EQ(gap->value(), -4);
}

TEST_F(MainWindowTest, TabWalksTheControlsRowByRowAndTheFocusIsSeen)
{
    ASSERT_TRUE(showActive());
    EXPECT_EQ(form->focusWidget(), form->ButtonLoadSrt) << "the first control has the focus";
    EXPECT_TRUE(form->testAttribute(Qt::WA_KeyboardFocusChange)) << "and shows it";
    QStringList walked{form->focusWidget()->objectName()};
    for (int i = 0; i < 26; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(form->focusWidget(), &tab);
        walked << form->focusWidget()->objectName();
    }
    EXPECT_EQ(walked.join(' ').toStdString(), (QStringList{"ButtonLoadSrt",
                                                           "ComboBoxFps",
                                                           "ComboBoxVobsubLanguage",
                                                           "JvColorButtonAntialias",
                                                           "JvColorButtonOutline",
                                                           "JvColorButtonText",
                                                           "ButtonColorOptions",
                                                           "BitBtnSetDefaultValues",
                                                           "BitBtnChangeImage",
                                                           "ButtonAbout",
                                                           "CheckBoxWrap",
                                                           "ComboBox5",
                                                           "ComboBox7",
                                                           "ComboBox8",
                                                           "ComboBoxFontSize",
                                                           "ComboBoxAlign",
                                                           "offset",
                                                           "offset_or",
                                                           "ComboBoxOutlineWidth",
                                                           "ButtonGenerate",
                                                           "ListBox1",
                                                           "EditOutputFolder",
                                                           "ButtonOutputFolder",
                                                           "ComboBoxOutputForm",
                                                           "ListStreams",
                                                           "CheckBoxRollingCaptions",
                                                           "ButtonLoadSrt"})
                                                  .join(' ')
                                                  .toStdString())
        << "\"Beside Subtitle\" is greyed while no folder is chosen, the language editors and "
           "\"Add File...\" while no file is loaded";
}

TEST(PreviewThrottle, ShowsTheFirstAtMost25ASecondAndAlwaysTheLast)
{
    PreviewThrottle throttle;
    throttle.start();
    EXPECT_TRUE(throttle.shouldShowAt(0, false));
    EXPECT_FALSE(throttle.shouldShowAt(39, false));
    EXPECT_TRUE(throttle.shouldShowAt(40, false));
    EXPECT_FALSE(throttle.shouldShowAt(41, false));
    EXPECT_TRUE(throttle.shouldShowAt(42, true)) << "the last subtitle is always shown";
}

TEST_F(MainWindowTest, ADroppedFileLoadsAndCtrlOOpensTheDialog)
{
    const QString path = write("dropped.srt", subtitles(3));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // A file manager offers Copy and Move and proposes Move: the drop is taken as a copy, so
    // that the source never deletes the file.
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(10, 10), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(10, 10), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_TRUE(QFileInfo::exists(path));

    EXPECT_EQ(form->ListBox1->count(), 3);
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_TRUE(dialogs.requests().empty()) << "no file dialog for a dropped file";
    // The file-name box holds the path, the whole path as its tooltip.
    EXPECT_EQ(form->EditLoadSrt->text(), path);
    EXPECT_EQ(form->EditLoadSrt->cursorPosition(), path.size());
    EXPECT_EQ(form->EditLoadSrt->toolTip(), QDir::toNativeSeparators(path));

    // Other files are not taken.
    QMimeData picture;
    picture.setUrls({QUrl::fromLocalFile(write("a.png", "x"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &picture, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(form.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_FALSE(form->LoadDroppedFile(dir.filePath("a.png")));

    QShortcut* open = nullptr;
    for (QShortcut* shortcut : form->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(QKeySequence::Open))
            open = shortcut;
    ASSERT_TRUE(open);
    emit open->activated();
    EXPECT_EQ(dialogs.requests().size(), 1u);
}

TEST_F(MainWindowTest, TheEndOfARunOffersToOpenTheFolderOfThePair)
{
    loadFile(write("folder.srt", subtitles(2)));
    recorded.clear();
    recorded.queueAction(true);
    form->ButtonGenerate->click();

    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].startsWith("All Done !!!"));
    EXPECT_EQ(recorded.actions(), QStringList{"Open Folder"});
    const QString folder = QFileInfo(dir.filePath("folder.idx")).absolutePath();
    EXPECT_EQ(shell.opened(), QStringList{QUrl::fromLocalFile(folder).toString()});
    EXPECT_TRUE(form->EditLoadSrt->toolTip().contains(QDir::toNativeSeparators(folder)));

    // Not asked for: nothing is opened.
    form->ButtonGenerate->click();
    EXPECT_EQ(shell.opened().size(), 1);

    // A desktop without a program for folders: said so, with the folder.
    shell.setHasProgram(false);
    recorded.clear();
    recorded.queueAction(true);
    form->ButtonGenerate->click();
    ASSERT_EQ(recorded.texts().size(), 2);
    EXPECT_EQ(recorded.texts()[1],
              "This desktop has no program that opens folders. The VobSub pair is in:\r" +
                  QDir::toNativeSeparators(folder));

    // Another file loaded: the tooltip no longer speaks of the pair of the first one.
    loadFile(write("other.srt", subtitles(2, "other")));
    EXPECT_FALSE(form->EditLoadSrt->toolTip().contains("Last VobSub pair"));
}

TEST_F(MainWindowTest, LoadingAnotherFileLeavesNothingOfThePreviousOnOnThePreview)
{
    loadFile(write("first.srt", subtitles(1, "First file")));
    const QImage first = form->PreviewPicture();
    form->LoadPreviewBackground();
    const QImage background = form->PreviewPicture();
    EXPECT_NE(first, background) << "the loaded file's first subtitle is shown";

    loadFile(write("second.srt", subtitles(1, "Another one")));
    EXPECT_NE(form->PreviewPicture(), first);
    EXPECT_NE(form->PreviewPicture(), background);

    // A file that cannot be used leaves the bare background.
    loadFile(write("empty.srt", "no subtitles here\r\n"));
    EXPECT_EQ(form->PreviewPicture(), background);
}

TEST(FileNameBox, ShowsTheFileNameWholeOrElidedInTheMiddle)
{
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString path = QStringLiteral("/home/user/films/Some Film (2004)/subtitles.srt");
    EXPECT_EQ(FileNameBox::ShownText(path, metrics, 400), QString("subtitles.srt"));
    EXPECT_EQ(FileNameBox::ShownText("Load SRT", metrics, 400), QString("Load SRT"));
    const QString narrow = FileNameBox::ShownText(
        QStringLiteral("/films/The.Long.Title.Of.A.Film.1080p.srt"), metrics, 80);
    EXPECT_TRUE(narrow.startsWith("The")) << narrow.toStdString();
    EXPECT_TRUE(narrow.endsWith(".srt")) << narrow.toStdString();
    EXPECT_TRUE(narrow.contains(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(narrow), 80);
}

TEST_F(MainWindowTest, ThePairGoesToTheChosenFolderAndAnUnwritableOneOffersAnother)
{
    const QString path = write("where.srt", subtitles(2));
    loadFile(path);
    QDir(dir.path()).mkdir("out");
    const QString out = dir.filePath("out");
    dialogs.queueFile(out);
    ASSERT_TRUE(form->ButtonOutputFolderClick());
    EXPECT_EQ(form->OutputFolder(), out);
    EXPECT_EQ(form->EditOutputFolder->text(), QDir::toNativeSeparators(out));
    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("out/where.idx")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("out/where.sub")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("where.idx")));

    // Beside the subtitle file again, but that folder takes no files: the window offers to
    // choose one; No writes nothing, Yes and a folder write the pair there.
    form->ButtonOutputBeside->click();
    EXPECT_TRUE(form->OutputFolder().isEmpty());
    const QString subtitleFolder = QFileInfo(path).absolutePath();
    form->folderTakesFiles = [&](const QString& folder) { return folder != subtitleFolder; };
    recorded.clear();
    form->ButtonGenerate->click();
    ASSERT_EQ(recorded.entries().size(), 1u);
    EXPECT_EQ(recorded.entries()[0].kind, platform::RecordingMessages::Kind::Question);
    EXPECT_TRUE(recorded.texts()[0].contains(QDir::toNativeSeparators(subtitleFolder)));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("where.idx")));
    EXPECT_TRUE(RunStopped);

    QDir(dir.path()).mkdir("elsewhere");
    recorded.queueAnswer(true);
    dialogs.queueFile(dir.filePath("elsewhere"));
    form->ButtonGenerate->click();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("elsewhere/where.idx")));
    EXPECT_EQ(form->OutputFolder(), dir.filePath("elsewhere")) << "kept as the output folder";
}

TEST_F(SettingsTest, ListIndexesOutsideTheirListKeepTheDesignedEntry)
{
    writeSettings("[Form1]\r\nComboBoxFontSize_ItemIndex=99\r\nComboBoxFps_ItemIndex=-2\r\n");
    start();
    EXPECT_EQ(form->ComboBoxFontSize->currentText(), QString("20"));
    EXPECT_EQ(form->ComboBoxFps->currentText(), QString("25000"));
    dialogs.queueFile(write("ok.srt", subtitles(1)));
    form->ButtonLoadSrt->click();
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded}) << "no conversion error, the load works";
    finish();
    EXPECT_TRUE(readSettings().contains("ComboBoxFontSize_ItemIndex=14\r\n"));
    EXPECT_TRUE(readSettings().contains("ComboBoxFps_ItemIndex=2\r\n"));
}

TEST_F(SettingsTest, APicturePathWithALineBreakNeverBreaksTheSettingsFile)
{
    start();
    dialogs.queueFile(dir.filePath("two\nlines.bmp"));
    dialogs.queueCancel();
    form->BitBtnChangeImage->click();
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].contains("line break"));
    EXPECT_TRUE(form->LabelImageChangedPAL->text().isEmpty()) << "the picture stays as it was";

    // Even a caption set otherwise is not written into the file.
    form->LabelImageChangedNTSC->setText("/a\r\nstray=line");
    finish();
    const QByteArray settings = readSettings();
    EXPECT_FALSE(settings.contains("stray"));
    for (const QByteArray& line : settings.split('\n'))
        EXPECT_TRUE(line.trimmed().isEmpty() || line.startsWith('[') || line.contains('='))
            << line.toStdString();
}

TEST_F(SettingsTest, WindowsLieWhollyOnTheScreen)
{
    // Stored where the dialog was once designed, which is below a small screen's edge.
    writeSettings("[FormColorOptions]\r\nNormPos=589,170,1051,770\r\n");
    start();
    const QRect area = form->screen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().topLeft(), InsideArea(form->frameGeometry(), area))
        << "a window larger than the screen keeps its title bar on it";
    options->show();
    EXPECT_TRUE(area.contains(options->frameGeometry()));
    options->ButtonDone->click();
    about->show();
    EXPECT_TRUE(area.contains(about->frameGeometry()));
    about->close();

    EXPECT_EQ(InsideArea(QRect(1000, 700, 100, 50), QRect(0, 0, 1366, 768)), QPoint(1000, 700));
    EXPECT_EQ(InsideArea(QRect(1300, 700, 100, 100), QRect(0, 0, 1366, 768)), QPoint(1266, 668));
    EXPECT_EQ(InsideArea(QRect(-50, 900, 100, 100), QRect(0, 30, 1366, 738)), QPoint(0, 668));
    EXPECT_EQ(InsideArea(QRect(50, 50, 900, 800), QRect(0, 0, 800, 600)), QPoint(0, 0));
}
