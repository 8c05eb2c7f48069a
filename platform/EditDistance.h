// How far apart two texts are, for naming the nearest of a list to something mistyped.
#pragma once

#include <QString>
#include <algorithm>
#include <vector>

namespace lumelle {

// The Levenshtein distance: the fewest single-character insertions, deletions and
// substitutions that turn `a` into `b`.
inline int EditDistance(const QString& a, const QString& b)
{
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[std::size_t(j)];
            row[std::size_t(j)] = std::min({above + 1, row[std::size_t(j - 1)] + 1,
                                            diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace lumelle
