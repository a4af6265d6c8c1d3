"""Runs the real program in a private X server and works it as a user would,
through xdotool and ImageMagick's import, and libX11 for what they cannot do:
a window manager's close request and the moment a window is mapped. Every wait
is bounded, so a hung program fails a test instead of hanging the suite."""

import contextlib
import ctypes
import ctypes.util
import os
import select
import signal
import subprocess
import time

# The window's layout in client coordinates: left, top, width, height.
CONTROLS = {
    "BtGo": (834, 87, 97, 34),
    "BtChemin": (836, 142, 95, 33),
    "SpinEdit1": (853, 225, 65, 30),
    "SpinEdit2": (854, 305, 65, 30),
    "Button4": (834, 369, 97, 33),
    "Button5": (834, 420, 97, 33),
    "Button6": (834, 471, 97, 33),
}
MAIN_CAPTION = "Depth-First метод построения лабиринтов"
NOTICE_CAPTION = "Лабиринт"
ERROR_CAPTION = "Лабиринт Nitka"

# Sanitizer and valgrind builds are many times slower; they stretch every wait.
SLOWDOWN = float(os.environ.get("NITKA_E2E_SLOWDOWN", "1"))


class DriverError(AssertionError):
    """A wait ran out or the program misbehaved; fails the test that saw it."""


def wait_until(condition, what, timeout=30.0, explain=lambda: ""):
    """Polls condition() until it returns a true value, which is returned; when
    time runs out, explain() tells what was seen instead."""
    deadline = time.monotonic() + timeout * SLOWDOWN
    while not (result := condition()):
        if time.monotonic() > deadline:
            raise DriverError(f"timed out waiting for {what}: {explain()}")
        time.sleep(0.05)
    return result


def run_tool(args, env, ok=(0,)):
    """Runs one X tool and returns its output; any other exit status is a driver error."""
    try:
        done = subprocess.run(args, env=env, capture_output=True, timeout=30 * SLOWDOWN)
    except subprocess.TimeoutExpired as error:
        raise DriverError(f"{' '.join(args)} did not finish") from error
    if done.returncode not in ok:
        raise DriverError(f"{' '.join(args)} failed: {done.stderr.decode(errors='replace')}")
    return done.stdout


class _Event(ctypes.Structure):
    # XEvent's 24 longs as a ClientMessage lays them out; a MapNotify has its
    # window where a ClientMessage has its message type.
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 12)]


class XConnection:
    """A raw libX11 connection for the close box and for watching maps."""

    # ctypes passes a bare Python int as a C int, which holds every atom, mask
    # and flag used here; the display pointer and window ids are wrapped.
    def __init__(self, env):
        self._x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._display = ctypes.c_void_p(self._x.XOpenDisplay(env["DISPLAY"].encode()))
        if not self._display.value:
            raise DriverError(f"cannot open display {env['DISPLAY']}")

    def close(self):
        self._x.XCloseDisplay(self._display)

    def request_close(self, window):
        """Asks the window to close the way a window manager's close box does."""
        event = _Event(type=33, window=window, format=32)  # a ClientMessage
        event.message_type = self._x.XInternAtom(self._display, b"WM_PROTOCOLS", 0)
        event.data[0] = self._x.XInternAtom(self._display, b"WM_DELETE_WINDOW", 0)
        self._x.XSendEvent(self._display, ctypes.c_ulong(window), 0, 0, ctypes.byref(event))
        self._x.XFlush(self._display)

    def watch_maps(self):
        """From now on, top-level windows being mapped are queued for next_map."""
        root = ctypes.c_ulong(self._x.XDefaultRootWindow(self._display))
        self._x.XSelectInput(self._display, root, 1 << 19)  # SubstructureNotifyMask
        self._x.XFlush(self._display)

    def next_map(self, timeout=30.0):
        """(monotonic time, window id) of the next window mapped."""
        deadline = time.monotonic() + timeout * SLOWDOWN
        event = _Event()
        while True:
            while self._x.XPending(self._display):
                self._x.XNextEvent(self._display, ctypes.byref(event))
                if event.type == 19:  # MapNotify
                    return time.monotonic(), event.message_type
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise DriverError("no window was mapped")
            select.select([self._x.XConnectionNumber(self._display)], [], [], remaining)


@contextlib.contextmanager
def x_server():
    """A private Xvfb display; yields the environment that runs programs on it."""
    # -displayfd lets Xvfb pick a free display and tell us which.
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
         "-noreset"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        ready, _, _ = select.select([process.stdout], [], [], 30.0)
        number = process.stdout.readline().strip() if ready else b""
        if not number.isdigit():
            raise DriverError("Xvfb did not report a display")
        env = dict(os.environ, DISPLAY=f":{number.decode()}")
        # The test runner asks Qt for its offscreen platform; this program must
        # show a real window instead.
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("WAYLAND_DISPLAY", None)
        yield env
    finally:
        process.terminate()  # lets Xvfb remove its lock file
        process.wait(timeout=10)
        process.stdout.close()


class Program:
    """The program running on an X server in its own working directory."""

    def __init__(self, env, executable, workdir, wrapper=()):
        self.env = env
        self.workdir = workdir
        self.window = None
        self.log_path = os.path.join(workdir, "program.log")
        with open(self.log_path, "wb") as log:
            self.started_at = time.monotonic()
            self.process = subprocess.Popen(
                [*wrapper, executable], cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                stdout=log, stderr=subprocess.STDOUT, start_new_session=True)

    def stop(self):
        """Ends the program if it still runs; safe to call twice."""
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace")

    def wait_exit(self):
        try:
            return self.process.wait(timeout=30 * SLOWDOWN)
        except subprocess.TimeoutExpired as error:
            raise DriverError("the program did not end") from error

    def tool(self, *args, ok=(0,)):
        """Runs an X tool on the program's display and returns its output."""
        if self.process.poll() is not None:
            raise DriverError(f"the program ended with {self.process.returncode}:\n{self.log()}")
        return run_tool(args, self.env, ok)

    def windows(self, caption=None):
        """Ids of the mapped windows with exactly that caption, or with any caption."""
        # xdotool's status is 1 when no window matches.
        found = self.tool("xdotool", "search", "--onlyvisible", "--name",
                          f"^{caption}$" if caption else ".", ok=(0, 1))
        return [int(window) for window in found.split()]

    def wait_for_box(self, caption):
        """Waits for windows with that caption and returns their ids."""
        return wait_until(lambda: self.windows(caption), f'a box "{caption}"')

    def find_main_window(self):
        found = self.wait_for_box(MAIN_CAPTION)
        if len(found) != 1:
            raise DriverError(f"expected one main window, found {len(found)}")
        self.window = found[0]

    def close_box(self, box):
        """Presses OK: the box's only button has the focus, so Return does it."""
        self.tool("xdotool", "windowfocus", "--sync", str(box), "key", "--clearmodifiers",
                  "Return")
        wait_until(lambda: box not in self.windows(), "the box to close")

    def request_close(self):
        with contextlib.closing(XConnection(self.env)) as connection:
            connection.request_close(self.window)

    def click(self, control, inset=None):
        """Clicks inset pixels right of the control's left edge, or in its middle."""
        left, top, width, height = CONTROLS[control]
        x = left + (width // 2 if inset is None else inset)
        self.tool("xdotool", "mousemove", "--window", str(self.window), str(x),
                  str(top + height // 2), "click", "1")

    def type_into(self, box, text):
        """Replaces a size box's text as typed from the keyboard."""
        self.click(box, inset=12)  # into the text, away from the arrow buttons
        self.tool("xdotool", "key", "--clearmodifiers", "ctrl+a", "BackSpace")
        self.tool("xdotool", "type", "--delay", "30", text)

    def screenshot(self, left, top, width, height):
        """The RGB bytes of a block of the window, row by row."""
        return self.tool("import", "-silent", "-window", str(self.window), "-crop",
                         f"{width}x{height}+{left}+{top}", "-depth", "8", "rgb:-")
