// The window's Blu-ray forms: drawn, checked and written at the chosen Blu-ray frame.
#include "../TextOfWidth.h"
#include "MainWindowFixture.h"

#include "render/RenderSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSet>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

// One subtitle that fits and one 800 pixels wide in the DVD frame, more than its 680, that a
// Blu-ray frame of 1280 or 1920 columns takes (984 pixels at the DVD's scale).
QByteArray wideForDvdSrt()
{
    const std::string wide = TextOfWidth(800, RenderSettings());
    return "1\r\n00:00:01,000 --> 00:00:02,000\r\nfits\r\n\r\n"
           "2\r\n00:00:03,000 --> 00:00:04,000\r\n" +
           QByteArray::fromStdString(wide) + "\r\n\r\n";
}

// The width and height of the first presentation composition of a PGS stream: bytes 13 to 16,
// after "PG", the two time stamps, the segment type and its length.
QSize pgsVideoSize(const QByteArray& sup)
{
    if (sup.size() < 17 || !sup.startsWith("PG") || quint8(sup[10]) != 0x16)
        return QSize();
    auto word = [&](int at) { return (quint8(sup[at]) << 8) | quint8(sup[at + 1]); };
    return QSize(word(13), word(15));
}

// The colours of the pixels of `drawn` that differ from `background`.
QSet<QRgb> coloursDrawn(const QImage& drawn, const QImage& background)
{
    QSet<QRgb> colours;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != background.pixel(x, y))
                colours.insert(drawn.pixel(x, y));
    return colours;
}

class BluRayWindowTest : public MainWindowTest
{
protected:
    void chooseForm(const char* key)
    {
        form->ComboBoxOutputForm->setCurrentIndex(form->ComboBoxOutputForm->findData(key));
    }
    void chooseFrame(const char* size)
    {
        form->ComboBoxFrameSize->setCurrentIndex(form->ComboBoxFrameSize->findText(size));
    }
};

} // namespace

// A line too wide for the DVD frame is refused and its file not named anywhere; the Blu-ray
// form takes it (as lumelle-convert --format pgs does), at 720x576 refuses it again.
TEST_F(BluRayWindowTest, WidthCheckUsesTheFrameOfTheChosenForm)
{
    loadFile(write("wide.srt", wideForDvdSrt()));
    ASSERT_FALSE(form->SubtitleLoaded);
    EXPECT_EQ(rowsOf(form->ListStreams), QStringList{"(no file loaded)"})
        << "a refused file is not named as the output's stream";
    EXPECT_FALSE(form->ComboBoxFrameSize->isEnabled()) << "a DVD form has the standard's frame";

    recorded.clear();
    chooseForm("pgs");
    EXPECT_TRUE(form->ComboBoxFrameSize->isEnabled());
    EXPECT_TRUE(form->SubtitleLoaded) << "read again and checked at 1920x1080";
    EXPECT_EQ(form->ListBox1->count(), 2);
    EXPECT_TRUE(rowsOf(form->ListStreams).value(0).startsWith("wide.srt"));
    EXPECT_EQ(recorded.texts(), QStringList{"Subtitle Style Modified/Loaded Successfully"});

    recorded.clear();
    chooseFrame("1280x720");
    EXPECT_TRUE(form->LinesFit);
    EXPECT_EQ(form->OutputFrameSize(), QString("1280x720"));
    chooseFrame("720x576");
    EXPECT_FALSE(form->LinesFit) << "the DVD-sized Blu-ray frame is as narrow as a DVD's";
    ASSERT_FALSE(recorded.texts().isEmpty());
    EXPECT_TRUE(recorded.texts().last().contains("is too long"));
}

// The preview draws at the form's frame, shrunk into the box with the frame's shape, in full
// colour (smooth edges: many shades between the three inks of a DVD picture).
TEST_F(BluRayWindowTest, PreviewShowsTheFullColourDrawingAtTheFrameSize)
{
    form->LoadPreviewBackground();
    const QImage dvdBackground = form->PreviewPicture();
    form->drawSampleAndSelected();
    const int dvdShades = coloursDrawn(form->PreviewPicture(), dvdBackground).size();
    EXPECT_LE(dvdShades, 3) << "the DVD form draws text, antialias ring and outline";

    chooseForm("bdn-xml");
    EXPECT_EQ(form->preview->geometry(), QRect(40, 126, 720, 405));
    form->LoadPreviewBackground();
    const QImage background = form->PreviewPicture();
    ASSERT_EQ(background.size(), QSize(1920, 1080));
    form->drawSampleAndSelected();
    EXPECT_GT(coloursDrawn(form->PreviewPicture(), background).size(), 20);

    chooseFrame("720x480");
    EXPECT_EQ(form->PreviewPicture().size(), QSize(720, 480));
    EXPECT_EQ(form->preview->geometry(), QRect(40, 126, 720, 480));
}

// The run writes the chosen frame, ends with what it wrote, and keeps the frame in the
// settings; a frame and rate Blu-ray video lacks are refused before anything is written.
TEST_F(BluRayWindowTest, RunWritesTheChosenFrameAndSaysWhatItWrote)
{
    const QString path = write("film.srt", wideForDvdSrt());
    chooseForm("pgs");
    chooseFrame("1280x720");
    SetItemIndex(form->ComboBoxFps, form->ComboBoxFps->findText("23976"));
    loadFile(path);
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();
    form->ButtonGenerate->click();
    const QString sup = dir.filePath("film.sup");
    EXPECT_EQ(pgsVideoSize(readAll(sup)), QSize(1280, 720));
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_EQ(recorded.texts()[0],
              "All done: 2 subtitle pictures written, at 1280x720 and 23.976 frames a second.\r" +
                  QDir::toNativeSeparators(sup));
    EXPECT_EQ(recorded.actions(), QStringList{"Open Folder"});

    // 1280x720 is progressive video at film and 50 or 59.94 rates: not at 25 frames a second.
    QFile::remove(sup);
    SetItemIndex(form->ComboBoxFps, form->ComboBoxFps->findText("25000"));
    ASSERT_TRUE(form->SubtitleLoaded);
    recorded.clear();
    form->ButtonGenerate->click();
    ASSERT_EQ(recorded.texts().size(), 1);
    EXPECT_TRUE(recorded.texts()[0].startsWith("Blu-ray video has no 1280x720 picture at the "
                                               "frame rate 25000."));
    EXPECT_TRUE(recorded.texts()[0].contains("720x576: 25000; 720x480: 29970"));
    EXPECT_FALSE(QFileInfo::exists(sup));
}
