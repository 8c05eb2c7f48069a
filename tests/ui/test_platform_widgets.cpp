#include "doubles/QueuedFileDialogs.h"
#include "platform/widgets/WidgetMessages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lumelle::platform;

TEST(WidgetMessages, CarriageReturnIsOneLineBreakOnScreen)
{
    EXPECT_EQ(ScreenText("The string \rab\rcd\ris too long."),
              QString("The string \nab\ncd\nis too long."));
    EXPECT_EQ(ScreenText("a\r\nb\r\n\r\nc"), QString("a\nb\n\nc"));
}

namespace {

// Asks `preferred` and presses `key` in the box once it is up.
bool answerWithKey(Messages::Answer preferred, Qt::Key key)
{
    QTimer::singleShot(0, [key] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    });
    WidgetMessages messages;
    return messages.askYesNo("Keep?", preferred);
}

} // namespace

TEST(WidgetMessages, EnterPressesThePreferredAnswerAndEscapeAnswersNo)
{
    EXPECT_TRUE(answerWithKey(Messages::Answer::Yes, Qt::Key_Return));
    EXPECT_FALSE(answerWithKey(Messages::Answer::No, Qt::Key_Return));
    EXPECT_FALSE(answerWithKey(Messages::Answer::Yes, Qt::Key_Escape));
    EXPECT_FALSE(answerWithKey(Messages::Answer::No, Qt::Key_Escape));
}

TEST(FileDialogs, ListFilterBecomesQtFilter)
{
    EXPECT_EQ(QtFilterFromList("*.srt;*.sub;*.txt|*.srt;*.sub;*.txt"),
              QString("*.srt;*.sub;*.txt (*.srt *.sub *.txt)"));
    EXPECT_EQ(QtFilterFromList("Load your PAL 720x576 BMP|*.bmp|All|*"),
              QString("Load your PAL 720x576 BMP (*.bmp);;All (*)"));
}

TEST(FileDialogs, DialogKeepsLastChosenNameWhenCancelled)
{
    QueuedFileDialogs dialogs;
    ScopedFileDialogs use(&dialogs);
    dialogs.queueFile("/tmp/a.srt");
    dialogs.queueCancel();

    TOpenDialog dialog;
    dialog.Title = "Load 720x576 PAL image";
    dialog.Filter = "Load your PAL 720x576 BMP|*.bmp";
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, QString("/tmp/a.srt"));
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, QString("/tmp/a.srt"));
    EXPECT_FALSE(dialog.Execute()) << "an empty queue cancels";

    ASSERT_EQ(dialogs.requests().size(), 3u);
    EXPECT_EQ(dialogs.requests()[1].title, QString("Load 720x576 PAL image"));
    EXPECT_EQ(dialogs.requests()[1].currentFileName, QString("/tmp/a.srt"));
}
