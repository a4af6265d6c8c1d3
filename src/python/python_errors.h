#pragma once

#include <pybind11/pybind11.h>

namespace nitka::python {

// Makes the tool's failures Python's exceptions, with the tool's own text
// ("SUBJECT: WHY"): a request that cannot be carried out as written is a
// ValueError, work that would need more memory than this process may use a
// MemoryError, a file that cannot be read or written an OSError, any other
// failure of the work a RuntimeError.
void translateToolErrors();

}  // namespace nitka::python
