// The main window on small and scaled screens in every language of the window: every control
// inside the window and the screen's room, every text whole, no two controls of a group on top of
// each other.
#include "MainWindowFixture.h"
#include "ui/MainWindowLayout.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QTranslator>

static void registerCatalogues()
{
    Q_INIT_RESOURCE(translations);
}

using namespace lumelle;
using namespace lumelle::testing;

namespace {

// The client area a window can have: the screen in logical pixels, less a desktop panel and a
// window manager's frame (a title bar and thin borders).
QSize roomOf(QSize screen, int panel)
{
    const QMargins frame(4, 28, 4, 4);
    return QSize(screen.width(), screen.height() - panel).shrunkBy(frame);
}

struct Screen
{
    const char* name;
    QSize room;
};

const Screen kScreens[] = {
    {"1024x768", roomOf({1024, 768}, 32)},
    {"1920x1080 at 150 %", roomOf({1280, 720}, 32)},
    {"1920x1080 at 200 %", roomOf({960, 540}, 32)},
};

// The width a control's text needs to show whole; 0 for a control without one.
int neededWidth(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->wordWrap() ? 0 : label->fontMetrics().horizontalAdvance(label->text());
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->sizeHint().width();
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text().isEmpty()
                   ? 0
                   : button->fontMetrics().horizontalAdvance(button->text()) + 8;
    return 0;
}

// "(x,y w x h)", for the messages.
std::string placeOf(const QWidget* widget)
{
    const QRect r = widget->geometry();
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

QString nameOf(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The shown children of `parent`: each inside it, its text whole, none over another.
void checkChildren(const QWidget* parent, const QString& where)
{
    QList<const QWidget*> shown;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            shown << child;
    }
    for (const QWidget* child : shown) {
        const QString name = where + QLatin1Char('/') + nameOf(child);
        EXPECT_TRUE(parent->rect().contains(child->geometry()))
            << name.toStdString() << " leaves its parent: " << placeOf(child);
        EXPECT_LE(neededWidth(child), child->width()) << name.toStdString() << " is cut";
        if (auto* label = qobject_cast<const QLabel*>(child); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height())
                << name.toStdString() << " is cut";
        }
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << (where + QLatin1Char('/') + nameOf(shown[i])).toStdString() << " "
                << placeOf(shown[i]) << " covers " << nameOf(shown[j]).toStdString() << " "
                << placeOf(shown[j]);
    }
}

class WindowLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        registerCatalogues();
        const QString language = QString::fromLatin1(GetParam());
        if (language != QLatin1String("en")) {
            ASSERT_TRUE(catalogue.load(QStringLiteral(":/translations/lumelle_") + language));
            QCoreApplication::installTranslator(&catalogue);
        }
        MainWindowTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        QCoreApplication::removeTranslator(&catalogue);
    }

    QTranslator catalogue;
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
        checkChildren(layout, QStringLiteral("window"));
        for (const QGroupBox* group : layout->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
            checkChildren(group, group->objectName());
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

INSTANTIATE_TEST_SUITE_P(Languages, WindowLayoutTest, ::testing::Values("en", "de", "fr", "es"));
