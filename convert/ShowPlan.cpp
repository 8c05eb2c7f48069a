#include "convert/ShowPlan.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <set>
#include <utility>

namespace lumelle {

namespace {

std::int64_t endOf(const ShowTimes& t)
{
    return std::max<std::int64_t>(t.end, std::int64_t(t.start) + 1);
}

// Cuts one cluster of overlapping subtitles, order[first, last) (ordered by start), at every
// start and end in one sweep: at each bound the subtitles ending there leave the picture and
// those starting there join it. Entries are kept by their place in `order`, so each picture
// lists them earliest-starting first.
void cutCluster(const std::vector<ShowTimes>& times, const std::vector<int>& order,
                std::size_t first, std::size_t last, std::vector<ShowSegment>& out)
{
    auto startAt = [&](std::size_t place) {
        return std::int64_t(times[std::size_t(order[place])].start);
    };
    std::vector<std::pair<std::int64_t, std::size_t>> ends; // (end, place), by end
    ends.reserve(last - first);
    for (std::size_t place = first; place < last; ++place)
        ends.emplace_back(endOf(times[std::size_t(order[place])]), place);
    std::sort(ends.begin(), ends.end());

    std::set<std::size_t> showing;
    std::size_t nextStart = first;
    std::size_t nextEnd = 0;
    while (nextEnd < ends.size()) {
        const std::int64_t bound = nextStart < last
                                       ? std::min(startAt(nextStart), ends[nextEnd].first)
                                       : ends[nextEnd].first;
        // Every end lies after its own start, so nothing leaves before it has joined.
        for (; nextEnd < ends.size() && ends[nextEnd].first == bound; ++nextEnd)
            showing.erase(ends[nextEnd].second);
        for (; nextStart < last && startAt(nextStart) == bound; ++nextStart)
            showing.insert(nextStart);
        if (showing.empty())
            continue;
        const std::int64_t next = nextStart < last
                                      ? std::min(startAt(nextStart), ends[nextEnd].first)
                                      : ends[nextEnd].first;
        ShowSegment segment{int(bound), int(next), {}};
        segment.entries.reserve(showing.size());
        for (std::size_t place : showing)
            segment.entries.push_back(order[place]);
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
        const std::size_t first = at;
        std::int64_t clusterEnd = endOf(times[std::size_t(order[at])]);
        for (++at; at < order.size() && times[std::size_t(order[at])].start < clusterEnd; ++at)
            clusterEnd = std::max(clusterEnd, endOf(times[std::size_t(order[at])]));
        if (at - first == 1) {
            const ShowTimes& t = times[std::size_t(order[first])];
            plan.segments.push_back({t.start, t.end, {order[first]}});
        } else {
            plan.merged += int(at - first);
            cutCluster(times, order, first, at, plan.segments);
        }
    }
    return plan;
}

} // namespace lumelle
