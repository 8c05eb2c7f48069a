// The shell's "open" of an address: shows a web page in the user's web browser, a folder in
// the file manager. The program does not wait for the result; it learns only whether the
// desktop had a program to hand the address to.
#pragma once

#include "platform/Replaceable.h"

#include <QString>

namespace lumelle::platform {

class Shell
{
public:
    virtual ~Shell() = default;
    // False when the desktop has no program for the address.
    virtual bool openAddress(const QString& address) = 0;
};

// The desktop's own handler for web addresses.
class DesktopShell : public Shell
{
public:
    bool openAddress(const QString& address) override;
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
