// The message layer over QMessageBox: what the window program installs so that every text of
// the core and of the windows appears in a modal box.
#pragma once

#include "platform/Messages.h"

namespace lumelle::platform {

// A carriage return in a message is a line break on screen ("\r\n" counts once).
QString ScreenText(const QString& text);

class WidgetMessages : public Messages
{
public:
    // A plain message with an OK button and no icon.
    void showMessage(const QString& text) override;
    // An information box with its icon and an OK button.
    void showInformation(const QString& text) override;
    // A question without icon, Yes and No, `preferred` the default button; Escape answers No.
    bool askYesNo(const QString& text, Answer preferred = Answer::Yes) override;
    // A plain message with OK and a button for `action`; true when that button was pressed.
    bool showMessageWithAction(const QString& text, const QString& action) override;
};

} // namespace lumelle::platform
