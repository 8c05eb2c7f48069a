// The window with a file of pictures loaded (a Blu-ray PGS stream, a VobSub pair): the list
// shows each picture's times and forced mark, the preview the picture as the chosen form writes
// it, the text controls are off with a tooltip saying why, and a run converts the pictures.
#include "../ConverterRuns.h"
#include "MainWindowFixture.h"

#include "vobsub/VobSubReader.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

const char* const kPictureTip =
    "A picture subtitle is converted as its pictures are drawn: this does not apply to it.";

// A line at the bottom, then a yellow sign at the top that the style "Signs" marks forced.
QByteArray signsScript()
{
    return "[Script Info]\nScriptType: v4.00+\nPlayResX: 1920\nPlayResY: 1080\n\n"
           "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
           "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, "
           "Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
           "Encoding\n"
           "Style: Default,DejaVu Sans,64,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,"
           "100,100,0,0,1,3,0,2,10,10,60,1\n"
           "Style: Signs,DejaVu Sans,64,&H0000FFFF,&H000000FF,&H00000000,&H00000000,1,0,0,0,"
           "100,100,0,0,1,3,0,8,10,10,60,1\n\n"
           "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
           "Text\n"
           "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,At the bottom\n"
           "Dialogue: 0,0:00:03.00,0:00:04.50,Signs,,0,0,0,,A SIGN\n";
}

QByteArray srt(const QByteArrayList& texts)
{
    QByteArray out;
    for (int i = 0; i < texts.size(); ++i)
        out += QByteArray::number(i + 1) + "\r\n00:00:0" + QByteArray::number(2 * i + 1) +
               ",000 --> 00:00:0" + QByteArray::number(2 * i + 2) + ",000\r\n" + texts[i] +
               "\r\n\r\n";
    return out;
}

// The pixels of `drawn` that differ from `background`: their colours and the box they fill.
struct Drawn
{
    QSet<QRgb> colours;
    QRect box;
};
Drawn drawnOver(const QImage& drawn, const QImage& background)
{
    Drawn d;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != background.pixel(x, y)) {
                d.colours.insert(drawn.pixel(x, y));
                d.box |= QRect(x, y, 1, 1);
            }
    return d;
}

class PictureWindowTest : public MainWindowTest
{
protected:
    // The script drawn into a PGS stream by lumelle-convert, under a name no subtitle has.
    QString pgsStream()
    {
        const QString script = write("signs.ass", signsScript());
        const ConverterRun run = runConverter({"--format", "pgs", script});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString track = dir.filePath("track3.bin");
        EXPECT_TRUE(QFile::rename(dir.filePath("signs.sup"), track));
        return track;
    }
    // A VobSub pair of two streams, English with two subtitles and French with one.
    QString twoStreamPair()
    {
        const QString en = write("film.en.srt", srt({"one", "two"}));
        const QString fr = write("film.fr.srt", srt({"un"}));
        QDir(dir.path()).mkdir("pair");
        const ConverterRun run =
            runConverter({"--stream", en, "--stream", fr, "-o", dir.filePath("pair")});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return dir.filePath("pair/film.sub");
    }
    void chooseForm(const char* key)
    {
        form->ComboBoxOutputForm->setCurrentIndex(form->ComboBoxOutputForm->findData(key));
    }
    // The preview of the selected row over the bare background.
    Drawn previewOfRow(int row)
    {
        form->LoadPreviewBackground();
        const QImage background = form->PreviewPicture();
        form->ListBox1->setCurrentRow(row);
        form->ListBox1Click();
        return drawnOver(form->PreviewPicture(), background);
    }
    std::vector<QWidget*> textControls() const
    {
        return {form->ComboBox5,
                form->ComboBox7,
                form->ComboBox8,
                form->ComboBoxFontSize,
                form->ComboBoxAlign,
                form->offset,
                form->offset_or,
                form->ComboBoxOutlineWidth,
                form->CheckBoxWrap,
                form->JvColorButtonText,
                form->CheckBoxRollingCaptions};
    }
};

} // namespace

// Loaded by what it holds under any name: one row per picture with its times at the chosen
// rate, "forced" where the stream marks it so; dropped files are taken by content too.
TEST_F(PictureWindowTest, PgsStreamListsEachPicturesTimesAndForcedMark)
{
    const QString track = pgsStream();
    recorded.clear();
    loadFile(track);
    ASSERT_TRUE(form->SubtitleLoaded) << recorded.texts().join("\n").toStdString();
    EXPECT_EQ(rowsOf(form->ListBox1),
              (QStringList{"0:00:01.000 - 0:00:02.000", "0:00:03.000 - 0:00:04.480  forced"}));
    EXPECT_EQ(recorded.texts(), QStringList{"Subtitle Style Modified/Loaded Successfully"});
    EXPECT_TRUE(rowsOf(form->ListStreams).value(0).startsWith("track3.bin"));

    // The stream ends the sign at frame 112 of 25 (4.48 s); another rate counts its own frames.
    form->ComboBoxFps->setCurrentIndex(form->ComboBoxFps->findText("23976"));
    ASSERT_TRUE(form->SubtitleLoaded);
    EXPECT_EQ(rowsOf(form->ListBox1).value(1), QString("0:00:03.003 - 0:00:04.463  forced"));

    form->ListBox1->clear();
    EXPECT_TRUE(form->LoadDroppedFile(track));
    EXPECT_EQ(form->ListBox1->count(), 2);
}

// The preview shows the picture as it will be written: resized to the DVD frame in the DVD
// inks (the sign keeping its yellow and its place at the top), in full colour at the Blu-ray
// frame.
TEST_F(PictureWindowTest, PreviewShowsThePictureAsTheChosenFormWritesIt)
{
    loadFile(pgsStream());
    ASSERT_TRUE(form->SubtitleLoaded);
    const Drawn line = previewOfRow(0);
    EXPECT_EQ(form->PreviewPicture().size(), QSize(720, 576));
    ASSERT_FALSE(line.box.isEmpty());
    EXPECT_GT(line.box.top(), 576 / 2) << "the line stays at the bottom";
    EXPECT_LE(line.colours.size(), 3) << "text, outline and antialias ring";

    const Drawn sign = previewOfRow(1);
    ASSERT_FALSE(sign.box.isEmpty());
    EXPECT_LT(sign.box.bottom(), 576 / 2) << "the sign stays at the top";
    bool yellow = false;
    for (QRgb c : sign.colours)
        yellow = yellow || (qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 100);
    EXPECT_TRUE(yellow) << "the sign's own colour, not the window's text colour";

    chooseForm("pgs");
    const Drawn colour = previewOfRow(1);
    EXPECT_EQ(form->PreviewPicture().size(), QSize(1920, 1080));
    EXPECT_GT(colour.colours.size(), 20) << "smooth edges in full colour";
    EXPECT_LT(colour.box.bottom(), 1080 / 2);
    EXPECT_GT(colour.box.width(), sign.box.width()) << "at the Blu-ray frame's size";
}

// The controls that draw text are off, each saying why, and stay off through a run; the
// outline and antialias colours, which a DVD picture's inks take, stay on. A text file gives
// every control and its own tooltip back.
TEST_F(PictureWindowTest, TextControlsAreOffForPicturesAndBackForText)
{
    std::vector<QString> tips;
    for (QWidget* control : textControls())
        tips.push_back(control->toolTip());
    loadFile(pgsStream());
    ASSERT_TRUE(form->SubtitleLoaded);
    const auto expectOff = [&] {
        for (QWidget* control : textControls()) {
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
            EXPECT_EQ(control->toolTip(), QString(kPictureTip))
                << control->objectName().toStdString();
        }
        EXPECT_FALSE(form->ButtonAddStream->isEnabled());
        EXPECT_TRUE(form->JvColorButtonOutline->isEnabled());
        EXPECT_TRUE(form->JvColorButtonAntialias->isEnabled());
        EXPECT_TRUE(form->ComboBoxFps->isEnabled());
        EXPECT_TRUE(form->ComboBoxOutputForm->isEnabled());
    };
    expectOff();
    form->ButtonGenerate->click();
    expectOff();

    loadFile(write("film.srt", srt({"text again"})));
    ASSERT_TRUE(form->SubtitleLoaded);
    const std::vector<QWidget*> controls = textControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(controls[i]->isEnabled()) << controls[i]->objectName().toStdString();
        EXPECT_EQ(controls[i]->toolTip(), tips[i]) << controls[i]->objectName().toStdString();
    }
    EXPECT_TRUE(form->ButtonAddStream->isEnabled());
}

// A pair of two streams, given by its .sub: the first stream is shown and written, and the
// window says so; its language becomes the output's.
TEST_F(PictureWindowTest, VobSubPairOfTwoStreamsLoadsTheFirstAndSaysSo)
{
    const QString sub = twoStreamPair();
    SetItemIndex(form->ComboBoxVobsubLanguage, 0);
    recorded.clear();
    loadFile(sub);
    ASSERT_TRUE(form->SubtitleLoaded) << recorded.texts().join("\n").toStdString();
    EXPECT_EQ(rowsOf(form->ListBox1),
              (QStringList{"0:00:01.000 - 0:00:02.000", "0:00:03.000 - 0:00:04.000"}));
    ASSERT_EQ(recorded.texts().size(), 2);
    EXPECT_TRUE(recorded.texts()[0].startsWith(
        "This file holds 2 streams: 0 (en), 1 (fr). The window shows and writes stream 0 (en)"))
        << recorded.texts()[0].toStdString();
    EXPECT_EQ(form->ComboBoxVobsubLanguage->currentData().toString(), QString("en ENGLISH"));
}

// The run converts through the core's path: a VobSub pair with both pictures, the forced one
// forced; written beside a loaded pair it takes another name, and no file read is replaced.
TEST_F(PictureWindowTest, RunWritesThePicturesAndLeavesTheInputsAlone)
{
    const QString track = pgsStream();
    const QByteArray stream = readAll(track);
    loadFile(track);
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();
    form->ButtonGenerate->click();
    const QString idx = dir.filePath("track3.idx");
    ASSERT_TRUE(QFileInfo::exists(idx)) << recorded.texts().join("\n").toStdString();
    const DvdRead written = ReadVobSubFiles({idx, dir.filePath("track3.sub")});
    ASSERT_EQ(written.streams.size(), 1u);
    ASSERT_EQ(written.streams[0].pictures.size(), 2u);
    EXPECT_FALSE(written.streams[0].pictures[0].forced);
    EXPECT_TRUE(written.streams[0].pictures[1].forced);
    EXPECT_EQ(written.streams[0].pictures[1].start, 3 * 90000);
    EXPECT_EQ(readAll(track), stream);

    const QString sub = twoStreamPair();
    const QString pairIdx = dir.filePath("pair/film.idx");
    const QByteArray idxBefore = readAll(pairIdx), subBefore = readAll(sub);
    loadFile(sub);
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_EQ(readAll(pairIdx), idxBefore);
    EXPECT_EQ(readAll(sub), subBefore);
    const QStringList made = QDir(dir.filePath("pair")).entryList({"*.idx"});
    EXPECT_EQ(made.size(), 2) << made.join(", ").toStdString() << "\n"
                              << recorded.texts().join("\n").toStdString();
}

// A file that opens as a PGS stream but holds nothing readable is refused with the reason,
// and no list is left to convert.
TEST_F(PictureWindowTest, UnreadablePicturesAreRefusedWithTheReason)
{
    QByteArray broken("PG");
    broken += QByteArray(8, '\0') + QByteArray("\x16\x00\x05", 3) + QByteArray(40, '\x7f');
    const QString path = write("broken.sup", broken);
    recorded.clear();
    loadFile(path);
    EXPECT_FALSE(form->SubtitleLoaded);
    EXPECT_EQ(form->ListBox1->count(), 0);
    ASSERT_FALSE(recorded.texts().isEmpty());
    EXPECT_TRUE(
        recorded.texts().join("\n").contains("No subtitle picture could be read from this file."))
        << recorded.texts().join("\n").toStdString();
    EXPECT_EQ(readAll(path), broken);
    recorded.clear();
    form->ButtonGenerate->click();
    EXPECT_EQ(recorded.texts(), QStringList{"Please load an Srt/Sub/Txt subtitle."});
}
