#!/usr/bin/env python3
"""End-to-end tests of tavo-cli.

Usage: test_cli.py PATH/TO/tavo-cli [TestClass ...], with TAVO_DEMO naming the
sample project and TAVO_VERSION the version the program reports.

Project files are written here field by field, and a listing's sums worked out from
the project's JSON, independently of the program; listings are read with poppler.
"""

import json
import math
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from maximal_project import PERMANENT_TEXTS, largest_project, maximal_project  # noqa: E402

CLI = None
DEMO = os.environ.get("TAVO_DEMO")
NO_SUCH_FILE = "Die Datei oder der Ordner existiert nicht."
MISSING_THICKNESS = "Bitte noch fehlende Schichtdicke(n) bei Element Decke Keller ergänzen!\n"


# ------------------------------------------------------------------ the format

def i16(value):
    return struct.pack("<h", value)


def i32(value):
    return struct.pack("<i", value)


def txt(value):
    data = value.encode("cp1252") if isinstance(value, str) else value
    return i16(len(data)) + data


HEADER = b"TAVODAT_" + i32(1)

# A new project saved at once.
NEW_PROJECT_BYTES = b"".join([
    HEADER,
    txt("Bauwaage"), txt(""),                       # heading lines
    i16(1),                                         # start page
    i16(1), txt("Text Bauteil 1"), i16(1),          # components; name, element count
    txt("Text Element 1"), i16(0), i16(0),          # element name, row counts
    i16(1), txt("Text Gruppe 1"), i16(1),           # own groups; name, table count
    txt("Text Tabelle 1"), i16(1), i16(0),          # table name, unit, entry count
    i16(1), txt("Text Tabelle 1"), i16(0), i16(1),  # own imposed tables; name, entry count, unit
])


def permanent_row(description, rowUnit, **texts):
    """A row with all its keys in the documented order, those not given empty."""
    return {"description": description, "rowUnit": rowUnit, **{key: texts.get(key, "") for key in PERMANENT_TEXTS}}


def imposed_row(description, rowUnit, **texts):
    return {"description": description, "rowUnit": rowUnit, **{key: texts.get(key, "") for key in PERMANENT_TEXTS[2:]}}


def own_table(name, unit, entries=()):
    return {"name": name, "unit": unit,
            "entries": [{"description": d, "value": v} for d, v in entries]}


def project(titleLines=("Bauwaage", ""), startPage=1, components=None, groups=None, imposed=None):
    return {
        "format": "tavo-json", "version": 1,
        "titleLines": list(titleLines), "startPage": startPage,
        "components": components if components is not None else [
            {"name": "Text Bauteil 1", "elements": [{"name": "Text Element 1", "permanent": [], "imposed": []}]}],
        "ownPermanentGroups": groups if groups is not None else [
            {"name": "Text Gruppe 1", "tables": [own_table("Text Tabelle 1", 1)]}],
        "ownImposedTables": imposed if imposed is not None else [own_table("Text Tabelle 1", 1)],
    }


# One small project of every kind of content: rows of each unit (with codes no
# page sets), own tables whose head order differs between the two sections,
# characters of the upper half of Windows-1252.
FIXTURE_BYTES = b"".join([
    HEADER,
    txt("Bauwaage Haus Müller"), txt("Stiege 2 – 3. OG"),
    i16(12),
    i16(2),
    txt("Decke über EG"), i16(2),
    txt("Keller"), i16(0),
    txt("Feld 1"), i16(5), i16(4),
    txt("Feld 2"), i16(0), i16(0),
    # Feld 1: permanent rows, then imposed rows
    txt("Stahlbeton"), i16(1), txt("25.00"), txt("20.0"), txt("5.00"), txt("2.50"), txt("12.50"),
    txt("Estrich"), i16(2), txt("1.20"), txt(""), txt(""),
    txt("Wand 25 kN/m³"), i16(3), txt("7.50"),
    txt("Stütze"), i16(4), txt("30.00"),
    txt("Sonderlast €"), i16(-7), txt("4.00"),
    txt("Kat. A1, Wohnflächen"), i16(1), txt("2.00"), txt("3.00"), txt("6.00"),
    txt("Geländer"), i16(2), txt("0.50"),
    txt("Einzellast"), i16(3), txt("2.00"),
    txt("Fremdcode"), i16(0), txt("1.00"),
    # own permanent groups: all table heads (name, unit, count), then all entries
    i16(2),
    txt("Eigene Aufbauten"), i16(2),
    txt("Leer"), i16(0),
    txt("Schichten"), i16(1), i16(2),
    txt("Linienlasten"), i16(3), i16(0),
    txt("Dämmung"), txt("1.5"),
    txt(""), txt("22.0"),
    # own imposed tables: each head (name, count, unit) followed by its entries
    i16(2),
    txt("Geländerlasten"), i16(1), i16(2),
    txt("Brüstung"), txt("1.0"),
    txt("Punkte"), i16(0), i16(3),
])

FIXTURE_JSON = project(
    titleLines=("Bauwaage Haus Müller", "Stiege 2 – 3. OG"),
    startPage=12,
    components=[
        {"name": "Decke über EG", "elements": [
            {"name": "Feld 1",
             "permanent": [
                 permanent_row("Stahlbeton", 1, unitWeight="25.00", thickness="20.0", areaLoad="5.00",
                               influenceWidth="2.50", lineLoad="12.50"),
                 permanent_row("Estrich", 2, areaLoad="1.20"),
                 permanent_row("Wand 25 kN/m³", 3, lineLoad="7.50"),
                 permanent_row("Stütze", 4, pointLoad="30.00"),
                 permanent_row("Sonderlast €", -7, pointLoad="4.00")],
             "imposed": [
                 imposed_row("Kat. A1, Wohnflächen", 1, areaLoad="2.00", influenceWidth="3.00", lineLoad="6.00"),
                 imposed_row("Geländer", 2, lineLoad="0.50"),
                 imposed_row("Einzellast", 3, pointLoad="2.00"),
                 imposed_row("Fremdcode", 0, pointLoad="1.00")]},
            {"name": "Feld 2", "permanent": [], "imposed": []}]},
        {"name": "Keller", "elements": []}],
    groups=[
        {"name": "Eigene Aufbauten", "tables": [
            own_table("Schichten", 1, [("Dämmung", "1.5"), ("", "22.0")]),
            own_table("Linienlasten", 3)]},
        {"name": "Leer", "tables": []}],
    imposed=[own_table("Geländerlasten", 2, [("Brüstung", "1.0")]), own_table("Punkte", 3)])


def in_order(document):
    """The document as text, so that comparing two also compares the order of their keys."""
    return json.dumps(document, ensure_ascii=False, indent=1)


def project_of(*elements, **fields):
    """A project of one component; the rows' missing texts are empty."""
    return project(components=[{"name": "Decke", "elements": list(elements)}], **fields)


# ------------------------------------------------------------------ the listing

NUMBERS_ONLY = re.compile(r"^\s*\d+\.\d\d(\s+\d+\.\d\d)*\s*$")
PAGE_NUMBER = re.compile(r"Seite:\s*(\d+)\s*$", re.M)  # four digits fill the slot up to the word
FOOTER = re.escape("KOVA - Bauwaage   ")
DATE = r"\d\d\.\d\d\.\d{4}"


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


def pdf_info(pdf):
    return dict(re.findall(r"^([^:]+):\s*(.*)$", poppler("pdfinfo", pdf), re.M))


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


class CliTestCase(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        root = folder.name
        self.dir = os.path.join(root, "work")
        os.mkdir(self.dir)
        os.mkdir(os.path.join(root, "runtime"), 0o700)
        # No display, no platform chosen, the settings in folders of the test's own.
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(LC_ALL="C", HOME=os.path.join(root, "home"), XDG_CONFIG_HOME=os.path.join(root, "config"),
                        XDG_CONFIG_DIRS=os.path.join(root, "system"), XDG_RUNTIME_DIR=os.path.join(root, "runtime"))

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return path

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def run_cli(self, *args):
        # Run in the test's folder, so that a path given as a bare name stays one.
        return subprocess.run([CLI, *map(str, args)], capture_output=True, env=self.env, cwd=self.dir)

    def succeed(self, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, 0, result.stderr.decode("utf-8", "replace"))
        self.assertEqual(result.stderr, b"")
        return result.stdout.decode("utf-8")

    def fail_with(self, message, *args):
        """message: the exact text on stderr, or a pattern it must match whole."""
        result = self.run_cli(*args)
        self.assertEqual((result.returncode, result.stdout), (1, b""), args)
        stderr = result.stderr.decode("utf-8")
        if isinstance(message, re.Pattern):
            self.assertIsNotNone(message.fullmatch(stderr), stderr)
        else:
            self.assertEqual(stderr, message)

    def import_project(self, document):
        source = self.write("projekt.json", json.dumps(document, ensure_ascii=False))
        self.succeed("import", source, self.path("projekt.tavo"))
        return self.path("projekt.tavo")

    def reimported(self, document):
        return json.loads(self.succeed("json", self.import_project(document)))

    def make_pdf(self, project, *options):
        self.succeed("pdf", project, self.path("liste.pdf"), *options)
        return self.path("liste.pdf")


class Json(CliTestCase):
    # A new file replaces a longer one whole; an import of nothing else takes a new project's values.
    def test_new_and_an_import_of_format_and_version_only_give_the_reset_project(self):
        target = self.write("old.tavo", b"old content that is longer than a new project " * 10)
        self.succeed("new", target)
        self.assertEqual(self.read(target), NEW_PROJECT_BYTES)
        self.assertEqual(in_order(json.loads(self.succeed("json", target))), in_order(project()))
        self.assertEqual(self.read(self.import_project({"format": "tavo-json", "version": 1})), NEW_PROJECT_BYTES)

    def test_fixture_decodes_in_documented_order_and_its_json_reproduces_it(self):
        path = self.write("in.tavo", FIXTURE_BYTES)
        self.assertEqual(in_order(json.loads(self.succeed("json", path))), in_order(FIXTURE_JSON))
        self.assertEqual(self.read(self.import_project(FIXTURE_JSON)), FIXTURE_BYTES)

    def test_every_byte_of_a_text_survives_json_and_import(self):
        data = NEW_PROJECT_BYTES.replace(txt("Text Bauteil 1"), txt(bytes(range(1, 256))), 1)
        self.write("exported.json", self.succeed("json", self.write("in.tavo", data)))
        self.succeed("import", self.path("exported.json"), self.path("out.tavo"))
        self.assertEqual(self.read(self.path("out.tavo")), data)


class Import(CliTestCase):
    # Every count at its limit, texts of the upper half of Windows-1252 kept whole up
    # to 511 bytes and heading lines up to 80 characters, unit codes at both ends.
    def test_counts_texts_and_unit_codes_at_their_limits_round_trip(self):
        entries = [(f"Eintrag {i} ß", f"{i}.5") for i in range(25)]
        document = dict(largest_project(), startPage=999, ownImposedTables=[
            own_table(f"N {t}", -32768, entries[:15]) for t in range(5)], ownPermanentGroups=[
            {"name": f"G {g}", "tables": [own_table(f"T {t}", 32767, entries) for t in range(7)]} for g in range(8)])
        document["components"][0]["elements"][0]["permanent"][0] = permanent_row("Fremdcode", -32768, pointLoad="6")
        self.assertEqual(self.reimported(document), document)

    def test_empty_entries_count_but_are_not_stored(self):
        used = [("a", ""), ("", "2.0")] + [(f"x{i}", "1") for i in range(19)]
        entries = [("", ""), used[0], ("", ""), used[1]] + [("", "")] * 2 + used[2:]
        self.assertEqual(len(entries), 25)
        exported = self.reimported(project(groups=[{"name": "G", "tables": [own_table("T", 2, entries)]}]))
        self.assertEqual(exported["ownPermanentGroups"][0]["tables"][0], own_table("T", 2, used))


class Failures(CliTestCase):
    def assert_no_output_left(self, message, *args):
        """Fails as told, creates no target (the last argument) and leaves an existing one alone."""
        target = args[-1]
        before = set(os.listdir(self.dir))
        self.fail_with(message, *args)
        self.assertEqual(set(os.listdir(self.dir)), before)
        self.write(os.path.basename(target), b"previous project")
        self.fail_with(message, *args)
        self.assertEqual(self.read(target), b"previous project")
        self.assertEqual(set(os.listdir(self.dir)), before | {os.path.basename(target)})
        os.remove(target)

    def test_files_that_cannot_be_opened_or_read(self):
        message = "Fehler beim Öffnen von {} [0]!\n" + NO_SUCH_FILE + "\n"
        source, settings = self.path("fehlt.json"), self.path("fehlt.ini")
        self.assert_no_output_left(message.format(source), "import", source, self.path("out.tavo"))
        self.assert_no_output_left(message.format(settings), "pdf", DEMO, "--settings", settings, self.path("liste.pdf"))
        damaged = self.write("kaputt.tavo", NEW_PROJECT_BYTES[:-1])  # the last unit code is cut
        self.assert_no_output_left(f"Datei {damaged} ist fehlerhaft!\n", "pdf", damaged, self.path("liste.pdf"))
        self.fail_with(f"Datei {damaged} ist fehlerhaft!\n", "json", damaged)

        target = self.path("nicht da/neu.tavo")
        for args in (("new", target), ("pdf", DEMO, target)):
            self.fail_with(message.format(target), *args)
        folder = self.path("ordner")
        old = self.write("ordner/liste.pdf", "alte Liste")
        self.fail_with(f"Fehler beim Öffnen von {folder} [0]!\nDas ist ein Ordner, keine Datei.\n", "pdf", DEMO, folder)
        self.assertEqual((sorted(os.listdir(self.dir)), self.read(old)), (["kaputt.tavo", "ordner"], b"alte Liste"))

    def test_output_that_names_an_input_is_refused_before_anything_is_written(self):
        source = self.write("p.json", json.dumps({"format": "tavo-json", "version": 1}))
        project_file = self.write("p.tavo", NEW_PROJECT_BYTES)
        settings = self.write("p.ini", "[Print]\nSeite=1\n")
        os.symlink(source, self.path("verweis.tavo"))
        for args in (("import", source, source), ("import", source, self.path("verweis.tavo")),
                     ("pdf", project_file, project_file), ("pdf", project_file, settings, "--settings", settings)):
            self.fail_with(f"Die Zieldatei {args[2]} ist zugleich eine Eingabedatei; es wurde nichts geschrieben.\n", *args)
        self.assertEqual([self.read(source), self.read(project_file), self.read(settings)],
                         [b'{"format": "tavo-json", "version": 1}', NEW_PROJECT_BYTES, b"[Print]\nSeite=1\n"])

    def test_layer_without_thickness_gives_no_listing_and_keeps_the_old_one(self):
        layer = {"rowUnit": 1, "unitWeight": "22.00"}
        project_file = self.import_project(project_of({"name": "Decke EG", "permanent": [dict(layer, thickness="5")]},
                                                      {"name": "Decke Keller", "permanent": [layer]},
                                                      {"name": "Decke OG", "permanent": [layer]}))
        old = self.write("alt.pdf", "alte Liste")
        for args in (("pdf", project_file, old), ("pdf", project_file, self.path("neu.pdf")), ("text", project_file)):
            self.fail_with(MISSING_THICKNESS, *args)
        self.assertEqual((set(os.listdir(self.dir)), self.read(old)),
                         ({"projekt.json", "projekt.tavo", "alt.pdf"}, b"alte Liste"))

    def test_refused_json(self):
        base = {"format": "tavo-json", "version": 1}
        entries = lambda n: [{"description": f"e{i}", "value": ""} for i in range(n)]

        def with_element(**rows):
            return dict(base, components=[{"name": "B", "elements": [dict({"name": "E"}, **rows)]}])

        element = "components[0].elements[0]."
        cp1252 = ("kann nicht gespeichert werden: Texte dürfen nur Zeichen des westeuropäischen Zeichensatzes "
                  "Windows-1252 enthalten.")

        cases = [
            ("[" * 16 + "{" + "]" * 16, "Das JSON ist zu tief verschachtelt (mehr als 16 Ebenen, Zeile 1, Spalte 17)."),
            ('{"format": "[[[[[[[[[[[[[[[[[", "version": 1}',  # brackets in a text do not count
             'format: Unbekanntes Format "[[[[[[[[[[[[[[[[[" (erwartet "tavo-json").'),
            ([base], "Objekt erwartet."),
            ({"version": 1}, "format: Schlüssel fehlt."),
            ({"format": "tävo", "version": 1}, 'format: Unbekanntes Format "tävo" (erwartet "tavo-json").'),
            (dict(base, version=2), "version: Version 2 wird nicht unterstützt (nur Version 1)."),
            (dict(base, startPage=1000), "startPage: Die Zahl 1000 liegt nicht zwischen 1 und 999."),
            (dict(base, startPage=1.5), "startPage: Ganze Zahl erwartet."),
            (dict(base, titleLines=["a", "b", "c"]), "titleLines: Zu viele Überschriftszeilen (höchstens 2)."),
            (dict(base, titleLines=[1, ""]), "titleLines[0]: Text erwartet."),
            (dict(base, titleLines=["x" * 81, ""]), "titleLines[0]: Text zu lang (81 Zeichen, höchstens 80)."),
            (dict(base, components=[{"name": "ü" * 512}]), "components[0].name: Text zu lang (512 Zeichen, höchstens 511)."),
            (with_element(imposed=[{"description": "Dach 😀"}]),
             f"{element}imposed[0].description: Das Zeichen „😀“ (U+1F600) {cp1252}"),
            (dict(base, components=[]), "components: Zu wenige Bauteile (mindestens 1)."),
            (dict(base, components=[{}] * 8), "components: Zu viele Bauteile (höchstens 7)."),
            (dict(base, components={}), "components: Liste erwartet."),
            (dict(base, components=[{"elements": [{}] * 8}]), "components[0].elements: Zu viele Elemente (höchstens 7)."),
            (with_element(permanent=[{}] * 26), f"{element}permanent: Zu viele Zeilen (höchstens 25)."),
            (with_element(imposed=[{}] * 16), f"{element}imposed: Zu viele Zeilen (höchstens 15)."),
            (with_element(permanent=[{}, {"rowUnit": 32768}]),
             f"{element}permanent[1].rowUnit: Die Zahl 32768 liegt nicht zwischen -32768 und 32767."),
            (with_element(permanent=[{"rowUnit": 2, "areaLoad": "1.5", "unitWeight": "20"}]),
             f"{element}permanent[0].unitWeight: Eine Zeile mit rowUnit 2 speichert diesen Wert nicht; er ginge verloren."),
            (with_element(imposed=[{"lineload": "1"}]), f"{element}imposed[0].lineload: Unbekannter Schlüssel."),
            (dict(base, ownPermanentGroups=[{}] * 9), "ownPermanentGroups: Zu viele Gruppen (höchstens 8)."),
            (dict(base, ownPermanentGroups=[{"tables": [{}] * 8}]),
             "ownPermanentGroups[0].tables: Zu viele Tabellen (höchstens 7)."),
            (dict(base, ownPermanentGroups=[{"tables": [{"entries": entries(26)}]}]),
             "ownPermanentGroups[0].tables[0].entries: Zu viele Einträge (höchstens 25)."),
            (dict(base, ownImposedTables=[{}] * 6), "ownImposedTables: Zu viele Tabellen (höchstens 5)."),
            (dict(base, ownImposedTables=[{"entries": entries(15) + [{}]}]),
             "ownImposedTables[0].entries: Zu viele Einträge (höchstens 15)."),
        ]
        source = self.path("in.json")
        for document, problem in cases:
            with self.subTest(problem):
                text = document if isinstance(document, str) else json.dumps(document, ensure_ascii=False)
                self.write("in.json", text)
                self.assert_no_output_left(f"{source}: {problem}\n", "import", source, self.path("out.tavo"))
        # The column is the parser's and may sit one character past the fault.
        self.write("in.json", '{"format": "tavo-json",\n "version": 1,,\n}')
        pattern = re.compile(re.escape(f"{source}: Kein gültiges JSON (Zeile 2, Spalte ") + r"\d+\)\.\n")
        self.assert_no_output_left(pattern, "import", source, self.path("out.tavo"))


class Calls(CliTestCase):
    def test_wrong_calls_help_and_version(self):
        for args in [(), ("neu", "x.tavo"), ("import", "a.json"), ("pdf", "a.tavo", "a.pdf", "b.pdf"),
                     ("pdf", "a.tavo", "a.pdf", "-platform", "xcb"), ("text", "a.tavo", "--settings")]:
            with self.subTest(args):
                result = self.run_cli(*args)
                self.assertEqual((result.returncode, result.stdout), (2, b""))
                self.assertTrue(result.stderr.endswith(b"\nHilfe: tavo-cli --help\n"))
        self.assertEqual(os.listdir(self.dir), [])
        self.assertEqual(self.succeed("--version"), f"tavo-cli {os.environ['TAVO_VERSION']}\n")
        self.assertTrue(self.succeed("import", "--help").startswith("Aufruf: tavo-cli BEFEHL"))


class Library(CliTestCase):
    def test_json_and_text_hold_every_entry_of_both_built_in_libraries(self):
        library = json.loads(self.succeed("library", "--json"))
        permanent = [t for g in library["permanent"]["groups"] for t in g["tables"]]
        imposed = library["imposed"]["tables"]
        self.assertEqual([sum(len(t["entries"]) for t in tables) for tables in (permanent, imposed)], [339, 48])
        text, position = self.succeed("library"), 0
        for table in permanent + imposed:
            position = text.index(table["name"], position)
            for entry in table["entries"]:
                position = text.index(f"{entry['category']}", position)
                position = text.index(f"{entry['description']}: {entry['value']}\n", position)


class Listings(CliTestCase):
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

    def test_demo_listing(self):
        project = self.path("Haus.tavo")
        with open(DEMO, "rb") as source, open(project, "wb") as copy:
            copy.write(source.read())
        pdf = self.make_pdf(project)
        pages = self.assert_listing(pdf, 1, json.loads(self.succeed("json", DEMO)))
        self.assertEqual(pdf_info(pdf)["Title"], "Haus")
        self.assertTrue(all(project in page for page in pages))
        # Rules of 0.5 pt: over four pixels at 600 dpi, where a hairline would be one.
        self.assertGreaterEqual(thickest_rule(pdf, 600), 4)

    # The sample's derived numbers are what typing its thickness and then its width into each row gives.
    def test_demo_numbers_are_those_of_the_programs_arithmetic(self):
        demo = json.loads(self.succeed("json", DEMO))
        rows = [r for c in demo["components"] for e in c["elements"] for r in e["permanent"] + e["imposed"]]
        self.assertGreater(len(rows), 20)
        for row in rows:
            area, width = row["areaLoad"], row["influenceWidth"]
            if row.get("thickness"):
                self.assertEqual(area, load_text(number(row["unitWeight"]) * number(row["thickness"]) / 100), row)
            if area:
                self.assertEqual(row["lineLoad"], load_text(number(area) * number(width)) if width else "", row)

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

    # The text reaches the margins of the settings, measured from the paper's edge, and stays inside them.
    def test_margins_of_the_settings_are_measured_from_the_paper_edge(self):
        pattern = r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)"'
        settings = self.write("rand.ini", "[Print]\nLeft=35\nTop=25\nRight=15\nBottom=30\n")
        pdf = self.make_pdf(DEMO, "--settings", settings)
        boxes = [tuple(map(float, box)) for box in re.findall(pattern, poppler("pdftotext", "-bbox", pdf, "-"))]
        left, top, right, bottom = (value * 72 / 25.4 for value in (35, 25, 15, 30))
        self.assertAlmostEqual(min(box[0] for box in boxes), left, delta=1.0)
        self.assertAlmostEqual(max(box[2] for box in boxes), 595 - right, delta=1.0)
        self.assertAlmostEqual(min(box[1] for box in boxes), top, delta=1.5)
        self.assertAlmostEqual(max(box[3] for box in boxes), 842 - bottom, delta=1.5)

    def test_warnings_of_a_listing_that_was_made_go_to_stderr(self):
        # A table with no number column is laid out beyond the printable width.
        project_file = self.import_project(project_of({"name": "Balkon", "imposed": [{"rowUnit": 2}]}))
        result = self.run_cli("pdf", project_file, self.path("liste.pdf"))
        self.assertEqual(result.returncode, 0)
        self.assertRegex(result.stderr.decode(), r"^Druckbarer Bereich um \d+\.\d % zu schmal!\n$")
        self.assertEqual(pdf_info(self.path("liste.pdf"))["Pages"], "1")

    def test_draws_offscreen_whatever_platform_is_asked_for(self):
        for platform in ("xcb", "wayland", "kein-solches-system", ""):
            self.env["QT_QPA_PLATFORM"] = platform
            self.assertTrue(os.path.getsize(self.make_pdf(DEMO)) > 0, platform)


# The listing as a line printer prints it, pages separated by form feeds.
class Text(CliTestCase):
    def test_footers_name_the_project_as_given_by_the_settings_of_the_option_or_else_of_tavo_ini(self):
        rows = [{"rowUnit": 2, "areaLoad": "1.00"}] * 25
        self.import_project(project_of(*[{"permanent": rows}] * 3, startPage=12))
        settings = self.write("print.ini", "[Print]\nDatei=1\nDatum=1\nZeit=1\nSeite=2\n")
        pages = self.succeed("text", "projekt.tavo", "--settings", settings).split("\f")
        self.assertGreater(len(pages), 1)
        for number, page in enumerate(pages, start=12):
            self.assertRegex(page.rstrip(), f"\n *{FOOTER}projekt\\.tavo {DATE} \\d\\d:\\d\\d +Seite: +{number}$")
        # Without the path the date keeps the blank it is preceded by.
        tavo_ini = os.path.join(self.env["XDG_CONFIG_HOME"], "Kova-Software/Tavo.ini")
        self.write(tavo_ini, "[Print]\nDatei=0\nDatum=1\nZeit=0\nSeite=0\n")
        self.assertRegex(self.succeed("text", "projekt.tavo").rstrip(), f"\n *{FOOTER} {DATE}$")


if __name__ == "__main__":
    CLI = sys.argv[1]
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)
