// The shell's "open" of a web address: shows the page in the user's web browser. The program
// neither waits for nor checks the result.
#pragma once

#include "platform/Replaceable.h"

#include <QString>

namespace lumelle::platform {

class Shell
{
public:
    virtual ~Shell() = default;
    virtual void openAddress(const QString& address) = 0;
};

// The desktop's own handler for web addresses.
class DesktopShell : public Shell
{
public:
    void openAddress(const QString& address) override;
};

// The desktop shell unless another one is installed.
template <> Shell& Replaceable<Shell>::standard();

// The shell in use.
inline Shell& shell()
{
    return Replaceable<Shell>::current();
}

// Installs a shell for the lifetime of this object.
using ScopedShell = Replaceable<Shell>::Scoped;

} // namespace lumelle::platform
