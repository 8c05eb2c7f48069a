// The bash completion of lumelle-convert, written from the option table at build time: the
// options, the values each takes and the files it reads.
#pragma once

#include <QString>
#include <QStringList>

namespace lumelle {

// The extensions of the files the converter reads, in lower case: the subtitle kinds known by
// their names, and the Blu-ray .sup (known by its bytes, but named so as a rule).
QStringList InputExtensions();

// The completion script, for /usr/share/bash-completion/completions/lumelle-convert.
QString BashCompletionScript();

} // namespace lumelle
