#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "shape/cell_mask.h"

namespace nitka {

// What the planner needs to know of the system a request runs on, gathered by
// the front end, so that every rule is a plain function of the request and
// these facts and can be tested with any of them.
struct SystemFacts {
    // Bytes this process may still take.
    std::uint64_t memoryAvailable = 0;
    // Threads that run at once on this machine, at least 1.
    int cores = 1;
    // Whether standard output is a terminal, where binary data must not go.
    bool standardOutputIsTerminal = false;
    // Whether writing output would write over input: the same file by any
    // name ("-" naming the standard streams).
    std::function<bool(const std::string& output, const std::string& input)> sameFile =
        [](const std::string&, const std::string&) { return false; };
    // Reads a mask file, once for the whole command; throws the front end's
    // own error for one that cannot be read.
    std::function<CellMask(const std::string& name)> readMask;
};

}  // namespace nitka
