#include "platform/widgets/WidgetMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace lumelle::platform {

QString ScreenText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

namespace {

// The window a box belongs to: the active one, else (a drop leaves the program without an
// active window) the program's visible main window, so that the box is centred over it and
// takes its font.
QWidget* boxParent()
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window && !window->parentWidget())
            return window;
    }
    return nullptr;
}

// Runs one modal box over the active window and gives the button that closed it.
QMessageBox::StandardButton runBox(QMessageBox::Icon icon, const QString& title,
                                   const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, ScreenText(text), buttons, boxParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString programTitle()
{
    QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Lumelle") : title;
}

} // namespace

void WidgetMessages::showMessage(const QString& text)
{
    runBox(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, QMessageBox::Ok);
}

void WidgetMessages::showInformation(const QString& text)
{
    runBox(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
           QMessageBox::Ok);
}

bool WidgetMessages::askYesNo(const QString& text, Answer preferred)
{
    const auto defaultButton = preferred == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return runBox(QMessageBox::NoIcon, QStringLiteral("Confirm"), text,
                  QMessageBox::Yes | QMessageBox::No, defaultButton) == QMessageBox::Yes;
}

bool WidgetMessages::showMessageWithAction(const QString& text, const QString& action)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), ScreenText(text), QMessageBox::Ok,
                    boxParent());
    box.setTextFormat(Qt::PlainText);
    QPushButton* actionButton = box.addButton(action, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == actionButton;
}

} // namespace lumelle::platform
