#include "render/FontMatch.h"

#include <algorithm>
#include <vector>

namespace lumelle {

namespace {

// Levenshtein distance between two texts.
int editDistance(const QString& a, const QString& b)
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

} // namespace

QString MatchFontName(const QString& wanted, const QStringList& names)
{
    for (const QString& name : names) {
        if (name.compare(wanted.trimmed(), Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}

QStringList NearestFontNames(const QString& wanted, const QStringList& names, int count)
{
    const QString key = wanted.trimmed().toLower();
    struct Candidate
    {
        int score;
        qsizetype order;
    };
    std::vector<Candidate> candidates;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = names[i].toLower();
        const bool related = !key.isEmpty() && (name.contains(key) || key.contains(name));
        // A name that contains the text typed comes before any misspelling.
        const int score =
            related ? int(std::abs(name.size() - key.size())) : 1000 + editDistance(key, name);
        candidates.push_back({score, i});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
    QStringList nearest;
    for (const Candidate& c : candidates) {
        if (nearest.size() >= count)
            break;
        nearest << names[c.order];
    }
    return nearest;
}

} // namespace lumelle
