#pragma once

#include <vector>

#include "grid/wall_grid.h"
#include "render/end_marks.h"

namespace nitka {

// A straight stretch of wall in grid units: a horizontal run lies on grid row
// `line` from grid column `from` to `to`, a vertical one on grid column `line`
// from grid row `from` to `to`.
struct WallRun {
    bool horizontal = true;
    int line = 0;
    int from = 0;
    int to = 0;
};

namespace wall_runs_detail {

// One step along a line of flags: from is where the run of walls under way
// began, or -1. Returns where a run that ends at `at` began, or -1.
inline int follow(int& from, bool wall, int at) {
    if (wall) {
        if (from < 0) {
            from = at;
        }
        return -1;
    }
    const int ended = from;
    from = -1;
    return ended;
}

}  // namespace wall_runs_detail

// Calls visit with the pieces of run that remain once the grid unit `gap`
// (horizontal or not, on grid line gapLine, from gapAt to gapAt + 1) is taken
// out, or with run itself when the gap is not on it.
template <typename Visit>
void visitAroundGap(const WallRun& run, bool gapHorizontal, int gapLine, int gapAt, Visit&& visit) {
    if (run.horizontal != gapHorizontal || run.line != gapLine || gapAt < run.from ||
        gapAt >= run.to) {
        visit(run);
        return;
    }
    if (run.from < gapAt) {
        visit(WallRun{run.horizontal, run.line, run.from, gapAt});
    }
    if (gapAt + 1 < run.to) {
        visit(WallRun{run.horizontal, run.line, gapAt + 1, run.to});
    }
}

// Calls visit with what remains of run once the openings a width x height
// rectangle's ends get (gridStartGap, gridTargetGap) are taken out of it.
template <typename Visit>
void visitAroundOpenings(const WallRun& run, int width, int height, Visit&& visit) {
    const GridGap start = gridStartGap();
    const GridGap target = gridTargetGap(width, height);
    visitAroundGap(run, start.horizontal, start.line, start.at, [&](const WallRun& piece) {
        visitAroundGap(piece, target.horizontal, target.line, target.at, visit);
    });
}

// Calls visit(run) for each longest run of set top flags along a grid row and
// of set left flags down a grid column; any flag but Open is a wall. The
// maze's right and bottom edges, which the grid does not hold, are not among
// them. Reads the grid once, row by row, holding one number a column: a row's
// horizontal runs come as it is read, a vertical run as soon as it ends.
template <typename Visit>
void forEachWallRun(const WallGrid& grid, Visit&& visit) {
    using wall_runs_detail::follow;
    const int width = grid.width();
    const int height = grid.height();
    std::vector<int> downFrom(static_cast<std::size_t>(width), -1);
    for (int y = 0; y < height; ++y) {
        const std::size_t rowStart = grid.index({0, y});
        int acrossFrom = -1;
        for (int x = 0; x < width; ++x) {
            const std::size_t cell = rowStart + static_cast<std::size_t>(x);
            if (const int from = follow(acrossFrom, grid.top(cell) != Flag::Open, x); from >= 0) {
                visit(WallRun{true, y, from, x});
            }
            int& down = downFrom[static_cast<std::size_t>(x)];
            if (const int from = follow(down, grid.left(cell) != Flag::Open, y); from >= 0) {
                visit(WallRun{false, x, from, y});
            }
        }
        if (acrossFrom >= 0) {
            visit(WallRun{true, y, acrossFrom, width});
        }
    }
    for (int x = 0; x < width; ++x) {
        if (downFrom[static_cast<std::size_t>(x)] >= 0) {
            visit(WallRun{false, x, downFrom[static_cast<std::size_t>(x)], height});
        }
    }
}

}  // namespace nitka
