#pragma once

#include <cstdint>
#include <string>

namespace nitka {

// What this process may still allocate, as far as the system tells: the least
// of the memory available on the machine (MemAvailable), the room left under
// its control group's limit (cgroup v2 memory.max, v1 memory.limit_in_bytes),
// and the room left under its address-space and data limits (RLIMIT_AS,
// RLIMIT_DATA). A source that cannot be read does not count.
std::uint64_t processMemoryLimit();

// The same from given texts and numbers, for tests: the contents of
// /proc/meminfo, /proc/self/status and the control group's limit and usage
// files ("" where absent), and the two resource limits' soft values.
struct MemorySources {
    std::string meminfo;
    std::string status;
    std::string groupLimit;
    std::string groupUsage;
    std::uint64_t addressLimit = UINT64_MAX;
    std::uint64_t dataLimit = UINT64_MAX;
};
std::uint64_t memoryLimitFrom(const MemorySources& sources);

}  // namespace nitka
