"""Mazes of every shape, as NumPy arrays: the engine of nitka-maze in Python.

The same options and seeds make the same mazes as the command line::

    import nitka
    maze = nitka.generate(20, 10, seed=7)
    maze.grid()           # (21, 41) bool occupancy grid, True for a wall
    maze.solve()          # (L, 2) int32 positions of the route
    maze.save("maze.txt") # the file `nitka-maze generate -W 20 -H 10 --seed 7` writes

Bad arguments raise ValueError (or TypeError) with the tool's own text; a file
that cannot be read or written raises OSError naming it.
"""

import decimal
import os
from typing import Optional, Union

from ._nitka import Maze
from . import _nitka

__all__ = ["Maze", "generate", "load"]

Path = Union[str, "os.PathLike[str]"]


def _whole(value: Optional[int], name: str) -> Optional[str]:
    """The option's text as the command line would read it."""
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, int):
        raise TypeError(f"{name} must be an int, not {type(value).__name__}")
    return str(value)


def _share(value: float) -> Optional[str]:
    """A share in plain decimals, the digits that make the same float again."""
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise TypeError(f"braid must be a float, not {type(value).__name__}")
    if value == 0:
        return None
    text = repr(float(value))
    if "e" in text:
        text = format(decimal.Decimal(text), "f")
    return text


def _difficulty(value: Union[None, str, float]) -> Optional[str]:
    if value is None or isinstance(value, str):
        return value
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise TypeError(f"difficulty must be a band name or a number, not {type(value).__name__}")
    if isinstance(value, int) or float(value).is_integer():
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


def load(path: Path) -> Maze:
    """Reads a maze file of either format, whole, as nitka-maze reads it.

    Raises OSError naming the file when it cannot be read, is cut short or is
    not a maze file, MemoryError when its size is past what this process may
    hold.
    """
    return _nitka.load(_path(path, "path"))
