#include "convert/ShowPlan.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace lumelle {

namespace {

std::int64_t endOf(const ShowTimes& t)
{
    return std::max<std::int64_t>(t.end, std::int64_t(t.start) + 1);
}

// Cuts one cluster of overlapping subtitles (indexes ordered by start) at every start and end.
void cutCluster(const std::vector<ShowTimes>& times, const std::vector<int>& cluster,
                std::vector<ShowSegment>& out)
{
    std::vector<std::int64_t> bounds;
    for (int i : cluster) {
        bounds.push_back(times[std::size_t(i)].start);
        bounds.push_back(endOf(times[std::size_t(i)]));
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    for (std::size_t b = 0; b + 1 < bounds.size(); ++b) {
        ShowSegment segment{int(bounds[b]), int(bounds[b + 1]), {}};
        for (int i : cluster) {
            const ShowTimes& t = times[std::size_t(i)];
            if (t.start <= bounds[b] && bounds[b] < endOf(t))
                segment.entries.push_back(i);
        }
        if (!segment.entries.empty())
            out.push_back(std::move(segment));
    }
}

} // namespace

ShowPlan PlanShowing(const std::vector<ShowTimes>& times)
{
    std::vector<int> order(times.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&times](int a, int b) {
        return times[std::size_t(a)].start < times[std::size_t(b)].start;
    });

    ShowPlan plan;
    std::size_t at = 0;
    while (at < order.size()) {
        // A cluster: every following subtitle that starts before the ones so far have ended.
        std::vector<int> cluster{order[at]};
        std::int64_t clusterEnd = endOf(times[std::size_t(order[at])]);
        for (++at; at < order.size() && times[std::size_t(order[at])].start < clusterEnd; ++at) {
            cluster.push_back(order[at]);
            clusterEnd = std::max(clusterEnd, endOf(times[std::size_t(order[at])]));
        }
        if (cluster.size() == 1) {
            const ShowTimes& t = times[std::size_t(cluster.front())];
            plan.segments.push_back({t.start, t.end, cluster});
        } else {
            plan.merged += int(cluster.size());
            cutCluster(times, cluster, plan.segments);
        }
    }
    return plan;
}

} // namespace lumelle
