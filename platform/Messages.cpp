#include "platform/Messages.h"

namespace lumelle::platform {

namespace {

class SilentMessages : public Messages
{
public:
    void showMessage(const QString&) override {}
    void showInformation(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
};

SilentMessages g_silent;
Messages* g_current = &g_silent;

} // namespace

Messages& messages()
{
    return *g_current;
}

Messages* setMessages(Messages* layer)
{
    Messages* previous = g_current == &g_silent ? nullptr : g_current;
    g_current = layer ? layer : &g_silent;
    return previous;
}

} // namespace lumelle::platform
