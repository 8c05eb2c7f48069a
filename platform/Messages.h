// The message layer: plain message, information box and Yes/No question. The window shows its
// texts through the current layer (message boxes); the tests install a recording double. The
// core never calls it: it returns outcomes or throws, and the front ends speak.
#pragma once

#include "platform/Replaceable.h"

#include <QString>

namespace lumelle::platform {

class Messages
{
public:
    virtual ~Messages() = default;
    // A plain message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // An information box with an OK button.
    virtual void showInformation(const QString& text) = 0;
    // A question without icon with Yes and No; true when Yes was pressed. Enter presses
    // `preferred`; a question whose Yes loses something prefers No.
    enum class Answer { Yes, No };
    virtual bool askYesNo(const QString& text, Answer preferred = Answer::Yes) = 0;
    // A plain message with an OK button and a second button captioned `action`; true when that
    // button was pressed. A layer without such a box shows the plain message.
    virtual bool showMessageWithAction(const QString& text, const QString& action)
    {
        Q_UNUSED(action);
        showMessage(text);
        return false;
    }
};

// Without an installed layer texts go nowhere and questions are answered No.
template <> Messages& Replaceable<Messages>::standard();

// The layer in use.
inline Messages& messages()
{
    return Replaceable<Messages>::current();
}

// Installs a layer for the lifetime of this object.
using ScopedMessages = Replaceable<Messages>::Scoped;

} // namespace lumelle::platform
