"""The installed program: `cmake --install` and the .deb put it where a desktop
finds it, and the copy they install starts and ends like the built one."""

import glob
import os
import shutil
import subprocess
import tempfile
import unittest

from maze_user import ProgramCase

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
        for name in ("bin/nitka", DESKTOP_ENTRY, *ICONS):
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


class PackageTest(InstalledCopy, ProgramCase):
    def install(self, staging):
        run("cpack", "-G", "DEB", "--config", os.path.join(self.build, "CPackConfig.cmake"),
            "-B", staging)
        packages = glob.glob(os.path.join(staging, "*.deb"))
        self.assertEqual(len(packages), 1, "one package")
        fields = run("dpkg-deb", "-f", packages[0], "Package", "Depends")
        self.assertIn("Package: nitka\n", fields)
        for needed in ("libqt6widgets6", "libqt6gui6", "libstdc++6", "qt6-qpa-plugins"):
            self.assertIn(needed, fields.split("Depends:", 1)[1])
        run("dpkg-deb", "-x", packages[0], os.path.join(staging, "root"))
        return os.path.join(staging, "root", "usr")


if __name__ == "__main__":
    unittest.main()
