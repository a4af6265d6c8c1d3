#include "tool/planned_input.h"

namespace nitka {

AnyMaze readPlannedMaze(const std::string& name, const std::function<void(const FileMaze&)>& plan,
                        const MemoryNeed& need) {
    MazeInput input(name);
    const MazeHeader& header = input.header();
    plan(FileMaze{header.shape, header.width, header.height, nullptr, input.shownName(),
                  input.isStream()});
    // A regular file's size was weighed by the plan, from its header.
    return input.isStream() ? input.read(need) : input.read();
}

}  // namespace nitka
