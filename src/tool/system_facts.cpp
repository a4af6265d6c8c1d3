#include "tool/system_facts.h"

#include <unistd.h>

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

}  // namespace

SystemFacts systemFacts() {
    SystemFacts facts;
    facts.memoryAvailable = processMemoryLimit();
    facts.standardOutputIsTerminal = standardOutputIsTerminal();
    facts.sameFile = isSameFile;
    facts.readMask = readMaskTelling;
    return facts;
}

}  // namespace nitka
