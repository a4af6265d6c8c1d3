#pragma once

#include <algorithm>

#include "model/generator.h"
#include "model/maze_state.h"

namespace nitka::testing {

struct CarveRecord {
    int steps = 0;
    int deepestStack = 0;
    bool oddEntriesOnly = true;
};

// Runs the carving of a width x height maze on its own, step by step, the way
// the "Depth-First" command does, and records what the steps did.
inline CarveRecord carveAndRecord(MazeState& maze, int width, int height, RandomSource& random) {
    maze.MazeWidth = width;
    maze.MazeHeight = height;
    maze.GridMaxX = 4 * (width / 2);
    maze.GridMaxY = 4 * (height / 2);
    Initialise(maze);
    startCarving(maze, random);
    CarveRecord record;
    while (maze.CarveCount > 0) {
        CelluleSuite(maze, random);
        ++record.steps;
        record.deepestStack = std::max(record.deepestStack, maze.CarveCount);
        if (maze.CarveCount > 0) {  // every entry is the top once, right after its push
            const Position top = maze.CarveStack[maze.CarveCount - 1];
            record.oddEntriesOnly = record.oddEntriesOnly && top.x % 2 == 1 && top.y % 2 == 1;
        }
    }
    return record;
}

}  // namespace nitka::testing
