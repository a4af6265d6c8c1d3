"""What a maze must look like on screen, worked out independently of the program.

A maze is read from (or written to) the text of the maze file; from its flags
this module derives the exact pixels the picture must hold, and the route the
"SOLVE" button must mark, so that a screenshot can be checked pixel by pixel.
"""

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
    if width <= 70 and height <= 70:
        return 11
    return 8


class Maze:
    """Wall flags: top[x][y] and left[x][y] for 0 <= x <= width, 0 <= y <= height.

    The right column and bottom row hold the outer walls, which the file leaves out.
    """

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.top = [[1] * (height + 1) for _ in range(width + 1)]
        self.left = [[1] * (height + 1) for _ in range(width + 1)]

    @classmethod
    def from_file_text(cls, data):
        """Parses a maze file as the program writes it, refusing any deviation."""
        if not data.endswith(b"\r\n"):
            raise ValueError("the file does not end with CR LF")
        lines = data[:-2].split(b"\r\n")
        width, height = (int(number) for number in lines[0].split(b"  "))
        if lines[0] != b"%d  %d" % (width, height):
            raise ValueError(f"malformed header {lines[0]!r}")
        if len(lines) != width * height + 1:
            raise ValueError(f"{len(lines)} lines for a {width} x {height} maze")
        maze = cls(width, height)
        for index, line in enumerate(lines[1:]):
            top, left = line.split(b"  ")
            x, y = index % width, index // width
            maze.top[x][y] = int(top)
            maze.left[x][y] = int(left)
            if line != b"%d  %d" % (maze.top[x][y], maze.left[x][y]):
                raise ValueError(f"malformed cell line {line!r}")
        return maze

    @classmethod
    def from_ascii(cls, rows):
        """A maze from a picture such as

            +--+--+
            |     |
            +--+--+

        where "+--" above a cell is its top wall and "|" before it its left wall.
        """
        height = (len(rows) - 1) // 2
        width = (len(rows[0]) - 1) // 3
        maze = cls(width, height)
        for y in range(height):
            for x in range(width):
                maze.top[x][y] = int(rows[2 * y][3 * x + 1] == "-")
                maze.left[x][y] = int(rows[2 * y + 1][3 * x] == "|")
        return maze

    def file_text(self):
        lines = [b"%d  %d" % (self.width, self.height)]
        for y in range(self.height):
            for x in range(self.width):
                lines.append(b"%d  %d" % (self.top[x][y], self.left[x][y]))
        return b"\r\n".join(lines) + b"\r\n"

    def open_inner_edges(self):
        """Edges between two cells that carry no wall."""
        count = 0
        for x in range(self.width):
            for y in range(self.height):
                count += (x > 0 and self.left[x][y] == 0) + (y > 0 and self.top[x][y] == 0)
        return count

    def outer_walls_closed(self):
        return (all(self.top[x][0] for x in range(self.width))
                and all(self.left[0][y] for y in range(self.height)))

    def route(self):
        """Cells from (0, 0) to the target, found as the program must find them.

        Depth first, trying right, above, left, below at every cell; only a flag
        of exactly 1 blocks a step. Returns [] when there is no route.
        """
        target = (self.width - self.width % 2 - 1, self.height - self.height % 2 - 1)
        steps = ((1, 0), (0, -1), (-1, 0), (0, 1))
        visited = set()
        path = [(0, 0)]
        tried = [0]
        visited.add((0, 0))
        while path:
            x, y = path[-1]
            if (x, y) == target:
                return path
            if tried[-1] == len(steps):
                visited.discard(path.pop())
                tried.pop()
                continue
            dx, dy = steps[tried[-1]]
            tried[-1] += 1
            if self._edge_open(x, y, dx, dy) and (x + dx, y + dy) not in visited:
                path.append((x + dx, y + dy))
                tried.append(0)
                visited.add((x + dx, y + dy))
        return []

    def _edge_open(self, x, y, dx, dy):
        if dx == 1:
            return self.left[x + 1][y] != 1
        if dy == -1:
            return self.top[x][y] != 1
        if dx == -1:
            return self.left[x][y] != 1
        return self.top[x][y + 1] != 1


def _line(pixels, start, end):
    """A pen line from start to end with the end pixel left out (axis-parallel)."""
    (x1, y1), (x2, y2) = start, end
    if y1 == y2:
        step = 1 if x2 > x1 else -1
        pixels.update((x, y1) for x in range(x1, x2, step))
    else:
        step = 1 if y2 > y1 else -1
        pixels.update((x1, y) for y in range(y1, y2, step))


def wall_pixels(maze):
    """Every pixel the maze drawing paints black."""
    size = cell_size(maze.width, maze.height)
    pixels = set()
    for x in range(maze.width):
        for y in range(maze.height):
            corner = (MARGIN + x * size, MARGIN + y * size)
            if maze.top[x][y]:
                _line(pixels, corner, (corner[0] + size, corner[1]))
            if maze.left[x][y]:
                _line(pixels, corner, (corner[0], corner[1] + size))
    right = MARGIN + maze.width * size
    bottom = MARGIN + maze.height * size
    _line(pixels, (0, bottom), (right, bottom))
    _line(pixels, (right, bottom), (right, 0))
    return {(x, y) for x, y in pixels if x < PICTURE_SIZE[0] and y < PICTURE_SIZE[1]}


def dot_pixels(maze, cells):
    """The filled dots marking cells: 5 x 5 blocks without their corners."""
    size = cell_size(maze.width, maze.height)
    pixels = set()
    for x, y in cells:
        left = ((2 * x + 1) * size) // 2 + MARGIN - 1
        top = ((2 * y + 1) * size) // 2 + MARGIN - 1
        for dx in range(5):
            for dy in range(5):
                if dx in (0, 4) and dy in (0, 4):
                    continue
                pixels.add((left + dx, top + dy))
    return pixels


def expected_picture(background, edge_colour, black_pixels):
    """The picture's RGB bytes after a clear whose pen was edge_colour.

    Clearing leaves a one-pixel line in the pen colour along row 0 and column 0;
    the black pixels are painted over that.
    """
    width, height = PICTURE_SIZE
    picture = bytearray(bytes(background) * (width * height))
    edge = bytes(edge_colour)
    picture[0:width * 3] = edge * width
    for y in range(height):
        picture[y * width * 3:y * width * 3 + 3] = edge
    for x, y in black_pixels:
        offset = (y * width + x) * 3
        picture[offset:offset + 3] = bytes(BLACK)
    return bytes(picture)


def describe_differences(expected, actual, limit=8):
    """A short account of where two pictures differ, for a failure message."""
    width = PICTURE_SIZE[0]
    wrong = [i // 3 for i in range(0, len(expected), 3) if expected[i:i + 3] != actual[i:i + 3]]
    samples = ", ".join(
        f"({i % width}, {i // width}) is {tuple(actual[i * 3:i * 3 + 3])}"
        f" not {tuple(expected[i * 3:i * 3 + 3])}" for i in wrong[:limit])
    return f"{len(wrong)} pixels differ: {samples}"
