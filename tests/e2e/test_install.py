"""The installed program: `cmake --install` and the .deb put it where a desktop
finds it, and the copy they install starts and ends like the built one."""

import contextlib
import glob
import os
import shutil
import subprocess
import tarfile
import tempfile
import unittest

from maze_user import MazeUser, ProgramCase
from xsession import x_server

DESKTOP_ENTRY = "share/applications/nitka.desktop"
ICONS = ("share/icons/hicolor/32x32/apps/nitka.xpm", "share/pixmaps/nitka.xpm")


def run(*args):
    done = subprocess.run(args, capture_output=True, timeout=300)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed:\n{done.stdout.decode()}"
                             f"{done.stderr.decode()}")
    return done.stdout.decode()


class InstalledCopy:
    """Installs into a staging directory, then starts the binary installed there."""

    def setUp(self):
        self.build = os.environ.get("NITKA_BUILD_DIR")
        if not self.build:
            self.skipTest("NITKA_BUILD_DIR names no build to install from")
        staging = self.enterContext(tempfile.TemporaryDirectory(prefix="nitka-stage-"))
        self.prefix = self.install(staging)
        self.program_path = os.path.join(self.prefix, "bin/nitka")
        super().setUp()

    def test_installed_copy_is_complete_and_runs(self):
        package = ("lib/python3/dist-packages/nitka/__init__.py",
                   "lib/python3/dist-packages/nitka/py.typed")
        for name in ("bin/nitka", DESKTOP_ENTRY, *ICONS,
                     *(package if python_built(self.build) else ())):
            self.assertTrue(os.path.isfile(os.path.join(self.prefix, name)), name)
        with open(os.path.join(self.prefix, DESKTOP_ENTRY), encoding="utf-8") as entry:
            lines = set(entry.read().splitlines())
        self.assertLessEqual({"Type=Application", "Exec=nitka", "Icon=nitka",
                              "Name=Лабиринт Nitka"}, lines)
        if shutil.which("desktop-file-validate"):
            run("desktop-file-validate", os.path.join(self.prefix, DESKTOP_ENTRY))
        self.program.click("Button6")
        self.assertEqual(self.program.wait_exit(), 0)


class InstallTest(InstalledCopy, ProgramCase):
    def install(self, staging):
        run("cmake", "--install", self.build, "--prefix", staging)
        return staging


def python_built(build):
    return os.path.isdir(os.path.join(build, "python", "nitka"))


def build_package(build, staging):
    run("cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", staging)
    packages = glob.glob(os.path.join(staging, "*.deb"))
    if len(packages) != 1:
        raise AssertionError(f"expected one package, found {packages}")
    return packages[0]


class PackageTest(InstalledCopy, ProgramCase):
    def install(self, staging):
        package = build_package(self.build, staging)
        fields = run("dpkg-deb", "-f", package, "Package", "Depends")
        self.assertIn("Package: nitka\n", fields)
        depends = {item.split()[0] for item in fields.split("Depends:", 1)[1].split(",")}
        # libqt6gui6 also holds the X11 platform plugin; qt6-qpa-plugins holds
        # only plugins the program never loads.
        self.assertLessEqual({"libqt6widgets6", "libqt6gui6", "libstdc++6"}, depends)
        self.assertNotIn("qt6-qpa-plugins", depends)
        if python_built(self.build):
            # The window and the tool need no Python; the package recommends it.
            self.assertFalse({"python3", "python3-numpy"} & depends)
            recommends = run("dpkg-deb", "-f", package, "Recommends")
            self.assertIn("python3-numpy", recommends)
        run("dpkg-deb", "-x", package, os.path.join(staging, "root"))
        return os.path.join(staging, "root", "usr")


class FreshRootTest(unittest.TestCase):
    """The .deb on a minimal Debian with nothing else installed: apt brings only
    what the package depends on, and both programs run.

    Needs root, debootstrap and the Debian archive, so it runs only when
    NITKA_FRESH_ROOT=1 asks for it (CI does). The root is made once for the class."""

    @classmethod
    def setUpClass(cls):
        cls.build = os.environ.get("NITKA_BUILD_DIR")
        if not (cls.build and os.environ.get("NITKA_FRESH_ROOT") == "1"):
            raise unittest.SkipTest("NITKA_FRESH_ROOT=1 and NITKA_BUILD_DIR ask for this test")
        if os.geteuid() != 0 or not shutil.which("debootstrap"):
            raise unittest.SkipTest("needs root and debootstrap")
        staging = tempfile.mkdtemp(prefix="nitka-fresh-")
        cls.addClassCleanup(cls.remove_unless_mounted, staging)
        package = build_package(cls.build, staging)
        cls.root = os.path.join(staging, "root")
        with tarfile.open(cls.minimal_root()) as base:
            base.extractall(cls.root, numeric_owner=True)
        shutil.copy(package, os.path.join(cls.root, "tmp/nitka.deb"))
        # The device nodes come with the tarball; only /proc is mounted.
        cls.enterClassContext(cls.mounted("proc", "proc", "-t", "proc"))
        cls.chroot("apt-get", "update", "-qq")
        cls.chroot("apt-get", "install", "-y", "-qq", "--no-install-recommends", "/tmp/nitka.deb")

    @classmethod
    def minimal_root(cls):
        """A minimal Debian 12 as a tarball, made once per build folder."""
        tarball = os.path.join(cls.build, "minimal-bookworm.tar")
        if not os.path.exists(tarball):
            with tempfile.TemporaryDirectory(prefix="nitka-bootstrap-") as made:
                run("debootstrap", "--variant=minbase", "bookworm", made)
                run("tar", "-C", made, "-cf", tarball + ".part", ".")
            os.replace(tarball + ".part", tarball)
        return tarball

    @classmethod
    @contextlib.contextmanager
    def mounted(cls, where, source, *how):
        target = os.path.join(cls.root, where)
        os.makedirs(target, exist_ok=True)
        run("mount", *how, source, target)
        try:
            yield target
        finally:
            subprocess.run(["umount", "-l", target], check=False)

    @staticmethod
    def remove_unless_mounted(path):
        """Removes the staging folder, unless anything is still mounted below it:
        removing a mount's files would remove the host's."""
        with open("/proc/self/mounts", encoding="utf-8") as mounts:
            if any(line.split()[1].startswith(path + "/") for line in mounts):
                raise AssertionError(f"{path} still has mounts; left in place")
        shutil.rmtree(path)

    @classmethod
    def chroot(cls, *args):
        return run("chroot", cls.root, *args)

    def test_installed_tool_runs_with_only_its_dependencies(self):
        info = self.chroot("sh", "-c", "nitka-maze generate -W 8 -H 8 --seed 1 | nitka-maze info -")
        self.assertIn("perfect: yes", info.splitlines())

    def test_installed_python_package_imports_with_numpy(self):
        if not python_built(self.build):
            self.skipTest("the build has no Python package")
        self.chroot("apt-get", "install", "-y", "-qq", "--no-install-recommends", "python3-numpy")
        shown = self.chroot("python3", "-c", "import nitka; batch = nitka.batch(3, 5, 4, seed=1); "
                            "print(batch.grids.shape, nitka.generate(5, 4, seed=1).cell_count)")
        self.assertEqual(shown, "(3, 9, 11) 20\n")

    def test_installed_program_starts_with_only_its_dependencies(self):
        # X clients reach the display through its abstract socket, which a
        # chroot does not hide.
        with x_server() as env:
            workdir = self.enterContext(tempfile.TemporaryDirectory(prefix="nitka-e2e-"))
            program = MazeUser(env, "/usr/bin/nitka", workdir, wrapper=("chroot", self.root))
            try:
                program.find_main_window()
                program.click("Button6")
                self.assertEqual(program.wait_exit(), 0, program.log())
            finally:
                program.stop()


if __name__ == "__main__":
    unittest.main()
