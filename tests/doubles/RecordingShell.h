// Shell double: remembers every address it was asked to open.
#pragma once

#include "platform/Shell.h"

#include <QStringList>

namespace lumelle::platform {

class RecordingShell : public Shell
{
public:
    void openAddress(const QString& address) override { m_opened << address; }
    const QStringList& opened() const { return m_opened; }

private:
    QStringList m_opened;
};

} // namespace lumelle::platform
