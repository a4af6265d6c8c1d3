"""Mazes of every shape, as NumPy arrays: the engine of nitka-maze in Python.

The same options and seeds make the same mazes as the command line::

    import nitka
    maze = nitka.generate(20, 10, seed=7)
    maze.grid()           # (21, 41) bool occupancy grid, True for a wall
    maze.solve()          # (L, 2) int32 positions of the route
    maze.save("maze.txt") # the file `nitka-maze generate -W 20 -H 10 --seed 7` writes
    maze.render("svg")    # the bytes `nitka-maze render --format svg` writes of it

    batch = nitka.batch(100_000, 15, 15, seed=1)   # on every core
    batch.grids           # (100000, 31, 31) bool; batch.maze(i) carves maze i again
    batch.save("mazes.npz")  # what `nitka-maze dataset -n 100000 --seed 1` writes

Bad arguments raise ValueError (or TypeError) with the tool's own text; a file
that cannot be read or written raises OSError naming it.
"""

import decimal
import numbers
import operator
import os
from typing import Optional, Tuple, Union

try:
    from numpy import bool_ as numpy_bool
except ImportError:  # the mazes need no NumPy; only their arrays do
    numpy_bool = bool

from ._nitka import Batch, Maze
from . import _nitka

__all__ = ["Batch", "Maze", "batch", "generate", "load"]

Path = Union[str, "os.PathLike[str]"]


def _whole(value: Optional[int], name: str) -> Optional[str]:
    """The option's text as the command line would read it."""
    if value is None:
        return None
    # Any integer, NumPy's too (a batch's seeds are numpy.uint64); no bool.
    if not isinstance(value, (bool, numpy_bool)):
        try:
            return str(operator.index(value))
        except TypeError:
            pass
    raise TypeError(f"{name} must be an int, not {type(value).__name__}")


def _is_number(value: object) -> bool:
    """A real number, NumPy's too, but not a bool."""
    return isinstance(value, numbers.Real) and not isinstance(value, (bool, numpy_bool))


def _share(value: float) -> Optional[str]:
    """A share in plain decimals, the digits that make the same float again."""
    if not _is_number(value):
        raise TypeError(f"braid must be a float, not {type(value).__name__}")
    if value == 0:
        return None
    return _decimal(value)


def _decimal(value: float) -> str:
    """A number as plain decimals, the digits that make the same float again."""
    text = repr(float(value))
    if "e" in text:
        text = format(decimal.Decimal(text), "f")
    return text


def _difficulty(value: Union[None, str, float]) -> Optional[str]:
    if value is None or isinstance(value, str):
        return value
    if not _is_number(value):
        raise TypeError(f"difficulty must be a band name or a number, not {type(value).__name__}")
    if float(value).is_integer():
        return str(int(value))
    return _share(value) if 0 < value < 1 else repr(float(value))


def _path(value: Optional[Path], name: str) -> Optional[str]:
    if value is None:
        return None
    path = os.fspath(value)
    if not isinstance(path, str):
        raise TypeError(f"{name} must be a str or os.PathLike[str]")
    if not path:
        raise ValueError(f"{name}: the name is empty")
    return path


def generate(width: Optional[int] = None, height: Optional[int] = None, *,
             shape: str = "rect", method: str = "depth-first", seed: Optional[int] = None,
             pick: Optional[str] = None, braid: float = 0.0, mask: Optional[Path] = None,
             exits: Optional[str] = None,
             difficulty: Union[None, str, float] = None) -> Maze:
    """Carves a maze, as `nitka-maze generate` does with the same options.

    width, height: cells a side, 1 to 1,000,000 (default 50; polar: height is
        its rings). A mask sets the size instead.
    shape: "rect", "hex", "triangle" or "polar".
    method: the carving method (--algorithm): depth-first, prim, kruskal,
        wilson, aldous-broder, hunt-and-kill, growing-tree, eller,
        binary-tree, sidewinder, recursive-division; the last four keep to a
        plain rectangle.
    seed: 0 to 2**64 - 1; drawn when None, and kept as maze.seed. The same
        seed and options make the same maze again, here and in nitka-maze.
    pick: growing-tree's pick: "newest", "random", "oldest" or "mix:P".
    braid: share of dead ends to open into loops, 0 to 1.
    mask: a PNG or text picture of the cells to keep (rect, hex, triangle).
    exits: "farthest" puts the start and target on the outer edge, as far
        apart as the maze allows.
    difficulty: "easy", "medium", "hard", "expert" or a score: carves mazes
        of seeds drawn from seed until one scores in it, choosing the size
        and method when not given (docs/difficulty.md).

    Raises ValueError for options the tool refuses, with its words, OSError
    for a mask that cannot be read, MemoryError for a size past what this
    process may hold (before any of it is taken), RuntimeError when the work
    cannot be done otherwise (a size past the caps, a difficulty too rare).
    """
    if not isinstance(shape, str) or not isinstance(method, str):
        raise TypeError("shape and method must be str")
    for name, value in (("pick", pick), ("exits", exits)):
        if value is not None and not isinstance(value, str):
            raise TypeError(f"{name} must be a str")
    return _nitka.generate(_whole(width, "width"), _whole(height, "height"), shape, method,
                           _whole(seed, "seed"), pick, _share(braid), _path(mask, "mask"),
                           exits, _difficulty(difficulty))


def _render(self: Maze, format: str = "png", route: bool = False, shortest: bool = False,
            cell: Optional[int] = None, marks: Optional[str] = None, *, plotter: bool = False,
            cell_mm: Optional[float] = None, pen_mm: Optional[float] = None,
            wall_mm: Optional[float] = None, height_mm: Optional[float] = None,
            base_mm: Optional[float] = None) -> bytes:
    """The picture `nitka-maze render` draws of this maze's file, byte for byte.

    format: "png", "svg", "pdf", "json" (the graph), "stl" (a solid for a 3D
        printer) or "ascii" (rect only).
    route: dots along the route (the window's route, from start to target).
    shortest: a shortest route's dots instead.
    cell: pixels a cell in PNG and SVG, 2 to 1000 (default by the size).
    marks: how the start and target show: "openings" (PDF and SVG default),
        "letters" or "none" (PNG default).
    plotter: an SVG for a pen plotter, its walls in few long strokes.
    cell_mm, pen_mm, wall_mm, height_mm, base_mm: millimetres of a cell (the
        plotter's SVG and the STL), of the pen's stroke, and of the STL's
        walls, their height and its base, as render's --cell-mm and the rest.

    A PDF is dated SOURCE_DATE_EPOCH when that is set, else now. Raises
    ValueError for options the tool refuses (a cell size with PDF, a picture
    past the format's limits), with its words.
    """
    for name, value in (("format", format), ("marks", marks)):
        if value is not None and not isinstance(value, str):
            raise TypeError(f"{name} must be a str")
    for name, flag in (("route", route), ("shortest", shortest), ("plotter", plotter)):
        if not isinstance(flag, bool):
            raise TypeError(f"{name} must be a bool")
    millimetres = []
    for name, value in (("cell_mm", cell_mm), ("pen_mm", pen_mm), ("wall_mm", wall_mm),
                        ("height_mm", height_mm), ("base_mm", base_mm)):
        if value is not None:
            if not _is_number(value):
                raise TypeError(f"{name} must be a float, not {type(value).__name__}")
            millimetres.append(("--" + name.replace("_", "-"), _decimal(value)))
    return self._render(format, route, shortest, _whole(cell, "cell"), marks, plotter,
                        millimetres)


Maze.render = _render  # type: ignore[method-assign]


def batch(n: int, width: Optional[int], height: int, *, shape: str = "rect",
          method: str = "depth-first", seed: int = 0,
          difficulty: Optional[Tuple[float, float]] = None, unique: bool = False,
          threads: Optional[int] = None) -> Batch:
    """Carves n mazes on every core, as `nitka-maze dataset` does, into arrays.

    Maze i is nitka.generate(width, height, shape=shape, method=method,
    seed=int(result.seeds[i])): seeds[0] is seed itself, the others derived
    from it. difficulty=(lo, hi) keeps mazes scoring lo to hi, both included;
    unique=True keeps no two alike. Either draws further seeds in order until
    n mazes pass (at most 100 n + 1000 tries), so the first k mazes are the
    same whatever n and threads. threads: carving at once, default one a core.
    width is None for a polar maze, whose rings (height) decide its cells.

    The Batch holds read-only NumPy arrays, handed over without copies: seeds,
    grids (rect only), passages with passage_offsets, starts, targets,
    route_lengths, difficulty; Batch.save(path) writes them as an .npz.

    Raises ValueError for options the tool refuses, with its words,
    MemoryError when the arrays would not fit this process (before any of it
    is taken), RuntimeError when too few mazes pass the filters.
    """
    if not isinstance(shape, str) or not isinstance(method, str):
        raise TypeError("shape and method must be str")
    if not isinstance(unique, bool):
        raise TypeError("unique must be a bool")
    scores = None
    if difficulty is not None:
        if isinstance(difficulty, (str, bytes)) or len(difficulty) != 2:
            raise TypeError("difficulty must be a pair (lo, hi) of numbers")
        lo, hi = difficulty
        if not (_is_number(lo) and _is_number(hi)):
            raise TypeError("difficulty must be a pair (lo, hi) of numbers")
        scores = (float(lo), float(hi))
    return _nitka.batch(_whole(n, "n"), _whole(width, "width"), _whole(height, "height"), shape,
                        method, _whole(seed, "seed"), scores, unique, _whole(threads, "threads"))


def _maze(self: Batch, i: int) -> Maze:
    """Maze i of the batch, carved again from its seed."""
    options = self.options
    count = len(self)
    i = int(_whole(i, "i"))
    if not -count <= i < count:
        raise IndexError(f"maze {i} of a batch of {count}")
    return generate(options["width"], options["height"], shape=options["shape"],
                    method=options["method"], seed=int(self.seeds[i]))


def _batch_repr(self: Batch) -> str:
    options = self.options
    return (f"nitka.Batch(n={len(self)}, shape='{options['shape']}', width={options['width']}, "
            f"height={options['height']}, seed={options['seed']})")


Batch.maze = _maze  # type: ignore[attr-defined]
Batch.__repr__ = _batch_repr  # type: ignore[method-assign]


def load(path: Path) -> Maze:
    """Reads a maze file of either format, whole, as nitka-maze reads it.

    Raises OSError naming the file when it cannot be read, is cut short or is
    not a maze file, MemoryError when its size is past what this process may
    hold.
    """
    return _nitka.load(_path(path, "path"))
