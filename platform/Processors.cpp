#include "platform/Processors.h"

#include <algorithm>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <thread>

namespace lumelle::platform {

namespace {

// The CPUs of the affinity mask; none when the system does not say.
std::optional<int> affinityProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) != 0)
        return std::nullopt;
    const int count = CPU_COUNT(&set);
    return count > 0 ? std::optional<int>(count) : std::nullopt;
}

// The "cpu.max" of this process's cgroup v2 group ("0::/path" in /proc/self/cgroup).
std::string cgroupCpuMax()
{
    std::ifstream groups("/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        if (line.rfind("0::", 0) != 0)
            continue;
        std::ifstream limit("/sys/fs/cgroup" + line.substr(3) + "/cpu.max");
        std::string cpuMax;
        if (std::getline(limit, cpuMax))
            return cpuMax;
    }
    return std::string();
}

} // namespace

std::optional<int> processorsOfQuota(const std::string& cpuMax)
{
    std::istringstream in(cpuMax);
    long long quota = 0;
    long long period = 0;
    if (!(in >> quota >> period) || quota <= 0 || period <= 0)
        return std::nullopt; // "max": no quota
    return int(std::max<long long>(1, (quota + period - 1) / period));
}

int usableProcessors()
{
    int count = affinityProcessors().value_or(int(std::thread::hardware_concurrency()));
    if (const std::optional<int> quota = processorsOfQuota(cgroupCpuMax()))
        count = std::min(count, *quota);
    return std::max(1, count);
}

} // namespace lumelle::platform
