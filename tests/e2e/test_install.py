"""The installed program: `cmake --install` and the .deb put it where a desktop
finds it, and the copy they install starts and ends like the built one."""

import configparser
import glob
import os
import shutil
import subprocess
import tempfile
import unittest

from program_case import ProgramCase

INSTALLED_FILES = [
    "bin/nitka",
    "share/applications/nitka.desktop",
    "share/icons/hicolor/32x32/apps/nitka.xpm",
    "share/pixmaps/nitka.xpm",
]


def build_dir():
    path = os.environ.get("NITKA_BUILD_DIR")
    if not path:
        raise unittest.SkipTest("NITKA_BUILD_DIR names no build to install from")
    return path


def run(args, **kwargs):
    done = subprocess.run(args, capture_output=True, timeout=300, **kwargs)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed:\n{done.stdout.decode()}"
                             f"{done.stderr.decode()}")
    return done.stdout.decode()


class InstalledProgramCase(ProgramCase):
    """Installs into a staging prefix first, then starts the installed binary."""

    def setUp(self):
        self.staging = tempfile.mkdtemp(prefix="nitka-stage-")
        self.addCleanup(shutil.rmtree, self.staging, ignore_errors=True)
        self.prefix = self.install(self.staging)
        self.program_path = os.path.join(self.prefix, "bin", "nitka")
        super().setUp()

    def install(self, staging):
        raise NotImplementedError

    def assert_desktop_citizen(self):
        for name in INSTALLED_FILES:
            self.assertTrue(os.path.isfile(os.path.join(self.prefix, name)), name)
        self.assertTrue(os.access(os.path.join(self.prefix, "bin/nitka"), os.X_OK))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(os.path.join(self.prefix, "share/applications/nitka.desktop"),
                   encoding="utf-8")
        desktop = entry["Desktop Entry"]
        self.assertEqual(desktop["Type"], "Application")
        self.assertEqual(desktop["Exec"], "nitka")
        self.assertEqual(desktop["Icon"], "nitka")
        self.assertEqual(desktop["Name"], "Лабиринт Nitka")
        validator = shutil.which("desktop-file-validate")
        if validator:
            run([validator, os.path.join(self.prefix, "share/applications/nitka.desktop")])

    def assert_starts_and_exits(self):
        self.program.click("Button6")
        self.assertEqual(self.program.wait_exit(), 0)


class InstallTest(InstalledProgramCase):
    def install(self, staging):
        run(["cmake", "--install", build_dir(), "--prefix", staging])
        return staging

    def test_installed_program_is_complete_and_runs(self):
        self.assert_desktop_citizen()
        self.assert_starts_and_exits()


class PackageTest(InstalledProgramCase):
    def install(self, staging):
        output = os.path.join(staging, "cpack")
        run(["cpack", "-G", "DEB", "--config", os.path.join(build_dir(), "CPackConfig.cmake"),
             "-B", output])
        packages = glob.glob(os.path.join(output, "*.deb"))
        self.assertEqual(len(packages), 1, "one package")
        self.package = packages[0]
        root = os.path.join(staging, "root")
        run(["dpkg-deb", "-x", self.package, root])
        return os.path.join(root, "usr")

    def test_package_declares_what_it_needs_and_runs(self):
        fields = run(["dpkg-deb", "-f", self.package, "Package", "Architecture", "Depends"])
        self.assertIn("Package: nitka", fields)
        depends = fields.split("Depends:", 1)[1]
        for needed in ("libqt6widgets6", "libqt6gui6", "libstdc++6", "qt6-qpa-plugins"):
            self.assertIn(needed, depends)
        self.assert_desktop_citizen()
        self.assert_starts_and_exits()


if __name__ == "__main__":
    unittest.main()
