// The main window on small and scaled screens in every language of the window: every control
// inside the window and the screen's room, every text whole, no two controls of a group on top of
// each other.
#include "LayoutChecks.h"
#include "MainWindowFixture.h"
#include "ui/MainWindowLayout.h"

#include <QProgressBar>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

class WindowLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(language.loaded());
        MainWindowTest::SetUp();
    }

    ScopedLanguage language{QString::fromLatin1(GetParam())};
};

} // namespace

TEST_P(WindowLayoutTest, FitsSmallAndScaledScreensWithEveryTextWhole)
{
    const QWidget* layout = form->preview->parentWidget();
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        const QSize size = MainWindowLayout::arrangeFor(*form, screen.room);
        EXPECT_LE(size.width(), screen.room.width());
        EXPECT_LE(size.height(), screen.room.height());
        EXPECT_EQ(layout->size(), size);
        checkLayout(layout, QStringLiteral("window"));
        // The frame is still drawn at its own size, only shown smaller.
        EXPECT_EQ(form->preview->frameSize(), QSize(720, 576));
        EXPECT_LE(form->preview->width(), 720);
    }
    // A screen with room for it gets the designed arrangement back: the preview whole, the
    // output folder's row under it, the output form's column right of the groups.
    const QSize designed = MainWindowLayout::arrangeFor(*form, QSize(1920, 1050));
    EXPECT_EQ(form->preview->geometry(), QRect(40, 126, 720, 576));
    EXPECT_EQ(form->GroupBoxOutputFolder->y(), 704);
    EXPECT_EQ(form->GroupBoxPair->y(), 4);
    EXPECT_GT(form->GroupBoxPair->x(), form->ListBox1->geometry().right());
    EXPECT_GT(form->GroupBoxPair->x(), form->GroupBoxSettings->geometry().right());
    EXPECT_EQ(designed.height(), 732);
    checkChildren(layout, QStringLiteral("window"));
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowLayoutTest, ::testing::ValuesIn(kLanguages));
