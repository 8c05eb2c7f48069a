// Shell double: remembers every address it was asked to open; answers as a desktop with (by
// default) or without a program for them.
#pragma once

#include "platform/Shell.h"

#include <QStringList>

namespace lumelle::platform {

class RecordingShell : public Shell
{
public:
    bool openAddress(const QString& address) override
    {
        m_opened << address;
        return m_hasProgram;
    }
    void setHasProgram(bool hasProgram) { m_hasProgram = hasProgram; }
    const QStringList& opened() const { return m_opened; }

private:
    QStringList m_opened;
    bool m_hasProgram = true;
};

} // namespace lumelle::platform
