// How many processors this process may run on: the CPUs its affinity mask allows (taskset,
// cpusets) and no more than the CPU quota of its control group (containers) grants.
#pragma once

#include <optional>
#include <string>

namespace lumelle::platform {

// The processors this process may use; at least 1.
int usableProcessors();

// The whole processors a cgroup v2 "cpu.max" line ("QUOTA PERIOD", or "max PERIOD") grants,
// rounded up; none when unlimited or unreadable.
std::optional<int> processorsOfQuota(const std::string& cpuMax);

} // namespace lumelle::platform
