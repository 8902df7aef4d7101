#!/usr/bin/env python3
"""End-to-end tests of `tavo-cli pdf`, read back with poppler's tools.

Usage: test_cli_pdf.py PATH/TO/tavo-cli PATH/TO/demo.tavo [TestClass ...]

The sums expected in a listing are worked out here from the project's JSON, by the
listing's rules for which columns a table has, so the numbers on the paper are
checked against a second implementation.
"""

import json
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
DATE = re.compile(r"\b\d\d\.\d\d\.\d{4}\b")
MISSING_THICKNESS = "Bitte noch fehlende Schichtdicke(n) bei Element {} ergänzen!\n"


def number(text):
    """parseNumber for the texts of these projects: empty is 0."""
    return float(text.replace(",", ".")) if text.strip() else 0.0


def table_sums(rows, columns):
    """The sums line of one table: "%.2f" of each present column's sum, in column order."""
    return ["%.2f" % sum(number(row[key]) for row in rows) for key, present in columns if present]


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
    for component in project["components"]:
        for element in component["elements"]:
            if element["permanent"]:
                lines.append(permanent_sums(element["permanent"]))
            if element["imposed"]:
                lines.append(imposed_sums(element["imposed"]))
    return lines


def sums_lines(text):
    return [line.split() for line in text.splitlines() if NUMBERS_ONLY.match(line)]


def layer(description, thickness, unitWeight="22.00", areaLoad=""):
    return {"description": description, "rowUnit": 1, "unitWeight": unitWeight, "thickness": thickness,
            "areaLoad": areaLoad, "influenceWidth": "", "lineLoad": "", "pointLoad": ""}


def project_of(elements, titleLines=("Bauwaage Testhaus", "Stiege 2")):
    return {"format": "tavo-json", "version": 1, "titleLines": list(titleLines), "startPage": 1,
            "components": [{"name": "Decken", "elements": elements}]}


class PdfTestCase(unittest.TestCase):
    def setUp(self):
        self._dir = tempfile.TemporaryDirectory()
        self.dir = self._dir.name
        runtime = self.path("runtime")
        os.mkdir(runtime, 0o700)
        # No display, no platform chosen, the settings in a folder of the test's own.
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(LC_ALL="C.UTF-8", HOME=self.path("home"), XDG_CONFIG_HOME=self.path("config"),
                        XDG_CONFIG_DIRS=self.path("system"), XDG_RUNTIME_DIR=runtime)

    def tearDown(self):
        self._dir.cleanup()

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

    def import_project(self, document, name="projekt.tavo"):
        source = self.write(name + ".json", json.dumps(document, ensure_ascii=False))
        target = self.path(name)
        result = self.run_cli("import", source, target)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return target

    def make_pdf(self, project, *options):
        target = self.path("liste.pdf")
        result = self.run_cli("pdf", project, target, *options)
        self.assertEqual((result.returncode, result.stderr.decode()), (0, ""))
        return target

    def refuse(self, status, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, status)
        return result.stderr.decode()

    @staticmethod
    def info(pdf):
        out = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True, text=True).stdout
        return dict(re.findall(r"^([^:]+):\s*(.*)$", out, re.M))

    @staticmethod
    def pages(pdf):
        """The text of each page, one printed line per line (in drawing order: a
        layout by position splits lines whose cells differ in height)."""
        out = subprocess.run(["pdftotext", "-raw", pdf, "-"], capture_output=True, check=True, text=True).stdout
        return out.split("\f")[:-1]

    @staticmethod
    def word_boxes(pdf):
        """(xMin, yMin, xMax, yMax) in points of every word on every page."""
        out = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, check=True, text=True).stdout
        pattern = r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)"'
        return [tuple(map(float, box)) for box in re.findall(pattern, out)]

    @staticmethod
    def fonts(pdf):
        out = subprocess.run(["pdffonts", pdf], capture_output=True, check=True, text=True).stdout
        # Name and type may hold blanks; emb, sub, uni and the object id close each row.
        return [line.split() for line in out.splitlines()[2:]]

    def assert_a4_pages_with_embedded_fonts(self, pdf, count):
        info = self.info(pdf)
        self.assertEqual(info["Pages"], str(count))
        self.assertEqual(info["Page size"], "595 x 842 pts (A4)")
        self.assertEqual(info["Creator"], "Tavo")
        fonts = self.fonts(pdf)
        self.assertGreaterEqual(len(fonts), 2)  # the listing's text and its bold
        for row in fonts:
            self.assertEqual(row[-5], "yes", row[0])

    def assert_printed(self, phrase, text):
        """The phrase stands in the text, blanks aside (text extraction merges them)."""
        if " ".join(phrase.split()) not in " ".join(text.split()):
            self.fail(f"not printed: {phrase}")

    def assert_numbered_from(self, pages, first):
        self.assertEqual([int(n) for page in pages for n in PAGE_NUMBER.findall(page)],
                         list(range(first, first + len(pages))))


class DemoListing(PdfTestCase):
    def setUp(self):
        super().setUp()
        self.project = self.path("Haus.tavo")
        shutil.copyfile(DEMO, self.project)
        self.pdf = self.make_pdf(self.project)
        self.pages = self.pages(self.pdf)
        self.text = "".join(self.pages)

    def test_document_is_a4_with_embedded_fonts_and_the_title_of_the_project(self):
        self.assert_a4_pages_with_embedded_fonts(self.pdf, len(self.pages))
        self.assertEqual(self.info(self.pdf)["Title"], "Haus")

    def test_every_page_has_header_and_footer_and_its_number(self):
        for page in self.pages:
            self.assertIn("Neubau Einfamilienhaus, Gartengasse 12, 3400 Klosterneuburg", page)
            self.assertIn("KOVA - Bauwaage", page)
            self.assertIn(self.project, page)
            self.assertRegex(page, DATE)
        self.assert_numbered_from(self.pages, 1)

    def test_components_and_sums_are_those_of_the_project(self):
        document = json.loads(subprocess.run([CLI, "json", DEMO], capture_output=True, check=True).stdout)
        for component in document["components"]:
            self.assert_printed(component["name"], self.text)
        self.assertEqual(sums_lines(self.text), expected_sums_lines(document))
        # The last page exported is the one that ends the listing, not the empty one after it.
        self.assertEqual(sums_lines(self.pages[-1])[-1], expected_sums_lines(document)[-1])


class MaximalListing(PdfTestCase):
    def setUp(self):
        super().setUp()
        self.document = maximal_project()
        self.pdf = self.make_pdf(self.import_project(self.document))
        self.pages = self.pages(self.pdf)

    def test_every_sum_on_numbered_pages_from_the_start_page(self):
        self.assertGreater(len(self.pages), 30)
        self.assert_a4_pages_with_embedded_fonts(self.pdf, len(self.pages))
        self.assert_numbered_from(self.pages, 997)
        text = "".join(self.pages)
        self.assertEqual(sums_lines(text), expected_sums_lines(self.document))
        self.assert_printed("Pos. 7  Geschoßdecke über Ebene 6", text)
        self.assert_printed("Zubau Bürotrakt, Lastaufstellung für die Statik (€-Ausgabe ³)", text)

    # This listing fills its last page to the bottom; the two blank lines after its
    # last table must not begin a page of their own, which would hold only the frames.
    def test_last_page_ends_the_listing(self):
        self.assertEqual(sums_lines(self.pages[-1])[-1:], expected_sums_lines(self.document)[-1:])


class Paper(PdfTestCase):
    A4 = (595.0, 842.0)
    POINTS_PER_MM = 72 / 25.4

    def assert_ink_within_margins(self, pdf, left, top, right, bottom):
        """The text reaches the margins, measured from the paper's edge, and stays inside them."""
        boxes = self.word_boxes(pdf)
        width, height = self.A4
        mm = self.POINTS_PER_MM
        self.assertAlmostEqual(min(box[0] for box in boxes), left * mm, delta=1.0)
        self.assertAlmostEqual(max(box[2] for box in boxes), width - right * mm, delta=1.0)
        self.assertAlmostEqual(min(box[1] for box in boxes), top * mm, delta=1.5)
        self.assertAlmostEqual(max(box[3] for box in boxes), height - bottom * mm, delta=1.5)

    def test_margins_of_the_settings_are_measured_from_the_paper_edge(self):
        self.assert_ink_within_margins(self.make_pdf(DEMO), 20, 10, 10, 10)
        settings = self.write("rand.ini", "[Print]\nLeft=35\nTop=25\nRight=15\nBottom=30\n")
        pdf = self.make_pdf(DEMO, "--settings", settings)
        self.assert_ink_within_margins(pdf, 35, 25, 15, 30)


class Listings(PdfTestCase):
    def test_elements_without_rows_give_pages_of_header_and_footer(self):
        project = self.import_project(project_of([{"name": "Leer", "permanent": [], "imposed": []}]))
        pdf = self.make_pdf(project)
        pages = self.pages(pdf)
        self.assert_a4_pages_with_embedded_fonts(pdf, 1)
        self.assertIn("Bauwaage Testhaus", pages[0])
        self.assertIn("Stiege 2", pages[0])
        self.assertRegex(pages[0], r"Seite:\s+1\s*$")
        self.assertNotIn("Decken", pages[0])

    def test_warnings_of_a_listing_that_was_made_go_to_stderr(self):
        # A table with no number column is laid out beyond the printable width.
        row = {"description": "Geländer", "rowUnit": 2, "areaLoad": "", "influenceWidth": "", "lineLoad": "",
               "pointLoad": ""}
        project = self.import_project(project_of([{"name": "Balkon", "permanent": [], "imposed": [row]}]))
        target = self.path("liste.pdf")
        result = self.run_cli("pdf", project, target)
        self.assertEqual(result.returncode, 0)
        self.assertRegex(result.stderr.decode(), r"^Druckbarer Bereich um \d+\.\d % zu schmal!\n$")
        self.assertEqual(self.info(target)["Pages"], "1")


class Refusals(PdfTestCase):
    def assert_no_files_beside(self, folder, expected):
        self.assertEqual(sorted(os.listdir(folder)), sorted(expected))

    def test_layer_without_thickness_writes_no_pdf_and_keeps_the_old_one(self):
        elements = [{"name": "Decke EG", "permanent": [layer("Estrich", "5", areaLoad="1.10")], "imposed": []},
                    {"name": "Decke Keller", "permanent": [layer("Beton", "")], "imposed": []},
                    {"name": "Decke OG", "permanent": [layer("Holz", "")], "imposed": []}]
        project = self.import_project(project_of(elements))
        old = self.write("alt.pdf", "alte Liste")
        self.assertEqual(self.refuse(1, "pdf", project, old), MISSING_THICKNESS.format("Decke Keller"))
        self.assertEqual(self.refuse(1, "pdf", project, self.path("neu.pdf")),
                         MISSING_THICKNESS.format("Decke Keller"))
        with open(old, encoding="utf-8") as f:
            self.assertEqual(f.read(), "alte Liste")
        self.assertFalse(os.path.exists(self.path("neu.pdf")))

    def test_target_that_cannot_be_written(self):
        missing = self.path("fehlt/liste.pdf")
        self.assertEqual(self.refuse(1, "pdf", DEMO, missing),
                         f"Fehler beim Schreiben auf {missing} [0]!\nNo such file or directory\n")
        folder = self.path("ordner")
        os.mkdir(folder)
        self.write("ordner/inhalt.txt", "bleibt")
        self.assertRegex(self.refuse(1, "pdf", DEMO, folder), f"^Fehler beim Schreiben auf {re.escape(folder)} ")
        self.assert_no_files_beside(folder, ["inhalt.txt"])
        self.assertEqual([name for name in os.listdir(self.dir) if name.startswith("ordner")], ["ordner"])

    @unittest.skipIf(os.geteuid() == 0, "root may write into a read-only folder")
    def test_read_only_folder_keeps_the_old_pdf(self):
        folder = self.path("nur-lesen")
        os.mkdir(folder)
        old = self.write("nur-lesen/liste.pdf", "alte Liste")
        os.chmod(folder, 0o555)
        try:
            self.assertRegex(self.refuse(1, "pdf", DEMO, old), "^Fehler beim Schreiben auf ")
            self.assert_no_files_beside(folder, ["liste.pdf"])
            with open(old, encoding="utf-8") as f:
                self.assertEqual(f.read(), "alte Liste")
        finally:
            os.chmod(folder, 0o755)

    def test_unreadable_inputs_write_nothing(self):
        target = self.path("liste.pdf")
        missing = self.path("fehlt.tavo")
        self.assertEqual(self.refuse(1, "pdf", missing, target),
                         f"Fehler beim Öffnen von {missing} [0]!\nNo such file or directory\n")
        settings = self.path("fehlt.ini")
        self.assertEqual(self.refuse(1, "pdf", DEMO, target, "--settings", settings),
                         f"Fehler beim Öffnen von {settings} [0]!\nNo such file or directory\n")
        self.assertFalse(os.path.exists(target))

    def test_wrong_calls(self):
        for args in (["pdf", DEMO], ["pdf", DEMO, "a.pdf", "b.pdf"], ["pdf", DEMO, "a.pdf", "--settings"]):
            self.assertTrue(self.refuse(2, *args).startswith("Aufruf: tavo-cli pdf DATEI.tavo ZIEL.pdf"), args)


if __name__ == "__main__":
    CLI, DEMO = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
