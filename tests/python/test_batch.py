"""Datasets: nitka.batch against nitka.generate and `nitka-maze dataset`."""

import json
import os
import subprocess
import signal
import sys
import threading
import time

import numpy as np
import pytest

import nitka

TOOL = os.environ.get("NITKA_MAZE_EXE", "nitka-maze")

# (batch's keywords, dataset's options): a shape and method each.
KINDS = [
    ({"width": 7, "height": 5}, ["-W", "7", "-H", "5"]),
    ({"width": 6, "height": 6, "shape": "hex", "method": "wilson"},
     ["-W", "6", "-H", "6", "--shape", "hex", "--algorithm", "wilson"]),
    ({"width": 8, "height": 4, "shape": "triangle", "method": "prim"},
     ["-W", "8", "-H", "4", "--shape", "triangle", "--algorithm", "prim"]),
    ({"width": None, "height": 4, "shape": "polar", "method": "kruskal"},
     ["-H", "4", "--shape", "polar", "--algorithm", "kruskal"]),
]
KIND_IDS = ["rect", "hex", "triangle", "polar"]


@pytest.mark.parametrize("kind", [k for k, _ in KINDS], ids=KIND_IDS)
def test_maze_i_is_generates_maze_of_seed_i(kind):
    batch = nitka.batch(12, seed=5, **kind)
    assert len(batch) == 12 and batch.seeds[0] == 5 and len(set(batch.seeds.tolist())) == 12
    offsets = batch.passage_offsets
    assert offsets[0] == 0 and offsets[-1] == len(batch.passages)
    for i in (0, 7, 11):
        maze = nitka.generate(kind["width"], kind["height"], shape=kind.get("shape", "rect"),
                              method=kind.get("method", "depth-first"), seed=int(batch.seeds[i]))
        assert batch.maze(i).passages().tolist() == maze.passages().tolist()
        assert batch.passages[offsets[i]:offsets[i + 1]].tolist() == maze.passages().tolist()
        assert tuple(batch.starts[i]) == maze.start and tuple(batch.targets[i]) == maze.target
        assert batch.route_lengths[i] == len(maze.solve(shortest=True))
        assert batch.difficulty[i] == maze.info()["difficulty"]
        if maze.shape == "rect":
            assert (batch.grids[i] == maze.grid()).all()
    if kind.get("shape", "rect") != "rect":
        with pytest.raises(ValueError, match="only a rect batch has occupancy grids"):
            batch.grids


@pytest.mark.parametrize("filters", [{}, {"difficulty": (2, 3.5)}, {"unique": True},
                                     {"difficulty": (2, 4), "unique": True}],
                         ids=["none", "difficulty", "unique", "both"])
def test_first_mazes_do_not_depend_on_count_or_threads(filters):
    many = nitka.batch(40, 6, 6, seed=3, threads=1, **filters)
    few = nitka.batch(15, 6, 6, seed=3, threads=2, **filters)
    assert many.seeds[:15].tolist() == few.seeds.tolist()
    assert (many.grids[:15] == few.grids).all()
    assert many.passages[:len(few.passages)].tolist() == few.passages.tolist()
    if "difficulty" in filters:
        low, high = filters["difficulty"]
        assert ((many.difficulty >= low) & (many.difficulty <= high)).all()
        assert many.tries > 40
    if filters.get("unique"):
        assert len({grid.tobytes() for grid in many.grids}) == 40


def test_filters_too_rare_fail_saying_what_passed():
    assert len(nitka.batch(4, 2, 2, unique=True)) == 4
    with pytest.raises(RuntimeError, match="only 4 of 1500 mazes tried differed from the others"):
        nitka.batch(5, 2, 2, unique=True)
    with pytest.raises(RuntimeError, match="scored 100 to 200"):
        nitka.batch(3, 3, 3, difficulty=(100, 200))


@pytest.mark.parametrize("kind,options", KINDS, ids=KIND_IDS)
def test_save_writes_the_dataset_commands_file(kind, options, tmp_path):
    batch = nitka.batch(25, seed=11, difficulty=(0, 50), unique=True, **kind)
    batch.save(tmp_path / "mine.npz")
    subprocess.run([TOOL, "dataset", "-n", "25", "--seed", "11", "--difficulty", "0:50",
                    "--unique", *options, "-o", "tool.npz"], cwd=tmp_path, check=True)
    assert (tmp_path / "mine.npz").read_bytes() == (tmp_path / "tool.npz").read_bytes()
    with np.load(tmp_path / "mine.npz", allow_pickle=False) as saved:
        names = {"seeds", "passages", "passage_offsets", "starts", "targets", "route_lengths",
                 "difficulty"}
        for name in names:
            assert (saved[name] == getattr(batch, name)).all(), name
            assert saved[name].dtype == getattr(batch, name).dtype, name
        assert ("grids" in saved) == (batch.options["shape"] == "rect")
        options = json.loads(str(saved["options"]))
    assert options == batch.options
    assert options["count"] == 25 and options["difficulty"] == [0, 50] and options["unique"]


def test_save_takes_only_an_npz_name(tmp_path):
    (tmp_path / "maze.txt").write_text("kept")
    with pytest.raises(ValueError, match="a dataset is a NumPy .npz file; name it FILE.npz"):
        nitka.batch(2, 3, 3).save(tmp_path / "maze.txt")
    assert (tmp_path / "maze.txt").read_text() == "kept"
    nitka.batch(2, 3, 3).save(tmp_path / "UPPER.NPZ")


def test_arrays_are_read_only_views_that_keep_the_batch():
    batch = nitka.batch(3, 4, 4, seed=1)
    seeds, grids = batch.seeds, batch.grids
    assert not seeds.flags.writeable and not grids.flags.writeable
    assert not grids.flags.owndata
    with pytest.raises(ValueError):
        seeds[0] = 1
    expected = grids.copy()
    del batch
    assert (grids == expected).all() and seeds[0] == 1
    assert repr(nitka.batch(2, 5, 3, seed=9)) == \
        "nitka.Batch(n=2, shape='rect', width=5, height=3, seed=9)"


# (batch's arguments, dataset's options): the same mistake, the same words.
REFUSED = [
    ((0, 5, 5), {}, ["-n", "0"]),
    ((5, 0, 5), {}, ["-W", "0"]),
    ((5, 5, 5), {"method": "eller", "shape": "hex"}, ["--algorithm", "eller", "--shape", "hex"]),
    ((5, 5, 5), {"difficulty": (9, 1)}, ["--difficulty", "9:1"]),
    ((5, 5, 5), {"threads": 0}, ["--threads", "0"]),
    ((5, 5, 5), {"seed": -1}, ["--seed", "-1"]),
    ((1, 50000, 50000), {}, ["-W", "50000", "-H", "50000"]),
]


@pytest.mark.parametrize("arguments,keywords,options", REFUSED,
                         ids=[" ".join(o) for _, _, o in REFUSED])
def test_bad_arguments_raise_value_error_with_the_tools_words(arguments, keywords, options,
                                                              tmp_path):
    count, width, height = arguments
    given = {"-n": str(count), "-W": str(width), "-H": str(height)}
    for i, option in enumerate(options):
        if option in given and i + 1 < len(options):
            given.pop(option)
    command = [TOOL, "dataset", *[part for pair in given.items() for part in pair], *options,
               "-o", "x.npz"]
    answer = subprocess.run(command, cwd=tmp_path, capture_output=True)
    assert answer.returncode == 2, answer
    words = answer.stderr.decode().strip().removeprefix("nitka-maze: ")
    with pytest.raises(ValueError) as raised:
        nitka.batch(count, width, height, **keywords)
    assert str(raised.value) == words
    assert not (tmp_path / "x.npz").exists()


@pytest.mark.parametrize("keywords", [{"difficulty": "easy"}, {"difficulty": (1, "2")},
                                      {"unique": 1}, {"threads": 1.5}, {"shape": None},
                                      {"seed": np.bool_(True)}, {"threads": 2.0}])
def test_arguments_of_the_wrong_type_raise_type_error(keywords):
    with pytest.raises(TypeError):
        nitka.batch(2, 3, 3, **keywords)


def test_numpys_numbers_are_taken_as_pythons():
    batch = nitka.batch(np.int64(3), np.int32(5), np.uint8(4), seed=np.uint64(2**63 + 5),
                        difficulty=(np.float32(0), np.int16(100)))
    assert len(batch) == 3 and batch.seeds[0] == 2**63 + 5
    again = nitka.generate(5, 4, seed=batch.seeds[1], braid=np.float64(0))
    assert again.passages().tolist() == batch.maze(np.int64(1)).passages().tolist()


def test_a_batch_past_memory_raises_memory_error_with_the_tools_figures():
    with pytest.raises(MemoryError, match=r"^1,000,000,000 mazes of 100 x 100 cells need"):
        nitka.batch(10**9, 100, 100)


def test_a_batch_leaves_the_interpreter_to_other_threads():
    made = {}
    thread = threading.Thread(target=lambda: made.update(big=nitka.batch(40000, 12, 12)))
    thread.start()
    # Held through the batch, the lock would stop this loop until it ended.
    turns = 0
    while thread.is_alive():
        turns += 1
    thread.join()
    assert len(made["big"]) == 40000
    assert turns > 10000


STOPPED = """
import sys, time
import nitka
start = time.monotonic()
try:
    nitka.batch(100_000, 15, 15, difficulty=(10**6, 10**6 + 1))
except KeyboardInterrupt:
    print("stopped after", round(time.monotonic() - start, 1))
"""


def test_ctrl_c_stops_a_long_batch():
    process = subprocess.Popen([sys.executable, "-c", STOPPED], stdout=subprocess.PIPE)
    time.sleep(1.5)
    process.send_signal(signal.SIGINT)
    shown, _ = process.communicate(timeout=30)
    assert process.returncode == 0
    assert shown.decode().startswith("stopped after")
    assert float(shown.split()[-1]) < 10
