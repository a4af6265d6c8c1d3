// The extension module nitka._nitka; nitka/__init__.py is its public face.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "python/python_batch.h"
#include "python/python_errors.h"
#include "python/python_maze.h"

namespace py = pybind11;

namespace nitka::python {
namespace {

// Runs work without the interpreter's lock, so other threads go on meanwhile.
template <typename Work>
auto unlocked(Work&& work) {
    py::gil_scoped_release release;
    return std::forward<Work>(work)();
}

// A batch carved on a thread of its own while this one, every tenth of a
// second, lets the interpreter run its signal handlers: Ctrl-C stops the
// carving and raises KeyboardInterrupt, as in any other long call.
PythonBatch carveStoppably(const BatchArguments& arguments) {
    std::atomic<bool> stop{false};
    std::optional<PythonBatch> carved;
    std::exception_ptr failure;
    std::optional<py::error_already_set> signalled;
    {
        py::gil_scoped_release release;
        std::mutex lock;
        std::condition_variable finished;
        bool done = false;
        std::jthread carver([&] {
            try {
                carved = PythonBatch::carve(arguments, &stop);
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard hold(lock);
            done = true;
            finished.notify_one();
        });
        std::unique_lock held(lock);
        while (!finished.wait_for(held, std::chrono::milliseconds(100), [&] { return done; })) {
            held.unlock();
            {
                const py::gil_scoped_acquire acquire;
                if (!signalled && PyErr_CheckSignals() != 0) {
                    signalled.emplace();
                    stop = true;
                }
            }
            held.lock();
        }
    }
    if (signalled) {
        throw std::move(*signalled);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return std::move(*carved);
}

// An array over values' own memory, which the array then keeps: no copy.
template <typename Value>
py::array ownedArray(std::vector<Value> values, std::vector<py::ssize_t> shape,
                     const py::dtype& type) {
    if (values.empty()) {
        return py::array(type, shape);
    }
    auto owned = std::make_unique<std::vector<Value>>(std::move(values));
    Value* data = owned->data();
    py::capsule keeper(owned.get(), [](void* held) {
        std::unique_ptr<std::vector<Value>>(static_cast<std::vector<Value>*>(held));
    });
    owned.release();
    return py::array(type, std::move(shape), {}, data, keeper);
}

// Pairs of 32-bit numbers, one row each: (N, 2).
py::array pairRows(std::vector<std::int32_t> numbers) {
    const auto rows = static_cast<py::ssize_t>(numbers.size() / 2);
    return ownedArray(std::move(numbers), {rows, 2}, py::dtype::of<std::int32_t>());
}

// A method handing over one of the JSON graph's lists as (N, 2) rows.
auto graphArray(GraphList list) {
    return [list](const PythonMaze& maze) {
        return pairRows(unlocked([&] { return maze.graph(list); }));
    };
}

py::tuple positionTuple(const Position& at) {
    return py::make_tuple(at.x, at.y);
}

std::optional<Position> positionOf(
    const std::optional<std::pair<std::int64_t, std::int64_t>>& given) {
    if (!given) {
        return std::nullopt;
    }
    return Position{given->first, given->second};
}

void bindMaze(py::module_& module) {
    py::class_<PythonMaze>(module, "Maze", "A maze of any shape, as nitka-maze holds it.")
        .def("__repr__",
             [](const PythonMaze& maze) {
                 const auto seed = maze.seed();
                 return "nitka.Maze(shape='" + maze.shape() +
                        "', width=" + std::to_string(maze.width()) +
                        ", height=" + std::to_string(maze.height()) +
                        ", seed=" + (seed ? std::to_string(*seed) : std::string("None")) + ")";
             })
        .def_property_readonly("shape", &PythonMaze::shape, "rect, hex, triangle or polar.")
        .def_property_readonly("width", &PythonMaze::width,
                               "Cells a row (polar: of the outer ring), as the JSON graph says.")
        .def_property_readonly("height", &PythonMaze::height, "Rows (polar: rings).")
        .def_property_readonly("seed", &PythonMaze::seed,
                               "The seed it was carved from; None for a loaded file.")
        .def_property_readonly(
            "start", [](const PythonMaze& maze) { return positionTuple(maze.start()); },
            "The start's position (x, y), as solve prints positions.")
        .def_property_readonly(
            "target", [](const PythonMaze& maze) { return positionTuple(maze.target()); },
            "The target's position (x, y).")
        .def_property_readonly("cell_count", &PythonMaze::cellCount,
                               "Cells, a mask's holes left out.")
        .def("cells", graphArray(GraphList::Cells),
             "(N, 2) int32: every cell's position, in the order render --format json lists them.")
        .def("passages", graphArray(GraphList::Passages),
             "(E, 2) int32: pairs i < j of indices into cells() whose shared side is open, sorted.")
        .def("neighbours", graphArray(GraphList::Neighbours),
             "(E, 2) int32: pairs i < j of indices into cells() that share a side, sorted.")
        .def(
            "grid",
            [](const PythonMaze& maze) {
                WallPicture picture = unlocked([&] { return maze.grid(); });
                return ownedArray(std::move(picture.walls), {picture.rows, picture.columns},
                                  py::dtype::of<bool>());
            },
            "The occupancy grid of a rect maze: (2H+1, 2W+1) bool, True for a wall, cell (x, y) "
            "at [2y+1, 2x+1]. Other shapes raise ValueError.")
        .def(
            "solve",
            [](PythonMaze& maze, bool shortest,
               std::optional<std::pair<std::int64_t, std::int64_t>> start,
               std::optional<std::pair<std::int64_t, std::int64_t>> target) {
                return pairRows(unlocked(
                    [&] { return maze.solve(shortest, positionOf(start), positionOf(target)); }));
            },
            py::arg("shortest") = false, py::arg("start") = py::none(),
            py::arg("target") = py::none(),
            "(L, 2) int32: the route's positions, as nitka-maze solve prints them.")
        .def(
            "info",
            [](PythonMaze& maze) {
                const std::string text = unlocked([&] { return maze.infoJson(); });
                return py::module_::import("json").attr("loads")(text);
            },
            "The measures and difficulty, as a dict: info --json's keys.")
        .def(
            "_render",
            [](const PythonMaze& maze, std::string format, bool route, bool shortest,
               std::optional<std::string> cell, std::optional<std::string> marks, bool plotter,
               std::vector<std::pair<std::string, std::string>> millimetres) {
                const RenderArguments arguments{std::move(format),
                                                route,
                                                shortest,
                                                std::move(cell),
                                                std::move(marks),
                                                plotter,
                                                std::move(millimetres)};
                const std::string picture = unlocked([&] { return maze.render(arguments); });
                return py::bytes(picture);
            },
            py::arg("format"), py::arg("route"), py::arg("shortest"), py::arg("cell"),
            py::arg("marks"), py::arg("plotter"), py::arg("millimetres"))
        .def(
            "save",
            [](const PythonMaze& maze, const py::object& given) {
                const auto path =
                    py::module_::import("os").attr("fspath")(given).cast<std::string>();
                unlocked([&] {
                    maze.save(path);
                    return 0;
                });
            },
            py::arg("path"),
            "Writes the maze file nitka-maze generate writes; the old file stays whole until "
            "the new one is.");
}

// A read-only array over values that owner keeps: no copy, and what a
// batch saves is what its arrays show.
template <typename Value>
py::array viewOf(const std::vector<Value>& values, std::vector<py::ssize_t> shape,
                 const py::object& owner) {
    py::array view(py::dtype::of<Value>(), std::move(shape), {}, values.data(), owner);
    view.attr("setflags")(py::arg("write") = false);
    return view;
}

// A property handing over one of the batch's arrays, shaped by shapeOf.
template <typename Value, typename ShapeOf>
auto batchArray(std::vector<Value> MazeBatch::*member, ShapeOf shapeOf) {
    return [member, shapeOf](const py::object& self) {
        const MazeBatch& mazes = self.cast<const PythonBatch&>().mazes();
        return viewOf(mazes.*member, shapeOf(mazes), self);
    };
}

void bindBatch(py::module_& module) {
    const auto count = [](const MazeBatch& mazes) -> py::ssize_t { return mazes.count; };
    const auto pairs = [count](const MazeBatch& mazes) {
        return std::vector<py::ssize_t>{count(mazes), 2};
    };
    const auto each = [count](const MazeBatch& mazes) {
        return std::vector<py::ssize_t>{count(mazes)};
    };
    py::class_<PythonBatch>(module, "Batch", "Many mazes as NumPy arrays, maze i at row i.")
        .def("__len__", [count](const PythonBatch& batch) { return count(batch.mazes()); })
        .def_property_readonly("seeds", batchArray(&MazeBatch::seeds, each),
                               "(n,) uint64: maze i is nitka.generate(..., seed=seeds[i]).")
        .def_property_readonly(
            "grids",
            [](const py::object& self) {
                const MazeBatch& mazes = self.cast<const PythonBatch&>().mazes();
                if (mazes.pictureRows == 0) {
                    throw py::value_error("grids: only a rect batch has occupancy grids");
                }
                return viewOf(mazes.walls, {mazes.count, mazes.pictureRows, mazes.pictureColumns},
                              self);
            },
            "(n, 2H+1, 2W+1) bool, True for a wall, as Maze.grid(); rect only.")
        .def_property_readonly(
            "passages",
            batchArray(&MazeBatch::passages,
                       [](const MazeBatch& mazes) {
                           return std::vector<py::ssize_t>{
                               static_cast<py::ssize_t>(mazes.passages.size() / 2), 2};
                       }),
            "(P, 2) int32: every maze's Maze.passages(), one after another.")
        .def_property_readonly(
            "passage_offsets",
            batchArray(&MazeBatch::passageOffsets,
                       [count](const MazeBatch& mazes) {
                           return std::vector<py::ssize_t>{count(mazes) + 1};
                       }),
            "(n+1,) int64: maze i's passages are passages[offsets[i]:offsets[i+1]].")
        .def_property_readonly("starts", batchArray(&MazeBatch::starts, pairs),
                               "(n, 2) int32: every maze's start (x, y).")
        .def_property_readonly("targets", batchArray(&MazeBatch::targets, pairs),
                               "(n, 2) int32: every maze's target (x, y).")
        .def_property_readonly("route_lengths", batchArray(&MazeBatch::routeLengths, each),
                               "(n,) int64: cells of the route from start to target.")
        .def_property_readonly("difficulty", batchArray(&MazeBatch::difficulty, each),
                               "(n,) float64: every maze's score, as info tells it.")
        .def_property_readonly(
            "tries", [](const PythonBatch& batch) { return batch.mazes().tries; },
            "Seeds drawn to find the mazes: more than n when filters passed some over.")
        .def_property_readonly(
            "options",
            [](const PythonBatch& batch) {
                return py::module_::import("json").attr("loads")(batch.options());
            },
            "What made the batch, as a dict: the .npz's options.")
        .def(
            "save",
            [](const PythonBatch& batch, const py::object& given) {
                const auto path =
                    py::module_::import("os").attr("fspath")(given).cast<std::string>();
                unlocked([&] {
                    batch.save(path);
                    return 0;
                });
            },
            py::arg("path"),
            "Writes the .npz nitka-maze dataset writes; numpy.load reads it without pickle.");
}

}  // namespace
}  // namespace nitka::python

PYBIND11_MODULE(_nitka, module) {
    using namespace nitka::python;
    module.doc() = "The maze engine of nitka-maze; use the package nitka.";
    translateToolErrors();
    bindMaze(module);
    bindBatch(module);
    module.def(
        "generate",
        [](std::optional<std::string> width, std::optional<std::string> height, std::string shape,
           std::string method, std::optional<std::string> seed, std::optional<std::string> pick,
           std::optional<std::string> braid, std::optional<std::string> mask,
           std::optional<std::string> exits, std::optional<std::string> difficulty) {
            const GenerateArguments arguments{
                width, height, std::move(shape), std::move(method), seed, pick, braid,
                mask,  exits,  difficulty};
            return unlocked([&] { return PythonMaze::generate(arguments); });
        });
    module.def("batch", [](std::string count, std::optional<std::string> width,
                           std::optional<std::string> height, std::string shape, std::string method,
                           std::optional<std::string> seed,
                           std::optional<std::pair<double, double>> difficulty, bool unique,
                           std::optional<std::string> threads) {
        BatchArguments arguments;
        arguments.count = std::move(count);
        arguments.maze.width = std::move(width);
        arguments.maze.height = std::move(height);
        arguments.maze.shape = std::move(shape);
        arguments.maze.method = std::move(method);
        arguments.maze.seed = std::move(seed);
        arguments.difficulty = difficulty;
        arguments.unique = unique;
        arguments.threads = std::move(threads);
        return carveStoppably(arguments);
    });
    module.def("load", [](const std::string& path) {
        return unlocked([&] { return PythonMaze::load(path); });
    });
}
