// The colour options dialog and the About window on small and scaled screens in every language
// of the window: each fits the screen's room with every text whole and no control over another,
// and the choices keep their order when they stand in two columns.
#include "LayoutChecks.h"
#include "MainWindowFixture.h"

#include <QPlainTextEdit>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

class DialogLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(language.loaded());
        MainWindowTest::SetUp();
    }

    ScopedLanguage language{QString::fromLatin1(GetParam())};
};

// `later` follows `earlier` in reading order: right of it on the same row, or below it.
bool follows(const QWidget* later, const QWidget* earlier)
{
    if (later->y() == earlier->y())
        return later->x() > earlier->geometry().right();
    return later->y() > earlier->geometry().bottom();
}

} // namespace

TEST_P(DialogLayoutTest, ColourOptionsFitSmallAndScaledScreensWithEveryTextWhole)
{
    const QWidget* layout = options->GroupBox1->parentWidget();
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        const QSize size = options->arrangeFor(screen.room);
        EXPECT_LE(size.width(), screen.room.width());
        EXPECT_LE(size.height(), screen.room.height());
        EXPECT_EQ(layout->size(), size);
        checkLayout(layout, QStringLiteral("options"));
        // The groups and the buttons in their order, the choices in theirs.
        EXPECT_GT(options->GroupBoxInfo->y(), options->GroupBox1->geometry().bottom());
        EXPECT_GT(options->ButtonDone->y(), options->GroupBoxInfo->geometry().bottom());
        EXPECT_EQ(options->ButtonDownloadIfo->y(), options->ButtonDone->y());
        EXPECT_TRUE(follows(options->RadioButtonDVD, options->RadioButtonPC));
        EXPECT_TRUE(follows(options->RadioButtonPCDVD1, options->RadioButtonDVD));
        EXPECT_TRUE(follows(options->RadioButtonPCDVD2, options->RadioButtonPCDVD1));
        EXPECT_GT(options->RadioButtonPCDVD1->y(), options->Iwant->geometry().bottom());
    }
    // Room for it brings the designed column back.
    const QSize designed = options->arrangeFor(QSize(1920, 1050));
    EXPECT_EQ(designed.width(), 462);
    EXPECT_EQ(options->GroupBox1->geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(options->RadioButtonPC->x(), options->RadioButtonDVD->x());
    EXPECT_EQ(options->ButtonDone->geometry().right(), options->GroupBox1->geometry().right());
    checkLayout(layout, QStringLiteral("options"));
}

TEST_P(DialogLayoutTest, AboutWindowFitsSmallAndScaledScreensWithEveryTextWhole)
{
    const QWidget* layout = about->Image1->parentWidget();
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        EXPECT_LE(layout->width(), screen.room.width());
        EXPECT_LE(layout->height(), screen.room.height());
    }
    checkLayout(layout, QStringLiteral("about"));
    // The usage text shows whole, without a scroll bar.
    const QPlainTextEdit* memo = about->Memo1;
    const int lines = memo->document()->blockCount();
    EXPECT_LE(lines * memo->fontMetrics().lineSpacing() + 2 * memo->frameWidth() +
                  2 * int(memo->document()->documentMargin()),
              memo->height());
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayoutTest, ::testing::ValuesIn(kLanguages));
