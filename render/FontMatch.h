// Matching a font name typed by a person against the names the window offers.
#pragma once

#include <QString>
#include <QStringList>

namespace lumelle {

// The entry of `names` equal to `wanted` without regard to case, or an empty text.
QString MatchFontName(const QString& wanted, const QStringList& names);

// Up to `count` entries of `names` nearest to `wanted`: those containing it (or contained in it)
// first, then by edit distance, all without regard to case; ties keep the order of `names`.
QStringList NearestFontNames(const QString& wanted, const QStringList& names, int count);

} // namespace lumelle
