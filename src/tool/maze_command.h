#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tool/maze_input.h"
#include "tool/planned_input.h"
#include "tool/progress.h"
#include "tool/system_facts.h"

namespace nitka {

// The opening every command that reads one maze file shares, in the order
// its checks must come: the request planned without the maze before any work,
// then (by the caller) the output opened, so that one that cannot be written
// costs nothing, then the maze read, its header planned again before anything
// of its size is held. planner is the command's planX (plan/planner.h).
template <typename Request, typename Planner>
class MazeCommand {
public:
    MazeCommand(const Request& asked, Planner planner)
        : m_request(withMazeFile(asked)),
          m_facts(systemFacts()),
          m_planner(planner),
          m_plan(planned(planner(m_request, m_facts, nullptr))) {}

    // The request with its maze file named (mazeFileOrDefault).
    const Request& request() const { return m_request; }
    const auto& plan() const { return m_plan; }

    // A progress line for the command's stages, unless quiet or without a
    // terminal: reading first, then those of secondsPerCell, each estimated
    // from the file's length.
    Progress progress(std::string name, const std::vector<double>& secondsPerCell) const {
        const double cells = expectedCells(m_request.input);
        std::vector<double> seconds{cells * kReadSecondsPerCell};
        for (const double perCell : secondsPerCell) {
            seconds.push_back(cells * perCell);
        }
        return {std::move(name), !m_request.quiet && Progress::terminalAttached(),
                std::move(seconds)};
    }

    // Reads the maze as the progress line's first stage, memory need judged
    // from its header.
    AnyMaze read(Progress& progress, const MemoryNeed& need) const {
        AnyMaze maze = readPlannedMaze(
            m_request.input,
            [this](const FileMaze& header) { planned(m_planner(m_request, m_facts, &header)); },
            need);
        progress.nextStage();
        return maze;
    }

private:
    static Request withMazeFile(Request request) {
        request.input = mazeFileOrDefault(request.input);
        return request;
    }

    Request m_request;
    SystemFacts m_facts;
    Planner m_planner;
    decltype(planned(std::declval<Planner>()(std::declval<const Request&>(),
                                             std::declval<const SystemFacts&>(), nullptr))) m_plan;
};

}  // namespace nitka
