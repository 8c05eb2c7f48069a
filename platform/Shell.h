// The shell's "open" of a web address: shows the page in the user's web browser. The program
// neither waits for nor checks the result.
#pragma once

#include <QString>
#include <QStringList>

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

// The shell in use. Never null: the desktop shell unless another one is installed.
Shell& shell();
// Installs a shell (not owned); nullptr puts the desktop shell back. Returns the previous one
// (nullptr for the desktop shell).
Shell* setShell(Shell* replacement);

// Installs a shell for the lifetime of this object.
class ScopedShell
{
public:
    explicit ScopedShell(Shell* replacement) : m_previous(setShell(replacement)) {}
    ~ScopedShell() { setShell(m_previous); }
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;

private:
    Shell* m_previous;
};

// Test double: remembers every address it was asked to open.
class RecordingShell : public Shell
{
public:
    void openAddress(const QString& address) override { m_opened << address; }
    const QStringList& opened() const { return m_opened; }

private:
    QStringList m_opened;
};

} // namespace lumelle::platform
