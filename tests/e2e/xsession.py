"""Runs the real program in a private X server and works it as a user would.

Everything here talks to X through the command-line tools a user's desktop
has (xdotool, xwininfo, xprop, ImageMagick's import) plus a few calls into
libX11 for what those tools cannot do: the window manager's close request and
the exact moment a window is mapped. Every wait is bounded, so a hung program
fails a test instead of hanging the suite.
"""

import ctypes
import ctypes.util
import os
import select
import signal
import subprocess
import time

# The window's layout in client coordinates: left, top, width, height.
CONTROLS = {
    "Laby": (0, 0, 825, 820),
    "BtGo": (834, 87, 97, 34),
    "BtChemin": (836, 142, 95, 33),
    "SpinEdit1": (853, 225, 65, 30),
    "SpinEdit2": (854, 305, 65, 30),
    "Button4": (834, 369, 97, 33),
    "Button5": (834, 420, 97, 33),
    "Button6": (834, 471, 97, 33),
}
CLIENT_SIZE = (953, 850)
MAIN_CAPTION = "Depth-First метод построения лабиринтов"
NOTICE_CAPTION = "Лабиринт"
ERROR_CAPTION = "Лабиринт Nitka"

# Sanitizer and valgrind builds are many times slower; they stretch every wait.
SLOWDOWN = float(os.environ.get("NITKA_E2E_SLOWDOWN", "1"))
DEFAULT_WAIT = 30.0


class DriverError(AssertionError):
    """A wait ran out or the program misbehaved; fails the test that saw it."""


def wait_until(condition, what, timeout=DEFAULT_WAIT, interval=0.05):
    """Polls condition() until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout * SLOWDOWN
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise DriverError(f"timed out waiting for {what}")
        time.sleep(interval)


def _run(args, env, timeout=10.0):
    """Runs one X tool; its failure is a driver error with the tool's output."""
    try:
        done = subprocess.run(args, env=env, capture_output=True, timeout=timeout * SLOWDOWN)
    except subprocess.TimeoutExpired as error:
        raise DriverError(f"{args[0]} did not finish: {' '.join(args)}") from error
    if done.returncode != 0:
        raise DriverError(f"{' '.join(args)} failed: {done.stderr.decode(errors='replace')}")
    return done.stdout


class Image:
    """An RGB screenshot; pixel(x, y) gives an (r, g, b) tuple."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    @classmethod
    def from_ppm(cls, data):
        # P6 header: magic, width, height, maxval, each followed by one blank.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        if fields[0] != b"P6" or fields[3] != b"255":
            raise DriverError(f"unexpected screenshot header {fields}")
        width, height = int(fields[1]), int(fields[2])
        rgb = data[pos + 1:pos + 1 + width * height * 3]
        if len(rgb) != width * height * 3:
            raise DriverError("truncated screenshot")
        return cls(width, height, rgb)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def crop(self, left, top, width, height):
        """A block of the image as one bytes object, row by row."""
        stride = self.width * 3
        return b"".join(self.rgb[y * stride + left * 3:y * stride + (left + width) * 3]
                        for y in range(top, top + height))


# Every X event starts with these fields.
_EVENT_HEADER = [
    ("type", ctypes.c_int),
    ("serial", ctypes.c_ulong),
    ("send_event", ctypes.c_int),
    ("display", ctypes.c_void_p),
]


class _XClientMessage(ctypes.Structure):
    _fields_ = _EVENT_HEADER + [
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _XMap(ctypes.Structure):
    _fields_ = _EVENT_HEADER + [
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [
        ("type", ctypes.c_int),
        ("xclient", _XClientMessage),
        ("xmap", _XMap),
        ("pad", ctypes.c_long * 24),
    ]


_MAP_NOTIFY = 19
_CLIENT_MESSAGE = 33
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XConnection:
    """A raw libX11 connection for the close box and for watching maps."""

    def __init__(self, display_name):
        self._lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        lib = self._lib
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.POINTER(_XEvent)]
        lib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XPending.argtypes = [ctypes.c_void_p]
        lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XEvent)]
        lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self._display = lib.XOpenDisplay(display_name.encode())
        if not self._display:
            raise DriverError(f"cannot open display {display_name}")

    def close(self):
        if self._display:
            self._lib.XCloseDisplay(self._display)
            self._display = None

    def request_close(self, window):
        """Asks the window to close the way a window manager's close box does."""
        lib = self._lib
        event = _XEvent()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = lib.XInternAtom(self._display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = lib.XInternAtom(self._display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        lib.XSendEvent(self._display, window, 0, 0, ctypes.byref(event))
        lib.XFlush(self._display)

    def watch_maps(self):
        """From now on, top-level windows being mapped are queued for next_map."""
        root = self._lib.XDefaultRootWindow(self._display)
        self._lib.XSelectInput(self._display, root, _SUBSTRUCTURE_NOTIFY_MASK)
        self._lib.XFlush(self._display)

    def next_map(self, timeout):
        """(monotonic time, window id) of the next map, or None after timeout seconds."""
        lib = self._lib
        deadline = time.monotonic() + timeout
        event = _XEvent()
        while True:
            while lib.XPending(self._display):
                lib.XNextEvent(self._display, ctypes.byref(event))
                if event.type == _MAP_NOTIFY:
                    return time.monotonic(), event.xmap.window
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return None
            select.select([lib.XConnectionNumber(self._display)], [], [], remaining)


class XServer:
    """A private Xvfb display; a context manager that always stops it."""

    def __init__(self, size="1280x1024x24"):
        self._size = size
        self._process = None
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        try:
            # -displayfd lets Xvfb pick a free display and tell us which.
            self._process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self._size,
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True)
            os.close(write_end)
            write_end = None
            # Xvfb writes the number and the newline separately and dies if the
            # pipe is gone before the newline, so read up to it.
            number = b""
            deadline = time.monotonic() + 30.0
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], deadline - time.monotonic())
                chunk = os.read(read_end, 64) if ready else b""
                if not chunk:
                    break
                number += chunk
            number = number.decode().strip()
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        if not number.isdigit():
            self.__exit__(None, None, None)
            raise DriverError("Xvfb did not report a display")
        self.display = f":{number}"
        return self

    def __exit__(self, *exc):
        if self._process and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait(timeout=10)
        return False

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        # The test runner asks Qt for its offscreen platform; this program must
        # show a real window instead.
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("WAYLAND_DISPLAY", None)
        return env


class Program:
    """The program running on an XServer in its own working directory."""

    def __init__(self, xserver, executable, workdir, wrapper=()):
        self.xserver = xserver
        self.workdir = workdir
        self.log_path = os.path.join(workdir, "program.log")
        self._env = xserver.env()
        self._log = open(self.log_path, "wb")
        self.started_at = time.monotonic()
        self.process = subprocess.Popen(
            [*wrapper, executable], cwd=workdir, env=self._env, stdin=subprocess.DEVNULL,
            stdout=self._log, stderr=subprocess.STDOUT, start_new_session=True)
        self.window = None

    # ---- life cycle -------------------------------------------------------

    def stop(self):
        """Ends the program if it still runs; safe to call twice."""
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)
        self._log.close()

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace")

    def wait_exit(self, timeout=DEFAULT_WAIT):
        try:
            return self.process.wait(timeout=timeout * SLOWDOWN)
        except subprocess.TimeoutExpired as error:
            raise DriverError("the program did not end") from error

    def _alive(self):
        if self.process.poll() is not None:
            raise DriverError(f"the program ended with {self.process.returncode}:\n{self.log()}")

    # ---- windows ----------------------------------------------------------

    def windows(self):
        """(id, caption) of every mapped window with a caption."""
        self._alive()
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                              env=self._env, capture_output=True, timeout=10 * SLOWDOWN)
        found = []
        for line in done.stdout.decode().split():
            name = subprocess.run(["xdotool", "getwindowname", line], env=self._env,
                                  capture_output=True, timeout=10 * SLOWDOWN)
            if name.returncode == 0:  # the window may have gone meanwhile
                found.append((int(line), name.stdout.decode().rstrip("\n")))
        return found

    def windows_named(self, caption):
        return [window for window, name in self.windows() if name == caption]

    def find_main_window(self, timeout=DEFAULT_WAIT):
        found = wait_until(lambda: self.windows_named(MAIN_CAPTION), "the main window", timeout)
        if len(found) != 1:
            raise DriverError(f"expected one main window, found {len(found)}")
        self.window = found[0]
        return self.window

    def geometry(self, window=None):
        """(left, top, width, height) of a window on the screen."""
        info = _run(["xwininfo", "-id", str(window or self.window)], self._env).decode()
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def size_hints(self):
        return _run(["xprop", "-id", str(self.window), "WM_NORMAL_HINTS"], self._env).decode()

    def wait_for_box(self, caption, timeout=DEFAULT_WAIT):
        """Waits for message boxes with that caption and returns their ids."""
        return wait_until(lambda: self.windows_named(caption), f'a box "{caption}"', timeout)

    def close_box(self, box):
        """Presses OK: the box's only button has the focus, so Return does it."""
        _run(["xdotool", "windowfocus", "--sync", str(box), "key", "--clearmodifiers", "Return"],
             self._env)
        wait_until(lambda: box not in [window for window, _ in self.windows()],
                   "the box to close")

    def request_close(self):
        connection = XConnection(self.xserver.display)
        try:
            connection.request_close(self.window)
        finally:
            connection.close()

    # ---- input ------------------------------------------------------------

    def click(self, control):
        left, top, width, height = CONTROLS[control]
        self.click_at(left + width // 2, top + height // 2)

    def click_at(self, x, y):
        self._alive()
        _run(["xdotool", "mousemove", "--window", str(self.window), str(x), str(y),
              "click", "1"], self._env)

    def type_into(self, box, text):
        """Replaces a size box's text as typed from the keyboard."""
        left, top, _, height = CONTROLS[box]
        # Clicks into the text, away from the arrow buttons at the right edge.
        self.click_at(left + 12, top + height // 2)
        _run(["xdotool", "key", "--clearmodifiers", "ctrl+a", "BackSpace"], self._env)
        if text:
            _run(["xdotool", "type", "--delay", "30", text], self._env)

    # ---- output -----------------------------------------------------------

    def screenshot(self):
        self._alive()
        data = _run(["import", "-silent", "-window", str(self.window), "-depth", "8", "ppm:-"],
                    self._env, timeout=30.0)
        return Image.from_ppm(data)

    def save_png(self, path):
        _run(["import", "-silent", "-window", str(self.window), path], self._env, timeout=30.0)
