// Loading, the preview and width check, and the generation run as the main window drives them.
#include "../AssScripts.h"
#include "../TextOfWidth.h"
#include "MainWindowFixture.h"

#include "platform/SystemNames.h"
#include "render/RenderSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QStringEncoder>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

const QString kLoaded = QStringLiteral("Subtitle Style Modified/Loaded Successfully");

QByteArray threeEntrySrt()
{
    return "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n"
           "2\r\n00:00:03,000 --> 00:00:04,500\r\nTwo\r\nlines\r\n\r\n"
           "3\r\n00:00:05,000 --> 00:00:06,000\r\nOne\r\nTwo\r\nThree\r\n\r\n";
}

// A text of `count` copies of `c`.
std::string repeat(char c, int count)
{
    return std::string(std::size_t(count), c);
}

bool anyPixelDiffers(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return true;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

} // namespace

TEST_F(MainWindowTest, LoadShowsRowsFileNameAndSuccess)
{
    const QString path = write("movie.srt", threeEntrySrt());
    loadFile(path);

    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_EQ(rowsOf(form->ListBox1), (QStringList{"Hello", "Two|lines", "One|Two"}));
    EXPECT_EQ(form->ListBox1->currentRow(), 0);
    EXPECT_EQ(form->EditLoadSrt->text(), path);
    EXPECT_EQ(form->windowTitle(), QString("Lumelle By Orvane"));
    EXPECT_TRUE(form->SubtitleLoaded);
    EXPECT_TRUE(form->LinesFit);
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].filter, form->OpenDialogsub.Filter);
}

TEST_F(MainWindowTest, EachLoadSetsTheLanguageTheNameOrTheTextTells)
{
    const QByteArray english = "1\r\n00:00:01,000 --> 00:00:02,000\r\n"
                               "We should go home now, it is getting late.\r\n\r\n"
                               "2\r\n00:00:03,000 --> 00:00:04,000\r\n"
                               "I am very tired and the children are asleep.\r\n\r\n";
    loadFile(write("movie.srt", english));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentText(), QString("en ENGLISH"));
    loadFile(write("movie.de.srt", english));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentText(), QString("de GERMAN"));
    // A name and text that tell nothing leave the list's choice as it is.
    SetItemIndex(form->ComboBoxVobsubLanguage, form->ComboBoxVobsubLanguage->findText("fr FRENCH"));
    loadFile(write("short.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nok\r\n\r\n"));
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentText(), QString("fr FRENCH"));
}

TEST_F(MainWindowTest, CancelledFirstDialogChangesNothing)
{
    form->setWindowTitle("untouched");
    form->ButtonLoadSrt->click();
    EXPECT_TRUE(recorded.texts().isEmpty());
    EXPECT_EQ(form->EditLoadSrt->text(), QString("Load SRT"));
    EXPECT_EQ(form->windowTitle(), QString("untouched"));
    EXPECT_FALSE(form->Subtitle);
}

TEST_F(MainWindowTest, CancelledLaterDialogReadsTheSameFileAgain)
{
    loadFile(write("a.srt", threeEntrySrt()));
    recorded.clear();
    form->ButtonLoadSrt->click(); // the queue is empty: the dialog is cancelled
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_EQ(form->ListBox1->count(), 3);
}

TEST_F(MainWindowTest, UnsupportedAndBrokenFilesLeaveNoUsableList)
{
    loadFile(write("notes.srt", "{1}{2}not subrip\r\n"));
    EXPECT_EQ(recorded.texts(), QStringList{"Unsupported Subtitle Format !"});
    EXPECT_EQ(form->ListBox1->count(), 0);
    EXPECT_FALSE(form->SubtitleLoaded);
    EXPECT_EQ(form->EditLoadSrt->text(), QString("Load SRT"));

    // An unreadable line is skipped and named; the rest loads.
    recorded.clear();
    const QString broken = write("broken.sub", "{1}{25}one\r\n{x}{40}two\r\n{50}{60}three\r\n");
    loadFile(broken);
    EXPECT_EQ(recorded.texts(), (QStringList{"1 entry of " + broken +
                                                 " could not be read and was skipped:\n"
                                                 "line 2: 'x' is not a valid integer value",
                                             kLoaded}));
    EXPECT_EQ(form->ListBox1->count(), 2);
    EXPECT_TRUE(form->SubtitleLoaded);
    EXPECT_EQ(form->windowTitle(), QString("Lumelle By Orvane"));

    // A file without one readable entry says so and leaves no usable list.
    recorded.clear();
    const QString none = write("none.sub", "{x}{40}two\r\n");
    loadFile(none);
    EXPECT_EQ(recorded.texts(), (QStringList{"1 entry of " + none +
                                             " could not be read and was skipped:\n"
                                             "line 1: 'x' is not a valid integer value\n\n"
                                             "No subtitle could be read from " +
                                             none + "."}));
    EXPECT_EQ(form->ListBox1->count(), 0);
    EXPECT_FALSE(form->SubtitleLoaded);
    EXPECT_FALSE(form->LinesFit);
}

TEST_F(MainWindowTest, LoadNamesTheEncodingAndShowsTheTextDecodedWithIt)
{
    // windows-1253 Greek under the DEFAULT character set: detected, and so named.
    const QString greek =
        write("greek.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\n"
                           "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1, \xF4\xE9 "
                           "\xEA\xDC\xED\xE5\xE9\xF2 \xF3\xDE\xEC\xE5\xF1\xE1;\r\n"
                           "\xD0\xEF\xEB\xFD \xEA\xE1\xEB\xDC.\r\n");
    loadFile(greek);
    ASSERT_EQ(recorded.texts().size(), 2);
    EXPECT_TRUE(recorded.texts()[0].startsWith(greek + " was read as "));
    EXPECT_TRUE(recorded.texts()[0].endsWith(" (detected)."));
    EXPECT_EQ(recorded.texts()[1], kLoaded);
    EXPECT_EQ(rowsOf(form->ListBox1),
              QStringList{QStringLiteral("Καλημέρα, τι κάνεις σήμερα;|Πολύ καλά.")});

    // UTF-16 with a byte-order mark.
    recorded.clear();
    auto utf16 = QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QString unicode =
        write("unicode.sub", utf16(QStringLiteral("{1}{1}25\r\n{10}{20}{y:i}Grüße|Ελλάδα\r\n")));
    loadFile(unicode);
    EXPECT_EQ(recorded.texts(),
              (QStringList{unicode + " was read as UTF-16LE (byte-order mark).", kLoaded}));
    EXPECT_EQ(rowsOf(form->ListBox1), QStringList{QStringLiteral("Grüße|Ελλάδα")});
}

TEST_F(MainWindowTest, TooWideLineAfterLoadEmptiesListAndRefusesGeneration)
{
    const std::string wide = repeat('W', 60);
    loadFile(write("wide.srt", QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nfits\r\n\r\n"
                                          "2\r\n00:00:03,000 --> 00:00:04,000\r\n") +
                                   QByteArray::fromStdString(wide) + "\r\n\r\n"));
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_EQ(recorded.texts()[0],
              "The string \r" + QString::fromStdString(wide) +
                  "\r\ris too long. Please correct the srt and reload it. You can just use a "
                  "smaler font size.\r\rThis is subtitle 2. Tick \"Wrap long lines\" to break "
                  "it at a space instead.");
    EXPECT_EQ(form->ListBox1->count(), 0);
    EXPECT_FALSE(form->SubtitleLoaded);
    EXPECT_EQ(form->EditLoadSrt->text(), QString("Load SRT"));

    // The refusal is read with the window idle.
    recorded.clear();
    QStringList captionWhileShown;
    recorded.whileShown = [&] { captionWhileShown << form->ButtonGenerate->text(); };
    form->ButtonGenerate->click();
    EXPECT_EQ(recorded.texts(), QStringList{"Please load an Srt/Sub/Txt subtitle."});
    EXPECT_EQ(captionWhileShown, QStringList{"Generate Vobsub"});
    EXPECT_TRUE(RunStopped);
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));
    EXPECT_TRUE(form->GroupBoxInput->isEnabled());
}

TEST_F(MainWindowTest, FontChangeRechecksTheLoadedList)
{
    const std::string longish = repeat('W', 24);
    loadFile(write("f.srt", QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\n") +
                                QByteArray::fromStdString(longish) + "\r\n\r\n"));
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();

    // Size 50: the line no longer fits. The preview refuses it first, then the list check.
    form->ComboBoxFontSize->setCurrentIndex(form->ComboBoxFontSize->findText("50"));
    const QString line = QString::fromStdString(longish);
    const QString number = "\r\rThis is subtitle 1. Tick \"Wrap long lines\" to break it at a "
                           "space instead.";
    EXPECT_EQ(recorded.texts(),
              (QStringList{"The string \r" + line + "\r\ris too long." + number,
                           "The string \r" + line +
                               "\r\ris too long. Please use a smaler font size." + number}));

    // With the lines wrapped a single word that is too wide is still refused, and said so.
    recorded.clear();
    form->CheckBoxWrap->setChecked(true);
    ASSERT_FALSE(recorded.texts().isEmpty());
    EXPECT_TRUE(recorded.texts().last().endsWith(
        "This is subtitle 1. Even with \"Wrap long lines\" a word of it is wider than the "
        "frame."));
    form->CheckBoxWrap->setChecked(false);
    EXPECT_TRUE(form->SubtitleLoaded) << "the list stays usable";
    EXPECT_FALSE(form->LinesFit);
    EXPECT_EQ(form->ListBox1->count(), 1);
    EXPECT_EQ(form->windowTitle(), QString("Lumelle By Orvane"));

    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_EQ(recorded.texts(), QStringList{"Please use smaller font."});

    // Back to a size that fits: the check passes and reports success again.
    recorded.clear();
    form->ComboBoxFontSize->setCurrentIndex(form->ComboBoxFontSize->findText("12"));
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_TRUE(form->LinesFit);
}

TEST_F(MainWindowTest, CharsetChangeReadsTheFileAgainInTheChosenSet)
{
    // "\u30dd" is 83 7C in Shift-JIS: read as ANSI its second byte is a "|" that splits the line.
    form->ComboBox7->setCurrentIndex(CharsetNames().indexOf("ANSI"));
    loadFile(write("k.sub", "{1}{2}\x83\x7Cx\r\n"));
    ASSERT_TRUE(form->SubtitleLoaded);
    EXPECT_EQ(form->Subtitle->line(1).TextLines(), (std::vector<std::string>{"\xc6\x92", "x"}));
    EXPECT_EQ(rowsOf(form->ListBox1), QStringList{QString::fromUtf8("\u0192|x")});

    recorded.clear();
    form->ComboBox7->setCurrentIndex(CharsetNames().indexOf("SHIFTJIS"));
    EXPECT_EQ(form->Subtitle->line(1).TextLines(), std::vector<std::string>{"\xe3\x83\x9dx"});
    EXPECT_EQ(rowsOf(form->ListBox1), QStringList{QString::fromUtf8("\u30ddx")});
    EXPECT_TRUE(recorded.texts().contains(kLoaded));
    EXPECT_TRUE(form->SubtitleLoaded);

    // Defaults that change the character set read the file again too.
    recorded.clear();
    form->BitBtnSetDefaultValues->click();
    EXPECT_EQ(form->ComboBox7->currentText(), QString("DEFAULT"));
    EXPECT_TRUE(recorded.texts().contains(kLoaded));
}

TEST_F(MainWindowTest, WidthLimitIs680Exclusive)
{
    const RenderSettings s = form->GatherRenderSettings();
    const std::string at679 = TextOfWidth(679, s);
    const std::string at680 = TextOfWidth(680, s);
    ASSERT_FALSE(at679.empty());
    ASSERT_FALSE(at680.empty());

    form->CheckEntryWidth(SubtitleLine{"1", "2", at679, "", ""}, s);
    EXPECT_TRUE(form->LinesFit);
    EXPECT_TRUE(recorded.texts().isEmpty());
    form->CheckEntryWidth(SubtitleLine{"1", "2", "", at680, ""}, s);
    EXPECT_FALSE(form->LinesFit);
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].startsWith("The string \r\r"));

    recorded.clear();
    form->DrawPreview(at679, at679, s);
    EXPECT_TRUE(form->LinesFit);
    form->DrawPreview(at680, "x", s);
    EXPECT_FALSE(form->LinesFit);
    EXPECT_EQ(recorded.texts().size(), 1);
}

TEST_F(MainWindowTest, FrameRateChangeReloadsSubRipAtTheNewRateAndKeepsMicroDvdFrames)
{
    form->ComboBoxFps->setCurrentIndex(form->ComboBoxFps->findText("23976"));
    EXPECT_EQ(form->preview->size(), QSize(720, 480)) << "with no file only the frame changes";
    EXPECT_TRUE(recorded.texts().isEmpty());
    SetItemIndex(form->ComboBoxFps, 2);

    loadFile(write("r.srt", threeEntrySrt()));
    ASSERT_EQ(form->Subtitle->Count(), 3);
    ASSERT_EQ(form->Subtitle->line(1).StartFrame, std::string("25"));
    recorded.clear();
    form->ComboBoxFps->setCurrentIndex(form->ComboBoxFps->findText("23976"));
    ASSERT_EQ(form->Subtitle ? form->Subtitle->Count() : 0, 3)
        << "the reload at the new rate lost the list";
    EXPECT_EQ(form->Subtitle->line(1).StartFrame, std::string("24"));
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_EQ(form->preview->size(), QSize(720, 480));

    loadFile(write("m.sub", "{100}{200}Hello|World\r\n"));
    recorded.clear();
    form->ComboBoxFps->setCurrentIndex(form->ComboBoxFps->findText("25000"));
    ASSERT_EQ(form->Subtitle ? form->Subtitle->Count() : 0, 1)
        << "the reload at the new rate lost the list";
    EXPECT_EQ(form->Subtitle->line(1).StartFrame, std::string("100"));
    EXPECT_EQ(rowsOf(form->ListBox1), QStringList{"Hello|World"});
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});

    // The defaults change the rate too: the file is read again, its frames stay.
    SetItemIndex(form->ComboBoxFps, 0);
    recorded.clear();
    form->BitBtnSetDefaultValues->click();
    EXPECT_EQ(form->ComboBoxFps->currentText(), QString("25000"));
    EXPECT_TRUE(recorded.texts().contains(kLoaded));
    EXPECT_EQ(form->Subtitle->line(1).StartFrame, std::string("100"));
}

TEST_F(MainWindowTest, PreviewDrawsTheSampleAndTheClickedSubtitle)
{
    form->LoadPreviewBackground();
    const QImage background = form->PreviewPicture();
    form->offset->setValue(40);
    const QImage sample = form->PreviewPicture();
    EXPECT_TRUE(form->LinesFit);
    EXPECT_TRUE(anyPixelDiffers(background, sample));

    loadFile(write("p.srt", threeEntrySrt()));
    form->ListBox1->setCurrentRow(1);
    const QImage second = form->PreviewPicture();
    EXPECT_TRUE(anyPixelDiffers(sample, second));
    form->ListBox1->setCurrentRow(2);
    EXPECT_TRUE(anyPixelDiffers(second, form->PreviewPicture()));
}

TEST_F(MainWindowTest, AssScriptIsListedPreviewedThroughLibassAndGenerated)
{
    loadFile(write("styled.ass", TestAssScript()));
    ASSERT_TRUE(form->SubtitleLoaded) << "no width check refuses a script";
    ASSERT_EQ(form->ListBox1->count(), 7);
    EXPECT_EQ(form->ListBox1->item(0)->text(), QString("At the top"));
    EXPECT_EQ(form->ListBox1->item(3)->text(), QString()) << "a drawing is no text";
    // The script's styles decide fonts, places and text colours.
    for (QWidget* control : std::initializer_list<QWidget*>{form->ComboBox5, form->ComboBoxFontSize,
                                                            form->ComboBoxAlign, form->offset,
                                                            form->JvColorButtonText}) {
        EXPECT_FALSE(control->isEnabled());
        EXPECT_EQ(control->toolTip(), QString("The styles of the ASS/SSA script decide this."));
    }
    EXPECT_TRUE(form->JvColorButtonOutline->isEnabled());

    // The sign is drawn red where \pos puts it, over the background picture.
    form->ListBox1->setCurrentRow(2);
    const QImage sign = form->PreviewPicture();
    int red = 0;
    for (int y = 70; y < 130; ++y)
        for (int x = 40; x < 160; ++x)
            red += sign.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 100);

    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_GT(readAll(dir.filePath("styled.idx")).count("timestamp:"), 10);
    ASSERT_FALSE(recorded.texts().isEmpty());
    EXPECT_TRUE(recorded.texts()[0].contains("NoSuchFontXyz")) << recorded.texts()[0].toStdString();

    // A SubRip file afterwards gives the controls back.
    loadFile(write("three.srt", threeEntrySrt()));
    EXPECT_TRUE(form->ComboBox5->isEnabled());
    EXPECT_TRUE(form->ComboBox5->toolTip().isEmpty());
}

// ---------------------------------------------------------------- generation

TEST_F(MainWindowTest, GenerationWritesThePairAndShowsTheHelpText)
{
    const QString path = write("three.srt", threeEntrySrt());
    loadFile(path);
    recorded.clear();
    QStringList captionWhileShown;
    recorded.whileShown = [&] {
        captionWhileShown << form->ButtonGenerate->text() +
                                 (form->GroupBoxRender->isEnabled() ? " enabled" : " grey");
    };
    form->ButtonGenerate->click();
    EXPECT_EQ(captionWhileShown, QStringList{"Generate Vobsub enabled"})
        << "the end of the run is read with the window idle";
    EXPECT_EQ(form->ProgressBar1->text(), QString("3 of 3"));

    const QByteArray idxText = readAll(dir.filePath("three.idx"));
    EXPECT_EQ(idxText.count("\r\n"), 66);
    EXPECT_TRUE(idxText.endsWith("\r\n"));
    const QFileInfo sub(dir.filePath("three.sub"));
    ASSERT_TRUE(sub.exists());
    EXPECT_GT(sub.size(), 0);
    EXPECT_EQ(sub.size() % 2048, 0);

    const QByteArray helpText = readAll(dir.filePath("Lumelle_Help_File.txt"));
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_EQ(recorded.texts()[0].toLatin1(), helpText);
    EXPECT_TRUE(helpText.startsWith("All Done !!! Important Note:"));

    EXPECT_TRUE(RunStopped);
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));
    EXPECT_TRUE(form->GroupBoxRender->isEnabled());
    EXPECT_NE(form->preview->picture().pixel(0, 0), qRgb(0, 0, 255))
        << "the preview picture is back, not the last output picture on blue";
}

// A name in bytes that are not UTF-8 (a Latin-1 file in a Latin-1 folder), as a file manager
// drops it: it loads, and its pair goes beside it under the same bytes.
TEST_F(MainWindowTest, ALatin1NameLoadsAndItsPairKeepsItsBytes)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + "/d\xe9j\xe0";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray srt = threeEntrySrt();
    const int fd = ::open((folder + "/caf\xe9.srt").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, srt.constData(), std::size_t(srt.size())), srt.size());
    ::close(fd);

    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + (folder + "/caf\xe9.srt").toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(recorded.texts(), QStringList{kLoaded});
    EXPECT_EQ(form->ListBox1->count(), 3);
    EXPECT_TRUE(form->EditLoadSrt->text().endsWith("/d\\xE9j\\xE0/caf\\xE9.srt"))
        << form->EditLoadSrt->text().toStdString();

    recorded.clear();
    form->ButtonGenerate->click();
    struct stat idx, sub;
    EXPECT_EQ(::stat((folder + "/caf\xe9.idx").constData(), &idx), 0);
    ASSERT_EQ(::stat((folder + "/caf\xe9.sub").constData(), &sub), 0);
    EXPECT_GT(sub.st_size, 0);
    EXPECT_EQ(sub.st_size % 2048, 0);
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].contains("caf\\xE9.idx")) << "the help text names the pair";
    removeTree(folder);
}

TEST_F(MainWindowTest, SecondPressDuringARunAborts)
{
    QByteArray many;
    for (int i = 0; i < 12; ++i)
        many += QByteArray::number(i + 1) + "\r\n00:00:0" + QByteArray::number(i % 10) +
                ",000 --> 00:00:0" + QByteArray::number(i % 10) + ",500\r\nline\r\n\r\n";
    loadFile(write("abort.srt", many));
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();

    // The press comes long after a double click would have ended.
    const int doubleClick = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(0);
    bool pressed = false;
    QTimer::singleShot(0, form.get(), [&] {
        pressed = true;
        EXPECT_EQ(form->ButtonGenerate->text(), QString("Abort"));
        form->ButtonGenerate->click();
    });
    form->ButtonGenerate->click();
    QApplication::setDoubleClickInterval(doubleClick);

    EXPECT_TRUE(pressed);
    EXPECT_EQ(recorded.texts(), QStringList{"Operation Aborted"});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Lumelle_Help_File.txt")));
    EXPECT_EQ(readAll(dir.filePath("abort.idx")).count("timestamp: "), 1)
        << "the subtitle in hand is finished";
    EXPECT_TRUE(RunStopped);
    EXPECT_EQ(form->ButtonGenerate->text(), QString("Generate Vobsub"));

    // The next press starts a new, complete run.
    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Lumelle_Help_File.txt")));
    EXPECT_EQ(recorded.texts().size(), 1);

    // An abort that would replace that pair asks first: No keeps it, Yes replaces it.
    const auto abortRun = [&] {
        recorded.clear();
        QApplication::setDoubleClickInterval(0);
        QTimer::singleShot(0, form.get(), [&] { form->ButtonGenerate->click(); });
        form->ButtonGenerate->click();
        QApplication::setDoubleClickInterval(doubleClick);
    };
    const QStringList asked = {"Operation Aborted",
                               "Keep the 1 subtitle written so far? The earlier pair will be "
                               "replaced."};
    const QByteArray whole = readAll(dir.filePath("abort.idx"));
    abortRun();
    EXPECT_EQ(recorded.texts(), asked);
    EXPECT_EQ(recorded.preferredAnswers(), std::vector{platform::Messages::Answer::No})
        << "Enter keeps the complete earlier pair";
    EXPECT_EQ(readAll(dir.filePath("abort.idx")), whole);
    recorded.queueAnswer(true);
    abortRun();
    EXPECT_EQ(recorded.texts(), asked);
    EXPECT_EQ(readAll(dir.filePath("abort.idx")).count("timestamp: "), 1);
}

TEST_F(MainWindowTest, ClosingDuringARunStopsItThenCloses)
{
    loadFile(write("close.srt", threeEntrySrt()));
    form->show();
    QApplication::processEvents();
    recorded.clear();
    QTimer::singleShot(0, form.get(), [&] { form->close(); });
    form->ButtonGenerate->click();
    EXPECT_TRUE(form->isVisible()) << "the window waits for the run to close its files";
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(recorded.texts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Lumelle_Help_File.txt")));
    EXPECT_EQ(readAll(dir.filePath("close.idx")).count("timestamp: "), 1)
        << "with no earlier pair the finished subtitle is kept";

    // With an earlier pair, closing keeps it and asks nothing.
    form->ButtonGenerate->click();
    const QByteArray idx = readAll(dir.filePath("close.idx"));
    ASSERT_EQ(idx.count("timestamp: "), 3);
    form->show();
    QApplication::processEvents();
    recorded.clear();
    QTimer::singleShot(0, form.get(), [&] { form->close(); });
    form->ButtonGenerate->click();
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(recorded.texts().isEmpty());
    EXPECT_EQ(readAll(dir.filePath("close.idx")), idx);
}

TEST_F(MainWindowTest, EachOutputFormWritesItsFilesAndNoOthers)
{
    struct Case
    {
        const char* key;
        QStringList written;
        QStringList absent;
        const char* supStart; // a DVD .sup's units start "SP", a Blu-ray one's segments "PG"
    };
    const Case cases[] = {
        {"vobsub", {"form.idx", "form.sub"}, {"form.sup"}, ""},
        {"dvd-sup", {"form.sup"}, {"form.idx", "form.sub"}, "SP"},
        {"vobsub,dvd-sup", {"form.idx", "form.sub", "form.sup"}, {}, "SP"},
        {"pgs", {"form.sup"}, {"form.idx", "form.sub", "form.xml"}, "PG"},
        {"bdn-xml", {"form_bdn/form.xml", "form_bdn/form_0001.png"}, {"form.idx", "form.sup"}, ""},
    };
    const QString path = write("form.srt", threeEntrySrt());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        for (const char* name : {"form.idx", "form.sub", "form.sup", "form.xml", "form_0001.png"})
            QFile::remove(dir.filePath(name));
        loadFile(path);
        form->ComboBoxOutputForm->setCurrentIndex(form->ComboBoxOutputForm->findData(c.key));
        EXPECT_EQ(form->OutputFormKey(), QString(c.key));
        form->ButtonGenerate->click();
        for (const QString& name : c.written)
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
        for (const QString& name : c.absent)
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
        if (*c.supStart) {
            EXPECT_TRUE(readAll(dir.filePath("form.sup")).startsWith(c.supStart));
        }
    }
}

TEST_F(MainWindowTest, AddedLanguageFilesBecomeStreamsOfOnePair)
{
    const QString english = write("film.en.srt", threeEntrySrt());
    const QString french = write("film.fr.forced.srt", "1\r\n00:00:01,500 --> 00:00:02,500\r\n"
                                                       "SORTIE\r\n\r\n");
    loadFile(english);
    form->ComboBoxVobsubLanguage->setCurrentIndex(
        form->ComboBoxVobsubLanguage->findText("en ENGLISH"));
    dialogs.queueFile(french);
    form->ButtonAddStream->click();
    ASSERT_EQ(form->AddedStreams().size(), 1u);
    // The name tells the language and the forced mark.
    EXPECT_EQ(form->AddedStreams()[0].languageText, QString("fr FRENCH"));
    EXPECT_TRUE(form->AddedStreams()[0].forced);
    EXPECT_EQ(rowsOf(form->ListStreams), QStringList({"film.en.srt  (en ENGLISH, loaded file)",
                                                      "film.fr.forced.srt  (fr FRENCH, forced)"}));
    EXPECT_FALSE(form->AddStreamFile(french)) << "a file is listed once";

    // A .sup file holds one stream: refused before anything is written.
    form->SetOutputFormKey("dvd-sup");
    recorded.clear();
    form->ButtonGenerate->click();
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].contains("holds one language"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("film.sup")));

    form->SetOutputFormKey("vobsub");
    form->ButtonGenerate->click();
    const QByteArray idx = readAll(dir.filePath("film.idx"));
    EXPECT_TRUE(idx.contains("id: en, index: 0")) << idx.toStdString();
    EXPECT_TRUE(idx.contains("id: fr, index: 1"));
    EXPECT_EQ(idx.count("timestamp: "), 4);
    EXPECT_EQ(form->ProgressBar1->text(), QString("4 of 4"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("film.en.idx")));

    // A MicroDVD file loaded: the pair named after it without its language part would be
    // "movie.sub" itself, which is never written over.
    const QByteArray microDvd = "{25}{50}Hello\r\n";
    const QString movie = write("movie.sub", microDvd);
    loadFile(movie);
    ASSERT_TRUE(form->AddStreamFile(french));
    form->ButtonGenerate->click();
    EXPECT_EQ(readAll(movie), microDvd);
    EXPECT_TRUE(readAll(dir.filePath("movie_vobsub.idx")).contains("id: fr, index: 1"));

    // The Delete key removes the selected added file; the loaded file's row stays.
    for (int row : {1, 0}) {
        form->ListStreams->setCurrentRow(row);
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(form->ListStreams, &del);
    }
    EXPECT_TRUE(form->AddedStreams().empty());
    EXPECT_EQ(form->ListStreams->count(), 1);
    ASSERT_TRUE(form->AddStreamFile(french));

    // Another file loaded: the added files were for the one before.
    loadFile(write("other.srt", threeEntrySrt()));
    EXPECT_TRUE(form->AddedStreams().empty());
    EXPECT_EQ(form->ListStreams->count(), 1);
}

TEST_F(MainWindowTest, RollingCaptionBoxReadsTheLoadedWebVttAgain)
{
    const QString path =
        write("rolling.vtt", "WEBVTT\n\n"
                             "00:00:01.000 --> 00:00:03.000\nhello there\n\n"
                             "00:00:03.000 --> 00:00:03.010\nhello there\n\n"
                             "00:00:03.010 --> 00:00:05.000\nhello there\nhow are you\n\n"
                             "00:00:05.000 --> 00:00:05.010\nhow are you\n\n"
                             "00:00:05.010 --> 00:00:07.000\nhow are you\nfine\n");
    loadFile(path);
    const QStringList rolling = rowsOf(form->ListBox1);
    form->CheckBoxRollingCaptions->setChecked(true);
    EXPECT_EQ(rowsOf(form->ListBox1), QStringList({"hello there", "how are you", "fine"}))
        << rolling.join(" / ").toStdString();
    form->CheckBoxRollingCaptions->setChecked(false);
    EXPECT_EQ(rowsOf(form->ListBox1), rolling);
}
