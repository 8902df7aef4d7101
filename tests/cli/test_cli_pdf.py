#!/usr/bin/env python3
"""End-to-end tests of `tavo-cli pdf`, read back with poppler's tools.

Usage: test_cli_pdf.py PATH/TO/tavo-cli PATH/TO/demo.tavo [TestClass ...]

The sums expected in a listing are worked out here from the project's JSON, by the
listing's rules for which columns a table has, so the numbers on the paper are
checked against a second implementation.
"""

import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from maximal_project import maximal_project  # noqa: E402

CLI = None
DEMO = None

NUMBERS_ONLY = re.compile(r"^\s*\d+\.\d\d(\s+\d+\.\d\d)*\s*$")
PAGE_NUMBER = re.compile(r"Seite:\s*(\d+)\s*$", re.M)  # four digits fill the slot up to the word
MISSING_THICKNESS = "Bitte noch fehlende Schichtdicke(n) bei Element Decke Keller ergänzen!\n"
NO_SUCH_FILE = "No such file or directory"


def number(text):
    """parseNumber for the texts of these projects: empty is 0."""
    return float(text.replace(",", ".")) if text.strip() else 0.0


def load_text(value):
    """A computed load as the program writes it: rounded half away from zero, then "%.2f"."""
    return "%.2f" % math.copysign(math.floor(abs(value) * 100 + 0.5000005) / 100, value)


def table_sums(rows, columns):
    """The sums line of one table: each present column's sum, in column order."""
    return [load_text(sum(number(row[key]) for row in rows)) for key, present in columns if present]


def permanent_sums(rows):
    units = {row["rowUnit"] for row in rows}
    widths = any(row["influenceWidth"] for row in rows)
    return table_sums(rows, [("areaLoad", units & {1, 2}), ("lineLoad", widths or 3 in units),
                             ("pointLoad", 4 in units)])


def imposed_sums(rows):
    units = {row["rowUnit"] for row in rows}
    return table_sums(rows, [("areaLoad", 1 in units), ("lineLoad", any(row["lineLoad"] for row in rows)),
                             ("pointLoad", 3 in units)])


def expected_sums_lines(project):
    lines = []
    for element in (e for component in project["components"] for e in component["elements"]):
        if element["permanent"]:
            lines.append(permanent_sums(element["permanent"]))
        if element["imposed"]:
            lines.append(imposed_sums(element["imposed"]))
    return lines


def sums_lines(text):
    return [line.split() for line in text.splitlines() if NUMBERS_ONLY.match(line)]


def poppler(tool, *args):
    return subprocess.run([tool, *args], capture_output=True, check=True, text=True).stdout


def pdf_pages(pdf):
    """The text of each page, one printed line per line (in drawing order: a layout
    by position splits lines whose cells differ in height)."""
    return poppler("pdftotext", "-raw", pdf, "-").split("\f")[:-1]


def thickest_rule(pdf, dpi):
    """The height in pixels of the thickest line across at least half of page 1, rendered
    in grey at `dpi`."""
    pgm = subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-f", "1", "-l", "1", pdf],
                         capture_output=True, check=True).stdout
    magic, width, height, _, pixels = pgm.split(maxsplit=4)
    width, height = int(width), int(height)
    assert magic == b"P5" and len(pixels) == width * height
    thickest = run = 0
    for y in range(height):
        row = pixels[y * width:(y + 1) * width]
        run = run + 1 if sum(1 for value in row if value < 128) > width // 2 else 0
        thickest = max(thickest, run)
    return thickest


def pdf_info(pdf):
    return dict(re.findall(r"^([^:]+):\s*(.*)$", poppler("pdfinfo", pdf), re.M))


def project_of(*elements):
    """A project of one component; the rows' missing texts are empty."""
    return {"format": "tavo-json", "version": 1, "components": [{"name": "Decken", "elements": list(elements)}]}


class PdfTestCase(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        root = folder.name
        self.dir = os.path.join(root, "work")
        os.mkdir(self.dir)
        os.mkdir(os.path.join(root, "runtime"), 0o700)
        # No display, no platform chosen, the settings in folders of the test's own.
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(LC_ALL="C.UTF-8", HOME=os.path.join(root, "home"), XDG_CONFIG_HOME=os.path.join(root, "config"),
                        XDG_CONFIG_DIRS=os.path.join(root, "system"), XDG_RUNTIME_DIR=os.path.join(root, "runtime"))

    def path(self, name):
        return os.path.join(self.dir, name)

    def run_cli(self, *args):
        return subprocess.run([CLI, *map(str, args)], capture_output=True, env=self.env)

    def write(self, name, text):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def import_project(self, document):
        source = self.write("projekt.json", json.dumps(document, ensure_ascii=False))
        result = self.run_cli("import", source, self.path("projekt.tavo"))
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return self.path("projekt.tavo")

    def make_pdf(self, project, *options):
        target = self.path("liste.pdf")
        result = self.run_cli("pdf", project, target, *options)
        self.assertEqual((result.returncode, result.stderr.decode()), (0, ""))
        return target

    def refuse(self, status, *args):
        result = self.run_cli(*args)
        self.assertEqual((result.returncode, result.stdout), (status, b""))
        return result.stderr.decode()

    def assert_listing(self, pdf, first_page, project):
        """A4 pages with every font embedded, numbered from first_page, with the project's sums."""
        pages = pdf_pages(pdf)
        info = pdf_info(pdf)
        self.assertEqual((info["Pages"], info["Page size"], info["Creator"]),
                         (str(len(pages)), "595 x 842 pts (A4)", "Tavo"))
        # Name and type may hold blanks; emb, sub, uni and the object id close each row.
        fonts = [line.split() for line in poppler("pdffonts", pdf).splitlines()[2:]]
        self.assertGreaterEqual(len(fonts), 2)  # the listing's text and its bold
        self.assertEqual({font[-5] for font in fonts}, {"yes"})
        self.assertEqual([int(n) for page in pages for n in PAGE_NUMBER.findall(page)],
                         list(range(first_page, first_page + len(pages))))
        self.assertEqual(sums_lines("".join(pages)), expected_sums_lines(project))
        # The last page exported is the one that ends the listing, not the empty one after it.
        self.assertEqual(sums_lines(pages[-1])[-1:], expected_sums_lines(project)[-1:])
        return pages

    def assert_old_file_kept(self, path):
        with open(path, encoding="utf-8") as f:
            self.assertEqual(f.read(), "alte Liste")


class Listings(PdfTestCase):
    def test_demo_listing(self):
        project = self.path("Haus.tavo")
        shutil.copyfile(DEMO, project)
        pdf = self.make_pdf(project)
        document = json.loads(self.run_cli("json", DEMO).stdout)
        pages = self.assert_listing(pdf, 1, document)
        self.assertEqual(pdf_info(pdf)["Title"], "Haus")
        # Rules of 0.5 pt: over four pixels at 600 dpi, where a hairline would be one.
        self.assertGreaterEqual(thickest_rule(pdf, 600), 4)
        for page in pages:
            self.assertIn("Neubau Einfamilienhaus, Gartengasse 12, 3400 Klosterneuburg", page)
            self.assertIn("KOVA - Bauwaage", page)
            self.assertIn(project, page)
            self.assertRegex(page, r"\b\d\d\.\d\d\.\d{4}\b")

    # This listing fills its last page to the bottom; the two blank lines after its
    # last table must not begin a page of their own, which would hold only the frames.
    def test_maximal_listing(self):
        document = maximal_project()
        pages = self.assert_listing(self.make_pdf(self.import_project(document)), 997, document)
        self.assertGreater(len(pages), 30)
        # No sum begins a page alone, and a table that goes on shows its headings again.
        for number, page in enumerate(pages, 997):
            body_before_sums = re.split(r"^\s*\d+\.\d\d(?:\s+\d+\.\d\d)*\s*$", page, maxsplit=1, flags=re.M)[0]
            self.assertRegex(body_before_sums, "Bauteilschichten|Nutzlasten", f"page {number}")
        self.assertIn("Zubau Bürotrakt, Lastaufstellung für die Statik (€-Ausgabe ³)", " ".join(pages[0].split()))

    def test_margins_of_the_settings_are_measured_from_the_paper_edge(self):
        mm = 72 / 25.4
        pattern = r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)"'
        settings = self.write("rand.ini", "[Print]\nLeft=35\nTop=25\nRight=15\nBottom=30\n")
        for margins, options in (((20, 10, 10, 10), ()), ((35, 25, 15, 30), ("--settings", settings))):
            with self.subTest(margins):
                pdf = self.make_pdf(DEMO, *options)
                boxes = [tuple(map(float, box)) for box in re.findall(pattern, poppler("pdftotext", "-bbox", pdf, "-"))]
                left, top, right, bottom = (value * mm for value in margins)
                # The text reaches the margins and stays inside them.
                self.assertAlmostEqual(min(box[0] for box in boxes), left, delta=1.0)
                self.assertAlmostEqual(max(box[2] for box in boxes), 595 - right, delta=1.0)
                self.assertAlmostEqual(min(box[1] for box in boxes), top, delta=1.5)
                self.assertAlmostEqual(max(box[3] for box in boxes), 842 - bottom, delta=1.5)

    def test_warnings_of_a_listing_that_was_made_go_to_stderr(self):
        # A table with no number column is laid out beyond the printable width.
        project = self.import_project(project_of({"name": "Balkon", "imposed": [{"description": "Geländer", "rowUnit": 2}]}))
        result = self.run_cli("pdf", project, self.path("liste.pdf"))
        self.assertEqual(result.returncode, 0)
        self.assertRegex(result.stderr.decode(), r"^Druckbarer Bereich um \d+\.\d % zu schmal!\n$")
        self.assertEqual(pdf_info(self.path("liste.pdf"))["Pages"], "1")


class Refusals(PdfTestCase):
    def test_layer_without_thickness_writes_no_pdf_and_keeps_the_old_one(self):
        layer = {"rowUnit": 1, "unitWeight": "22.00"}
        project = self.import_project(project_of({"name": "Decke EG", "permanent": [dict(layer, thickness="5")]},
                                                 {"name": "Decke Keller", "permanent": [layer]},
                                                 {"name": "Decke OG", "permanent": [layer]}))
        old = self.write("alt.pdf", "alte Liste")
        for target in (old, self.path("neu.pdf")):
            self.assertEqual(self.refuse(1, "pdf", project, target), MISSING_THICKNESS)
        self.assertEqual(set(os.listdir(self.dir)), {"projekt.json", "projekt.tavo", "alt.pdf"})
        self.assert_old_file_kept(old)

    def test_target_that_cannot_be_written(self):
        missing = self.path("fehlt/liste.pdf")
        self.assertEqual(self.refuse(1, "pdf", DEMO, missing), f"Fehler beim Schreiben auf {missing} [0]!\n{NO_SUCH_FILE}\n")
        folder = self.path("ordner")
        old = self.write("ordner/liste.pdf", "alte Liste")
        self.assertRegex(self.refuse(1, "pdf", DEMO, folder), f"^Fehler beim Schreiben auf {re.escape(folder)} ")
        if os.geteuid() != 0:  # root may write into a read-only folder
            os.chmod(folder, 0o555)
            self.addCleanup(os.chmod, folder, 0o755)
            self.assertRegex(self.refuse(1, "pdf", DEMO, old), "^Fehler beim Schreiben auf ")
        self.assertEqual((os.listdir(self.dir), os.listdir(folder)), (["ordner"], ["liste.pdf"]))
        self.assert_old_file_kept(old)

    def test_unreadable_inputs_write_nothing(self):
        target = self.path("liste.pdf")
        missing = self.path("fehlt.tavo")
        self.assertEqual(self.refuse(1, "pdf", missing, target), f"Fehler beim Öffnen von {missing} [0]!\n{NO_SUCH_FILE}\n")
        settings = self.path("fehlt.ini")
        self.assertEqual(self.refuse(1, "pdf", DEMO, target, "--settings", settings),
                         f"Fehler beim Öffnen von {settings} [0]!\n{NO_SUCH_FILE}\n")
        self.assertEqual(os.listdir(self.dir), [])

    def test_wrong_calls(self):
        for args in (["pdf", DEMO], ["pdf", DEMO, "a.pdf", "b.pdf"], ["pdf", DEMO, "a.pdf", "--settings"]):
            self.assertTrue(self.refuse(2, *args).startswith("Aufruf: tavo-cli pdf DATEI.tavo ZIEL.pdf"), args)


if __name__ == "__main__":
    CLI, DEMO = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
