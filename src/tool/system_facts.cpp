#include "tool/system_facts.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "shape/mask_source.h"
#include "shape/shape_error.h"
#include "tool/file_identity.h"
#include "tool/memory_limit.h"
#include "tool/output_target.h"

namespace nitka {
namespace {

bool isSameFile(const std::string& output, const std::string& input) {
    const auto written = identityOf(output, STDOUT_FILENO);
    return written && identityOf(input, STDIN_FILENO) == written;
}

CellMask readMaskTelling(const std::string& name) {
    const std::string shown = inputName(name);
    return blamingFile(shown, [&] {
        try {
            return readMaskFile(name);
        } catch (const ShapeError& error) {
            throw ToolError(shown, error.what());
        }
    });
}

// The cores this process may run on: fewer than the machine's under taskset.
int usableCores() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0) {
        return std::max(1, CPU_COUNT(&allowed));
    }
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

}  // namespace

SystemFacts systemFacts() {
    SystemFacts facts;
    facts.memoryAvailable = processMemoryLimit();
    facts.cores = usableCores();
    facts.standardOutputIsTerminal = standardOutputIsTerminal();
    facts.sameFile = isSameFile;
    facts.readMask = readMaskTelling;
    return facts;
}

}  // namespace nitka
