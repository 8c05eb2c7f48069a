#include "render/FontMatch.h"

#include "platform/EditDistance.h"

#include <algorithm>
#include <vector>

namespace lumelle {

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
            related ? int(std::abs(name.size() - key.size())) : 1000 + EditDistance(key, name);
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
