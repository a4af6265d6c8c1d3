#include "cli/planned_input.h"

#include "cli/tool_error.h"

namespace nitka {

AnyMaze readPlannedMaze(const std::string& name, const std::function<void(const FileMaze&)>& plan) {
    return readMazeInput(name, [&](std::int64_t width, std::int64_t height) -> std::uint64_t {
        plan(FileMaze{ShapeKind::Rect, width, height, nullptr, inputName(name)});
        // The plan has weighed the memory against this process's.
        return 0;
    });
}

}  // namespace nitka
