#include "platform/Messages.h"

namespace lumelle::platform {

namespace {

class SilentMessages : public Messages
{
public:
    void showMessage(const QString&) override {}
    void showInformation(const QString&) override {}
    bool askYesNo(const QString&, Answer) override { return false; }
};

} // namespace

template <> Messages& Replaceable<Messages>::standard()
{
    static SilentMessages silent;
    return silent;
}

} // namespace lumelle::platform
