// What players built on ffmpeg really show: scripts/palette-pictures.sh plays our pairs with
// mpv, and the colours of its pictures keep the README's "Which palette mode?" table true.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct TextColours
{
    int white = 0; // text drawn as chosen
    int pink = 0;  // white read as Y/Cr/Cb taken for RGB
};

TextColours countTextColours(const QImage& image)
{
    TextColours counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::min({c.red(), c.green(), c.blue()}) >= 230)
                ++counts.white;
            else if (c.red() >= 150 && c.red() - c.green() >= 30 && c.red() - c.blue() >= 30)
                ++counts.pink;
        }
    }
    return counts;
}

} // namespace

TEST(PlayerColours, MpvShowsPcModeAsChosenAndTwoPalettesModePink)
{
    if (QStandardPaths::findExecutable("mpv").isEmpty())
        GTEST_SKIP() << "mpv is not installed (scripts/deps.sh installs it)";
    QTemporaryDir dir;
    QProcess script;
    script.start("bash", {LUMELLE_SOURCE_DIR "/scripts/palette-pictures.sh", LUMELLE_CONVERT_BIN,
                          dir.path()});
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

    const QImage pc(dir.filePath("palette-pc.png"));
    const QImage two(dir.filePath("palette-two.png"));
    ASSERT_FALSE(pc.isNull());
    ASSERT_FALSE(two.isNull());
    const TextColours pcColours = countTextColours(pc);
    const TextColours twoColours = countTextColours(two);
    EXPECT_GE(pcColours.white, 300);
    EXPECT_EQ(pcColours.pink, 0);
    EXPECT_GE(twoColours.pink, 300);
    EXPECT_EQ(twoColours.white, 0);
}
