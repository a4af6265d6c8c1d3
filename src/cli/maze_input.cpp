#include "cli/maze_input.h"

#include <memory>
#include <optional>

#include "cli/standard_streams.h"
#include "cli/tool_error.h"
#include "storage/grid_reader.h"
#include "storage/maze_file.h"
#include "storage/maze_reader.h"

namespace nitka {

WallGrid readMazeInput(const std::string& name, MazeCommand command) {
    const std::string shown = inputName(name);
    return onFile(shown, [&] {
        // A named file must be a regular one, as for the window: a FIFO or
        // device named by mistake is refused rather than waited on.
        std::optional<InputFile> file;
        std::optional<StandardInput> standard;
        std::streambuf& in = name == "-" ? static_cast<std::streambuf&>(standard.emplace())
                                         : file.emplace(name).stream();
        MazeReader reader(in);
        const MazeSize size = readMazeHeader(reader);
        if (size.width < 1 || size.height < 1) {
            throw ToolError(shown, "no maze: its width or height is below 1");
        }
        if (const auto why = refusal(command, size.width, size.height)) {
            throw ToolError(shown, *why);
        }
        WallGrid grid(size.width, size.height);
        readGridCells(reader, grid);
        if (file) {
            file->close();
        }
        return grid;
    });
}

}  // namespace nitka
