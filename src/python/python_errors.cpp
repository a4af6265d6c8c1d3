#include "python/python_errors.h"

#include <exception>
#include <string>

#include "tool/tool_error.h"

namespace nitka::python {
namespace {

std::string messageOf(const ToolError& error) {
    return error.subject().empty() ? std::string(error.what())
                                   : error.subject() + ": " + error.what();
}

// An option's name starts with a dash; any other subject of a failed work is
// the file it was reading or writing.
bool namesAFile(const ToolError& error) {
    return !error.subject().empty() && error.subject().front() != '-';
}

}  // namespace

void translateToolErrors() {
    pybind11::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) {
                std::rethrow_exception(thrown);
            }
        } catch (const MemoryShortage& error) {
            PyErr_SetString(PyExc_MemoryError, messageOf(error).c_str());
        } catch (const ToolError& error) {
            const std::string message = messageOf(error);
            if (error.status() == kStatusUsage) {
                PyErr_SetString(PyExc_ValueError, message.c_str());
            } else if (namesAFile(error)) {
                PyErr_SetString(PyExc_OSError, message.c_str());
            } else {
                PyErr_SetString(PyExc_RuntimeError, message.c_str());
            }
        }
    });
}

}  // namespace nitka::python
