#!/usr/bin/env python3
"""End-to-end tests of `tavo-cli text`: the listing as a line printer prints it.

Usage: test_cli_text.py PATH/TO/tavo-cli [TestClass ...]

The projects are made with `tavo-cli import` from JSON; the print settings come
from settings files written here, so the user's own settings never count.
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

CLI = None

FOOTER = "KOVA - Bauwaage   "
DATE = r"\d\d\.\d\d\.\d{4}"
TIME = r"\d\d:\d\d"


def permanent(description, rowUnit, **values):
    row = {"description": description, "rowUnit": rowUnit, "unitWeight": "", "thickness": "",
           "areaLoad": "", "influenceWidth": "", "lineLoad": "", "pointLoad": ""}
    row.update(values)
    return row


def imposed(description, rowUnit, **values):
    row = {"description": description, "rowUnit": rowUnit, "areaLoad": "", "influenceWidth": "",
           "lineLoad": "", "pointLoad": ""}
    row.update(values)
    return row


def element(name, permanent_rows=(), imposed_rows=()):
    return {"name": name, "permanent": list(permanent_rows), "imposed": list(imposed_rows)}


def project(components, startPage=1, titleLines=("Wohnhaus", "")):
    return {"format": "tavo-json", "version": 1, "titleLines": list(titleLines), "startPage": startPage,
            "components": components}


ONE_ELEMENT = [{"name": "Decke", "elements": [element(
    "Feld 1",
    [permanent("Stahlbeton", 1, unitWeight="25.00", thickness="20", areaLoad="5.00")],
    [imposed("Wohnen", 1, areaLoad="2.00")])]}]


def settings_text(**print_keys):
    keys = {"Datei": 1, "Datum": 1, "Zeit": 0, "Seite": 2}
    keys.update(print_keys)
    return "[Print]\n" + "".join(f"{key}={value}\n" for key, value in keys.items())


class TextListing(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.settings = self.file("print.ini", settings_text())

    def file(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
        return path

    def project_file(self, content, name="haus.tavo"):
        source = self.file("project.json", json.dumps(content))
        result = subprocess.run([CLI, "import", source, os.path.join(self.dir.name, name)], capture_output=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        return name

    def text(self, *args, env=None):
        # Run in the temporary folder so that the project's path is given as it is named.
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.dir.name, "config"))
        environment.update(env or {})
        return subprocess.run([CLI, "text", *args], capture_output=True, cwd=self.dir.name, env=environment)

    def pages(self, *args):
        result = self.text(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")
        return result.stdout.decode("utf-8").split("\f")

    def test_missing_thickness_gives_the_message_and_no_pages(self):
        name = self.project_file(project([{"name": "Decke", "elements": [
            element("Feld 1", [permanent("Estrich", 2, areaLoad="1.20")]),
            element("Feld Süd", [permanent("Beton", 1, unitWeight="25.00")]),
            element("Feld 3", [permanent("Ziegel", 1, unitWeight="12.00")])]}]))
        result = self.text(name, "--settings", self.settings)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr.decode("utf-8"),
                         "Bitte noch fehlende Schichtdicke(n) bei Element Feld Süd ergänzen!\n")

    def test_listing_with_header_and_footer(self):
        pages = self.pages(self.project_file(project(ONE_ELEMENT)), "--settings", self.settings)
        self.assertEqual(len(pages), 1)
        lines = [line.strip() for line in pages[0].splitlines()]
        self.assertIn("Wohnhaus", lines)
        self.assertIn("Feld 1 :", lines)
        self.assertTrue(any(re.fullmatch(r"Stahlbeton +25\.00 +20 +5\.00", line) for line in lines), lines)
        self.assertTrue(any(re.fullmatch(r"Wohnen +2\.00", line) for line in lines), lines)
        self.assertRegex(lines[-1], "^" + re.escape(FOOTER + "haus.tavo ") + DATE + r" +Seite: +1$")

    def test_pages_are_separated_by_form_feeds_and_numbered_from_the_start_page(self):
        rows = [permanent(f"Schicht {i}", 2, areaLoad="1.00") for i in range(25)]
        components = [{"name": f"Bauteil {c}", "elements": [element(f"Element {c}.{e}", rows) for e in range(7)]}
                      for c in range(2)]
        pages = self.pages(self.project_file(project(components, startPage=12)), "--settings", self.settings)
        self.assertGreater(len(pages), 2)
        for number, page in enumerate(pages, start=12):
            self.assertTrue(page.endswith("\n"))
            self.assertRegex(page.splitlines()[-1], rf"Seite: +{number}$")
        self.assertEqual(sum(page.count("Schicht 24") for page in pages), 14)

    def test_footer_parts_and_numbering_follow_the_settings(self):
        name = self.project_file(project(ONE_ELEMENT))
        all_parts = self.file("all.ini", settings_text(Zeit=1, Seite=1))
        footer = self.pages(name, "--settings", all_parts)[0].splitlines()[-1].strip()
        self.assertRegex(footer, "^" + re.escape(FOOTER + "haus.tavo ") + DATE + " " + TIME + " +Seite:$")

        bare = self.file("bare.ini", settings_text(Datei=0, Datum=0, Seite=0))
        self.assertEqual(self.pages(name, "--settings", bare)[0].splitlines()[-1].strip(), FOOTER.strip())

    def test_settings_come_from_tavo_ini_without_the_option(self):
        folder = os.path.join(self.dir.name, "config", "Kova-Software")
        os.makedirs(folder)
        with open(os.path.join(folder, "Tavo.ini"), "w", encoding="utf-8") as out:
            out.write(settings_text(Datei=0, Seite=0))
        footer = self.pages(self.project_file(project(ONE_ELEMENT)))[0].splitlines()[-1].strip()
        # Without the path the date keeps the blank it is preceded by.
        self.assertRegex(footer, "^" + re.escape(FOOTER + " ") + DATE + "$")

    def test_a_project_without_rows_gives_header_and_footer_only(self):
        name = self.project_file(project([{"name": "Decke", "elements": [element("Feld 1")]}]))
        pages = self.pages(name, "--settings", self.settings)
        self.assertEqual(len(pages), 1)
        self.assertIn("Wohnhaus", pages[0])
        self.assertIn(FOOTER, pages[0])
        self.assertNotIn("Decke", pages[0])

    def test_wrong_calls_are_usage_errors(self):
        for args in ([], ["a.tavo", "b.tavo"], ["a.tavo", "--settings"], ["--settings", "x.ini"]):
            result = self.text(*args)
            self.assertEqual(result.returncode, 2, args)
            self.assertIn("tavo-cli text DATEI.tavo", result.stderr.decode("utf-8"))


if __name__ == "__main__":
    CLI = sys.argv[1]
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]])
