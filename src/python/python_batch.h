#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "plan/planner.h"
#include "python/python_maze.h"
#include "tool/maze_batch.h"

namespace nitka::python {

// What nitka.batch was given: the maze's options as generate's texts, the
// rest as they are.
struct BatchArguments {
    std::string count;
    GenerateArguments maze;
    std::optional<std::pair<double, double>> difficulty;
    bool unique = false;
    std::optional<std::string> threads;
};

// A dataset as the package holds it: the arrays, and what made them.
class PythonBatch {
public:
    // The batch `nitka-maze dataset` carves for the same options. Throws
    // ToolError as the tool refuses them.
    // stop, when given, ends the carving early (maze_batch.h).
    static PythonBatch carve(const BatchArguments& arguments,
                             const std::atomic<bool>* stop = nullptr);

    const MazeBatch& mazes() const { return m_mazes; }
    // The options' JSON text, as the .npz keeps it.
    std::string options() const;
    // Writes the .npz `nitka-maze dataset` writes, with the tool's file safety.
    void save(const std::string& path) const;

private:
    PythonBatch(BatchRequest request, MazeBatch mazes)
        : m_request(std::move(request)), m_mazes(std::move(mazes)) {}

    BatchRequest m_request;
    MazeBatch m_mazes;
};

}  // namespace nitka::python
