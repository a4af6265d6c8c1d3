"""What a maze must look like on screen, worked out independently of the program:
from the flags of a maze file, the exact pixels of its picture and of the route
"SOLVE" marks, so that a screenshot can be checked pixel by pixel."""

import re

PICTURE_SIZE = (825, 820)
MARGIN = 5
BLACK = (0, 0, 0)
BLUE = (0, 0, 255)
# Never painted: below the lowest frame line any allowed size can give (805)
# and clear of the one-pixel line down column 0.
BACKGROUND_PROBE = (400, 812)


def cell_size(width, height):
    if width <= 50 and height <= 50:
        return 16
    return 11 if width <= 70 and height <= 70 else 8


class Maze:
    """Wall flags top[x][y] and left[x][y]; column x = width and row y = height
    hold the outer walls on the right and at the bottom, which the file leaves out."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.top = [[1] * (height + 1) for _ in range(width + 1)]
        self.left = [[1] * (height + 1) for _ in range(width + 1)]

    @classmethod
    def from_file_text(cls, data):
        """Parses a maze file as the program writes it, refusing any deviation."""
        if not re.fullmatch(rb"(?:\d+  \d+\r\n)+", data):
            raise ValueError("not lines of two numbers ending in CR LF")
        width, height, *flags = map(int, data.split())
        if len(flags) != 2 * width * height:
            raise ValueError(f"{len(flags)} flags for a {width} x {height} maze")
        maze = cls(width, height)
        for index in range(width * height):
            x, y = index % width, index // width
            maze.top[x][y], maze.left[x][y] = flags[2 * index:2 * index + 2]
        return maze

    @classmethod
    def from_ascii(cls, rows):
        """A maze from rows like HAND_WRITTEN's: "+--" above a cell is its top wall,
        "|" before it its left wall."""
        maze = cls((len(rows[0]) - 1) // 3, (len(rows) - 1) // 2)
        for y in range(maze.height):
            for x in range(maze.width):
                maze.top[x][y] = int(rows[2 * y][3 * x + 1] == "-")
                maze.left[x][y] = int(rows[2 * y + 1][3 * x] == "|")
        return maze

    def file_text(self):
        lines = [b"%d  %d" % (self.width, self.height)]
        for y in range(self.height):
            lines += [b"%d  %d" % (self.top[x][y], self.left[x][y]) for x in range(self.width)]
        return b"\r\n".join(lines) + b"\r\n"

    def open_inner_edges(self):
        """Edges between two cells that carry no wall."""
        return sum((x > 0 and not self.left[x][y]) + (y > 0 and not self.top[x][y])
                   for x in range(self.width) for y in range(self.height))

    def route(self):
        """Cells from (0, 0) to the largest even maze's far corner, or [] if unreachable.

        These mazes have one path between any two cells, so it is the program's
        route whatever order it tries steps in. Only a flag of exactly 1 blocks."""
        target = (self.width - self.width % 2 - 1, self.height - self.height % 2 - 1)
        came_from = {(0, 0): None}
        queue = [(0, 0)]
        for x, y in queue:
            for cell, wall in (((x + 1, y), self.left[x + 1][y]), ((x, y + 1), self.top[x][y + 1]),
                               ((x - 1, y), self.left[x][y]), ((x, y - 1), self.top[x][y])):
                inside = 0 <= cell[0] < self.width and 0 <= cell[1] < self.height
                if wall != 1 and inside and cell not in came_from:
                    came_from[cell] = (x, y)
                    queue.append(cell)
        path = []
        cell = target if target in came_from else None
        while cell:
            path.append(cell)
            cell = came_from[cell]
        return path[::-1]


def wall_pixels(maze):
    """Every pixel the maze drawing paints black; each pen line leaves out its end."""
    size = cell_size(maze.width, maze.height)
    pixels = set()
    for x in range(maze.width):
        for y in range(maze.height):
            left, top = MARGIN + x * size, MARGIN + y * size
            if maze.top[x][y]:
                pixels.update((left + i, top) for i in range(size))
            if maze.left[x][y]:
                pixels.update((left, top + i) for i in range(size))
    right, bottom = MARGIN + maze.width * size, MARGIN + maze.height * size
    # The frame: left to right along the bottom, then up the right from the bottom.
    pixels.update((x, bottom) for x in range(right))
    pixels.update((right, y) for y in range(1, bottom + 1))
    return pixels


def dot_pixels(maze, cells):
    """The filled dots marking cells: 5 x 5 blocks without their corners."""
    size = cell_size(maze.width, maze.height)
    pixels = set()
    for x, y in cells:
        left = ((2 * x + 1) * size) // 2 + MARGIN - 1
        top = ((2 * y + 1) * size) // 2 + MARGIN - 1
        pixels.update((left + dx, top + dy) for dx in range(5) for dy in range(5)
                      if dx % 4 or dy % 4)
    return pixels


def expected_picture(background, edge_colour, black_pixels):
    """The picture's RGB bytes after a clear whose pen was edge_colour, which
    leaves a line in that colour along row 0 and column 0, and black pixels."""
    width, height = PICTURE_SIZE
    picture = bytearray(bytes(background) * (width * height))
    picture[0:width * 3] = bytes(edge_colour) * width
    for y in range(height):
        picture[y * width * 3:y * width * 3 + 3] = bytes(edge_colour)
    for x, y in black_pixels:
        picture[(y * width + x) * 3:(y * width + x) * 3 + 3] = bytes(BLACK)
    return bytes(picture)


def describe_differences(expected, actual, limit=8):
    """A short account of where two pictures differ, for a failure message."""
    width = PICTURE_SIZE[0]
    wrong = [i // 3 for i in range(0, len(expected), 3) if expected[i:i + 3] != actual[i:i + 3]]
    samples = ", ".join(
        f"({i % width}, {i // width}) is {tuple(actual[i * 3:i * 3 + 3])}"
        f" not {tuple(expected[i * 3:i * 3 + 3])}" for i in wrong[:limit])
    return f"{len(wrong)} pixels differ: {samples}"
