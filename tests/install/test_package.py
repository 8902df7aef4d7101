#!/usr/bin/env python3
"""Unpacks the Debian package into a temporary root and tries it there.

Usage: test_package.py FOLDER (where CPack left tavo_VERSION_ARCH.deb)

The layout is the one the programs and the desktop expect; the command-line tool
finds the sample project and the header lines in the installed data folder.
"""

import glob
import os
import subprocess
import sys
import tempfile
import unittest

PACKAGE = None


class InstalledPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.temp.name, "root")
        subprocess.run(["dpkg-deb", "-x", PACKAGE, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def installed(self, path):
        return os.path.join(self.root, "usr", path)

    def run_cli(self, *arguments):
        config = os.path.join(self.temp.name, "config")
        environment = dict(os.environ, XDG_CONFIG_HOME=config, HOME=self.temp.name, XDG_CONFIG_DIRS=config)
        return subprocess.run([self.installed("bin/tavo-cli"), *arguments], capture_output=True, text=True,
                              env=environment, timeout=60)

    def test_layout(self):
        for path in ["bin/tavo", "bin/tavo-cli", "share/tavo/demo.tavo", "share/tavo/tavo.qch", "share/tavo/mervik.hdg",
                     "share/applications/at.kova_software.Tavo.desktop", "share/mime/packages/tavo.xml",
                     "share/icons/hicolor/scalable/apps/at.kova_software.Tavo.svg",
                     "share/metainfo/at.kova_software.Tavo.metainfo.xml"]:
            self.assertTrue(os.path.isfile(self.installed(path)), path)
        for program in ["bin/tavo", "bin/tavo-cli"]:
            self.assertTrue(os.access(self.installed(program), os.X_OK), program)
        # Nothing the user changes is installed beside the programs.
        self.assertEqual(sorted(os.listdir(self.installed("bin"))), ["tavo", "tavo-cli"])

    def test_dependencies(self):
        fields = subprocess.run(["dpkg-deb", "--field", PACKAGE, "Package", "Version", "Depends"],
                                capture_output=True, text=True, check=True).stdout
        self.assertIn("Package: tavo\n", fields)
        self.assertIn("Version: 18.0.0.1\n", fields)
        depends = [entry.strip().split(" ")[0] for entry in fields.split("Depends:", 1)[1].split(",")]
        for needed in ["libqt6core6", "libqt6widgets6", "libqt6printsupport6", "libqt6svg6", "libqt6help6",
                       "qt6-qpa-plugins", "libqt6sql6-sqlite", "libc6", "libstdc++6"]:
            self.assertIn(needed, depends)

    def test_the_desktop_knows_project_files_by_name_and_content(self):
        mime = self.installed("share/mime")
        subprocess.run(["update-mime-database", mime], check=True, capture_output=True)
        renamed = os.path.join(self.temp.name, "projekt.dat")
        with open(self.installed("share/tavo/demo.tavo"), "rb") as demo, open(renamed, "wb") as copy:
            copy.write(demo.read())
        environment = dict(os.environ, XDG_DATA_DIRS=self.installed("share"), XDG_DATA_HOME=self.temp.name)
        for path in [self.installed("share/tavo/demo.tavo"), renamed]:
            info = subprocess.run(["gio", "info", "--attributes=standard::content-type", path], capture_output=True,
                                  text=True, env=environment, check=True).stdout
            self.assertIn("standard::content-type: application/x-tavo", info, path)

    def test_pdf_of_the_installed_sample_project(self):
        out = os.path.join(self.temp.name, "demo.pdf")
        result = self.run_cli("pdf", self.installed("share/tavo/demo.tavo"), out)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(out, "rb") as pdf:
            self.assertEqual(pdf.read(5), b"%PDF-")

    def test_header_lines_come_from_the_data_folder(self):
        with open(self.installed("share/tavo/mervik.hdg"), "w", encoding="utf-8") as lines:
            lines.write("Büro Statik#Projekt 7#Blatt\n")
        result = self.run_cli("text", self.installed("share/tavo/demo.tavo"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Büro Statik", result.stdout)


if __name__ == "__main__":
    packages = glob.glob(os.path.join(sys.argv.pop(1), "tavo_*.deb"))
    if len(packages) != 1:
        sys.exit("expected one package, found %r" % packages)
    PACKAGE = packages[0]
    unittest.main()
