"""The Python package against the tool: the same options make the same
files, and every answer is the one nitka-maze gives for that file."""

import json
import os
import subprocess
import sys
import threading

import numpy as np
import pytest

import nitka

TOOL = os.environ.get("NITKA_MAZE_EXE", "nitka-maze")

MASK = "#######\n#..#..#\n#######\n##...##\n#######\n"

# (generate's keywords, the tool's options): one row a shape, method and option.
MAZES = [
    ({"width": 9, "height": 7, "seed": 1}, ["-W", "9", "-H", "7", "--seed", "1"]),
    ({"width": 12, "height": 5, "seed": 2, "method": "wilson", "braid": 0.5},
     ["-W", "12", "-H", "5", "--seed", "2", "--algorithm", "wilson", "--braid", "0.5"]),
    ({"width": 8, "height": 8, "seed": 3, "method": "growing-tree", "pick": "mix:0.25"},
     ["-W", "8", "-H", "8", "--seed", "3", "--algorithm", "growing-tree", "--pick", "mix:0.25"]),
    ({"width": 10, "height": 6, "seed": 4, "method": "eller"},
     ["-W", "10", "-H", "6", "--seed", "4", "--algorithm", "eller"]),
    ({"width": 9, "height": 7, "seed": 5, "exits": "farthest"},
     ["-W", "9", "-H", "7", "--seed", "5", "--exits", "farthest"]),
    ({"width": 11, "height": 8, "seed": 6, "shape": "hex", "braid": 1e-05},
     ["-W", "11", "-H", "8", "--seed", "6", "--shape", "hex", "--braid", "0.00001"]),
    ({"width": 11, "height": 6, "seed": 7, "shape": "triangle", "method": "kruskal"},
     ["-W", "11", "-H", "6", "--seed", "7", "--shape", "triangle", "--algorithm", "kruskal"]),
    ({"height": 6, "seed": 8, "shape": "polar", "method": "hunt-and-kill"},
     ["-H", "6", "--seed", "8", "--shape", "polar", "--algorithm", "hunt-and-kill"]),
    ({"seed": 9, "mask": "mask.txt"}, ["--seed", "9", "--mask", "mask.txt"]),
    ({"seed": 10, "shape": "hex", "mask": "mask.txt", "exits": "farthest"},
     ["--seed", "10", "--shape", "hex", "--mask", "mask.txt", "--exits", "farthest"]),
    ({"seed": 11, "difficulty": "easy"}, ["--seed", "11", "--difficulty", "easy"]),
]
IDS = ["rect", "wilson-braid", "growing-tree", "eller", "exits", "hex", "triangle", "polar",
       "mask", "hex-mask-exits", "difficulty"]


def tool(*args, cwd, check=True):
    return subprocess.run([TOOL, *args], cwd=cwd, capture_output=True, check=check)


@pytest.fixture
def folder(tmp_path):
    (tmp_path / "mask.txt").write_text(MASK)
    return tmp_path


@pytest.fixture(params=list(zip(*zip(*MAZES))), ids=IDS)
def made(request, folder, monkeypatch):
    """A maze made by both, and the tool's file of it."""
    keywords, options = request.param
    monkeypatch.chdir(folder)
    tool("generate", "-q", *options, "-o", "tool.txt", cwd=folder)
    return nitka.generate(**keywords), folder / "tool.txt"


def test_generate_saves_the_tools_bytes_and_load_reads_them_back(made, folder):
    maze, tool_file = made
    maze.save(folder / "mine.txt")
    assert (folder / "mine.txt").read_bytes() == tool_file.read_bytes()
    again = nitka.load(str(tool_file))
    assert again.seed is None
    again.save(str(folder / "again.txt"))
    assert (folder / "again.txt").read_bytes() == tool_file.read_bytes()
    assert (again.shape, again.width, again.height, again.cell_count) == \
        (maze.shape, maze.width, maze.height, maze.cell_count)


def test_graph_arrays_are_the_json_graphs_lists(made, folder):
    maze, tool_file = made
    graph = json.loads(tool("render", "--format", "json", str(tool_file), cwd=folder).stdout)
    for name, array in (("cells", maze.cells()), ("neighbours", maze.neighbours()),
                        ("passages", maze.passages())):
        assert array.dtype == np.int32 and array.shape == (len(graph[name]), 2)
        assert array.tolist() == graph[name], name
    cells = maze.cells().tolist()
    assert cells[graph["start"]] == list(maze.start)
    assert cells[graph["target"]] == list(maze.target)
    assert maze.cell_count == len(cells)
    assert maze.shape == graph["shape"]
    assert (maze.width, maze.height) == (graph["width"], graph["height"])


def test_solve_and_info_answer_as_the_tool(made, folder):
    maze, tool_file = made
    for options, keywords in (([], {}), (["--shortest"], {"shortest": True})):
        printed = tool("solve", *options, str(tool_file), cwd=folder).stdout.decode()
        route = maze.solve(**keywords)
        assert route.dtype == np.int32
        assert route.tolist() == [[int(n) for n in line.split()] for line in printed.splitlines()]
    info = json.loads(tool("info", "--json", str(tool_file), cwd=folder).stdout)
    assert maze.info() == info


def test_solve_between_given_ends():
    maze = nitka.generate(7, 5, seed=3, braid=0.5)
    route = maze.solve(shortest=True, start=(6, 0), target=(0, 4))
    assert route[0].tolist() == [6, 0] and route[-1].tolist() == [0, 4]
    steps = np.abs(np.diff(route, axis=0)).sum(axis=1)
    assert (steps == 1).all()


@pytest.mark.parametrize("ends,words", [
    ({"start": (9, 9)}, "--from: 9,9 lies outside the maze of 7 x 5 cells"),
    ({"target": (-1, 0)}, "--to: -1,0 lies outside the maze of 7 x 5 cells"),
    ({"start": (2**40, 0)}, f"--from: {2**40},0 lies outside the maze"),
])
def test_solve_refuses_ends_outside_the_maze(ends, words):
    with pytest.raises(ValueError) as raised:
        nitka.generate(7, 5, seed=3).solve(**ends)
    assert str(raised.value) == words


@pytest.mark.parametrize("braid", [0.0, 0.7])
def test_grid_is_open_exactly_where_passages_are(braid):
    maze = nitka.generate(13, 9, seed=21, braid=braid)
    grid = maze.grid()
    assert grid.dtype == np.bool_ and grid.shape == (19, 27)
    assert grid[0].all() and grid[-1].all() and grid[:, 0].all() and grid[:, -1].all()
    assert not grid[1::2, 1::2].any()
    assert grid[::2, ::2].all()
    cells = maze.cells()
    opened = set()
    for i, j in maze.passages():
        (x1, y1), (x2, y2) = cells[i], cells[j]
        opened.add((y1 + y2 + 1, x1 + x2 + 1))
    between = {(int(r), int(c)) for r, c in zip(*np.nonzero(~grid)) if (r % 2) != (c % 2)}
    assert between == opened


def test_grid_of_a_masked_rectangle_walls_its_holes(folder, monkeypatch):
    monkeypatch.chdir(folder)
    grid = nitka.generate(seed=9, mask="mask.txt").grid()
    assert grid.shape == (11, 15)
    assert grid[3, 3] and grid[3, 5] and not grid[1, 1]


@pytest.mark.parametrize("shape", ["hex", "triangle", "polar"])
def test_grid_refuses_other_shapes(shape):
    with pytest.raises(ValueError, match=f"a {shape} maze has no occupancy grid"):
        nitka.generate(None if shape == "polar" else 6, 6, shape=shape, seed=1).grid()


def test_a_drawn_seed_is_kept_and_makes_the_maze_again():
    maze = nitka.generate(10, 10)
    assert isinstance(maze.seed, int) and 0 <= maze.seed < 2**64
    assert repr(maze) == f"nitka.Maze(shape='rect', width=10, height=10, seed={maze.seed})"
    again = nitka.generate(10, 10, seed=maze.seed)
    assert again.passages().tolist() == maze.passages().tolist()


# (keywords, the tool's options): the same mistake, the same words.
REFUSED = [
    ({"width": 0}, ["-W", "0"]),
    ({"width": 10**30}, ["-W", str(10**30)]),
    ({"seed": -1}, ["--seed", "-1"]),
    ({"method": "bogus"}, ["--algorithm", "bogus"]),
    ({"shape": "star"}, ["--shape", "star"]),
    ({"braid": 1.5}, ["--braid", "1.5"]),
    ({"braid": float("nan")}, ["--braid", "nan"]),
    ({"method": "growing-tree", "pick": "middle"}, ["--algorithm", "growing-tree", "--pick", "middle"]),
    ({"exits": "near"}, ["--exits", "near"]),
    ({"difficulty": "impossible"}, ["--difficulty", "impossible"]),
    ({"shape": "hex", "method": "eller"}, ["--shape", "hex", "--algorithm", "eller"]),
    ({"mask": "mask.txt", "width": 5}, ["--mask", "mask.txt", "-W", "5"]),
]


@pytest.mark.parametrize("keywords,options", REFUSED,
                         ids=[",".join(k) for k, _ in REFUSED])
def test_bad_arguments_raise_value_error_with_the_tools_words(keywords, options, folder,
                                                              monkeypatch):
    monkeypatch.chdir(folder)
    answer = tool("generate", *options, cwd=folder, check=False)
    assert answer.returncode == 2
    words = answer.stderr.decode().strip().removeprefix("nitka-maze: ")
    with pytest.raises(ValueError) as raised:
        nitka.generate(**keywords)
    assert str(raised.value) == words


@pytest.mark.parametrize("keywords", [{"width": "9"}, {"width": 9.0}, {"seed": True},
                                      {"braid": "0.5"}, {"shape": 3}, {"mask": 5}])
def test_arguments_of_the_wrong_type_raise_type_error(keywords):
    with pytest.raises(TypeError):
        nitka.generate(**keywords)


# A size this process cannot hold, by the tool's own figures, refused before
# any of it is taken: generated under a 1 GiB address space, and a file of
# that size read under it.
MEMORY_SHORT = """
import resource, sys
import nitka
resource.setrlimit(resource.RLIMIT_AS, (1 << 30, 1 << 30))
for ask in (lambda: nitka.generate(40000, 40000, seed=1), lambda: nitka.load(sys.argv[1])):
    try:
        ask()
    except MemoryError as error:
        print(error)
"""


def test_sizes_past_this_processes_memory_raise_memory_error(folder):
    with open(folder / "huge.txt", "wb") as huge:
        huge.write(b"40000  40000\r\n")
        huge.truncate(40000 * 40000 * 6 + 14)
    answer = subprocess.run([sys.executable, "-c", MEMORY_SHORT, "huge.txt"], cwd=folder,
                            capture_output=True, timeout=120, check=True)
    lines = answer.stdout.decode().splitlines()
    assert len(lines) == 2, answer
    assert lines[0].startswith("40000 x 40000 cells need ")
    assert lines[1].startswith("huge.txt: 40000 x 40000 cells need ")
    assert all("this process may use" in line for line in lines)


def test_files_that_cannot_be_read_raise_os_error_naming_them(folder):
    with pytest.raises(OSError, match="missing.txt"):
        nitka.load(folder / "missing.txt")
    cut = folder / "cut.txt"
    cut.write_text("5  5\n1  1\n")
    with pytest.raises(OSError, match="cut.txt"):
        nitka.load(cut)
    with pytest.raises(OSError, match="absent.png"):
        nitka.generate(mask=folder / "absent.png")


def test_save_replaces_a_file_whole_or_leaves_it(folder):
    target = folder / "maze.txt"
    target.write_text("old")
    nitka.generate(5, 5, seed=1).save(target)
    assert nitka.load(target).cell_count == 25
    with pytest.raises(OSError, match="no-such-folder"):
        nitka.generate(5, 5, seed=1).save(folder / "no-such-folder" / "maze.txt")
    assert nitka.load(target).cell_count == 25


def test_help_tells_the_options():
    assert "depth-first" in nitka.generate.__doc__ and "seed" in nitka.generate.__doc__
    assert "occupancy" in nitka.Maze.grid.__doc__


# A thread reads a maze from a pipe larger than the pipe holds; the main
# thread writes it and closes the pipe. The reader needs the close to finish
# and the writer needs the interpreter to close: without the lock released
# inside load, the two wait on each other.
PIPE_READER = """
import os, sys, threading
import nitka
fifo, data = sys.argv[1], open(sys.argv[2], "rb").read()
read = {}
reader = threading.Thread(target=lambda: read.update(maze=nitka.load(fifo)))
reader.start()
with open(fifo, "wb") as pipe:
    pipe.write(data)
reader.join()
print(read["maze"].cell_count)
"""


def test_work_runs_without_the_interpreters_lock(folder):
    os.mkfifo(folder / "maze.fifo")
    tool("generate", "-q", "-W", "500", "-H", "500", "--seed", "4", "-o", "big.txt", cwd=folder)
    assert (folder / "big.txt").stat().st_size > 1 << 20
    try:
        answer = subprocess.run([sys.executable, "-c", PIPE_READER, "maze.fifo", "big.txt"],
                                cwd=folder, capture_output=True, timeout=60, check=True)
    except subprocess.TimeoutExpired:
        pytest.fail("load held the interpreter's lock while it waited for the pipe")
    assert answer.stdout.decode().strip() == "250000"


def test_two_threads_carve_at_once_each_its_own_maze():
    made = {}

    def carve(seed):
        made[seed] = nitka.generate(300, 200, seed=seed, method="wilson")

    pair = [threading.Thread(target=carve, args=(seed,)) for seed in (2, 3)]
    for thread in pair:
        thread.start()
    for thread in pair:
        thread.join()
    for seed in (2, 3):
        alone = nitka.generate(300, 200, seed=seed, method="wilson")
        assert made[seed].passages().tolist() == alone.passages().tolist()


# (render's keywords, the tool's options): every format, the route, marks and cell size.
PICTURES = [
    ({}, ["--format", "png"]),
    ({"format": "svg", "route": True}, ["--format", "svg", "--route"]),
    ({"format": "pdf", "shortest": True, "marks": "letters"},
     ["--format", "pdf", "--shortest", "--marks", "letters"]),
    ({"format": "png", "cell": 5, "route": True}, ["--format", "png", "--cell", "5", "--route"]),
    ({"format": "json"}, ["--format", "json"]),
    ({"format": "svg", "plotter": True, "route": True, "cell_mm": 6.5, "pen_mm": 0.5},
     ["--plotter", "--route", "--cell-mm", "6.5", "--pen-mm", "0.5", "--quiet"]),
    ({"format": "stl", "wall_mm": 1.25, "height_mm": 3, "base_mm": 2},
     ["--format", "stl", "--wall-mm", "1.25", "--height-mm", "3", "--base-mm", "2"]),
]


def test_render_draws_the_tools_bytes(made, folder, monkeypatch):
    maze, tool_file = made
    monkeypatch.setenv("SOURCE_DATE_EPOCH", "1700000000")
    for keywords, options in PICTURES:
        drawn = tool("render", *options, str(tool_file), cwd=folder).stdout
        assert maze.render(**keywords) == drawn, options
    # ASCII draws plain rectangles only, and refuses the others alike.
    drawn = tool("render", "--format", "ascii", "--route", str(tool_file), cwd=folder, check=False)
    if drawn.returncode == 0:
        assert maze.render("ascii", route=True) == drawn.stdout
    else:
        with pytest.raises(ValueError, match="ASCII draws only a plain rectangle"):
            maze.render("ascii", route=True)


# (render's keywords, the tool's options, the maze's shape): refused alike.
PICTURES_REFUSED = [
    ({"format": "gif"}, ["--format", "gif"], "rect"),
    ({"format": "pdf", "cell": 8}, ["--format", "pdf", "--cell", "8"], "rect"),
    ({"format": "json", "route": True}, ["--format", "json", "--route"], "rect"),
    ({"marks": "arrows"}, ["--format", "png", "--marks", "arrows"], "rect"),
    ({"cell": 1}, ["--format", "png", "--cell", "1"], "rect"),
    ({"format": "ascii"}, ["--format", "ascii"], "hex"),
    ({"format": "png", "plotter": True}, ["--format", "png", "--plotter"], "rect"),
    ({"format": "stl", "wall_mm": 2}, ["--format", "stl", "--wall-mm", "2"], "rect"),
    ({"format": "svg", "pen_mm": 0.001}, ["--format", "svg", "--pen-mm", "0.001"], "rect"),
]


@pytest.mark.parametrize("keywords,options,shape", PICTURES_REFUSED,
                         ids=[" ".join(o) for _, o, _ in PICTURES_REFUSED])
def test_render_refuses_as_the_tool_does(keywords, options, shape, folder):
    maze = nitka.generate(6, 6, shape=shape, seed=2)
    maze.save(folder / "maze.txt")
    answer = tool("render", *options, "maze.txt", cwd=folder, check=False)
    assert answer.returncode == 2
    words = answer.stderr.decode().strip().removeprefix("nitka-maze: ")
    with pytest.raises(ValueError) as raised:
        maze.render(**keywords)
    assert str(raised.value) == words.replace("maze.txt", "the maze")
