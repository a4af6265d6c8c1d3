"""What a user does with the maze program, as steps that wait for their effect.

Mixed into the end-to-end test cases and used by the measuring scripts; needs
`self.program` (a running xsession.Program) and `self.workdir`.
"""

import os

import maze_picture
from maze_picture import Maze
from xsession import CONTROLS, DriverError, wait_until

FILE_NAME = "labird.txt"


class MazeUser:
    # ---- files --------------------------------------------------------------

    @property
    def maze_file(self):
        return os.path.join(self.workdir, FILE_NAME)

    def write_maze_file(self, data):
        with open(self.maze_file, "wb") as file:
            file.write(data)

    def read_maze_file(self):
        with open(self.maze_file, "rb") as file:
            return file.read()

    def save(self):
        """Presses "SAVE" and returns the maze of the complete file it writes."""
        if os.path.exists(self.maze_file):
            os.remove(self.maze_file)
        self.program.click("Button5")

        def complete_maze():
            try:
                return Maze.from_file_text(self.read_maze_file())
            except (OSError, ValueError):
                return None  # not there yet, or still being written

        return wait_until(complete_maze, "a complete maze file")

    # ---- screen -------------------------------------------------------------

    def picture(self):
        width, height = maze_picture.PICTURE_SIZE
        return self.program.screenshot().crop(0, 0, width, height)

    def background(self):
        return self.program.screenshot().pixel(*maze_picture.BACKGROUND_PROBE)

    def wait_for_picture(self, expected, timeout=15):
        """Waits for the picture to become exactly `expected`.

        Returns None when it does, else an account of the last difference seen.
        """
        last = []

        def matches():
            last[:] = [self.picture()]
            return last[0] == expected

        try:
            wait_until(matches, "the expected picture", timeout=timeout)
        except DriverError:
            return maze_picture.describe_differences(expected, last[0])
        return None

    def expected_maze_picture(self, maze, edge_colour, dots=()):
        """The exact picture of a drawn maze with dots on the given cells (none: blank)."""
        black = set()
        if maze is not None:
            black = maze_picture.wall_pixels(maze) | maze_picture.dot_pixels(maze, dots)
        return maze_picture.expected_picture(self.background(), edge_colour, black)

    def wait_for_frame(self, width, height):
        """Waits until the frame of a maze of this size is on screen, i.e. drawing ended."""
        size = maze_picture.cell_size(width, height)
        right = maze_picture.MARGIN + width * size
        bottom = maze_picture.MARGIN + height * size

        def drawn():
            shot = self.program.screenshot()
            return (all(shot.pixel(x, bottom) == maze_picture.BLACK for x in range(right + 1))
                    and all(shot.pixel(right, y) == maze_picture.BLACK for y in range(1, bottom)))

        wait_until(drawn, f"a {width} x {height} maze on screen")

    def control_look(self, control):
        """The pixels of one control, to tell its states apart."""
        return self.program.screenshot().crop(*CONTROLS[control])

    def open_boxes(self):
        """Captions of every window but the main one."""
        return [name for window, name in self.program.windows() if window != self.program.window]

    # ---- input --------------------------------------------------------------

    def set_size(self, width, height):
        self.program.type_into("SpinEdit1", str(width))
        self.program.type_into("SpinEdit2", str(height))

    def generate(self, width, height):
        """Sets the size, presses "Depth-First" and returns the saved maze."""
        self.set_size(width, height)
        self.program.click("BtGo")
        self.wait_for_frame(width, height)
        if self.open_boxes():
            raise DriverError(f"unexpected boxes {self.open_boxes()}")
        return self.save()
