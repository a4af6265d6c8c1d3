#include "tool/memory_limit.h"

#include "grid/size_limits.h"
#include "tool/memory_need.h"

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <tuple>
#include <utility>

namespace nitka {
namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::uint64_t> number(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

// The value of "Key:   1234 kB" in /proc's key-value files, in bytes.
std::optional<std::uint64_t> kibibytesOf(const std::string& text, std::string_view key) {
    const std::string label = std::string(key) + ':';
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line(text.data() + at, end - at);
        if (line.starts_with(label)) {
            const auto value = number(line.substr(label.size()));
            return value ? std::optional(*value * 1024) : std::nullopt;
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::uint64_t roomUnder(std::uint64_t limit, std::optional<std::uint64_t> used) {
    if (limit == UINT64_MAX) {
        return UINT64_MAX;
    }
    const std::uint64_t taken = used.value_or(0);
    return limit > taken ? limit - taken : 0;
}

// The control group's files: v2 first, where the process's group is the one
// line "0::/path"; v1's memory controller names its own path.
std::pair<std::string, std::string> groupFiles() {
    const std::string groups = fileText("/proc/self/cgroup");
    std::istringstream lines(groups);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("0::")) {
            const std::string folder = "/sys/fs/cgroup" + line.substr(3);
            const std::string limit = fileText(folder + "/memory.max");
            if (!limit.empty()) {
                return {limit, fileText(folder + "/memory.current")};
            }
        }
        if (const auto at = line.find(":memory:"); at != std::string::npos) {
            const std::string folder = "/sys/fs/cgroup/memory" + line.substr(at + 8);
            const std::string limit = fileText(folder + "/memory.limit_in_bytes");
            if (!limit.empty()) {
                return {limit, fileText(folder + "/memory.usage_in_bytes")};
            }
        }
    }
    return {};
}

std::uint64_t softLimit(int resource) {
    struct rlimit limit {};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return UINT64_MAX;
    }
    return limit.rlim_cur;
}

}  // namespace

std::uint64_t memoryLimitFrom(const MemorySources& sources) {
    std::uint64_t least = UINT64_MAX;
    if (const auto available = kibibytesOf(sources.meminfo, "MemAvailable")) {
        least = std::min(least, *available);
    }
    // "max", or a v1 figure near 2^63, means no limit.
    if (const auto limit = number(sources.groupLimit); limit && *limit < (UINT64_MAX >> 2)) {
        least = std::min(least, roomUnder(*limit, number(sources.groupUsage)));
    }
    least = std::min(least, roomUnder(sources.addressLimit, kibibytesOf(sources.status, "VmSize")));
    least = std::min(least, roomUnder(sources.dataLimit, kibibytesOf(sources.status, "VmData")));
    return least;
}

std::uint64_t processMemoryLimit() {
    MemorySources sources;
    sources.meminfo = fileText("/proc/meminfo");
    sources.status = fileText("/proc/self/status");
    std::tie(sources.groupLimit, sources.groupUsage) = groupFiles();
    sources.addressLimit = softLimit(RLIMIT_AS);
    sources.dataLimit = softLimit(RLIMIT_DATA);
    return memoryLimitFrom(sources);
}

}  // namespace nitka

namespace nitka {

std::optional<std::string> memoryRefusal(std::int64_t width, std::int64_t height,
                                         std::uint64_t need) {
    return refusal(width, height, need, processMemoryLimit());
}

}  // namespace nitka
