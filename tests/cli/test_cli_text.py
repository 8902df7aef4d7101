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

FOOTER = re.escape("KOVA - Bauwaage   ")
DATE = r"\d\d\.\d\d\.\d{4}"


def permanent(description, rowUnit, **values):
    return dict({"description": description, "rowUnit": rowUnit}, **values)


def project(elements, startPage=1):
    return {"format": "tavo-json", "version": 1, "titleLines": ["Wohnhaus", ""], "startPage": startPage,
            "components": [{"name": "Decke", "elements": elements}]}


def settings_text(**print_keys):
    keys = dict({"Datei": 1, "Datum": 1, "Zeit": 0, "Seite": 2}, **print_keys)
    return "[Print]\n" + "".join(f"{key}={value}\n" for key, value in keys.items())


class TextListing(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.dir = folder.name
        self.settings = self.file("print.ini", settings_text())

    def file(self, name, text):
        path = os.path.join(self.dir, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
        return path

    def project_file(self, content):
        source = self.file("project.json", json.dumps(content))
        result = subprocess.run([CLI, "import", source, os.path.join(self.dir, "haus.tavo")], capture_output=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        return "haus.tavo"

    def text(self, *args):
        # Run in the temporary folder so that the project's path is given as it is named.
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.dir, "config"))
        return subprocess.run([CLI, "text", *args], capture_output=True, cwd=self.dir, env=environment)

    def pages(self, *args):
        result = self.text(*args)
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        return result.stdout.decode("utf-8").split("\f")

    def test_missing_thickness_gives_the_message_and_no_pages(self):
        name = self.project_file(project([
            {"name": "Feld 1", "permanent": [permanent("Estrich", 2, areaLoad="1.20")]},
            {"name": "Feld Süd", "permanent": [permanent("Beton", 1, unitWeight="25.00")]},
            {"name": "Feld 3", "permanent": [permanent("Ziegel", 1, unitWeight="12.00")]}]))
        result = self.text(name, "--settings", self.settings)
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        self.assertEqual(result.stderr.decode("utf-8"),
                         "Bitte noch fehlende Schichtdicke(n) bei Element Feld Süd ergänzen!\n")

    def test_pages_are_separated_by_form_feeds_and_numbered_from_the_start_page(self):
        rows = [permanent(f"Schicht {i}", 2, areaLoad="1.00") for i in range(25)]
        elements = [{"name": f"Element {e}", "permanent": rows} for e in range(7)]
        pages = self.pages(self.project_file(project(elements, startPage=12)), "--settings", self.settings)
        self.assertGreater(len(pages), 2)
        lines = [line.strip() for line in pages[0].splitlines()]
        self.assertIn("Wohnhaus", lines)
        self.assertIn("Element 0 :", lines)
        self.assertTrue(any(re.fullmatch(r"Schicht 0 +1\.00", line) for line in lines), lines)
        for number, page in enumerate(pages, start=12):
            self.assertTrue(page.endswith("\n"))
            self.assertRegex(page.splitlines()[-1].strip(), f"^{FOOTER}haus\\.tavo {DATE} +Seite: +{number}$")
        self.assertEqual(sum(page.count("Schicht 24") for page in pages), 7)

    def test_settings_come_from_the_option_or_else_from_tavo_ini(self):
        name = self.project_file(project([{"name": "Feld 1", "permanent": [permanent("Estrich", 2, areaLoad="1")]}]))
        all_parts = self.file("all.ini", settings_text(Zeit=1, Seite=1))
        footer = self.pages(name, "--settings", all_parts)[0].splitlines()[-1].strip()
        self.assertRegex(footer, f"^{FOOTER}haus\\.tavo {DATE} \\d\\d:\\d\\d +Seite:$")

        self.file("config/Kova-Software/Tavo.ini", settings_text(Datei=0, Seite=0))
        # Without the path the date keeps the blank it is preceded by.
        self.assertRegex(self.pages(name)[0].splitlines()[-1].strip(), f"^{FOOTER} {DATE}$")

    def test_wrong_calls_are_usage_errors(self):
        for args in ([], ["a.tavo", "b.tavo"], ["a.tavo", "--settings"], ["--settings", "x.ini"]):
            result = self.text(*args)
            self.assertEqual(result.returncode, 2, args)
            self.assertIn("tavo-cli text DATEI.tavo", result.stderr.decode("utf-8"))


if __name__ == "__main__":
    CLI = sys.argv[1]
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]])
